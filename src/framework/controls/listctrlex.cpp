#include "framework/controls/listctrlex.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

CListCtrlEx::CListCtrlEx(unsigned nStyle, QWidget* pParent)
    : CListCtrl(nStyle, pParent), CListExCore(this)
{
}

void CListCtrlEx::DrawItem(QPainter* pPainter, int nItem) const
{
    CListExCore::DrawItem(pPainter, nItem);
}

void CListCtrlEx::ReflectColumnClick(int nColumn)
{
    OnColumnClick(nColumn);
}

bool CListCtrlEx::ReflectDividerDoubleClick(int nColumn)
{
    return OnDividerDoubleClick(nColumn);
}

void CListCtrlEx::ReflectCustomDraw(int nItem, int nSubItem, QStyleOptionViewItem* pOption) const
{
    OnCustomDraw(nItem, nSubItem, pOption);
}

void CListCtrlEx::paintEvent(QPaintEvent* pEvent)
{
    {
        QPainter painter(viewport());
        OnEraseBkgnd(&painter, pEvent->rect());
    }
    CListCtrl::paintEvent(pEvent);
}

void CListCtrlEx::changeEvent(QEvent* pEvent)
{
    CListCtrl::changeEvent(pEvent);
    if (pEvent->type() == QEvent::PaletteChange)
        OnSysColorChange();
}

void CListCtrlEx::focusInEvent(QFocusEvent* pEvent)
{
    CListCtrl::focusInEvent(pEvent);
    OnSetFocus();
}

void CListCtrlEx::focusOutEvent(QFocusEvent* pEvent)
{
    CListCtrl::focusOutEvent(pEvent);
    OnKillFocus();
}

void CListCtrlEx::mousePressEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton && OnCheckBoxClick(pEvent->position().toPoint()))
        return;
    CListCtrl::mousePressEvent(pEvent);
}

void CListCtrlEx::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    // The second press of a double click comes before it and has toggled the
    // check box already; the double click itself is no click on the item.
    if (pEvent->button() == Qt::LeftButton && CheckBoxAt(pEvent->position().toPoint()) >= 0)
        return;
    CListCtrl::mouseDoubleClickEvent(pEvent);
}

void CListCtrlEx::keyPressEvent(QKeyEvent* pEvent)
{
    if (OnKeyDown(pEvent->key(), pEvent->modifiers()))
        return;
    CListCtrl::keyPressEvent(pEvent);
}

void CListCtrlEx::keyReleaseEvent(QKeyEvent* pEvent)
{
    OnKeyUp(pEvent->key());
    CListCtrl::keyReleaseEvent(pEvent);
}
