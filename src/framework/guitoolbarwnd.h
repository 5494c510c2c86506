#pragma once

#include <QToolBar>

#include <functional>

class QMenu;

// The frame's tool bar.
class CGuiToolBarWnd : public QToolBar
{
    Q_OBJECT

public:
    // Builds menu nMenuId of the resource pack from the frame's actions; null
    // when the pack has no such menu.
    using MenuBuilder = std::function<QMenu*(int nMenuId, QWidget* pParent)>;

    CGuiToolBarWnd(MenuBuilder buildMenu, QWidget* pParent = nullptr);

    // Button nCommand opens menu nMenuId when pressed. The button keeps the
    // command's own picture; nImage, the index the picture had in the tool
    // bar's strip, is not needed here.
    bool SetButtonDropDown(int nCommand, int nImage, int nMenuId);

private:
    MenuBuilder m_buildMenu;
};
