#include "framework/guibutton.h"

namespace {

constexpr int kFlatBorder = 3;

} // namespace

CGuiButton::CGuiButton(QWidget* pParent) : QPushButton(pParent) {}

void CGuiButton::SetCaption(const QString& strCaption)
{
    setText(strCaption);
}

void CGuiButton::SetStyleBorder(int nStyle)
{
    m_nStyleBorder = nStyle;
    // A flat button still needs a frame the user can find with the keyboard:
    // the focus frame of the style is kept, and the button is the default one.
    setFlat(false);
    setAutoDefault(nStyle == kFlatBorder);
}
