#pragma once

// lmxtool's standard streams, as each system has them.

// Makes standard output carry bytes as they are. Windows would otherwise turn
// every line feed of the JSON and CSV output into a carriage return and a
// line feed.
void UseBinaryStandardOutput();

// True when standard error is a terminal that can redraw the progress bar in
// place (it takes the escape sequence that clears a line).
bool StandardErrorIsTerminal();
