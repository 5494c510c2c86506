#pragma once

#include <string>

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

// A full disk or the size limit for a file: every later file of a batch
// would fail the same way.
bool IsOutOfRoom(const FileError& error);
