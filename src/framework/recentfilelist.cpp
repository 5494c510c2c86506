#include "framework/recentfilelist.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

constexpr const char* kSection = "Recent File List";

QString EntryKey(int nIndex)
{
    return QStringLiteral("File%1").arg(nIndex + 1);
}

// A file named by another path (relative, through a link) is the same file.
QString Identity(const QString& strPath)
{
    const QFileInfo info(strPath);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

CRecentFileList::CRecentFileList(int nSize) : m_nSize(nSize) {}

void CRecentFileList::ReadList()
{
    QSettings settings;
    settings.beginGroup(QLatin1String(kSection));
    m_astrFiles.clear();
    for (int i = 0; i < m_nSize; ++i) {
        const QString strPath = settings.value(EntryKey(i)).toString();
        if (!strPath.isEmpty() && !m_astrFiles.contains(strPath))
            m_astrFiles << strPath;
    }
}

void CRecentFileList::Add(const QString& strPath)
{
    const QString strAbsolute = QDir::cleanPath(QFileInfo(strPath).absoluteFilePath());
    const QString strIdentity = Identity(strAbsolute);
    m_astrFiles.removeIf(
        [&](const QString& strEntry) { return Identity(strEntry) == strIdentity; });
    m_astrFiles.prepend(strAbsolute);
    while (m_astrFiles.size() > m_nSize)
        m_astrFiles.removeLast();
    WriteList();
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_astrFiles.size())
        return;
    m_astrFiles.removeAt(nIndex);
    WriteList();
}

void CRecentFileList::WriteList() const
{
    QSettings settings;
    settings.beginGroup(QLatin1String(kSection));
    for (int i = 0; i < m_nSize; ++i) {
        if (i < m_astrFiles.size())
            settings.setValue(EntryKey(i), m_astrFiles[i]);
        else
            settings.remove(EntryKey(i));
    }
}
