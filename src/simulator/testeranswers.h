#pragma once

#include <string>

class CPacedLine;

// What the tester on the line answers. The serving loop hands it each line
// the program sends and sends what it queues on the output.
class ITesterAnswers
{
public:
    virtual ~ITesterAnswers() = default;

    // Serving has begun; the program may not have opened the port yet.
    virtual void Begin(CPacedLine& output) = 0;
    // strLine ends with its line feed.
    virtual void OnLine(const std::string& strLine, CPacedLine& output) = 0;
};
