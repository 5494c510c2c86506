#pragma once

#include "simulator/testersimulator.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>

// The tester's transmit side: sends queued chunks to a file descriptor, at the
// line's own pace when asked (9600 baud, 8N1: 960 bytes a second), and honours
// the pause before each chunk either way.
class CPacedLine
{
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::int64_t kBytesPerSecond = 960;

    CPacedLine(int fd, bool bPaced);

    void Queue(const std::vector<OutputChunk>& chunks);
    // Drops everything not yet sent.
    void Clear();
    bool IsIdle() const { return m_queue.empty(); }
    bool HasAnswerPending() const;
    // Sends what is due by now, at most nBudget bytes. Returns when the next
    // byte is due, or nothing when the queue is empty or the descriptor is full
    // (IsBlocked: wait until it can be written).
    std::optional<Clock::time_point> SendDue(std::uint64_t nBudget);
    bool IsBlocked() const { return m_bBlocked; }
    std::uint64_t BytesSent() const { return m_nBytesSent; }

private:
    void BeginBurst(Clock::time_point start);
    Clock::time_point ReleaseTime(std::uint64_t nBurstBytes) const;
    std::uint64_t BytesDueBy(Clock::time_point now) const;

    int m_fd;
    bool m_bPaced;
    std::deque<OutputChunk> m_queue;
    std::size_t m_nOffset = 0;        // bytes of the front chunk already sent
    bool m_bFrontStarted = false;     // the front chunk's pause has begun
    Clock::time_point m_burstStart{}; // bytes since then follow each other back to back
    std::uint64_t m_nBurstBytes = 0;
    bool m_bBlocked = false;
    std::uint64_t m_nBytesSent = 0;
};
