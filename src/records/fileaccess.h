#pragma once

// What reading whole files and saving them atomically share on every
// platform; the system calls are in fileaccess_posix.cpp and
// fileaccess_win32.cpp. The functions that use them are declared in
// documentfile.h.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace fileaccess {

// No document comes near this: four texts of a tester's answers.
inline constexpr std::uintmax_t kMaxDocumentFileSize = 64u * 1024u * 1024u;
inline constexpr int kMaxNameAttempts = 100;

// Reasons of a refused read, the same on every platform.
inline constexpr const char* kNotARegularFile = "not a regular file";
inline constexpr const char* kFarTooLarge = "the file is far larger than any test document";
inline constexpr const char* kBecameShorter = "the file became shorter while it was read";

// Puts the reason where pReason points (when it does); returns false.
bool Fail(std::string* pReason, const std::string& reason);
// The same with the C library's text for an errno value.
bool FailWithErrno(std::string* pReason, int error);

// A name beside target for a temporary; each call gives another.
std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target);

// Platform: writes bytes into a new temporary beside target that no file had
// before (nothing planted under its name is written through) and puts it on
// the disk. The temporary is removed again when anything fails.
bool WriteTemporary(const std::filesystem::path& target, std::string_view bytes,
                    std::filesystem::path& temporary, std::string* pReason);
// Platform: puts the temporary in the target's place, durably; on failure the
// target is untouched and the temporary removed.
bool ReplaceWithTemporary(const std::filesystem::path& temporary,
                          const std::filesystem::path& target, std::string* pReason);

} // namespace fileaccess
