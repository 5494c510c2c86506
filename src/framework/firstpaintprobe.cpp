#include "framework/firstpaintprobe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

class CFirstPaintWatcher final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Paint) {
            // Said once the whole window (children included) is painted.
            QTimer::singleShot(0, [] {
                std::fputs("painted\n", stdout);
                std::fflush(stdout);
            });
            pWatched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void WatchFirstPaint(QWidget& window)
{
    if (qEnvironmentVariableIsSet("LMX_FIRST_PAINT_PROBE"))
        window.installEventFilter(new CFirstPaintWatcher(&window));
}
