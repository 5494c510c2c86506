#include "framework/controls/listexcore.h"

#include "framework/controls/listctrl.h"
#include "framework/controls/listheader.h"
#include "framework/controls/listpaintrules.h"
#include "framework/langpack.h"
#include "framework/resourceids.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionViewItem>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMarkWidth = 9;
constexpr int kMarkHeight = 5;

// Rectangles here are worked out by their edges; the right and bottom edges
// lie just outside the rectangle.
int RightEdge(const QRect& rect)
{
    return rect.x() + rect.width();
}

QRect FromEdges(int nLeft, int nRight, const QRect& row)
{
    return QRect(nLeft, row.y(), nRight - nLeft, row.height());
}

void FillSpan(QPainter* pPainter, int nLeft, int nRight, const QRect& row, const QColor& colour)
{
    if (nRight > nLeft)
        pPainter->fillRect(FromEdges(nLeft, nRight, row), colour);
}

} // namespace

CListExCore::CListExCore(CListCtrl* pList) : m_pList(pList)
{
    CreateSortMarkImages();
}

CListExCore::~CListExCore()
{
    CListHeader* pHeader = m_pList->GetHeaderCtrl();
    if (pHeader->GetImageList() == &m_markImages)
        pHeader->SetImageList(nullptr);
}

void CListExCore::CreateSortMarkImages()
{
    // The arrows come black; they are drawn in the colour of grey text, at
    // every scale the list may be shown at.
    const QColor greyText = m_pList->palette().color(QPalette::PlaceholderText);
    const QList<qreal> scales = CImageList::PictureScales(m_pList->devicePixelRatioF());
    const auto mappedArrow = [&](int nBitmapId) {
        QIcon icon;
        for (const qreal nScale : scales) {
            const QImage picture = AfxGetResourceHandle().Bitmap(nBitmapId, nScale);
            if (picture.isNull())
                continue;
            QPixmap pixmap = QPixmap::fromImage(MapSortMarkColours(picture, greyText));
            pixmap.setDevicePixelRatio(nScale);
            icon.addPixmap(pixmap);
        }
        return icon;
    };
    m_markImages = CImageList(kMarkWidth, kMarkHeight);
    m_nAscendingImage = m_markImages.Add(mappedArrow(IDB_SORT_ASCENDING));
    m_nDescendingImage = m_markImages.Add(mappedArrow(IDB_SORT_DESCENDING));
}

QColor CListExCore::ListBackground() const
{
    return m_pList->palette().color(QPalette::Base);
}

bool CListExCore::IsOwnerDrawn() const
{
    return m_pList->GetStyle() & LVS_OWNERDRAWFIXED;
}

bool CListExCore::IconsPinnedAway() const
{
    return m_bPinIcons && m_pList->ColumnOrder(0) > 0;
}

bool CListExCore::HasSelectedLook(int nItem) const
{
    return m_pList->GetItemState(nItem, LVIS_SELECTED) && m_pList->hasFocus();
}

void CListExCore::RepaintRows() const
{
    m_pList->viewport()->update();
}

void CListExCore::SetSortMark(bool bShown, int nSortColumn)
{
    m_bSortMarkShown = bShown;
    m_nSortColumn = nSortColumn;
    m_pList->GetHeaderCtrl()->SetImageList(&m_markImages);
    UpdateHeaderMarks();
    RepaintRows();
}

void CListExCore::TintSortColumn(bool bOn)
{
    if (bOn == m_bTintOn)
        return;
    m_bTintOn = bOn;
    if (bOn)
        m_tintColour = SortColumnTint(ListBackground());
    RepaintRows();
}

bool CListExCore::PinIconsLeft(bool bOn)
{
    // Only rows this core paints can keep their icons away from column 0.
    const bool bAccepted = !bOn || IsOwnerDrawn();
    m_bPinIcons = bOn && bAccepted;
    RepaintRows();
    return bAccepted;
}

CImageList* CListExCore::SetImageList(CImageList* pImageList, int nImageListKind)
{
    CImageList* pPrevious = m_pList->CListCtrl::SetImageList(pImageList, nImageListKind);
    if (nImageListKind == LVSIL_SMALL)
        m_pList->GetHeaderCtrl()->SetImageList(&m_markImages);
    return pPrevious;
}

