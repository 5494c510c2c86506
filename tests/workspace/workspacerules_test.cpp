// The widget-free rules of the workspace: tree entries and their DB numbers,
// and where the status-bar progress indicator sits in its pane.

#include "framework/controls/progressbargeometry.h"
#include "workspace/dbentries.h"

#include <gtest/gtest.h>

namespace {

TEST(DbEntries, EntryTextAndTheNumberReadBackFromIt)
{
    EXPECT_EQ(DbEntryText(5), "LMX-4410 DB #05");
    EXPECT_EQ(DbEntryText(20), "LMX-4410 DB #20");
    for (int nDb = 1; nDb <= 20; ++nDb)
        EXPECT_EQ(DbNumberFromItemText(DbEntryText(nDb)), nDb);
    struct Case
    {
        const char* pszText;
        int nExpected;
    };
    const Case fixedItems[] = {
        {"TEST Report", 0}, {"Data Base Files", 0}, {"LMX-4410 projects", 0}, {"", 0}, {"7", 7},
        {"x9", 0}};
    for (const Case& c : fixedItems)
        EXPECT_EQ(DbNumberFromItemText(c.pszText), c.nExpected) << c.pszText;
}

TEST(DbEntries, DataMeansRateFrameButAnyValidSectionOpens)
{
    TestRecord record;
    EXPECT_FALSE(HoldsData(record));
    EXPECT_FALSE(HoldsTest(record));
    record.m_Ping.m_bValid = 1;
    EXPECT_FALSE(HoldsData(record));
    EXPECT_TRUE(HoldsTest(record));
    record = TestRecord();
    record.m_Graph.m_bValid = 1;
    EXPECT_TRUE(HoldsTest(record));
    record.m_RateFrame.m_bValid = 1;
    EXPECT_TRUE(HoldsData(record));
}

TEST(ProgressBarGeometry, BehindTheMessageAndAShareOfWhatIsLeft)
{
    const QRect pane(10, 0, 200, 20);
    // Message 50 wide, a blank 4 wide: the bar starts 66 further right.
    const QRect half = ProgressBarRect(pane, 50, 4, true, 50);
    EXPECT_EQ(half.left(), 76);
    EXPECT_EQ(half.left() + half.width(), 210 - 50 * (210 - 76) / 100);
    EXPECT_EQ(half.top(), 2);
    EXPECT_EQ(half.height(), 16);

    const QRect noMessage = ProgressBarRect(pane, 50, 4, false, 100);
    EXPECT_EQ(noMessage.left(), 10);
    EXPECT_EQ(noMessage.width(), 200);

    EXPECT_EQ(ProgressBarRect(pane, 50, 4, true, 0).width(), 0);
    // A message wider than the pane leaves no room, never a negative width.
    EXPECT_EQ(ProgressBarRect(pane, 500, 4, true, 30).width(), 0);
}

} // namespace
