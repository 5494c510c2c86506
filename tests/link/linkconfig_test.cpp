#include "link/linesettings.h"
#include "link/portname.h"

#include <gtest/gtest.h>

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
        EXPECT_EQ(ResolvePosixPortName(pszPort), expected) << pszPort;
}

TEST(PortNameTest, OnWindowsNumbersNameComPortsAndHighOnesTheirDevicePath)
{
    const std::pair<const char*, std::optional<SerialPortName>> cases[] = {
        {"2", SerialPortName{2, "COM2"}},
        {"9", SerialPortName{9, "COM9"}},
        {"10", SerialPortName{10, "\\\\.\\COM10"}},
        {"COM5", SerialPortName{5, "COM5"}},
        {"com12", SerialPortName{12, "\\\\.\\COM12"}},
        {"\\\\.\\COM12", SerialPortName{0, "\\\\.\\COM12"}},
        {"\\\\.\\", std::nullopt},
        {"0", std::nullopt},
        {"COM", std::nullopt},
        {"COM0", std::nullopt},
        {"COM-1", std::nullopt},
        {"LPT1", std::nullopt},
        {"/dev/ttyUSB0", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [pszPort, expected] : cases)
        EXPECT_EQ(ResolveWindowsPortName(pszPort), expected) << pszPort;
}

TEST(LineSettingsTest, TheDownloadRunsAt9600Baud8N1)
{
    EXPECT_EQ(LineSettingsText(kDownloadBaudRate), "baud=9600 parity=N data=8 stop=1");
}

} // namespace
