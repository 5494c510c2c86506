// Saving every DB with a test into one folder: the file names made from the
// user information, never overwriting unasked, and one failure keeping the rest.

#include "records/datedname.h"
#include "records/documentfile.h"
#include "records/fileaccess.h"
#include "records/saveall.h"
#include "saveallfixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

TEST(SaveAllNames, UserInformationBecomesASafeFileName)
{
    const std::string strLong(200, 'x');
    const struct
    {
        std::string m_strUserInfo;
        std::string m_strName;
    } cases[] = {
        {"Kim Apt 301", "DB03 Kim Apt 301.lmx"},
        {"", "DB03.lmx"},
        {"../../etc/passwd", "DB03 _.._etc_passwd.lmx"},
        {"a\\b:c*d?e\"f<g>h|i", "DB03 a_b_c_d_e_f_g_h_i.lmx"},
        {"line\r\nbreak\t\x7F", "DB03 line__break__.lmx"},
        {"\t .hidden", "DB03 hidden.lmx"},
        {"trailing. . ", "DB03 trailing.lmx"},
        {" . ", "DB03.lmx"},
        {"M\xFC"
         "ller",
         "DB03 M\xC3\xBC"
         "ller.lmx"},
        {"C1\x85here", "DB03 C1_here.lmx"},
        {strLong, "DB03 " + std::string(kMaxUserInfoNameChars, 'x') + ".lmx"},
        {std::string(kMaxUserInfoNameChars - 1, 'y') + " z",
         "DB03 " + std::string(kMaxUserInfoNameChars - 1, 'y') + ".lmx"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DbFileName(3, WithTest(c.m_strUserInfo), ".lmx"), c.m_strName) << c.m_strUserInfo;
    EXPECT_EQ(DbFileName(20, WithTest("x"), ".pdf"), "DB20 x.pdf");
}

TEST(SaveAllNames, DefaultFolderNameCarriesDateAndTime)
{
    std::tm time{};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 0;
    time.tm_mday = 5;
    time.tm_hour = 7;
    time.tm_min = 3;
    time.tm_isdst = -1;
    const auto when = std::chrono::system_clock::from_time_t(std::mktime(&time));
    EXPECT_EQ(DefaultSaveAllFolderName(when), "LMX-4410 2026-01-05 0703");
}

TEST_F(SaveAllTest, SavesEachDbWithATestAndNothingElse)
{
    const auto results = SaveAllDbs(m_records, m_directory.string(), false);
    ASSERT_EQ(results.size(), 3u);
    const std::pair<int, std::string> expected[] = {
        {3, "DB03 Kim Apt 301.lmx"}, {7, "DB07.lmx"}, {12, "DB12 Lee.lmx"}};
    for (std::size_t i = 0; i < results.size(); ++i) {
        EXPECT_EQ(results[i].m_nDb, expected[i].first);
        EXPECT_EQ(results[i].m_strPath, PathOf(expected[i].second));
        EXPECT_EQ(results[i].m_Outcome, SaveAllOutcome::Saved);
        TestRecord reopened;
        DocumentVersions versions;
        ASSERT_EQ(OpenDocument(Contents(expected[i].second), versions, reopened),
                  DocumentStatus::Ok);
        EXPECT_EQ(reopened.m_Ping.m_strRaw,
                  m_records[static_cast<std::size_t>(expected[i].first)].m_Ping.m_strRaw);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_directory), {}), 3);
}

TEST_F(SaveAllTest, ExistingFilesAreKeptUnlessOverwritingIsAsked)
{
    std::ofstream(PathOf("DB07.lmx")) << "keep me";
    const auto kept = SaveAllDbs(m_records, m_directory.string(), false);
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept[1].m_Outcome, SaveAllOutcome::SkippedExists);
    EXPECT_EQ(Contents("DB07.lmx"), "keep me");
    EXPECT_EQ(kept[2].m_Outcome, SaveAllOutcome::Saved);

    const auto overwritten = SaveAllDbs(m_records, m_directory.string(), true);
    ASSERT_EQ(overwritten.size(), 3u);
    for (const auto& result : overwritten)
        EXPECT_EQ(result.m_Outcome, SaveAllOutcome::Saved) << result.m_strPath;
    EXPECT_EQ(Contents("DB07.lmx"), StoreDocument(DocumentVersions(), m_records[7]));
}

TEST_F(SaveAllTest, TheQuestionIsAskedPerExistingFileAndCanStopTheRest)
{
    std::ofstream(PathOf("DB03 Kim Apt 301.lmx")) << "old 3";
    std::ofstream(PathOf("DB07.lmx")) << "old 7";
    std::vector<std::string> asked;
    std::vector<std::pair<int, int>> progress;
    const auto results = SaveAllDbs(
        m_records, m_directory.string(),
        [&](const std::string& strPath) {
            asked.push_back(strPath);
            return asked.size() == 1 ? OverwriteChoice::Overwrite : OverwriteChoice::StopSaving;
        },
        [&](int nDone, int nTotal) { progress.emplace_back(nDone, nTotal); });
    // Stopping ends the progress too: DB 12 is never started.
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}}));
    EXPECT_EQ(asked,
              (std::vector<std::string>{PathOf("DB03 Kim Apt 301.lmx"), PathOf("DB07.lmx")}));
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].m_Outcome, SaveAllOutcome::Saved);
    EXPECT_EQ(results[1].m_Outcome, SaveAllOutcome::SkippedExists);
    EXPECT_EQ(Contents("DB07.lmx"), "old 7");
    EXPECT_FALSE(std::filesystem::exists(PathOf("DB12 Lee.lmx")));
}

TEST_F(SaveAllTest, AFailureOnOneFileKeepsTheOthers)
{
    std::filesystem::create_directories(m_directory / "DB07.lmx" / "inside");
    const auto results = SaveAllDbs(m_records, m_directory.string(), true);
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].m_Outcome, SaveAllOutcome::Saved);
    EXPECT_EQ(results[1].m_Outcome, SaveAllOutcome::Failed);
    EXPECT_EQ(results[1].m_strPath, PathOf("DB07.lmx"));
    EXPECT_EQ(results[1].m_error.m_problem, FileProblem::IsAFolder)
        << results[1].m_error.m_strSystemText;
    EXPECT_EQ(results[2].m_Outcome, SaveAllOutcome::Saved);
    EXPECT_TRUE(std::filesystem::is_directory(m_directory / "DB07.lmx" / "inside"));
}

} // namespace
