// Runs the built lmxtool binary: exit codes, messages, a make -> dump round trip
// and the CSV export.

#include "filesizelimit.h"
#include "records/documentfile.h"
#include "records/recordcsv.h"
#include "simulator/sampleset.h"
#include "tools/recordjson.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct ToolRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class LmxToolTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("lmx-tool-" + std::to_string(::getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    void WriteFile(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }

    // Runs lmxtool with args; stdout goes to outPath when given.
    ToolRun Run(const std::vector<std::string>& args, const std::string& outPath = "") const
    {
        const std::string tool = std::string(LMX_TOOLS_DIR) + "/lmxtool";
        const std::string out = outPath.empty() ? Path("stdout") : outPath;
        const std::string err = Path("stderr");
        std::vector<char*> argv{const_cast<char*>(tool.c_str())};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        pid_t pid = 0;
        ToolRun run;
        const int spawned =
            posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            ADD_FAILURE() << "cannot start " << tool;
            return run;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        run.out = outPath.empty() ? ReadAll(out) : "";
        run.err = ReadAll(err);
        return run;
    }

    std::filesystem::path m_dir;
};

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

TEST_F(LmxToolTest, BadUsageExitsTwoWithTheUsage)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"parse", "ping"},
        {"parse", "pong", "Y"},
        {"make"},
        {"make", "--ping", "Y"},
        {"make", "-o", Path("x.lmx"), "--ping"},
        {"make", "-o", Path("x.lmx"), "--versions", "0x09090910"},
        {"dump"},
        {"dump", "a", "b"},
        {"export"},
        {"export", "--csv", Path("x.lmx")},
        {"export", "--csv"},
        {"export", "--tsv", "a.lmx"},
        {"export", "--csv", "a.csv", "--csv", "b.csv", "c.lmx"},
        {"download", "--port", "/dev/null", "--out", Path("d"), "--log"},
        {"download", "--port", "/dev/null", "--log", Path("x.log")},
    };
    for (const auto& args : cases) {
        const ToolRun run = Run(args);
        const std::string shown = args.empty() ? "(none)" : args[0];
        EXPECT_EQ(run.exitCode, 2) << shown;
        EXPECT_EQ(run.out, "") << shown;
        EXPECT_TRUE(Contains(run.err, "usage:")) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("x.lmx")));
    EXPECT_FALSE(std::filesystem::exists(Path("x.log")));
}

// Each command explains itself, wherever --help stands among its arguments,
// and does nothing else.
TEST_F(LmxToolTest, EachCommandAnswersHelpWithItsOwnUsage)
{
    const std::vector<std::vector<std::string>> cases = {
        {"parse", "--help"},  {"make", "-h"},
        {"dump", "--help"},   {"report", "--help"},
        {"export", "--help"}, {"download", "--port", "/dev/null", "--out", Path("d"), "--help"},
    };
    for (const auto& args : cases) {
        const ToolRun run = Run(args);
        EXPECT_EQ(run.exitCode, 0) << args[0];
        EXPECT_TRUE(Contains(run.out, "usage: lmxtool " + args[0])) << run.out;
        EXPECT_EQ(run.out.find("usage: lmxtool", 1), std::string::npos) << run.out;
        EXPECT_EQ(run.err, "") << args[0];
    }
    EXPECT_FALSE(std::filesystem::exists(Path("d")));
}

