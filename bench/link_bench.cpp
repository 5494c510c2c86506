// The download's own costs: how much longer a paced download takes than the
// line and the protocol's waits require, and how much processor time an open
// channel and a download that waits for the tester use while nothing happens;
// and what a session log costs.

#include "link/headlessdownload.h"
#include "link/serialchannel.h"
#include "link/sessionlog.h"
#include "processtime.h"
#include "simulator/sampleset.h"
#include "simulator/simulatorprocess.h"
#include "simulator/testersimulator.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <thread>

#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

void StartSimulator(benchmark::State& state, CSimulatorProcess& simulator,
                    const std::vector<std::string>& args)
{
    if (!simulator.Start(LMX_SIMULATOR, args))
        state.SkipWithError("lmx4410-sim does not start");
}

// Bytes / 960 s, plus the first line feed after 1 s, the first command 1 s
// after the prompt, 0.5 s before each of the other three and 0.5 s at the end.
void BM_PacedDownloadOfTheDefaultSet(benchmark::State& state)
{
    const double dNeeded =
        static_cast<double>(DownloadByteCount(BuiltInSampleSet())) / 960.0 + 1.0 + 1.0 + 1.5 + 0.5;
    for (auto _ : state) {
        CSimulatorProcess simulator;
        StartSimulator(state, simulator, {});
        RecordTable records;
        CHeadlessDownload download(records);
        const Clock::time_point start = Clock::now();
        if (download.Run(simulator.DevicePath(), 10, 10s) != DownloadOutcome::Completed)
            state.SkipWithError("the download did not complete");
        const std::chrono::duration<double> elapsed = Clock::now() - start;
        state.SetIterationTime(elapsed.count());
        state.counters["needed_s"] = dNeeded;
        state.counters["measured_s"] = elapsed.count();
        state.counters["over_pct"] = (elapsed.count() / dNeeded - 1.0) * 100.0;
    }
}
BENCHMARK(BM_PacedDownloadOfTheDefaultSet)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

class CIdleOwner final : public ISerialChannelOwner
{
public:
    void PostPortData(int) override {}
    void PostDeviceLost(int) override {}
    void PostChannelMessage(const std::string&) override {}
};

void ReportProcessorShare(benchmark::State& state, double dProcessor, double dWall)
{
    state.SetIterationTime(dWall);
    state.counters["cpu_pct"] = dProcessor / dWall * 100.0;
}

// An open channel whose tester says nothing: the watch thread must sleep.
void BM_IdleOpenChannel(benchmark::State& state)
{
    for (auto _ : state) {
        CSimulatorProcess simulator;
        StartSimulator(state, simulator, {"--silent"});
        CIdleOwner owner;
        CSerialChannel channel;
        if (channel.Open(owner, simulator.DevicePath(), 9600) != OpenStatus::Ok)
            state.SkipWithError("the channel does not open");
        const double dProcessor = ProcessorSeconds();
        const Clock::time_point start = Clock::now();
        std::this_thread::sleep_for(3s);
        const std::chrono::duration<double> wall = Clock::now() - start;
        ReportProcessorShare(state, ProcessorSeconds() - dProcessor, wall.count());
    }
}
BENCHMARK(BM_IdleOpenChannel)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// A download waiting for a silent tester's prompt: ten ticks a second and a
// line feed each second, until its time-out.
void BM_DownloadWaitingForThePrompt(benchmark::State& state)
{
    for (auto _ : state) {
        CSimulatorProcess simulator;
        StartSimulator(state, simulator, {"--silent"});
        RecordTable records;
        CHeadlessDownload download(records);
        const double dProcessor = ProcessorSeconds();
        const Clock::time_point start = Clock::now();
        if (download.Run(simulator.DevicePath(), 3, 10s) != DownloadOutcome::PromptTimeout)
            state.SkipWithError("the download did not time out");
        const std::chrono::duration<double> wall = Clock::now() - start;
        ReportProcessorShare(state, ProcessorSeconds() - dProcessor, wall.count());
    }
}
BENCHMARK(BM_DownloadWaitingForThePrompt)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// What keeping a session log adds to a download: the default set's bytes
// received one at a time, as the protocol takes them from the port, with the
// commands between the answers, into a file in the temporary folder.
void BM_SessionLogOfAWholeDownload(benchmark::State& state)
{
    const std::size_t nBytes = DownloadByteCount(BuiltInSampleSet());
    const std::string strPath =
        (std::filesystem::temp_directory_path() / ("bench-session-" + std::to_string(getpid())))
            .string();
    constexpr int kSections = 4;
    for (auto _ : state) {
        std::filesystem::remove(strPath);
        CSessionLog log;
        FileError error;
        if (!log.Open(strPath, "/dev/pts/0", error)) {
            state.SkipWithError(error.m_strSystemText.c_str());
            break;
        }
        for (std::size_t nByte = 0; nByte < nBytes; ++nByte) {
            if (nByte % (nBytes / kSections) == 0)
                log.LogSent("forpc rtrvinfo\n", 15);
            log.LogReceived(static_cast<char>('0' + nByte % 64));
        }
        log.Close();
    }
    std::filesystem::remove(strPath);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * nBytes));
}
BENCHMARK(BM_SessionLogOfAWholeDownload)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
