#pragma once

#include <QComboBox>

// A drop-down list whose text can also be typed.
class CGuiComboBoxExt : public QComboBox
{
    Q_OBJECT

public:
    explicit CGuiComboBoxExt(QWidget* pParent = nullptr);

    int AddString(const QString& strText);
    void SetWindowText(const QString& strText);
    QString GetWindowText() const { return currentText(); }
    // The index of the item chosen from the list; -1 when the text shown was
    // set or typed and is none of the items.
    int GetCurSel() const;
};
