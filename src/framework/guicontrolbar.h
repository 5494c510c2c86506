#pragma once

#include "framework/cmdtarget.h"

#include <QDockWidget>

// A dockable, sizeable bar with a caption that hosts one child. Derived bars
// build their children in OnCreate and handle the commands their mini tool
// bars send in OnCmdMsg.
class CGuiControlBar : public QDockWidget, public CCmdTarget
{
    Q_OBJECT

public:
    explicit CGuiControlBar(QWidget* pParent = nullptr);

    // Creates the bar as a child of the frame; its id names it in the saved
    // bar layout. False when OnCreate fails.
    bool Create(const QString& strTitle, QWidget* pParentFrame, int nId);

protected:
    // Builds the bar's children: 0 on success, -1 on failure.
    virtual int OnCreate() { return 0; }
};
