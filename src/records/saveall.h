#pragma once

#include "records/fileerror.h"
#include "records/testrecord.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Writing a file for every DB that holds a test into one folder: the
// documents of Save All and lmxtool download --out, the PDFs of a day's
// reports.

// The user information as a piece of a file name: UTF-8, without path
// separators, control characters or the characters other systems refuse
// (each becomes '_'), without leading dots or spaces, without trailing dots
// or spaces, at most kMaxUserInfoNameChars characters.
inline constexpr std::size_t kMaxUserInfoNameChars = 60;
std::string FileNameSafeUserInfo(std::string_view latin1UserInfo);

// "DB03 Kim Apt 301.lmx", or "DB03.lmx" without user information; the
// extension includes its dot.
std::string DbFileName(int nDb, const TestRecord& record, std::string_view extension);

enum class SaveAllOutcome
{
    Saved,
    SkippedExists, // a file of that name was there and was kept
    Failed,        // m_error says why; a full disk stops the batch here
};

struct SaveAllResult
{
    int m_nDb = 0;
    std::string m_strPath;
    SaveAllOutcome m_Outcome = SaveAllOutcome::Saved;
    FileError m_error; // for Failed: why the file could not be written
};

// What to do with a file that is already there.
enum class OverwriteChoice
{
    Overwrite,
    Keep,
    StopSaving, // keep it and save no further DBs
};
using OverwriteQuestion = std::function<OverwriteChoice(const std::string& strPath)>;
// Called before each DB that holds a test is handled: how many are done, of how many.
using SaveAllProgress = std::function<void(int nDone, int nTotal)>;

// A DB's file as bytes; nullopt when it cannot be made.
using DbFileBytes = std::function<std::optional<std::string>(int nDb, const TestRecord& record)>;

// Writes a file named by DbFileName for each of DBs 1..20 that holds a test
// into strDirectory (which must exist), in DB order, each atomically.
// Anything under a file's name, a dangling link too, is kept unless
// askOverwrite says otherwise; a symbolic link is then replaced itself,
// never written through, so a link planted in the folder cannot send a
// file elsewhere. A failure on one file does not stop the others, but a
// full disk (or the size limit for a file) does: every later file would
// fail too. Returns one result per DB handled; after StopSaving or a full
// disk the later DBs have none.
std::vector<SaveAllResult> WriteFilePerDb(const RecordTable& records,
                                          const std::string& strDirectory,
                                          std::string_view extension, const DbFileBytes& makeBytes,
                                          const OverwriteQuestion& askOverwrite,
                                          const SaveAllProgress& progress = {});
// True when the batch stopped at its last result because the disk is full.
bool StoppedOutOfRoom(const std::vector<SaveAllResult>& results);

// A DB's record as a document file.
std::optional<std::string> DbDocumentBytes(int nDb, const TestRecord& record);

// WriteFilePerDb with the records as documents (".lmx").
std::vector<SaveAllResult> SaveAllDbs(const RecordTable& records, const std::string& strDirectory,
                                      const OverwriteQuestion& askOverwrite,
                                      const SaveAllProgress& progress = {});
std::vector<SaveAllResult> SaveAllDbs(const RecordTable& records, const std::string& strDirectory,
                                      bool bOverwrite);
