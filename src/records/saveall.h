#pragma once

#include "fileaccess.h"
#include "testrecord.h"

#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Saving every DB that holds a test as its own document file in one folder,
// as the program's Save All and lmxtool download --out do.

// The user information as a piece of a file name: UTF-8, without path
// separators, control characters or the characters other systems refuse
// (each becomes '_'), without leading dots or spaces, without trailing dots
// or spaces, at most kMaxUserInfoNameChars characters.
inline constexpr std::size_t kMaxUserInfoNameChars = 60;
std::string FileNameSafeUserInfo(std::string_view latin1UserInfo);

// "DB03 Kim Apt 301.lmx", or "DB03.lmx" without user information; the
// extension includes its dot.
std::string DbFileName(int nDb, const TestRecord& record, std::string_view extension);

// "LMX-4410 2026-12-09 0830": the folder a day's download goes into.
std::string DefaultSaveAllFolderName(const std::tm& time);

enum class SaveAllOutcome
{
    Saved,
    SkippedExists, // a file of that name was there and was kept
    Failed,
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

// Saves DBs 1..20 that hold a test into strDirectory (which must exist) in
// DB order. A failure on one file does not stop the others. Returns one
// result per DB handled; after StopSaving the later DBs have none.
std::vector<SaveAllResult> SaveAllDbs(const RecordTable& records, const std::string& strDirectory,
                                      const OverwriteQuestion& askOverwrite,
                                      const SaveAllProgress& progress = {});
std::vector<SaveAllResult> SaveAllDbs(const RecordTable& records, const std::string& strDirectory,
                                      bool bOverwrite);
