// The session log: what its lines look like, reading it back, and the port
// that feeds it.

#include "link/loggedport.h"
#include "link/sessionlog.h"
#include "sessionlogfixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <istream>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

using namespace std::chrono_literals;

std::string Padded(const std::string& strHex)
{
    return strHex + std::string(48 - strHex.size(), ' ') + " ";
}

TEST_F(SessionLogTest, LinesGroupBytesByDirectionSixteenToALine)
{
    struct Case
    {
        const char* pszName;
        std::function<void(CSessionLog&)> write;
        std::vector<std::string> expected;
    };
    const auto received = [](CSessionLog& log, const std::string& strBytes) {
        for (const char ch : strBytes)
            log.LogReceived(ch);
    };
    const Case cases[] = {
        {"a write longer than a line",
         [](CSessionLog& log) { log.LogSent("forpc rtrvinfo\nABCDE", 20); },
         {"TX " + Padded("66 6f 72 70 63 20 72 74 72 76 69 6e 66 6f 0a 41 ") + "forpc rtrvinfo.A",
          "TX " + Padded("42 43 44 45 ") + "BCDE"}},
        {"each write a line of its own",
         [](CSessionLog& log) {
             log.LogSent("\n", 1);
             log.LogSent("\n", 1);
         },
         {"TX " + Padded("0a ") + ".", "TX " + Padded("0a ") + "."}},
        {"received bytes gathered up to sixteen, the rest at Flush",
         [&](CSessionLog& log) {
             received(log, "%01Y:2:1:800:8000:85");
             log.Flush();
         },
         {"RX " + Padded("25 30 31 59 3a 32 3a 31 3a 38 30 30 3a 38 30 30 ") + "%01Y:2:1:800:800",
          "RX " + Padded("30 3a 38 35 ") + "0:85"}},
        {"a write and a note end the received line",
         [&](CSessionLog& log) {
             received(log, ">");
             log.LogSent("x\n", 2);
             received(log, "%0");
             log.Note("prompt timed out");
             received(log, "1");
         },
         {"RX " + Padded("3e ") + ">", "TX " + Padded("78 0a ") + "x.",
          "RX " + Padded("25 30 ") + "%0", "#  prompt timed out", "RX " + Padded("31 ") + "1"}},
        {"non-printable bytes are dots in the text",
         [&](CSessionLog& log) {
             received(log, std::string("\0\x1f \x7e\x7f\x80\xff\r", 8));
             log.Flush();
         },
         {"RX " + Padded("00 1f 20 7e 7f 80 ff 0d ") + ".. ~...."}},
        {"a note stays on one line",
         [](CSessionLog& log) { log.Note("channel: ERROR\r\nCODE"); },
         {"#  channel: ERROR  CODE"}},
        {"nothing to send writes nothing", [](CSessionLog& log) { log.LogSent("", 0); }, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.pszName);
        std::filesystem::remove(Path("session.log"));
        {
            CSessionLog log;
            OpenLog(log);
            test.write(log);
            // The destructor closes and writes what is gathered.
        }
        EXPECT_EQ(BodyWithoutTimes("session.log"), test.expected);
    }
}

TEST_F(SessionLogTest, OpenNeverOverwritesAndSaysWhy)
{
    WriteFile("earlier.log", "an earlier log");
    struct Case
    {
        std::string strPath;
        std::string strReason;
    };
    const Case cases[] = {
        {Path("earlier.log"), "File exists"},
        {Path("no-such-folder/session.log"), "No such file or directory"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.strPath);
        CSessionLog log;
        FileError error;
        EXPECT_FALSE(log.Open(test.strPath, "COM1", error));
        EXPECT_FALSE(log.IsOpen());
        EXPECT_EQ(error.m_strSystemText, test.strReason);
        // Logging into a log that did not open does nothing.
        log.LogSent("x", 1);
        log.Note("n");
        log.Close();
    }
    EXPECT_EQ(Contents("earlier.log"), "an earlier log");
}

