#pragma once

#include "documentfile.h"
#include "fileerror.h"

#include <string>

// Reading whole files for the program's documents. The system calls are in fileaccess_posix.cpp and
// fileaccess_win32.cpp.

// Reading refuses files larger than any document could be. On failure,
// pError (when given) says why. Writing is in atomicfile.h.
DocumentStatus ReadFileBytes(const std::string& path, std::string& bytes,
                             FileError* pError = nullptr);
