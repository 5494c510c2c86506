// The DB workspace tree: what it shows before and after a download, the
// refresh filter, and what selecting and double-clicking ask of the application.

#include "framework/guiminitool.h"
#include "framework/langpack.h"
#include "framework/resourceids.h"
#include "messageboxrecorder.h"
#include "workspace/dbselection.h"
#include "workspace/dbworkspacebar.h"

#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class CRecordingSelection final : public IDbSelection
{
public:
    void SelectDb(int nDb) override { m_anSelected.push_back(nDb); }
    void OpenDb(int nDb) override { m_anOpened.push_back(nDb); }

    std::vector<int> m_anSelected;
    std::vector<int> m_anOpened;
};

class WorkspaceTree : public testing::Test
{
protected:
    WorkspaceTree() : m_bar(m_records, m_selection)
    {
        EXPECT_TRUE(m_bar.Create("DB Workspace", nullptr, 2457));
        // Shown, so that clicks land on the entries.
        m_bar.resize(300, 700);
        m_bar.show();
        // DB 2 has a test; DB 5 only a ping; DB 7 only a graph.
        m_records[2].m_RateFrame.m_bValid = 1;
        m_records[2].m_RateFrame.m_nLineType = LINE_ADSL;
        m_records[2].m_RateFrame.m_strUserInfo = "Main St";
        m_records[5].m_Ping.m_bValid = 1;
        m_records[7].m_Graph.m_bValid = 1;
    }

    QTreeWidgetItem* Files() const { return m_bar.Tree()->topLevelItem(0)->child(0)->child(0); }
    QTreeWidgetItem* Entry(int nDb) const
    {
        for (int i = 0; i < Files()->childCount(); ++i) {
            if (Files()->child(i)->text(0).endsWith(
                    QStringLiteral("#%1").arg(nDb, 2, 10, QLatin1Char('0'))))
                return Files()->child(i);
        }
        return nullptr;
    }
    QToolButton* Refresh() const { return m_bar.MiniTool()->GetButton(ID_TREE_REFRESH); }
    QPoint Centre(QTreeWidgetItem* pItem) const
    {
        return m_bar.Tree()->visualItemRect(pItem).center();
    }
    void DoubleClick(QTreeWidgetItem* pItem, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseDClick(m_bar.Tree()->viewport(), button, {}, Centre(pItem));
    }

    RecordTable m_records;
    CRecordingSelection m_selection;
    CDBWorkspaceBar m_bar;
    CMessageBoxRecorder m_boxes;
};

TEST_F(WorkspaceTree, EmptyWithRefreshDisabledUntilTheFirstDownload)
{
    EXPECT_EQ(m_bar.Tree()->topLevelItemCount(), 0);
    ASSERT_NE(Refresh(), nullptr);
    EXPECT_FALSE(Refresh()->isEnabled());
}

TEST_F(WorkspaceTree, FillShowsAllTwentyAndRefreshOnlyThoseWithData)
{
    m_bar.FillTree();
    QTreeWidgetItem* pRoot = m_bar.Tree()->topLevelItem(0);
    EXPECT_EQ(pRoot->text(0), "LMX-4410 projects");
    EXPECT_EQ(pRoot->child(0)->text(0), "TEST Report");
    EXPECT_TRUE(pRoot->child(0)->font(0).bold());
    EXPECT_EQ(Files()->text(0), "Data Base Files");
    ASSERT_EQ(Files()->childCount(), 20);
    EXPECT_EQ(Files()->child(0)->text(0), "LMX-4410 DB #01");
    EXPECT_EQ(Files()->child(19)->text(0), "LMX-4410 DB #20");
    EXPECT_TRUE(Files()->isExpanded());
    EXPECT_TRUE(Refresh()->isEnabled());
    EXPECT_TRUE(Entry(2)->toolTip(0).contains("ADSL"));
    EXPECT_TRUE(Entry(2)->toolTip(0).contains("Main St"));

    QTest::mouseClick(Refresh(), Qt::LeftButton);
    ASSERT_EQ(Files()->childCount(), 1);
    EXPECT_EQ(Files()->child(0)->text(0), "LMX-4410 DB #02");
    EXPECT_TRUE(Refresh()->isEnabled());
    // A second refresh gives the same.
    m_bar.OnRefresh();
    EXPECT_EQ(Files()->childCount(), 1);
}