TEST_F(SessionLogTest, WhatIsWrittenReadsBackWithItsTimeOffsets)
{
    auto now = std::chrono::system_clock::time_point(std::chrono::seconds(1'780'000'000));
    std::string strAllBytes;
    for (int nByte = 0; nByte < 256; ++nByte)
        strAllBytes += static_cast<char>(nByte);
    {
        CSessionLog log;
        log.SetClock([&now] { return now; });
        OpenLog(log);
        log.Note("port opened");
        now += 1000ms;
        log.LogSent("\n", 1);
        now += 25ms;
        for (const char ch : strAllBytes)
            log.LogReceived(ch);
        now += 975ms;
        log.LogSent("forpc rtrvgrp\n", 14);
    }
    EXPECT_TRUE(Contents("session.log")
                    .starts_with("# LMX-4410 session log\n# port: /dev/ttyUSB0\n# started: "));
    std::vector<SessionLogEntry> entries;
    std::string strError;
    ASSERT_TRUE(ReadSessionLog(Path("session.log"), entries, strError)) << strError;
    ASSERT_EQ(entries.size(), 2u + 16u + 1u);
    using Direction = SessionLogEntry::Direction;
    EXPECT_EQ(entries[0].m_direction, Direction::Note);
    EXPECT_EQ(entries[0].m_strBytes, "port opened");
    EXPECT_EQ(entries[0].m_nOffsetMs, 0);
    EXPECT_EQ(entries[1].m_direction, Direction::Sent);
    EXPECT_EQ(entries[1].m_strBytes, "\n");
    EXPECT_EQ(entries[1].m_nOffsetMs, 1000);
    std::string strReceived;
    for (std::size_t i = 2; i < 18; ++i) {
        EXPECT_EQ(entries[i].m_direction, Direction::Received);
        EXPECT_EQ(entries[i].m_nOffsetMs, 1025);
        strReceived += entries[i].m_strBytes;
    }
    EXPECT_EQ(strReceived, strAllBytes);
    EXPECT_EQ(entries[18].m_direction, Direction::Sent);
    EXPECT_EQ(entries[18].m_strBytes, "forpc rtrvgrp\n");
    EXPECT_EQ(entries[18].m_nOffsetMs, 2000);
}

TEST_F(SessionLogTest, TheReaderTakesCommentsLineEndsAndMidnight)
{
    WriteFile("edited.log", "# LMX-4410 session log\r\n"
                            "# port: COM1\n"
                            "23:59:59.900 TX 0a\r\n"
                            "\n"
                            "# the prompt comes after midnight\n"
                            "00:00:00.150 RX " +
                                Padded("3E 3b ") + ">;\n" + "00:00:01.000 #  \n");
    std::vector<SessionLogEntry> entries;
    std::string strError;
    ASSERT_TRUE(ReadSessionLog(Path("edited.log"), entries, strError)) << strError;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].m_strBytes, "\n");
    EXPECT_EQ(entries[1].m_strBytes, ">;");
    EXPECT_EQ(entries[1].m_nOffsetMs, 250);
    EXPECT_EQ(entries[2].m_direction, SessionLogEntry::Direction::Note);
    EXPECT_EQ(entries[2].m_nOffsetMs, 1100);
}

