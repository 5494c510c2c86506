// Reads arbitrary bytes as a session log, as from a user's problem report:
// malformed and huge lines, times out of order or across midnight, binary
// junk. A log that reads has times that never run backwards and data lines
// of 1 to 16 bytes; one that does not read leaves nothing behind and says
// where. CRLF line ends and added comments read the same.

#include "fuzzcheck.h"
#include "link/sessionlog.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kName = "report.log";

struct Reading
{
    bool bRead = false;
    std::vector<SessionLogEntry> entries;
    std::string strError;
};

Reading Read(const std::string& strText)
{
    Reading reading;
    std::istringstream text(strText);
    reading.bRead = ReadSessionLog(text, kName, reading.entries, reading.strError);
    return reading;
}

void CheckEntries(const std::vector<SessionLogEntry>& entries)
{
    std::int64_t nLastMs = 0;
    for (const SessionLogEntry& entry : entries) {
        FUZZ_CHECK(entry.m_nOffsetMs >= nLastMs);
        nLastMs = entry.m_nOffsetMs;
        if (entry.m_direction != SessionLogEntry::Direction::Note)
            FUZZ_CHECK(!entry.m_strBytes.empty() && entry.m_strBytes.size() <= 16);
    }
    FUZZ_CHECK(entries.empty() || entries.front().m_nOffsetMs == 0);
}

std::string WithCrLf(const std::string& strText)
{
    std::string strResult;
    for (const char ch : strText) {
        if (ch == '\n')
            strResult += '\r';
        strResult += ch;
    }
    return strResult;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string strText(reinterpret_cast<const char*>(pData), nSize);
    const Reading reading = Read(strText);
    if (!reading.bRead) {
        FUZZ_CHECK(reading.entries.empty());
        FUZZ_CHECK(reading.strError.starts_with(kName + ", line ") ||
                   reading.strError.starts_with(kName + ": "));
        return 0;
    }
    CheckEntries(reading.entries);

    // A log mailed through a Windows machine, or annotated after its title.
    if (strText.find('\r') == std::string::npos) {
        const Reading crlf = Read(WithCrLf(strText));
        FUZZ_CHECK(crlf.bRead && crlf.entries == reading.entries);
    }
    const std::size_t nTitleEnd = strText.find('\n');
    if (nTitleEnd != std::string::npos) {
        std::string strAnnotated = strText;
        strAnnotated.insert(nTitleEnd + 1, "# the technician's note\n\n");
        const Reading annotated = Read(strAnnotated);
        FUZZ_CHECK(annotated.bRead && annotated.entries == reading.entries);
    }
    return 0;
}
