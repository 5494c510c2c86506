#include "fileaccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>

namespace {

// No document comes near this: four texts of a tester's answers.
constexpr std::uintmax_t kMaxDocumentFileSize = 64u * 1024u * 1024u;
constexpr int kMaxNameAttempts = 100;

namespace fs = std::filesystem;

bool Fail(FileError* pError, FileProblem problem)
{
    if (pError)
        *pError = FileError{problem, {}};
    return false;
}

FileProblem ProblemOfErrno(int nError)
{
    switch (nError) {
    case ENOENT:
    case ENOTDIR: return FileProblem::NotFound;
    case EACCES:
    case EPERM: return FileProblem::NoPermission;
    case ENOSPC:
    case EDQUOT: return FileProblem::NoSpace;
    case EFBIG: return FileProblem::TooLarge;
    case EROFS: return FileProblem::ReadOnly;
    case EISDIR: return FileProblem::IsAFolder;
    default: return FileProblem::Other;
    }
}

bool FailWithErrno(FileError* pError, int nError)
{
    if (pError)
        *pError = FileErrorFromSystem(nError);
    return false;
}

// A file descriptor that is closed when it goes; Close() reports what a
// close that fails tells (some file systems report write errors only then).
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    FileDescriptor& operator=(FileDescriptor&&) = delete;
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }
    bool Close(FileError* pError)
    {
        const int fd = std::exchange(m_fd, -1);
        return ::close(fd) == 0 || FailWithErrno(pError, errno);
    }

private:
    int m_fd;
};

// Creates a new file beside target under a name no other file has. It never
// opens a file that is already there, so nothing planted under that name (a
// link to another file, say) is written through.
FileDescriptor CreateUniqueSibling(const fs::path& target, mode_t mode, fs::path& temporary,
                                   FileError* pError)
{
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
        temporary = target;
        temporary += ".saving-" + std::to_string(random()) + "-" + std::to_string(++counter);
        FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (fd.IsOpen())
            return fd;
        if (errno != EEXIST && errno != EINTR) {
            FailWithErrno(pError, errno);
            return FileDescriptor(-1);
        }
    }
    FailWithErrno(pError, EEXIST);
    return FileDescriptor(-1);
}

bool WriteAll(int fd, std::string_view bytes, FileError* pError)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return FailWithErrno(pError, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Writes bytes into a new temporary beside target and puts it on the disk.
// The temporary is removed again when anything fails.
bool WriteTemporary(const fs::path& target, std::string_view bytes, fs::path& temporary,
                    FileError* pError)
{
    // The saved file keeps the permissions the old one had; a new one gets
    // the usual permissions for new files.
    struct stat old = {};
    const bool hasOld = ::stat(target.c_str(), &old) == 0;
    FileDescriptor fd = CreateUniqueSibling(target, hasOld ? 0600 : 0666, temporary, pError);
    if (!fd.IsOpen())
        return false;
    const bool written = WriteAll(fd.Get(), bytes, pError) &&
                         (!hasOld || ::fchmod(fd.Get(), old.st_mode & 07777) == 0 ||
                          FailWithErrno(pError, errno)) &&
                         // Without this a power loss soon after the rename can leave an empty file.
                         (::fsync(fd.Get()) == 0 || FailWithErrno(pError, errno)) &&
                         fd.Close(pError);
    if (!written)
        ::unlink(temporary.c_str());
    return written;
}

// Puts the rename itself on the disk. The new file is in place whatever this
// gives, so a folder that cannot be synced is no failure of the save.
void SyncFolder(const fs::path& target)
{
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.IsOpen())
        ::fsync(fd.Get());
}

} // namespace

FileError FileErrorFromSystem(int nError)
{
    return FileError{ProblemOfErrno(nError), std::generic_category().message(nError)};
}

DocumentStatus ReadFileBytes(const std::string& path, std::string& bytes, FileError* pError)
{
    // Not blocking keeps a named pipe from hanging the open; it is refused below.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info = {};
    if (!fd.IsOpen() || ::fstat(fd.Get(), &info) != 0) {
        FailWithErrno(pError, errno);
        return DocumentStatus::CannotRead;
    }
    if (S_ISDIR(info.st_mode)) {
        FailWithErrno(pError, EISDIR);
        return DocumentStatus::CannotRead;
    }
    if (!S_ISREG(info.st_mode)) {
        Fail(pError, FileProblem::NotAFile);
        return DocumentStatus::CannotRead;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > kMaxDocumentFileSize) {
        Fail(pError, FileProblem::LargerThanAnyDocument);
        return DocumentStatus::CannotRead;
    }
    std::string contents(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t filled = 0;
    while (filled < contents.size()) {
        const ssize_t got = ::read(fd.Get(), contents.data() + filled, contents.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            FailWithErrno(pError, errno);
            return DocumentStatus::CannotRead;
        }
        if (got == 0) {
            Fail(pError, FileProblem::ChangedWhileRead);
            return DocumentStatus::CannotRead;
        }
        filled += static_cast<std::size_t>(got);
    }
    bytes = std::move(contents);
    return DocumentStatus::Ok;
}

DocumentStatus WriteFileAtomically(const std::string& path, std::string_view bytes,
                                   FileError* pError)
{
    std::error_code error;
    // Saving over a link replaces the file it points to, not the link.
    fs::path target = path;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        target = fs::canonical(path, error);
        if (error) {
            FailWithErrno(pError, error.value());
            return DocumentStatus::CannotWrite;
        }
    }
    fs::path temporary;
    if (!WriteTemporary(target, bytes, temporary, pError))
        return DocumentStatus::CannotWrite;
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        FailWithErrno(pError, errno);
        ::unlink(temporary.c_str());
        return DocumentStatus::CannotWrite;
    }
    SyncFolder(target);
    return DocumentStatus::Ok;
}
