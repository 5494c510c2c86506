#include "records/atomicfile.h"

#include "records/fileaccessdetail.h"

#include <filesystem>
#include <system_error>

DocumentStatus WriteFileAtomically(const std::string& path, std::string_view bytes,
                                   FileError* pError, LinkAtTarget link)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path target = path;
    if (link == LinkAtTarget::SaveThrough && fs::is_symlink(fs::symlink_status(path, error))) {
        target = fs::canonical(path, error);
        if (error) {
            fileaccess::FailWithErrno(pError, error.value());
            return DocumentStatus::CannotWrite;
        }
    }
    fs::path temporary;
    if (!fileaccess::WriteTemporary(target, bytes, temporary, pError) ||
        !fileaccess::ReplaceWithTemporary(temporary, target, pError))
        return DocumentStatus::CannotWrite;
    return DocumentStatus::Ok;
}
