#include "portname.h"

#include <charconv>

std::optional<SerialPortName> ResolvePortName(std::string_view port)
{
    if (port.starts_with('/'))
        return SerialPortName{0, std::string(port)};
    int nNumber = 0;
    const char* pEnd = port.data() + port.size();
    const auto [pStop, error] = std::from_chars(port.data(), pEnd, nNumber);
    if (port.empty() || error != std::errc() || pStop != pEnd || nNumber < 1)
        return std::nullopt;
    return SerialPortName{nNumber, "/dev/ttyS" + std::to_string(nNumber - 1)};
}
