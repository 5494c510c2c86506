// The download's receive stream fed random bytes in random batches, with the
// protocol's timers and Cancel firing between batches: whatever arrives, no
// header may address a record outside the table, and record 0 stays empty.

#include "downloadprotocol.h"
#include "fuzzcheck.h"
#include "headlessdownload.h"

#include <algorithm>
#include <cstdint>
#include <set>

namespace {

class CFuzzHost final : public IDownloadHost, public IDownloadPort, public IRecordViews
{
public:
    void Queue(const std::uint8_t* pData, std::size_t nSize)
    {
        m_strQueued.append(pData, pData + nSize);
    }
    bool IsTimerRunning(int nTimerId) const { return m_timers.count(nTimerId) != 0; }
    // Time jumps ahead before every timer the harness fires, so no wait is cut short.
    void PassTime() { m_now += std::chrono::seconds(10); }
    bool TakeRepost()
    {
        const bool bRepost = m_bRepost;
        m_bRepost = false;
        return bRepost;
    }

    DownloadClock::time_point CurrentTime() const override { return m_now; }
    void StartTimer(int nTimerId, int) override { m_timers.insert(nTimerId); }
    void StopTimer(int nTimerId) override { m_timers.erase(nTimerId); }
    std::string LoadString(int) override { return {}; }
    void ReportFailure(DownloadOutcome) override {}
    void RepostPortData() override { m_bRepost = true; }
    void PumpWaitingMessages() override {}

    bool Open(const std::string&, int) override { return true; }
    void Close() override {}
    int Write(const char*, int nLength) override { return nLength; }
    void WriteChar(char) override {}
    bool Get(char& ch) override
    {
        if (m_nTaken == m_strQueued.size())
            return false;
        ch = m_strQueued[m_nTaken++];
        return true;
    }
    bool HasQueuedData() const override { return m_nTaken < m_strQueued.size(); }

    void BeginLoadingProgress(const std::string&, int) override {}
    void StepLoadingProgress() override {}
    void EndLoadingProgress() override {}
    void ClearTree() override {}
    void ClearItems() override {}
    void FillTree() override {}

private:
    DownloadClock::time_point m_now{};
    std::set<int> m_timers;
    std::string m_strQueued;
    std::size_t m_nTaken = 0;
    bool m_bRepost = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    CFuzzHost host;
    CSilentDisplay popup;
    RecordTable records;
    CDownloadProtocol protocol(host, host, popup, host, records);
    protocol.StartDownload("1", 1);

    // Each batch: a control byte, then up to 63 stream bytes; the control
    // byte's top bits choose what happens after the batch.
    std::size_t nPos = 0;
    while (nPos < nSize) {
        const std::uint8_t control = pData[nPos++];
        const std::size_t nCount = std::min<std::size_t>(control & 0x3F, nSize - nPos);
        host.Queue(pData + nPos, nCount);
        nPos += nCount;
        do {
            protocol.OnPortData();
            const int nDb = protocol.DownloadRecordNumber();
            FUZZ_CHECK(nDb >= 0 && nDb <= kDbCount);
        } while (host.TakeRepost());

        host.PassTime();
        switch (control >> 6) {
        case 1:
            if (host.IsTimerRunning(TIMER_NEXT_COMMAND))
                protocol.OnTimer(TIMER_NEXT_COMMAND);
            break;
        case 2:
            for (const int nTimerId : {TIMER_PROMPT_WAIT, TIMER_STALL_NOTICE}) {
                if (host.IsTimerRunning(nTimerId))
                    protocol.OnTimer(nTimerId);
            }
            break;
        case 3: protocol.OnDownloadCancel(); break;
        default: break;
        }
        FUZZ_CHECK(records[0] == TestRecord());
    }
    return 0;
}
