#pragma once

#include <QStyledItemDelegate>

class CListCtrl;

// Paints the cells of a list that does not draw its own rows, in the list's
// own layout: state image, small icon and label in column 0, a text in every
// other cell. The selection shows without the keyboard focus only with
// LVS_SHOWSELALWAYS. Also gives every row the list's row height.
class CListItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit CListItemDelegate(CListCtrl* pList);

    void paint(QPainter* pPainter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    CListCtrl* m_pList;
};
