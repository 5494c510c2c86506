#include "workspace/dbworkspacebar.h"

#include "framework/guicontainer.h"
#include "framework/guidrawlayer.h"
#include "framework/guiminitool.h"
#include "framework/langpack.h"
#include "framework/messagebox.h"
#include "framework/resourceids.h"
#include "workspace/dbentries.h"
#include "workspace/dbselection.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidget>

namespace {

constexpr int kRootImage = 0;
constexpr int kRefreshImage = 1;
constexpr int kDbWithDataImage = 6;
constexpr int kReportImage = 10;
constexpr int kFolderImage = 11;
constexpr int kOpenFolderImage = 12;
constexpr int kDbWithoutDataImage = 27;
constexpr int kImageSize = 16;

// The strip's picture nImage; where nSelectedImage differs, that one shows
// while the item is selected (the open folder).
QIcon StripIcon(int nImage, int nSelectedImage)
{
    const CLangPack& pack = AfxGetResourceHandle();
    const QIcon normal = pack.StripImage(IDB_IMAGE_STRIP, nImage);
    if (nSelectedImage == nImage)
        return normal;
    QIcon icon;
    const QIcon selected = pack.StripImage(IDB_IMAGE_STRIP, nSelectedImage);
    for (int nScale : {1, 2}) {
        const QSize size(kImageSize * nScale, kImageSize * nScale);
        icon.addPixmap(normal.pixmap(size), QIcon::Normal);
        icon.addPixmap(selected.pixmap(size), QIcon::Selected);
    }
    return icon;
}

QString LineTypeName(int nLineType)
{
    switch (nLineType) {
    case LINE_ADSL: return QStringLiteral("ADSL");
    case LINE_VDSL: return QStringLiteral("VDSL");
    case LINE_WLAN: return QStringLiteral("WLAN");
    default: return {};
    }
}

// A double click with the left button anywhere in the tree, or Enter,
// opens the selected entry; the right button neither selects nor opens.
class CDbTree final : public QTreeWidget
{
public:
    using QTreeWidget::QTreeWidget;
    std::function<void()> m_onOpen;

protected:
    void keyPressEvent(QKeyEvent* pEvent) override
    {
        if ((pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter) && m_onOpen) {
            m_onOpen();
            return;
        }
        QTreeWidget::keyPressEvent(pEvent);
    }
    void mousePressEvent(QMouseEvent* pEvent) override
    {
        if (pEvent->button() == Qt::LeftButton)
            QTreeWidget::mousePressEvent(pEvent);
    }
    void mouseReleaseEvent(QMouseEvent* pEvent) override
    {
        if (pEvent->button() == Qt::LeftButton)
            QTreeWidget::mouseReleaseEvent(pEvent);
    }
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override
    {
        if (pEvent->button() != Qt::LeftButton)
            return;
        QTreeWidget::mouseDoubleClickEvent(pEvent);
        if (m_onOpen)
            m_onOpen();
    }
};

} // namespace

CDBWorkspaceBar::CDBWorkspaceBar(const RecordTable& records, IDbSelection& selection)
    : m_records(records), m_selection(selection)
{
}

int CDBWorkspaceBar::OnCreate()
{
    m_pContainer = new CGuiContainer(this);
    m_pContainer->setObjectName(QStringLiteral("124"));

    m_pMiniTool = new CGuiMiniTool;
    m_pContainer->AddComponen(m_pMiniTool);
    m_pMiniTool->AlingButtons(CGuiMiniTool::kAlignLeft);
    m_pMiniTool->SetImageList(IDB_IMAGE_STRIP, kImageSize, 22, QColor(255, 0, 0));
    m_pMiniTool->AddButton(kRefreshImage, ID_TREE_REFRESH, nullptr, QString(),
                           LoadResString(IDS_REFRESH_BUTTON_TIP));
    m_pMiniTool->AutoSize(false);
    m_pMiniTool->SetColor(GuiDrawLayer::GetRGBColorXP());
    EnableRefresh(false);
    connect(m_pMiniTool, &CGuiMiniTool::commandSent, this, [this](int nId) { OnCmdMsg(nId); });

    auto* pTree = new CDbTree;
    pTree->setObjectName(QString::number(kTreeId));
    pTree->setHeaderHidden(true);
    pTree->setRootIsDecorated(true);
    pTree->setIconSize(QSize(kImageSize, kImageSize));
    pTree->setUniformRowHeights(true);
    pTree->m_onOpen = [this] { OnDblClk(); };
    m_pTree = pTree;
    connect(m_pTree, &QTreeWidget::itemSelectionChanged, this, &CDBWorkspaceBar::OnSelChanged);
    m_pContainer->AddComponen(m_pTree);
    setWidget(m_pContainer);
    return 0;
}

bool CDBWorkspaceBar::OnCmdMsg(int nId)
{
    if (nId != ID_TREE_REFRESH)
        return false;
    OnRefresh();
    return true;
}

