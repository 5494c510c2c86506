#pragma once

#include "records/documentfile.h"
#include "records/fileerror.h"

#include <string>

// Reading whole files for the program's documents; the system calls are in
// fileaccess_posix.cpp and fileaccess_win32.cpp. Writing is in atomicfile.h.

// Reading refuses files larger than any document could be. On failure,
// pError (when given) says why.
DocumentStatus ReadFileBytes(const std::string& path, std::string& bytes,
                             FileError* pError = nullptr);
