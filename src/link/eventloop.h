#pragma once

#include "link/executor.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

// A small event loop for running a download without a GUI: tasks posted from
// any thread and timers by id, all run on the thread that runs the loop.
class CEventLoop final : public IExecutor
{
public:
    Clock::time_point Now() const override { return Clock::now(); }
    void Post(Task task) override;
    void StartTimer(int nTimerId, std::chrono::milliseconds period, Task handler) override;
    void StopTimer(int nTimerId) override;
    bool IsTimerRunning(int nTimerId) const { return m_timers.count(nTimerId) != 0; }

    // Dispatches until bDone() holds; sleeps while nothing is due.
    void Run(const std::function<bool()>& bDone);
    // Runs the posted tasks and due timers that are waiting now, without
    // sleeping; handlers may call it again (a message pump).
    void DispatchPending();

private:
    struct Timer
    {
        std::chrono::milliseconds period;
        Clock::time_point next;
        Task handler;
    };

    void FireDueTimers();
    void WaitForWork();

    std::mutex m_mutex; // guards m_tasks
    std::condition_variable m_wake;
    std::vector<Task> m_tasks;
    std::map<int, Timer> m_timers;
};
