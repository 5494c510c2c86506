#pragma once

#include "simulator/testeranswers.h"
#include "simulator/testersimulator.h"

// A tester holding data: it prompts when woken up and answers each command
// with the 20 DB texts of its section.
class CDataAnswers final : public ITesterAnswers
{
public:
    CDataAnswers(const RecordTable& data, const SimulatorBehaviour& behaviour);

    void Begin(CPacedLine&) override {}
    void OnLine(const std::string& strLine, CPacedLine& output) override;

private:
    CTesterSimulator m_tester;
    SimulatorBehaviour m_behaviour;
};
