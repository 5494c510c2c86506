#pragma once

#include <chrono>
#include <memory>
#include <string>

enum class OpenStatus
{
    Ok,
    BadPortName,    // neither a port number nor a device path
    PortOpenFailed, // the device cannot be opened (see LastSystemError)
    PortBusy,       // another program holds the device
    SetupFailed,    // the device is no serial port or refused the settings (message posted)
    ThreadFailed,   // the watch thread could not start (message posted)
};

// The serial device under a channel: opened exclusively at fixed line
// settings, written by the owner's thread, waited on and read by the watch
// thread. Each platform has its own (serialport_posix.cpp, serialport_win32.cpp);
// the handles, events and saved settings stay in there.
class CSerialPort
{
public:
    // What a wait on the port ended with.
    enum class Event
    {
        DataArrived,
        Nothing, // woken by Close, or an event the watch thread does not want
        DeviceLost,
    };
    enum class ReadStatus
    {
        Data,
        NoData,
        DeviceLost,
    };

    CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;
    ~CSerialPort();

    // Opens and configures strDevice at nBaud, 8N1, raw. On SetupFailed the
    // fixed text for the user is in strMessage and the device stays open (the
    // next Open or Close closes it); on a failed open LastSystemError says why.
    // Only while no watch thread runs.
    OpenStatus Open(const std::string& strDevice, int nBaud, std::string& strMessage);
    // True from an Open that got the device until Close.
    bool IsOpen() const;
    // Ends a wait of the watch thread and closes the device, restoring its
    // previous settings where the platform keeps them. Never waits for the thread.
    void Close();
    // Writes all bytes (no time-out); returns how many were written. A write
    // that fails at once puts "ERROR CODE [n] " into strMessage.
    int Write(const char* pData, int nLength, std::string& strMessage);
    // Writes one byte, waiting at most the given time; a failure is not reported.
    void WriteChar(char ch, std::chrono::milliseconds wait);
    // The watch thread's wait: blocks until data arrives, the device goes
    // away or Close is called.
    Event WaitForEvent();
    // What the driver holds, at most nMax bytes, without waiting.
    ReadStatus ReadAvailable(char* pBuffer, int nMax, int& nRead);
    // The system's error code of the last failed open: errno, or
    // GetLastError on Windows.
    int LastSystemError() const;
    // What a failed open's code (LastSystemError) means, in the terms a
    // user can act on; each system has codes of its own.
    enum class Problem
    {
        NotFound,   // no such device: unplugged, or another name now
        NotAllowed, // the user may not use the device
        Other,      // the system's own text says it
    };
    static Problem ClassifyOpenError(int nError);

private:
    struct Platform;
    std::unique_ptr<Platform> m_pPlatform;
};
