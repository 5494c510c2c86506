#include "app/startarguments.h"

#include "app/guidownloadhost.h"

namespace {

// "--name VALUE" or "--name=VALUE": the value, advancing i past it; a null
// string when the argument is not that option, an empty one when its value
// is missing.
QString OptionValue(const QStringList& astrArguments, qsizetype& i, QLatin1String name)
{
    const QString& strArgument = astrArguments[i];
    if (strArgument == name)
        return i + 1 < astrArguments.size() ? astrArguments[++i] : QStringLiteral("");
    if (strArgument.startsWith(name + QLatin1Char('=')))
        return strArgument.mid(name.size() + 1);
    return {};
}

} // namespace

StartArguments ParseStartArguments(const QStringList& astrArguments)
{
    StartArguments parsed;
    for (qsizetype i = 1; i < astrArguments.size(); ++i) {
        const QString& strArgument = astrArguments[i];
        if (strArgument == QLatin1String("--demo")) {
            // The demo tester is a port of its own; the last port given counts.
            parsed.m_strPort = QString::fromLatin1(CGuiDownloadHost::kDemoTester);
        } else if (strArgument == QLatin1String("--download")) {
            parsed.m_bDownload = true;
        } else if (strArgument == QLatin1String("--help") || strArgument == QLatin1String("-h")) {
            parsed.m_bHelp = true;
        } else if (strArgument == QLatin1String("--version")) {
            parsed.m_bVersion = true;
        } else if (const QString strPort = OptionValue(astrArguments, i, QLatin1String("--port"));
                   !strPort.isNull()) {
            if (strPort.isEmpty()) {
                parsed.m_strError = QStringLiteral("--port needs a port: a number or a device");
                return parsed;
            }
            parsed.m_strPort = strPort;
        } else if (const QString strLanguage =
                       OptionValue(astrArguments, i, QLatin1String("--lang"));
                   !strLanguage.isNull()) {
            if (strLanguage.isEmpty()) {
                parsed.m_strError = QStringLiteral("--lang needs a language, such as de");
                return parsed;
            }
            parsed.m_strLanguage = strLanguage;
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
    return QStringLiteral(
        "usage: lmx4410 [--demo | --port PORT] [--download] [--lang LANG] [FILE.lmx...]\n"
        "       lmx4410 --help | --version\n"
        "  --demo       download from the built-in demo tester, for this run only\n"
        "  --port PORT  download from PORT for this run only, without changing the\n"
        "               settings: a port number (COM n) or a device such as /dev/ttyUSB0\n"
        "  --download   start a download as soon as the window shows\n"
        "  --lang LANG  take menus and messages from LangPack-LANG.rcc (default: the\n"
        "               user's language, where there is a pack for it)\n"
        "  --help       print this text and end\n"
        "  --version    print the version and the resource pack found, and end\n"
        "  FILE.lmx     open these test documents\n");
}

QString StartVersion(const QString& strVersion, const QString& strPackPath)
{
    return QStringLiteral("lmx4410 %1\nresource pack: %2\n").arg(strVersion, strPackPath);
}