int CListExCore::HitTest(QPoint point, unsigned* pFlags) const
{
    const int nItem = m_pList->CListCtrl::HitTest(point, pFlags);
    if (!IsOwnerDrawn() || nItem < 0 || !pFlags || *pFlags != LVHT_ONITEM)
        return nItem;
    *pFlags = CListCtrl::ItemPartAt(point, GetCellRect(nItem, 0, LVIR_LABEL).value_or(QRect()),
                                    GetCellRect(nItem, 0, LVIR_ICON).value_or(QRect()),
                                    GetStateIconRect(nItem).value_or(QRect()));
    return nItem;
}

std::optional<QRect> CListExCore::GetCellRect(int nItem, int nColumn, int nKind) const
{
    if (nKind == LVIR_BOUNDS)
        return m_pList->GetSubItemRect(nItem, nColumn, LVIR_BOUNDS);
    if (nKind != LVIR_ICON && nKind != LVIR_LABEL)
        return std::nullopt;

    const std::optional<QRect> part = m_pList->GetItemRect(nItem, nKind);
    const std::optional<QRect> column0 = m_pList->GetSubItemRect(nItem, 0, LVIR_BOUNDS);
    if (!part || !column0)
        return std::nullopt;
    if (!IconsPinnedAway()) {
        if (nKind == LVIR_LABEL)
            return part;
        // The icon never reaches past column 0.
        const int nRight = std::min(RightEdge(*part), RightEdge(*column0));
        return FromEdges(part->x(), std::max(part->x(), nRight), *part);
    }

    // Pinned: the part keeps its offset from the left edge, in the first column.
    const std::optional<QRect> first =
        m_pList->GetSubItemRect(nItem, m_pList->OrderToIndex(0), LVIR_BOUNDS);
    if (!first)
        return std::nullopt;
    const int nLeft = first->x() + part->x() - column0->x();
    if (nKind == LVIR_LABEL)
        return FromEdges(nLeft, std::max(nLeft, RightEdge(*first)), *part);
    int nRight = nLeft + part->width();
    if (nRight > RightEdge(*first))
        nRight = RightEdge(*first) - 1;
    return FromEdges(nLeft, std::max(nLeft, nRight), *part);
}

std::optional<QRect> CListExCore::GetStateIconRect(int nItem) const
{
    const int nCellColumn = m_bPinIcons ? m_pList->OrderToIndex(0) : 0;
    const std::optional<QRect> cell = GetCellRect(nItem, nCellColumn, LVIR_BOUNDS);
    const std::optional<QRect> icon = GetCellRect(nItem, 0, LVIR_ICON);
    if (!cell || !icon)
        return std::nullopt;
    const int nLeft = cell->x() + 4;
    int nRight = icon->x() - 1;
    if (nRight >= RightEdge(*cell))
        nRight = RightEdge(*cell) + 3;
    return FromEdges(nLeft, std::max(nLeft, nRight), *cell);
}

void CListExCore::UpdateHeaderMarks()
{
    CListHeader* pHeader = m_pList->GetHeaderCtrl();
    for (int nItem = 0; nItem < pHeader->GetItemCount(); ++nItem) {
        int nFormat = 0;
        int nImage = -1;
        if (!pHeader->GetItem(nItem, &nFormat, &nImage))
            continue;
        const int nAlignment = nFormat & HDF_JUSTIFYMASK;
        const int nWithImage = nAlignment | HDF_STRING | HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
        if (m_bSortMarkShown && m_nSortColumn - 1 == nItem) {
            nFormat = nWithImage;
            nImage = m_nAscendingImage;
        } else if (m_bSortMarkShown && -m_nSortColumn - 1 == nItem) {
            nFormat = nWithImage;
            nImage = m_nDescendingImage;
        } else {
            nFormat = nAlignment | HDF_STRING;
        }
        pHeader->SetItem(nItem, nFormat, nImage);
    }
}

