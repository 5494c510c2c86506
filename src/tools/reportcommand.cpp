// lmxtool report: composes a document file's test report and writes it as a
// PDF, as PNG pages or as a JSON listing of its layout.

#include "records/documentfile.h"
#include "report/easyreport.h"
#include "report/pagerenderer.h"
#include "report/reporthost.h"
#include "report/reportpdf.h"
#include "report/testreportcomposer.h"
#include "tools/failuretext.h"
#include "tools/reportlayoutjson.h"
#include "tools/toolcommands.h"

#include <QGuiApplication>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>

namespace {

constexpr int kDefaultDpi = 150;
// A 600-dpi page is about 130 MB in memory; more is not worth the risk.
constexpr int kMaxDpi = 600;

struct ReportOptions
{
    std::string documentPath;
    std::optional<std::string> pdfPath;
    std::optional<std::string> pngPrefix;
    std::optional<int> dpi;
    bool layout = false;
};

std::optional<int> ParseDpi(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > kMaxDpi)
        return std::nullopt;
    return value;
}

// Returns the usage complaint, or nothing when the arguments make sense.
std::optional<std::string> ParseOptions(const ToolArgs& args, ReportOptions& options)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--pdf" && hasValue) {
            options.pdfPath = args[++i];
        } else if (arg == "--png" && hasValue) {
            options.pngPrefix = args[++i];
        } else if (arg == "--dpi" && hasValue) {
            options.dpi = ParseDpi(args[++i]);
            if (!options.dpi)
                return "report: --dpi takes a number from 1 to " + std::to_string(kMaxDpi);
        } else if (arg == "--layout") {
            options.layout = true;
        } else if (arg.starts_with("--") || !options.documentPath.empty()) {
            return "report: unexpected or incomplete option '" + arg + "'";
        } else {
            options.documentPath = arg;
        }
    }
    if (options.documentPath.empty())
        return "report needs a document file";
    if (!options.pdfPath && !options.pngPrefix && !options.layout)
        return "report needs --pdf, --png or --layout";
    if (options.dpi && !options.pngPrefix)
        return "report: --dpi goes with --png";
    return std::nullopt;
}

void PrintLayout(const CEasyReport& report)
{
    const std::string json = ReportLayoutJson(report);
    std::fwrite(json.data(), 1, json.size(), stdout);
    std::fputc('\n', stdout);
}

bool WritePngPages(CEasyReport& report, const std::string& prefix, int dpi)
{
    const int pages = std::max(report.GetPageCount(), 1);
    for (int page = 0; page < pages; ++page) {
        const std::string path = prefix + "-" + std::to_string(page + 1) + ".png";
        const QImage image = RenderPageImage(report, page, dpi);
        if (image.isNull() || !image.save(QString::fromStdString(path), "PNG")) {
            std::fprintf(stderr, "lmxtool: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

QtMessageHandler s_previousMessageHandler = nullptr;

// Headless runs (as root, from a script) often have no XDG_RUNTIME_DIR; Qt's
// note that it picked a default is noise on a command line.
void DropRuntimeDirNotice(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (s_previousMessageHandler)
        s_previousMessageHandler(type, context, text);
}

} // namespace

int RunReport(const ToolArgs& args)
{
    ReportOptions options;
    if (const auto complaint = ParseOptions(args, options))
        return UsageError(*complaint);

    DocumentVersions versions;
    TestRecord record;
    if (!OpenDocumentOrSayWhy(options.documentPath, versions, record))
        return kExitFailed;

    // Fonts need a GUI application, but not a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    s_previousMessageHandler = qInstallMessageHandler(DropRuntimeDirNotice);
    static int appArgc = 1;
    static char appName[] = "lmxtool";
    static char* appArgv[] = {appName, nullptr};
    const QGuiApplication app(appArgc, appArgv);

    CSilentReportHost host;
    CEasyReport report(host);
    ComposeReport(record, report);

    if (options.layout)
        PrintLayout(report);
    if (options.pdfPath) {
        FileError error;
        if (!WriteReportPdf(report, QString::fromStdString(*options.pdfPath), &error)) {
            std::fprintf(
                stderr, "lmxtool: %s\n",
                DescribeDocumentStatus(DocumentStatus::CannotWrite, *options.pdfPath, error)
                    .c_str());
            return kExitFailed;
        }
    }
    if (options.pngPrefix &&
        !WritePngPages(report, *options.pngPrefix, options.dpi.value_or(kDefaultDpi)))
        return kExitFailed;
    return kExitOk;
}
