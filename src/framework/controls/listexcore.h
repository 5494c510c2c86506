#pragma once

#include "framework/imagelist.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

class CListCtrl;
class QPainter;
class QStyleOptionViewItem;

// What the owner-drawn lists share: rows painted by the list itself with
// full-row selection and a focus frame, a sort arrow in the heading of the
// sort column (moved or flipped by a heading click; items are never
// reordered here), a tinted sort column, small icons and check boxes, texts
// shortened with "..." to fit, and pinned icons: when column 0 is dragged away
// from the left edge, the state image, icon and label area stay in the
// leftmost column. The classes that own a list forward its events here.
class CListExCore
{
public:
    explicit CListExCore(CListCtrl* pList);
    virtual ~CListExCore();
    CListExCore(const CListExCore&) = delete;
    CListExCore& operator=(const CListExCore&) = delete;

    // nSortColumn: 0 for none, +n for column n-1 ascending, -n descending.
    void SetSortMark(bool bShown, int nSortColumn);
    int GetSortColumn() const { return m_nSortColumn; }
    bool IsSortMarkShown() const { return m_bSortMarkShown; }
    void TintSortColumn(bool bOn);
    // The sort column's background while it is tinted.
    QColor GetTintColour() const { return m_tintColour; }
    // Refused (false, pinning stays off) unless the list draws its own rows.
    bool PinIconsLeft(bool bOn);
    // Returns the image list of that kind it replaces.
    CImageList* SetImageList(CImageList* pImageList, int nImageListKind);
    // The list's hit test; on an item of a list that draws its own rows, the
    // part hit as this core lays the row out.
    int HitTest(QPoint point, unsigned* pFlags = nullptr) const;

    // nKind: 0 the cell's bounds, 1 the item's icon, 2 the item's label, as
    // painted (pinned icons included). Nothing when the list cannot say.
    std::optional<QRect> GetCellRect(int nItem, int nColumn, int nKind) const;
    std::optional<QRect> GetStateIconRect(int nItem) const;
    void UpdateHeaderMarks();

    // Events of the list, forwarded by its owner. The bool ones return true
    // when the event was handled here and the list must not see it.
    void OnColumnClick(int nColumn);
    void DrawItem(QPainter* pPainter, int nItem) const;
    // The item whose check box is at point, or -1: only lists that draw
    // their own rows and have check boxes.
    int CheckBoxAt(QPoint point) const;
    bool OnCheckBoxClick(QPoint point);
    bool OnKeyDown(int nKey, Qt::KeyboardModifiers modifiers);
    void OnKeyUp(int nKey);
    bool OnDividerDoubleClick(int nColumn);
    void OnCustomDraw(int nItem, int nSubItem, QStyleOptionViewItem* pOption) const;
    // Paints the tinted strip of the sort column under the rows and in the
    // empty area below them.
    void OnEraseBkgnd(QPainter* pPainter, const QRect& dirty) const;
    void OnSetFocus();
    void OnKillFocus();
    // The palette changed: arrows and tint follow it.
    void OnSysColorChange();

protected:
    // The parts of a row; a derived class may change the look of one.
    virtual void DrawSmallIcon(QPainter* pPainter, int nItem, const QRect& rect) const;
    virtual void DrawStateIcon(QPainter* pPainter, int nItem, const QRect& rect) const;
    virtual void DrawSubItemText(QPainter* pPainter, const QString& strText, int nFormat,
                                 const QRect& rect) const;

private:
    void CreateSortMarkImages();
    QColor ListBackground() const;
    bool IsOwnerDrawn() const;
    // The item is selected and the list has the keyboard focus.
    bool HasSelectedLook(int nItem) const;
    // Pinned icons are on and column 0 is not shown first.
    bool IconsPinnedAway() const;
    int GetTextWidth(const QString& strText, int nWidth) const;
    // The width that fits a column's texts when it holds the label area
    // (shown first) or is column 0 shown elsewhere.
    int PinnedColumnWidth(int nColumn) const;
    void FitColumnsToTexts();
    void RepaintRows() const;

    CListCtrl* m_pList;
    bool m_bSortMarkShown = false;
    bool m_bTintOn = false;
    CImageList m_markImages;
    int m_nAscendingImage = -1;
    int m_nDescendingImage = -1;
    QColor m_tintColour;
    int m_nSortColumn = 1;
    bool m_bPinIcons = false;
    bool m_bCtrlHeld = false;
};
