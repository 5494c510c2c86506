#pragma once

#include <optional>
#include <string>
#include <string_view>

// A port as the user names it: a number n is the n-th serial port (COMn on
// Windows, /dev/ttyS(n-1) here), and a device path (a USB adapter, a
// pseudo-terminal) is taken as it is.
struct SerialPortName
{
    int m_nNumber = 0;       // the port number given, 0 for a device path
    std::string m_strDevice; // what is opened

    bool operator==(const SerialPortName&) const = default;
};

// Nothing for a text that is neither a positive number nor an absolute path.
std::optional<SerialPortName> ResolvePortName(std::string_view port);
