// The archive string codec and the document file: exact bytes, the version
// pairs, and damaged files that must fail cleanly.

#include "documentfilefixture.h"
#include "largestallocation.h"
#include "recordprint.h"
#include "records/archivestring.h"
#include "records/documentfile.h"
#include "records/fileaccess.h"
#include "simulator/sampleset.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

std::string Encoded(std::string_view text)
{
    std::string out;
    AppendArchiveString(out, text);
    return out;
}

const auto kCaseName = [](const auto& info) { return std::string(info.param.name); };

// ---- archive strings ----

struct LengthCase
{
    const char* name;
    std::size_t length;
    std::string prefix;
};

class ArchiveLengthTest : public testing::TestWithParam<LengthCase>
{
};

TEST_P(ArchiveLengthTest, WritesTheExactPrefixAndReadsBack)
{
    const std::string text = Pattern(GetParam().length);
    const std::string encoded = Encoded(text);
    ASSERT_EQ(encoded.size(), GetParam().prefix.size() + text.size());
    EXPECT_EQ(encoded.substr(0, GetParam().prefix.size()), GetParam().prefix);
    EXPECT_TRUE(encoded.substr(GetParam().prefix.size()) == text);

    const std::string buffer = encoded + "tail";
    ArchiveStringReader reader(buffer);
    std::string back;
    ASSERT_TRUE(reader.ReadString(back));
    EXPECT_TRUE(back == text);
    EXPECT_EQ(reader.Position(), encoded.size());
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, ArchiveLengthTest,
    testing::Values(
        LengthCase{"empty", 0, Bytes({0x00})}, LengthCase{"len254", 254, Bytes({0xFE})},
        LengthCase{"len255", 255, Bytes({0xFF, 0xFF, 0x00})},
        LengthCase{"len300", 300, Bytes({0xFF, 0x2C, 0x01})},
        LengthCase{"len65533", 65533, Bytes({0xFF, 0xFD, 0xFF})},
        LengthCase{"len65534", 65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        LengthCase{"len65535", 65535, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
        LengthCase{"len100000", 100000, Bytes({0xFF, 0xFF, 0xFF, 0xA0, 0x86, 0x01, 0x00})}),
    kCaseName);

struct ReadCase
{
    const char* name;
    std::string bytes;
    std::string expected;
};

std::string Utf16(std::initializer_list<int> units)
{
    std::string bytes;
    for (int unit : units)
        bytes += Bytes({unit & 0xFF, unit >> 8});
    return bytes;
}

class ArchiveWideTest : public testing::TestWithParam<ReadCase>
{
};

TEST_P(ArchiveWideTest, NarrowsUtf16Strings)
{
    ArchiveStringReader reader(GetParam().bytes);
    std::string text;
    ASSERT_TRUE(reader.ReadString(text));
    EXPECT_EQ(text, GetParam().expected);
    EXPECT_EQ(reader.Position(), GetParam().bytes.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArchiveWideTest,
    testing::Values(
        ReadCase{"empty", Bytes({0xFF, 0xFE, 0xFF, 0x00}), ""},
        ReadCase{"latin1_kept_others_question_mark",
                 Bytes({0xFF, 0xFE, 0xFF, 0x03}) + Utf16({'A', 0xE9, 0x0401}), "A\xE9?"},
        ReadCase{"surrogate_pair_is_one_character",
                 Bytes({0xFF, 0xFE, 0xFF, 0x03}) + Utf16({'A', 0xD83D, 0xDE00}), "A?"},
        ReadCase{"lone_surrogates", Bytes({0xFF, 0xFE, 0xFF, 0x03}) + Utf16({0xDC00, 0xD83D, 'B'}),
                 "??B"},
        ReadCase{"high_surrogate_last", Bytes({0xFF, 0xFE, 0xFF, 0x01}) + Utf16({0xD83D}), "?"},
        ReadCase{"word_length",
                 Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}) + Utf16({'x'}) +
                     std::string(598, '\0'),
                 "x" + std::string(299, '\0')},
        ReadCase{"dword_length",
                 Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00}) +
                     Utf16({'o', 'k'}),
                 "ok"}),
    kCaseName);

struct DamagedCase
{
    const char* name;
    std::string bytes;
};

class ArchiveDamagedTest : public testing::TestWithParam<DamagedCase>
{
};

