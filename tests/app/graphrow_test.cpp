// The "Graph" row follows the record selected in the tree or shown by the
// active report: available only for an ADSL record whose graph was valid.

#include "app/korvoapp.h"
#include "app/mainframe.h"
#include "framework/controls/listctrlex.h"
#include "framework/langpack.h"
#include "framework/resourceids.h"
#include "messageboxrecorder.h"
#include "workspace/dbinfobar.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

TestRecord Record(int nLineType, int bGraphValid)
{
    TestRecord record;
    record.m_RateFrame.m_bValid = 1;
    record.m_RateFrame.m_nLineType = nLineType;
    record.m_Graph.m_bValid = bGraphValid;
    return record;
}

class GraphRow : public testing::Test
{
protected:
    GraphRow() { EXPECT_TRUE(m_app.InitInstance({"lmx4410"})); }
    ~GraphRow() override { m_app.ExitInstance(); }

    CDBInfoBar& Bar() { return m_app.MainFrame()->InfoBar(); }

    CMessageBoxRecorder m_boxes;
    CKorvoApp m_app;
};

TEST_F(GraphRow, AvailableOnlyForAdslWithAValidGraph)
{
    struct Case
    {
        int nLineType, bGraphValid, nAvailable;
    };
    const Case cases[] = {{LINE_ADSL, 1, 1},
                          {LINE_ADSL, 0, 0},
                          {LINE_VDSL, 1, 0},
                          {LINE_WLAN, 1, 0},
                          {LINE_NONE, 1, 0}};
    for (const Case& c : cases) {
        m_app.m_Records[3] = Record(c.nLineType, c.bGraphValid);
        m_app.SelectDb(3);
        EXPECT_EQ(m_app.m_pSelectedRecord, &m_app.m_Records[3]);
        ASSERT_EQ(Bar().List()->GetItemCount(), 1);
        EXPECT_EQ(Bar().IsAvailable(), c.nAvailable) << c.nLineType;
        EXPECT_EQ(Bar().List()->GetItemText(0, 1),
                  LoadResString(c.nAvailable ? IDS_GRAPH_AVAILABLE : IDS_GRAPH_NOT_AVAILABLE));
    }
}

TEST_F(GraphRow, ReportActivationRefillsTheListShortlyAfterAndDeactivationEmptiesIt)
{
    CMainFrame& frame = *m_app.MainFrame();
    m_app.OnReportActivated(Record(LINE_ADSL, 1));
    // Not at once: the activation that asked for it finishes first.
    EXPECT_TRUE(frame.IsGraphRowRefreshPending());
    EXPECT_EQ(Bar().List()->GetItemCount(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Bar().List()->GetItemCount() == 1; }, 10000));
    EXPECT_EQ(Bar().IsAvailable(), 1);
    EXPECT_EQ(frame.m_SelRecord.m_RateFrame.m_nLineType, LINE_ADSL);

    m_app.OnReportDeactivated();
    EXPECT_EQ(Bar().List()->GetItemCount(), 0);
}

} // namespace
