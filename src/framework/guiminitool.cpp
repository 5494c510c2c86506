#include "framework/guiminitool.h"

#include "framework/langpack.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>

namespace {

const char* const kCommandProperty = "commandId";

} // namespace

CGuiMiniTool::CGuiMiniTool(QWidget* pParent) : QWidget(pParent), m_pLayout(new QHBoxLayout(this))
{
    m_pLayout->setContentsMargins(2, 1, 2, 1);
    m_pLayout->setSpacing(1);
    m_pLayout->addStretch();
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void CGuiMiniTool::AlingButtons(int nAlign)
{
    // One stretch holds the buttons: after them to keep them left, before
    // them to keep them right.
    for (int i = 0; i < m_pLayout->count(); ++i) {
        if (m_pLayout->itemAt(i)->spacerItem()) {
            delete m_pLayout->takeAt(i);
            break;
        }
    }
    m_bAlignLeft = nAlign == kAlignLeft;
    if (m_bAlignLeft)
        m_pLayout->addStretch();
    else
        m_pLayout->insertStretch(0);
}

void CGuiMiniTool::SetImageList(int nBitmapId, int nImageSize, int, QColor)
{
    m_nBitmapId = nBitmapId;
    m_nImageSize = nImageSize;
}

QToolButton* CGuiMiniTool::AddButton(int nImage, int nCommandId, QMenu* pMenu,
                                     const QString& strCaption, const QString& strToolTip)
{
    auto* pButton = new QToolButton(this);
    pButton->setObjectName(QString::number(nCommandId));
    pButton->setProperty(kCommandProperty, nCommandId);
    pButton->setIcon(AfxGetResourceHandle().StripImage(m_nBitmapId, nImage));
    pButton->setIconSize(QSize(m_nImageSize, m_nImageSize));
    pButton->setAutoRaise(true);
    pButton->setToolTip(strToolTip);
    pButton->setAccessibleName(strToolTip);
    if (!strCaption.isEmpty()) {
        pButton->setText(strCaption);
        pButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    if (pMenu) {
        pButton->setMenu(pMenu);
        pButton->setPopupMode(QToolButton::MenuButtonPopup);
    }
    connect(pButton, &QToolButton::clicked, this,
            [this, nCommandId] { emit commandSent(nCommandId); });
    // After the buttons already there: ahead of the stretch that keeps them left.
    m_pLayout->insertWidget(m_bAlignLeft ? m_pLayout->count() - 1 : m_pLayout->count(), pButton);
    m_apButtons << pButton;
    return pButton;
}

void CGuiMiniTool::AutoSize(bool bAutoSize)
{
    setSizePolicy(QSizePolicy::Preferred, bAutoSize ? QSizePolicy::Preferred : QSizePolicy::Fixed);
}

void CGuiMiniTool::SetColor(QColor color)
{
    m_color = color;
    update();
}

QToolButton* CGuiMiniTool::GetButton(int nCommandId) const
{
    for (QToolButton* pButton : m_apButtons) {
        if (pButton->property(kCommandProperty).toInt() == nCommandId)
            return pButton;
    }
    return nullptr;
}

void CGuiMiniTool::EnableButton(int nCommandId, bool bEnable)
{
    if (QToolButton* pButton = GetButton(nCommandId))
        pButton->setEnabled(bEnable);
}

void CGuiMiniTool::paintEvent(QPaintEvent*)
{
    if (!m_color.isValid())
        return;
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
}