TEST_P(ArchiveDamagedTest, FailsWithoutTrustingTheLength)
{
    ArchiveStringReader reader(GetParam().bytes);
    std::string text;
    ResetLargestAllocation();
    EXPECT_FALSE(reader.ReadString(text));
    EXPECT_LT(LargestAllocation(), 4096u);
    EXPECT_EQ(reader.Position(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArchiveDamagedTest,
    testing::Values(
        DamagedCase{"no_bytes", ""}, DamagedCase{"length_beyond_end", Bytes({0x05}) + "abc"},
        DamagedCase{"missing_word_length", Bytes({0xFF})},
        DamagedCase{"half_word_length", Bytes({0xFF, 0x2C})},
        DamagedCase{"word_length_beyond_end", Bytes({0xFF, 0x2C, 0x01}) + Pattern(299)},
        DamagedCase{"half_dword_length", Bytes({0xFF, 0xFF, 0xFF, 0x01, 0x00})},
        DamagedCase{"dword_4gb", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) + "abc"},
        DamagedCase{"dword_16mb_without_data", Bytes({0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x01})},
        DamagedCase{"utf16_missing_length", Bytes({0xFF, 0xFE, 0xFF})},
        DamagedCase{"utf16_half_unit", Bytes({0xFF, 0xFE, 0xFF, 0x02, 'A', 0x00, 'B'})},
        DamagedCase{"utf16_4gb",
                    Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) + "abcd"}),
    kCaseName);

// ---- document file ----

std::string Strings(const std::vector<std::string>& texts)
{
    std::string out;
    for (const std::string& text : texts)
        AppendArchiveString(out, text);
    return out;
}

TEST(StoreDocument, EmptyRecordIsTwoVersionsAndFourEmptyTexts)
{
    EXPECT_EQ(StoreDocument(DocumentVersions{}, TestRecord{}),
              Bytes({10}) + "0x09090910" + Bytes({10}) + "0x07070770" + Bytes({0, 0, 0, 0}));
}

TEST(StoreDocument, WritesSectionsInFileOrderAndKeepsAnOlderPair)
{
    TestRecord record;
    record.m_Ping.m_strRaw = "P";
    record.m_RateFrame.m_strRaw = "R";
    record.m_Graph.m_strRaw = "G";
    const DocumentVersions older{kVersion1Older, kVersion2Older};
    EXPECT_EQ(StoreDocument(older, record),
              Strings({kVersion1Older, kVersion2Older, "R", "G", "P", ""}));
}

struct OpenCase
{
    const char* name;
    std::string bytes;
    DocumentStatus status;
    const char* traceRoute; // the trace route text an accepted file gives
};

class OpenDocumentTest : public testing::TestWithParam<OpenCase>
{
};

TEST_P(OpenDocumentTest, ChecksVersionsAfterReading)
{
    TestRecord before;
    before.m_Ping.m_strRaw = "untouched";
    TestRecord record = before;
    const DocumentVersions callers{"caller's 1", "caller's 2"};
    DocumentVersions versions = callers;
    ASSERT_EQ(OpenDocument(GetParam().bytes, versions, record), GetParam().status);
    if (GetParam().status != DocumentStatus::Ok) {
        EXPECT_EQ(record, before) << "a failed open changes no record";
        EXPECT_EQ(versions, callers) << "a failed open changes no version text";
        return;
    }
    EXPECT_EQ(record.m_RateFrame.m_strRaw, "Y:2");
    EXPECT_EQ(record.m_RateFrame.m_strOperationMode, "G.DMT"); // parsed
    EXPECT_EQ(record.m_Graph.m_strRaw, "Y:a");
    EXPECT_EQ(record.m_Graph.m_anValue[1], 10);
    EXPECT_EQ(record.m_Ping.m_strRaw, "Y:2");
    EXPECT_EQ(record.m_Ping.m_strResult, "Deactive");
    EXPECT_EQ(record.m_TraceRoute.m_strRaw, GetParam().traceRoute);
}

const std::string kCur1 = kVersion1Current, kCur2 = kVersion2Current;
const std::string kOld1 = kVersion1Older, kOld2 = kVersion2Older;

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenDocumentTest,
    testing::Values(
        OpenCase{"current_six", Strings({kCur1, kCur2, "Y:2", "Y:a", "Y:2", "N:0"}),
                 DocumentStatus::Ok, "N:0"},
        OpenCase{"current_bytes_after_ignored",
                 Strings({kCur1, kCur2, "Y:2", "Y:a", "Y:2", "N:0"}) + "\xFF", DocumentStatus::Ok,
                 "N:0"},
        OpenCase{"older_five", Strings({kOld1, kOld2, "Y:2", "Y:a", "Y:2"}), DocumentStatus::Ok,
                 ""},
        OpenCase{"older_sixth_ignored", Strings({kOld1, kOld2, "Y:2", "Y:a", "Y:2", "N:0"}),
                 DocumentStatus::Ok, ""},
        OpenCase{"older_first_newer_second_rejected", Strings({kOld1, kCur2, "Y:2", "Y:a", "Y:2"}),
                 DocumentStatus::UnknownVersion, ""},
        OpenCase{"newer_first_older_second_rejected",
                 Strings({kCur1, kOld2, "Y:2", "Y:a", "Y:2", ""}), DocumentStatus::UnknownVersion,
                 ""},
        OpenCase{"current_missing_sixth", Strings({kCur1, kCur2, "Y:2", "Y:a", "Y:2"}),
                 DocumentStatus::Truncated, ""},
        OpenCase{"unknown_six_rejected", Strings({"0x09090911", kCur2, "", "", "", ""}),
                 DocumentStatus::UnknownVersion, ""},
        OpenCase{"unknown_five_truncated", Strings({"0x09090911", kCur2, "", "", ""}),
                 DocumentStatus::Truncated, ""},
        OpenCase{"versions_compared_byte_for_byte", Strings({"0X09090910", kCur2, "", "", "", ""}),
                 DocumentStatus::UnknownVersion, ""},
        OpenCase{"empty_file", "", DocumentStatus::Truncated, ""}),
    kCaseName);

