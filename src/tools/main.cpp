// lmxtool: the companion program's command-line front end.

#include "tools/console.h"
#include "tools/toolcommands.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

struct Command
{
    const char* name;
    int (*run)(const ToolArgs&);
    const char* synopsis;
    const char* description; // what `lmxtool NAME --help` adds to the synopsis
};

const Command kCommands[] = {
    {"parse", RunParse,
     "parse SECTION TEXT   (SECTION: ping, rate-frame, graph, ap-list, trace-route)",
     "Parses TEXT as the tester sends that section and prints the fields as JSON.\n"},
    {"make", RunMake,
     "make -o FILE [--rate-frame TEXT] [--graph TEXT] [--ping TEXT] [--trace-route TEXT] "
     "[--versions V1 V2]",
     "Writes a test document holding the section texts given (the others empty),\n"
     "with the version texts V1 and V2 instead of the current ones when asked.\n"},
    {"dump", RunDump, "dump FILE",
     "Opens FILE as the program's File Open does and prints its record as JSON.\n"},
#if LMX_TOOL_HAS_REPORTS
    {"report", RunReport, "report FILE [--pdf OUT.pdf] [--png PREFIX [--dpi N]] [--layout]",
     "Composes FILE's test report and writes it as a PDF, as PNG pages PREFIX-1.png,\n"
     "PREFIX-2.png (N dots per inch, 150 unless given), or prints its layout as JSON.\n"},
#endif
    {"download", RunDownload,
     "download --port PORT [--timeout S] --out DIR [--log FILE] [--force]   (PORT: a number or a "
     "device path; --force also replaces an existing log FILE)",
     "Downloads the tester's 20 DBs and saves each that holds a test in DIR as\n"
     "\"DBnn <user information>.lmx\"; waits S seconds (10) for the tester to answer;\n"
     "keeps existing files unless --force; --log keeps a session log of the line.\n"},
    {"export", RunExport, "export [--csv OUT.csv] FILES...   (no --csv or '-': to stdout)",
     "Writes one CSV row per document (UTF-8 with a byte order mark).\n"},
};

bool AsksForHelp(const ToolArgs& args)
{
    return std::any_of(args.begin(), args.end(),
                       [](const std::string& arg) { return arg == "--help" || arg == "-h"; });
}

void PrintUsage(std::FILE* out)
{
    std::fprintf(out, "usage:\n");
    for (const Command& command : kCommands)
        std::fprintf(out, "  lmxtool %s\n", command.synopsis);
}

} // namespace

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "lmxtool: %s\n", message.c_str());
    PrintUsage(stderr);
    return kExitUsage;
}

int WriteStandardOutput(std::string_view bytes)
{
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "lmxtool: cannot write the output.\n");
        return kExitFailed;
    }
    return kExitOk;
}

int main(int argc, char** argv)
{
    UseBinaryStandardOutput();
    if (argc < 2)
        return UsageError("no command given");
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintUsage(stdout);
        return kExitOk;
    }
    const ToolArgs args(argv + 2, argv + argc);
    for (const Command& command : kCommands) {
        if (std::strcmp(argv[1], command.name) != 0)
            continue;
        if (AsksForHelp(args)) {
            std::printf("usage: lmxtool %s\n\n%s", command.synopsis, command.description);
            return kExitOk;
        }
        return command.run(args);
    }
#if !LMX_TOOL_HAS_REPORTS
    if (std::strcmp(argv[1], "report") == 0)
        return UsageError("report is not in this build: reports are drawn with Qt, which this "
                          "build of lmxtool leaves out (a build with LMX_BUILD_GUI=ON has it)");
#endif
    return UsageError(std::string("unknown command '") + argv[1] + "'");
}
