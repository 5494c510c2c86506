#include "openstatustext.h"

#include "serialport.h"
#include "systemerror.h"

std::string DescribeOpenStatus(OpenStatus status, const std::string& strDevice, int nSystemError,
                               const std::string& strPort)
{
    switch (status) {
    case OpenStatus::BadPortName:
        return "'" + strPort + "' is neither a port number nor a device path";
    case OpenStatus::PortBusy: return "cannot open " + strDevice + ": another program is using it";
    case OpenStatus::PortOpenFailed:
        return "cannot open " + strDevice + ": " + SystemErrorText(nSystemError) +
               CSerialPort::OpenFailureAdvice(nSystemError);
    case OpenStatus::SetupFailed:
        return strDevice + " is not a serial port that takes 9600 baud, 8N1";
    case OpenStatus::ThreadFailed:
    case OpenStatus::Ok: break;
    }
    return "cannot start reading from " + strDevice;
}
