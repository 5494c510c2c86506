#pragma once

#include <string>

#include <termios.h>

// The port is configured from a settings text, "baud=%d parity=%c data=%d stop=%d".
inline constexpr int kDownloadBaudRate = 9600;

// The text for nBaud with no parity, 8 data bits and 1 stop bit.
std::string LineSettingsText(int nBaud);

// Sets the speed, parity, data bits and stop bits a settings text names;
// false, leaving tio as it was, when the text names anything the port cannot take.
bool ApplyLineSettings(const std::string& strSettings, termios& tio);

// Raw bytes, no flow control, the receiver on and modem lines ignored; a read
// waits for one byte, so on a non-blocking port a read of 0 bytes means hang-up.
void MakeRawLine(termios& tio);
