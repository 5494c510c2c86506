#include "framework/controls/listitemdelegate.h"

#include "framework/controls/listctrl.h"

#include <QPainter>

namespace {

Qt::Alignment TextAlignment(int nFormat)
{
    switch (nFormat & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT: return Qt::AlignRight;
    case LVCFMT_CENTER: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

} // namespace

CListItemDelegate::CListItemDelegate(CListCtrl* pList) : QStyledItemDelegate(pList), m_pList(pList)
{
}

QSize CListItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    (void)option;
    (void)index;
    return QSize(0, m_pList->ItemHeight());
}

void CListItemDelegate::paint(QPainter* pPainter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    const int nItem = index.row();
    const int nColumn = index.column();
    QStyleOptionViewItem cell = option;
    if (!m_pList->hasFocus() && !(m_pList->GetStyle() & LVS_SHOWSELALWAYS))
        cell.state &= ~QStyle::State_Selected;
    cell.backgroundBrush = QBrush();
    m_pList->ReflectCustomDraw(nItem, nColumn, &cell);
    QStyle* pStyle = m_pList->style();
    pStyle->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, pPainter, m_pList);

    const bool bSelected = cell.state & QStyle::State_Selected;
    QRect textRect = cell.rect.adjusted(6, 0, -6, 0);
    if (nColumn == 0) {
        const bool bSelectedLook = bSelected && m_pList->hasFocus();
        const unsigned nStateImage = m_pList->StateImage(nItem);
        if (nStateImage > 0)
            m_pList->DrawListImage(pPainter, LVSIL_STATE, static_cast<int>(nStateImage) - 1,
                                   m_pList->StateImageRect(nItem).value_or(QRect()), bSelectedLook);
        const int nImage = m_pList->GetItemImage(nItem);
        if (nImage > 0)
            m_pList->DrawListImage(pPainter, LVSIL_SMALL, nImage,
                                   m_pList->GetItemRect(nItem, LVIR_ICON).value_or(QRect()),
                                   bSelectedLook);
        textRect = m_pList->GetItemRect(nItem, LVIR_LABEL).value_or(QRect()).adjusted(2, 0, -2, 0);
    }

    int nFormat = LVCFMT_LEFT;
    m_pList->GetColumn(nColumn, &nFormat, nullptr);
    const QString strText = cell.fontMetrics.elidedText(m_pList->GetItemText(nItem, nColumn),
                                                        Qt::ElideRight, textRect.width());
    pPainter->save();
    pPainter->setPen(cell.palette.color(bSelected ? QPalette::HighlightedText : QPalette::Text));
    pPainter->drawText(textRect, TextAlignment(nFormat) | Qt::AlignVCenter | Qt::TextSingleLine,
                       strText);
    pPainter->restore();

    if (cell.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(cell);
        focus.backgroundColor =
            cell.palette.color(bSelected ? QPalette::Highlight : QPalette::Base);
        pStyle->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, pPainter, m_pList);
    }
}
