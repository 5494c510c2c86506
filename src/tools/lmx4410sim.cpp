// lmx4410-sim: plays the LMX-4410 on a pseudo-terminal, so the program can
// download from it as from a tester on a serial port.

#include "link/sessionlog.h"
#include "simulator/dataanswers.h"
#include "simulator/replayanswers.h"
#include "simulator/sampleset.h"
#include "simulator/simulatedtester.h"
#include "simulator/testersimulator.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: lmx4410-sim [--data DIR] [--fast] [--prompt-delay MS] [--silent]\n"
    "                   [--stall-after N] [--hang-up-after N] [--garbage] [--split-headers] "
    "[--echo]\n"
    "                   [--timing-log FILE]\n"
    "       lmx4410-sim --replay LOG [--fast] [--stall-after N] [--hang-up-after N]\n"
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
    "  --echo             send each command back before its answer\n"
    "  --timing-log FILE  write to FILE when each line from the program arrives and\n"
    "                     when each prompt and answer has been sent, in milliseconds\n"
    "                     since the start, to measure the program's pauses\n"
    "  --replay LOG       play the tester of a session log (lmxtool download --log):\n"
    "                     each line the program sends that the log shows it sending is\n"
    "                     answered with what it received then, after the log's pauses\n"
    "                     (at most 2 s each; --fast: at once); other lines get no answer\n";

struct CommandLine
{
    std::string m_strDataDirectory;
    std::string m_strReplayLog;
    std::string m_strTimingLog;
    SimulatorOptions m_options;
    // An option that only a tester holding data knows, for the clash with --replay.
    std::string m_strDataOption;
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
        const bool bDataOption = option == "--silent" || option == "--garbage" ||
                                 option == "--split-headers" || option == "--echo" ||
                                 option == "--data" || option == "--prompt-delay";
        if (bDataOption)
            commandLine.m_strDataOption = option;
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
        } else if (option == "--timing-log" && bHasValue) {
            commandLine.m_strTimingLog = argv[++i];
        } else if (option == "--replay" && bHasValue) {
            commandLine.m_strReplayLog = argv[++i];
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
    if (!commandLine.m_strReplayLog.empty() && !commandLine.m_strDataOption.empty()) {
        std::fprintf(stderr,
                     "lmx4410-sim: --replay plays the log's tester; %s does not go with it\n%s",
                     commandLine.m_strDataOption.c_str(), kUsage);
        return false;
    }
    return true;
}

// The tester of the command line: the one of the replayed log, or one holding
// the built-in set or the data directory's. Nothing, with the reason printed,
// when the log or the directory cannot be read.
std::unique_ptr<ITesterAnswers> MakeAnswers(const CommandLine& commandLine)
{
    std::string strError;
    if (!commandLine.m_strReplayLog.empty()) {
        std::vector<SessionLogEntry> entries;
        if (ReadSessionLog(commandLine.m_strReplayLog, entries, strError))
            return std::make_unique<CReplayAnswers>(entries, commandLine.m_options.m_bPaced);
    } else {
        RecordTable data = BuiltInSampleSet();
        if (commandLine.m_strDataDirectory.empty() ||
            LoadSimulatorData(commandLine.m_strDataDirectory, data, strError))
            return std::make_unique<CDataAnswers>(data, commandLine.m_options.m_behaviour);
    }
    std::fprintf(stderr, "lmx4410-sim: %s\n", strError.c_str());
    return nullptr;
}

// "1234.567 received forpc rtrvinfo" and "2235.001 sent": one line per
// event, flushed at once so a reader sees it while the tester serves.
std::function<void(const LineEvent&)> TimingLogWriter(std::FILE* pFile)
{
    const auto start = std::chrono::steady_clock::now();
    return [pFile, start](const LineEvent& event) {
        const double nMs = std::chrono::duration<double, std::milli>(event.m_time - start).count();
        if (event.m_kind == LineEvent::Kind::AllSent) {
            std::fprintf(pFile, "%.3f sent\n", nMs);
        } else {
            std::string strLine = event.m_strLine;
            while (!strLine.empty() && (strLine.back() == '\n' || strLine.back() == '\r'))
                strLine.pop_back();
            std::fprintf(pFile, "%.3f received %s\n", nMs, strLine.c_str());
        }
        std::fflush(pFile);
    };
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

    std::unique_ptr<ITesterAnswers> pAnswers = MakeAnswers(commandLine);
    if (!pAnswers)
        return EXIT_FAILURE;
    // A replayed tester keeps the log's own pace rather than the line's.
    SimulatorOptions options = commandLine.m_options;
    if (!commandLine.m_strReplayLog.empty())
        options.m_bPaced = false;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> pTimingLog(nullptr, &std::fclose);
    if (!commandLine.m_strTimingLog.empty()) {
        pTimingLog.reset(std::fopen(commandLine.m_strTimingLog.c_str(), "w"));
        if (!pTimingLog) {
            std::fprintf(stderr, "lmx4410-sim: cannot write %s: %s\n",
                         commandLine.m_strTimingLog.c_str(), std::strerror(errno));
            return EXIT_FAILURE;
        }
        options.m_onLineEvent = TimingLogWriter(pTimingLog.get());
    }

    CSimulatedTester tester;
    if (!tester.Start(std::move(pAnswers), options)) {
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