void CListExCore::OnColumnClick(int nColumn)
{
    if (nColumn + 1 == std::abs(m_nSortColumn))
        m_nSortColumn = -m_nSortColumn;
    else
        m_nSortColumn = nColumn + 1;
    UpdateHeaderMarks();
    RepaintRows();
}

int CListExCore::GetTextWidth(const QString& strText, int nWidth) const
{
    if (nWidth <= 0 || strText.isEmpty())
        return 0;
    const QFontMetrics metrics = m_pList->fontMetrics();
    const auto textWidth = [&metrics](const QString& str) {
        return metrics.horizontalAdvance(str);
    };
    QString strFitted = strText;
    FitText(strFitted, nWidth, textWidth);
    return textWidth(strFitted);
}

void CListExCore::DrawItem(QPainter* pPainter, int nItem) const
{
    const std::optional<QRect> bounds = m_pList->GetItemRect(nItem, LVIR_BOUNDS);
    const std::optional<QRect> label = GetCellRect(nItem, 0, LVIR_LABEL);
    if (!bounds || !label)
        return;

    const unsigned nState = m_pList->GetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED);
    const bool bListFocused = m_pList->hasFocus();
    const bool bSelectedFocused = (nState & LVIS_SELECTED) && bListFocused;
    const bool bSelectedUnfocused =
        (nState & LVIS_SELECTED) && (m_pList->GetStyle() & LVS_SHOWSELALWAYS);
    const bool bSelected = bSelectedFocused || bSelectedUnfocused;
    const bool bFocusFrame = (nState & LVIS_FOCUSED) && bListFocused;
    const bool bFullRow = m_pList->GetExtendedStyle() & LVS_EX_FULLROWSELECT;

    QRect focus = *bounds;
    if (bFullRow && (m_pList->ColumnOrder(0) == 0 || m_bPinIcons)) {
        int nFirstWidth = 0;
        m_pList->GetColumn(m_pList->OrderToIndex(0), nullptr, &nFirstWidth);
        focus =
            FromEdges(std::min(label->x(), bounds->x() + nFirstWidth), RightEdge(*bounds), *bounds);
    }

    const QPalette& palette = m_pList->palette();
    const QColor selection =
        palette.color(bSelectedFocused ? QPalette::Highlight : QPalette::Button);
    const QColor selectedText =
        palette.color(bSelectedFocused ? QPalette::HighlightedText : QPalette::Text);
    const QColor normalText = palette.color(QPalette::Text);
    const QColor background = ListBackground();

    pPainter->save();
    pPainter->setFont(m_pList->font());
    int nCellLeft = bounds->x();
    for (int nPosition = 0;; ++nPosition) {
        const int nColumn = m_pList->OrderToIndex(nPosition);
        int nFormat = 0;
        int nWidth = 0;
        if (nColumn < 0 || !m_pList->GetColumn(nColumn, &nFormat, &nWidth))
            break;
        const QColor cellBackground =
            m_bTintOn && nColumn + 1 == std::abs(m_nSortColumn) ? m_tintColour : background;
        const QRect cell(nCellLeft, bounds->y(), nWidth, bounds->height());
        nCellLeft += nWidth;

        // The label cell holds the state image, icon and label: column 0, or
        // with pinned icons whatever column is shown first.
        const bool bLabelCell = m_bPinIcons ? nPosition == 0 : nColumn == 0;
        const QRect textRect =
            bLabelCell ? FromEdges(label->x() + 2, RightEdge(*label) - (nColumn > 0 ? 6 : 2), cell)
                       : FromEdges(cell.x() + 6, RightEdge(cell) - 6, cell);
        const QString strText = m_pList->GetItemText(nItem, nColumn);
        const int nTextWidth = GetTextWidth(strText, textRect.width());
        // A full-row list shows column 0 dragged away like any other cell.
        const bool bPaintsLabel = bLabelCell && !(bFullRow && !m_bPinIcons && nPosition != 0);

        QColor textColour = normalText;
        if (bPaintsLabel && (bSelected || (bFocusFrame && !bFullRow))) {
            QRect highlight = *label;
            if (!bFullRow) {
                // Without full-row selection the highlight hugs the text.
                int nLeft = label->x();
                int nRight = RightEdge(*label);
                switch (nFormat & LVCFMT_JUSTIFYMASK) {
                case LVCFMT_RIGHT: nLeft = nRight - nTextWidth - 8; break;
                case LVCFMT_CENTER:
                    nLeft += (nRight - nLeft - nTextWidth - 12) / 2;
                    nRight = nLeft + nTextWidth + 12;
                    break;
                default: nRight = nLeft + nTextWidth + 8; break;
                }
                nLeft = std::clamp(nLeft, label->x(), RightEdge(*label));
                nRight = std::clamp(nRight, label->x(), RightEdge(*label));
                highlight = FromEdges(nLeft, nRight, cell);
                focus = highlight;
            }
            if (bSelected) {
                FillSpan(pPainter, cell.x(), highlight.x(), cell, cellBackground);
                pPainter->fillRect(highlight, selection);
                FillSpan(pPainter, RightEdge(highlight), RightEdge(cell), cell, cellBackground);
                textColour = selectedText;
            } else {
                pPainter->fillRect(cell, cellBackground);
            }
        } else if (bSelected && bFullRow) {
            pPainter->fillRect(cell, selection);
            textColour = selectedText;
        } else {
            pPainter->fillRect(cell, cellBackground);
        }

        if (bLabelCell) {
            if (const std::optional<QRect> stateIcon = GetStateIconRect(nItem))
                DrawStateIcon(pPainter, nItem, *stateIcon);
            if (const std::optional<QRect> icon = GetCellRect(nItem, 0, LVIR_ICON))
                DrawSmallIcon(pPainter, nItem, *icon);
        }
        pPainter->setPen(textColour);
        DrawSubItemText(pPainter, strText, nFormat, textRect);
    }

    if (bFocusFrame) {
        QStyleOptionFocusRect option;
        option.initFrom(m_pList);
        option.rect = focus;
        option.backgroundColor = bSelected ? selection : background;
        m_pList->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, pPainter, m_pList);
    }
    pPainter->restore();
}

