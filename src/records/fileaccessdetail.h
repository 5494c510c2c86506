#pragma once

// What reading whole files and saving them atomically share on every
// platform, and the platform's part of it.

#include "records/fileerror.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace fileaccess {

// No document comes near this: four texts of a tester's answers.
inline constexpr std::uintmax_t kMaxDocumentFileSize = 64u * 1024u * 1024u;
inline constexpr int kMaxNameAttempts = 100;

// Puts a problem the program found itself where pError points (when it
// does); returns false.
bool Fail(FileError* pError, FileProblem problem);
// The same for a C library errno value.
bool FailWithErrno(FileError* pError, int nError);

// A name beside target for a temporary; each call gives another.
std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target);

// Platform: writes bytes into a new temporary beside target that no file had
// before (nothing planted under its name is written through) and puts it on
// the disk. The temporary is removed again when anything fails.
bool WriteTemporary(const std::filesystem::path& target, std::string_view bytes,
                    std::filesystem::path& temporary, FileError* pError);
// Platform: puts the temporary in the target's place, durably; on failure the
// target is untouched and the temporary removed.
bool ReplaceWithTemporary(const std::filesystem::path& temporary,
                          const std::filesystem::path& target, FileError* pError);

} // namespace fileaccess
