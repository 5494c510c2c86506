// The DB information bar: its columns, the single "Graph" row, the graph
// button following the availability, and what opens the graph.

#include "framework/controls/listctrlex.h"
#include "framework/guiminitool.h"
#include "framework/langpack.h"
#include "framework/resourceids.h"
#include "workspace/dbinfobar.h"

#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class InfoBar : public testing::Test
{
protected:
    InfoBar() : m_bar([this] { ++m_nGraphsOpened; })
    {
        EXPECT_TRUE(m_bar.Create("DB Information", nullptr, 2456));
    }

    QToolButton* GraphButton() const { return m_bar.MiniTool()->GetButton(ID_GRAPH_BUTTON); }

    int m_nGraphsOpened = 0;
    CDBInfoBar m_bar;
};

TEST_F(InfoBar, StartsWithTwoColumnsNoRowAndTheButtonDisabled)
{
    CListCtrlEx& list = *m_bar.List();
    EXPECT_EQ(list.GetColumnCount(), 2);
    int nFormat = -1, nWidth = 0;
    ASSERT_TRUE(list.GetColumn(1, &nFormat, &nWidth));
    EXPECT_EQ(nFormat & LVCFMT_JUSTIFYMASK, LVCFMT_CENTER);
    EXPECT_EQ(nWidth, 130);
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetSortColumn(), 1);
    ASSERT_NE(GraphButton(), nullptr);
    EXPECT_FALSE(GraphButton()->isEnabled());
}

TEST_F(InfoBar, GraphRowTellsWhetherTheGraphCanBeOpened)
{
    for (int nAvailable : {1, 0, 1}) {
        m_bar.InsertGraphRow();
        m_bar.SetAvailable(1, nAvailable);
        ASSERT_EQ(m_bar.List()->GetItemCount(), 1);
        EXPECT_EQ(m_bar.List()->GetItemText(0, 0), "Graph");
        EXPECT_EQ(m_bar.List()->GetItemImage(0), 28);
        EXPECT_EQ(m_bar.List()->GetItemText(0, 1),
                  LoadResString(nAvailable ? IDS_GRAPH_AVAILABLE : IDS_GRAPH_NOT_AVAILABLE));
        EXPECT_EQ(GraphButton()->isEnabled(), nAvailable != 0);
    }
    m_bar.ClearItems();
    EXPECT_EQ(m_bar.List()->GetItemCount(), 0);
    EXPECT_FALSE(GraphButton()->isEnabled());
}

TEST_F(InfoBar, ButtonAndDoubleClickOpenTheGraphOnlyWhileAvailable)
{
    m_bar.InsertGraphRow();
    m_bar.SetAvailable(1, 1);
    QTest::mouseClick(GraphButton(), Qt::LeftButton);
    emit m_bar.List()->itemDoubleClicked(0);
    EXPECT_EQ(m_nGraphsOpened, 2);
    emit m_bar.List()->itemDoubleClicked(-1); // the empty area
    EXPECT_EQ(m_nGraphsOpened, 2);
    // The two other commands reach the same handler.
    EXPECT_TRUE(m_bar.OnCmdMsg(ID_GRAPH_BUTTON_0));
    EXPECT_TRUE(m_bar.OnCmdMsg(ID_GRAPH_BUTTON_2));
    EXPECT_EQ(m_nGraphsOpened, 4);

    m_bar.InsertGraphRow();
    m_bar.SetAvailable(1, 0);
    emit m_bar.List()->itemDoubleClicked(0);
    m_bar.OnCmdMsg(ID_GRAPH_BUTTON);
    EXPECT_EQ(m_nGraphsOpened, 4);
}

TEST_F(InfoBar, HeadingClickMovesTheMarkButNeverReordersTheRow)
{
    m_bar.InsertGraphRow();
    m_bar.SetAvailable(1, 1);
    m_bar.List()->OnColumnClick(0);
    EXPECT_EQ(m_bar.List()->GetSortColumn(), -1);
    m_bar.List()->OnColumnClick(1);
    EXPECT_EQ(m_bar.List()->GetSortColumn(), 2);
    EXPECT_EQ(m_bar.List()->GetItemText(0, 0), "Graph");
}

} // namespace
