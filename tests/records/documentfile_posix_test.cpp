// Saving and reading files where POSIX has more to say: links, permissions,
// a full disk and files that are no documents.

#include "documentfilefixture.h"
#include "filesizelimit.h"
#include "records/documentfile.h"
#include "simulator/sampleset.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace {

TEST_F(DocumentFileTest, SavingOverALinkReplacesItsTargetAndKeepsPermissions)
{
    namespace fs = std::filesystem;
    const std::string real = Path("real.lmx");
    const std::string link = Path("link.lmx");
    ASSERT_EQ(WriteFileAtomically(real, "old"), DocumentStatus::Ok);
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, link);

    ASSERT_EQ(WriteFileAtomically(link, "new"), DocumentStatus::Ok);
    EXPECT_TRUE(fs::is_symlink(link));
    std::string read;
    ASSERT_EQ(ReadFileBytes(real, read), DocumentStatus::Ok);
    EXPECT_EQ(read, "new");
    EXPECT_EQ(fs::status(real).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(DocumentFileTest, SaveThatRunsOutOfRoomLeavesTheOldFileAndSaysWhy)
{
    const std::string path = Path("db4.lmx");
    const std::string old = StoreDocument(DocumentVersions{}, SampleAdslRecord());
    ASSERT_EQ(WriteFileAtomically(path, old), DocumentStatus::Ok);

    for (const std::size_t size : {std::size_t{70000}, std::size_t{4096} + 1}) {
        FileError error;
        DocumentStatus status;
        {
            const FileSizeLimit limit(4096);
            status = WriteFileAtomically(path, Pattern(size), &error);
        }
        EXPECT_EQ(status, DocumentStatus::CannotWrite) << size;
        EXPECT_EQ(error.m_problem, FileProblem::TooLarge) << size;
        EXPECT_EQ(error.m_strSystemText, std::generic_category().message(EFBIG)) << size;
        std::string read;
        ASSERT_EQ(ReadFileBytes(path, read), DocumentStatus::Ok);
        EXPECT_TRUE(read == old) << "the old file is intact after a " << size << "-byte save";
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir), {}), 1)
            << "the partial temporary is removed";
    }
}

TEST_F(DocumentFileTest, ReadRefusesWhatIsNoDocumentFileWithoutWaiting)
{
    const std::string fifo = Path("pipe.lmx");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ExpectReadsRefused({RefusedRead{fifo, FileProblem::NotAFile, ""},
                        RefusedRead{Path("missing.lmx"), FileProblem::NotFound,
                                    std::generic_category().message(ENOENT)},
                        RefusedRead{m_dir.string(), FileProblem::IsAFolder,
                                    std::generic_category().message(EISDIR)}});
}

} // namespace
