// bench_gui: the program's own figures, each beside a baseline measured in
// the same run. Start-up is measured on whole processes (lmx4410 and a bare
// Qt main window, both telling when they are first painted, on an X server);
// the rest inside this process, with the program's application and main
// frame on the offscreen platform: painting the report, a selection in the
// tree, the carrier graph window, many downloads from the simulator, and an
// idle window. --summary prints one figure a line as "NAME VALUE"; --quick is the
// smoke run CI makes (a few rounds, a few downloads, a short idle time);
// --downloads N (after --quick) sets how many downloads there are.

#include "app/korvoapp.h"
#include "app/korvodoc.h"
#include "app/korvoview.h"
#include "app/mainframe.h"
#include "app/reportsheet.h"
#include "framework/controls/listctrlex.h"
#include "framework/docmanager.h"
#include "framework/messagebox.h"
#include "framework/resourceids.h"
#include "processtime.h"
#include "programharness.h"
#include "records/atomicfile.h"
#include "records/documentfile.h"
#include "records/fileaccess.h"
#include "report/easyreport.h"
#include "report/pagerenderer.h"
#include "simulator/sampleset.h"
#include "simulator/simulatorprocess.h"
#include "workspace/carriergraphdlg.h"
#include "workspace/dbinfobar.h"
#include "workspace/dbworkspacebar.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

struct Options
{
    bool bSummary = false;
    int nStartRounds = 21;
    int nRounds = 11;
    int nDownloads = 100;
    int nIdleSeconds = 30;
};

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Milliseconds(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// ---- start-up, as whole processes ----

// The X server the starts are measured on: the one this bench runs on, or
// else a private Xvfb where one is installed, since a user's program always
// starts on a window system; offscreen (an empty name) only without either.
class CStartDisplay
{
public:
    CStartDisplay()
    {
        m_strName = QProcessEnvironment::systemEnvironment().value(QStringLiteral("DISPLAY"));
        if (!m_strName.isEmpty())
            return;
        const QString strServer = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (strServer.isEmpty())
            return;
        // -displayfd 1: the server picks a free display and says its number.
        m_server.start(strServer, {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                   QStringLiteral("-screen"), QStringLiteral("0"),
                                   QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                                   QStringLiteral("tcp")});
        QByteArray number;
        while (!number.contains('\n') && m_server.waitForReadyRead(10000))
            number += m_server.readAllStandardOutput();
        if (number.trimmed().isEmpty())
            m_server.kill();
        else
            m_strName = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    }
    ~CStartDisplay()
    {
        m_server.kill();
        m_server.waitForFinished(10000);
    }

    // What DISPLAY the programs get; empty for offscreen.
    const QString& Name() const { return m_strName; }

private:
    QProcess m_server;
    QString m_strName;
};

// Milliseconds from starting the program to its first painted window (it
// says "painted"), or a negative number when it never says so.
double StartToFirstPaint(const QString& strProgram, const QStringList& astrArguments,
                         const QString& strHome, const QString& strDisplay)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LMX_FIRST_PAINT_PROBE"), QStringLiteral("1"));
    environment.insert(QStringLiteral("HOME"), strHome);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), strHome + QStringLiteral("/.config"));
    if (strDisplay.isEmpty()) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    } else {
        environment.insert(QStringLiteral("DISPLAY"), strDisplay);
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    }
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer timer;
    timer.start();
    program.start(strProgram, astrArguments);
    double nMs = -1;
    while (program.waitForReadyRead(30000)) {
        if (program.readAllStandardOutput().contains("painted")) {
            nMs = Milliseconds(timer);
            break;
        }
    }
    program.kill();
    program.waitForFinished(10000);
    return nMs;
}

struct StartFigures
{
    double nBareMs = 0;
    double nProgramMs = 0;
    double nWithDocumentMs = 0;
};

