#pragma once

// What the document file tests of every platform share: bytes of every value
// and a scratch folder for each test.

#include "records/atomicfile.h"
#include "records/documentfile.h"
#include "records/fileaccess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

// Every byte value, NUL and 0xFF included.
inline std::string Pattern(std::size_t length)
{
    std::string text(length, '\0');
    for (std::size_t i = 0; i < length; ++i)
        text[i] = static_cast<char>((i * 31 + 7) & 0xFF);
    return text;
}

// A file that is no document, and the problem a read of it must report,
// with the system's own text (none for what the program finds itself).
struct RefusedRead
{
    std::string path;
    FileProblem problem;
    std::string systemText;
};

// A folder of its own for each test, removed afterwards; the random part
// keeps test processes that run side by side apart.
class DocumentFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("lmx-docfile-" + std::to_string(std::random_device{}()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string Path(const char* name) const { return (m_dir / name).string(); }

    // Each read fails with its reason and leaves the bytes as they were.
    static void ExpectReadsRefused(const std::vector<RefusedRead>& reads)
    {
        for (const RefusedRead& read : reads) {
            std::string bytes = "kept";
            FileError error;
            EXPECT_EQ(ReadFileBytes(read.path, bytes, &error), DocumentStatus::CannotRead);
            EXPECT_EQ(error.m_problem, read.problem) << read.path;
            EXPECT_EQ(error.m_strSystemText, read.systemText) << read.path;
            EXPECT_EQ(bytes, "kept");
        }
    }

    std::filesystem::path m_dir;
};