TEST_F(LmxToolTest, ParsePrintsTheParsedSection)
{
    const struct
    {
        const char* section;
        const char* text;
        const char* expected;
    } cases[] = {
        {"rate-frame", "Y:2:1:512:2048:71:80", R"("m_nUpMaxRate":704,"m_nDownMaxRate":2560,)"},
        {"ping", "Y:1:999:0", R"("m_nTxCount":0,)"},
        {"ping", "Y:1:999:0", R"("m_strResult":"Fail",)"},
        {"graph", "Y:0:1:a:FF", R"("m_anValue":[0,0,1,10,255,0,)"},
        {"ap-list", "Y:fe:c8", R"("m_anApRssi":[200,0,0,0],"m_anApChannel":[-2,0,0,0])"},
        {"trace-route", "forpc rtrvtrrt;Y:1:5:6:7:00000000",
         R"("m_astrHopIP":["Request time out","",)"},
    };
    for (const auto& c : cases) {
        const ToolRun run = Run({"parse", c.section, c.text});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_TRUE(Contains(run.out, c.expected)) << c.section << ": " << run.out;
    }
}

TEST_F(LmxToolTest, DumpFailuresExitOneWithTheirOwnMessage)
{
    const std::string valid = StoreDocument(DocumentVersions{}, SampleAdslRecord());
    WriteFile("empty.lmx", "");
    WriteFile("cut.lmx", valid.substr(0, valid.size() - 1));
    // A first string that claims 4 GB, then ends.
    WriteFile("huge.lmx", std::string(7, '\xFF') + "0x09090910");
    WriteFile("utf16.lmx", std::string("\xFF\xFE\xFF\x05", 4));
    WriteFile("foreign.lmx", StoreDocument(DocumentVersions{"0x09090911", "0x07070770"}, {}));
    const struct
    {
        const char* file;
        const char* message;
    } cases[] = {
        {"missing.lmx", "cannot be opened or read"},
        {"empty.lmx", "ends unexpectedly"},
        {"cut.lmx", "ends unexpectedly"},
        {"huge.lmx", "ends unexpectedly"},
        {"utf16.lmx", "ends unexpectedly"},
        {"foreign.lmx", "unknown version"},
    };
    for (const auto& c : cases) {
        const ToolRun run = Run({"dump", Path(c.file)});
        EXPECT_EQ(run.exitCode, 1) << c.file;
        EXPECT_EQ(run.out, "") << c.file;
        EXPECT_EQ(run.err.rfind("lmxtool: " + Path(c.file) + ": ", 0), 0u) << run.err;
        EXPECT_TRUE(Contains(run.err, c.message)) << run.err;
    }
}

TEST_F(LmxToolTest, MakeThenDumpGivesEveryParsedField)
{
    const TestRecord samples[] = {SampleAdslRecord(), SampleVdslRecord(), SampleWlanRecord(),
                                  BuiltInSampleSet()[4]};
    for (const TestRecord& sample : samples) {
        const std::string file = Path("db.lmx");
        ASSERT_EQ(Run({"make", "-o", file, "--rate-frame", sample.m_RateFrame.m_strRaw, "--graph",
                       sample.m_Graph.m_strRaw, "--ping", sample.m_Ping.m_strRaw, "--trace-route",
                       sample.m_TraceRoute.m_strRaw})
                      .exitCode,
                  0);
        const ToolRun run = Run({"dump", file});
        ASSERT_EQ(run.exitCode, 0) << run.err;

        TestRecord expected = sample;
        expected.ParseAll();
        JsonWriter json;
        WriteRecordJson(json, expected);
        EXPECT_EQ(run.out, R"({"version1":"0x09090910","version2":"0x07070770","record":)" +
                               json.Text() + "}\n");
    }
    // A few fields spelt out, so a fault shared by both sides still shows.
    const ToolRun last = Run({"dump", Path("db.lmx")});
    EXPECT_TRUE(Contains(last.out, R"("m_strUserInfo":"Park Villa 1203")"));
    EXPECT_TRUE(Contains(last.out, R"("m_nHopCount":30,)"));
    EXPECT_TRUE(Contains(last.out, R"("m_nFarHEC":255,)"));
}

