#pragma once

#include <string>

// The system's own words for the error code of a failed call (errno, or
// GetLastError on Windows), e.g. "No such file or directory", without a
// closing full stop, so that it fits inside a sentence.
std::string SystemErrorText(int nError);
