#pragma once

#include "app/korvoapp.h"

#include <functional>

class CMainFrame;

// Runs the event loop until done() holds; false after the deadline. It
// sleeps between events (a tick wakes it to look at what sends none, such
// as a thread ending), so a measurement does not pay for a spinning wait.
bool RunUntil(const std::function<bool()>& done, int nDeadlineMs = 60000);

// Resident memory of this process in kB.
long ResidentKb();

// Threads of this process.
int ThreadCount();

// The program's application, its main frame 1280 x 800 on the offscreen
// platform, and the sample DBs as after a download.
class CProgramUnderTest
{
public:
    CProgramUnderTest();
    ~CProgramUnderTest();

    CKorvoApp& App() { return m_app; }
    CMainFrame& Frame() { return *m_app.MainFrame(); }

private:
    CKorvoApp m_app;
};
