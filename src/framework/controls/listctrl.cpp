#include "framework/controls/listctrl.h"

#include "framework/controls/listheader.h"
#include "framework/controls/listitemdelegate.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <algorithm>
#include <utility>

namespace {

constexpr int kImageRole = Qt::UserRole + 1;      // small icon, on the column 0 cell
constexpr int kStateImageRole = Qt::UserRole + 2; // state image number, on the column 0 cell

constexpr int kStateImageLeft = 4; // from column 0's left edge
constexpr int kIconLeft = 2;       // when there are no state images
constexpr int kCheckBoxSize = 16;  // the check boxes as state images
// Text margins inside a cell, as the rows are painted.
constexpr int kLabelTextMargins = 2 + 2;
constexpr int kCellTextMargins = 6 + 6;

QStandardItem* NewCell(const QString& strText)
{
    auto* pCell = new QStandardItem(strText);
    pCell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return pCell;
}

} // namespace

CListCtrl::CListCtrl(unsigned nStyle, QWidget* pParent)
    : QTreeView(pParent), m_nStyle(nStyle), m_pModel(new QStandardItemModel(this))
{
    auto* pHeader = new CListHeader(this);
    setHeader(pHeader);
    setModel(m_pModel);
    setItemDelegate(new CListItemDelegate(this));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Headings are clicked to move the sort mark; the list never sorts. The
    // tree view keeps its first column in place, a list lets it be dragged.
    pHeader->setSectionsClickable(true);
    pHeader->setSectionsMovable(false);
    pHeader->setFirstSectionMovable(true);

    connect(pHeader, &QHeaderView::sectionClicked, this, [this](int nColumn) {
        ReflectColumnClick(nColumn);
        emit columnClicked(nColumn);
    });
    connect(pHeader, &CListHeader::dividerDoubleClicked, this, [this](int nColumn) {
        if (!ReflectDividerDoubleClick(nColumn))
            SetColumnWidth(nColumn, LVSCW_AUTOSIZE);
    });
}

CListCtrl::~CListCtrl() = default;

unsigned CListCtrl::SetExtendedStyle(unsigned nExStyle)
{
    const unsigned nPrevious = m_nExStyle;
    m_nExStyle = nExStyle;
    GetHeaderCtrl()->setSectionsMovable(nExStyle & LVS_EX_HEADERDRAGDROP);
    setAllColumnsShowFocus(nExStyle & LVS_EX_FULLROWSELECT);
    const bool bCheckBoxes = nExStyle & LVS_EX_CHECKBOXES;
    if (bCheckBoxes && !(nPrevious & LVS_EX_CHECKBOXES)) {
        BuildCheckBoxImages();
        // Every item gets an empty box.
        for (int nItem = 0; nItem < GetItemCount(); ++nItem)
            if (StateImage(nItem) == 0)
                ItemCell(nItem, 0)->setData(kStateImageUnchecked, kStateImageRole);
    }
    scheduleDelayedItemsLayout();
    viewport()->update();
    return nPrevious;
}

CListHeader* CListCtrl::GetHeaderCtrl() const
{
    return static_cast<CListHeader*>(header());
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListKind)
{
    CImageList** ppSlot = nImageListKind == LVSIL_SMALL   ? &m_pSmallImages
                          : nImageListKind == LVSIL_STATE ? &m_pStateImages
                                                          : nullptr;
    if (!ppSlot)
        return nullptr;
    CImageList* pPrevious = std::exchange(*ppSlot, pImageList);
    // The row height follows the pictures.
    scheduleDelayedItemsLayout();
    viewport()->update();
    return pPrevious;
}

const CImageList* CListCtrl::GetImageList(int nImageListKind) const
{
    if (nImageListKind == LVSIL_SMALL)
        return m_pSmallImages;
    if (nImageListKind != LVSIL_STATE)
        return nullptr;
    if (m_pStateImages)
        return m_pStateImages;
    return (m_nExStyle & LVS_EX_CHECKBOXES) ? &m_checkBoxImages : nullptr;
}

