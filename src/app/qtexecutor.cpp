#include "app/qtexecutor.h"

#include <QMetaObject>

void CQtExecutor::Post(Task task)
{
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

void CQtExecutor::StartTimer(int nTimerId, std::chrono::milliseconds period, Task handler)
{
    const auto [it, bNew] = m_timers.try_emplace(nTimerId);
    Timer& entry = it->second;
    entry.handler = std::move(handler);
    if (bNew) {
        entry.timer.setTimerType(Qt::PreciseTimer);
        // A copy: the handler may restart its own timer with another handler.
        connect(&entry.timer, &QTimer::timeout, this, [&entry] {
            const Task handler = entry.handler;
            handler();
        });
    }
    entry.timer.start(period);
}

void CQtExecutor::StopTimer(int nTimerId)
{
    if (const auto it = m_timers.find(nTimerId); it != m_timers.end())
        it->second.timer.stop();
}
