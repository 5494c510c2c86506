#pragma once

#include <string>
#include <string_view>
#include <vector>

// Each lmxtool subcommand takes its own arguments (after the subcommand name)
// and returns the process exit code: 0 done, 1 failed, 2 bad usage.
using ToolArgs = std::vector<std::string>;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

int RunParse(const ToolArgs& args);
int RunMake(const ToolArgs& args);
int RunDump(const ToolArgs& args);
int RunReport(const ToolArgs& args);
int RunDownload(const ToolArgs& args);
int RunExport(const ToolArgs& args);

// Prints "lmxtool: <message>" and the usage hint on stderr; returns kExitUsage.
int UsageError(const std::string& message);

// Writes bytes to stdout and flushes it; a full disk or a closed pipe prints
// "lmxtool: cannot write the output." and gives kExitFailed, else kExitOk.
int WriteStandardOutput(std::string_view bytes);
