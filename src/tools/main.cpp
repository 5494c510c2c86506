// lmxtool: the companion program's command-line front end.

#include "console.h"
#include "toolcommands.h"

#include <cstdio>
#include <cstring>

namespace {

struct Command
{
    const char* name;
    int (*run)(const ToolArgs&);
    const char* synopsis;
};

const Command kCommands[] = {
    {"parse", RunParse,
     "parse SECTION TEXT   (SECTION: ping, rate-frame, graph, ap-list, trace-route)"},
    {"make", RunMake,
     "make -o FILE [--rate-frame TEXT] [--graph TEXT] [--ping TEXT] [--trace-route TEXT] "
     "[--versions V1 V2]"},
    {"dump", RunDump, "dump FILE"},
#if LMX_TOOL_HAS_REPORTS
    {"report", RunReport, "report FILE [--pdf OUT.pdf] [--png PREFIX [--dpi N]] [--layout]"},
#endif
    {"download", RunDownload,
     "download --port PORT [--timeout S] --out DIR [--log FILE] [--force]   (PORT: a number or a "
     "device path; --force also replaces an existing log FILE)"},
    {"export", RunExport, "export [--csv OUT.csv] FILES...   (no --csv or '-': to stdout)"},
};

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
        if (std::strcmp(argv[1], command.name) == 0)
            return command.run(args);
    }
#if !LMX_TOOL_HAS_REPORTS
    if (std::strcmp(argv[1], "report") == 0)
        return UsageError("report is not in this build: reports are drawn with Qt, which this "
                          "build of lmxtool leaves out (a build with LMX_BUILD_GUI=ON has it)");
#endif
    return UsageError(std::string("unknown command '") + argv[1] + "'");
}
