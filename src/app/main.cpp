// lmx4410: the companion program of the LMX-4410 line tester.

#include "korvoapp.h"

#include <QApplication>

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
    const int nResult = QApplication::exec();
    const int nExit = app.ExitInstance();
    return nResult != 0 ? nResult : nExit;
}
