// CSV rows of records: the column order, RFC 4180 quoting, Latin-1 texts as
// UTF-8 and reals that a spreadsheet reads the same in every locale.

#include "records/recordcsv.h"
#include "simulator/sampleset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kDownMarginColumn = 8;

// The fields of a row without quoted fields.
std::vector<std::string> PlainFields(const std::string& row)
{
    std::vector<std::string> fields(1);
    for (char c : row.substr(0, row.size() - 2)) {
        if (c == ',')
            fields.emplace_back();
        else
            fields.back().push_back(c);
    }
    return fields;
}

TestRecord Parsed(TestRecord record)
{
    record.ParseAll();
    return record;
}

TEST(RecordCsv, HeaderAndRowKeepTheDocumentedColumnOrder)
{
    EXPECT_EQ(RecordCsvHeader(),
              "\xEF\xBB\xBF"
              "Slot,Line Type,Operation Mode,Transfer Mode,Down Rate,Up Rate,Down Max Rate,"
              "Up Max Rate,Down Margin,Up Margin,Down Attenuation,Up Attenuation,Down Power,"
              "Up Power,Ping Valid,Ping Sent,Ping Received,Ping Loss Rate,Ping Min Time,"
              "Ping Avg Time,Ping Max Time,Hop Count,User Information\r\n");

    // Every up/down pair differs, so a swapped pair shows.
    TestRecord record;
    record.m_RateFrame.m_strRaw = "Y:2:1:800:8000:85:95:6.5:12.25:22.5:40.75:12.0:19.5:"
                                  "0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:Caf\xE9, 2nd";
    record.m_Ping.m_strRaw = "Y:0:4:3:25:40:10:20";
    record.m_TraceRoute.m_strRaw = "Y:7";
    EXPECT_EQ(RecordCsvRow("7", Parsed(record)),
              "7,ADSL,G.DMT,Interleave,8000,800,8416,928,12.25,6.5,40.75,22.5,19.5,12,"
              "1,4,3,25,10,20,40,7,\"Caf\xC3\xA9, 2nd\"\r\n");
}