TEST_F(LmxToolTest, OlderVersionsAndLatin1TextsSurviveTheRoundTrip)
{
    const std::string file = Path("old.lmx");
    ASSERT_EQ(Run({"make", "-o", file, "--versions", "0x09090909", "0x07070707", "--rate-frame",
                   "Y:2:1:512:2048:71:80:1:1:1:1:1:1:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:Caf\xE9\x01",
                   "--trace-route", "Y:3"})
                  .exitCode,
              0);
    const ToolRun run = Run({"dump", file});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, R"("version1":"0x09090909","version2":"0x07070707")"));
    EXPECT_TRUE(Contains(run.out, "\"m_strUserInfo\":\"Caf\xC3\xA9\\u0001\""));
    // The older format has no trace route text: the one given is not in the file.
    EXPECT_TRUE(
        Contains(run.out, R"("m_TraceRoute":{"m_strRaw":"","m_bValid":0,"m_nHopCount":0,)"));
}

TEST_F(LmxToolTest, OutputFailuresAreNotSuccess)
{
    const ToolRun save = Run({"make", "-o", Path("no-such-dir/db.lmx"), "--ping", "Y"});
    EXPECT_EQ(save.exitCode, 1);
    EXPECT_TRUE(Contains(save.err, "cannot be written")) << save.err;

    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full to stand for a full disk";
    ASSERT_EQ(Run({"make", "-o", Path("db.lmx")}).exitCode, 0);
    const ToolRun full = Run({"dump", Path("db.lmx")}, "/dev/full");
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_TRUE(Contains(full.err, "cannot write the output")) << full.err;
}

TEST_F(LmxToolTest, ExportWritesOneRowPerFileAndNamesTheFilesItCannotOpen)
{
    TestRecord adsl = SampleAdslRecord();
    adsl.m_RateFrame.m_strRaw += "\xE9, 2";
    ASSERT_EQ(Run({"make", "-o", Path("adsl.lmx"), "--rate-frame", adsl.m_RateFrame.m_strRaw,
                   "--ping", adsl.m_Ping.m_strRaw, "--trace-route", adsl.m_TraceRoute.m_strRaw})
                  .exitCode,
              0);
    const TestRecord wlan = SampleWlanRecord();
    ASSERT_EQ(Run({"make", "-o", Path("wlan.lmx"), "--rate-frame", wlan.m_RateFrame.m_strRaw,
                   "--graph", wlan.m_Graph.m_strRaw})
                  .exitCode,
              0);
    const std::string valid = ReadAll(Path("wlan.lmx"));
    WriteFile("cut.lmx", valid.substr(0, valid.size() / 2));

    TestRecord expectedAdsl;
    expectedAdsl.m_RateFrame.m_strRaw = adsl.m_RateFrame.m_strRaw;
    expectedAdsl.m_Ping.m_strRaw = adsl.m_Ping.m_strRaw;
    expectedAdsl.m_TraceRoute.m_strRaw = adsl.m_TraceRoute.m_strRaw;
    expectedAdsl.ParseAll();
    TestRecord expectedWlan;
    expectedWlan.m_RateFrame.m_strRaw = wlan.m_RateFrame.m_strRaw;
    expectedWlan.m_Graph.m_strRaw = wlan.m_Graph.m_strRaw;
    expectedWlan.ParseAll();
    const std::string table = RecordCsvHeader() + RecordCsvRow("adsl.lmx", expectedAdsl) +
                              RecordCsvRow("wlan.lmx", expectedWlan);
    // Spelt out once, so a fault shared with the expectation still shows.
    ASSERT_TRUE(Contains(table, ",\"Kim Apt 301\xC3\xA9, 2\"\r\n")) << table;

    const ToolRun toFile = Run({"export", "--csv", Path("day.csv"), Path("adsl.lmx"),
                                Path("cut.lmx"), Path("missing.lmx"), Path("wlan.lmx")});
    EXPECT_EQ(toFile.exitCode, 1);
    EXPECT_EQ(toFile.out, "");
    EXPECT_TRUE(Contains(toFile.err, "lmxtool: " + Path("cut.lmx") + ": ")) << toFile.err;
    EXPECT_TRUE(Contains(toFile.err, "ends unexpectedly")) << toFile.err;
    EXPECT_TRUE(Contains(toFile.err, "lmxtool: " + Path("missing.lmx") + ": ")) << toFile.err;
    EXPECT_TRUE(Contains(toFile.err, "No such file or directory")) << toFile.err;
    EXPECT_EQ(ReadAll(Path("day.csv")), table);

    const std::vector<std::vector<std::string>> toStdout = {
        {"export", Path("adsl.lmx"), Path("wlan.lmx")},
        {"export", "--csv", "-", Path("adsl.lmx"), Path("wlan.lmx")},
        {"export", Path("adsl.lmx"), Path("wlan.lmx"), "--csv", "-"},
    };
    for (const auto& args : toStdout) {
        const ToolRun run = Run(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, table);
    }
}

