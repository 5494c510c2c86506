#pragma once

#include <string>

// The port is configured from a settings text, "baud=%d parity=%c data=%d stop=%d".
inline constexpr int kDownloadBaudRate = 9600;

// The text for nBaud with no parity, 8 data bits and 1 stop bit.
std::string LineSettingsText(int nBaud);
