#pragma once

#include "link/channelport.h"
#include "link/downloadevents.h"
#include "link/downloadhost.h"
#include "link/downloadprotocol.h"
#include "link/executor.h"
#include "link/loggedport.h"
#include "link/recordloader.h"
#include "link/serialchannel.h"
#include "link/sessionlog.h"
#include "records/testrecord.h"

#include <chrono>
#include <string>

// One download from the serial channel to the record table, run on an
// executor: the channel, the logged port, the protocol, the session log's
// notes, and the parse of the finished transfer. What happens goes to the
// owner's events; the records it parses show in the views.
class CDownloadSession final : private ISerialChannelOwner,
                               private IDownloadEvents,
                               private IStagedRecordsReceiver
{
public:
    // The executor outlives the session: the watch thread posts into it until
    // the channel's destructor has joined it.
    CDownloadSession(IExecutor& executor, IDownloadEvents& events, IRecordViews& views,
                     RecordTable& records, std::chrono::milliseconds parsePause);
    ~CDownloadSession();

    // Opens the port and starts the prompt wait; false (a Failed event) when
    // the port cannot be opened, or while the last download's records are
    // still being parsed.
    bool Start(const std::string& strPort, int nTimeoutSeconds);
    // Cancel in the popup: see CDownloadProtocol::OnDownloadCancel.
    void Cancel() { m_protocol.OnDownloadCancel(); }
    // Stops a download where it stands, without a message; the table is untouched.
    void Abort();
    bool IsParsing() const { return m_loader.IsLoading(); }

    // What goes over the line, the channel's messages and how downloads end
    // go to this log from now on; none when null.
    void SetLog(CSessionLog* pLog);
    void NoteOutcome(DownloadOutcome outcome);

    const CDownloadProtocol& Protocol() const { return m_protocol; }
    OpenStatus LastOpenStatus() const { return m_port.LastOpenStatus(); }
    int LastSystemError() const { return m_port.LastSystemError(); }
    const std::string& DevicePath() const { return m_port.DevicePath(); }

private:
    // ISerialChannelOwner, called on the watch thread.
    void PostPortData(int nPortNr) override;
    void PostDeviceLost(int nPortNr) override;
    void PostChannelMessage(const std::string& strText) override;
    // IDownloadEvents: what the protocol tells, passed on.
    void OnEvent(const AnyDownloadEvent& event) override;
    // IStagedRecordsReceiver
    void OnTransferDone(std::unique_ptr<RecordTable> pStaged) override;

    IExecutor& m_executor;
    IDownloadEvents& m_events;
    CSessionLog* m_pLog = nullptr;
    CChannelPort m_port;
    CLoggedPort m_loggedPort;
    CDownloadProtocol m_protocol;
    CRecordLoader m_loader;
};
