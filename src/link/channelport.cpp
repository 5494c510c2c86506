#include "link/channelport.h"

CChannelPort::CChannelPort(ISerialChannelOwner& owner) : m_owner(owner) {}

bool CChannelPort::Open(const std::string& strPort, int nBaud)
{
    m_lastOpenStatus = m_channel.Open(m_owner, strPort, nBaud);
    return m_lastOpenStatus == OpenStatus::Ok;
}

void CChannelPort::Close()
{
    m_channel.Close();
}

int CChannelPort::Write(const char* pData, int nLength)
{
    return m_channel.Write(pData, nLength);
}

void CChannelPort::WriteChar(char ch)
{
    m_channel.WriteChar(ch);
}

bool CChannelPort::Get(char& ch)
{
    return m_channel.ReceiveQueue().Get(ch);
}

bool CChannelPort::HasQueuedData() const
{
    return m_channel.ReceiveQueue().GetCount() > 0;
}
