#pragma once

#include <string>

// What a port's failed open (CSerialChannel::LastSystemError) means, in the
// terms a user can act on; the system's codes differ from one platform to
// the next.
enum class PortProblem
{
    NotFound,   // no such device: unplugged, or another name now
    NotAllowed, // the user may not use the device
    Other,      // see PortErrorText
};

PortProblem ClassifyPortError(int nSystemError);
// The system's own description of the code.
std::string PortErrorText(int nSystemError);
