// lmx4410: the companion program of the LMX-4410 line tester.

#include "korvoapp.h"
#include "startarguments.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(LMX_VERSION));
    CKorvoApp app;
    if (!app.InitInstance(QApplication::arguments())) {
        // The settings are written back after a failed start too.
        app.ExitInstance();
        return -1;
    }
    if (app.IsVersionStart()) {
        // Scripts and the installation check read which pack a start finds.
        std::fputs(qPrintable(StartVersion(QApplication::applicationVersion(),
                                           app.m_hLangPack.FilePath())),
                   stdout);
        return app.ExitInstance();
    }
    const int nResult = QApplication::exec();
    const int nExit = app.ExitInstance();
    return nResult != 0 ? nResult : nExit;
}
