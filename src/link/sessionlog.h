#pragma once

#include "records/fileerror.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// A text file of everything that went over the line during a download, so a
// technician can send us a download that went wrong and we can play it back.
//
//   # LMX-4410 session log
//   # port: /dev/ttyUSB0
//   # started: 2026-12-09 02:37:31.445
//   02:37:31.445 #  port opened: /dev/ttyUSB0 at 9600 baud
//   02:37:32.445 TX 0a                                               .
//   02:37:32.445 RX 3e                                               >
//   02:37:33.445 TX 66 6f 72 70 63 20 72 74 72 76 69 6e 66 6f 0a     forpc rtrvinfo.
//
// Lines starting with '#' open the file. Every other line starts with the
// local time of day with milliseconds and a direction: "TX" for bytes the
// program sent, "RX" for bytes it received, "# " for an event note. A data
// line holds up to 16 bytes: from column 17 the bytes in hex, each followed
// by a space and padded to the width of 16, then a space and the bytes as
// text with '.' for everything that is not printable ASCII. The hex is what
// counts when the log is read back; the text is for people, and must agree
// with the hex. Further '#' lines and blank lines are comments.
//
// Each write to the port starts a line of its own. Received bytes are
// gathered until the program sends, a note is written or the log is flushed
// or closed; each line of them carries the time its first byte was taken
// from the port.
//
// The log is written line by line as it goes, so a download that crashes
// still leaves what happened before. A failed write stops the log (IsOpen
// turns false) and keeps the reason in WriteError; the download it records
// goes on regardless.
class CSessionLog
{
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    CSessionLog();
    ~CSessionLog();
    CSessionLog(const CSessionLog&) = delete;
    CSessionLog& operator=(const CSessionLog&) = delete;

    // Creates the file (an existing file is never overwritten: that is a
    // failure) and writes a header naming the port; false, with why in
    // error, when it cannot.
    bool Open(const std::string& strPath, const std::string& strPort, FileError& error);
    bool IsOpen() const { return m_pFile != nullptr; }
    // Flushes and closes; again does nothing.
    void Close();
    void LogSent(const char* pData, int nLength);
    // Gathered until the direction changes or Flush.
    void LogReceived(char ch);
    // An event line ("port opened", "prompt timed out", ...).
    void Note(const std::string& strText);
    void Flush();

    // Where the time stamps come from; the system clock unless a test sets another.
    void SetClock(Clock clock) { m_clock = std::move(clock); }
    // Why the log stopped early; no problem while every write has succeeded.
    const FileError& WriteError() const { return m_writeError; }
    const std::string& Path() const { return m_strPath; }

private:
    void WriteDataLine(const char* pszDirection, std::chrono::system_clock::time_point when,
                       const std::string& strBytes);
    void WriteLine(const std::string& strLine);
    void FlushReceived();

    Clock m_clock;
    std::FILE* m_pFile = nullptr;
    std::string m_strPath;
    FileError m_writeError;
    std::string m_strReceived; // bytes of the received line not yet written
    std::chrono::system_clock::time_point m_receivedSince{};
};

// A line of a session log read back.
struct SessionLogEntry
{
    enum class Direction
    {
        Sent,
        Received,
        Note,
    };

    Direction m_direction = Direction::Note;
    // Since the first timed line of the log. A time of day 12 hours or more
    // earlier than the one before it is taken as the next day; a smaller step
    // back is the clock set back, and takes no time.
    std::int64_t m_nOffsetMs = 0;
    std::string m_strBytes; // the data, or the text of a note

    bool operator==(const SessionLogEntry&) const = default;
};

// Reads a session log. False, with a sentence naming the file and the line,
// when it cannot be read or a line is not as the log writes it.
bool ReadSessionLog(const std::string& strPath, std::vector<SessionLogEntry>& entries,
                    std::string& strError);
// The same over a log's text already open; strName names it in strError.
bool ReadSessionLog(std::istream& text, const std::string& strName,
                    std::vector<SessionLogEntry>& entries, std::string& strError);
