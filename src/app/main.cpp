// lmx4410: the companion program of the LMX-4410 line tester.

#include "app/fontwarmup.h"
#include "app/korvoapp.h"
#include "app/startarguments.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

namespace {

QStringList ProgramArguments(int argc, char** argv)
{
    QStringList astrArguments;
    for (int i = 0; i < argc; ++i)
        astrArguments << QString::fromLocal8Bit(argv[i]);
    return astrArguments;
}

// Scripts and the installation check read which pack a start finds. No
// window system is needed for that.
int PrintVersion(int argc, char** argv, const StartArguments& arguments)
{
    QCoreApplication application(argc, argv);
    CKorvoApp app;
    if (!app.LoadLangPack(arguments.m_strLanguage)) {
        std::fputs("lmx4410: LangPack.Dll Load Error\n", stderr);
        return 1;
    }
    std::fputs(qPrintable(StartVersion(QStringLiteral(LMX_VERSION), app.m_hLangPack.FilePath())),
               stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // --help and --version are answered before the window system is asked
    // for, so they work without a display.
    const StartArguments early = ParseStartArguments(ProgramArguments(argc, argv));
    if (early.m_bHelp) {
        std::fputs(qPrintable(StartUsage()), stdout);
        return 0;
    }
    // Qt's own options take one dash (-style, -platform): they cannot make
    // a mistake here.
    if (!early.m_strError.isEmpty()) {
        std::fprintf(stderr, "lmx4410: %s\n%s", qPrintable(early.m_strError),
                     qPrintable(StartUsage()));
        return 2;
    }
    if (early.m_bVersion)
        return PrintVersion(argc, argv, early);

    CFontWarmUp fonts;
    // The files are read once Qt has taken its options and their values.
    QApplication application(argc, argv);
    fonts.Wait();
    QApplication::setApplicationVersion(QStringLiteral(LMX_VERSION));
    const StartArguments arguments = ParseStartArguments(QApplication::arguments());
    CKorvoApp app;
    if (!app.InitInstance(arguments)) {
        // The settings are written back after a failed start too.
        app.ExitInstance();
        return -1;
    }
    const int nResult = QApplication::exec();
    const int nExit = app.ExitInstance();
    return nResult != 0 ? nResult : nExit;
}
