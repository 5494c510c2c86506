#pragma once

#include "framework/controls/listctrlstyles.h"
#include "framework/imagelist.h"

#include <QList>
#include <QRect>
#include <QTreeView>

#include <optional>

class CListHeader;
class QStandardItem;
class QStandardItemModel;

// The report-style list control: one row per item, one cell per column, a
// small icon and a state image (a check box with LVS_EX_CHECKBOXES) per item,
// headings that can be clicked and, with LVS_EX_HEADERDRAGDROP, dragged into
// another order. Column 0 holds the item's state image, icon and label
// wherever it is shown; the other columns hold the item's subitem texts.
// Rows are never reordered by the list itself.
//
// A list with LVS_OWNERDRAWFIXED paints each row in DrawItem; any other list
// paints its rows itself and lets a derived class colour cells in
// ReflectCustomDraw. Rectangles are in viewport coordinates.
class CListCtrl : public QTreeView
{
    Q_OBJECT

public:
    explicit CListCtrl(unsigned nStyle = LVS_REPORT, QWidget* pParent = nullptr);
    ~CListCtrl() override;

    unsigned GetStyle() const { return m_nStyle; }
    unsigned GetExtendedStyle() const { return m_nExStyle; }
    // Returns the extended style it replaces.
    unsigned SetExtendedStyle(unsigned nExStyle);

    CListHeader* GetHeaderCtrl() const;
    // Not owned. Returns the image list of that kind it replaces.
    CImageList* SetImageList(CImageList* pImageList, int nImageListKind);
    // The state images are the list's own check boxes when it has
    // LVS_EX_CHECKBOXES and was given none.
    const CImageList* GetImageList(int nImageListKind) const;

    // nColumn past the last column appends. nSubItem is taken for the callers'
    // sake: a column always shows the subitem texts of its own index. Returns
    // the new column's index, -1 on failure.
    int InsertColumn(int nColumn, const QString& strHeading, int nFormat, int nWidth,
                     int nSubItem = -1);
    int GetColumnCount() const;
    // False when there is no such column.
    bool GetColumn(int nColumn, int* pFormat, int* pWidth) const;
    // LVSCW_AUTOSIZE: as wide as the column's widest text.
    bool SetColumnWidth(int nColumn, int nWidth);
    // The display position of a column, and the column at a display
    // position; -1 when there is none.
    int ColumnOrder(int nColumn) const;
    int OrderToIndex(int nPosition) const;
    int GetStringWidth(const QString& strText) const;

    // nItem past the last item appends; the image 0 means no icon. Returns
    // the new item's index, -1 on failure.
    int InsertItem(int nItem, const QString& strText, int nImage = 0);
    bool DeleteAllItems();
    int GetItemCount() const;
    bool SetItemText(int nItem, int nSubItem, const QString& strText);
    // Empty when there is no such item or subitem.
    QString GetItemText(int nItem, int nSubItem) const;
    // -1 when there is no such item.
    int GetItemImage(int nItem) const;
    // LVIS_SELECTED, LVIS_FOCUSED (the item the keyboard is on) and the state
    // image number (LVIS_STATEIMAGEMASK).
    unsigned GetItemState(int nItem, unsigned nMask) const;
    bool SetItemState(int nItem, unsigned nState, unsigned nMask);
    bool GetCheck(int nItem) const;
    bool SetCheck(int nItem, bool bCheck);
    // -1 when no item is selected.
    int GetFirstSelectedItem() const;

    // LVIR_BOUNDS: the whole row; LVIR_ICON, LVIR_LABEL: those parts of
    // column 0. Nothing when there is no such item or no column.
    std::optional<QRect> GetItemRect(int nItem, int nCode) const;
    // For subitem 0 the bounds are column 0's cell; a subitem's every part is
    // its cell.
    std::optional<QRect> GetSubItemRect(int nItem, int nSubItem, int nCode) const;
    // The item under point, or -1; pFlags gets LVHT_NOWHERE off the items,
    // LVHT_ONITEM on an item of a list that draws its own rows, and the part
    // of column 0 hit (LVHT_ONITEMSTATEICON, ...) on the others.
    int HitTest(QPoint point, unsigned* pFlags = nullptr) const;
    // The part of an item hit, first match wins: label, icon, state image,
    // else anywhere on the item.
    static unsigned ItemPartAt(QPoint point, const QRect& label, const QRect& icon,
                               const QRect& stateIcon);

    // Draws image nImage of an image list at rect's left edge, vertically
    // centred, showing no more of it than rect's width and height plus one
    // pixel; with bSelectedLook blended with the highlight colour.
    void DrawListImage(QPainter* pPainter, int nImageListKind, int nImage, const QRect& rect,
                       bool bSelectedLook) const;

signals:
    // A double click with the left button, on an item or (-1) off the items.
    void itemDoubleClicked(int nItem);
    // A click on a heading; the list has already reacted to it.
    void columnClicked(int nColumn);
    void checkToggled(int nItem, bool bChecked);

protected:
    // Paints one row of a list with LVS_OWNERDRAWFIXED.
    virtual void DrawItem(QPainter* pPainter, int nItem) const;
    // What the list does with its own notifications before its owner hears of
    // them. A divider double click the list handles itself returns true;
    // otherwise the column gets as wide as its widest text.
    virtual void ReflectColumnClick(int nColumn);
    virtual bool ReflectDividerDoubleClick(int nColumn);
    // Lets a list that does not draw its own rows set a cell's background.
    virtual void ReflectCustomDraw(int nItem, int nSubItem, QStyleOptionViewItem* pOption) const;

    void drawRow(QPainter* pPainter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;

private:
    friend class CListItemDelegate;

    int ItemHeight() const;
    int StateImageWidth() const;
    int SmallImageWidth() const;
    // Offsets from column 0's left edge.
    int IconOffset() const;
    int LabelOffset() const;
    std::optional<QRect> StateImageRect(int nItem) const;
    int WidestTextWidth(int nColumn) const;
    bool IsItem(int nItem) const { return nItem >= 0 && nItem < GetItemCount(); }
    QStandardItem* ItemCell(int nItem, int nSubItem) const;
    unsigned StateImage(int nItem) const;
    // The item whose check box is at point in a list that paints its own
    // rows, or -1.
    int StandardCheckBoxAt(QPoint point) const;
    void BuildCheckBoxImages();

    unsigned m_nStyle;
    unsigned m_nExStyle = 0;
    QStandardItemModel* m_pModel;
    QList<int> m_anColumnFormats;
    CImageList* m_pSmallImages = nullptr;
    CImageList* m_pStateImages = nullptr;
    CImageList m_checkBoxImages;
};