TEST(OpenDocument, EveryTruncationOfAValidFileFails)
{
    TestRecord wlan = SampleWlanRecord(); // a graph text long enough for a 16-bit length
    const std::string whole = StoreDocument(DocumentVersions{}, wlan);
    TestRecord longText;
    longText.m_Graph.m_strRaw = Pattern(70000);
    const std::string withDword = StoreDocument(DocumentVersions{}, longText);

    std::vector<std::string_view> cuts;
    for (std::size_t size = 0; size < whole.size(); ++size)
        cuts.push_back(std::string_view(whole).substr(0, size));
    for (std::size_t size = 0; size < 40; ++size)
        cuts.push_back(std::string_view(withDword).substr(0, size));
    cuts.push_back(std::string_view(withDword).substr(0, withDword.size() - 1));

    for (std::string_view cut : cuts) {
        DocumentVersions versions;
        TestRecord record;
        ResetLargestAllocation();
        ASSERT_EQ(OpenDocument(cut, versions, record), DocumentStatus::Truncated)
            << "cut at " << cut.size();
        ASSERT_LE(LargestAllocation(), cut.size() + 64);
    }
}

TEST(OpenDocument, ReproducesEveryParsedFieldOfTheSampleRecords)
{
    const RecordTable table = BuiltInSampleSet();
    for (std::size_t n = 0; n < table.size(); ++n) {
        TestRecord expected = table[n];
        expected.ParseAll();
        DocumentVersions versions{"stale", "stale"};
        TestRecord opened;
        ASSERT_EQ(OpenDocument(StoreDocument(DocumentVersions{}, table[n]), versions, opened),
                  DocumentStatus::Ok);
        EXPECT_EQ(versions, DocumentVersions{});
        EXPECT_EQ(opened, expected) << "DB " << n;

        // The older format has no trace route: it opens with none.
        const DocumentVersions older{kVersion1Older, kVersion2Older};
        ASSERT_EQ(OpenDocument(StoreDocument(older, table[n]), versions, opened),
                  DocumentStatus::Ok);
        EXPECT_EQ(opened.m_TraceRoute, TraceRouteSection{}) << "DB " << n;
    }
}

TEST(TestRecord, CopyIsIndependentAndReparsesToTheSameFields)
{
    TestRecord original = SampleAdslRecord();
    original.ParseAll();
    TestRecord copy = original;
    original.m_Graph.m_strRaw += ":ff";
    original.m_Graph.m_anValue[5] = -1;
    original.m_TraceRoute.m_astrHopIP[0] = "changed";
    EXPECT_NE(copy, original);

    TestRecord reparsed = copy;
    reparsed.ParseAll();
    EXPECT_EQ(reparsed, copy);
    EXPECT_EQ(copy.m_Graph.m_strRaw, SampleAdslRecord().m_Graph.m_strRaw);
}

// ---- files ----

TEST_F(DocumentFileTest, WriteReplacesTheFileAndReadsBackEveryByte)
{
    const std::string path = Path("db1.lmx");
    ASSERT_EQ(WriteFileAtomically(path, "old contents that are longer"), DocumentStatus::Ok);
    const std::string bytes = StoreDocument(DocumentVersions{}, SampleWlanRecord()) + Pattern(512);
    ASSERT_EQ(WriteFileAtomically(path, bytes), DocumentStatus::Ok);
    std::string read;
    ASSERT_EQ(ReadFileBytes(path, read), DocumentStatus::Ok);
    EXPECT_TRUE(read == bytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir), {}), 1)
        << "no temporary file is left behind";
}

TEST_F(DocumentFileTest, FailuresAreReported)
{
    std::string bytes;
    EXPECT_EQ(ReadFileBytes(Path("missing"), bytes), DocumentStatus::CannotRead);
    EXPECT_EQ(ReadFileBytes(m_dir.string(), bytes), DocumentStatus::CannotRead);
    EXPECT_EQ(WriteFileAtomically(Path("no-such-dir/db.lmx"), "x"), DocumentStatus::CannotWrite);
    EXPECT_EQ(WriteFileAtomically(m_dir.string(), "x"), DocumentStatus::CannotWrite);
    EXPECT_TRUE(std::filesystem::is_directory(m_dir)) << "a failed save leaves the target alone";
}

} // namespace
