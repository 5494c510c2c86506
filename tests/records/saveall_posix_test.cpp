// A file per DB where POSIX sets the scene: links planted under the names
// the batch writes, and a disk that fills up (a file size limit stands in).

#include "filesizelimit.h"
#include "records/documentfile.h"
#include "records/saveall.h"
#include "saveallfixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The two batches that write a file per DB: documents, and (with bytes of
// their own) a report each.
struct Batch
{
    const char* pszName;
    std::string strExtension;
    DbFileBytes makeBytes;
};

std::vector<Batch> Batches()
{
    return {{"documents", ".lmx", DbDocumentBytes},
            {"reports", ".pdf", [](int nDb, const TestRecord&) -> std::optional<std::string> {
                 return "%PDF of DB " + std::to_string(nDb);
             }}};
}

class SaveAllPosixTest : public SaveAllTest
{
protected:
    std::vector<SaveAllResult> Write(const Batch& batch, OverwriteChoice answer)
    {
        m_asked.clear();
        return WriteFilePerDb(m_records, m_directory.string(), batch.strExtension, batch.makeBytes,
                              [this, answer](const std::string& strPath) {
                                  m_asked.push_back(strPath);
                                  return answer;
                              });
    }
    void Plant(const std::string& strName, const std::string& strContents) const
    {
        std::ofstream(PathOf(strName), std::ios::binary) << strContents;
    }

    std::vector<std::string> m_asked;
};

TEST_F(SaveAllPosixTest, ALinkUnderAFileNameIsReplacedItselfNeverWrittenThrough)
{
    fs::create_directories(m_directory / "elsewhere");
    for (const Batch& batch : Batches()) {
        SCOPED_TRACE(batch.pszName);
        const std::string strLive = "DB07" + batch.strExtension;
        const std::string strDangling = "DB12 Lee" + batch.strExtension;
        Plant("elsewhere/kept", "not ours");
        fs::create_symlink(m_directory / "elsewhere/kept", PathOf(strLive));
        fs::create_symlink(m_directory / "elsewhere/made", PathOf(strDangling));

        // Kept when the user says so, a dangling link too: it is there.
        Write(batch, OverwriteChoice::Keep);
        EXPECT_EQ(m_asked, (std::vector<std::string>{PathOf(strLive), PathOf(strDangling)}));
        EXPECT_TRUE(fs::is_symlink(PathOf(strDangling)));

        const auto results = Write(batch, OverwriteChoice::Overwrite);
        ASSERT_EQ(results.size(), 3u);
        for (const SaveAllResult& result : results)
            EXPECT_EQ(result.m_Outcome, SaveAllOutcome::Saved) << result.m_strPath;
        for (const auto& [strName, nDb] : {std::pair{strLive, 7}, std::pair{strDangling, 12}}) {
            EXPECT_FALSE(fs::is_symlink(PathOf(strName))) << strName;
            EXPECT_EQ(Contents(strName), *batch.makeBytes(nDb, m_records[nDb]));
        }
        EXPECT_EQ(Contents("elsewhere/kept"), "not ours");
        EXPECT_FALSE(fs::exists(m_directory / "elsewhere/made"));
    }
}

TEST_F(SaveAllPosixTest, AFullDiskStopsTheBatchAndKeepsTheEarlierFile)
{
    for (const Batch& batch : Batches()) {
        SCOPED_TRACE(batch.pszName);
        const std::string strFirst = "DB03 Kim Apt 301" + batch.strExtension;
        Plant(strFirst, "earlier");
        std::vector<SaveAllResult> results;
        {
            const FileSizeLimit limit(4);
            results = Write(batch, OverwriteChoice::Overwrite);
        }
        ASSERT_EQ(results.size(), 1u) << "the later DBs are not tried";
        EXPECT_EQ(results[0].m_Outcome, SaveAllOutcome::Failed);
        EXPECT_EQ(results[0].m_error.m_problem, FileProblem::TooLarge);
        EXPECT_EQ(results[0].m_error.m_strSystemText, "File too large");
        EXPECT_TRUE(StoppedOutOfRoom(results));
        EXPECT_EQ(Contents(strFirst), "earlier");
        EXPECT_EQ(std::distance(fs::directory_iterator(m_directory), {}), 1)
            << "nothing else, no temporary, is in the folder";

        // A failure of another kind keeps the others going.
        fs::remove(PathOf(strFirst));
        fs::create_directories(m_directory / strFirst / "inside");
        results = Write(batch, OverwriteChoice::Overwrite);
        ASSERT_EQ(results.size(), 3u);
        EXPECT_EQ(results[0].m_Outcome, SaveAllOutcome::Failed);
        EXPECT_FALSE(StoppedOutOfRoom(results));
        EXPECT_EQ(results[2].m_Outcome, SaveAllOutcome::Saved);
        fs::remove_all(m_directory);
        fs::create_directories(m_directory);
    }
}

} // namespace
