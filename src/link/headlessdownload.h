#pragma once

#include "channelport.h"
#include "downloadhost.h"
#include "downloadprotocol.h"
#include "eventloop.h"
#include "loggedport.h"
#include "progresspopup.h"
#include "serialchannel.h"
#include "sessionlog.h"
#include "testrecord.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// What a download without a GUI shows: the popup's progress, the parse
// progress and the channel's own messages.
class IHeadlessDisplay : public IProgressPopup
{
public:
    virtual void ShowLoadingProgress(int nDone, int nTotal) = 0;
    virtual void ShowChannelMessage(const std::string& strText) = 0;

protected:
    ~IHeadlessDisplay() = default;
};

// Shows nothing, and keeps the channel's messages for whoever runs the download.
class CSilentDisplay final : public IHeadlessDisplay
{
public:
    void SetPopupWidth(int) override {}
    void SetCaption(const std::string&) override {}
    void SetMessage(const std::string&, bool) override {}
    void SetLimit(unsigned) override {}
    void EnableCancel(bool) override {}
    void SetCancelMessage(unsigned) override {}
    void SetAnimationId(unsigned) override {}
    void CreatePopup() override {}
    void ClosePopup() override {}
    void ResetBar() override {}
    void Advance(unsigned) override {}
    void ShowLoadingProgress(int, int) override {}
    void ShowChannelMessage(const std::string& strText) override { m_messages.push_back(strText); }

    std::vector<std::string> m_messages;
};

// Runs the real serial channel and download protocol on an event loop of its
// own. Where the GUI would wait on a quiet tester for the user to cancel, it
// gives up after the stall limit, and it releases the port when a download
// ends in any way. Given a session log, it logs what goes over the line, the
// channel's messages and how the download ended.
class CHeadlessDownload final : private ISerialChannelOwner,
                                private IDownloadHost,
                                private IRecordViews
{
public:
    CHeadlessDownload(RecordTable& records, IHeadlessDisplay& display, CSessionLog* pLog = nullptr);

    // The table changes only when the outcome is Completed.
    DownloadOutcome Run(const std::string& strPort, int nTimeoutSeconds,
                        std::chrono::milliseconds stallLimit);

    OpenStatus LastOpenStatus() const { return m_port.LastOpenStatus(); }
    int LastSystemError() const { return m_port.LastSystemError(); }
    const std::string& DevicePath() const { return m_port.DevicePath(); }

private:
    // ISerialChannelOwner, called on the watch thread.
    void PostPortData(int nPortNr) override;
    void PostDeviceLost(int nPortNr) override;
    void PostChannelMessage(const std::string& strText) override;

    // IDownloadHost
    DownloadClock::time_point CurrentTime() const override { return DownloadClock::now(); }
    void StartTimer(int nTimerId, int nMilliseconds) override;
    void StopTimer(int nTimerId) override;
    std::string LoadString(int nStringId) override;
    void ReportFailure(DownloadOutcome failure) override;
    void RepostPortData() override;
    void PumpWaitingMessages() override;

    // IRecordViews
    void BeginLoadingProgress(const std::string& strText, int nRange) override;
    void StepLoadingProgress() override;
    void EndLoadingProgress() override {}
    void ClearTree() override {}
    void ClearItems() override {}
    void FillTree() override;

    void NoteActivity();
    void SetOutcome(DownloadOutcome outcome);
    void CheckForStall();

    IHeadlessDisplay& m_display;
    // Declared before the port's channel: the watch thread posts into the
    // loop until the channel's destructor has joined it.
    CEventLoop m_loop;
    CChannelPort m_port;
    CLoggedPort m_loggedPort;
    CSessionLog* m_pLog;
    CDownloadProtocol m_protocol;
    std::optional<DownloadOutcome> m_outcome;
    std::chrono::milliseconds m_stallLimit{0};
    int m_nLoadingStep = 0;
    int m_nLoadingRange = 0;
};
