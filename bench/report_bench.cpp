// Composing a test report, rendering a page, writing the PDF.

#include "report/easyreport.h"
#include "report/pagerenderer.h"
#include "report/reporthost.h"
#include "report/reportpdf.h"
#include "report/testreportcomposer.h"
#include "simulator/sampleset.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

TestRecord ParsedAdsl()
{
    TestRecord record = SampleAdslRecord();
    record.ParseAll();
    return record;
}

void BM_ComposeAdslReport(benchmark::State& state)
{
    TestRecord record = ParsedAdsl();
    CSilentReportHost host;
    CEasyReport report(host);
    for (auto _ : state) {
        ComposeReport(record, report);
        benchmark::DoNotOptimize(report.GetPageCount());
    }
}
BENCHMARK(BM_ComposeAdslReport)->Unit(benchmark::kMicrosecond);

void BM_RenderPageAt150Dpi(benchmark::State& state)
{
    TestRecord record = ParsedAdsl();
    CSilentReportHost host;
    CEasyReport report(host);
    ComposeReport(record, report);
    for (auto _ : state) {
        const QImage image = RenderPageImage(report, 0, 150);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderPageAt150Dpi)->Unit(benchmark::kMillisecond);

void BM_WriteTwoPagePdf(benchmark::State& state)
{
    TestRecord record = ParsedAdsl();
    CSilentReportHost host;
    CEasyReport report(host);
    ComposeReport(record, report);
    const QTemporaryDir dir;
    const QString path = dir.filePath("report.pdf");
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteReportPdf(report, path));
}
BENCHMARK(BM_WriteTwoPagePdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Fonts need a GUI application, but not a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
