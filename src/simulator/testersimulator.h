#pragma once

#include "records/testrecord.h"
#include "simulator/linecollector.h"

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

// How the simulated tester behaves, beyond answering correctly.
struct SimulatorBehaviour
{
    bool m_bSilent = false;       // never answers the prompt wake-up
    bool m_bEcho = false;         // sends each command line back before its answer
    bool m_bGarbage = false;      // sends noise before each prompt
    bool m_bSplitHeaders = false; // pauses inside every DB header, so headers straddle reads
    std::chrono::milliseconds m_promptDelay{0};
};

// One piece of what the tester sends, and the pause on the line before it.
struct OutputChunk
{
    std::chrono::milliseconds m_pause{0};
    std::string m_strBytes;
    bool m_bPrompt = false; // part of a prompt rather than of an answer
};

// What a line from the program asks for: any line that is not one of the four
// commands wakes the tester up.
enum class TesterRequest
{
    Wake,
    RateFrame,
    Graph,
    Ping,
    TraceRoute,
};

// What a line from the program (with or without its line feed) asks for.
TesterRequest RequestOfLine(std::string_view line);

struct TesterLine
{
    TesterRequest m_request = TesterRequest::Wake;
    std::string m_strLine; // as received, with its line feed
};

// The tester's side of the conversation, without any I/O: it collects the
// program's bytes into lines and builds the prompt and the answers. An answer
// is the 20 DB texts of one section, each introduced by '%' and two digits and
// ended by ';'; the ';' after DB 20 ends the answer.
class CTesterSimulator
{
public:
    CTesterSimulator(const RecordTable& data, const SimulatorBehaviour& behaviour);

    std::vector<TesterLine> Receive(std::string_view bytes);
    std::vector<OutputChunk> Prompt() const;
    std::vector<OutputChunk> Answer(const TesterLine& line) const;

private:
    const std::string& SectionText(int nDb, TesterRequest request) const;

    RecordTable m_data;
    SimulatorBehaviour m_behaviour;
    CLineCollector m_lines;
};

// The bytes a plain tester (no echo, garbage or split headers) holding data
// sends in a whole download: the prompt and the four answers.
std::size_t DownloadByteCount(const RecordTable& data);

// The test slots of a data directory: for DB nn (01 to 20) the files
// DBnn.rate-frame, DBnn.graph, DBnn.ping and DBnn.trace-route hold the texts
// the tester sends, each without its header and closing ';'. One trailing line
// end is ignored; a missing file sends an empty text. False, with a sentence
// in strError, when the directory or a file cannot be read.
bool LoadSimulatorData(const std::string& strDirectory, RecordTable& data, std::string& strError);
