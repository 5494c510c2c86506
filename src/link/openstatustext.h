#pragma once

#include "serialchannel.h"

#include <string>

// A sentence for a port that did not open: strPort as the user named it,
// strDevice the device it chose, nSystemError the errno (GetLastError on
// Windows) of a failed open.
std::string DescribeOpenStatus(OpenStatus status, const std::string& strDevice, int nSystemError,
                               const std::string& strPort);
