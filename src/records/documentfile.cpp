#include "documentfile.h"

#include "archivestring.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace {

// No document comes near this: four texts of a tester's answers.
constexpr std::uintmax_t kMaxDocumentFileSize = 64u * 1024u * 1024u;

// A name beside target that no other file has, for writing the new contents
// before they replace the old.
std::filesystem::path UniqueSiblingName(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    for (;;) {
        std::filesystem::path candidate = target;
        candidate += ".saving-" + std::to_string(random()) + "-" + std::to_string(++counter);
        std::error_code error;
        if (!std::filesystem::exists(candidate, error))
            return candidate;
    }
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

DocumentStatus OpenDocument(std::string_view bytes, DocumentVersions& versions, TestRecord& record)
{
    TestRecord loaded;
    const DocumentStatus status = LoadDocument(bytes, versions, loaded);
    if (status != DocumentStatus::Ok)
        return status;
    if (!versions.IsAccepted())
        return DocumentStatus::UnknownVersion;
    loaded.m_RateFrame.ParseRateFrame();
    loaded.m_Graph.ParseGraph();
    loaded.m_Ping.ParsePing();
    loaded.m_TraceRoute.ParseTraceRoute();
    record = std::move(loaded);
    return DocumentStatus::Ok;
}

DocumentStatus ReadFileBytes(const std::string& path, std::string& bytes)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxDocumentFileSize)
        return DocumentStatus::CannotRead;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return DocumentStatus::CannotRead;
    bytes.resize(static_cast<std::size_t>(size));
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size))
        return DocumentStatus::CannotRead;
    return DocumentStatus::Ok;
}

DocumentStatus WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    namespace fs = std::filesystem;
    std::error_code error;
    // Saving over a link replaces the file it points to, not the link.
    fs::path target = path;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        target = fs::canonical(path, error);
        if (error)
            return DocumentStatus::CannotWrite;
    }
    const fs::path temporary = UniqueSiblingName(target);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        // Closing flushes what is still buffered; a full disk can show up only
        // then, and the old file must not be replaced by a short one.
        out.close();
        if (!out) {
            fs::remove(temporary, error);
            return DocumentStatus::CannotWrite;
        }
    }
    // The saved file keeps the permissions the old one had.
    const fs::file_status old = fs::status(target, error);
    if (!error && fs::exists(old))
        fs::permissions(temporary, old.permissions(), error);
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        return DocumentStatus::CannotWrite;
    }
    return DocumentStatus::Ok;
}

std::string DescribeDocumentStatus(DocumentStatus status, const std::string& path)
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
