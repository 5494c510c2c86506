#pragma once

#include <chrono>
#include <functional>
#include <thread>

// Polls until condition holds; false once limit has passed without it. For
// tests without an event loop (threads, pseudo-terminals, child processes);
// tests with one wait with QTest::qWaitFor, which runs the loop meanwhile.
inline bool WaitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds limit = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}
