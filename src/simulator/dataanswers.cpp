#include "simulator/dataanswers.h"

#include "simulator/pacedline.h"

CDataAnswers::CDataAnswers(const RecordTable& data, const SimulatorBehaviour& behaviour)
    : m_tester(data, behaviour), m_behaviour(behaviour)
{
}

// Any line that is not a command wakes the tester: in the middle of an answer
// it breaks the answer off and prompts again (the program gave up on it); a
// prompt already on its way is not repeated.
void CDataAnswers::OnLine(const std::string& strLine, CPacedLine& output)
{
    const TesterLine line{RequestOfLine(strLine), strLine};
    if (line.m_request != TesterRequest::Wake) {
        output.Queue(m_tester.Answer(line));
        return;
    }
    if (m_behaviour.m_bSilent)
        return;
    if (output.HasAnswerPending())
        output.Clear();
    if (output.IsIdle())
        output.Queue(m_tester.Prompt());
}
