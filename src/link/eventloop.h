#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

// A small event loop for running a download without a GUI: tasks posted from
// any thread and timers by id, all run on the thread that runs the loop.
class CEventLoop
{
public:
    using Clock = std::chrono::steady_clock;
    using Task = std::function<void()>;

    // Any thread.
    void Post(Task task);
    // The handler runs every period until the timer is stopped; starting a
    // running timer restarts it. Loop thread only, like StopTimer.
    void StartTimer(int nTimerId, std::chrono::milliseconds period, Task handler);
    void StopTimer(int nTimerId);
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
