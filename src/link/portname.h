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

// Nothing for a text that is neither a positive number nor a device path of
// this system. Picks one of the two below.
std::optional<SerialPortName> ResolvePortName(std::string_view port);

// POSIX: a number n opens /dev/ttyS(n-1); an absolute path is a device.
std::optional<SerialPortName> ResolvePosixPortName(std::string_view port);

// Windows: a number n, or "COMn", opens COMn, and COM ports above 9 by their
// device path \\.\COMn, the only name under which the system opens them; a
// path beginning with \\.\ is a device.
std::optional<SerialPortName> ResolveWindowsPortName(std::string_view port);
