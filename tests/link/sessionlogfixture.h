#pragma once

// A folder of its own for each session log test, removed afterwards, and
// ways to look at the files in it.

#include "link/sessionlog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

class SessionLogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_directory = std::filesystem::temp_directory_path() /
                      ("lmx-sessionlog-" + std::to_string(std::random_device{}()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_directory);
        std::filesystem::create_directories(m_directory);
    }
    void TearDown() override { std::filesystem::remove_all(m_directory); }

    std::string Path(const std::string& strName) const { return (m_directory / strName).string(); }

    std::string Contents(const std::string& strName) const
    {
        std::ifstream file(Path(strName), std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    void WriteFile(const std::string& strName, const std::string& strText) const
    {
        std::ofstream(Path(strName), std::ios::binary) << strText;
    }

    // The lines after the header, each without its time of day.
    std::vector<std::string> BodyWithoutTimes(const std::string& strName) const
    {
        std::istringstream text(Contents(strName));
        std::vector<std::string> lines;
        std::string strLine;
        while (std::getline(text, strLine)) {
            if (!strLine.starts_with('#'))
                lines.push_back(strLine.substr(13));
        }
        return lines;
    }

    void OpenLog(CSessionLog& log, const std::string& strName = "session.log") const
    {
        FileError error;
        ASSERT_TRUE(log.Open(Path(strName), "/dev/ttyUSB0", error)) << error.m_strSystemText;
    }

    std::filesystem::path m_directory;
};
