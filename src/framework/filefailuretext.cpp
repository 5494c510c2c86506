#include "framework/filefailuretext.h"

#include "framework/langpack.h"
#include "framework/resourceids.h"

#include <QDir>

namespace {

int ProblemStringId(FileProblem problem)
{
    switch (problem) {
    case FileProblem::NotFound: return IDS_FILE_WHY_NOT_FOUND;
    case FileProblem::NoPermission: return IDS_FILE_WHY_NO_PERMISSION;
    case FileProblem::NoSpace: return IDS_FILE_WHY_NO_SPACE;
    case FileProblem::TooLarge: return IDS_FILE_WHY_TOO_LARGE;
    case FileProblem::ReadOnly: return IDS_FILE_WHY_READ_ONLY;
    case FileProblem::IsAFolder: return IDS_FILE_WHY_FOLDER;
    case FileProblem::NotAFile: return IDS_FILE_WHY_NOT_A_FILE;
    case FileProblem::LargerThanAnyDocument: return IDS_FILE_WHY_TOO_BIG_FOR_A_DOCUMENT;
    case FileProblem::ChangedWhileRead: return IDS_FILE_WHY_CHANGED;
    case FileProblem::None:
    case FileProblem::Other: break;
    }
    return 0;
}

int StatusStringId(DocumentStatus status)
{
    switch (status) {
    case DocumentStatus::CannotRead: return IDS_FILE_CANNOT_READ;
    case DocumentStatus::Truncated: return IDS_FILE_TRUNCATED;
    case DocumentStatus::CannotWrite: return IDS_FILE_CANNOT_WRITE;
    case DocumentStatus::UnknownVersion:
    case DocumentStatus::Ok: break;
    }
    return 0;
}

} // namespace

QString FileProblemText(const FileError& error)
{
    if (const int nId = ProblemStringId(error.m_problem))
        return LoadResString(nId);
    if (error.m_strSystemText.empty())
        return {};
    return LoadResString(IDS_FILE_WHY_SYSTEM).arg(QString::fromStdString(error.m_strSystemText));
}

QString FileFailureText(DocumentStatus status, const QString& strPath, const FileError& error)
{
    const QString strFile = QDir::toNativeSeparators(strPath);
    // A file that is read in full but is no document of ours gets the
    // program's own message about such files.
    QString strText = status == DocumentStatus::UnknownVersion
                          ? strFile + QStringLiteral("\n\n") + LoadResString(IDS_NOT_A_DOCUMENT)
                          : LoadResString(StatusStringId(status)).arg(strFile);
    if (const QString strWhy = FileProblemText(error); !strWhy.isEmpty())
        strText += QStringLiteral("\n\n") + strWhy;
    return strText;
}
