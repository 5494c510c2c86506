#pragma once

#include <QGroupBox>

// A group box framing a few controls of a dialog.
class CGuiGroupBox : public QGroupBox
{
public:
    explicit CGuiGroupBox(QWidget* pParent = nullptr) : QGroupBox(pParent) {}

    // 0: the caption above a frame; any other value: the caption alone, flat.
    void SetStyle(int nStyle) { setFlat(nStyle != 0); }
};
