// lmxtool export: document files as one CSV table for a spreadsheet.

#include "records/atomicfile.h"
#include "records/documentfile.h"
#include "records/recordcsv.h"
#include "tools/failuretext.h"
#include "tools/toolcommands.h"

#include <cstdio>
#include <filesystem>
#include <optional>

namespace {

struct ExportOptions
{
    std::string csvPath = "-"; // "-" is stdout
    std::vector<std::string> documentPaths;
};

// The options, or the usage message when they do not make a command.
std::optional<std::string> ParseExportOptions(const ToolArgs& args, ExportOptions& options)
{
    bool csvGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--csv" && i + 1 < args.size() && !csvGiven) {
            options.csvPath = args[++i];
            csvGiven = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "export: unexpected or incomplete option '" + arg + "'";
        } else {
            options.documentPaths.push_back(arg);
        }
    }
    if (options.documentPaths.empty())
        return "export needs at least one document file";
    return std::nullopt;
}

int WriteCsv(const std::string& path, const std::string& csv)
{
    if (path == "-")
        return WriteStandardOutput(csv);
    FileError error;
    const DocumentStatus status = WriteFileAtomically(path, csv, &error);
    if (status != DocumentStatus::Ok) {
        std::fprintf(stderr, "lmxtool: %s\n", DescribeDocumentStatus(status, path, error).c_str());
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace

int RunExport(const ToolArgs& args)
{
    ExportOptions options;
    if (const auto usage = ParseExportOptions(args, options))
        return UsageError(*usage);

    std::string csv = RecordCsvHeader();
    int rowCount = 0;
    for (const std::string& path : options.documentPaths) {
        DocumentVersions versions;
        TestRecord record;
        if (!OpenDocumentOrSayWhy(path, versions, record))
            continue;
        csv += RecordCsvRow(std::filesystem::path(path).filename().string(), record);
        ++rowCount;
    }
    // A run where no file opened leaves an earlier export in place.
    if (rowCount == 0)
        return kExitFailed;
    const bool allOpened = static_cast<std::size_t>(rowCount) == options.documentPaths.size();
    return WriteCsv(options.csvPath, csv) == kExitOk && allOpened ? kExitOk : kExitFailed;
}
