#pragma once

#include "link/sessionlog.h"
#include "simulator/testeranswers.h"
#include "simulator/testersimulator.h"

#include <chrono>
#include <string>
#include <vector>

// The tester of a session log, played back: each line the program sends is
// looked for among the lines the log shows the program sending, from the
// last one matched onwards, and the bytes the program received after that
// line are sent again, after the pauses the log shows. What the program
// received before it first sent anything is sent when serving begins.
//
// A line the log cannot match gets no answer, as from a silent tester. The
// program repeats its wake-up line while it waits for the prompt, and a run
// of them in the log is matched one by one; a wake-up is looked for only up
// to the next logged command, so an extra wake-up never skips the commands
// the log has still to answer.
class CReplayAnswers final : public ITesterAnswers
{
public:
    // A pause longer than this in the log is cut short to it.
    static constexpr std::chrono::milliseconds kLongestPause{2000};

    // bKeepPauses false: everything is sent at once.
    CReplayAnswers(const std::vector<SessionLogEntry>& entries, bool bKeepPauses);

    void Begin(CPacedLine& output) override;
    void OnLine(const std::string& strLine, CPacedLine& output) override;

private:
    struct Exchange
    {
        std::string m_strLine; // as the program sent it, with its line feed
        std::vector<OutputChunk> m_answer;
    };

    std::vector<OutputChunk> m_opening;
    std::vector<Exchange> m_exchanges;
    std::size_t m_nNext = 0; // the first exchange not yet matched
};
