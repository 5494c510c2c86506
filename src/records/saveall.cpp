#include "records/saveall.h"

#include "records/atomicfile.h"
#include "records/documentfile.h"
#include "records/latin1text.h"

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace {

bool IsControl(unsigned char ch)
{
    return ch < 0x20 || (ch >= 0x7F && ch < 0xA0);
}

bool IsRefusedByFileSystems(unsigned char ch)
{
    return std::string_view("/\\:*?\"<>|").find(static_cast<char>(ch)) != std::string_view::npos;
}

} // namespace

std::string FileNameSafeUserInfo(std::string_view latin1UserInfo)
{
    std::string strSafe;
    for (const char c : latin1UserInfo) {
        const auto ch = static_cast<unsigned char>(c);
        const bool bUnwanted = IsControl(ch) || IsRefusedByFileSystems(ch);
        // A name starting with a dot is hidden, one starting with a space is
        // easily mistyped.
        if (strSafe.empty() && (c == '.' || c == ' ' || (bUnwanted && IsControl(ch))))
            continue;
        strSafe.push_back(bUnwanted ? '_' : c);
        if (strSafe.size() == kMaxUserInfoNameChars)
            break;
    }
    while (!strSafe.empty() && (strSafe.back() == '.' || strSafe.back() == ' '))
        strSafe.pop_back();
    std::string strUtf8;
    AppendLatin1AsUtf8(strUtf8, strSafe);
    return strUtf8;
}

std::string DbFileName(int nDb, const TestRecord& record, std::string_view extension)
{
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "DB%02d", nDb);
    std::string strName = prefix;
    const std::string strUserInfo = FileNameSafeUserInfo(record.m_RateFrame.m_strUserInfo);
    if (!strUserInfo.empty())
        strName += " " + strUserInfo;
    strName += extension;
    return strName;
}

std::vector<SaveAllResult> WriteFilePerDb(const RecordTable& records,
                                          const std::string& strDirectory,
                                          std::string_view extension, const DbFileBytes& makeBytes,
                                          const OverwriteQuestion& askOverwrite,
                                          const SaveAllProgress& progress)
{
    const std::vector<int> anDbs = DbsWithTest(records);
    const int nTotal = static_cast<int>(anDbs.size());
    std::vector<SaveAllResult> results;
    int nDone = 0;
    for (const int nDb : anDbs) {
        const TestRecord& record = records[static_cast<std::size_t>(nDb)];
        if (progress)
            progress(nDone++, nTotal);
        SaveAllResult result;
        result.m_nDb = nDb;
        result.m_strPath =
            (std::filesystem::path(strDirectory) / DbFileName(nDb, record, extension)).string();
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(result.m_strPath, error))) {
            const OverwriteChoice choice = askOverwrite(result.m_strPath);
            if (choice != OverwriteChoice::Overwrite) {
                result.m_Outcome = SaveAllOutcome::SkippedExists;
                results.push_back(result);
                if (choice == OverwriteChoice::StopSaving)
                    break;
                continue;
            }
        }
        const std::optional<std::string> bytes = makeBytes(nDb, record);
        if (!bytes) {
            result.m_Outcome = SaveAllOutcome::Failed;
            result.m_error.m_problem = FileProblem::Other;
        } else if (WriteFileAtomically(result.m_strPath, *bytes, &result.m_error,
                                       LinkAtTarget::Replace) != DocumentStatus::Ok)
            result.m_Outcome = SaveAllOutcome::Failed;
        results.push_back(result);
        if (result.m_Outcome == SaveAllOutcome::Failed && IsOutOfRoom(result.m_error))
            break;
    }
    return results;
}

bool StoppedOutOfRoom(const std::vector<SaveAllResult>& results)
{
    return !results.empty() && results.back().m_Outcome == SaveAllOutcome::Failed &&
           IsOutOfRoom(results.back().m_error);
}

std::optional<std::string> DbDocumentBytes(int, const TestRecord& record)
{
    return StoreDocument(DocumentVersions(), record);
}

std::vector<SaveAllResult> SaveAllDbs(const RecordTable& records, const std::string& strDirectory,
                                      const OverwriteQuestion& askOverwrite,
                                      const SaveAllProgress& progress)
{
    return WriteFilePerDb(records, strDirectory, ".lmx", DbDocumentBytes, askOverwrite, progress);
}

std::vector<SaveAllResult> SaveAllDbs(const RecordTable& records, const std::string& strDirectory,
                                      bool bOverwrite)
{
    const OverwriteChoice choice = bOverwrite ? OverwriteChoice::Overwrite : OverwriteChoice::Keep;
    return SaveAllDbs(records, strDirectory, [choice](const std::string&) { return choice; });
}