void CDBWorkspaceBar::ClearTree()
{
    m_pTree->clear();
}

// Made once for the bar: each refill of the tree (one a download) shows the
// same icons, and the pictures they have drawn, instead of new ones.
const QIcon& CDBWorkspaceBar::TreeIcon(int nImage, int nSelectedImage)
{
    QIcon& icon = m_treeIcons[{nImage, nSelectedImage}];
    if (icon.isNull())
        icon = StripIcon(nImage, nSelectedImage);
    return icon;
}

QTreeWidgetItem* CDBWorkspaceBar::InsertFixedItems()
{
    auto* pRoot = new QTreeWidgetItem(m_pTree, {QStringLiteral("LMX-4410 projects")});
    pRoot->setIcon(0, TreeIcon(kRootImage, kRootImage));
    auto* pReport = new QTreeWidgetItem(pRoot, {QStringLiteral("TEST Report")});
    pReport->setIcon(0, TreeIcon(kReportImage, kReportImage));
    QFont bold = pReport->font(0);
    bold.setBold(true);
    pReport->setFont(0, bold);
    auto* pFiles = new QTreeWidgetItem(pReport, {QStringLiteral("Data Base Files")});
    pFiles->setIcon(0, TreeIcon(kFolderImage, kOpenFolderImage));
    return pFiles;
}

void CDBWorkspaceBar::InsertDbEntry(QTreeWidgetItem* pParent, int nDb, bool bHoldsData)
{
    const QString strText = QString::fromStdString(DbEntryText(nDb));
    auto* pItem = new QTreeWidgetItem(pParent, {strText});
    const int nImage = bHoldsData ? kDbWithDataImage : kDbWithoutDataImage;
    pItem->setIcon(0, TreeIcon(nImage, nImage));
    pItem->setToolTip(0, DbEntryTip(m_records[static_cast<std::size_t>(nDb)]));
}

// What a DB holds, as far as the tree can tell: the line type and the user
// information of one that opens, the no-data message of one that does not.
QString CDBWorkspaceBar::DbEntryTip(const TestRecord& record)
{
    if (!HoldsTest(record))
        return LoadResString(IDS_DB_HOLDS_NO_DATA);
    QStringList astrParts;
    if (const QString strLine = LineTypeName(record.m_RateFrame.m_nLineType); !strLine.isEmpty())
        astrParts << strLine;
    if (!record.m_RateFrame.m_strUserInfo.empty())
        astrParts << QString::fromLatin1(record.m_RateFrame.m_strUserInfo.c_str());
    return astrParts.join(QLatin1String(" - "));
}

void CDBWorkspaceBar::ExpandFixedItems()
{
    QTreeWidgetItem* pRoot = m_pTree->topLevelItem(0);
    pRoot->setExpanded(true);
    pRoot->child(0)->setExpanded(true);
    pRoot->child(0)->child(0)->setExpanded(true);
}

void CDBWorkspaceBar::FillTree()
{
    QTreeWidgetItem* pFiles = InsertFixedItems();
    for (int nDb = 1; nDb <= kDbCount; ++nDb)
        InsertDbEntry(pFiles, nDb, HoldsData(m_records[static_cast<std::size_t>(nDb)]));
    ExpandFixedItems();
    EnableRefresh(true);
}

void CDBWorkspaceBar::OnRefresh()
{
    EnableRefresh(false);
    ClearTree();
    QTreeWidgetItem* pFiles = InsertFixedItems();
    for (int nDb = 1; nDb <= kDbCount; ++nDb) {
        if (HoldsData(m_records[static_cast<std::size_t>(nDb)]))
            InsertDbEntry(pFiles, nDb, true);
    }
    ExpandFixedItems();
    EnableRefresh(true);
}

void CDBWorkspaceBar::OnSelChanged()
{
    const QList<QTreeWidgetItem*> selected = m_pTree->selectedItems();
    if (selected.isEmpty() || selected.first() == m_pTree->topLevelItem(0))
        return;
    const int nDb = DbNumberFromItemText(selected.first()->text(0).toStdString());
    if (nDb != 0)
        m_selection.SelectDb(nDb);
}

void CDBWorkspaceBar::OnDblClk()
{
    // The selected item counts, not the one under the mouse.
    const QList<QTreeWidgetItem*> selected = m_pTree->selectedItems();
    if (selected.isEmpty() || selected.first() == m_pTree->topLevelItem(0))
        return;
    const int nDb = DbNumberFromItemText(selected.first()->text(0).toStdString());
    if (nDb == 0)
        return;
    if (HoldsTest(m_records[static_cast<std::size_t>(nDb)]))
        m_selection.OpenDb(nDb);
    else
        AfxMessageBox(IDS_DB_HOLDS_NO_DATA, QMessageBox::Ok, QMessageBox::Information, this);
}

void CDBWorkspaceBar::EnableRefresh(bool bEnable)
{
    m_pMiniTool->EnableButton(ID_TREE_REFRESH, bEnable);
}
