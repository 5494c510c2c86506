#pragma once

#include "link/downloadevents.h"
#include "link/downloadhost.h"
#include "link/downloadoutcome.h"
#include "link/downloadsession.h"
#include "link/eventloop.h"
#include "link/sessionlog.h"
#include "records/testrecord.h"

#include <chrono>
#include <optional>
#include <string>

// Runs a download session on an event loop of its own, for the command line,
// tests and benchmarks. Where the GUI would wait on a quiet tester for the
// user to cancel, it gives up after the stall limit, and it releases the port
// when a download ends in any way. Given a session log, it logs what goes
// over the line, the channel's messages and how the download ended.
class CHeadlessDownload final : private IDownloadEvents, private IRecordViews
{
public:
    // The events go to pEvents when given, with the parse's progress.
    CHeadlessDownload(RecordTable& records, IDownloadEvents* pEvents = nullptr,
                      CSessionLog* pLog = nullptr);

    // The table changes only when the outcome is Completed.
    DownloadOutcome Run(const std::string& strPort, int nTimeoutSeconds,
                        std::chrono::milliseconds stallLimit);

    OpenStatus LastOpenStatus() const { return m_session.LastOpenStatus(); }
    int LastSystemError() const { return m_session.LastSystemError(); }
    const std::string& DevicePath() const { return m_session.DevicePath(); }

private:
    // IDownloadEvents
    void OnEvent(const AnyDownloadEvent& event) override;

    // IRecordViews: the parse's progress, and the end of the download.
    void BeginLoadingProgress(const std::string& strText, int nRange) override;
    void StepLoadingProgress() override;
    void EndLoadingProgress() override {}
    void ClearTree() override {}
    void ClearItems() override {}
    void FillTree() override;

    void SetOutcome(DownloadOutcome outcome);

    IDownloadEvents* m_pEvents;
    CSessionLog* m_pLog;
    // Declared before the session: the watch thread posts into the loop until
    // the session's channel has joined it.
    CEventLoop m_loop;
    CDownloadSession m_session;
    std::optional<DownloadOutcome> m_outcome;
    std::chrono::milliseconds m_stallLimit{0};
    int m_nParsed = 0;
};
