#include "link/portname.h"

#include <charconv>

namespace {

// A positive decimal number and nothing else.
std::optional<int> PortNumber(std::string_view text)
{
    int nNumber = 0;
    const char* pEnd = text.data() + text.size();
    const auto [pStop, error] = std::from_chars(text.data(), pEnd, nNumber);
    if (text.empty() || error != std::errc() || pStop != pEnd || nNumber < 1)
        return std::nullopt;
    return nNumber;
}

bool StartsWithComIgnoringCase(std::string_view port)
{
    return port.size() > 3 && (port[0] == 'C' || port[0] == 'c') &&
           (port[1] == 'O' || port[1] == 'o') && (port[2] == 'M' || port[2] == 'm');
}

} // namespace

std::optional<SerialPortName> ResolvePortName(std::string_view port)
{
#ifdef _WIN32
    return ResolveWindowsPortName(port);
#else
    return ResolvePosixPortName(port);
#endif
}

std::optional<SerialPortName> ResolvePosixPortName(std::string_view port)
{
    if (port.starts_with('/'))
        return SerialPortName{0, std::string(port)};
    const std::optional<int> nNumber = PortNumber(port);
    if (!nNumber)
        return std::nullopt;
    return SerialPortName{*nNumber, "/dev/ttyS" + std::to_string(*nNumber - 1)};
}

std::optional<SerialPortName> ResolveWindowsPortName(std::string_view port)
{
    if (port.starts_with("\\\\.\\") && port.size() > 4)
        return SerialPortName{0, std::string(port)};
    const std::optional<int> nNumber =
        PortNumber(StartsWithComIgnoringCase(port) ? port.substr(3) : port);
    if (!nNumber)
        return std::nullopt;
    const std::string strCom = "COM" + std::to_string(*nNumber);
    return SerialPortName{*nNumber, *nNumber > 9 ? "\\\\.\\" + strCom : strCom};
}
