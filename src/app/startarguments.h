#pragma once

#include <QString>
#include <QStringList>

// What the program was started with:
// lmx4410 [--demo | --port PORT] [--download] [--lang LANG] [--help] [--version] [FILE...]
struct StartArguments
{
    QStringList m_astrFiles; // documents to open
    // The port downloads use for this run only, never stored: a number, a
    // device path, or the built-in demo tester (--demo); empty for the
    // settings' port.
    QString m_strPort;
    bool m_bDownload = false; // start a download as soon as the window shows
    bool m_bHelp = false;     // print the usage and end
    bool m_bVersion = false;  // say the version and the resource pack found, then end
    QString m_strLanguage;    // the resource pack's language; empty for the default pack
    QString m_strError;       // why the arguments make no sense; empty when they do
};

// astrArguments[0] is the program itself.
StartArguments ParseStartArguments(const QStringList& astrArguments);

// The usage text, every option with a line of its own.
QString StartUsage();

// What --version prints: "lmx4410 <version>" and the resource pack loaded.
QString StartVersion(const QString& strVersion, const QString& strPackPath);
