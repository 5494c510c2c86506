// Reading and atomic saving with Win32 calls: the temporary is created with
// CREATE_NEW, flushed with FlushFileBuffers and moved over the target with
// MoveFileEx, which writes the move through to the disk before it returns.

#include "records/fileaccess.h"
#include "records/fileaccessdetail.h"
#include "records/systemerror.h"

#include <cerrno>
#include <utility>

#include <windows.h>

namespace {

namespace fs = std::filesystem;
using fileaccess::Fail;

FileProblem ProblemOfWin32Error(DWORD nError)
{
    switch (nError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE: return FileProblem::NotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return FileProblem::NoPermission;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return FileProblem::NoSpace;
    case ERROR_FILE_TOO_LARGE: return FileProblem::TooLarge;
    case ERROR_WRITE_PROTECT: return FileProblem::ReadOnly;
    case ERROR_DIRECTORY: return FileProblem::IsAFolder;
    default: return FileProblem::Other;
    }
}

bool FailWithLastError(FileError* pError)
{
    const DWORD nError = GetLastError();
    if (pError)
        *pError = FileError{ProblemOfWin32Error(nError), SystemErrorText(static_cast<int>(nError))};
    return false;
}

// A file handle that is closed when it goes.
class FileHandle
{
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    FileHandle(FileHandle&& other) noexcept
        : m_handle(std::exchange(other.m_handle, INVALID_HANDLE_VALUE))
    {
    }
    FileHandle& operator=(FileHandle&&) = delete;
    ~FileHandle()
    {
        if (IsOpen())
            CloseHandle(m_handle);
    }
    HANDLE Get() const { return m_handle; }
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    bool Close(FileError* pError)
    {
        return CloseHandle(std::exchange(m_handle, INVALID_HANDLE_VALUE)) ||
               FailWithLastError(pError);
    }

private:
    HANDLE m_handle;
};

// Creates a new file beside target under a name no other file has; CREATE_NEW
// never opens a file that is already there.
FileHandle CreateUniqueSibling(const fs::path& target, fs::path& temporary, FileError* pError)
{
    for (int attempt = 0; attempt < fileaccess::kMaxNameAttempts; ++attempt) {
        temporary = fileaccess::TemporaryNameBeside(target);
        FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.IsOpen())
            return file;
        if (GetLastError() != ERROR_FILE_EXISTS) {
            FailWithLastError(pError);
            return file;
        }
    }
    fileaccess::FailWithErrno(pError, EEXIST);
    return FileHandle(INVALID_HANDLE_VALUE);
}

bool WriteAll(HANDLE file, std::string_view bytes, FileError* pError)
{
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return FailWithLastError(pError);
        bytes.remove_prefix(written);
    }
    return true;
}

} // namespace

bool fileaccess::WriteTemporary(const fs::path& target, std::string_view bytes, fs::path& temporary,
                                FileError* pError)
{
    FileHandle file = CreateUniqueSibling(target, temporary, pError);
    if (!file.IsOpen())
        return false;
    const bool written = WriteAll(file.Get(), bytes, pError) &&
                         // Without this a power loss soon after the move can leave an empty file.
                         (FlushFileBuffers(file.Get()) || FailWithLastError(pError)) &&
                         file.Close(pError);
    if (!written)
        DeleteFileW(temporary.c_str());
    return written;
}

bool fileaccess::ReplaceWithTemporary(const fs::path& temporary, const fs::path& target,
                                      FileError* pError)
{
    if (!MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        FailWithLastError(pError);
        // Windows calls a folder in the way "access denied".
        const DWORD attributes = GetFileAttributesW(target.c_str());
        if (pError && attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_DIRECTORY))
            pError->m_problem = FileProblem::IsAFolder;
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

DocumentStatus ReadFileBytes(const std::string& path, std::string& bytes, FileError* pError)
{
    const fs::path file(path);
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        fileaccess::FailWithErrno(pError, EISDIR);
        return DocumentStatus::CannotRead;
    }
    FileHandle handle(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.IsOpen()) {
        FailWithLastError(pError);
        return DocumentStatus::CannotRead;
    }
    // Pipes, consoles and devices are no document files.
    if (GetFileType(handle.Get()) != FILE_TYPE_DISK) {
        Fail(pError, FileProblem::NotAFile);
        return DocumentStatus::CannotRead;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle.Get(), &size)) {
        FailWithLastError(pError);
        return DocumentStatus::CannotRead;
    }
    if (static_cast<std::uintmax_t>(size.QuadPart) > fileaccess::kMaxDocumentFileSize) {
        Fail(pError, FileProblem::LargerThanAnyDocument);
        return DocumentStatus::CannotRead;
    }
    std::string contents(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t filled = 0;
    while (filled < contents.size()) {
        DWORD got = 0;
        if (!ReadFile(handle.Get(), contents.data() + filled,
                      static_cast<DWORD>(contents.size() - filled), &got, nullptr)) {
            FailWithLastError(pError);
            return DocumentStatus::CannotRead;
        }
        if (got == 0) {
            Fail(pError, FileProblem::ChangedWhileRead);
            return DocumentStatus::CannotRead;
        }
        filled += got;
    }
    bytes = std::move(contents);
    return DocumentStatus::Ok;
}
