// The download's receive stream fed random bytes in random batches, with the
// protocol's timers and Cancel firing between batches: whatever arrives, no
// header may address a record outside the table, and record 0 of the records
// it hands over stays empty.

#include "fuzzcheck.h"
#include "link/downloadevents.h"
#include "link/downloadprotocol.h"
#include "link/executor.h"

#include <algorithm>
#include <cstdint>
#include <map>

namespace {

class CFuzzHost final : public IExecutor,
                        public IDownloadPort,
                        public IDownloadEvents,
                        public IStagedRecordsReceiver
{
public:
    void Queue(const std::uint8_t* pData, std::size_t nSize)
    {
        m_strQueued.append(pData, pData + nSize);
    }
    // Runs the timer's handler when the timer runs.
    void Fire(int nTimerId)
    {
        if (const auto it = m_timers.find(nTimerId); it != m_timers.end()) {
            const Task handler = it->second;
            handler();
        }
    }
    // Time jumps ahead before every timer the harness fires, so no wait is cut short.
    void PassTime() { m_now += std::chrono::seconds(10); }
    bool TakeRepost()
    {
        const bool bRepost = m_bRepost;
        m_bRepost = false;
        return bRepost;
    }

    Clock::time_point Now() const override { return m_now; }
    // The protocol posts only another read of the ring, which the harness makes.
    void Post(Task) override { m_bRepost = true; }
    void StartTimer(int nTimerId, std::chrono::milliseconds, Task handler) override
    {
        m_timers[nTimerId] = std::move(handler);
    }
    void StopTimer(int nTimerId) override { m_timers.erase(nTimerId); }
    void OnEvent(const AnyDownloadEvent&) override {}
    void OnTransferDone(std::unique_ptr<RecordTable> pStaged) override
    {
        FUZZ_CHECK((*pStaged)[0] == TestRecord());
    }

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

private:
    Clock::time_point m_now{};
    std::map<int, Task> m_timers;
    std::string m_strQueued;
    std::size_t m_nTaken = 0;
    bool m_bRepost = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    CFuzzHost host;
    CDownloadProtocol protocol(host, host, host, host);
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
        case 1: host.Fire(TIMER_NEXT_COMMAND); break;
        case 2:
            for (const int nTimerId : {TIMER_PROMPT_WAIT, TIMER_STALL_NOTICE})
                host.Fire(nTimerId);
            break;
        case 3: protocol.OnDownloadCancel(); break;
        default: break;
        }
    }
    return 0;
}