// Each download refills the tree; the icons, and what they have drawn, stay
// the bar's own instead of being made again each time.
TEST_F(WorkspaceTree, ARefillShowsTheIconsItShowedBefore)
{
    const auto iconKeys = [&] {
        QList<qint64> anKeys{Files()->icon(0).cacheKey()};
        for (int i = 0; i < Files()->childCount(); ++i)
            anKeys << Files()->child(i)->icon(0).cacheKey();
        return anKeys;
    };
    m_bar.FillTree();
    const QList<qint64> anFirst = iconKeys();
    m_bar.ClearTree();
    m_bar.FillTree();
    EXPECT_EQ(iconKeys(), anFirst);
    EXPECT_NE(Entry(2)->icon(0).cacheKey(), Entry(1)->icon(0).cacheKey()); // data, no data
}

TEST_F(WorkspaceTree, RefreshWithoutAnyDataLeavesTheFolderEmpty)
{
    m_records = RecordTable();
    m_bar.FillTree();
    EXPECT_EQ(Files()->childCount(), 20);
    m_bar.OnRefresh();
    EXPECT_EQ(Files()->childCount(), 0);
}

TEST_F(WorkspaceTree, SelectingAnEntrySelectsItsDbAndFixedItemsAreIgnored)
{
    m_bar.FillTree();
    m_bar.Tree()->setCurrentItem(Entry(5));
    m_bar.Tree()->setCurrentItem(Files());
    m_bar.Tree()->setCurrentItem(m_bar.Tree()->topLevelItem(0));
    m_bar.Tree()->setCurrentItem(Entry(20));
    EXPECT_EQ(m_selection.m_anSelected, (std::vector<int>{5, 20}));
}

TEST_F(WorkspaceTree, DoubleClickOpensWhatHoldsAnySectionElseSaysSo)
{
    m_bar.FillTree();
    DoubleClick(Entry(2));
    DoubleClick(Entry(5)); // no data, but a ping: opens
    DoubleClick(Entry(7)); // only a graph: opens
    EXPECT_EQ(m_selection.m_anOpened, (std::vector<int>{2, 5, 7}));
    EXPECT_TRUE(m_boxes.Requests().isEmpty());

    DoubleClick(Entry(9));
    EXPECT_EQ(m_selection.m_anOpened.size(), 3u);
    EXPECT_EQ(m_boxes.Texts(), QStringList{LoadResString(IDS_DB_HOLDS_NO_DATA)});

    m_boxes.Clear();
    DoubleClick(Files());
    DoubleClick(m_bar.Tree()->topLevelItem(0)->child(0));
    DoubleClick(m_bar.Tree()->topLevelItem(0));
    EXPECT_EQ(m_selection.m_anOpened.size(), 3u);
    EXPECT_TRUE(m_boxes.Requests().isEmpty());
}

// Whatever the pointer is on, a double click acts on the entry selected; only
// the left button selects or opens.
TEST_F(WorkspaceTree, OnlyTheLeftButtonSelectsAndOpensAndItOpensTheSelectedEntry)
{
    m_bar.FillTree();
    m_bar.Tree()->setCurrentItem(Entry(2));
    const QPoint below(10, m_bar.Tree()->viewport()->height() - 3);
    ASSERT_EQ(m_bar.Tree()->itemAt(below), nullptr) << "the tree shows empty space at the bottom";
    QTest::mouseDClick(m_bar.Tree()->viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(m_selection.m_anOpened, (std::vector<int>{2}));

    QTest::mouseClick(m_bar.Tree()->viewport(), Qt::RightButton, {}, Centre(Entry(5)));
    DoubleClick(Entry(5), Qt::RightButton);
    EXPECT_EQ(m_bar.Tree()->currentItem(), Entry(2));
    EXPECT_EQ(m_selection.m_anOpened, (std::vector<int>{2}));
}

// A tool tip never calls a DB that opens empty.
TEST_F(WorkspaceTree, ToolTipsSayWhatADbHolds)
{
    m_bar.FillTree();
    const QString strNoData = LoadResString(IDS_DB_HOLDS_NO_DATA);
    EXPECT_EQ(Entry(2)->toolTip(0), "ADSL - Main St");
    EXPECT_EQ(Entry(5)->toolTip(0), "");
    EXPECT_EQ(Entry(7)->toolTip(0), "");
    EXPECT_EQ(Entry(9)->toolTip(0), strNoData);
}

TEST_F(WorkspaceTree, EnterOpensTheSelectedEntry)
{
    m_bar.FillTree();
    m_bar.Tree()->setCurrentItem(Entry(2));
    QTest::keyClick(m_bar.Tree(), Qt::Key_Return);
    EXPECT_EQ(m_selection.m_anOpened, (std::vector<int>{2}));
}

} // namespace
