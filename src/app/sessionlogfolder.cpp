#include "sessionlogfolder.h"

#include "sessionlog.h"

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
        strError = QDir::toNativeSeparators(strFolder);
        return false;
    }
    const QString strName =
        QString::fromStdString(SessionLogFileName(std::chrono::system_clock::now()));
    const QString strStem = strName.chopped(4); // without ".log"
    std::string strWhy;
    for (int nCopy = 1; nCopy <= kMaxSameSecondLogs; ++nCopy) {
        const QString strFile =
            nCopy == 1 ? strName : QStringLiteral("%1-%2.log").arg(strStem).arg(nCopy);
        const QString strPath = QDir(strFolder).filePath(strFile);
        if (QFile::exists(strPath))
            continue;
        if (log.Open(QFile::encodeName(strPath).toStdString(), strPort.toStdString(), strWhy))
            return true;
        break;
    }
    strError =
        strWhy.empty() ? QDir::toNativeSeparators(strFolder) : QString::fromStdString(strWhy);
    return false;
}
