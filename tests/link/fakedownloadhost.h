#pragma once

#include "downloadhost.h"
#include "progresspopup.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

// Everything the download protocol talks to, on a virtual clock: timers fire
// only when a test advances the clock, the port is a byte queue the test fills,
// and every call the protocol makes is recorded.
class CFakeDownloadHost final : public IDownloadHost,
                                public IDownloadPort,
                                public IProgressPopup,
                                public IRecordViews
{
public:
    std::function<void(int)> m_onTimer;

    // Clock: fires the due timers in time order.
    void Advance(int nMilliseconds)
    {
        const long long nTarget = m_nNow + nMilliseconds;
        for (;;) {
            auto due = m_timers.end();
            for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
                if (it->second.nNext <= nTarget &&
                    (due == m_timers.end() || it->second.nNext < due->second.nNext))
                    due = it;
            }
            if (due == m_timers.end())
                break;
            m_nNow = due->second.nNext;
            due->second.nNext += due->second.nPeriod;
            m_onTimer(due->first);
        }
        m_nNow = nTarget;
    }
    long long Now() const { return m_nNow; }
    // Timers fire this many percent of their period early, as a coarse timer may.
    void SetEarlyFiring(int nPercent) { m_nEarlyPercent = nPercent; }
    bool IsTimerRunning(int nTimerId) const { return m_timers.count(nTimerId) != 0; }
    long long TimerDue(int nTimerId) const { return m_timers.at(nTimerId).nNext; }

    // IDownloadHost
    DownloadClock::time_point CurrentTime() const override
    {
        return DownloadClock::time_point(std::chrono::milliseconds(m_nNow));
    }
    void StartTimer(int nTimerId, int nMilliseconds) override
    {
        const int nFiresAfter = std::max(1, nMilliseconds - nMilliseconds * m_nEarlyPercent / 100);
        m_timers[nTimerId] = {nFiresAfter, m_nNow + nFiresAfter};
    }
    void StopTimer(int nTimerId) override { m_timers.erase(nTimerId); }
    std::string LoadString(int nStringId) override { return "#" + std::to_string(nStringId); }
    void ReportFailure(DownloadOutcome failure) override { m_failures.push_back(failure); }
    void RepostPortData() override { ++m_nReposts; }
    void PumpWaitingMessages() override { ++m_nPumps; }

    // IDownloadPort
    bool Open(const std::string& strPort, int nBaud) override
    {
        m_strOpenedPort = strPort;
        m_nBaud = nBaud;
        m_bOpen = m_bOpenSucceeds;
        return m_bOpenSucceeds;
    }
    void Close() override { m_bOpen = false; }
    int Write(const char* pData, int nLength) override
    {
        m_commands.emplace_back(pData, static_cast<std::size_t>(nLength));
        m_commandTimes.push_back(m_nNow);
        return nLength;
    }
    void WriteChar(char ch) override { m_lineFeedTimes.push_back(ch == '\n' ? m_nNow : -1); }
    bool Get(char& ch) override
    {
        if (m_strReceived.empty())
            return false;
        ch = m_strReceived.front();
        m_strReceived.erase(0, 1);
        return true;
    }
    bool HasQueuedData() const override { return !m_strReceived.empty(); }

    // IProgressPopup: the calls that matter to a user, in order.
    void SetPopupWidth(int) override {}
    void SetCaption(const std::string& strCaption) override { m_strCaption = strCaption; }
    void SetMessage(const std::string& strText, bool) override
    {
        m_popupMessages.push_back(strText);
    }
    void SetLimit(unsigned nLimit) override { m_nPopupLimit = nLimit; }
    void EnableCancel(bool) override {}
    void SetCancelMessage(unsigned nMessage) override { m_nCancelMessage = nMessage; }
    void SetAnimationId(unsigned) override {}
    void CreatePopup() override { m_bPopupShown = true; }
    void ClosePopup() override { m_bPopupShown = false; }
    void ResetBar() override { m_nPopupPos = 0; }
    void Advance(unsigned nStep) override { m_nPopupPos += nStep; }

    // IRecordViews
    void BeginLoadingProgress(const std::string& strText, int nRange) override
    {
        m_views.push_back("begin " + strText + " " + std::to_string(nRange));
    }
    void StepLoadingProgress() override { m_views.push_back("step"); }
    void EndLoadingProgress() override { m_views.push_back("end"); }
    void ClearTree() override { m_views.push_back("ClearTree"); }
    void ClearItems() override { m_views.push_back("ClearItems"); }
    void FillTree() override { m_views.push_back("FillTree"); }

    // Port state.
    bool m_bOpenSucceeds = true;
    bool m_bOpen = false;
    std::string m_strOpenedPort;
    int m_nBaud = 0;
    std::string m_strReceived; // queued for Get
    std::vector<std::string> m_commands;
    std::vector<long long> m_commandTimes;
    std::vector<long long> m_lineFeedTimes;
    // Host state.
    std::vector<DownloadOutcome> m_failures;
    int m_nReposts = 0;
    int m_nPumps = 0;
    // Popup state.
    bool m_bPopupShown = false;
    std::string m_strCaption;
    std::vector<std::string> m_popupMessages;
    unsigned m_nPopupLimit = 0;
    unsigned m_nPopupPos = 0;
    unsigned m_nCancelMessage = 0;
    // View calls in order.
    std::vector<std::string> m_views;

private:
    struct Timer
    {
        int nPeriod;
        long long nNext;
    };
    long long m_nNow = 0;
    int m_nEarlyPercent = 0;
    std::map<int, Timer> m_timers;
};
