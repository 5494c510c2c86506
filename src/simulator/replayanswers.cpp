#include "simulator/replayanswers.h"

#include "simulator/linecollector.h"
#include "simulator/pacedline.h"

#include <algorithm>

CReplayAnswers::CReplayAnswers(const std::vector<SessionLogEntry>& entries, bool bKeepPauses)
{
    CLineCollector sentLines;
    // The pause before received bytes runs from the bytes that went over the
    // line before them, in either direction; notes do not count.
    std::int64_t nLastDataMs = 0;
    for (const SessionLogEntry& entry : entries) {
        switch (entry.m_direction) {
        case SessionLogEntry::Direction::Note: break;
        case SessionLogEntry::Direction::Sent:
            for (std::string& strLine : sentLines.Add(entry.m_strBytes))
                m_exchanges.push_back({std::move(strLine), {}});
            nLastDataMs = entry.m_nOffsetMs;
            break;
        case SessionLogEntry::Direction::Received: {
            const std::chrono::milliseconds pause =
                bKeepPauses ? std::min(kLongestPause,
                                       std::chrono::milliseconds(entry.m_nOffsetMs - nLastDataMs))
                            : std::chrono::milliseconds(0);
            std::vector<OutputChunk>& answer =
                m_exchanges.empty() ? m_opening : m_exchanges.back().m_answer;
            answer.push_back({pause, entry.m_strBytes, false});
            nLastDataMs = entry.m_nOffsetMs;
            break;
        }
        }
    }
}

void CReplayAnswers::Begin(CPacedLine& output)
{
    output.Queue(m_opening);
}

void CReplayAnswers::OnLine(const std::string& strLine, CPacedLine& output)
{
    const bool bWake = RequestOfLine(strLine) == TesterRequest::Wake;
    for (std::size_t nExchange = m_nNext; nExchange < m_exchanges.size(); ++nExchange) {
        const Exchange& exchange = m_exchanges[nExchange];
        if (exchange.m_strLine == strLine) {
            m_nNext = nExchange + 1;
            output.Queue(exchange.m_answer);
            return;
        }
        if (bWake && RequestOfLine(exchange.m_strLine) != TesterRequest::Wake)
            return;
    }
}