int CListCtrl::InsertColumn(int nColumn, const QString& strHeading, int nFormat, int nWidth,
                            int nSubItem)
{
    (void)nSubItem;
    if (nColumn < 0)
        return -1;
    nColumn = std::min(nColumn, GetColumnCount());
    if (!m_pModel->insertColumn(nColumn))
        return -1;
    m_pModel->setHeaderData(nColumn, Qt::Horizontal, strHeading);
    m_anColumnFormats.insert(nColumn, nFormat);
    GetHeaderCtrl()->InsertItem(nColumn, HDF_STRING | (nFormat & HDF_JUSTIFYMASK));
    SetColumnWidth(nColumn, nWidth);
    return nColumn;
}

int CListCtrl::GetColumnCount() const
{
    return m_pModel->columnCount();
}

bool CListCtrl::GetColumn(int nColumn, int* pFormat, int* pWidth) const
{
    if (nColumn < 0 || nColumn >= GetColumnCount())
        return false;
    if (pFormat)
        *pFormat = m_anColumnFormats[nColumn];
    if (pWidth)
        *pWidth = header()->sectionSize(nColumn);
    return true;
}

bool CListCtrl::SetColumnWidth(int nColumn, int nWidth)
{
    if (nColumn < 0 || nColumn >= GetColumnCount())
        return false;
    if (nWidth == LVSCW_AUTOSIZE)
        nWidth = WidestTextWidth(nColumn) +
                 (nColumn == 0 ? LabelOffset() + kLabelTextMargins : kCellTextMargins);
    if (nWidth < 0)
        return false;
    header()->resizeSection(nColumn, nWidth);
    return true;
}

int CListCtrl::ColumnOrder(int nColumn) const
{
    if (nColumn < 0 || nColumn >= GetColumnCount())
        return -1;
    return header()->visualIndex(nColumn);
}

int CListCtrl::OrderToIndex(int nPosition) const
{
    if (nPosition < 0 || nPosition >= GetColumnCount())
        return -1;
    return header()->logicalIndex(nPosition);
}

int CListCtrl::GetStringWidth(const QString& strText) const
{
    return fontMetrics().horizontalAdvance(strText);
}

int CListCtrl::WidestTextWidth(int nColumn) const
{
    int nWidest = 0;
    for (int nItem = 0; nItem < GetItemCount(); ++nItem)
        nWidest = std::max(nWidest, GetStringWidth(GetItemText(nItem, nColumn)));
    return nWidest;
}

int CListCtrl::InsertItem(int nItem, const QString& strText, int nImage)
{
    if (nItem < 0 || GetColumnCount() == 0)
        return -1;
    nItem = std::min(nItem, GetItemCount());
    QList<QStandardItem*> cells;
    QStandardItem* pFirst = NewCell(strText);
    pFirst->setData(nImage, kImageRole);
    pFirst->setData((m_nExStyle & LVS_EX_CHECKBOXES) ? kStateImageUnchecked : 0, kStateImageRole);
    cells.append(pFirst);
    for (int nColumn = 1; nColumn < GetColumnCount(); ++nColumn)
        cells.append(NewCell(QString()));
    m_pModel->insertRow(nItem, cells);
    return nItem;
}

bool CListCtrl::DeleteAllItems()
{
    return m_pModel->removeRows(0, m_pModel->rowCount());
}

int CListCtrl::GetItemCount() const
{
    return m_pModel->rowCount();
}

QStandardItem* CListCtrl::ItemCell(int nItem, int nSubItem) const
{
    return m_pModel->item(nItem, nSubItem);
}

bool CListCtrl::SetItemText(int nItem, int nSubItem, const QString& strText)
{
    if (!IsItem(nItem) || nSubItem < 0 || nSubItem >= GetColumnCount())
        return false;
    if (QStandardItem* pCell = ItemCell(nItem, nSubItem))
        pCell->setText(strText);
    else
        m_pModel->setItem(nItem, nSubItem, NewCell(strText));
    return true;
}

