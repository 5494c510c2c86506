// Parsing a full download and saving/opening one document.

#include "records/atomicfile.h"
#include "records/documentfile.h"
#include "records/fileaccess.h"
#include "simulator/sampleset.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Twenty slots full of data: ADSL with 256 carriers, VDSL, WLAN with a full
// access point block, and ADSL with a 30-hop trace route, five of each.
std::vector<TestRecord> TwentyFullRecords()
{
    const RecordTable table = BuiltInSampleSet();
    const TestRecord kinds[] = {table[1], table[2], table[3], table[4]};
    std::vector<TestRecord> records;
    for (int slot = 0; slot < kDbCount; ++slot)
        records.push_back(kinds[slot % 4]);
    return records;
}

// What the end of a download does, plus the access point list a WLAN report reads.
void BM_ParseTwentyRecords(benchmark::State& state)
{
    std::vector<TestRecord> records = TwentyFullRecords();
    for (auto _ : state) {
        for (TestRecord& record : records) {
            record.ParseAll();
            if (record.m_RateFrame.m_nLineType == LINE_WLAN)
                record.m_Graph.ParseApList();
        }
        benchmark::DoNotOptimize(records.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ParseTwentyRecords)->Unit(benchmark::kMicrosecond);

// Save and open one document in memory (opening parses the four sections).
void BM_StoreAndOpenDocument(benchmark::State& state)
{
    const TestRecord record = BuiltInSampleSet()[4];
    for (auto _ : state) {
        const std::string bytes = StoreDocument(DocumentVersions{}, record);
        DocumentVersions versions;
        TestRecord opened;
        benchmark::DoNotOptimize(OpenDocument(bytes, versions, opened));
        benchmark::DoNotOptimize(opened.m_TraceRoute.m_nHopCount);
    }
}
BENCHMARK(BM_StoreAndOpenDocument)->Unit(benchmark::kMicrosecond);

// The same through a real file: write (temporary file and rename), read back, open.
void BM_SaveAndOpenDocumentFile(benchmark::State& state)
{
    const TestRecord record = BuiltInSampleSet()[4];
    const std::string path = "/tmp/lmx-bench-" + std::to_string(::getpid()) + ".lmx";
    for (auto _ : state) {
        if (WriteFileAtomically(path, StoreDocument(DocumentVersions{}, record)) !=
            DocumentStatus::Ok) {
            state.SkipWithError("cannot write the document file");
            break;
        }
        std::string bytes;
        DocumentVersions versions;
        TestRecord opened;
        if (ReadFileBytes(path, bytes) != DocumentStatus::Ok ||
            OpenDocument(bytes, versions, opened) != DocumentStatus::Ok) {
            state.SkipWithError("cannot read the document file back");
            break;
        }
        benchmark::DoNotOptimize(opened.m_TraceRoute.m_nHopCount);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveAndOpenDocumentFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
