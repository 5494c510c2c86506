// The widget-free rules of the application shell: the download popup's
// layout, the port choices of the settings dialog, the start arguments and
// the slot titles.

#include "app/popuplayout.h"
#include "app/portchoice.h"
#include "app/slottitle.h"
#include "app/startarguments.h"

#include <gtest/gtest.h>

namespace {

TEST(PopupLayout, BarFillsInProportionAndALimitOfZeroShowsItFull)
{
    struct Case
    {
        unsigned nPos, nLimit, nFull, nExpected;
    };
    const Case cases[] = {
        {7, 20, 284, 99}, {20, 20, 284, 284}, {0, 20, 284, 0},
        {5, 0, 284, 284}, {1, 100, 50, 0},    {4000000000u, 4000000000u, 284, 284},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilledBarWidth(c.nPos, c.nLimit, c.nFull), c.nExpected)
            << c.nPos << "/" << c.nLimit;
}

TEST(PopupLayout, CancelButtonMakesTheWindowTallerByItsHeightAndTwoMargins)
{
    PopupMetrics metrics;
    metrics.m_nClientWidth = 300;
    metrics.m_nTextHeight = 15;
    metrics.m_nCancelWidth = 40;
    metrics.m_nCancelHeight = 14;
    const PopupLayout without = ComputePopupLayout(metrics);
    metrics.m_bCancelEnabled = true;
    const PopupLayout with = ComputePopupLayout(metrics);
    EXPECT_EQ(with.m_nClientHeight - without.m_nClientHeight, 14 + 16);
    EXPECT_TRUE(without.m_rcButton.isNull());
    // Centred under the bar, which ends 8 pixels from either side.
    EXPECT_EQ(with.m_rcButton.left(), (300 - 40 - 16) / 2);
    EXPECT_EQ(with.m_rcButton.right(), 300 - (300 - 40 - 16) / 2);
    EXPECT_EQ(with.m_rcButton.top(), with.m_rcBar.bottom() + 8);
    EXPECT_EQ(with.m_rcBar.left(), 8);
    EXPECT_EQ(with.m_rcBar.right(), 292);
}

TEST(PopupLayout, AnimationPushesTextAndBarDown)
{
    PopupMetrics metrics;
    metrics.m_nClientWidth = 300;
    metrics.m_nTextHeight = 30;
    metrics.m_nCancelHeight = 14;
    const PopupLayout plain = ComputePopupLayout(metrics);
    EXPECT_EQ(plain.m_rcText.top(), 8);
    EXPECT_EQ(plain.m_rcBar.top(), 30 + 24);
    metrics.m_nAnimationHeight = 32;
    const PopupLayout animated = ComputePopupLayout(metrics);
    EXPECT_EQ(animated.m_rcText.top(), 32 + 16);
    EXPECT_EQ(animated.m_rcBar.top(), 30 + 32 + 24);
    EXPECT_EQ(animated.m_rcBar.height(), 14 + 1); // bottom edge included
}

const QStringList kDevices = {"/dev/ttyUSB0"};
const QString kDemo = "Demo tester";

TEST(PortChoice, ListHoldsTheFourPortsThenDevicesThenTheDemoTester)
{
    const QList<PortEntry> entries = PortEntries(kDevices, kDemo);
    ASSERT_EQ(entries.size(), 6);
    EXPECT_EQ(entries[0].m_strText, "COM 1");
    EXPECT_EQ(entries[3].m_strText, "COM 4");
    EXPECT_EQ(entries[3].m_setting.m_nComPort, 4);
    EXPECT_EQ(entries[4].m_setting.m_strDevice, "/dev/ttyUSB0");
    EXPECT_EQ(entries[5].m_strText, kDemo);
}

TEST(PortChoice, WhatOkMakesOfTheBox)
{
    const QList<PortEntry> entries = PortEntries(kDevices, kDemo);
    const PortSetting com7{7, ""};
    struct Case
    {
        const char* pszName;
        int nSelected;
        QString strTyped;
        PortSetting expected;
    };
    const Case cases[] = {
        {"chosen COM 4", 3, "COM 4", {4, ""}},
        {"nothing chosen keeps COM 7", -1, "COM 7", {7, ""}},
        {"typed COM 3", -1, "com3", {3, ""}},
        {"typed device path", -1, " /dev/ttyACM1 ", {7, "/dev/ttyACM1"}},
        {"chosen device keeps the number", 4, "/dev/ttyUSB0", {7, "/dev/ttyUSB0"}},
        {"chosen demo tester", 5, kDemo, {7, "demo"}},
        {"typed demo text", -1, kDemo, {7, "demo"}},
        {"nonsense keeps the port", -1, "printer", {7, ""}},
        {"COM 0 is no port", -1, "COM 0", {7, ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PortFromChoice(c.nSelected, c.strTyped, entries, com7), c.expected) << c.pszName;
}

TEST(PortChoice, TextShownAndPortOpened)
{
    EXPECT_EQ(PortText({7, ""}, kDemo), "COM 7");
    EXPECT_EQ(PortText({2, "demo"}, kDemo), kDemo);
    EXPECT_EQ(PortText({2, "/dev/ttyUSB0"}, kDemo), "/dev/ttyUSB0");
    EXPECT_EQ(PortForDownload({2, ""}), "2");
    EXPECT_EQ(PortForDownload({2, "/dev/ttyUSB0"}), "/dev/ttyUSB0");
}

TEST(StartArgumentsTest, FilesOptionsAndMistakes)
{
    const StartArguments plain = ParseStartArguments({"lmx4410"});
    EXPECT_TRUE(plain.m_astrFiles.isEmpty());
    EXPECT_TRUE(plain.m_strPort.isEmpty());
    EXPECT_FALSE(plain.m_bDownload);
    EXPECT_FALSE(plain.m_bVersion);
    EXPECT_FALSE(plain.m_bHelp);
    EXPECT_TRUE(ParseStartArguments({"lmx4410", "--version"}).m_bVersion);
    EXPECT_TRUE(ParseStartArguments({"lmx4410", "--help"}).m_bHelp);

    const StartArguments full = ParseStartArguments(
        {"lmx4410", "--demo", "--download", "--lang", "de", "a.lmx", "--", "--odd.lmx"});
    EXPECT_EQ(full.m_strPort, "demo");
    EXPECT_TRUE(full.m_bDownload);
    EXPECT_EQ(full.m_strLanguage, "de");
    EXPECT_EQ(full.m_astrFiles, QStringList({"a.lmx", "--odd.lmx"}));
    EXPECT_TRUE(full.m_strError.isEmpty());

    EXPECT_EQ(ParseStartArguments({"lmx4410", "--lang=de"}).m_strLanguage, "de");
    EXPECT_FALSE(ParseStartArguments({"lmx4410", "--frobnicate"}).m_strError.isEmpty());
}

TEST(StartArgumentsTest, ThePortOfThisRun)
{
    struct Case
    {
        QStringList astrArguments;
        QString strPort;
        bool bError;
    };
    const Case cases[] = {
        {{"lmx4410", "--port", "/dev/ttyUSB0"}, "/dev/ttyUSB0", false},
        {{"lmx4410", "--port=3"}, "3", false},
        {{"lmx4410", "--port", "/dev/ttyUSB0", "--demo"}, "demo", false},
        {{"lmx4410", "--demo", "--port", "/dev/pts/4"}, "/dev/pts/4", false},
        {{"lmx4410", "--port"}, "", true},
        {{"lmx4410", "--port="}, "", true},
        {{"lmx4410", "--portx"}, "", true},
    };
    for (const Case& c : cases) {
        const StartArguments parsed = ParseStartArguments(c.astrArguments);
        EXPECT_EQ(parsed.m_strPort, c.strPort) << c.astrArguments.join(' ').toStdString();
        EXPECT_EQ(!parsed.m_strError.isEmpty(), c.bError)
            << c.astrArguments.join(' ').toStdString();
    }
    EXPECT_EQ(SessionPortSetting("3", 2), (PortSetting{3, ""}));
    EXPECT_EQ(SessionPortSetting("/dev/ttyUSB1", 2), (PortSetting{2, "/dev/ttyUSB1"}));
    EXPECT_EQ(SessionPortSetting("demo", 4), (PortSetting{4, "demo"}));
}

TEST(SlotTitleTest, UserInformationOrNoData)
{
    TestRecord record;
    EXPECT_EQ(SlotTitle(3, record), "DB #3 - [No Data]");
    record.m_RateFrame.m_bValid = 1;
    record.m_RateFrame.m_strUserInfo = "Main St 12";
    EXPECT_EQ(SlotTitle(20, record), "DB #20 - [Main St 12]");
    record.m_RateFrame.m_strUserInfo.clear();
    EXPECT_EQ(SlotTitle(1, record), "DB #1 - []");
}

} // namespace
