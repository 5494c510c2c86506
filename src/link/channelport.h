#pragma once

#include "link/downloadhost.h"
#include "link/serialchannel.h"

#include <string>

// The serial channel as the download protocol uses it. The channel's watch
// thread reports to the owner given here, which queues its calls to the
// thread that runs the download.
class CChannelPort final : public IDownloadPort
{
public:
    explicit CChannelPort(ISerialChannelOwner& owner);

    bool Open(const std::string& strPort, int nBaud) override;
    void Close() override;
    int Write(const char* pData, int nLength) override;
    void WriteChar(char ch) override;
    bool Get(char& ch) override;
    bool HasQueuedData() const override;

    // The owner has handled a PostPortData; the watch thread reads on.
    void AcknowledgePortData() { m_channel.AcknowledgePortData(); }
    // See CSerialChannel::Session: the owner takes it on the watch thread
    // with each notification and checks it when it handles it.
    unsigned Session() const { return m_channel.Session(); }
    bool IsCurrentSession(unsigned nSession) const { return nSession == m_channel.Session(); }
    OpenStatus LastOpenStatus() const { return m_lastOpenStatus; }
    int LastSystemError() const { return m_channel.LastSystemError(); }
    const std::string& DevicePath() const { return m_channel.DevicePath(); }

private:
    ISerialChannelOwner& m_owner;
    CSerialChannel m_channel;
    OpenStatus m_lastOpenStatus = OpenStatus::Ok;
};
