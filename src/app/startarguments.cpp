#include "startarguments.h"

StartArguments ParseStartArguments(const QStringList& astrArguments)
{
    StartArguments parsed;
    // The first argument is the program itself.
    for (qsizetype i = 1; i < astrArguments.size(); ++i) {
        const QString& strArgument = astrArguments[i];
        if (strArgument == QLatin1String("--demo")) {
            parsed.m_bDemo = true;
        } else if (strArgument == QLatin1String("--version")) {
            parsed.m_bVersion = true;
        } else if (strArgument == QLatin1String("--lang") && i + 1 < astrArguments.size()) {
            parsed.m_strLanguage = astrArguments[++i];
        } else if (strArgument.startsWith(QLatin1String("--lang="))) {
            parsed.m_strLanguage = strArgument.mid(7);
        } else if (strArgument == QLatin1String("--")) {
            parsed.m_astrFiles << astrArguments.mid(i + 1);
            break;
        } else if (strArgument.startsWith(QLatin1String("--"))) {
            parsed.m_strError = QStringLiteral("unknown option '%1'").arg(strArgument);
            return parsed;
        } else {
            parsed.m_astrFiles << strArgument;
        }
    }
    return parsed;
}

QString StartUsage()
{
    return QStringLiteral("usage: lmx4410 [--demo] [--lang LANG] [--version] [FILE.lmx]\n"
                          "  --demo       download from the built-in demo tester\n"
                          "  --lang LANG  take menus and messages from LangPack-LANG.rcc\n"
                          "  --version    print the version and the resource pack found\n");
}

QString StartVersion(const QString& strVersion, const QString& strPackPath)
{
    return QStringLiteral("lmx4410 %1\nresource pack: %2\n").arg(strVersion, strPackPath);
}