TEST_F(SessionLogTest, AClockSetBackTakesNoTimeButMidnightADay)
{
    const struct
    {
        const char* pszName;
        const char* pszFirst;
        const char* pszSecond;
        std::int64_t nSecondOffsetMs;
    } cases[] = {
        {"a time server's correction", "10:00:00.300", "10:00:00.250", 0},
        {"summer time ending", "03:00:10.000", "02:00:11.000", 0},
        {"just under half a day back", "13:00:00.000", "01:00:00.001", 0},
        {"midnight", "23:59:59.900", "00:00:00.150", 250},
        {"midnight after a long silence", "12:00:00.000", "00:00:00.000", 12 * 3600 * 1000},
        {"forward", "10:00:00.000", "10:00:02.500", 2500},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.pszName);
        WriteFile("stepped.log", std::string("# LMX-4410 session log\n") + test.pszFirst +
                                     " TX 0a\n" + test.pszSecond + " RX 3e\n" + test.pszSecond +
                                     " #  the same moment\n");
        std::vector<SessionLogEntry> entries;
        std::string strError;
        ASSERT_TRUE(ReadSessionLog(Path("stepped.log"), entries, strError)) << strError;
        ASSERT_EQ(entries.size(), 3u);
        EXPECT_EQ(entries[1].m_nOffsetMs, test.nSecondOffsetMs);
        EXPECT_EQ(entries[2].m_nOffsetMs, test.nSecondOffsetMs);
    }
}

TEST_F(SessionLogTest, AMalformedLogNamesTheLineAndWhatIsWrong)
{
    const std::string strHeader = "# LMX-4410 session log\n# port: COM1\n";
    const std::string strGood = "10:00:00.000 TX 0a" + std::string(46, ' ') + " .\n";
    struct Case
    {
        const char* pszName;
        std::string strText;
        std::string strExpected; // in the error, after the file name
    };
    const Case cases[] = {
        {"another file", "hello\n", ", line 1: not a session log"},
        {"an empty file", "", ": the file is empty"},
        {"no time", strHeader + strGood + "TX 0a\n", ", line 4: expected a time"},
        {"a time out of range", strHeader + "24:00:00.000 TX 0a\n", ", line 3: expected a time"},
        {"an unknown direction", strHeader + strGood + "10:00:00.100 XX 0a\n",
         ", line 4: unknown direction 'XX'"},
        {"a byte that is not hex", strHeader + "10:00:00.000 RX 3e zz\n",
         ", line 3: 'zz' is not a hex byte"},
        {"a byte of three digits", strHeader + "10:00:00.000 RX 3e0\n",
         ", line 3: '3e0' is not a hex byte"},
        {"no bytes", strHeader + "10:00:00.000 RX \n", ", line 3: a data line without bytes"},
        {"seventeen bytes",
         strHeader + "10:00:00.000 RX 00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10\n",
         ", line 3: the hex column holds more than 16 bytes"},
        {"cut short", strHeader + strGood + "10:00", ", line 4: expected a time"},
        {"text that is not the bytes",
         strHeader + "10:00:00.000 RX 3e 3e" + std::string(43, ' ') + " >;\n",
         ", line 3: the text column does not match the hex bytes"},
        {"a note longer than any log writes",
         strHeader + "10:00:00.000 #  " + std::string(5000, 'x') + "\n",
         ", line 3: the line is longer than 4096 characters"},
        {"a megabyte without a line break", strHeader + strGood + std::string(1 << 20, 'a'),
         ", line 4: the line is longer than 4096 characters"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.pszName);
        WriteFile("bad.log", test.strText);
        std::vector<SessionLogEntry> entries{{}};
        std::string strError;
        EXPECT_FALSE(ReadSessionLog(Path("bad.log"), entries, strError));
        EXPECT_EQ(strError.substr(0, Path("bad.log").size() + test.strExpected.size()),
                  Path("bad.log") + test.strExpected);
        EXPECT_TRUE(entries.empty());
    }
    std::vector<SessionLogEntry> entries;
    std::string strError;
    EXPECT_FALSE(ReadSessionLog(Path("missing.log"), entries, strError));
    EXPECT_NE(strError.find(Path("missing.log")), std::string::npos) << strError;
}

// A log's header and then text that never ends and never breaks a line.
class CEndlessLine final : public std::streambuf
{
public:
    CEndlessLine() : m_strChunk("# LMX-4410 session log\n") {}

private:
    int_type underflow() override
    {
        if (m_bHeaderGiven)
            m_strChunk.assign(64 * 1024, 'a');
        m_bHeaderGiven = true;
        setg(m_strChunk.data(), m_strChunk.data(), m_strChunk.data() + m_strChunk.size());
        return traits_type::to_int_type(m_strChunk.front());
    }

