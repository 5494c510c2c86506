// The CSV of records whose fields hold arbitrary bytes. The input is a list
// of fields separated by NUL bytes, seven to a record: its slot (a file name),
// the raw rate/frame, ping and trace route texts it is parsed from, then
// bytes that replace its operation mode, transfer mode and user information
// unless empty; fields the input does not reach are empty. Read back by a
// strict RFC 4180 reader of its own, the table has the header and one row of
// 23 fields per record, every text as it was (Latin-1 as UTF-8, an apostrophe
// before a text a spreadsheet would take for a formula) and every number the
// same number.

#include "fuzzcheck.h"
#include "records/recordcsv.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace {

constexpr std::size_t kFieldsPerRecord = 7;
constexpr std::size_t kColumnCount = 23;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

using Row = std::vector<std::string>;

struct Slot
{
    std::string strName;
    TestRecord record;
};

std::vector<Slot> SlotsOf(std::string_view input)
{
    std::vector<std::string> fields(1);
    for (const char ch : input) {
        if (ch == '\0')
            fields.emplace_back();
        else
            fields.back() += ch;
    }
    fields.resize((fields.size() + kFieldsPerRecord - 1) / kFieldsPerRecord * kFieldsPerRecord);
    std::vector<Slot> slots;
    for (auto field = fields.begin(); field != fields.end() && slots.size() < std::size_t(kDbCount);
         field += kFieldsPerRecord) {
        Slot slot;
        slot.strName = field[0];
        RateFrameSection& rateFrame = slot.record.m_RateFrame;
        rateFrame.m_strRaw = field[1];
        slot.record.m_Ping.m_strRaw = field[2];
        slot.record.m_TraceRoute.m_strRaw = field[3];
        slot.record.ParseAll();
        std::string* const texts[] = {&rateFrame.m_strOperationMode, &rateFrame.m_strTransferMode,
                                      &rateFrame.m_strUserInfo};
        for (std::size_t n = 0; n < std::size(texts); ++n) {
            if (!field[4 + n].empty())
                *texts[n] = field[4 + n];
        }
        slots.push_back(std::move(slot));
    }
    return slots;
}

// RFC 4180, strictly: false for anything its grammar does not allow.
bool ReadCsv(std::string_view text, std::vector<Row>& rows)
{
    std::size_t i = 0;
    while (i < text.size()) {
        Row row;
        for (;;) {
            std::string field;
            if (i < text.size() && text[i] == '"') {
                for (++i;;) {
                    if (i == text.size())
                        return false;
                    if (text[i] != '"') {
                        field += text[i++];
                    } else if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                    } else {
                        ++i;
                        break;
                    }
                }
            } else {
                for (; i < text.size() &&
                       std::string_view(",\r\n").find(text[i]) == std::string_view::npos;
                     ++i) {
                    if (text[i] == '"')
                        return false;
                    field += text[i];
                }
            }
            row.push_back(std::move(field));
            if (i < text.size() && text[i] == ',') {
                ++i;
                continue;
            }
            if (text.substr(i, 2) != "\r\n")
                return false;
            i += 2;
            break;
        }
        rows.push_back(std::move(row));
    }
    return true;
}

std::string Utf8OfLatin1(const std::string& strLatin1)
{
    std::string strUtf8;
    for (const char ch : strLatin1) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80) {
            strUtf8 += ch;
        } else {
            strUtf8 += static_cast<char>(0xC0 | byte >> 6);
            strUtf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return strUtf8;
}

void CheckText(const std::string& strCell, const std::string& strText)
{
    const bool bFormulaLike =
        !strText.empty() &&
        std::string_view("=+-@\t\r").find(strText.front()) != std::string_view::npos;
    FUZZ_CHECK(strCell == (bFormulaLike ? "'" + strText : strText));
}

template <typename Number> void CheckNumber(const std::string& strCell, Number value)
{
    if constexpr (std::is_floating_point_v<Number>) {
        if (!std::isfinite(value)) {
            FUZZ_CHECK(strCell.empty());
            return;
        }
        FUZZ_CHECK(strCell.find_first_of("eE") == std::string::npos);
    }
    Number read{};
    const char* const pEnd = strCell.data() + strCell.size();
    const auto result = std::from_chars(strCell.data(), pEnd, read);
    FUZZ_CHECK(result.ec == std::errc() && result.ptr == pEnd && read == value);
}

const char* LineTypeName(int nLineType)
{
    switch (nLineType) {
    case LINE_ADSL: return "ADSL";
    case LINE_VDSL: return "VDSL";
    case LINE_WLAN: return "WLAN";
    default: return "";
    }
}

void CheckRow(const Row& row, const Slot& slot)
{
    FUZZ_CHECK(row.size() == kColumnCount);
    const RateFrameSection& rf = slot.record.m_RateFrame;
    const PingSection& ping = slot.record.m_Ping;
    CheckText(row[0], slot.strName);
    FUZZ_CHECK(row[1] == LineTypeName(rf.m_nLineType));
    CheckText(row[2], Utf8OfLatin1(rf.m_strOperationMode));
    CheckText(row[3], Utf8OfLatin1(rf.m_strTransferMode));
    const int anRates[] = {rf.m_nDownRate, rf.m_nUpRate, rf.m_nDownMaxRate, rf.m_nUpMaxRate};
    for (std::size_t n = 0; n < std::size(anRates); ++n)
        CheckNumber(row[4 + n], anRates[n]);
    const double adReals[] = {rf.m_dDownMargin,    rf.m_dUpMargin,  rf.m_dDownAttenuation,
                              rf.m_dUpAttenuation, rf.m_dDownPower, rf.m_dUpPower};
    for (std::size_t n = 0; n < std::size(adReals); ++n)
        CheckNumber(row[8 + n], adReals[n]);
    const int anPing[] = {
        ping.m_bValid,   ping.m_nTxCount, ping.m_nRxCount, ping.m_nLossRate,
        ping.m_nMinTime, ping.m_nAvgTime, ping.m_nMaxTime, slot.record.m_TraceRoute.m_nHopCount};
    for (std::size_t n = 0; n < std::size(anPing); ++n)
        CheckNumber(row[14 + n], anPing[n]);
    CheckText(row[22], Utf8OfLatin1(rf.m_strUserInfo));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::vector<Slot> slots =
        SlotsOf(std::string_view(reinterpret_cast<const char*>(pData), nSize));
    std::string strTable = RecordCsvHeader();
    for (const Slot& slot : slots)
        strTable += RecordCsvRow(slot.strName, slot.record);

    FUZZ_CHECK(strTable.starts_with(kByteOrderMark));
    std::vector<Row> rows;
    FUZZ_CHECK(ReadCsv(std::string_view(strTable).substr(kByteOrderMark.size()), rows));
    FUZZ_CHECK(rows.size() == slots.size() + 1);
    FUZZ_CHECK(rows.front().size() == kColumnCount && rows.front().front() == "Slot");
    for (std::size_t n = 0; n < slots.size(); ++n)
        CheckRow(rows[n + 1], slots[n]);
    return 0;
}
