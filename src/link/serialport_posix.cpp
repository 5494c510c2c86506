// The serial port on POSIX: a terminal device in raw mode, locked against
// other programs, and an eventfd that lets Close wake the watch thread's poll.

#include "link/serialport.h"

#include "link/linesettings.h"
#include "link/linesettings_posix.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <mutex>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

bool WriteByte(int fd, char ch)
{
    return write(fd, &ch, 1) == 1;
}

} // namespace

struct CSerialPort::Platform
{
    int m_hComm = -1;
    // Written by Close to release the watch thread's poll.
    int m_nWakeFd = -1;
    // The descriptors the watch thread polls; set before it starts, so that
    // Close, which resets m_hComm, never races with it.
    int m_nWatchedFd = -1;
    termios m_dcb{}; // line settings as last applied
    termios m_savedTermios{};
    bool m_bSettingsSaved = false;
    // Guards the port handle during Open's configuration, Write and ReadAvailable.
    std::mutex m_csComm;
    int m_nLastError = 0;

    bool WaitWritable(std::chrono::milliseconds timeout) const;
    OpenStatus Configure(int nBaud, std::string& strMessage);
};

CSerialPort::CSerialPort() : m_pPlatform(std::make_unique<Platform>()) {}

CSerialPort::~CSerialPort()
{
    Close();
    if (m_pPlatform->m_nWakeFd >= 0)
        close(m_pPlatform->m_nWakeFd);
}

