// The serial port on Windows: a COM port opened for overlapped I/O. The watch
// thread waits on WaitCommEvent with an OVERLAPPED record of its own and on a
// wake event, so that Close can always end the wait: it sets the wake event,
// clears the event mask and closes the port.

#include "link/serialport.h"

#include "link/linesettings.h"
#include "records/systemerror.h"

#include <array>
#include <cstdio>
#include <memory>

#include <windows.h>

namespace {

constexpr DWORD kDriverQueueSize = 10000;
constexpr DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;
// How often the watch thread looks at the queue of a driver that cannot wait.
constexpr DWORD kQueuePollMilliseconds = 20;
// How long Close's end of a wait may take before the driver is given up on.
constexpr DWORD kEndWaitMilliseconds = 2000;

// A manual-reset event, not signalled; nullptr when the system has none to give.
HANDLE NewEvent()
{
    return CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

void CloseEvent(HANDLE& hEvent)
{
    if (hEvent)
        CloseHandle(hEvent);
    hEvent = nullptr;
}

// A fixed text of the program and the system's reason for the last failure.
std::string WithSystemReason(const std::string& strText, DWORD nError)
{
    return strText + ": " + SystemErrorText(static_cast<int>(nError));
}

class CriticalSectionLock
{
public:
    explicit CriticalSectionLock(CRITICAL_SECTION& section) : m_section(section)
    {
        EnterCriticalSection(&m_section);
    }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;
    ~CriticalSectionLock() { LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION& m_section;
};

// The watch thread's WaitCommEvent: its record and the event mask it fills
// in, which must stay in place as long as the wait is pending.
struct WaitRecord
{
    OVERLAPPED m_overlapped{};
    DWORD m_dwEventMask = 0;
};

} // namespace

struct CSerialPort::Platform
{
    Platform() { InitializeCriticalSection(&m_csComm); }
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;
    ~Platform()
    {
        CloseEvents();
        DeleteCriticalSection(&m_csComm);
    }

    bool CreateEvents(std::string& strMessage);
    void CloseEvents();
    OpenStatus Configure(int nBaud, std::string& strMessage);
    // Waits until an overlapped transfer has ended; the bytes it moved.
    DWORD FinishTransfer(OVERLAPPED& overlapped);
    void ClearError();
    Event AwaitWaitCommEvent();
    Event PollQueue();
    Event QueueEvent();
    void EndPendingWait();

    HANDLE m_hComm = INVALID_HANDLE_VALUE;
    OVERLAPPED m_osRead{};
    OVERLAPPED m_osWrite{};
    std::unique_ptr<WaitRecord> m_pWait;
    HANDLE m_hWaitIssuedOn = INVALID_HANDLE_VALUE;
    // The driver cannot watch this line: the watch thread looks at its queue.
    bool m_bPollQueue = false;
    // Set by Close to end the watch thread's wait.
    HANDLE m_hWake = nullptr;
    DCB m_dcb{}; // line settings as last applied
    // Guards the port handle during Open's configuration, Write, ReadAvailable
    // and the start of the watch thread's wait.
    CRITICAL_SECTION m_csComm;
    DWORD m_nLastError = 0;
};

CSerialPort::CSerialPort() : m_pPlatform(std::make_unique<Platform>()) {}

CSerialPort::~CSerialPort()
{
    Close();
}

// The watch thread's events (its reads, its wait and the wake-up) count as
// the read side.
bool CSerialPort::Platform::CreateEvents(std::string& strMessage)
{
    CloseEvents();
    m_osRead = OVERLAPPED{};
    m_osRead.hEvent = NewEvent();
    m_pWait = std::make_unique<WaitRecord>();
    m_pWait->m_overlapped.hEvent = NewEvent();
    m_hWake = NewEvent();
    m_bPollQueue = false;
    if (!m_osRead.hEvent || !m_pWait->m_overlapped.hEvent || !m_hWake) {
        strMessage = WithSystemReason("m_osRead.hEvent = CreateEvent", GetLastError());
        return false;
    }
    m_osWrite = OVERLAPPED{};
    m_osWrite.hEvent = NewEvent();
    if (!m_osWrite.hEvent) {
        strMessage = WithSystemReason("m_osWrite.hEvent = CreateEvent", GetLastError());
        return false;
    }
    return true;
}

void CSerialPort::Platform::CloseEvents()
{
    CloseEvent(m_osRead.hEvent);
    CloseEvent(m_osWrite.hEvent);
    if (m_pWait)
        CloseEvent(m_pWait->m_overlapped.hEvent);
    CloseEvent(m_hWake);
}

OpenStatus CSerialPort::Open(const std::string& strDevice, int nBaud, std::string& strMessage)
{
    Platform& port = *m_pPlatform;
    Close();
    // No watch thread runs now, and none of the old events is waited on.
    if (!port.CreateEvents(strMessage))
        return OpenStatus::SetupFailed;

    CriticalSectionLock lock(port.m_csComm);
    port.m_hComm =
        CreateFileA(strDevice.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
    if (port.m_hComm == INVALID_HANDLE_VALUE) {
        port.m_nLastError = GetLastError();
        // A COM port that another program holds is refused as access denied.
        return port.m_nLastError == ERROR_ACCESS_DENIED ||
                       port.m_nLastError == ERROR_SHARING_VIOLATION
                   ? OpenStatus::PortBusy
                   : OpenStatus::PortOpenFailed;
    }
    // Failures of these show in the steps that follow.
    SetCommMask(port.m_hComm, EV_RXCHAR);
    SetupComm(port.m_hComm, kDriverQueueSize, kDriverQueueSize);
    PurgeComm(port.m_hComm, kPurgeAll);
    // A read returns at once with what the driver holds; a write has no time-out.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    SetCommTimeouts(port.m_hComm, &timeouts);
    return port.Configure(nBaud, strMessage);
}

// A failure leaves the port open without a watch thread; the next Open or
// Close closes it.
OpenStatus CSerialPort::Platform::Configure(int nBaud, std::string& strMessage)
{
    const std::string strSettings = LineSettingsText(nBaud);
    m_dcb = DCB{};
    m_dcb.DCBlength = sizeof(DCB);
    if (!GetCommState(m_hComm, &m_dcb)) {
        strMessage = WithSystemReason("GetCommState", GetLastError());
        return OpenStatus::SetupFailed;
    }
    if (!BuildCommDCBA(strSettings.c_str(), &m_dcb)) {
        strMessage = WithSystemReason(strSettings, GetLastError());
        return OpenStatus::SetupFailed;
    }
    if (!SetCommState(m_hComm, &m_dcb)) {
        strMessage = WithSystemReason("SetCommState", GetLastError());
        return OpenStatus::SetupFailed;
    }
    // The watch thread hears of nothing but EV_RXCHAR. A port that refuses the
    // mask fails here, before a thread starts that would never hear of data.
    if (!SetCommMask(m_hComm, EV_RXCHAR)) {
        strMessage = WithSystemReason("ERROR WHILE CREATING ThreadWatchComm,", GetLastError());
        return OpenStatus::SetupFailed;
    }
    return OpenStatus::Ok;
}

bool CSerialPort::IsOpen() const
{
    return m_pPlatform->m_hComm != INVALID_HANDLE_VALUE;
}

void CSerialPort::Close()
{
    Platform& port = *m_pPlatform;
    if (port.m_hWake)
        SetEvent(port.m_hWake);

    CriticalSectionLock lock(port.m_csComm);
    if (port.m_hComm == INVALID_HANDLE_VALUE)
        return;
    // A mask of 0 completes a pending WaitCommEvent; closing cancels the rest.
    SetCommMask(port.m_hComm, 0);
    PurgeComm(port.m_hComm, kPurgeAll);
    CloseHandle(port.m_hComm);
    port.m_hComm = INVALID_HANDLE_VALUE;
}

DWORD CSerialPort::Platform::FinishTransfer(OVERLAPPED& overlapped)
{
    DWORD nTransferred = 0;
    while (!GetOverlappedResult(m_hComm, &overlapped, &nTransferred, TRUE)) {
        if (GetLastError() != ERROR_IO_INCOMPLETE) {
            ClearError();
            break;
        }
    }
    return nTransferred;
}

void CSerialPort::Platform::ClearError()
{
    DWORD dwErrors = 0;
    ClearCommError(m_hComm, &dwErrors, nullptr);
}

int CSerialPort::Write(const char* pData, int nLength, std::string& strMessage)
{
    Platform& port = *m_pPlatform;
    CriticalSectionLock lock(port.m_csComm);
    DWORD nWritten = 0;
    if (WriteFile(port.m_hComm, pData, static_cast<DWORD>(nLength), &nWritten, &port.m_osWrite))
        return static_cast<int>(nWritten);
    const DWORD nError = GetLastError();
    if (nError == ERROR_IO_PENDING)
        return static_cast<int>(port.FinishTransfer(port.m_osWrite));
    char text[32];
    std::snprintf(text, sizeof text, "ERROR CODE [%lu] ", static_cast<unsigned long>(nError));
    strMessage = text + SystemErrorText(static_cast<int>(nError));
    port.ClearError();
    return 0;
}

// A byte the driver has not taken within the wait is cancelled, so that the
// write record is free again for the next write.
void CSerialPort::WriteChar(char ch, std::chrono::milliseconds wait)
{
    Platform& port = *m_pPlatform;
    DWORD nWritten = 0;
    if (WriteFile(port.m_hComm, &ch, 1, &nWritten, &port.m_osWrite) ||
        GetLastError() != ERROR_IO_PENDING)
        return;
    if (WaitForSingleObject(port.m_osWrite.hEvent, static_cast<DWORD>(wait.count())) !=
        WAIT_OBJECT_0)
        CancelIoEx(port.m_hComm, &port.m_osWrite);
    GetOverlappedResult(port.m_hComm, &port.m_osWrite, &nWritten, TRUE);
}

CSerialPort::Event CSerialPort::WaitForEvent()
{
    Platform& port = *m_pPlatform;
    if (port.m_bPollQueue)
        return port.PollQueue();
    WaitRecord& wait = *port.m_pWait;
    {
        // Started under the lock, so Close either finds the wait pending and
        // ends it, or has closed the port before and the wait never starts.
        CriticalSectionLock lock(port.m_csComm);
        if (port.m_hComm == INVALID_HANDLE_VALUE)
            return Event::Nothing;
        wait.m_dwEventMask = 0;
        port.m_hWaitIssuedOn = port.m_hComm;
        // A wait that ended at once may have left the event signalled.
        ResetEvent(wait.m_overlapped.hEvent);
        if (WaitCommEvent(port.m_hComm, &wait.m_dwEventMask, &wait.m_overlapped))
            return (wait.m_dwEventMask & EV_RXCHAR) ? Event::DataArrived : Event::Nothing;
        // Any other failure would fail again at once: the port is gone.
        if (GetLastError() != ERROR_IO_PENDING)
            return Event::DeviceLost;
    }
    return port.AwaitWaitCommEvent();
}

CSerialPort::Event CSerialPort::Platform::AwaitWaitCommEvent()
{
    WaitRecord& wait = *m_pWait;
    const std::array<HANDLE, 2> events = {wait.m_overlapped.hEvent, m_hWake};
    if (WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(), FALSE, INFINITE) !=
        WAIT_OBJECT_0) {
        EndPendingWait();
        return Event::Nothing;
    }
    DWORD nUnused = 0;
    if (GetOverlappedResult(m_hWaitIssuedOn, &wait.m_overlapped, &nUnused, FALSE))
        return (wait.m_dwEventMask & EV_RXCHAR) ? Event::DataArrived : Event::Nothing;
    const DWORD nError = GetLastError();
    if (nError != ERROR_OPERATION_ABORTED && nError != ERROR_IO_INCOMPLETE)
        return Event::DeviceLost;
    // A wait given up without Close, or signalled without a result: the driver
    // cannot watch this line (Wine on a pseudo-terminal, which has no modem
    // lines, does both). From now on the thread looks at the queue itself.
    if (nError == ERROR_IO_INCOMPLETE)
        EndPendingWait();
    m_bPollQueue = true;
    return QueueEvent();
}

CSerialPort::Event CSerialPort::Platform::PollQueue()
{
    if (WaitForSingleObject(m_hWake, kQueuePollMilliseconds) == WAIT_OBJECT_0)
        return Event::Nothing;
    return QueueEvent();
}

CSerialPort::Event CSerialPort::Platform::QueueEvent()
{
    CriticalSectionLock lock(m_csComm);
    if (m_hComm == INVALID_HANDLE_VALUE)
        return Event::Nothing;
    DWORD dwErrors = 0;
    COMSTAT status{};
    if (!ClearCommError(m_hComm, &dwErrors, &status))
        return Event::DeviceLost;
    return status.cbInQue > 0 ? Event::DataArrived : Event::Nothing;
}

// The pending wait ends when Close clears the mask or closes the port, or
// when it is cancelled here. A driver that does not end it in time keeps its
// record: it is let go rather than freed, so that a late end writes into
// memory nobody else uses.
void CSerialPort::Platform::EndPendingWait()
{
    OVERLAPPED& overlapped = m_pWait->m_overlapped;
    {
        CriticalSectionLock lock(m_csComm);
        if (m_hComm != INVALID_HANDLE_VALUE)
            CancelIoEx(m_hComm, &overlapped);
    }
    DWORD nUnused = 0;
    if (WaitForSingleObject(overlapped.hEvent, kEndWaitMilliseconds) == WAIT_OBJECT_0 &&
        (GetOverlappedResult(m_hWaitIssuedOn, &overlapped, &nUnused, FALSE) ||
         GetLastError() != ERROR_IO_INCOMPLETE))
        return;
    static_cast<void>(m_pWait.release());
    m_pWait = std::make_unique<WaitRecord>();
    m_pWait->m_overlapped.hEvent = NewEvent();
}

CSerialPort::ReadStatus CSerialPort::ReadAvailable(char* pBuffer, int nMax, int& nRead)
{
    Platform& port = *m_pPlatform;
    CriticalSectionLock lock(port.m_csComm);
    nRead = 0;
    if (port.m_hComm == INVALID_HANDLE_VALUE)
        return ReadStatus::NoData;
    DWORD dwErrors = 0;
    COMSTAT status{};
    if (!ClearCommError(port.m_hComm, &dwErrors, &status))
        return ReadStatus::DeviceLost;
    if (status.cbInQue == 0)
        return ReadStatus::NoData;
    DWORD nCount = 0;
    if (!ReadFile(port.m_hComm, pBuffer, static_cast<DWORD>(nMax), &nCount, &port.m_osRead)) {
        if (GetLastError() != ERROR_IO_PENDING) {
            port.ClearError();
            return ReadStatus::NoData;
        }
        nCount = port.FinishTransfer(port.m_osRead);
    }
    nRead = static_cast<int>(nCount);
    return nRead > 0 ? ReadStatus::Data : ReadStatus::NoData;
}

int CSerialPort::LastSystemError() const
{
    return static_cast<int>(m_pPlatform->m_nLastError);
}

CSerialPort::Problem CSerialPort::ClassifyOpenError(int nError)
{
    switch (static_cast<DWORD>(nError)) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return Problem::NotFound;
    default: return Problem::Other;
    }
}
