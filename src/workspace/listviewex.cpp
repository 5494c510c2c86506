#include "listviewex.h"

#include <QVBoxLayout>

CListViewEx::CListViewEx(unsigned nStyle, QWidget* pParent)
    : QWidget(pParent), m_pList(new CListCtrlEx(nStyle, this))
{
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(m_pList);
    setFocusProxy(m_pList);
}
