#pragma once

#include "link/commqueue.h"
#include "link/serialport.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

// The owner of a channel hears from the watch thread. None of these calls may
// block or show anything on that thread: the owner queues them to its UI
// thread, which is the only one that shows messages.
class ISerialChannelOwner
{
public:
    // WM_PORT_DATA: received bytes wait in the channel's ring. The watch thread
    // reads no more until the owner has handled them and called
    // AcknowledgePortData, or until the channel is closed.
    virtual void PostPortData(int nPortNr) = 0;
    // The device went away (unplugged, hung up); the watch thread has ended.
    virtual void PostDeviceLost(int nPortNr) = 0;
    // A fixed low-level text for a message box, such as "COMM QUEUE OVERFLOW".
    // Also called on the owner's own thread, by Open and Write.
    virtual void PostChannelMessage(const std::string& strText) = 0;

protected:
    ~ISerialChannelOwner() = default;
};

// The link to the tester: a serial port opened exclusively at fixed line
// settings, and a watch thread that drains every received byte into the
// receive ring and tells the owner.
class CSerialChannel
{
public:
    static constexpr int kReadBufferSize = 2048;
    static constexpr std::chrono::milliseconds kReopenPause{500};
    static constexpr std::chrono::milliseconds kWriteCharWait{1000};

    CSerialChannel() = default;
    CSerialChannel(const CSerialChannel&) = delete;
    CSerialChannel& operator=(const CSerialChannel&) = delete;
    // Closes the port and waits for the watch thread, which uses the members.
    virtual ~CSerialChannel();

    // Opens and configures the port (a number or a device path) and starts the
    // watch thread. An open channel is closed first and its thread joined.
    OpenStatus Open(ISerialChannelOwner& owner, const std::string& strPort, int nBaud);
    // Ends the watch thread's loop (also when it waits for the owner) and closes
    // the port, restoring its previous settings. Never waits for the thread, so
    // it is safe inside the owner's handlers.
    void Close();
    // Writes all bytes (no time-out); returns how many were written.
    int Write(const char* pData, int nLength);
    // The single line feed of the prompt wait: waits at most kWriteCharWait,
    // and a failure is not reported (the next one follows a second later).
    void WriteChar(char ch);
    // The owner has handled a PostPortData; the watch thread reads on.
    void AcknowledgePortData();

    // Bytes received and not yet taken; the owner reads them with Get.
    CCommQueue& ReceiveQueue() { return m_RxQueue; }
    const CCommQueue& ReceiveQueue() const { return m_RxQueue; }
    // False once the watch thread has ended.
    bool IsWatching() const { return m_bWatching; }
    // Counts the opens. The owner's calls from a watch thread (on that thread)
    // see the session of that thread's open, so a notification still queued
    // from an earlier open can be told from the current ones.
    unsigned Session() const { return m_nSession; }
    // The system's error code of the last failed open: errno, or GetLastError on Windows.
    int LastSystemError() const { return m_port.LastSystemError(); }
    // The device the last Open chose.
    const std::string& DevicePath() const { return m_strDevice; }

private:
    void JoinWatchThread();
    void ThreadWatchComm();
    void DrainPort(bool& bDeviceLost);
    void NotifyOwnerAndWait();
    void ReportToOwner(const std::string& strText);

    CCommQueue m_RxQueue;
    int m_nPortNr = 0;
    std::string m_strDevice;
    // The device; its handles outlive the watch thread, which uses them.
    CSerialPort m_port;
    std::thread m_hThreadWatchComm;
    std::atomic<bool> m_bWatching{false}; // reset by the thread when it ends
    std::atomic<unsigned> m_nSession{0};
    std::atomic<bool> m_bConnected{false}; // the watch thread shall run
    ISerialChannelOwner* m_pOwner = nullptr;
    std::mutex m_ackMutex;
    std::condition_variable m_ackCondition;
    bool m_bAwaitingAck = false;
};