// The three kinds of start take turns, so that whatever else the machine
// does weighs on each alike; the first round only brings the files they
// read into the cache.
StartFigures MeasureStarts(const QString& strDocument, const QString& strHome,
                           const QString& strDisplay, int nRounds)
{
    std::vector<double> bare, program, withDocument;
    for (int i = 0; i <= nRounds; ++i) {
        const double nBare =
            StartToFirstPaint(QStringLiteral(LMX_BARE_WINDOW), {}, strHome, strDisplay);
        const double nProgram =
            StartToFirstPaint(QStringLiteral(LMX_PROGRAM), {}, strHome, strDisplay);
        const double nWithDocument =
            StartToFirstPaint(QStringLiteral(LMX_PROGRAM), {strDocument}, strHome, strDisplay);
        if (i == 0)
            continue;
        bare.push_back(nBare);
        program.push_back(nProgram);
        withDocument.push_back(nWithDocument);
    }
    return {Median(bare), Median(program), Median(withDocument)};
}

// ---- inside this process ----

struct PaintFigures
{
    double nVisibleMs = 0;
    double nFullMs = 0;
};

// One paint of what the report view shows, against a paint that keeps
// nothing: each page drawn in full into a fresh off-screen bitmap of one
// device pixel per report unit (2159 x 2794), then copied onto the window at
// the view's scale.
PaintFigures MeasurePaint(CKorvoView& view, int nRounds)
{
    // What a paint of the window does for the view: its viewport and the
    // part of the sheet in it, onto the window's own kind of image.
    QWidget* pViewport = view.findChild<QScrollArea*>()->viewport();
    QImage window(pViewport->size(), QImage::Format_ARGB32_Premultiplied);
    pViewport->render(&window); // a first paint may fill what later ones reuse
    std::vector<double> visible, full;
    for (int i = 0; i < std::max(nRounds, 5) * 4; ++i) {
        QElapsedTimer timer;
        timer.start();
        pViewport->render(&window);
        visible.push_back(Milliseconds(timer));
    }
    const QSizeF scale = view.Scale();
    const QRect page(0, 0, static_cast<int>(CEasyReport::kPageWidth * scale.width()),
                     static_cast<int>(CEasyReport::kPageHeight * scale.height()));
    for (int i = 0; i < std::max(nRounds, 5); ++i) {
        QElapsedTimer timer;
        timer.start();
        QPainter onWindow(&window);
        for (int nPage = 0; nPage < 2; ++nPage) {
            QImage bitmap(CEasyReport::kPageWidth, CEasyReport::kPageHeight, QImage::Format_RGB32);
            QPainter painter(&bitmap);
            painter.fillRect(bitmap.rect(), Qt::white);
            painter.setRenderHint(QPainter::TextAntialiasing);
            DrawPage(view.GetDocument()->m_Report, nPage, painter);
            painter.end();
            onWindow.drawImage(page.translated(0, nPage * page.height()), bitmap);
        }
        onWindow.end();
        full.push_back(Milliseconds(timer));
    }
    return {Median(visible), Median(full)};
}

double MeasureGraphRowSelection(CProgramUnderTest& program, int nRounds)
{
    QTreeWidget& tree = *program.Frame().WorkspaceBar().Tree();
    QTreeWidgetItem* pFiles = tree.topLevelItem(0)->child(0)->child(0);
    std::vector<double> times;
    for (int i = 0; i < nRounds * 2; ++i) {
        QTreeWidgetItem* pEntry = pFiles->child(i % pFiles->childCount());
        program.Frame().InfoBar().ClearItems(); // so the row is seen coming
        QElapsedTimer timer;
        timer.start();
        tree.setCurrentItem(pEntry);
        RunUntil([&] { return program.Frame().InfoBar().List()->GetItemCount() == 1; });
        QCoreApplication::processEvents(); // and it is painted
        times.push_back(Milliseconds(timer));
    }
    return Median(times);
}