TEST_F(LmxToolTest, ExportFailuresKeepTheEarlierTable)
{
    ASSERT_EQ(Run({"make", "-o", Path("db.lmx"), "--ping", "Y:0:4:4:0:9:8:8"}).exitCode, 0);
    WriteFile("day.csv", "earlier");
    // No file opens: the earlier export stays.
    const ToolRun none = Run({"export", "--csv", Path("day.csv"), Path("missing.lmx")});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(ReadAll(Path("day.csv")), "earlier");

    const ToolRun unwritable =
        Run({"export", "--csv", Path("no-such-dir/day.csv"), Path("db.lmx")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(Contains(unwritable.err, "cannot be written")) << unwritable.err;

    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full to stand for a full disk";
    const ToolRun full = Run({"export", Path("db.lmx")}, "/dev/full");
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_TRUE(Contains(full.err, "cannot write the output")) << full.err;
}

// Each command that writes a file, when the disk fills up (a file size limit
// the tool inherits) and when the place is a file, not a folder: exit 1, the
// earlier file untouched, nothing else left, and the file and the reason on
// stderr.
TEST_F(LmxToolTest, WritersThatCannotFinishKeepTheEarlierFileAndSayWhy)
{
    ASSERT_EQ(Run({"make", "-o", Path("db.lmx"), "--ping", "Y:0:4:4:0:9:8:8"}).exitCode, 0);
    WriteFile("blocker", "a file, not a folder");
    const TestRecord adsl = SampleAdslRecord(); // a document larger than the limit
    const struct
    {
        const char* pszName;
        std::vector<std::string> args; // the file to write follows
    } writers[] = {
        {"export --csv", {"export", Path("db.lmx"), "--csv"}},
        {"make",
         {"make", "--rate-frame", adsl.m_RateFrame.m_strRaw, "--trace-route",
          adsl.m_TraceRoute.m_strRaw, "-o"}},
    };
    for (const auto& writer : writers) {
        SCOPED_TRACE(writer.pszName);
        WriteFile("out", "earlier");
        std::vector<std::string> args = writer.args;
        args.push_back(Path("out"));
        ToolRun full;
        {
            const FileSizeLimit limit(256); // room for the message, not for the file
            full = Run(args);
        }
        EXPECT_EQ(full.exitCode, 1);
        EXPECT_TRUE(Contains(full.err, Path("out"))) << full.err;
        EXPECT_TRUE(Contains(full.err, "File too large")) << full.err;
        EXPECT_EQ(ReadAll(Path("out")), "earlier");

        args.back() = Path("blocker/out");
        const ToolRun misplaced = Run(args);
        EXPECT_EQ(misplaced.exitCode, 1);
        EXPECT_TRUE(Contains(misplaced.err, Path("blocker/out"))) << misplaced.err;
        EXPECT_TRUE(Contains(misplaced.err, "Not a directory")) << misplaced.err;
    }
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"blocker", "db.lmx", "out", "stderr", "stdout"}));
}

} // namespace
