#pragma once

#include <QWidget>

class CGuiMiniTool;
class QVBoxLayout;

// The one child of a docking bar: a mini tool bar on top, the bar's control
// below it filling the rest.
class CGuiContainer : public QWidget
{
    Q_OBJECT

public:
    explicit CGuiContainer(QWidget* pParent = nullptr);

    void AddComponen(CGuiMiniTool* pMiniTool);
    void AddComponen(QWidget* pWidget);

private:
    QVBoxLayout* m_pLayout;
    int m_nToolCount = 0;
};
