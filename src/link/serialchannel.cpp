#include "serialchannel.h"

#include "linesettings.h"
#include "portname.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

bool WriteByte(int fd, char ch)
{
    return write(fd, &ch, 1) == 1;
}

} // namespace

CSerialChannel::~CSerialChannel()
{
    Close();
    JoinWatchThread();
}

OpenStatus CSerialChannel::Open(ISerialChannelOwner& owner, const std::string& strPort, int nBaud)
{
    if (m_hComm >= 0) {
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

    m_nWakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_nWakeFd < 0) {
        ReportToOwner("m_osRead.hEvent = CreateEvent");
        return OpenStatus::SetupFailed;
    }
    // Bytes a previous session left unread belong to nobody now.
    m_RxQueue.Empty();

    const OpenStatus status = OpenDevice(nBaud);
    if (status != OpenStatus::Ok)
        return status;

    try {
        m_bWatching = true;
        m_hThreadWatchComm =
            std::thread(&CSerialChannel::ThreadWatchComm, this, m_hComm, m_nWakeFd);
    } catch (const std::system_error&) {
        m_bWatching = false;
        ReportToOwner("m_hThreadWatchComm = CreateThread");
        Close();
        return OpenStatus::ThreadFailed;
    }
    return OpenStatus::Ok;
}

OpenStatus CSerialChannel::OpenDevice(int nBaud)
{
    std::lock_guard lock(m_csComm);
    m_hComm = open(m_strDevice.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_hComm < 0) {
        m_nLastError = errno;
        return OpenStatus::PortOpenFailed;
    }
    // TIOCEXCL keeps other users out but not root; the lock keeps out every
    // program that locks the device the same way. Lock first, so that a busy
    // port's exclusive flag is never touched here.
    if (flock(m_hComm, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        m_nLastError = errno;
        close(m_hComm);
        m_hComm = -1;
        return OpenStatus::PortBusy;
    }
    ioctl(m_hComm, TIOCEXCL);
    tcflush(m_hComm, TCIOFLUSH);

    if (tcgetattr(m_hComm, &m_savedTermios) != 0)
        return FailSetup("GetCommState");
    m_bSettingsSaved = true;

    const std::string strSettings = LineSettingsText(nBaud);
    m_dcb = m_savedTermios;
    MakeRawLine(m_dcb);
    if (!ApplyLineSettings(strSettings, m_dcb))
        return FailSetup(strSettings);
    if (tcsetattr(m_hComm, TCSANOW, &m_dcb) != 0)
        return FailSetup("SetCommState");

    m_bConnected = true;
    return OpenStatus::Ok;
}

// The port stays open without a watch thread; the next Open or the
// destructor closes it.
OpenStatus CSerialChannel::FailSetup(const std::string& strMessage)
{
    ReportToOwner(strMessage);
    return OpenStatus::SetupFailed;
}

void CSerialChannel::Close()
{
    {
        std::lock_guard lock(m_ackMutex);
        m_bConnected = false;
    }
    m_ackCondition.notify_all();
    if (m_nWakeFd >= 0)
        eventfd_write(m_nWakeFd, 1);

    std::lock_guard lock(m_csComm);
    if (m_hComm < 0)
        return;
    tcflush(m_hComm, TCIOFLUSH);
    if (m_bSettingsSaved)
        tcsetattr(m_hComm, TCSANOW, &m_savedTermios);
    // On a pseudo-terminal the exclusive flag outlives this close, and a user
    // other than root could not open the port again.
    ioctl(m_hComm, TIOCNXCL);
    close(m_hComm);
    m_hComm = -1;
    m_bSettingsSaved = false;
}

void CSerialChannel::JoinWatchThread()
{
    if (m_hThreadWatchComm.joinable())
        m_hThreadWatchComm.join();
    if (m_nWakeFd >= 0) {
        close(m_nWakeFd);
        m_nWakeFd = -1;
    }
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
    std::lock_guard lock(m_csComm);
    int nWritten = 0;
    while (nWritten < nLength) {
        const ssize_t n = write(m_hComm, pData + nWritten, static_cast<size_t>(nLength - nWritten));
        if (n > 0) {
            nWritten += static_cast<int>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            // The driver's queue is full: the write is pending until there is room.
            if (!WaitWritable(std::chrono::milliseconds(-1)))
                break;
        } else {
            if (nWritten == 0) {
                char text[32];
                std::snprintf(text, sizeof text, "ERROR CODE [%d] ", n < 0 ? errno : EIO);
                ReportToOwner(text);
            }
            break;
        }
    }
    return nWritten;
}

void CSerialChannel::WriteChar(char ch)
{
    if (!WriteByte(m_hComm, ch) && errno == EAGAIN && WaitWritable(kWriteCharWait))
        WriteByte(m_hComm, ch);
}

bool CSerialChannel::WaitWritable(std::chrono::milliseconds timeout)
{
    pollfd port{m_hComm, POLLOUT, 0};
    int nReady = 0;
    do {
        nReady = poll(&port, 1, static_cast<int>(timeout.count()));
    } while (nReady < 0 && errno == EINTR);
    return nReady == 1 && (port.revents & POLLOUT) && !(port.revents & (POLLERR | POLLHUP));
}

void CSerialChannel::ThreadWatchComm(int nPortFd, int nWakeFd)
{
    bool bDeviceLost = false;
    while (m_bConnected && !bDeviceLost) {
        // Blocks until the port has data or trouble, or Close writes the wake event.
        std::array<pollfd, 2> fds = {pollfd{nPortFd, POLLIN, 0}, pollfd{nWakeFd, POLLIN, 0}};
        if (poll(fds.data(), fds.size(), -1) < 0) {
            bDeviceLost = errno != EINTR;
            continue;
        }
        if (!m_bConnected)
            break;
        if (fds[0].revents & POLLIN) {
            DrainPort(bDeviceLost);
            NotifyOwnerAndWait();
        } else if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
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
        const ReadStatus status = ReadAvailable(buffer.data(), kReadBufferSize, nRead);
        if (status == ReadStatus::NoData)
            break;
        if (status == ReadStatus::DeviceLost) {
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

CSerialChannel::ReadStatus CSerialChannel::ReadAvailable(char* pBuffer, int nMax, int& nRead)
{
    std::lock_guard lock(m_csComm);
    nRead = 0;
    if (m_hComm < 0)
        return ReadStatus::NoData;
    for (;;) {
        const ssize_t n = read(m_hComm, pBuffer, static_cast<size_t>(nMax));
        if (n > 0) {
            nRead = static_cast<int>(n);
            return ReadStatus::Data;
        }
        // A read waits for at least one byte, so an empty one is a hang-up.
        if (n == 0)
            return ReadStatus::DeviceLost;
        if (errno == EINTR)
            continue;
        return errno == EAGAIN ? ReadStatus::NoData : ReadStatus::DeviceLost;
    }
}

void CSerialChannel::ReportToOwner(const std::string& strText)
{
    if (m_pOwner)
        m_pOwner->PostChannelMessage(strText);
}