void CListExCore::DrawSubItemText(QPainter* pPainter, const QString& strText, int nFormat,
                                  const QRect& rect) const
{
    if (strText.isEmpty() || rect.width() <= 0)
        return;
    const QFontMetrics metrics = m_pList->fontMetrics();
    QString strFitted = strText;
    FitText(strFitted, rect.width(),
            [&metrics](const QString& str) { return metrics.horizontalAdvance(str); });
    int nFlags = Qt::TextSingleLine | Qt::AlignVCenter | Qt::TextDontClip;
    switch (nFormat & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_CENTER: nFlags |= Qt::AlignHCenter; break;
    case LVCFMT_RIGHT: nFlags |= Qt::AlignRight; break;
    default: nFlags |= Qt::AlignLeft; break;
    }
    pPainter->drawText(rect, nFlags, strFitted);
}

void CListExCore::DrawSmallIcon(QPainter* pPainter, int nItem, const QRect& rect) const
{
    const int nImage = m_pList->GetItemImage(nItem);
    if (nImage > 0)
        m_pList->DrawListImage(pPainter, LVSIL_SMALL, nImage, rect, HasSelectedLook(nItem));
}

void CListExCore::DrawStateIcon(QPainter* pPainter, int nItem, const QRect& rect) const
{
    const unsigned nStateImage = m_pList->GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12;
    if (nStateImage > 0)
        m_pList->DrawListImage(pPainter, LVSIL_STATE, static_cast<int>(nStateImage) - 1, rect,
                               HasSelectedLook(nItem));
}

int CListExCore::CheckBoxAt(QPoint point) const
{
    if (!IsOwnerDrawn() || !(m_pList->GetExtendedStyle() & LVS_EX_CHECKBOXES))
        return -1;
    unsigned nFlags = 0;
    const int nItem = HitTest(point, &nFlags);
    return nFlags == LVHT_ONITEMSTATEICON ? nItem : -1;
}

bool CListExCore::OnCheckBoxClick(QPoint point)
{
    const int nItem = CheckBoxAt(point);
    if (nItem < 0)
        return false;
    m_pList->SetCheck(nItem, !m_pList->GetCheck(nItem));
    return true;
}

