#pragma once

#include <string>

// Window messages and timers of the download; the numbers are fixed.
inline constexpr unsigned WM_PORT_DATA = 1031;       // WM_USER + 7, from the watch thread
inline constexpr unsigned WM_DOWNLOAD_CANCEL = 9999; // the progress popup's Cancel button
inline constexpr int TIMER_PROMPT_WAIT = 11;         // every 100 ms until the prompt
inline constexpr int TIMER_NEXT_COMMAND = 12;        // one-shot, before each command
inline constexpr int TIMER_STALL_NOTICE = 13;        // one-shot: the tester went quiet mid-answer
inline constexpr int TIMER_PARSE_STEP = 14;          // one-shot: the next record to parse

// String resources of the download; their texts come from the resource pack.
inline constexpr int IDS_PORT_OPEN_FAILED = 58204;
inline constexpr int IDS_PROMPT_WAIT_CAPTION = 58205;
inline constexpr int IDS_PROMPT_WAIT_MESSAGE = 58206;
inline constexpr int IDS_PROMPT_TIMEOUT_TEXT = 58207;
inline constexpr int IDS_PROMPT_TIMEOUT_CAPTION = 58208;
inline constexpr int IDS_TRANSFER_CAPTION = 58209;
inline constexpr int IDS_TRANSFER_MESSAGE = 58210;
inline constexpr int IDS_DB_HEADER_CAPTION = 58211;
inline constexpr int IDS_TRANSFER_STALLED = 58245; // the tester stopped sending mid-answer
inline constexpr int IDS_PORT_LOST = 58246;        // the port went away before the prompt

// The serial port as the download uses it.
class IDownloadPort
{
public:
    virtual bool Open(const std::string& strPort, int nBaud) = 0;
    virtual void Close() = 0;
    virtual int Write(const char* pData, int nLength) = 0;
    virtual void WriteChar(char ch) = 0;
    // The next received byte; false when none is queued.
    virtual bool Get(char& ch) = 0;
    virtual bool HasQueuedData() const = 0;

protected:
    ~IDownloadPort() = default;
};

// What shows the records: the status-bar progress of the parse and the
// workspace tree and information list that a finished download refreshes.
class IRecordViews
{
public:
    virtual void BeginLoadingProgress(const std::string& strText, int nRange) = 0;
    virtual void StepLoadingProgress() = 0;
    virtual void EndLoadingProgress() = 0;
    virtual void ClearTree() = 0;
    virtual void ClearItems() = 0;
    virtual void FillTree() = 0;

protected:
    ~IRecordViews() = default;
};
