#include "framework/guitoolbarwnd.h"

#include <QMenu>
#include <QToolButton>

#include <utility>

CGuiToolBarWnd::CGuiToolBarWnd(MenuBuilder buildMenu, QWidget* pParent)
    : QToolBar(pParent), m_buildMenu(std::move(buildMenu))
{
}

bool CGuiToolBarWnd::SetButtonDropDown(int nCommand, int, int nMenuId)
{
    for (QAction* pAction : actions()) {
        if (pAction->data().toInt() != nCommand)
            continue;
        auto* pButton = qobject_cast<QToolButton*>(widgetForAction(pAction));
        QMenu* pMenu = pButton ? m_buildMenu(nMenuId, pButton) : nullptr;
        if (!pMenu)
            return false;
        pButton->setMenu(pMenu);
        pButton->setPopupMode(QToolButton::InstantPopup);
        return true;
    }
    return false;
}
