#pragma once

#include <QPushButton>

// A flat push button bound to a dialog's button.
class CGuiButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CGuiButton(QWidget* pParent = nullptr);

    void SetCaption(const QString& strCaption);
    // 3: a flat button that shows its frame only under the mouse or with the
    // keyboard focus, as on a modern dialog; any other value: the usual button.
    void SetStyleBorder(int nStyle);
    int StyleBorder() const { return m_nStyleBorder; }

private:
    int m_nStyleBorder = 0;
};