int CListExCore::PinnedColumnWidth(int nColumn) const
{
    int nWidest = 0;
    for (int nItem = 0; nItem < m_pList->GetItemCount(); ++nItem)
        nWidest = std::max(nWidest, m_pList->GetStringWidth(m_pList->GetItemText(nItem, nColumn)));
    if (nColumn == 0)
        return nWidest + 6 + 6;
    // The column holds the label area: its texts start where the label does.
    int nLabelOffset = 0;
    const std::optional<QRect> label = m_pList->GetItemRect(0, LVIR_LABEL);
    const std::optional<QRect> column0 = m_pList->GetSubItemRect(0, 0, LVIR_BOUNDS);
    if (label && column0)
        nLabelOffset = label->x() - column0->x();
    return nWidest + nLabelOffset + 2 + 6;
}

bool CListExCore::OnDividerDoubleClick(int nColumn)
{
    if (!m_bPinIcons)
        return false;
    const int nOrder = m_pList->ColumnOrder(nColumn);
    const bool bHoldsLabel = nColumn > 0 && nOrder == 0;
    const bool bColumn0Away = nColumn == 0 && nOrder > 0;
    if (!bHoldsLabel && !bColumn0Away)
        return false;
    m_pList->SetColumnWidth(nColumn, PinnedColumnWidth(nColumn));
    return true;
}

void CListExCore::FitColumnsToTexts()
{
    for (int nPosition = 0; nPosition < m_pList->GetColumnCount(); ++nPosition) {
        const int nColumn = m_pList->OrderToIndex(nPosition);
        if (nPosition == 0 || nColumn == 0)
            m_pList->SetColumnWidth(nColumn, PinnedColumnWidth(nColumn));
        else
            m_pList->SetColumnWidth(nColumn, LVSCW_AUTOSIZE);
    }
}

bool CListExCore::OnKeyDown(int nKey, Qt::KeyboardModifiers modifiers)
{
    if (!IconsPinnedAway())
        return false;
    if (nKey == Qt::Key_Control) {
        m_bCtrlHeld = true;
        return true;
    }
    if (nKey == Qt::Key_Plus && (modifiers & Qt::KeypadModifier) && m_bCtrlHeld) {
        FitColumnsToTexts();
        return true;
    }
    return false;
}

void CListExCore::OnKeyUp(int nKey)
{
    if (nKey == Qt::Key_Control)
        m_bCtrlHeld = false;
}

void CListExCore::OnCustomDraw(int nItem, int nSubItem, QStyleOptionViewItem* pOption) const
{
    (void)nItem;
    if (m_bTintOn && nSubItem + 1 == std::abs(m_nSortColumn))
        pOption->backgroundBrush = m_tintColour;
}

void CListExCore::OnEraseBkgnd(QPainter* pPainter, const QRect& dirty) const
{
    const int nSortColumn = std::abs(m_nSortColumn) - 1;
    if (!m_bTintOn || nSortColumn < 0 || nSortColumn >= m_pList->GetColumnCount())
        return;
    const QHeaderView* pHeader = m_pList->GetHeaderCtrl();
    const QRect strip(pHeader->sectionViewportPosition(nSortColumn), dirty.y(),
                      pHeader->sectionSize(nSortColumn), dirty.height());
    pPainter->fillRect(strip.intersected(dirty), m_tintColour);
}

void CListExCore::OnSetFocus()
{
    const int nFirst = m_pList->GetFirstSelectedItem();
    if (nFirst >= 0)
        m_pList->SetItemState(nFirst, LVIS_FOCUSED, LVIS_FOCUSED);
}

void CListExCore::OnKillFocus()
{
    const int nFirst = m_pList->GetFirstSelectedItem();
    if (nFirst >= 0)
        m_pList->SetItemState(nFirst, 0, LVIS_FOCUSED);
    // A Ctrl released while the list had no focus is never seen here.
    m_bCtrlHeld = false;
}

void CListExCore::OnSysColorChange()
{
    CreateSortMarkImages();
    m_pList->GetHeaderCtrl()->SetImageList(&m_markImages);
    UpdateHeaderMarks();
    if (m_bTintOn)
        m_tintColour = SortColumnTint(ListBackground());
    RepaintRows();
}
