#include "porterror.h"

#include <cerrno>
#include <system_error>

PortProblem ClassifyPortError(int nSystemError)
{
    switch (nSystemError) {
    case ENOENT:
    case ENODEV:
    case ENXIO: return PortProblem::NotFound;
    case EACCES:
    case EPERM: return PortProblem::NotAllowed;
    default: return PortProblem::Other;
    }
}

std::string PortErrorText(int nSystemError)
{
    return std::generic_category().message(nSystemError);
}
