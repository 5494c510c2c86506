#pragma once

#include "framework/controls/listctrlstyles.h"

#include <QHeaderView>
#include <QList>

class CImageList;

// The heading row of the list: one item per column with a format (alignment
// and whether it shows a picture, HDF_*) and the index of its picture in the
// header's image list. A picture on the right sits at the item's right edge,
// where the sort arrow belongs.
class CListHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit CListHeader(QWidget* pParent = nullptr);

    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    // False when there is no such item.
    bool GetItem(int nItem, int* pFormat, int* pImage) const;
    bool SetItem(int nItem, int nFormat, int nImage);
    // Follows the columns of the list, which inserts them.
    void InsertItem(int nItem, int nFormat);

    // Not owned. Returns the list it replaces.
    const CImageList* SetImageList(const CImageList* pImageList);
    const CImageList* GetImageList() const { return m_pImageList; }

signals:
    // A double click on the divider at the right edge of column nColumn.
    void dividerDoubleClicked(int nColumn);

protected:
    void paintSection(QPainter* pPainter, const QRect& rect, int nLogicalIndex) const override;
    void initStyleOptionForIndex(QStyleOptionHeader* pOption, int nLogicalIndex) const override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;

private:
    struct Item
    {
        int m_nFormat = HDF_STRING;
        int m_nImage = -1;
    };

    // The picture an item shows, or -1.
    int ShownImage(int nItem) const;
    int DividerAt(int nPosition) const;

    QList<Item> m_items;
    const CImageList* m_pImageList = nullptr;
};
