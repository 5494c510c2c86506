// The session log where POSIX calls set the scene: a disk that fills up (a
// file size limit stands in for it) and the local time zone.

#include "link/sessionlog.h"
#include "records/datedname.h"
#include "sessionlogfixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include <sys/resource.h>

namespace {

TEST_F(SessionLogTest, AFailedWriteStopsTheLogAndKeepsTheReason)
{
    // A file size limit stands in for a full disk.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    CSessionLog log;
    OpenLog(log);
    for (int i = 0; i < 200 && log.IsOpen(); ++i)
        log.LogSent("forpc rtrvinfo\n", 15);
    const bool bStopped = !log.IsOpen();
    log.LogSent("after the failure\n", 18);
    log.Note("after the failure");
    log.Close();

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_TRUE(bStopped);
    EXPECT_EQ(log.Path(), Path("session.log"));
    EXPECT_EQ(log.WriteError().m_problem, FileProblem::TooLarge);
    EXPECT_EQ(log.WriteError().m_strSystemText, "File too large");
    EXPECT_LE(std::filesystem::file_size(Path("session.log")), 4096u);
    EXPECT_EQ(Contents("session.log").find("after the failure"), std::string::npos);
}

TEST_F(SessionLogTest, TheFileNameCarriesTheLocalDateAndTime)
{
    const char* pszSavedZone = std::getenv("TZ");
    const std::string strSavedZone = pszSavedZone ? pszSavedZone : "";
    const auto when = std::chrono::system_clock::time_point(std::chrono::seconds(1'796'783'475));
    const std::pair<const char*, const char*> cases[] = {
        {"UTC0", "session-20261209-023115.log"},
        {"EST5", "session-20261208-213115.log"},
    };
    for (const auto& [pszZone, pszName] : cases) {
        setenv("TZ", pszZone, 1);
        tzset();
        EXPECT_EQ(SessionLogFileName(when), pszName) << pszZone;
    }
    if (pszSavedZone)
        setenv("TZ", strSavedZone.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

} // namespace
