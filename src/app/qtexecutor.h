#pragma once

#include "link/executor.h"

#include <QObject>
#include <QTimer>

#include <map>

// Runs a download on the UI thread: posted tasks are queued to it, and the
// timers are precise, since the waits the tester sees are minimums and a
// coarse timer may fire up to 5 % early.
class CQtExecutor final : public QObject, public IExecutor
{
    Q_OBJECT

public:
    Clock::time_point Now() const override { return Clock::now(); }
    void Post(Task task) override;
    void StartTimer(int nTimerId, std::chrono::milliseconds period, Task handler) override;
    void StopTimer(int nTimerId) override;

private:
    struct Timer
    {
        QTimer timer;
        Task handler;
    };
    // Made when first started, by id.
    std::map<int, Timer> m_timers;
};
