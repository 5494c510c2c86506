#include "link/serialchannel.h"

#include "link/portname.h"

#include <array>
#include <system_error>

CSerialChannel::~CSerialChannel()
{
    Close();
    JoinWatchThread();
}

OpenStatus CSerialChannel::Open(ISerialChannelOwner& owner, const std::string& strPort, int nBaud)
{
    if (m_port.IsOpen()) {
        // Only one watch thread may exist: the previous one leaves its loop
        // before a new one starts.
        Close();
        JoinWatchThread();
        std::this_thread::sleep_for(kReopenPause);
    }
    // A thread that ended on a lost device still has to be joined.
    JoinWatchThread();
    // No thread of the earlier open is left to speak for it.
    ++m_nSession;

    m_pOwner = &owner;
    const std::optional<SerialPortName> name = ResolvePortName(strPort);
    if (!name)
        return OpenStatus::BadPortName;
    m_nPortNr = name->m_nNumber;
    m_strDevice = name->m_strDevice;
    // Bytes a previous session left unread belong to nobody now.
    m_RxQueue.Empty();

    std::string strMessage;
    const OpenStatus status = m_port.Open(m_strDevice, nBaud, strMessage);
    if (!strMessage.empty())
        ReportToOwner(strMessage);
    if (status != OpenStatus::Ok)
        return status;

    try {
        m_bConnected = true;
        m_bWatching = true;
        m_hThreadWatchComm = std::thread(&CSerialChannel::ThreadWatchComm, this);
    } catch (const std::system_error&) {
        m_bWatching = false;
        ReportToOwner("m_hThreadWatchComm = CreateThread");
        Close();
        return OpenStatus::ThreadFailed;
    }
    return OpenStatus::Ok;
}

void CSerialChannel::Close()
{
    {
        std::lock_guard lock(m_ackMutex);
        m_bConnected = false;
    }
    m_ackCondition.notify_all();
    m_port.Close();
}

void CSerialChannel::JoinWatchThread()
{
    if (m_hThreadWatchComm.joinable())
        m_hThreadWatchComm.join();
}

void CSerialChannel::AcknowledgePortData()
{
    {
        std::lock_guard lock(m_ackMutex);
        m_bAwaitingAck = false;
    }
    m_ackCondition.notify_all();
}

int CSerialChannel::Write(const char* pData, int nLength)
{
    std::string strMessage;
    const int nWritten = m_port.Write(pData, nLength, strMessage);
    if (!strMessage.empty())
        ReportToOwner(strMessage);
    return nWritten;
}

void CSerialChannel::WriteChar(char ch)
{
    m_port.WriteChar(ch, kWriteCharWait);
}

void CSerialChannel::ThreadWatchComm()
{
    bool bDeviceLost = false;
    while (m_bConnected && !bDeviceLost) {
        const CSerialPort::Event event = m_port.WaitForEvent();
        if (!m_bConnected)
            break;
        if (event == CSerialPort::Event::DataArrived) {
            DrainPort(bDeviceLost);
            NotifyOwnerAndWait();
        } else if (event == CSerialPort::Event::DeviceLost) {
            bDeviceLost = true;
        }
    }
    if (bDeviceLost && m_bConnected && m_pOwner)
        m_pOwner->PostDeviceLost(m_nPortNr);
    m_bWatching = false;
}

// Reads until the driver holds nothing more. A read that does not fit in the
// ring is dropped whole; the owner hears of it once per drain, since its
// messages queue up on the UI thread instead of holding this thread.
void CSerialChannel::DrainPort(bool& bDeviceLost)
{
    std::array<char, kReadBufferSize> buffer;
    bool bOverflow = false;
    for (;;) {
        int nRead = 0;
        const CSerialPort::ReadStatus status =
            m_port.ReadAvailable(buffer.data(), kReadBufferSize, nRead);
        if (status == CSerialPort::ReadStatus::NoData)
            break;
        if (status == CSerialPort::ReadStatus::DeviceLost) {
            bDeviceLost = true;
            break;
        }
        if (!m_RxQueue.PutWhole(buffer.data(), nRead))
            bOverflow = true;
    }
    if (bOverflow)
        ReportToOwner("COMM QUEUE OVERFLOW");
}

void CSerialChannel::NotifyOwnerAndWait()
{
    std::unique_lock lock(m_ackMutex);
    if (!m_bConnected || !m_pOwner)
        return;
    m_bAwaitingAck = true;
    lock.unlock();
    m_pOwner->PostPortData(m_nPortNr);
    lock.lock();
    m_ackCondition.wait(lock, [this] { return !m_bAwaitingAck || !m_bConnected; });
}

void CSerialChannel::ReportToOwner(const std::string& strText)
{
    if (m_pOwner)
        m_pOwner->PostChannelMessage(strText);
}
