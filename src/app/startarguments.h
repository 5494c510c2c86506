#pragma once

#include <QString>
#include <QStringList>

// What the program was started with: lmx4410 [--demo] [--lang LANG] [FILE]
struct StartArguments
{
    QStringList m_astrFiles; // documents to open
    bool m_bDemo = false;    // download from the built-in demo tester this time
    QString m_strLanguage;   // the resource pack's language; empty for the default pack
    QString m_strError;      // why the arguments make no sense; empty when they do
};

StartArguments ParseStartArguments(const QStringList& astrArguments);

// The one-paragraph usage text.
QString StartUsage();
