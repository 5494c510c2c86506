#include "workspace/dbinfobar.h"

#include "framework/controls/listctrlex.h"
#include "framework/guicontainer.h"
#include "framework/guidrawlayer.h"
#include "framework/guiminitool.h"
#include "framework/langpack.h"
#include "framework/resourceids.h"

#include <QToolButton>

namespace {

constexpr int kGraphImage = 28;
constexpr int kImageSize = 16;
constexpr int kItemColumnWidth = 90;
constexpr int kValueColumnWidth = 130;

} // namespace

CDBInfoBar::CDBInfoBar(std::function<void()> openGraph) : m_openGraph(std::move(openGraph)) {}

CDBInfoBar::~CDBInfoBar() = default;

int CDBInfoBar::OnCreate()
{
    m_pContainer = new CGuiContainer(this);
    m_pContainer->setObjectName(QStringLiteral("124"));

    m_pMiniTool = new CGuiMiniTool;
    m_pContainer->AddComponen(m_pMiniTool);
    m_pMiniTool->AlingButtons(CGuiMiniTool::kAlignLeft);
    m_pMiniTool->SetImageList(IDB_IMAGE_STRIP, kImageSize, 27, QColor(255, 0, 0));
    m_pMiniTool->AddButton(kGraphImage, ID_GRAPH_BUTTON, nullptr, QString(),
                           LoadResString(IDS_GRAPH_BUTTON_TIP));
    m_pMiniTool->AutoSize(false);
    m_pMiniTool->SetColor(GuiDrawLayer::GetRGBColorXP());
    m_pMiniTool->EnableButton(ID_GRAPH_BUTTON, false);
    connect(m_pMiniTool, &CGuiMiniTool::commandSent, this, [this](int nId) { OnCmdMsg(nId); });

    m_pList = new CListCtrlEx(LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED);
    m_pList->setObjectName(QString::number(kListId));
    m_pList->SetExtendedStyle(LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
    m_pImageList = std::make_unique<CImageList>(CImageList::FromStrip(IDB_IMAGE_STRIP, kImageSize));
    m_pList->SetImageList(m_pImageList.get(), LVSIL_SMALL);
    m_pList->InsertColumn(0, LoadResString(IDS_INFO_COLUMN_ITEM), LVCFMT_LEFT, kItemColumnWidth);
    m_pList->InsertColumn(1, LoadResString(IDS_INFO_COLUMN_VALUE), LVCFMT_CENTER,
                          kValueColumnWidth);
    m_pList->SetSortMark(true, 1);
    m_pList->TintSortColumn(true);
    m_pList->PinIconsLeft(true);
    connect(m_pList, &CListCtrl::itemDoubleClicked, this, [this](int nItem) { OnDblClk(nItem); });
    m_pContainer->AddComponen(m_pList);
    setWidget(m_pContainer);
    return 0;
}

void CDBInfoBar::InsertGraphRow()
{
    m_pList->DeleteAllItems();
    m_pList->InsertItem(0, QStringLiteral("Graph"), kGraphImage);
}

void CDBInfoBar::SetAvailable(int nButton, int nAvailable)
{
    const int nSelector = nButton >= 0 && nButton < 3 ? kButtonSelectors[nButton] : 0;
    const QString strValue =
        LoadResString(nAvailable ? IDS_GRAPH_AVAILABLE : IDS_GRAPH_NOT_AVAILABLE);
    m_pMiniTool->EnableButton(nSelector, nAvailable != 0);
    m_nAvailable = nAvailable;
    m_pList->SetItemText(0, 1, strValue);
}

void CDBInfoBar::ClearItems()
{
    m_pMiniTool->EnableButton(ID_GRAPH_BUTTON, false);
    m_pList->DeleteAllItems();
}

void CDBInfoBar::OnDblClk(int nItem)
{
    if (nItem == 0 && m_nAvailable != 0)
        OnGraph();
}

void CDBInfoBar::OnGraph()
{
    if (m_openGraph)
        m_openGraph();
}

bool CDBInfoBar::OnCmdMsg(int nId)
{
    if (nId != ID_GRAPH_BUTTON_0 && nId != ID_GRAPH_BUTTON && nId != ID_GRAPH_BUTTON_2)
        return false;
    // The button is enabled only while the graph can be shown; the
    // guard keeps a stray command from opening an empty graph.
    if (m_nAvailable != 0 && m_pList->GetItemCount() > 0)
        OnGraph();
    return true;
}