// From the command to the window's first paint.
double MeasureGraphWindow(CProgramUnderTest& program, int nRounds)
{
    class CFirstPaint final : public QObject
    {
    public:
        QElapsedTimer m_timer;
        double m_nMs = 0;

    protected:
        bool eventFilter(QObject* pWatched, QEvent* pEvent) override
        {
            auto* pDialog = qobject_cast<CCarrierGraphDlg*>(pWatched);
            if (pDialog && pEvent->type() == QEvent::Paint && m_nMs == 0) {
                m_nMs = Milliseconds(m_timer);
                QTimer::singleShot(0, pDialog, &QDialog::reject);
            }
            return false;
        }
    };
    program.App().SelectDb(1);
    std::vector<double> times;
    for (int i = 0; i < nRounds; ++i) {
        CFirstPaint watcher;
        qApp->installEventFilter(&watcher);
        watcher.m_timer.start();
        ShowCarrierGraph(&program.Frame(), program.Frame().m_SelRecord);
        qApp->removeEventFilter(&watcher);
        times.push_back(watcher.m_nMs);
    }
    return Median(times);
}

struct DownloadFigures
{
    long nRssGrowthKb = 0;
    int nWatchThreadsOpen = -1;
    int nWatchThreadsClosed = -1;
    bool bAllCompleted = true;
};

// Downloads from the simulator one after another in this process: the
// memory after the last against after the first, and the threads the port
// brings while it is open and leaves behind.
DownloadFigures MeasureDownloads(CProgramUnderTest& program, int nDownloads)
{
    DownloadFigures figures;
    CSimulatorProcess simulator;
    if (!simulator.Start(LMX_SIMULATOR, {"--fast"}))
        return {0, -1, -1, false};
    const QString strDevice = QString::fromStdString(simulator.DevicePath());
    QTreeWidget& tree = *program.Frame().WorkspaceBar().Tree();
    const int nThreadsBefore = ThreadCount();
    long nRssAfterFirst = 0;
    for (int i = 0; i < nDownloads; ++i) {
        tree.clear();
        if (program.Frame().StartDownload(strDevice, 10) != 0) {
            figures.bAllCompleted = false;
            break;
        }
        if (i == 0)
            figures.nWatchThreadsOpen = ThreadCount() - nThreadsBefore;
        if (!RunUntil([&] { return tree.topLevelItemCount() > 0; })) {
            figures.bAllCompleted = false;
            break;
        }
        tree.viewport()->repaint(); // the user sees each download's tree
        // The watch thread leaves its loop on its own once the port is closed.
        RunUntil([&] { return ThreadCount() == nThreadsBefore; }, 10000);
        if (i == 0) {
            figures.nWatchThreadsClosed = ThreadCount() - nThreadsBefore;
            nRssAfterFirst = ResidentKb();
        }
    }
    figures.nRssGrowthKb = ResidentKb() - nRssAfterFirst;
    return figures;
}

