#include "simulator/pacedline.h"

#include <algorithm>
#include <cerrno>

#include <unistd.h>

CPacedLine::CPacedLine(int fd, bool bPaced) : m_fd(fd), m_bPaced(bPaced) {}

void CPacedLine::Queue(const std::vector<OutputChunk>& chunks)
{
    if (m_queue.empty()) {
        // An idle line starts sending now, not where its last burst ended.
        BeginBurst(std::max(ReleaseTime(m_nBurstBytes), Clock::now()));
    }
    m_queue.insert(m_queue.end(), chunks.begin(), chunks.end());
}

void CPacedLine::Clear()
{
    m_queue.clear();
    m_nOffset = 0;
    m_bFrontStarted = false;
}

bool CPacedLine::HasAnswerPending() const
{
    return std::any_of(m_queue.begin(), m_queue.end(),
                       [](const OutputChunk& chunk) { return !chunk.m_bPrompt; });
}

std::optional<CPacedLine::Clock::time_point> CPacedLine::SendDue(std::uint64_t nBudget)
{
    m_bBlocked = false;
    while (!m_queue.empty() && nBudget > 0) {
        const OutputChunk& chunk = m_queue.front();
        if (!m_bFrontStarted) {
            if (chunk.m_pause.count() > 0)
                BeginBurst(ReleaseTime(m_nBurstBytes) + chunk.m_pause);
            m_bFrontStarted = true;
        }
        const std::uint64_t nDue = BytesDueBy(Clock::now()) - m_nBurstBytes;
        const std::uint64_t nLeft = chunk.m_strBytes.size() - m_nOffset;
        const std::uint64_t nSend = std::min({nDue, nLeft, nBudget});
        if (nSend == 0 && nLeft > 0)
            return ReleaseTime(m_nBurstBytes + 1);
        if (nSend > 0) {
            const ssize_t nWritten = write(m_fd, chunk.m_strBytes.data() + m_nOffset, nSend);
            if (nWritten < 0) {
                m_bBlocked = errno == EAGAIN;
                return std::nullopt;
            }
            const auto nCount = static_cast<std::uint64_t>(nWritten);
            m_nOffset += nCount;
            m_nBurstBytes += nCount;
            m_nBytesSent += nCount;
            nBudget -= nCount;
        }
        if (m_nOffset == chunk.m_strBytes.size()) {
            m_queue.pop_front();
            m_nOffset = 0;
            m_bFrontStarted = false;
        }
    }
    return std::nullopt;
}

void CPacedLine::BeginBurst(Clock::time_point start)
{
    m_burstStart = start;
    m_nBurstBytes = 0;
}

// The moment the line has finished sending the first nBurstBytes of the burst.
CPacedLine::Clock::time_point CPacedLine::ReleaseTime(std::uint64_t nBurstBytes) const
{
    if (!m_bPaced)
        return m_burstStart;
    return m_burstStart + std::chrono::nanoseconds(static_cast<std::int64_t>(nBurstBytes) *
                                                   1'000'000'000 / kBytesPerSecond);
}

std::uint64_t CPacedLine::BytesDueBy(Clock::time_point now) const
{
    if (now < m_burstStart)
        return 0;
    if (!m_bPaced)
        return UINT64_MAX;
    const auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(now - m_burstStart);
    return static_cast<std::uint64_t>(elapsed.count()) * kBytesPerSecond / 1'000'000'000;
}
