#include "link/sessionlog.h"

#include "records/datedname.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#endif

namespace {

constexpr const char* kTitleLine = "# LMX-4410 session log";
constexpr std::size_t kBytesPerLine = 16;
constexpr std::size_t kTimeWidth = 12;               // HH:MM:SS.mmm
constexpr std::size_t kDataColumn = kTimeWidth + 4;  // after the time, the direction and a space
constexpr std::size_t kHexWidth = kBytesPerLine * 3; // "xx " for each byte
constexpr std::int64_t kMsPerDay = 24 * 60 * 60 * 1000;
// Far above any line the log writes (a data line is 81 characters, a note
// a sentence); a longer one is no log line, and reading it whole (a log
// from a problem report may hold a gigabyte without a line break) would
// only fill the memory.
constexpr std::size_t kMaxLineLength = 4096;

// Creates the file for writing; fails when there is one of that name already,
// which stays as it is.
std::FILE* CreateNewFile(const std::string& strPath)
{
#ifdef _WIN32
    // The C library of Windows ignores fopen's "x", and would overwrite the file.
    const int fd =
        _open(strPath.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0)
        return nullptr;
    std::FILE* pFile = _fdopen(fd, "wb");
    if (!pFile)
        _close(fd);
    return pFile;
#else
    return std::fopen(strPath.c_str(), "wbx");
#endif
}

int Milliseconds(std::chrono::system_clock::time_point when)
{
    const auto sinceEpoch =
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch());
    const auto nMs = static_cast<int>(sinceEpoch.count() % 1000);
    return nMs < 0 ? nMs + 1000 : nMs;
}

// strftime with a pattern, then ".mmm".
std::string FormatTime(std::chrono::system_clock::time_point when, const char* pszPattern)
{
    char milliseconds[8];
    std::snprintf(milliseconds, sizeof milliseconds, ".%03d", Milliseconds(when));
    return FormatLocalTime(when, pszPattern) + milliseconds;
}

enum class LineRead
{
    Line,
    TooLong,
    End,
};

// The next line without its line break, read no further than kMaxLineLength
// characters into it.
LineRead ReadLine(std::istream& text, std::string& strLine)
{
    strLine.clear();
    char ch = 0;
    bool bAny = false;
    while (text.get(ch)) {
        bAny = true;
        if (ch == '\n')
            return LineRead::Line;
        if (strLine.size() == kMaxLineLength)
            return LineRead::TooLong;
        strLine += ch;
    }
    return bAny ? LineRead::Line : LineRead::End;
}

bool IsPrintable(char ch)
{
    return ch >= 0x20 && ch < 0x7f;
}

std::string PrintableText(const std::string& strBytes)
{
    std::string strText;
    for (const char ch : strBytes)
        strText += IsPrintable(ch) ? ch : '.';
    return strText;
}

std::string HexAndText(const std::string& strBytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string strHex;
    for (const char ch : strBytes) {
        const auto byte = static_cast<unsigned char>(ch);
        strHex += kDigits[byte >> 4];
        strHex += kDigits[byte & 0x0f];
        strHex += ' ';
    }
    strHex.resize(kHexWidth, ' ');
    return strHex + ' ' + PrintableText(strBytes);
}

std::string WithoutTrailingSpaces(std::string strText)
{
    while (!strText.empty() && strText.back() == ' ')
        strText.pop_back();
    return strText;
}

int HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

// "HH:MM:SS.mmm" as milliseconds since midnight; -1 when it is not a time.
std::int64_t ParseTimeOfDay(const std::string& strLine)
{
    if (strLine.size() < kTimeWidth || strLine[2] != ':' || strLine[5] != ':' || strLine[8] != '.')
        return -1;
    std::int64_t anField[4] = {};
    const std::size_t anStart[4] = {0, 3, 6, 9};
    const std::size_t anDigits[4] = {2, 2, 2, 3};
    for (std::size_t nField = 0; nField < 4; ++nField) {
        for (std::size_t i = 0; i < anDigits[nField]; ++i) {
            const char ch = strLine[anStart[nField] + i];
            if (ch < '0' || ch > '9')
                return -1;
            anField[nField] = anField[nField] * 10 + (ch - '0');
        }
    }
    if (anField[0] > 23 || anField[1] > 59 || anField[2] > 59)
        return -1;
    return ((anField[0] * 60 + anField[1]) * 60 + anField[2]) * 1000 + anField[3];
}

