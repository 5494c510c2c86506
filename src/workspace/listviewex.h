#pragma once

#include "listctrlex.h"

#include <QWidget>

// The owner-drawn list as a view: a window that can sit in a child frame and
// is filled by its list, which shares the core of CListCtrlEx.
class CListViewEx : public QWidget
{
    Q_OBJECT

public:
    explicit CListViewEx(unsigned nStyle = LVS_REPORT, QWidget* pParent = nullptr);

    CListCtrlEx& GetListCtrl() { return *m_pList; }
    const CListCtrlEx& GetListCtrl() const { return *m_pList; }

private:
    CListCtrlEx* m_pList;
};
