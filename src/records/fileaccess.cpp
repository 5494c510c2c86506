#include "fileaccess.h"

#include "documentfile.h"

#include <atomic>
#include <random>
#include <system_error>

namespace fileaccess {

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

std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    std::filesystem::path temporary = target;
    temporary += ".saving-" + std::to_string(random()) + "-" + std::to_string(++counter);
    return temporary;
}

} // namespace fileaccess

DocumentStatus WriteFileAtomically(const std::string& path, std::string_view bytes,
                                   std::string* pReason)
{
    namespace fs = std::filesystem;
    std::error_code error;
    // Saving over a link replaces the file it points to, not the link.
    fs::path target = path;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        target = fs::canonical(path, error);
        if (error) {
            fileaccess::Fail(pReason, error.message());
            return DocumentStatus::CannotWrite;
        }
    }
    fs::path temporary;
    if (!fileaccess::WriteTemporary(target, bytes, temporary, pReason) ||
        !fileaccess::ReplaceWithTemporary(temporary, target, pReason))
        return DocumentStatus::CannotWrite;
    return DocumentStatus::Ok;
}
