#include "records/fileaccess.h"

#include "records/fileaccessdetail.h"

#include <atomic>
#include <cerrno>
#include <random>
#include <system_error>

namespace {

FileProblem ProblemOfErrno(int nError)
{
    switch (nError) {
    case ENOENT:
    case ENOTDIR: return FileProblem::NotFound;
    case EACCES:
    case EPERM: return FileProblem::NoPermission;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return FileProblem::NoSpace;
    case EFBIG: return FileProblem::TooLarge;
    case EROFS: return FileProblem::ReadOnly;
    case EISDIR: return FileProblem::IsAFolder;
    default: return FileProblem::Other;
    }
}

} // namespace

FileError FileErrorFromErrno(int nError)
{
    return FileError{ProblemOfErrno(nError), std::generic_category().message(nError)};
}

bool IsOutOfRoom(const FileError& error)
{
    return error.m_problem == FileProblem::NoSpace || error.m_problem == FileProblem::TooLarge;
}

namespace fileaccess {

bool Fail(FileError* pError, FileProblem problem)
{
    if (pError)
        *pError = FileError{problem, {}};
    return false;
}

bool FailWithErrno(FileError* pError, int nError)
{
    if (pError)
        *pError = FileErrorFromErrno(nError);
    return false;
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
