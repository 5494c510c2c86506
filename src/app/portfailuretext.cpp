#include "app/portfailuretext.h"

#include "framework/langpack.h"
#include "framework/resourceids.h"
#include "link/serialport.h"
#include "records/systemerror.h"

QString PortFailureText(OpenStatus status, const QString& strDevice, int nSystemError,
                        const QString& strPort)
{
    switch (status) {
    case OpenStatus::BadPortName: return LoadResString(IDS_PORT_WHY_BAD_NAME).arg(strPort);
    case OpenStatus::PortBusy: return LoadResString(IDS_PORT_WHY_BUSY).arg(strDevice);
    case OpenStatus::PortOpenFailed:
        switch (CSerialPort::ClassifyOpenError(nSystemError)) {
        case CSerialPort::Problem::NotFound:
            return LoadResString(IDS_PORT_WHY_NOT_FOUND).arg(strDevice);
        case CSerialPort::Problem::NotAllowed:
            return LoadResString(IDS_PORT_WHY_NOT_ALLOWED).arg(strDevice);
        case CSerialPort::Problem::Other: break;
        }
        return LoadResString(IDS_PORT_WHY_SYSTEM)
            .arg(strDevice, QString::fromStdString(SystemErrorText(nSystemError)));
    case OpenStatus::SetupFailed: return LoadResString(IDS_PORT_WHY_NOT_SERIAL).arg(strDevice);
    case OpenStatus::ThreadFailed:
    case OpenStatus::Ok: break;
    }
    return LoadResString(IDS_PORT_WHY_NO_READING).arg(strDevice);
}
