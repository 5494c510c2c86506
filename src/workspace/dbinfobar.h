#pragma once

#include "framework/guicontrolbar.h"
#include "framework/imagelist.h"

#include <functional>
#include <memory>

class CGuiContainer;
class CGuiMiniTool;
class CListCtrlEx;

// The "DB Information" bar: one "Graph" row telling whether the carrier
// graph of the DB selected or shown can be opened, and the graph button that
// opens it (as does a double click on an available row).
class CDBInfoBar : public CGuiControlBar
{
    Q_OBJECT

public:
    static constexpr int kListId = 1232;
    // The row kinds SetAvailable knows: they pick the mini-tool button that
    // follows the availability.
    static constexpr int kButtonSelectors[] = {853, 854, 871};

    // pOpenGraph opens the carrier graph window on the main frame's record.
    explicit CDBInfoBar(std::function<void()> openGraph = {});
    ~CDBInfoBar() override;

    // All rows go, then row 0 "Graph" with the graph picture.
    void InsertGraphRow();
    // nButton 0, 1 or 2 picks the button (853, 854, 871) that follows bAvailable.
    void SetAvailable(int nButton, int nAvailable);
    // Disables the graph button and drops every row.
    void ClearItems();
    void OnGraph();

    bool OnCmdMsg(int nId) override;

    CListCtrlEx* List() const { return m_pList; }
    CGuiMiniTool* MiniTool() const { return m_pMiniTool; }
    int IsAvailable() const { return m_nAvailable; }

protected:
    int OnCreate() override;

private:
    void OnDblClk(int nItem);

    CListCtrlEx* m_pList = nullptr;
    CGuiMiniTool* m_pMiniTool = nullptr;
    CGuiContainer* m_pContainer = nullptr;
    std::unique_ptr<CImageList> m_pImageList;
    int m_nAvailable = 0;
    std::function<void()> m_openGraph;
};
