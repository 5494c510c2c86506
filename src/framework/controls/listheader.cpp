#include "framework/controls/listheader.h"

#include "framework/imagelist.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionHeaderV2>

namespace {

constexpr int kImageGap = 3; // between a header picture and the heading text

Qt::Alignment HeadingAlignment(int nFormat)
{
    switch (nFormat & HDF_JUSTIFYMASK) {
    case LVCFMT_RIGHT: return Qt::AlignRight | Qt::AlignVCenter;
    case LVCFMT_CENTER: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

CListHeader::CListHeader(QWidget* pParent) : QHeaderView(Qt::Horizontal, pParent)
{
    setSectionsClickable(true);
    setHighlightSections(false);
    setStretchLastSection(false);
    setSectionResizeMode(QHeaderView::Interactive);
    setMinimumSectionSize(0);
}

bool CListHeader::GetItem(int nItem, int* pFormat, int* pImage) const
{
    if (nItem < 0 || nItem >= GetItemCount())
        return false;
    if (pFormat)
        *pFormat = m_items[nItem].m_nFormat;
    if (pImage)
        *pImage = m_items[nItem].m_nImage;
    return true;
}

bool CListHeader::SetItem(int nItem, int nFormat, int nImage)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return false;
    m_items[nItem] = Item{nFormat, nImage};
    updateSection(nItem);
    return true;
}

void CListHeader::InsertItem(int nItem, int nFormat)
{
    m_items.insert(qBound(0, nItem, GetItemCount()), Item{nFormat, -1});
    viewport()->update();
}

const CImageList* CListHeader::SetImageList(const CImageList* pImageList)
{
    const CImageList* pPrevious = m_pImageList;
    m_pImageList = pImageList;
    viewport()->update();
    return pPrevious;
}

int CListHeader::ShownImage(int nItem) const
{
    if (!m_pImageList || nItem < 0 || nItem >= GetItemCount())
        return -1;
    const Item& item = m_items[nItem];
    if (!(item.m_nFormat & HDF_IMAGE) || m_pImageList->GetIcon(item.m_nImage).isNull())
        return -1;
    return item.m_nImage;
}

void CListHeader::initStyleOptionForIndex(QStyleOptionHeader* pOption, int nLogicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(pOption, nLogicalIndex);
    const int nFormat = nLogicalIndex < GetItemCount() ? m_items[nLogicalIndex].m_nFormat : 0;
    pOption->textAlignment = HeadingAlignment(nFormat);
    pOption->sortIndicator = QStyleOptionHeader::None;
}

void CListHeader::paintSection(QPainter* pPainter, const QRect& rect, int nLogicalIndex) const
{
    if (!rect.isValid())
        return;
    pPainter->save();
    QStyleOptionHeaderV2 option;
    initStyleOption(&option);
    initStyleOptionForIndex(&option, nLogicalIndex);
    option.rect = rect;
    style()->drawControl(QStyle::CE_HeaderSection, &option, pPainter, this);

    QStyleOptionHeaderV2 label = option;
    label.rect = style()->subElementRect(QStyle::SE_HeaderLabel, &option, this);
    const int nImage = ShownImage(nLogicalIndex);
    if (nImage >= 0) {
        // The picture keeps its place and the heading gives way to it, so a
        // narrow column still shows its sort arrow.
        const QSize size = m_pImageList->GetImageSize();
        const bool bOnRight = m_items[nLogicalIndex].m_nFormat & HDF_BITMAP_ON_RIGHT;
        const int x =
            bOnRight ? label.rect.x() + label.rect.width() - size.width() : label.rect.x();
        const int y = rect.y() + (rect.height() - size.height()) / 2;
        m_pImageList->Draw(pPainter, nImage, QPoint(x, y), size);
        if (bOnRight)
            label.rect.setRight(x - kImageGap - 1);
        else
            label.rect.setLeft(x + size.width() + kImageGap);
    }
    style()->drawControl(QStyle::CE_HeaderLabel, &label, pPainter, this);
    pPainter->restore();
}

int CListHeader::DividerAt(int nPosition) const
{
    int nVisual = visualIndexAt(nPosition);
    if (nVisual < 0)
        return -1;
    const int nLogical = logicalIndex(nVisual);
    const int nStart = sectionViewportPosition(nLogical);
    const int nGrip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    bool bAtStart = nPosition < nStart + nGrip;
    bool bAtEnd = nPosition > nStart + sectionSize(nLogical) - nGrip;
    if (isRightToLeft())
        std::swap(bAtStart, bAtEnd);
    if (bAtEnd)
        return nLogical;
    if (bAtStart) {
        // The divider at a section's start belongs to the section shown before it.
        while (--nVisual >= 0) {
            if (!isSectionHidden(logicalIndex(nVisual)))
                return logicalIndex(nVisual);
        }
    }
    return -1;
}

void CListHeader::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    const int nDivider = DividerAt(pEvent->position().toPoint().x());
    if (nDivider >= 0 && sectionResizeMode(nDivider) == QHeaderView::Interactive) {
        // The list decides how wide the column gets; the item view's own
        // reaction to the divider is not wanted.
        emit dividerDoubleClicked(nDivider);
        return;
    }
    QHeaderView::mouseDoubleClickEvent(pEvent);
}