TEST(RecordCsv, LineTypeNamesTheLayout)
{
    const struct
    {
        const char* name;
        TestRecord record;
        const char* lineType;
    } cases[] = {
        {"adsl", Parsed(SampleAdslRecord()), "ADSL"},
        {"vdsl", Parsed(SampleVdslRecord()), "VDSL"},
        {"wlan", Parsed(SampleWlanRecord()), "WLAN"},
        {"no data", TestRecord{}, ""},
        {"line type none", Parsed(BuiltInSampleSet()[7]), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlainFields(RecordCsvRow("1", c.record)).at(1), c.lineType) << c.name;
}

struct QuotingCase
{
    const char* name;
    std::string userInfo;
    std::string field;
};

class RecordCsvTextTest : public testing::TestWithParam<QuotingCase>
{
};

TEST_P(RecordCsvTextTest, TesterTextIsQuotedAndReadAsLatin1)
{
    const std::string empty = RecordCsvRow("1", TestRecord{});
    TestRecord record;
    record.m_RateFrame.m_strUserInfo = GetParam().userInfo;
    // The user information is the last field.
    EXPECT_EQ(RecordCsvRow("1", record),
              empty.substr(0, empty.size() - 2) + GetParam().field + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordCsvTextTest,
    testing::Values(QuotingCase{"plain", "Kim Apt 301 / *My-IP", "Kim Apt 301 / *My-IP"},
                    QuotingCase{"comma", "Seoul, 3F", "\"Seoul, 3F\""},
                    QuotingCase{"quotes_doubled", "the \"red\" box", "\"the \"\"red\"\" box\""},
                    QuotingCase{"cr", "a\rb", "\"a\rb\""}, QuotingCase{"lf", "a\nb", "\"a\nb\""},
                    QuotingCase{"semicolon_and_tab_stay_plain", "a;b\tc", "a;b\tc"},
                    QuotingCase{"umlauts",
                                "M\xFC"
                                "ller Stra\xDF"
                                "e",
                                "M\xC3\xBC"
                                "ller Stra\xC3\x9F"
                                "e"},
                    QuotingCase{"latin1_edges", "\x80\x9F\xA0\xFF",
                                "\xC2\x80\xC2\x9F\xC2\xA0\xC3\xBF"},
                    QuotingCase{"latin1_and_quote", "\xE9\"", "\"\xC3\xA9\"\"\""},
                    // A spreadsheet shows these as text, not as formulas.
                    QuotingCase{"formula", "=HYPERLINK(\"http://x\",\"y\")",
                                "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
                    QuotingCase{"minus", "-2+3", "\"'-2+3\""}, QuotingCase{"plus", "+1", "\"'+1\""},
                    QuotingCase{"at", "@SUM(A1)", "\"'@SUM(A1)\""},
                    QuotingCase{"leading_tab", "\t=1", "\"'\t=1\""},
                    QuotingCase{"leading_cr", "\r=1", "\"'\r=1\""},
                    QuotingCase{"formula_sign_later", "a=1-2", "a=1-2"},
                    QuotingCase{"apostrophe_already", "'=1", "'=1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordCsv, SlotIsQuotedButNotConvertedAgain)
{
    const struct
    {
        const char* slot;
        const char* field;
    } cases[] = {
        {"12", "12"},
        {"day 1, van.lmx", "\"day 1, van.lmx\""},
        // File names are UTF-8 already; reading them as Latin-1 would garble them.
        {"M\xC3\xBCller.lmx", "M\xC3\xBCller.lmx"},
        {"", ""},
    };
    for (const auto& c : cases) {
        // A record without data starts with the slot and an empty line type.
        const std::string row = RecordCsvRow(c.slot, TestRecord{});
        EXPECT_EQ(row.rfind(std::string(c.field) + ",,", 0), 0u) << c.slot << ": " << row;
    }
}

TEST(RecordCsv, EveryTextColumnIsGuardedAgainstFormulasButNoNumber)
{
    constexpr std::size_t kOperationMode = 2, kTransferMode = 3, kDownRate = 4;
    const struct
    {
        const char* name;
        std::string slot;
        void (*fill)(TestRecord&);
        std::size_t column;
        std::string field;
    } cases[] = {
        {"slot", "-x.lmx", [](TestRecord&) {}, 0, "\"'-x.lmx\""},
        {"operation mode", "1", [](TestRecord& r) { r.m_RateFrame.m_strOperationMode = "+G"; },
         kOperationMode, "\"'+G\""},
        {"transfer mode", "1", [](TestRecord& r) { r.m_RateFrame.m_strTransferMode = "@x"; },
         kTransferMode, "\"'@x\""},
        {"negative rate", "1", [](TestRecord& r) { r.m_RateFrame.m_nDownRate = -5; }, kDownRate,
         "-5"},
        {"negative margin", "1", [](TestRecord& r) { r.m_RateFrame.m_dDownMargin = -2.0; },
         kDownMarginColumn, "-2"},
    };
    for (const auto& c : cases) {
        TestRecord record;
        c.fill(record);
        EXPECT_EQ(PlainFields(RecordCsvRow(c.slot, record)).at(c.column), c.field) << c.name;
    }
}

TEST(RecordCsv, RealsArePlainDecimalsThatReadBack)
{
    const struct
    {
        double value;
        const char* text;
    } exact[] = {
        {12.5, "12.5"},
        {0.1, "0.1"},
        {-3.0, "-3"},
        {0.0, "0"},
        {1e22, "10000000000000000000000"},
        {1e-5, "0.00001"},
        {HUGE_VAL, ""},
        {std::nan(""), ""},
    };
    for (const auto& c : exact) {
        TestRecord record;
        record.m_RateFrame.m_dDownMargin = c.value;
        EXPECT_EQ(PlainFields(RecordCsvRow("1", record)).at(kDownMarginColumn), c.text) << c.value;
    }
    for (double value : {1.0 / 3.0, std::numeric_limits<double>::max(),
                         std::numeric_limits<double>::denorm_min()}) {
        TestRecord record;
        record.m_RateFrame.m_dDownMargin = value;
        const std::string text = PlainFields(RecordCsvRow("1", record)).at(kDownMarginColumn);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
    }
}

} // namespace

namespace {

TEST(RecordCsv, ADownloadTableHoldsTheDbsWithATestInOrder)
{
    RecordTable records;
    EXPECT_EQ(DownloadCsv(records), "");
    records[12].m_Ping.m_bValid = 1;
    records[3].m_RateFrame.m_bValid = 1;
    records[0].m_RateFrame.m_bValid = 1; // addressed by no DB
    const std::string table = DownloadCsv(records);
    ASSERT_EQ(table.rfind(RecordCsvHeader(), 0), 0u);
    const std::string rows = table.substr(RecordCsvHeader().size());
    EXPECT_EQ(rows, RecordCsvRow("DB03", records[3]) + RecordCsvRow("DB12", records[12]));
}

} // namespace
