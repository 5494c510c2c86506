#include "openstatustext.h"

#include <cerrno>
#include <cstring>

std::string DescribeOpenStatus(OpenStatus status, const std::string& strDevice, int nSystemError,
                               const std::string& strPort)
{
    switch (status) {
    case OpenStatus::BadPortName:
        return "'" + strPort + "' is neither a port number nor a device path";
    case OpenStatus::PortBusy: return "cannot open " + strDevice + ": another program is using it";
    case OpenStatus::PortOpenFailed: {
        std::string strText = "cannot open " + strDevice + ": " + std::strerror(nSystemError);
        if (nSystemError == EACCES)
            strText += " (is your user in the group that owns the device, e.g. dialout?)";
        return strText;
    }
    case OpenStatus::SetupFailed:
        return strDevice + " is not a serial port that takes 9600 baud, 8N1";
    case OpenStatus::ThreadFailed:
    case OpenStatus::Ok: break;
    }
    return "cannot start reading from " + strDevice;
}
