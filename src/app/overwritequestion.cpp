#include "app/overwritequestion.h"

#include "framework/langpack.h"
#include "framework/messagebox.h"
#include "framework/resourceids.h"

#include <QFile>

OverwriteChoice COverwriteQuestion::operator()(const std::string& strPath)
{
    if (m_bReplaceAll)
        return OverwriteChoice::Overwrite;
    const QString strText = LoadResString(IDS_SAVE_ALL_OVERWRITE)
                                .arg(QFile::decodeName(QByteArray::fromStdString(strPath)));
    switch (AfxMessageBox(
        strText, QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::Cancel,
        QMessageBox::Question, m_pParent)) {
    case QMessageBox::YesToAll: m_bReplaceAll = true; return OverwriteChoice::Overwrite;
    case QMessageBox::Yes: return OverwriteChoice::Overwrite;
    case QMessageBox::No: return OverwriteChoice::Keep;
    default: return OverwriteChoice::StopSaving;
    }
}
