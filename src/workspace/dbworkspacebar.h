#pragma once

#include "framework/guicontrolbar.h"
#include "records/testrecord.h"

#include <QIcon>

#include <map>
#include <utility>

class CGuiContainer;
class CGuiMiniTool;
class IDbSelection;
class QTreeWidget;
class QTreeWidgetItem;

// The "DB Workspace" bar: the tester's 20 DBs as a tree. Selecting a DB
// selects it in the application; double-clicking (or Enter) opens its report.
// Empty until the first download; the refresh button shows only the DBs
// that hold data.
class CDBWorkspaceBar : public CGuiControlBar
{
    Q_OBJECT

public:
    static constexpr int kTreeId = 820;

    CDBWorkspaceBar(const RecordTable& records, IDbSelection& selection);

    // Every item goes.
    void ClearTree();
    // The fixed items and all 20 DB entries; enables the refresh button.
    void FillTree();
    // The fixed items and only the DBs that hold data.
    void OnRefresh();

    bool OnCmdMsg(int nId) override;
    QTreeWidget* Tree() const { return m_pTree; }
    // The tool tip of a DB's entry.
    static QString DbEntryTip(const TestRecord& record);
    CGuiMiniTool* MiniTool() const { return m_pMiniTool; }

protected:
    int OnCreate() override;

private:
    const QIcon& TreeIcon(int nImage, int nSelectedImage);
    QTreeWidgetItem* InsertFixedItems();
    void InsertDbEntry(QTreeWidgetItem* pParent, int nDb, bool bHoldsData);
    void ExpandFixedItems();
    void OnSelChanged();
    void OnDblClk();
    void EnableRefresh(bool bEnable);

    const RecordTable& m_records;
    IDbSelection& m_selection;
    QTreeWidget* m_pTree = nullptr;
    CGuiContainer* m_pContainer = nullptr;
    CGuiMiniTool* m_pMiniTool = nullptr;
    std::map<std::pair<int, int>, QIcon> m_treeIcons; // by picture, and picture when selected
};
