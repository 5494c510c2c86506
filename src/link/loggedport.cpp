#include "link/loggedport.h"

#include "link/sessionlog.h"

#include <algorithm>

CLoggedPort::CLoggedPort(IDownloadPort& port) : m_port(port) {}

void CLoggedPort::SetLog(CSessionLog* pLog)
{
    m_pLog = pLog;
}

bool CLoggedPort::Open(const std::string& strPort, int nBaud)
{
    m_bOpen = m_port.Open(strPort, nBaud);
    if (m_pLog) {
        m_pLog->Note((m_bOpen ? "port opened: " : "port failed to open: ") + strPort + " at " +
                     std::to_string(nBaud) + " baud");
    }
    return m_bOpen;
}

void CLoggedPort::Close()
{
    m_port.Close();
    if (m_pLog && m_bOpen)
        m_pLog->Note("port closed");
    m_bOpen = false;
}

// Only what the port took went over the line.
int CLoggedPort::Write(const char* pData, int nLength)
{
    const int nWritten = m_port.Write(pData, nLength);
    if (m_pLog) {
        m_pLog->LogSent(pData, std::clamp(nWritten, 0, nLength));
        if (nWritten < nLength)
            m_pLog->Note("the port took " + std::to_string(nWritten) + " of " +
                         std::to_string(nLength) + " bytes");
    }
    return nWritten;
}

void CLoggedPort::WriteChar(char ch)
{
    m_port.WriteChar(ch);
    if (m_pLog)
        m_pLog->LogSent(&ch, 1);
}

bool CLoggedPort::Get(char& ch)
{
    if (!m_port.Get(ch))
        return false;
    if (m_pLog)
        m_pLog->LogReceived(ch);
    return true;
}

bool CLoggedPort::HasQueuedData() const
{
    return m_port.HasQueuedData();
}