// The time from one timed line to the next. A time of day half a day or more
// before the one above it is past midnight; a smaller step back is the clock
// set back (summer time ending, a time server's correction), and no time
// passes.
std::int64_t ElapsedMs(std::int64_t nFromMs, std::int64_t nToMs)
{
    const std::int64_t nStepMs = nToMs - nFromMs;
    if (nStepMs >= 0)
        return nStepMs;
    return nStepMs <= -kMsPerDay / 2 ? nStepMs + kMsPerDay : 0;
}

// The bytes of a data line's hex column; false with the reason when it holds
// anything but up to 16 two-digit hex bytes.
bool ParseHexColumn(const std::string& strLine, std::string& strBytes, std::string& strWhy)
{
    const std::string strColumn = strLine.substr(kDataColumn, kHexWidth);
    std::size_t nPos = 0;
    while (nPos + 1 < strColumn.size() && strColumn[nPos] != ' ') {
        const int nHigh = HexDigit(strColumn[nPos]);
        const int nLow = HexDigit(strColumn[nPos + 1]);
        const bool bEnded = nPos + 2 == strColumn.size() || strColumn[nPos + 2] == ' ';
        if (nHigh < 0 || nLow < 0 || !bEnded) {
            strWhy = "'" + strColumn.substr(nPos, 3) + "' is not a hex byte";
            return false;
        }
        strBytes += static_cast<char>(nHigh * 16 + nLow);
        nPos += 3;
    }
    if (strBytes.empty()) {
        strWhy = "a data line without bytes";
        return false;
    }
    const std::size_t nSeparator = kDataColumn + kHexWidth;
    if (strColumn.find_first_not_of(' ', nPos) != std::string::npos ||
        (strLine.size() > nSeparator && strLine[nSeparator] != ' ')) {
        strWhy = "the hex column holds more than 16 bytes or stray text";
        return false;
    }
    // A line edited on one side only is refused. The text may be left out
    // (in a line written by hand), and trailing spaces may have been lost on
    // the way to us.
    const std::size_t nTextColumn = nSeparator + 1;
    if (strLine.size() <= nTextColumn)
        return true;
    if (WithoutTrailingSpaces(strLine.substr(nTextColumn)) !=
        WithoutTrailingSpaces(PrintableText(strBytes))) {
        strWhy = "the text column does not match the hex bytes";
        return false;
    }
    return true;
}

// One timed line; false with the reason when it is not as the log writes it.
bool ParseTimedLine(const std::string& strLine, std::int64_t& nTimeOfDay, SessionLogEntry& entry,
                    std::string& strWhy)
{
    nTimeOfDay = ParseTimeOfDay(strLine);
    if (nTimeOfDay < 0 || strLine.size() < kDataColumn || strLine[kTimeWidth] != ' ' ||
        strLine[kDataColumn - 1] != ' ') {
        strWhy = "expected a time (HH:MM:SS.mmm) and a direction (TX, RX or #)";
        return false;
    }
    const std::string strDirection = strLine.substr(kTimeWidth + 1, 2);
    if (strDirection == "# ") {
        entry.m_direction = SessionLogEntry::Direction::Note;
        entry.m_strBytes = strLine.substr(kDataColumn);
        return true;
    }
    if (strDirection == "TX")
        entry.m_direction = SessionLogEntry::Direction::Sent;
    else if (strDirection == "RX")
        entry.m_direction = SessionLogEntry::Direction::Received;
    else {
        strWhy = "unknown direction '" + strDirection + "' (TX, RX or #)";
        return false;
    }
    return ParseHexColumn(strLine, entry.m_strBytes, strWhy);
}

} // namespace

CSessionLog::CSessionLog() : m_clock([] { return std::chrono::system_clock::now(); }) {}

CSessionLog::~CSessionLog()
{
    Close();
}

bool CSessionLog::Open(const std::string& strPath, const std::string& strPort, FileError& error)
{
    Close();
    m_writeError = {};
    m_strReceived.clear();
    m_pFile = CreateNewFile(strPath);
    if (!m_pFile) {
        error = FileErrorFromErrno(errno);
        return false;
    }
    m_strPath = strPath;
    std::string strPortName = strPort;
    for (char& ch : strPortName)
        ch = IsPrintable(ch) ? ch : '.';
    WriteLine(kTitleLine);
    WriteLine("# port: " + strPortName);
    WriteLine("# started: " + FormatTime(m_clock(), "%Y-%m-%d %H:%M:%S"));
    if (!IsOpen()) {
        error = m_writeError;
        std::remove(strPath.c_str());
        return false;
    }
    return true;
}

void CSessionLog::Close()
{
    if (!IsOpen())
        return;
    FlushReceived();
    if (m_pFile && std::fclose(m_pFile) != 0 && m_writeError.m_problem == FileProblem::None)
        m_writeError = FileErrorFromErrno(errno);
    m_pFile = nullptr;
}