OpenStatus CSerialPort::Open(const std::string& strDevice, int nBaud, std::string& strMessage)
{
    Platform& port = *m_pPlatform;
    Close();
    // The previous watch thread has ended: its wake event starts afresh.
    if (port.m_nWakeFd >= 0)
        close(port.m_nWakeFd);
    port.m_nWakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (port.m_nWakeFd < 0) {
        strMessage = "m_osRead.hEvent = CreateEvent";
        return OpenStatus::SetupFailed;
    }

    std::lock_guard lock(port.m_csComm);
    port.m_hComm = open(strDevice.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (port.m_hComm < 0) {
        port.m_nLastError = errno;
        return OpenStatus::PortOpenFailed;
    }
    // TIOCEXCL keeps other users out but not root; the lock keeps out every
    // program that locks the device the same way. Lock first, so that a busy
    // port's exclusive flag is never touched here.
    if (flock(port.m_hComm, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        port.m_nLastError = errno;
        close(port.m_hComm);
        port.m_hComm = -1;
        return OpenStatus::PortBusy;
    }
    ioctl(port.m_hComm, TIOCEXCL);
    tcflush(port.m_hComm, TCIOFLUSH);
    port.m_nWatchedFd = port.m_hComm;
    return port.Configure(nBaud, strMessage);
}

// A failure leaves the port open without a watch thread; the next Open or
// Close closes it.
OpenStatus CSerialPort::Platform::Configure(int nBaud, std::string& strMessage)
{
    if (tcgetattr(m_hComm, &m_savedTermios) != 0) {
        strMessage = "GetCommState";
        return OpenStatus::SetupFailed;
    }
    m_bSettingsSaved = true;

    const std::string strSettings = LineSettingsText(nBaud);
    m_dcb = m_savedTermios;
    MakeRawLine(m_dcb);
    if (!ApplyLineSettings(strSettings, m_dcb)) {
        strMessage = strSettings;
        return OpenStatus::SetupFailed;
    }
    if (tcsetattr(m_hComm, TCSANOW, &m_dcb) != 0) {
        strMessage = "SetCommState";
        return OpenStatus::SetupFailed;
    }
    return OpenStatus::Ok;
}

bool CSerialPort::IsOpen() const
{
    return m_pPlatform->m_hComm >= 0;
}

void CSerialPort::Close()
{
    Platform& port = *m_pPlatform;
    if (port.m_nWakeFd >= 0)
        eventfd_write(port.m_nWakeFd, 1);

    std::lock_guard lock(port.m_csComm);
    if (port.m_hComm < 0)
        return;
    tcflush(port.m_hComm, TCIOFLUSH);
    if (port.m_bSettingsSaved)
        tcsetattr(port.m_hComm, TCSANOW, &port.m_savedTermios);
    // On a pseudo-terminal the exclusive flag outlives this close, and a user
    // other than root could not open the port again.
    ioctl(port.m_hComm, TIOCNXCL);
    // A close alone would keep the lock while the watch thread is still in its
    // poll: the device is let go only when that thread leaves it.
    flock(port.m_hComm, LOCK_UN);
    close(port.m_hComm);
    port.m_hComm = -1;
    port.m_bSettingsSaved = false;
}

int CSerialPort::Write(const char* pData, int nLength, std::string& strMessage)
{
    Platform& port = *m_pPlatform;
    std::lock_guard lock(port.m_csComm);
    int nWritten = 0;
    while (nWritten < nLength) {
        const ssize_t n =
            write(port.m_hComm, pData + nWritten, static_cast<size_t>(nLength - nWritten));
        if (n > 0) {
            nWritten += static_cast<int>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            // The driver's queue is full: the write is pending until there is room.
            if (!port.WaitWritable(std::chrono::milliseconds(-1)))
                break;
        } else {
            if (nWritten == 0) {
                char text[32];
                std::snprintf(text, sizeof text, "ERROR CODE [%d] ", n < 0 ? errno : EIO);
                strMessage = text;
            }
            break;
        }
    }
    return nWritten;
}

void CSerialPort::WriteChar(char ch, std::chrono::milliseconds wait)
{
    const Platform& port = *m_pPlatform;
    if (!WriteByte(port.m_hComm, ch) && errno == EAGAIN && port.WaitWritable(wait))
        WriteByte(port.m_hComm, ch);
}

bool CSerialPort::Platform::WaitWritable(std::chrono::milliseconds timeout) const
{
    pollfd port{m_hComm, POLLOUT, 0};
    int nReady = 0;
    do {
        nReady = poll(&port, 1, static_cast<int>(timeout.count()));
    } while (nReady < 0 && errno == EINTR);
    return nReady == 1 && (port.revents & POLLOUT) && !(port.revents & (POLLERR | POLLHUP));
}

CSerialPort::Event CSerialPort::WaitForEvent()
{
    const Platform& port = *m_pPlatform;
    // Blocks until the port has data or trouble, or Close writes the wake event.
    std::array<pollfd, 2> fds = {pollfd{port.m_nWatchedFd, POLLIN, 0},
                                 pollfd{port.m_nWakeFd, POLLIN, 0}};
    if (poll(fds.data(), fds.size(), -1) < 0)
        return errno == EINTR ? Event::Nothing : Event::DeviceLost;
    if (fds[1].revents & POLLIN)
        return Event::Nothing;
    if (fds[0].revents & POLLIN)
        return Event::DataArrived;
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))
        return Event::DeviceLost;
    return Event::Nothing;
}

CSerialPort::ReadStatus CSerialPort::ReadAvailable(char* pBuffer, int nMax, int& nRead)
{
    Platform& port = *m_pPlatform;
    std::lock_guard lock(port.m_csComm);
    nRead = 0;
    if (port.m_hComm < 0)
        return ReadStatus::NoData;
    for (;;) {
        const ssize_t n = read(port.m_hComm, pBuffer, static_cast<size_t>(nMax));
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

int CSerialPort::LastSystemError() const
{
    return m_pPlatform->m_nLastError;
}

CSerialPort::Problem CSerialPort::ClassifyOpenError(int nError)
{
    switch (nError) {
    case ENOENT:
    case ENODEV:
    case ENXIO: return Problem::NotFound;
    case EACCES:
    case EPERM: return Problem::NotAllowed;
    default: return Problem::Other;
    }
}
