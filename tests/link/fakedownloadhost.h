#pragma once

#include "link/downloadevents.h"
#include "link/downloadhost.h"
#include "link/executor.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Everything the download protocol talks to, on a virtual clock: timers fire
// only when a test advances the clock, posted tasks run when the test says so,
// the port is a byte queue the test fills, and every event is recorded, also
// as the popup the window would show.
class CFakeDownloadHost final : public IExecutor,
                                public IDownloadPort,
                                public IDownloadEvents,
                                public IStagedRecordsReceiver,
                                public IRecordViews
{
public:
    std::function<void(std::unique_ptr<RecordTable>)> m_onTransferDone;

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
            const Task handler = due->second.handler; // it may stop its own timer
            handler();
        }
        m_nNow = nTarget;
    }
    long long NowMs() const { return m_nNow; }
    // Timers fire this many percent of their period early, as a coarse timer may.
    void SetEarlyFiring(int nPercent) { m_nEarlyPercent = nPercent; }
    bool IsTimerRunning(int nTimerId) const { return m_timers.count(nTimerId) != 0; }
    long long TimerDue(int nTimerId) const { return m_timers.at(nTimerId).nNext; }

    // Runs the tasks posted so far, and those they post.
    void RunPosted()
    {
        while (!m_posted.empty()) {
            const Task task = m_posted.front();
            m_posted.erase(m_posted.begin());
            task();
        }
    }

    // IExecutor
    Clock::time_point Now() const override
    {
        return Clock::time_point(std::chrono::milliseconds(m_nNow));
    }
    void Post(Task task) override
    {
        m_posted.push_back(std::move(task));
        ++m_nReposts;
    }
    void StartTimer(int nTimerId, std::chrono::milliseconds period, Task handler) override
    {
        const int nMilliseconds = static_cast<int>(period.count());
        const int nFiresAfter = std::max(1, nMilliseconds - nMilliseconds * m_nEarlyPercent / 100);
        m_timers[nTimerId] = {nFiresAfter, m_nNow + nFiresAfter, std::move(handler)};
    }
    void StopTimer(int nTimerId) override { m_timers.erase(nTimerId); }

    // IStagedRecordsReceiver
    void OnTransferDone(std::unique_ptr<RecordTable> pStaged) override
    {
        m_onTransferDone(std::move(pStaged));
    }

    // IDownloadEvents: kept, and shown as the window's popup would show them,
    // with "#" and the string id for a text of the resource pack.
    void OnEvent(const AnyDownloadEvent& event) override
    {
        namespace E = DownloadEvent;
        m_events.push_back(event);
        if (const auto* pWaiting = std::get_if<E::WaitingForPrompt>(&event)) {
            m_strCaption = "#58205";
            ShowMessage("#58206" + std::string(19, ' '));
            m_nPopupLimit = pWaiting->nTicks;
            m_nCancelMessage = WM_DOWNLOAD_CANCEL;
            m_bPopupShown = true;
        } else if (std::holds_alternative<E::PromptWaitTick>(event)) {
            ++m_nPopupPos;
        } else if (const auto* pAnswered = std::get_if<E::TesterAnswered>(&event)) {
            m_strCaption = "#58209";
            ShowMessage("#58210");
            m_nPopupPos = 0;
            m_nPopupLimit = static_cast<unsigned>(pAnswered->nDbCount);
        } else if (std::holds_alternative<E::SectionStarted>(event)) {
            m_nPopupPos = 0;
        } else if (const auto* pDb = std::get_if<E::DbReceived>(&event)) {
            m_strCaption = "#58211";
            ShowMessage(DbProgressText(pDb->section, pDb->nDb));
            ++m_nPopupPos;
        } else if (std::holds_alternative<E::TransferStalled>(event)) {
            m_popupMessages.push_back("#58245");
        } else if (std::holds_alternative<E::TransferResumed>(event)) {
            m_popupMessages.push_back(m_strProgressMessage);
        } else if (std::holds_alternative<E::ProgressEnded>(event)) {
            m_bPopupShown = false;
        } else if (const auto* pFailed = std::get_if<E::Failed>(&event)) {
            m_failures.push_back(pFailed->reason);
        }
    }

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
    int m_nReposts = 0; // tasks posted
    std::vector<AnyDownloadEvent> m_events;
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
        Task handler;
    };

    void ShowMessage(const std::string& strText)
    {
        m_strProgressMessage = strText;
        m_popupMessages.push_back(strText);
    }
    long long m_nNow = 0;
    int m_nEarlyPercent = 0;
    std::map<int, Timer> m_timers;
    std::vector<Task> m_posted;
    std::string m_strProgressMessage;
};
