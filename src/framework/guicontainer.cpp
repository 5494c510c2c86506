#include "framework/guicontainer.h"

#include "framework/guiminitool.h"

#include <QVBoxLayout>

CGuiContainer::CGuiContainer(QWidget* pParent) : QWidget(pParent), m_pLayout(new QVBoxLayout(this))
{
    m_pLayout->setContentsMargins(0, 0, 0, 0);
    m_pLayout->setSpacing(0);
}

void CGuiContainer::AddComponen(CGuiMiniTool* pMiniTool)
{
    pMiniTool->setParent(this);
    m_pLayout->insertWidget(m_nToolCount++, pMiniTool);
}

void CGuiContainer::AddComponen(QWidget* pWidget)
{
    pWidget->setParent(this);
    m_pLayout->addWidget(pWidget, 1);
}
