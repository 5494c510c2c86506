#pragma once

#include <chrono>
#include <string>

// Names that carry the local date and time: the one place a time point
// becomes local broken-down time.

// strftime's pattern over the local time at when.
std::string FormatLocalTime(std::chrono::system_clock::time_point when, const char* pszPattern);

// "LMX-4410 2026-12-09 0830": the folder a day's download goes into, and the
// stem of the files proposed for it.
std::string DefaultSaveAllFolderName(std::chrono::system_clock::time_point when);

// "session-YYYYMMDD-HHMMSS.log": the session log started at when.
std::string SessionLogFileName(std::chrono::system_clock::time_point when);
