// lmx4410-sim: plays the LMX-4410 on a pseudo-terminal, so the program can
// download from it as from a tester on a serial port.

#include "sampleset.h"
#include "simulatedtester.h"
#include "testersimulator.h"

#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: lmx4410-sim [--data DIR] [--fast] [--prompt-delay MS] [--silent]\n"
    "                   [--stall-after N] [--hang-up-after N] [--garbage] [--split-headers] "
    "[--echo]\n"
    "\n"
    "Prints the device to download from on its first line, then serves until killed.\n"
    "  --data DIR         test slots from DIR (DBnn.rate-frame, DBnn.graph, DBnn.ping,\n"
    "                     DBnn.trace-route for nn = 01..20) instead of the built-in set\n"
    "  --fast             send at once instead of at 9600 baud (960 bytes a second)\n"
    "  --prompt-delay MS  wait before answering a wake-up with '>'\n"
    "  --silent           never answer the wake-up\n"
    "  --stall-after N    go quiet after N bytes, once; a later wake-up is answered again\n"
    "  --hang-up-after N  close the line after N bytes and exit\n"
    "  --garbage          send noise before every prompt\n"
    "  --split-headers    pause inside every DB header, so headers straddle reads\n"
    "  --echo             send each command back before its answer\n";

struct CommandLine
{
    std::string m_strDataDirectory;
    SimulatorOptions m_options;
};

bool ParseCount(const char* pszText, std::uint64_t& nValue)
{
    const char* pEnd = pszText + std::strlen(pszText);
    const auto [pStop, error] = std::from_chars(pszText, pEnd, nValue);
    return *pszText && error == std::errc() && pStop == pEnd;
}

bool ParseOptions(int argc, char** argv, CommandLine& commandLine)
{
    SimulatorOptions& options = commandLine.m_options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool bHasValue = i + 1 < argc;
        std::uint64_t nValue = 0;
        if (option == "--fast") {
            options.m_bPaced = false;
        } else if (option == "--silent") {
            options.m_behaviour.m_bSilent = true;
        } else if (option == "--garbage") {
            options.m_behaviour.m_bGarbage = true;
        } else if (option == "--split-headers") {
            options.m_behaviour.m_bSplitHeaders = true;
        } else if (option == "--echo") {
            options.m_behaviour.m_bEcho = true;
        } else if (option == "--data" && bHasValue) {
            commandLine.m_strDataDirectory = argv[++i];
        } else if (option == "--prompt-delay" && bHasValue && ParseCount(argv[++i], nValue)) {
            options.m_behaviour.m_promptDelay = std::chrono::milliseconds(nValue);
        } else if (option == "--stall-after" && bHasValue && ParseCount(argv[++i], nValue)) {
            options.m_nStallAfter = nValue;
        } else if (option == "--hang-up-after" && bHasValue && ParseCount(argv[++i], nValue)) {
            options.m_nHangUpAfter = nValue;
        } else {
            std::fprintf(stderr, "lmx4410-sim: unexpected or incomplete option '%s'\n%s", argv[i],
                         kUsage);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return EXIT_SUCCESS;
    }
    CommandLine commandLine;
    if (!ParseOptions(argc, argv, commandLine))
        return 2;

    RecordTable data = BuiltInSampleSet();
    std::string strError;
    if (!commandLine.m_strDataDirectory.empty() &&
        !LoadSimulatorData(commandLine.m_strDataDirectory, data, strError)) {
        std::fprintf(stderr, "lmx4410-sim: %s\n", strError.c_str());
        return EXIT_FAILURE;
    }

    CSimulatedTester tester;
    if (!tester.Start(data, commandLine.m_options)) {
        std::fprintf(stderr, "lmx4410-sim: %s\n", tester.LastError().c_str());
        return EXIT_FAILURE;
    }
    std::printf("%s\n", tester.DevicePath().c_str());
    std::fflush(stdout);
    switch (tester.Serve()) {
    case SimulatorEnd::Stopped:
    case SimulatorEnd::HungUp: return EXIT_SUCCESS;
    case SimulatorEnd::LineLost: return EXIT_FAILURE;
    case SimulatorEnd::Failed:
        std::fprintf(stderr, "lmx4410-sim: %s\n", tester.LastError().c_str());
        return EXIT_FAILURE;
    }
    return EXIT_FAILURE;
}
