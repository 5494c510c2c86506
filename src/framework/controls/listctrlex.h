#pragma once

#include "framework/controls/listctrl.h"
#include "framework/controls/listexcore.h"

// The list with the owner-drawn look: a list control whose events go to the
// shared core, which draws the rows and keeps the sort mark, the tint and the
// pinned icons.
class CListCtrlEx : public CListCtrl, public CListExCore
{
    Q_OBJECT

public:
    explicit CListCtrlEx(unsigned nStyle = LVS_REPORT, QWidget* pParent = nullptr);

    using CListExCore::HitTest;
    using CListExCore::SetImageList;

protected:
    void DrawItem(QPainter* pPainter, int nItem) const override;
    void ReflectColumnClick(int nColumn) override;
    bool ReflectDividerDoubleClick(int nColumn) override;
    void ReflectCustomDraw(int nItem, int nSubItem, QStyleOptionViewItem* pOption) const override;

    void paintEvent(QPaintEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void keyReleaseEvent(QKeyEvent* pEvent) override;
};
