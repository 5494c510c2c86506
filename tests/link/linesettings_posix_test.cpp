// The termios settings the POSIX port applies.

#include "link/linesettings.h"
#include "link/linesettings_posix.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(LineSettingsTest, TheTermiosOfTheDownloadAre9600Baud8N1Raw)
{
    termios tio{};
    MakeRawLine(tio);
    ASSERT_TRUE(ApplyLineSettings(LineSettingsText(9600), tio));
    EXPECT_EQ(cfgetispeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(tio.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(tio.c_cc[VMIN], 1);
    EXPECT_EQ(tio.c_cc[VTIME], 0);
}

TEST(LineSettingsTest, TextsThePortCannotTakeAreRefused)
{
    for (const char* pszText :
         {"baud=12345 parity=N data=8 stop=1", "baud=9600 parity=X data=8 stop=1",
          "baud=9600 parity=N data=9 stop=1", "baud=9600 parity=N data=8 stop=3",
          "baud=9600 parity=N data=8", "baud=9600 parity=N data=8 stop=1 extra"}) {
        termios tio{};
        const termios before = tio;
        EXPECT_FALSE(ApplyLineSettings(pszText, tio)) << pszText;
        EXPECT_EQ(std::memcmp(&tio, &before, sizeof tio), 0) << pszText;
    }
    termios tio{};
    ASSERT_TRUE(ApplyLineSettings("baud=19200 parity=e data=7 stop=2", tio));
    EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | PARODD | CSTOPB),
              static_cast<tcflag_t>(CS7 | PARENB | CSTOPB));
}

} // namespace