QString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    const QStandardItem* pCell = IsItem(nItem) ? ItemCell(nItem, nSubItem) : nullptr;
    return pCell ? pCell->text() : QString();
}

int CListCtrl::GetItemImage(int nItem) const
{
    return IsItem(nItem) ? ItemCell(nItem, 0)->data(kImageRole).toInt() : -1;
}

unsigned CListCtrl::StateImage(int nItem) const
{
    return ItemCell(nItem, 0)->data(kStateImageRole).toUInt();
}

unsigned CListCtrl::GetItemState(int nItem, unsigned nMask) const
{
    if (!IsItem(nItem))
        return 0;
    unsigned nState = INDEXTOSTATEIMAGEMASK(StateImage(nItem));
    if (selectionModel()->isRowSelected(nItem, QModelIndex()))
        nState |= LVIS_SELECTED;
    if (currentIndex().isValid() && currentIndex().row() == nItem)
        nState |= LVIS_FOCUSED;
    return nState & nMask;
}

bool CListCtrl::SetItemState(int nItem, unsigned nState, unsigned nMask)
{
    if (!IsItem(nItem))
        return false;
    const QModelIndex index = m_pModel->index(nItem, 0);
    if (nMask & LVIS_SELECTED)
        selectionModel()->select(index, ((nState & LVIS_SELECTED) ? QItemSelectionModel::Select
                                                                  : QItemSelectionModel::Deselect) |
                                            QItemSelectionModel::Rows);
    if (nMask & LVIS_FOCUSED) {
        if (nState & LVIS_FOCUSED)
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        else if (currentIndex().row() == nItem)
            selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    if (nMask & LVIS_STATEIMAGEMASK) {
        const unsigned nOld = StateImage(nItem);
        const unsigned nNew = (nState & LVIS_STATEIMAGEMASK) >> 12;
        ItemCell(nItem, 0)->setData(nNew, kStateImageRole);
        const bool bWasChecked = nOld == kStateImageChecked;
        const bool bChecked = nNew == kStateImageChecked;
        if ((m_nExStyle & LVS_EX_CHECKBOXES) && bWasChecked != bChecked)
            emit checkToggled(nItem, bChecked);
    }
    return true;
}

bool CListCtrl::GetCheck(int nItem) const
{
    return GetItemState(nItem, LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(kStateImageChecked);
}

bool CListCtrl::SetCheck(int nItem, bool bCheck)
{
    return SetItemState(nItem,
                        INDEXTOSTATEIMAGEMASK(bCheck ? kStateImageChecked : kStateImageUnchecked),
                        LVIS_STATEIMAGEMASK);
}

int CListCtrl::GetFirstSelectedItem() const
{
    int nFirst = -1;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        if (nFirst < 0 || index.row() < nFirst)
            nFirst = index.row();
    return nFirst;
}

int CListCtrl::ItemHeight() const
{
    int nImageHeight = 0;
    for (const int nKind : {LVSIL_SMALL, LVSIL_STATE})
        if (const CImageList* pImages = GetImageList(nKind))
            nImageHeight = std::max(nImageHeight, pImages->GetImageSize().height());
    return std::max(fontMetrics().height(), nImageHeight) + 4;
}

int CListCtrl::StateImageWidth() const
{
    const CImageList* pImages = GetImageList(LVSIL_STATE);
    return pImages ? pImages->GetImageSize().width() : 0;
}

int CListCtrl::SmallImageWidth() const
{
    return m_pSmallImages ? m_pSmallImages->GetImageSize().width() : 0;
}

int CListCtrl::IconOffset() const
{
    const int nStateWidth = StateImageWidth();
    return nStateWidth > 0 ? kStateImageLeft + nStateWidth + 1 : kIconLeft;
}

int CListCtrl::LabelOffset() const
{
    return IconOffset() + SmallImageWidth();
}

std::optional<QRect> CListCtrl::GetItemRect(int nItem, int nCode) const
{
    if (!IsItem(nItem) || GetColumnCount() == 0)
        return std::nullopt;
    const QRect row = visualRect(m_pModel->index(nItem, 0));
    if (row.height() <= 0)
        return std::nullopt;
    const QHeaderView* pHeader = header();
    const int nColumn0Left = pHeader->sectionViewportPosition(0);
    switch (nCode) {
    case LVIR_BOUNDS:
        return QRect(pHeader->sectionViewportPosition(OrderToIndex(0)), row.y(), pHeader->length(),
                     row.height());
    case LVIR_ICON:
        return QRect(nColumn0Left + IconOffset(), row.y(), SmallImageWidth(), row.height());
    case LVIR_LABEL: {
        const int nLeft = nColumn0Left + LabelOffset();
        const int nRight = std::max(nLeft, nColumn0Left + pHeader->sectionSize(0));
        return QRect(nLeft, row.y(), nRight - nLeft, row.height());
    }
    default: return std::nullopt;
    }
}

std::optional<QRect> CListCtrl::GetSubItemRect(int nItem, int nSubItem, int nCode) const
{
    if (nSubItem < 0 || nSubItem >= GetColumnCount())
        return std::nullopt;
    if (nSubItem == 0 && nCode != LVIR_BOUNDS)
        return GetItemRect(nItem, nCode);
    const std::optional<QRect> row = GetItemRect(nItem, LVIR_BOUNDS);
    if (!row)
        return std::nullopt;
    return QRect(header()->sectionViewportPosition(nSubItem), row->y(),
                 header()->sectionSize(nSubItem), row->height());
}

std::optional<QRect> CListCtrl::StateImageRect(int nItem) const
{
    const std::optional<QRect> cell = GetSubItemRect(nItem, 0, LVIR_BOUNDS);
    if (!cell)
        return std::nullopt;
    return QRect(cell->x() + kStateImageLeft, cell->y(), StateImageWidth(), cell->height());
}

unsigned CListCtrl::ItemPartAt(QPoint point, const QRect& label, const QRect& icon,
                               const QRect& stateIcon)
{
    if (label.contains(point))
        return LVHT_ONITEMLABEL;
    if (icon.contains(point))
        return LVHT_ONITEMICON;
    if (stateIcon.contains(point))
        return LVHT_ONITEMSTATEICON;
    return LVHT_ONITEM;
}

int CListCtrl::HitTest(QPoint point, unsigned* pFlags) const
{
    const QModelIndex index = indexAt(point);
    const int nItem = index.isValid() ? index.row() : -1;
    unsigned nFlags = LVHT_NOWHERE;
    if (nItem >= 0 && (m_nStyle & LVS_OWNERDRAWFIXED))
        nFlags = LVHT_ONITEM;
    else if (nItem >= 0)
        nFlags = ItemPartAt(point, GetItemRect(nItem, LVIR_LABEL).value_or(QRect()),
                            GetItemRect(nItem, LVIR_ICON).value_or(QRect()),
                            StateImageRect(nItem).value_or(QRect()));
    if (pFlags)
        *pFlags = nFlags;
    return nItem;
}

void CListCtrl::DrawListImage(QPainter* pPainter, int nImageListKind, int nImage, const QRect& rect,
                              bool bSelectedLook) const
{
    const CImageList* pImages = GetImageList(nImageListKind);
    if (!pImages || rect.isEmpty())
        return;
    const QSize size = pImages->GetImageSize();
    const QPoint topLeft(rect.x(), rect.y() + std::max(0, (rect.height() - size.height()) / 2));
    const QSize visible(std::min(rect.width() + 1, size.width()),
                        std::min(rect.height() + 1, size.height()));
    std::optional<QColor> blend;
    if (bSelectedLook)
        blend = palette().color(QPalette::Highlight);
    pImages->Draw(pPainter, nImage, topLeft, visible, blend);
}

void CListCtrl::DrawItem(QPainter* pPainter, int nItem) const
{
    (void)pPainter;
    (void)nItem;
}

void CListCtrl::ReflectColumnClick(int nColumn)
{
    (void)nColumn;
}

bool CListCtrl::ReflectDividerDoubleClick(int nColumn)
{
    (void)nColumn;
    return false;
}

void CListCtrl::ReflectCustomDraw(int nItem, int nSubItem, QStyleOptionViewItem* pOption) const
{
    (void)nItem;
    (void)nSubItem;
    (void)pOption;
}

void CListCtrl::drawRow(QPainter* pPainter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const
{
    if (m_nStyle & LVS_OWNERDRAWFIXED)
        DrawItem(pPainter, index.row());
    else
        QTreeView::drawRow(pPainter, option, index);
}

int CListCtrl::StandardCheckBoxAt(QPoint point) const
{
    if ((m_nStyle & LVS_OWNERDRAWFIXED) || !(m_nExStyle & LVS_EX_CHECKBOXES))
        return -1;
    unsigned nFlags = 0;
    const int nItem = HitTest(point, &nFlags);
    return nFlags == LVHT_ONITEMSTATEICON ? nItem : -1;
}

void CListCtrl::mousePressEvent(QMouseEvent* pEvent)
{
    const int nCheckBox =
        pEvent->button() == Qt::LeftButton ? StandardCheckBoxAt(pEvent->position().toPoint()) : -1;
    if (nCheckBox >= 0) {
        SetCheck(nCheckBox, !GetCheck(nCheckBox));
        return;
    }
    QTreeView::mousePressEvent(pEvent);
}

void CListCtrl::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() != Qt::LeftButton) {
        QTreeView::mouseDoubleClickEvent(pEvent);
        return;
    }
    // The second press of a double click comes before it and has toggled the
    // check box already.
    const QPoint point = pEvent->position().toPoint();
    if (StandardCheckBoxAt(point) >= 0)
        return;
    QTreeView::mouseDoubleClickEvent(pEvent);
    emit itemDoubleClicked(HitTest(point));
}

void CListCtrl::keyPressEvent(QKeyEvent* pEvent)
{
    // Ctrl and the plus of the numeric pad fit every column to its texts.
    if (pEvent->key() == Qt::Key_Plus && (pEvent->modifiers() & Qt::ControlModifier) &&
        (pEvent->modifiers() & Qt::KeypadModifier)) {
        for (int nColumn = 0; nColumn < GetColumnCount(); ++nColumn)
            SetColumnWidth(nColumn, LVSCW_AUTOSIZE);
        return;
    }
    QTreeView::keyPressEvent(pEvent);
}

void CListCtrl::changeEvent(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::PaletteChange && (m_nExStyle & LVS_EX_CHECKBOXES))
        BuildCheckBoxImages();
    QTreeView::changeEvent(pEvent);
}

void CListCtrl::BuildCheckBoxImages()
{
    CImageList boxes(kCheckBoxSize, kCheckBoxSize);
    const int nIndicatorWidth = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
    const int nIndicatorHeight = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
    const QRect indicator((kCheckBoxSize - nIndicatorWidth) / 2,
                          (kCheckBoxSize - nIndicatorHeight) / 2, nIndicatorWidth,
                          nIndicatorHeight);
    for (const bool bChecked : {false, true}) {
        QIcon icon;
        for (const qreal nRatio : CImageList::PictureScales(devicePixelRatioF())) {
            QPixmap pixmap(QSize(kCheckBoxSize, kCheckBoxSize) * nRatio);
            pixmap.setDevicePixelRatio(nRatio);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            QStyleOptionViewItem option;
            option.initFrom(this);
            option.rect = indicator;
            option.state =
                QStyle::State_Enabled | (bChecked ? QStyle::State_On : QStyle::State_Off);
            style()->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &option, &painter, this);
            painter.end();
            icon.addPixmap(pixmap);
        }
        boxes.Add(icon);
    }
    m_checkBoxImages = boxes;
}