    std::string m_strChunk;
    bool m_bHeaderGiven = false;
};

TEST_F(SessionLogTest, ALineIsReadNoFurtherThanItsLimit)
{
    CEndlessLine endless;
    std::istream text(&endless);
    std::vector<SessionLogEntry> entries;
    std::string strError;
    EXPECT_FALSE(ReadSessionLog(text, "endless.log", entries, strError));
    EXPECT_EQ(strError, "endless.log, line 2: the line is longer than 4096 characters, which no "
                        "session log writes");

    // A long note the log itself might write still reads.
    const std::string strNote(4000, 'n');
    WriteFile("long-note.log", "# LMX-4410 session log\n10:00:00.000 #  " + strNote + "\r\n");
    ASSERT_TRUE(ReadSessionLog(Path("long-note.log"), entries, strError)) << strError;
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].m_strBytes, strNote);
}

// A port that records what the download asked of it.
class CScriptedPort final : public IDownloadPort
{
public:
    bool Open(const std::string&, int) override { return m_bOpens; }
    void Close() override { ++m_nCloses; }
    int Write(const char* pData, int nLength) override
    {
        const int nTaken = std::min(nLength, m_nWriteRoom);
        m_strWritten.append(pData, static_cast<std::size_t>(nTaken));
        return nTaken;
    }
    void WriteChar(char ch) override { m_strWritten += ch; }
    bool Get(char& ch) override
    {
        if (m_strIncoming.empty())
            return false;
        ch = m_strIncoming.front();
        m_strIncoming.erase(0, 1);
        return true;
    }
    bool HasQueuedData() const override { return !m_strIncoming.empty(); }

    bool m_bOpens = true;
    int m_nWriteRoom = 1000;
    int m_nCloses = 0;
    std::string m_strWritten;
    std::string m_strIncoming;
};

TEST_F(SessionLogTest, TheLoggedPortPassesEverythingThroughAndLogsIt)
{
    struct Case
    {
        const char* pszName;
        bool bOpens;
        int nWriteRoom;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"a download",
         true,
         1000,
         {"#  port opened: COM1 at 9600 baud", "TX " + Padded("0a ") + ".",
          "RX " + Padded("3e ") + ">", "TX " + Padded("67 6f 0a ") + "go.", "#  port closed"}},
        {"a port that does not open",
         false,
         1000,
         {"#  port failed to open: COM1 at 9600 baud", "TX " + Padded("0a ") + ".",
          "RX " + Padded("3e ") + ">", "TX " + Padded("67 6f 0a ") + "go."}},
        {"a write the port takes in part",
         true,
         2,
         {"#  port opened: COM1 at 9600 baud", "TX " + Padded("0a ") + ".",
          "RX " + Padded("3e ") + ">", "TX " + Padded("67 6f ") + "go",
          "#  the port took 2 of 3 bytes", "#  port closed"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.pszName);
        std::filesystem::remove(Path("session.log"));
        CScriptedPort port;
        port.m_bOpens = test.bOpens;
        port.m_nWriteRoom = test.nWriteRoom;
        port.m_strIncoming = ">";
        CLoggedPort logged(port);
        CSessionLog log;
        OpenLog(log);
        logged.SetLog(&log);

        const bool bOpened = logged.Open("COM1", 9600);
        logged.WriteChar('\n');
        char ch = 0;
        while (logged.HasQueuedData() && logged.Get(ch))
            ;
        logged.Write("go\n", 3);
        logged.Close();
        log.Close();

        EXPECT_EQ(bOpened, test.bOpens);
        EXPECT_EQ(ch, '>');
        EXPECT_EQ(port.m_strWritten, std::string("\ngo\n").substr(0, 1 + test.nWriteRoom));
        EXPECT_EQ(port.m_nCloses, 1);
        EXPECT_EQ(BodyWithoutTimes("session.log"), test.expected);
    }
}

} // namespace
