#pragma once

#include <thread>

// Reading the system's font configuration takes the first window several
// milliseconds. A second thread reads it while the program connects to the
// display, which takes longer; the program waits for it (mostly long done)
// before it makes its first window, so the fonts are never read twice.
class CFontWarmUp
{
public:
    CFontWarmUp();
    ~CFontWarmUp() { Wait(); }
    CFontWarmUp(const CFontWarmUp&) = delete;
    CFontWarmUp& operator=(const CFontWarmUp&) = delete;

    void Wait()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
};
