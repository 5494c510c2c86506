#include "linesettings.h"
#include "portname.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(PortNameTest, NumbersNameSerialPortsAndPathsNameDevices)
{
    const std::pair<const char*, std::optional<SerialPortName>> cases[] = {
        {"1", SerialPortName{1, "/dev/ttyS0"}},
        {"2", SerialPortName{2, "/dev/ttyS1"}},
        {"17", SerialPortName{17, "/dev/ttyS16"}},
        {"/dev/ttyUSB0", SerialPortName{0, "/dev/ttyUSB0"}},
        {"/dev/pts/7", SerialPortName{0, "/dev/pts/7"}},
        {"0", std::nullopt},
        {"-2", std::nullopt},
        {"2x", std::nullopt},
        {"", std::nullopt},
        {"COM2", std::nullopt},
        {"ttyUSB0", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& [pszPort, expected] : cases)
        EXPECT_EQ(ResolvePortName(pszPort), expected) << pszPort;
}

TEST(LineSettingsTest, TheDownloadRunsAt9600Baud8N1)
{
    EXPECT_EQ(LineSettingsText(9600), "baud=9600 parity=N data=8 stop=1");
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
