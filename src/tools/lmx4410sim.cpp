// lmx4410-sim: plays the LMX-4410 on a pseudo-terminal, so the program can
// download from it as from a tester on a serial port.

#include "pacedline.h"
#include "sampleset.h"
#include "testersimulator.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

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

struct SimulatorOptions
{
    std::string m_strDataDirectory;
    bool m_bPaced = true;
    SimulatorBehaviour m_behaviour;
    std::optional<std::uint64_t> m_nStallAfter;
    std::optional<std::uint64_t> m_nHangUpAfter;
};

bool ParseCount(const char* pszText, std::uint64_t& nValue)
{
    const char* pEnd = pszText + std::strlen(pszText);
    const auto [pStop, error] = std::from_chars(pszText, pEnd, nValue);
    return *pszText && error == std::errc() && pStop == pEnd;
}

bool ParseOptions(int argc, char** argv, SimulatorOptions& options)
{
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
            options.m_strDataDirectory = argv[++i];
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

struct PseudoTerminal
{
    int m_nMaster = -1;
    int m_nSlave = -1;
    std::string m_strSlavePath;
};

bool OpenPseudoTerminal(PseudoTerminal& pty)
{
    pty.m_nMaster = posix_openpt(O_RDWR | O_NOCTTY);
    if (pty.m_nMaster < 0 || grantpt(pty.m_nMaster) != 0 || unlockpt(pty.m_nMaster) != 0)
        return false;
    const char* pszSlave = ptsname(pty.m_nMaster);
    if (!pszSlave)
        return false;
    pty.m_strSlavePath = pszSlave;
    // Holding the slave open keeps the master from seeing a hang-up between
    // the program's downloads. Raw, so the line discipline never echoes what
    // the tester sends back to it while the program has the port closed.
    pty.m_nSlave = open(pszSlave, O_RDWR | O_NOCTTY);
    termios tio{};
    if (pty.m_nSlave < 0 || tcgetattr(pty.m_nSlave, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    if (tcsetattr(pty.m_nSlave, TCSANOW, &tio) != 0)
        return false;
    return fcntl(pty.m_nMaster, F_SETFL, O_NONBLOCK) == 0;
}

// Any line that is not a command wakes the tester: in the middle of an answer
// it breaks the answer off and prompts again (the program gave up on it); a
// prompt already on its way is not repeated.
void HandleLine(const TesterLine& line, const CTesterSimulator& tester,
                const SimulatorBehaviour& behaviour, CPacedLine& output)
{
    if (line.m_request != TesterRequest::Wake) {
        output.Queue(tester.Answer(line));
        return;
    }
    if (behaviour.m_bSilent)
        return;
    if (output.HasAnswerPending())
        output.Clear();
    if (output.IsIdle())
        output.Queue(tester.Prompt());
}

int Serve(const PseudoTerminal& pty, const SimulatorOptions& options, const RecordTable& data)
{
    CTesterSimulator tester(data, options.m_behaviour);
    CPacedLine output(pty.m_nMaster, options.m_bPaced);
    std::optional<std::uint64_t> nStallAfter = options.m_nStallAfter;
    for (;;) {
        std::uint64_t nBudget = UINT64_MAX;
        for (const auto& limit : {nStallAfter, options.m_nHangUpAfter}) {
            if (limit)
                nBudget = std::min(nBudget, *limit - std::min(*limit, output.BytesSent()));
        }
        const auto nextDue = output.SendDue(nBudget);
        if (options.m_nHangUpAfter && output.BytesSent() >= *options.m_nHangUpAfter) {
            close(pty.m_nMaster);
            close(pty.m_nSlave);
            return EXIT_SUCCESS;
        }
        if (nStallAfter && output.BytesSent() >= *nStallAfter) {
            output.Clear();
            nStallAfter.reset();
        }

        int nTimeoutMs = -1;
        if (nextDue) {
            const auto wait =
                std::chrono::ceil<std::chrono::milliseconds>(*nextDue - CPacedLine::Clock::now());
            nTimeoutMs = static_cast<int>(std::max<std::int64_t>(wait.count(), 0));
        }
        pollfd master{pty.m_nMaster,
                      static_cast<short>(POLLIN | (output.IsBlocked() ? POLLOUT : 0)), 0};
        if (poll(&master, 1, nTimeoutMs) < 0 && errno != EINTR) {
            std::perror("lmx4410-sim: poll");
            return EXIT_FAILURE;
        }
        if (!(master.revents & POLLIN)) {
            // The slave is held open here, so a hang-up means the line is gone.
            if (master.revents & (POLLERR | POLLHUP | POLLNVAL))
                return EXIT_FAILURE;
            continue;
        }
        char buffer[512];
        const ssize_t nRead = read(pty.m_nMaster, buffer, sizeof buffer);
        if (nRead <= 0)
            continue;
        for (const TesterLine& line :
             tester.Receive(std::string_view(buffer, static_cast<std::size_t>(nRead))))
            HandleLine(line, tester, options.m_behaviour, output);
    }
}

} // namespace

int main(int argc, char** argv)
{
    SimulatorOptions options;
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return EXIT_SUCCESS;
    }
    if (!ParseOptions(argc, argv, options))
        return 2;

    RecordTable data = BuiltInSampleSet();
    std::string strError;
    if (!options.m_strDataDirectory.empty() &&
        !LoadSimulatorData(options.m_strDataDirectory, data, strError)) {
        std::fprintf(stderr, "lmx4410-sim: %s\n", strError.c_str());
        return EXIT_FAILURE;
    }

    PseudoTerminal pty;
    if (!OpenPseudoTerminal(pty)) {
        std::perror("lmx4410-sim: cannot set up a pseudo-terminal");
        return EXIT_FAILURE;
    }
    std::printf("%s\n", pty.m_strSlavePath.c_str());
    std::fflush(stdout);
    return Serve(pty, options, data);
}
