// Saving and reading files where Windows has more to say: files that another
// program holds, and names that are no document files.

#include "documentfilefixture.h"
#include "records/documentfile.h"
#include "records/systemerror.h"
#include "simulator/sampleset.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#include <windows.h>

namespace {

TEST_F(DocumentFileTest, AFileAnotherProgramHoldsIsNotReplacedAndSaysWhy)
{
    const std::string path = Path("db2.lmx");
    const std::string old = StoreDocument(DocumentVersions{}, SampleVdslRecord());
    ASSERT_EQ(WriteFileAtomically(path, old), DocumentStatus::Ok);

    const HANDLE hHeld = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    FileError error;
    const DocumentStatus status = WriteFileAtomically(path, Pattern(100), &error);
    CloseHandle(hHeld);

    EXPECT_EQ(status, DocumentStatus::CannotWrite);
    EXPECT_EQ(error.m_problem, FileProblem::NoPermission);
    EXPECT_FALSE(error.m_strSystemText.empty());
    std::string read;
    ASSERT_EQ(ReadFileBytes(path, read), DocumentStatus::Ok);
    EXPECT_TRUE(read == old) << "the old file is intact";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir), {}), 1)
        << "the temporary is removed";
}

TEST_F(DocumentFileTest, ReadRefusesWhatIsNoDocumentFileAndSaysWhy)
{
    ExpectReadsRefused({RefusedRead{"NUL", FileProblem::NotAFile, ""},
                        RefusedRead{Path("missing.lmx"), FileProblem::NotFound,
                                    SystemErrorText(ERROR_FILE_NOT_FOUND)},
                        RefusedRead{m_dir.string(), FileProblem::IsAFolder,
                                    std::generic_category().message(EISDIR)}});
}

TEST(SystemErrorText, IsTheSystemsSentenceWithoutItsLineEnd)
{
    const std::string text = SystemErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
    EXPECT_NE(text.back(), '.') << text;
}

} // namespace
