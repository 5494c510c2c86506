#include "documentfile.h"

#include "archivestring.h"

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

bool Fail(std::string* pReason, const std::string& reason)
{
    if (pReason)
        *pReason = reason;
    return false;
}

bool FailWithErrno(std::string* pReason, int error)
{
    return Fail(pReason, std::generic_category().message(error));
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
    bool Close(std::string* pReason)
    {
        const int fd = std::exchange(m_fd, -1);
        return ::close(fd) == 0 || FailWithErrno(pReason, errno);
    }

private:
    int m_fd;
};

// Creates a new file beside target under a name no other file has. It never
// opens a file that is already there, so nothing planted under that name (a
// link to another file, say) is written through.
FileDescriptor CreateUniqueSibling(const fs::path& target, mode_t mode, fs::path& temporary,
                                   std::string* pReason)
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
            FailWithErrno(pReason, errno);
            return FileDescriptor(-1);
        }
    }
    FailWithErrno(pReason, EEXIST);
    return FileDescriptor(-1);
}

bool WriteAll(int fd, std::string_view bytes, std::string* pReason)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return FailWithErrno(pReason, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Writes bytes into a new temporary beside target and puts it on the disk.
// The temporary is removed again when anything fails.
bool WriteTemporary(const fs::path& target, std::string_view bytes, fs::path& temporary,
                    std::string* pReason)
{
    // The saved file keeps the permissions the old one had; a new one gets
    // the usual permissions for new files.
    struct stat old = {};
    const bool hasOld = ::stat(target.c_str(), &old) == 0;
    FileDescriptor fd = CreateUniqueSibling(target, hasOld ? 0600 : 0666, temporary, pReason);
    if (!fd.IsOpen())
        return false;
    const bool written = WriteAll(fd.Get(), bytes, pReason) &&
                         (!hasOld || ::fchmod(fd.Get(), old.st_mode & 07777) == 0 ||
                          FailWithErrno(pReason, errno)) &&
                         // Without this a power loss soon after the rename can leave an empty file.
                         (::fsync(fd.Get()) == 0 || FailWithErrno(pReason, errno)) &&
                         fd.Close(pReason);
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

std::string StatusSentence(DocumentStatus status, const std::string& path)
{
    switch (status) {
    case DocumentStatus::Ok: return path + ": ok";
    case DocumentStatus::CannotRead: return path + ": the file cannot be opened or read.";
    case DocumentStatus::Truncated:
        return path + ": the file ends unexpectedly; it is damaged or not a test document.";
    case DocumentStatus::UnknownVersion:
        return path + ": this file is not a test document of this program (unknown version).";
    case DocumentStatus::CannotWrite:
        return path + ": the file cannot be written; the previous file is unchanged.";
    }
    return path;
}

} // namespace

bool DocumentVersions::IsAccepted() const
{
    return (m_strVersion1 == kVersion1Current && m_strVersion2 == kVersion2Current) ||
           (m_strVersion1 == kVersion1Older && m_strVersion2 == kVersion2Older);
}

std::string StoreDocument(const DocumentVersions& versions, const TestRecord& record)
{
    std::string out;
    out.reserve(16 + versions.m_strVersion1.size() + versions.m_strVersion2.size() +
                record.m_RateFrame.m_strRaw.size() + record.m_Graph.m_strRaw.size() +
                record.m_Ping.m_strRaw.size() + record.m_TraceRoute.m_strRaw.size());
    AppendArchiveString(out, versions.m_strVersion1);
    AppendArchiveString(out, versions.m_strVersion2);
    AppendArchiveString(out, record.m_RateFrame.m_strRaw);
    AppendArchiveString(out, record.m_Graph.m_strRaw);
    AppendArchiveString(out, record.m_Ping.m_strRaw);
    // Always six strings, even for a document that came from an older file.
    AppendArchiveString(out, record.m_TraceRoute.m_strRaw);
    return out;
}

DocumentStatus LoadDocument(std::string_view bytes, DocumentVersions& versions, TestRecord& record)
{
    ArchiveStringReader reader(bytes);
    if (!reader.ReadString(versions.m_strVersion1) || !reader.ReadString(versions.m_strVersion2) ||
        !reader.ReadString(record.m_RateFrame.m_strRaw) ||
        !reader.ReadString(record.m_Graph.m_strRaw) || !reader.ReadString(record.m_Ping.m_strRaw))
        return DocumentStatus::Truncated;
    if (versions.m_strVersion1 == kVersion1Older) {
        record.m_TraceRoute.m_strRaw.clear();
        return DocumentStatus::Ok;
    }
    return reader.ReadString(record.m_TraceRoute.m_strRaw) ? DocumentStatus::Ok
                                                           : DocumentStatus::Truncated;
}

void ParseDocumentSections(TestRecord& record)
{
    record.m_RateFrame.ParseRateFrame();
    record.m_Graph.ParseGraph();
    record.m_Ping.ParsePing();
    record.m_TraceRoute.ParseTraceRoute();
}

DocumentStatus OpenDocument(std::string_view bytes, DocumentVersions& versions, TestRecord& record)
{
    DocumentVersions read;
    TestRecord loaded;
    const DocumentStatus status = LoadDocument(bytes, read, loaded);
    if (status != DocumentStatus::Ok)
        return status;
    if (!read.IsAccepted())
        return DocumentStatus::UnknownVersion;
    ParseDocumentSections(loaded);
    versions = std::move(read);
    record = std::move(loaded);
    return DocumentStatus::Ok;
}

DocumentStatus ReadFileBytes(const std::string& path, std::string& bytes, std::string* pReason)
{
    // Not blocking keeps a named pipe from hanging the open; it is refused below.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info = {};
    if (!fd.IsOpen() || ::fstat(fd.Get(), &info) != 0) {
        FailWithErrno(pReason, errno);
        return DocumentStatus::CannotRead;
    }
    if (S_ISDIR(info.st_mode)) {
        FailWithErrno(pReason, EISDIR);
        return DocumentStatus::CannotRead;
    }
    if (!S_ISREG(info.st_mode)) {
        Fail(pReason, "not a regular file");
        return DocumentStatus::CannotRead;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > kMaxDocumentFileSize) {
        Fail(pReason, "the file is far larger than any test document");
        return DocumentStatus::CannotRead;
    }
    std::string contents(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t filled = 0;
    while (filled < contents.size()) {
        const ssize_t got = ::read(fd.Get(), contents.data() + filled, contents.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            FailWithErrno(pReason, errno);
            return DocumentStatus::CannotRead;
        }
        if (got == 0) {
            Fail(pReason, "the file became shorter while it was read");
            return DocumentStatus::CannotRead;
        }
        filled += static_cast<std::size_t>(got);
    }
    bytes = std::move(contents);
    return DocumentStatus::Ok;
}

DocumentStatus WriteFileAtomically(const std::string& path, std::string_view bytes,
                                   std::string* pReason)
{
    std::error_code error;
    // Saving over a link replaces the file it points to, not the link.
    fs::path target = path;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        target = fs::canonical(path, error);
        if (error) {
            Fail(pReason, error.message());
            return DocumentStatus::CannotWrite;
        }
    }
    fs::path temporary;
    if (!WriteTemporary(target, bytes, temporary, pReason))
        return DocumentStatus::CannotWrite;
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        FailWithErrno(pReason, errno);
        ::unlink(temporary.c_str());
        return DocumentStatus::CannotWrite;
    }
    SyncFolder(target);
    return DocumentStatus::Ok;
}

std::string DescribeDocumentStatus(DocumentStatus status, const std::string& path,
                                   const std::string& reason)
{
    std::string sentence = StatusSentence(status, path);
    if (!reason.empty() && status != DocumentStatus::Ok)
        sentence += " The system reports: " + reason + ".";
    return sentence;
}
