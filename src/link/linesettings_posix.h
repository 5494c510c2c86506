#pragma once

#include <string>

#include <termios.h>

// Sets the speed, parity, data bits and stop bits a settings text names;
// false, leaving tio as it was, when the text names anything the port cannot take.
bool ApplyLineSettings(const std::string& strSettings, termios& tio);

// Raw bytes, no flow control, the receiver on and modem lines ignored; a read
// waits for one byte, so on a non-blocking port a read of 0 bytes means hang-up.
void MakeRawLine(termios& tio);
