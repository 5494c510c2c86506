#include "framework/guicontrolbar.h"

CGuiControlBar::CGuiControlBar(QWidget* pParent) : QDockWidget(pParent) {}

bool CGuiControlBar::Create(const QString& strTitle, QWidget* pParentFrame, int nId)
{
    setParent(pParentFrame);
    setWindowTitle(strTitle);
    setObjectName(QStringLiteral("Bar%1").arg(nId));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    return OnCreate() != -1;
}
