#pragma once

#include "records/documentfile.h"
#include "records/fileerror.h"

#include <string>
#include <string_view>

// Saving a whole file so that it is never seen half written. The bytes go
// into a temporary file of its own beside the target that is flushed to the
// disk before it replaces the target, so a failed save leaves the old file
// untouched and a power loss leaves either the old or the new file, never a
// short one. The system calls are in fileaccess_posix.cpp and
// fileaccess_win32.cpp.

// What a symbolic link standing under the target's name gets.
enum class LinkAtTarget
{
    // The file it points to is replaced: the user chose that name to save
    // over, and the link stays.
    SaveThrough,
    // The link itself is replaced and what it points to is untouched: for
    // files the program names itself in a folder, where a link planted
    // under such a name must not send the bytes elsewhere.
    Replace,
};

// On failure, pError (when given) says why.
DocumentStatus WriteFileAtomically(const std::string& path, std::string_view bytes,
                                   FileError* pError = nullptr,
                                   LinkAtTarget link = LinkAtTarget::SaveThrough);
