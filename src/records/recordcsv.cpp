#include "records/recordcsv.h"

#include "records/latin1text.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kRowEnd = "\r\n";

std::string TesterText(std::string_view latin1)
{
    std::string utf8;
    AppendLatin1AsUtf8(utf8, latin1);
    return utf8;
}

std::string Int(int value)
{
    return std::to_string(value);
}

// Fixed notation keeps the shortest round-trip digits but never an exponent.
std::string Real(double value)
{
    if (!std::isfinite(value))
        return std::string();
    char buffer[512]; // the longest fixed double (the smallest subnormal) has 326 characters
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

std::string LineTypeName(int lineType)
{
    switch (lineType) {
    case LINE_ADSL: return "ADSL";
    case LINE_VDSL: return "VDSL";
    case LINE_WLAN: return "WLAN";
    default: return std::string();
    }
}

struct Column
{
    const char* name;
    std::string (*field)(const TestRecord&);
    // A text the tester fills in, guarded against formulas; numbers and
    // names of our own are written as they are.
    bool bTesterText = false;
};

// Header and rows both come from this table, so their order cannot drift apart.
// The slot is the first column, written before these.
const Column kColumns[] = {
    {"Line Type", [](const TestRecord& r) { return LineTypeName(r.m_RateFrame.m_nLineType); }},
    {"Operation Mode",
     [](const TestRecord& r) { return TesterText(r.m_RateFrame.m_strOperationMode); }, true},
    {"Transfer Mode",
     [](const TestRecord& r) { return TesterText(r.m_RateFrame.m_strTransferMode); }, true},
    {"Down Rate", [](const TestRecord& r) { return Int(r.m_RateFrame.m_nDownRate); }},
    {"Up Rate", [](const TestRecord& r) { return Int(r.m_RateFrame.m_nUpRate); }},
    {"Down Max Rate", [](const TestRecord& r) { return Int(r.m_RateFrame.m_nDownMaxRate); }},
    {"Up Max Rate", [](const TestRecord& r) { return Int(r.m_RateFrame.m_nUpMaxRate); }},
    {"Down Margin", [](const TestRecord& r) { return Real(r.m_RateFrame.m_dDownMargin); }},
    {"Up Margin", [](const TestRecord& r) { return Real(r.m_RateFrame.m_dUpMargin); }},
    {"Down Attenuation",
     [](const TestRecord& r) { return Real(r.m_RateFrame.m_dDownAttenuation); }},
    {"Up Attenuation", [](const TestRecord& r) { return Real(r.m_RateFrame.m_dUpAttenuation); }},
    {"Down Power", [](const TestRecord& r) { return Real(r.m_RateFrame.m_dDownPower); }},
    {"Up Power", [](const TestRecord& r) { return Real(r.m_RateFrame.m_dUpPower); }},
    {"Ping Valid", [](const TestRecord& r) { return Int(r.m_Ping.m_bValid); }},
    {"Ping Sent", [](const TestRecord& r) { return Int(r.m_Ping.m_nTxCount); }},
    {"Ping Received", [](const TestRecord& r) { return Int(r.m_Ping.m_nRxCount); }},
    {"Ping Loss Rate", [](const TestRecord& r) { return Int(r.m_Ping.m_nLossRate); }},
    {"Ping Min Time", [](const TestRecord& r) { return Int(r.m_Ping.m_nMinTime); }},
    {"Ping Avg Time", [](const TestRecord& r) { return Int(r.m_Ping.m_nAvgTime); }},
    {"Ping Max Time", [](const TestRecord& r) { return Int(r.m_Ping.m_nMaxTime); }},
    {"Hop Count", [](const TestRecord& r) { return Int(r.m_TraceRoute.m_nHopCount); }},
    {"User Information",
     [](const TestRecord& r) { return TesterText(r.m_RateFrame.m_strUserInfo); }, true},
};

void AppendQuoted(std::string& row, std::string_view field)
{
    row.push_back('"');
    for (char c : field) {
        if (c == '"')
            row.push_back('"');
        row.push_back(c);
    }
    row.push_back('"');
}

void AppendField(std::string& row, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos)
        row += field;
    else
        AppendQuoted(row, field);
}

// A spreadsheet takes a cell starting with one of these for a formula (some
// skip a leading tab or CR first), so "=HYPERLINK(...)" typed on the tester
// would become a live link, and "-2+3" would show as 1.
bool StartsLikeFormula(std::string_view text)
{
    constexpr std::string_view kFormulaStarts = "=+-@\t\r";
    return !text.empty() && kFormulaStarts.find(text.front()) != std::string_view::npos;
}

// Free text: a leading apostrophe inside the quotes makes the spreadsheet
// show a formula-like text as the text it is.
void AppendText(std::string& row, std::string_view text)
{
    if (StartsLikeFormula(text))
        AppendQuoted(row, "'" + std::string(text));
    else
        AppendField(row, text);
}

} // namespace

std::string RecordCsvHeader()
{
    std::string header(kByteOrderMark);
    header += "Slot";
    for (const Column& column : kColumns) {
        header.push_back(',');
        header += column.name;
    }
    header += kRowEnd;
    return header;
}

std::string RecordCsvRow(const std::string& slot, const TestRecord& record)
{
    std::string row;
    AppendText(row, slot);
    for (const Column& column : kColumns) {
        row.push_back(',');
        if (column.bTesterText)
            AppendText(row, column.field(record));
        else
            AppendField(row, column.field(record));
    }
    row += kRowEnd;
    return row;
}

std::string DownloadCsv(const RecordTable& records)
{
    std::string table;
    for (const int nDb : DbsWithTest(records)) {
        if (table.empty())
            table = RecordCsvHeader();
        table += RecordCsvRow(nDb < 10 ? "DB0" + std::to_string(nDb) : "DB" + std::to_string(nDb),
                              records[static_cast<std::size_t>(nDb)]);
    }
    return table;
}
