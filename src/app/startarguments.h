#pragma once

#include <QString>
#include <QStringList>

// What the program was started with: lmx4410 [--demo] [--lang LANG] [--version] [FILE]
struct StartArguments
{
    QStringList m_astrFiles; // documents to open
    bool m_bDemo = false;    // download from the built-in demo tester this time
    bool m_bVersion = false; // say the version and the resource pack found, then end
    QString m_strLanguage;   // the resource pack's language; empty for the default pack
    QString m_strError;      // why the arguments make no sense; empty when they do
};

StartArguments ParseStartArguments(const QStringList& astrArguments);

// The one-paragraph usage text.
QString StartUsage();

// What --version prints: "lmx4410 <version>" and the resource pack loaded.
QString StartVersion(const QString& strVersion, const QString& strPackPath);
