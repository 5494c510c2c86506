#pragma once

#include <chrono>
#include <functional>

// Where a download runs: posted tasks and timers, all on one thread (the
// GUI's UI thread, or the thread that runs a CEventLoop), and the clock the
// download measures its waits with.
class IExecutor
{
public:
    // Monotonic, never set back.
    using Clock = std::chrono::steady_clock;
    using Task = std::function<void()>;

    virtual Clock::time_point Now() const = 0;
    // Runs the task later on the executor's thread; any thread may post.
    virtual void Post(Task task) = 0;
    // The handler runs every period until the timer is stopped; starting a
    // running timer restarts it. The executor's thread only, like StopTimer.
    virtual void StartTimer(int nTimerId, std::chrono::milliseconds period, Task handler) = 0;
    virtual void StopTimer(int nTimerId) = 0;

protected:
    ~IExecutor() = default;
};
