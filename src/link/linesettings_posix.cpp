#include "link/linesettings_posix.h"

#include <cctype>
#include <cstdio>

namespace {

struct BaudSpeed
{
    int nBaud;
    speed_t speed;
};

constexpr BaudSpeed kBaudSpeeds[] = {
    {1200, B1200},   {2400, B2400},   {4800, B4800},   {9600, B9600},
    {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
};

bool SpeedForBaud(int nBaud, speed_t& speed)
{
    for (const BaudSpeed& entry : kBaudSpeeds) {
        if (entry.nBaud == nBaud) {
            speed = entry.speed;
            return true;
        }
    }
    return false;
}

bool DataBitsFlag(int nDataBits, tcflag_t& flag)
{
    switch (nDataBits) {
    case 5: flag = CS5; return true;
    case 6: flag = CS6; return true;
    case 7: flag = CS7; return true;
    case 8: flag = CS8; return true;
    default: return false;
    }
}

} // namespace

bool ApplyLineSettings(const std::string& strSettings, termios& tio)
{
    int nBaud = 0;
    char chParity = 0;
    int nDataBits = 0;
    int nStopBits = 0;
    int nConsumed = 0;
    if (std::sscanf(strSettings.c_str(), "baud=%d parity=%c data=%d stop=%d%n", &nBaud, &chParity,
                    &nDataBits, &nStopBits, &nConsumed) != 4 ||
        static_cast<std::size_t>(nConsumed) != strSettings.size())
        return false;

    speed_t speed = B0;
    tcflag_t dataFlag = 0;
    const char chUpperParity =
        static_cast<char>(std::toupper(static_cast<unsigned char>(chParity)));
    if (!SpeedForBaud(nBaud, speed) || !DataBitsFlag(nDataBits, dataFlag) ||
        (chUpperParity != 'N' && chUpperParity != 'E' && chUpperParity != 'O') ||
        (nStopBits != 1 && nStopBits != 2))
        return false;

    termios result = tio;
    if (cfsetispeed(&result, speed) != 0 || cfsetospeed(&result, speed) != 0)
        return false;
    result.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
    result.c_cflag |= dataFlag;
    if (chUpperParity != 'N')
        result.c_cflag |= PARENB;
    if (chUpperParity == 'O')
        result.c_cflag |= PARODD;
    if (nStopBits == 2)
        result.c_cflag |= CSTOPB;
    tio = result;
    return true;
}

void MakeRawLine(termios& tio)
{
    cfmakeraw(&tio);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
}
