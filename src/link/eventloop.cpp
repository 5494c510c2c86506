#include "link/eventloop.h"

#include <utility>

void CEventLoop::Post(Task task)
{
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_wake.notify_one();
}

void CEventLoop::StartTimer(int nTimerId, std::chrono::milliseconds period, Task handler)
{
    m_timers[nTimerId] = Timer{period, Clock::now() + period, std::move(handler)};
}

void CEventLoop::StopTimer(int nTimerId)
{
    m_timers.erase(nTimerId);
}

void CEventLoop::Run(const std::function<bool()>& bDone)
{
    while (!bDone()) {
        DispatchPending();
        if (!bDone())
            WaitForWork();
    }
}

void CEventLoop::DispatchPending()
{
    std::vector<Task> tasks;
    {
        std::lock_guard lock(m_mutex);
        tasks.swap(m_tasks);
    }
    for (Task& task : tasks)
        task();
    FireDueTimers();
}

void CEventLoop::FireDueTimers()
{
    const Clock::time_point now = Clock::now();
    std::vector<int> dueIds;
    for (const auto& [nTimerId, timer] : m_timers) {
        if (timer.next <= now)
            dueIds.push_back(nTimerId);
    }
    for (int nTimerId : dueIds) {
        // An earlier handler may have stopped or restarted this timer.
        const auto found = m_timers.find(nTimerId);
        if (found == m_timers.end() || found->second.next > now)
            continue;
        Timer& timer = found->second;
        // Periods count from the schedule, not from when the loop got round to
        // it, so a periodic timer does not drift; one that fell far behind
        // fires once and does not catch up.
        timer.next += timer.period;
        if (timer.next <= now)
            timer.next = now + timer.period;
        // A copy: the handler may stop its own timer.
        const Task handler = timer.handler;
        handler();
    }
}

void CEventLoop::WaitForWork()
{
    std::unique_lock lock(m_mutex);
    const auto hasTasks = [this] { return !m_tasks.empty(); };
    if (m_timers.empty()) {
        m_wake.wait(lock, hasTasks);
        return;
    }
    Clock::time_point nextDue = Clock::time_point::max();
    for (const auto& [nTimerId, timer] : m_timers)
        nextDue = std::min(nextDue, timer.next);
    m_wake.wait_until(lock, nextDue, hasTasks);
}
