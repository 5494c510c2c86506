#include "app/sessionlogfolder.h"

#include "framework/filefailuretext.h"
#include "framework/langpack.h"
#include "framework/resourceids.h"
#include "link/sessionlog.h"
#include "records/datedname.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <chrono>

namespace {

// More downloads than this within one second are not a technician's.
constexpr int kMaxSameSecondLogs = 99;

} // namespace

QString DefaultSessionLogFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("session-logs"));
}

bool StartSessionLogIn(CSessionLog& log, const QString& strFolder, const QString& strPort,
                       QString& strError)
{
    log.Close();
    if (!QDir().mkpath(strFolder)) {
        strError = LoadResString(IDS_SAVE_ALL_NO_FOLDER).arg(QDir::toNativeSeparators(strFolder));
        return false;
    }
    const QString strName =
        QString::fromStdString(SessionLogFileName(std::chrono::system_clock::now()));
    const QString strStem = strName.chopped(4); // without ".log"
    FileError error;
    QString strPath;
    for (int nCopy = 1; nCopy <= kMaxSameSecondLogs; ++nCopy) {
        const QString strFile =
            nCopy == 1 ? strName : QStringLiteral("%1-%2.log").arg(strStem).arg(nCopy);
        strPath = QDir(strFolder).filePath(strFile);
        if (QFile::exists(strPath))
            continue;
        if (log.Open(QFile::encodeName(strPath).toStdString(), strPort.toStdString(), error))
            return true;
        break;
    }
    strError = FileFailureText(DocumentStatus::CannotWrite, strPath, error);
    return false;
}