// Runs the event loop for a while.
void RunFor(int nMilliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(nMilliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Processor time the idle program takes, in percent of one core, once what
// the last download left behind (its threads ending, deferred deletes) is done.
double MeasureIdle(int nSeconds)
{
    RunFor(1000);
    const double nStart = ProcessorSeconds();
    QElapsedTimer timer;
    timer.start();
    RunFor(nSeconds * 1000);
    return (ProcessorSeconds() - nStart) / (static_cast<double>(timer.elapsed()) / 1000.0) * 100.0;
}

void Print(const Options& options, const char* pszName, double nValue, const char* pszWhat,
           double nBaseline = -1)
{
    if (options.bSummary) {
        std::printf("%s %.3f\n", pszName, nValue);
    } else if (nBaseline > 0) {
        std::printf("%-22s %10.3f   %-44s baseline %9.3f  ratio %.2f\n", pszName, nValue, pszWhat,
                    nBaseline, nValue / nBaseline);
    } else {
        std::printf("%-22s %10.3f   %s\n", pszName, nValue, pszWhat);
    }
    std::fflush(stdout);
}

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--summary") == 0) {
            options.bSummary = true;
        } else if (std::strcmp(argv[i], "--downloads") == 0 && i + 1 < argc) {
            options.nDownloads = std::max(2, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--quick") == 0) {
            options.nStartRounds = 5;
            options.nRounds = 3;
            options.nDownloads = 3;
            options.nIdleSeconds = 2;
        }
    }
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = ParseOptions(argc, argv);
    QTemporaryDir home;
    // This process's own windows stay off the screen, and its settings apart.
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("bench-config")).toLocal8Bit());
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    qputenv("QT_QPA_PLATFORM", platform);
    if (platform.isEmpty())
        qunsetenv("QT_QPA_PLATFORM");
    // Nobody is there to close a message box (a machine without a default
    // printer shows one when a report opens): say it and go on.
    SetMessageBoxResponder([](const MessageBoxRequest& request) {
        std::fprintf(stderr, "bench_gui: message box: %s\n", qPrintable(request.m_strText));
        return QMessageBox::Ok;
    });

    const QString strDocument = home.filePath(QStringLiteral("DB01.lmx"));
    WriteFileAtomically(QFile::encodeName(strDocument).toStdString(),
                        StoreDocument(DocumentVersions(), BuiltInSampleSet()[1]));
    const CStartDisplay display;
    std::fprintf(stderr, "bench_gui: starts measured %s\n",
                 display.Name().isEmpty()
                     ? "offscreen"
                     : qPrintable(QStringLiteral("on X display ") + display.Name()));
    const StartFigures starts =
        MeasureStarts(strDocument, home.path(), display.Name(), options.nStartRounds);
    Print(options, "startup_ms", starts.nProgramMs, "start to the main window painted",
          starts.nBareMs);
    Print(options, "startup_bare_ms", starts.nBareMs, "a bare Qt main window, the same");
    Print(options, "open_extra_ms", starts.nWithDocumentMs - starts.nProgramMs,
          "more for a document named on the command line");

    CProgramUnderTest program;
    program.App().OpenDb(1);
    auto* pView = static_cast<CKorvoView*>(program.App().DocManager()->ActiveView());
    program.Frame().show();
    QCoreApplication::processEvents();
    if (pView) {
        pView->OnCmdMsg(ID_VIEW_ZOOM_ACTUAL);
        const PaintFigures actual = MeasurePaint(*pView, options.nRounds);
        Print(options, "paint_visible_ms", actual.nVisibleMs,
              "one paint of the visible sheet, actual size", actual.nFullMs);
        Print(options, "paint_full_ms", actual.nFullMs, "both pages drawn in full, actual size");
        pView->OnCmdMsg(ID_VIEW_ZOOM_FIT_WIDTH);
        QCoreApplication::processEvents();
        const PaintFigures fitted = MeasurePaint(*pView, options.nRounds);
        Print(options, "paint_visible_fit_ms", fitted.nVisibleMs,
              "one paint of the visible sheet, fit width", fitted.nFullMs);
        Print(options, "paint_full_fit_ms", fitted.nFullMs, "both pages drawn in full, fit width");
    }
    Print(options, "select_graph_row_ms", MeasureGraphRowSelection(program, options.nRounds),
          "a DB selected until its Graph row shows");
    Print(options, "graph_window_ms", MeasureGraphWindow(program, options.nRounds),
          "the carrier graph window until it is painted");

    const long nRssBefore = ResidentKb();
    const DownloadFigures downloads = MeasureDownloads(program, options.nDownloads);
    Print(options, "rss_growth_kb", static_cast<double>(downloads.nRssGrowthKb),
          "resident memory after the last download less after the first");
    Print(options, "watch_threads_open", downloads.nWatchThreadsOpen,
          "threads the open port brings");
    Print(options, "watch_threads_closed", downloads.nWatchThreadsClosed,
          "threads left once it is closed");
    Print(options, "rss_kb", static_cast<double>(ResidentKb()), "resident memory now");
    if (!options.bSummary)
        std::printf("(%d downloads%s; %ld kB resident before them)\n", options.nDownloads,
                    downloads.bAllCompleted ? "" : ", NOT ALL COMPLETED", nRssBefore);
    Print(options, "idle_cpu_percent", MeasureIdle(options.nIdleSeconds),
          "processor time of the idle program, % of one core");
    return downloads.bAllCompleted ? 0 : 1;
}
