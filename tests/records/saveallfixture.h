#pragma once

// A folder of its own for each test of saving a file per DB, and a table
// with three DBs that hold a test.

#include "records/fileaccess.h"
#include "records/testrecord.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

inline TestRecord WithTest(const std::string& strUserInfo)
{
    TestRecord record;
    record.m_Ping.m_bValid = 1;
    record.m_Ping.m_strRaw = "Y:0:4:4:0:9:8:8;";
    record.m_RateFrame.m_strUserInfo = strUserInfo;
    return record;
}

class SaveAllTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_directory = std::filesystem::temp_directory_path() /
                      ("saveall-test-" + std::to_string(std::random_device{}()));
        std::filesystem::remove_all(m_directory);
        std::filesystem::create_directories(m_directory);
        m_records[3] = WithTest("Kim Apt 301");
        m_records[7] = WithTest("");
        m_records[12] = WithTest("Lee");
    }
    void TearDown() override { std::filesystem::remove_all(m_directory); }

    std::string PathOf(const std::string& strName) const
    {
        return (m_directory / strName).string();
    }
    std::string Contents(const std::string& strName) const
    {
        std::string strBytes;
        ReadFileBytes(PathOf(strName), strBytes);
        return strBytes;
    }

    std::filesystem::path m_directory;
    RecordTable m_records;
};
