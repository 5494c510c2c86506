#include "framework/guicomboboxext.h"

#include <QLineEdit>

CGuiComboBoxExt::CGuiComboBoxExt(QWidget* pParent) : QComboBox(pParent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

int CGuiComboBoxExt::AddString(const QString& strText)
{
    addItem(strText);
    return count() - 1;
}

void CGuiComboBoxExt::SetWindowText(const QString& strText)
{
    setCurrentIndex(-1);
    setEditText(strText);
}

int CGuiComboBoxExt::GetCurSel() const
{
    const int nIndex = currentIndex();
    return nIndex >= 0 && itemText(nIndex) == currentText() ? nIndex : -1;
}
