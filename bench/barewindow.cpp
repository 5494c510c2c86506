// The start-up benchmark's baseline: a bare Qt main window of the program's
// size, and nothing else.

#include "framework/firstpaintprobe.h"

#include <QApplication>
#include <QMainWindow>
#include <QScreen>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("LMX-4410"));
    if (const QScreen* pScreen = window.screen()) {
        const QRect available = pScreen->availableGeometry();
        window.resize(available.width() * 4 / 5, available.height() * 4 / 5);
    }
    WatchFirstPaint(window);
    window.show();
    return QApplication::exec();
}