void CSessionLog::LogSent(const char* pData, int nLength)
{
    if (!IsOpen() || nLength <= 0)
        return;
    FlushReceived();
    const auto when = m_clock();
    const std::string strBytes(pData, static_cast<std::size_t>(nLength));
    for (std::size_t nStart = 0; nStart < strBytes.size(); nStart += kBytesPerLine)
        WriteDataLine("TX", when, strBytes.substr(nStart, kBytesPerLine));
}

void CSessionLog::LogReceived(char ch)
{
    if (!IsOpen())
        return;
    if (m_strReceived.empty())
        m_receivedSince = m_clock();
    m_strReceived += ch;
    if (m_strReceived.size() == kBytesPerLine)
        FlushReceived();
}

void CSessionLog::Note(const std::string& strText)
{
    if (!IsOpen())
        return;
    FlushReceived();
    // One note, one line, whatever the text holds.
    std::string strLine = strText;
    for (char& ch : strLine)
        ch = ch == '\n' || ch == '\r' ? ' ' : ch;
    WriteLine(FormatTime(m_clock(), "%H:%M:%S") + " #  " + strLine);
}

void CSessionLog::Flush()
{
    FlushReceived();
}

void CSessionLog::FlushReceived()
{
    if (m_strReceived.empty())
        return;
    const std::string strBytes = std::move(m_strReceived);
    m_strReceived.clear();
    WriteDataLine("RX", m_receivedSince, strBytes);
}

void CSessionLog::WriteDataLine(const char* pszDirection,
                                std::chrono::system_clock::time_point when,
                                const std::string& strBytes)
{
    WriteLine(FormatTime(when, "%H:%M:%S") + " " + pszDirection + " " + HexAndText(strBytes));
}

// Each line reaches the file at once: the log of a download that crashes
// keeps everything up to the crash.
void CSessionLog::WriteLine(const std::string& strLine)
{
    if (!m_pFile)
        return;
    const std::string strText = strLine + "\n";
    if (std::fwrite(strText.data(), 1, strText.size(), m_pFile) == strText.size() &&
        std::fflush(m_pFile) == 0)
        return;
    m_writeError = FileErrorFromErrno(errno);
    std::fclose(m_pFile);
    m_pFile = nullptr;
    m_strReceived.clear();
}

bool ReadSessionLog(const std::string& strPath, std::vector<SessionLogEntry>& entries,
                    std::string& strError)
{
    entries.clear();
    std::ifstream file(strPath, std::ios::binary);
    if (!file) {
        strError = "cannot open the session log " + strPath + ": " + std::strerror(errno);
        return false;
    }
    return ReadSessionLog(file, strPath, entries, strError);
}

bool ReadSessionLog(std::istream& text, const std::string& strName,
                    std::vector<SessionLogEntry>& entries, std::string& strError)
{
    entries.clear();
    std::string strLine;
    int nLine = 0;
    std::int64_t nLastTime = -1;
    std::int64_t nOffsetMs = 0;
    for (LineRead read = ReadLine(text, strLine); read != LineRead::End;
         read = ReadLine(text, strLine)) {
        ++nLine;
        const auto fail = [&](const std::string& strWhy) {
            strError = strName + ", line " + std::to_string(nLine) + ": " + strWhy;
            entries.clear();
            return false;
        };
        if (read == LineRead::TooLong)
            return fail("the line is longer than " + std::to_string(kMaxLineLength) +
                        " characters, which no session log writes");
        if (strLine.ends_with('\r'))
            strLine.pop_back();
        if (nLine == 1 && strLine != kTitleLine)
            return fail(std::string("not a session log (it does not start with '") + kTitleLine +
                        "')");
        // Blank lines and '#' lines are comments, so a log can be annotated.
        if (strLine.empty() || strLine.front() == '#')
            continue;
        SessionLogEntry entry;
        std::int64_t nTimeOfDay = 0;
        std::string strWhy;
        if (!ParseTimedLine(strLine, nTimeOfDay, entry, strWhy))
            return fail(strWhy);
        if (nLastTime >= 0)
            nOffsetMs += ElapsedMs(nLastTime, nTimeOfDay);
        nLastTime = nTimeOfDay;
        entry.m_nOffsetMs = nOffsetMs;
        entries.push_back(std::move(entry));
    }
    if (text.bad() || nLine == 0) {
        strError = strName + ": " + (nLine == 0 ? "the file is empty" : "cannot be read");
        entries.clear();
        return false;
    }
    return true;
}
