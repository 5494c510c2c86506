#pragma once

#include "documentfile.h"

#include <string>
#include <string_view>

// Reading and writing whole files for the program's documents and exports.
// The system calls are in fileaccess_posix.cpp and fileaccess_win32.cpp.

// Why a file could not be read or written, as far as the program can tell:
// enough for the user's own words, with the system's own text beside it.
enum class FileProblem
{
    None,
    NotFound,              // the file or a folder on its way does not exist
    NoPermission,          // the user may not read or write it
    NoSpace,               // the disk (or the user's quota) is full
    TooLarge,              // the system's size limit for a file (e.g. RLIMIT_FSIZE)
    ReadOnly,              // the disk or folder can only be read
    IsAFolder,             // a folder stands where the file should be
    NotAFile,              // a device, pipe or the like, not a regular file
    LargerThanAnyDocument, // far larger than any document could be
    ChangedWhileRead,      // the file became shorter while it was read
    Other,                 // see the system's text
};

struct FileError
{
    FileProblem m_problem = FileProblem::None;
    std::string m_strSystemText; // the system's description, when the system reported it
};

// The error a C library errno value stands for (on every platform).
FileError FileErrorFromErrno(int nError);

// Reading refuses files larger than any document could be. Writing goes
// through a temporary file of its own beside the target that is flushed to
// the disk before it replaces the target, so a failed save leaves the old
// file untouched and a power loss leaves either the old or the new file,
// never a short one. On failure, pError (when given) says why.
DocumentStatus ReadFileBytes(const std::string& path, std::string& bytes,
                             FileError* pError = nullptr);
DocumentStatus WriteFileAtomically(const std::string& path, std::string_view bytes,
                                   FileError* pError = nullptr);
