// The report window: true scale on a grey desk, zoom, activation, and the
// one drawing routine behind printing, preview, PDF export and a real print
// queue.

#include "app/korvodoc.h"
#include "app/korvoview.h"
#include "app/reportdoctemplate.h"
#include "app/reportsheet.h"
#include "app/reportzoom.h"
#include "filedialoganswers.h"
#include "filesizelimit.h"
#include "framework/childframe.h"
#include "framework/docmanager.h"
#include "framework/doctemplate.h"
#include "framework/langpack.h"
#include "framework/printsetupdlg.h"
#include "framework/resourceids.h"
#include "messageboxrecorder.h"
#include "pdfpages.h"
#include "reportsupport.h"
#include "simulator/sampleset.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

namespace {

// ---- zoom arithmetic ----

struct FitCase
{
    const char* name;
    CReportZoom::Mode mode;
    QSize viewport;
    double dpi;
    double factor;
};

class ReportZoomFitTest : public testing::TestWithParam<FitCase>
{
};

TEST_P(ReportZoomFitTest, FitsTheSheetIntoTheWindowWithoutScrollingSideways)
{
    const QSizeF pixelsPerUnit(GetParam().dpi / 254.0, GetParam().dpi / 254.0);
    CReportZoom zoom;
    zoom.SetMode(GetParam().mode);
    zoom.Fit(GetParam().viewport, pixelsPerUnit);
    EXPECT_NEAR(zoom.Factor(), GetParam().factor, 1e-9);
    const QSize sheet = CReportZoom::SheetSize(zoom.Scale(pixelsPerUnit));
    if (zoom.Factor() > CReportZoom::kMinFactor) {
        EXPECT_LE(sheet.width(), GetParam().viewport.width());
    }
    if (GetParam().mode == CReportZoom::Mode::FitPage) {
        const double nPageHeight =
            CEasyReport::kPageHeight * pixelsPerUnit.height() * zoom.Factor();
        EXPECT_LE(nPageHeight, GetParam().viewport.height() - 2 * CReportZoom::kDeskMargin + 1e-6);
    }
}

// At 96 dpi a page is 816 x 1056 pixels at true size.
INSTANTIATE_TEST_SUITE_P(
    Windows, ReportZoomFitTest,
    testing::Values(
        FitCase{"width_exact", CReportZoom::Mode::FitWidth, {816 + 32, 500}, 96, 1.0},
        FitCase{"width_half", CReportZoom::Mode::FitWidth, {408 + 32, 500}, 96, 0.5},
        FitCase{"width_high_dpi", CReportZoom::Mode::FitWidth, {1632 + 32, 500}, 192, 1.0},
        FitCase{"page_by_height", CReportZoom::Mode::FitPage, {2000, 528 + 32}, 96, 0.5},
        FitCase{"page_by_width", CReportZoom::Mode::FitPage, {408 + 32, 4000}, 96, 0.5},
        FitCase{"tiny_window_stops_at_the_minimum",
                CReportZoom::Mode::FitWidth,
                {20, 20},
                96,
                CReportZoom::kMinFactor},
        FitCase{"huge_window_stops_at_the_maximum",
                CReportZoom::Mode::FitWidth,
                {9000, 500},
                96,
                CReportZoom::kMaxFactor}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReportZoom, StepsBetweenTheLimitsAndReadsBackFromTheSettings)
{
    CReportZoom zoom;
    zoom.SetFactor(0.8); // between two steps, as a fitted factor is
    ASSERT_TRUE(zoom.ZoomIn());
    EXPECT_EQ(zoom.Factor(), 0.9);
    ASSERT_TRUE(zoom.ZoomOut());
    ASSERT_TRUE(zoom.ZoomOut());
    EXPECT_EQ(zoom.Factor(), 0.67);
    zoom.SetFactor(100);
    EXPECT_EQ(zoom.Factor(), CReportZoom::kMaxFactor);
    EXPECT_FALSE(zoom.CanZoomIn());
    EXPECT_FALSE(zoom.ZoomIn());

    for (const QString& strText :
         {QStringLiteral("fit-width"), QStringLiteral("fit-page"), QStringLiteral("1.25")})
        EXPECT_EQ(CReportZoom::FromText(strText).ToText(), strText);
    // Nothing chosen yet, or nothing readable: true scale.
    for (const QString& strText : {QString(), QStringLiteral("nan"), QStringLiteral("big")})
        EXPECT_EQ(CReportZoom::FromText(strText), CReportZoom());
    EXPECT_EQ(CReportZoom().ToText(), QStringLiteral("1"));
    EXPECT_EQ(CReportZoom::FromText("-3").Factor(), CReportZoom::kMinFactor);
}

// ---- the window ----

void DeleteClosedObjects()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Runs action on the modal dialog of that type once it shows.
template <typename Dialog> void WhenDialogShows(std::function<void(Dialog*)> action)
{
    auto* pTimer = new QTimer;
    const QDeadlineTimer deadline(30000);
    QObject::connect(pTimer, &QTimer::timeout, [pTimer, deadline, action] {
        if (auto* pDialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            pTimer->deleteLater();
            pTimer->stop();
            action(pDialog);
        } else if (deadline.hasExpired()) {
            pTimer->deleteLater();
            pTimer->stop();
            ADD_FAILURE() << "the dialog did not show";
        }
    });
    pTimer->start(20);
}

// Where word nWord (from 0) stands on page 1 of a PDF, in points from the
// sheet's top-left corner, through poppler's pdftotext; nothing without it.
// (A print queue may turn the text into glyphs: the word is not compared.)
std::optional<QRectF> WordBox(const QString& strPdf, int nWord)
{
    const QString strTool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (strTool.isEmpty())
        return std::nullopt;
    QProcess tool;
    tool.start(strTool, {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                         QStringLiteral("-l"), QStringLiteral("1"), strPdf, QStringLiteral("-")});
    if (!tool.waitForFinished(30000))
        return std::nullopt;
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\""));
    auto match = word.globalMatch(QString::fromUtf8(tool.readAllStandardOutput()));
    for (int i = 0; i < nWord && match.hasNext(); ++i)
        match.next();
    if (!match.hasNext())
        return std::nullopt;
    const QRegularExpressionMatch found = match.next();
    return QRectF(QPointF(found.captured(1).toDouble(), found.captured(2).toDouble()),
                  QPointF(found.captured(3).toDouble(), found.captured(4).toDouble()));
}

// The pages of a PDF as images, through poppler's pdftoppm; none without it.
QList<QImage> RasterisedPages(const QString& strPdf, int nDpi)
{
    const QString strTool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    QTemporaryDir out;
    if (strTool.isEmpty() ||
        QProcess::execute(strTool, {QStringLiteral("-r"), QString::number(nDpi),
                                    QStringLiteral("-png"), strPdf, out.filePath("page")}) != 0)
        return {};
    QList<QImage> pages;
    for (const QString& strName : QDir(out.path()).entryList({"page-*.png"}, QDir::Files))
        pages << QImage(out.filePath(strName)).convertToFormat(QImage::Format_RGB32);
    return pages;
}

class KorvoViewTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QSettings().remove(QStringLiteral("View/ReportZoom"));
        m_records = BuiltInSampleSet();
        for (TestRecord& record : m_records)
            record.ParseAll();
        m_pArea = new QMdiArea;
        m_pArea->setViewMode(QMdiArea::TabbedView);
        m_window.setCentralWidget(m_pArea);
        m_window.resize(900, 700);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_manager.SetMdiArea(m_pArea);
        m_manager.AddDocTemplate(CreateReportDocTemplate(m_context, m_manager));
    }
    void TearDown() override
    {
        m_manager.CloseAllDocuments();
        DeleteClosedObjects();
    }

    CKorvoDoc* OpenDb(int nDb)
    {
        m_context.m_pSelected = &m_records[static_cast<std::size_t>(nDb)];
        auto* pDocument = static_cast<CKorvoDoc*>(m_manager.OpenDocumentFile(QString()));
        pDocument->SetTitle(QStringLiteral("DB %1").arg(nDb));
        return pDocument;
    }
    static CKorvoView* ViewOf(const CKorvoDoc* pDocument)
    {
        return static_cast<CKorvoView*>(pDocument->Views().constFirst());
    }
    static CReportSheet* SheetOf(const CKorvoView* pView)
    {
        return pView->findChild<CReportSheet*>();
    }
    // Window pixels per report unit at actual size: the screen's real size.
    static QSizeF TrueScaleOf(const CKorvoView* pView)
    {
        return CReportZoom::TrueScale(QSizeF(pView->physicalDpiX(), pView->physicalDpiY()),
                                      QSizeF(pView->logicalDpiX(), pView->logicalDpiY()));
    }
    static QWidget* ViewportOf(const CKorvoView* pView)
    {
        return pView->findChild<QScrollArea*>()->viewport();
    }
    QString Path(const QString& strName) const { return m_dir.filePath(strName); }
    // Prints the pages the view offers onto a PDF file, as the print command does.
    bool PrintToPdf(CKorvoView* pView, const QString& strPath)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(strPath);
        CPrintInfo info;
        pView->OnPreparePrinting(info);
        return pView->PrintPages(printer, info);
    }

    QTemporaryDir m_dir;
    RecordTable m_records;
    CFakeKorvoContext m_context;
    QMainWindow m_window;
    QMdiArea* m_pArea = nullptr;
    CDocManager m_manager;
    CMessageBoxRecorder m_boxes;
    CFileDialogAnswers m_files;
};

TEST_F(KorvoViewTest, ActivatingAReportTellsWhichRecordIsOnShow)
{
    CKorvoDoc* pFirst = OpenDb(1);
    EXPECT_EQ(m_context.m_log, QStringList{"activated"});
    EXPECT_EQ(m_context.m_lastActivated, m_records[1]);

    CKorvoDoc* pSecond = OpenDb(2);
    EXPECT_EQ(m_context.m_log, QStringList({"activated", "deactivated", "activated"}));
    EXPECT_EQ(m_context.m_lastActivated, m_records[2]);

    m_context.m_log.clear();
    m_pArea->setActiveSubWindow(ViewOf(pFirst)->GetParentFrame());
    EXPECT_EQ(m_context.m_log, QStringList({"deactivated", "activated"}));
    EXPECT_EQ(m_context.m_lastActivated, m_records[1]);

    m_context.m_log.clear();
    pFirst->OnCmdMsg(ID_FILE_CLOSE);
    pSecond->OnCmdMsg(ID_FILE_CLOSE);
    DeleteClosedObjects();
    EXPECT_EQ(m_context.m_log, QStringList({"deactivated", "activated", "deactivated"}));
}

QByteArray ReadAllBytes(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QColor PixelAt(const QImage& image, QPointF point)
{
    return image.pixelColor(point.toPoint());
}

TEST_F(KorvoViewTest, ActualSizeIsTrueScaleWithWhitePagesOnTheDesk)
{
    CKorvoView* pView = ViewOf(OpenDb(1));
    ASSERT_TRUE(pView->OnCmdMsg(ID_VIEW_ZOOM_ACTUAL));
    CReportSheet* pSheet = SheetOf(pView);
    const QSizeF trueScale = TrueScaleOf(pView);
    const double nX = trueScale.width(), nY = trueScale.height();
    EXPECT_EQ(pSheet->size(),
              QSize(static_cast<int>(std::floor(2159 * nX)) + 2 * CReportZoom::kDeskMargin,
                    static_cast<int>(std::floor(5588 * nY)) + 2 * CReportZoom::kDeskMargin));
    EXPECT_TRUE(pView->OnUpdateCmdUI(ID_VIEW_ZOOM_ACTUAL)->m_bChecked);

    const QImage shown = pSheet->grab().toImage();
    const double nRatio = pSheet->grab().devicePixelRatio();
    const auto at = [&](double x, double y) {
        return PixelAt(shown, pSheet->ToSheet({x, y}) * nRatio);
    };
    EXPECT_EQ(PixelAt(shown, {2, 2}), CReportSheet::kDeskColour);
    EXPECT_EQ(at(20, 20), QColor(Qt::white)) << "page 1's margin";
    EXPECT_EQ(at(20, 2794 + 30), QColor(Qt::white)) << "page 2's margin";
    EXPECT_EQ(at(1000, 2794), CReportSheet::kDeskColour) << "where the pages meet";
    EXPECT_EQ(at(2159 + CReportZoom::kDeskMargin / 2.0 / nX, 100), CReportSheet::kDeskColour)
        << "right of the pages";
}

// The pages are drawn once at a zoom and kept: a paint copies what shows,
// and only another zoom draws them again.
TEST_F(KorvoViewTest, PaintsCopyThePagesDrawnOncePerZoom)
{
    CKorvoView* pView = ViewOf(OpenDb(1));
    CReportSheet* pSheet = SheetOf(pView);
    const QImage first = pSheet->grab().toImage();
    const int nDrawn = pSheet->PageImages().DrawnCount();
    EXPECT_EQ(nDrawn, CPageImageCache::kPages);
    EXPECT_EQ(pSheet->grab().toImage(), first);
    pView->repaint();
    EXPECT_EQ(pSheet->PageImages().DrawnCount(), nDrawn);

    ASSERT_TRUE(pView->OnCmdMsg(ID_VIEW_ZOOM_OUT));
    (void)pSheet->grab();
    EXPECT_EQ(pSheet->PageImages().DrawnCount(), nDrawn + CPageImageCache::kPages);
    // Far in, a page is too large to keep and each paint draws what shows.
    for (int i = 0; i < 20; ++i)
        pView->OnCmdMsg(ID_VIEW_ZOOM_IN);
    const int nBeforeFarIn = pSheet->PageImages().DrawnCount();
    const QImage farIn = pSheet->grab(QRect(0, 0, 200, 200)).toImage();
    EXPECT_EQ(pSheet->PageImages().DrawnCount(), nBeforeFarIn);
    EXPECT_EQ(farIn.pixelColor(100, 100), QColor(Qt::white)) << "the page's blank margin";
}

TEST_F(KorvoViewTest, ZoomFitsStepsAndIsKeptPerWindow)
{
    CKorvoView* pFirst = ViewOf(OpenDb(1));
    ASSERT_TRUE(pFirst->OnCmdMsg(ID_VIEW_ZOOM_FIT_WIDTH));
    const int nViewport = ViewportOf(pFirst)->width();
    EXPECT_LE(SheetOf(pFirst)->width(), nViewport);
    EXPECT_GE(SheetOf(pFirst)->width(), nViewport - 1);
    EXPECT_EQ(pFirst->findChild<QScrollArea*>()->horizontalScrollBar()->maximum(), 0);
    EXPECT_TRUE(pFirst->OnUpdateCmdUI(ID_VIEW_ZOOM_FIT_WIDTH)->m_bChecked);

    // Fit page shows a whole page.
    ASSERT_TRUE(pFirst->OnCmdMsg(ID_VIEW_ZOOM_FIT_PAGE));
    EXPECT_LE(SheetOf(pFirst)->height() / 2, ViewportOf(pFirst)->height());

    const double nFitted = pFirst->Zoom().Factor();
    ASSERT_TRUE(pFirst->OnCmdMsg(ID_VIEW_ZOOM_IN));
    EXPECT_GT(pFirst->Zoom().Factor(), nFitted);
    EXPECT_EQ(pFirst->Zoom().GetMode(), CReportZoom::Mode::Factor);

    // A new window starts as the last one was left; then each keeps its own.
    CKorvoView* pSecond = ViewOf(OpenDb(2));
    EXPECT_EQ(pSecond->Zoom(), pFirst->Zoom());
    pSecond->OnCmdMsg(ID_VIEW_ZOOM_OUT);
    pSecond->OnCmdMsg(ID_VIEW_ZOOM_OUT);
    EXPECT_LT(pSecond->Zoom().Factor(), pFirst->Zoom().Factor());
    EXPECT_DOUBLE_EQ(pFirst->Zoom().Factor(),
                     SheetOf(pFirst)->Scale().width() / TrueScaleOf(pFirst).width());
}

void SendWheel(QWidget* pTarget, int nDelta, Qt::KeyboardModifiers modifiers)
{
    const QPointF centre = QRectF(pTarget->rect()).center();
    QWheelEvent wheel(centre, pTarget->mapToGlobal(centre), QPoint(), QPoint(0, nDelta),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pTarget, &wheel);
}

TEST_F(KorvoViewTest, CtrlWheelZoomsByWholeNotchesAndPlainWheelScrolls)
{
    CKorvoView* pView = ViewOf(OpenDb(1));
    pView->OnCmdMsg(ID_VIEW_ZOOM_ACTUAL);
    QWidget* pViewport = ViewportOf(pView);

    SendWheel(pViewport, 60, Qt::ControlModifier);
    EXPECT_EQ(pView->Zoom().Factor(), 1.0) << "half a notch does not zoom yet";
    SendWheel(pViewport, 60, Qt::ControlModifier);
    EXPECT_EQ(pView->Zoom().Factor(), 1.1);
    SendWheel(pViewport, -240, Qt::ControlModifier);
    EXPECT_EQ(pView->Zoom().Factor(), 0.9);

    QScrollBar* pBar = pView->findChild<QScrollArea*>()->verticalScrollBar();
    const int nBefore = pBar->value();
    SendWheel(pViewport, -120, Qt::NoModifier);
    EXPECT_EQ(pView->Zoom().Factor(), 0.9);
    EXPECT_GT(pBar->value(), nBefore);
}

TEST_F(KorvoViewTest, PrintingDrawsOnePageAtATimeAndTheScreenShowsBothAgain)
{
    CKorvoView* pView = ViewOf(OpenDb(1));
    pView->OnCmdMsg(ID_VIEW_ZOOM_FIT_WIDTH);
    const QImage before = SheetOf(pView)->grab().toImage();
    ASSERT_TRUE(PrintToPdf(pView, Path("printed.pdf")));
    EXPECT_EQ(pView->PrintPage(), -1);
    EXPECT_EQ(PdfPageCount(ReadAllBytes(Path("printed.pdf"))), 2);
    EXPECT_EQ(SheetOf(pView)->grab().toImage(), before);
}

TEST_F(KorvoViewTest, ExportedPdfHoldsTwoPagesAndAFailedExportKeepsTheOldFile)
{
    CKorvoView* pView = ViewOf(OpenDb(3));
    m_files.QueueAnswer(Path("wlan.pdf"));
    ASSERT_TRUE(pView->OnCmdMsg(ID_FILE_EXPORT_PDF));
    ASSERT_EQ(m_files.Requests().size(), 1);
    EXPECT_EQ(m_files.Requests()[0].m_strInitialPath, "DB 3.pdf");
    const QByteArray exported = ReadAllBytes(Path("wlan.pdf"));
    EXPECT_EQ(PdfPageCount(exported), 2);
    EXPECT_TRUE(m_boxes.Requests().isEmpty());

    // A report without pages still gives its two blank sheets.
    TestRecord noLayout = m_records[1];
    noLayout.m_RateFrame.m_nLineType = 9;
    m_records[9] = noLayout;
    ASSERT_TRUE(ViewOf(OpenDb(9))->ExportPdf(Path("blank.pdf")));
    EXPECT_EQ(PdfPageCount(ReadAllBytes(Path("blank.pdf"))), 2);

    {
        const FileSizeLimit limit(4096);
        EXPECT_FALSE(pView->ExportPdf(Path("wlan.pdf")));
    }
    ASSERT_EQ(m_boxes.Texts().size(), 1);
    EXPECT_TRUE(m_boxes.Texts()[0].startsWith(Path("wlan.pdf")));
    EXPECT_TRUE(m_boxes.Texts()[0].contains(LoadResString(IDS_FILE_WHY_TOO_LARGE)));
    EXPECT_EQ(ReadAllBytes(Path("wlan.pdf")), exported);
}

TEST_F(KorvoViewTest, PrintDialogOffersPagesOneToTwoAndPrintsTheChosenOnes)
{
    CKorvoView* pView = ViewOf(OpenDb(1));
    int nMin = 0, nMax = 0;
    WhenDialogShows<QPrintDialog>([&](QPrintDialog* pDialog) {
        nMin = pDialog->minPage();
        nMax = pDialog->maxPage();
        auto* pRange = pDialog->findChild<QRadioButton*>(QStringLiteral("printRange"));
        auto* pFrom = pDialog->findChild<QSpinBox*>(QStringLiteral("from"));
        auto* pTo = pDialog->findChild<QSpinBox*>(QStringLiteral("to"));
        if (!pRange || !pFrom || !pTo) {
            ADD_FAILURE() << "the print dialog has no page range controls";
            pDialog->reject();
            return;
        }
        // The dialog lists the system's printers first; print to a file instead.
        auto* pPrinters = pDialog->findChild<QComboBox*>(QStringLiteral("printers"));
        auto* pFileName = pDialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        if (!pPrinters || !pFileName) {
            ADD_FAILURE() << "the print dialog offers no printing to a file";
            pDialog->reject();
            return;
        }
        pPrinters->setCurrentIndex(pPrinters->count() - 1);
        pFileName->setText(Path("second.pdf"));
        pRange->setChecked(true);
        pTo->setValue(2);
        pFrom->setValue(2);
        pDialog->accept();
    });
    ASSERT_TRUE(pView->OnCmdMsg(ID_FILE_PRINT));
    EXPECT_EQ(nMin, 1);
    EXPECT_EQ(nMax, 2);
    EXPECT_EQ(pView->PrintPage(), -1);
    EXPECT_EQ(PdfPageCount(ReadAllBytes(Path("second.pdf"))), 1);

    ASSERT_TRUE(PrintToPdf(pView, Path("both.pdf")));
    const QList<QImage> chosen = RasterisedPages(Path("second.pdf"), 40);
    const QList<QImage> both = RasterisedPages(Path("both.pdf"), 40);
    if (chosen.isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is needed to compare the printed pages";
    ASSERT_EQ(both.size(), 2);
    EXPECT_EQ(chosen.value(0), both[1]) << "the page printed is page 2";
}

TEST_F(KorvoViewTest, PreviewShowsTheSamePagesAsPrinting)
{
    CKorvoView* pView = ViewOf(OpenDb(4));
    m_manager.Printer().setOutputFormat(QPrinter::PdfFormat);
    int nPreviewPages = 0;
    WhenDialogShows<QPrintPreviewDialog>([&](QPrintPreviewDialog* pDialog) {
        if (auto* pPreview = pDialog->findChild<QPrintPreviewWidget*>())
            nPreviewPages = pPreview->pageCount();
        // What the preview paints, painted onto a PDF instead.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Path("preview.pdf"));
        emit pDialog->paintRequested(&printer);
        pDialog->reject();
    });
    ASSERT_TRUE(pView->OnCmdMsg(ID_FILE_PRINT_PREVIEW));
    EXPECT_EQ(nPreviewPages, 2);
    EXPECT_EQ(PdfPageCount(ReadAllBytes(Path("preview.pdf"))), 2);

    ASSERT_TRUE(PrintToPdf(pView, Path("printed.pdf")));
    const QList<QImage> preview = RasterisedPages(Path("preview.pdf"), 40);
    if (preview.isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is needed to compare the pages";
    EXPECT_EQ(preview, RasterisedPages(Path("printed.pdf"), 40));
}

// A real print job through CUPS: scripts/print-queue makes the queue.
TEST_F(KorvoViewTest, PrintDirectSendsTheTwoPagesToThePrintQueue)
{
    const QString strQueue = QStringLiteral("LMX-PDF");
    const QDir out(qEnvironmentVariable("LMX_PRINT_OUTPUT_DIR", "/var/spool/cups-pdf-lmx"));
    if (QPrinterInfo::printerInfo(strQueue).isNull() || !out.exists())
        GTEST_SKIP() << "no CUPS queue " << strQueue.toStdString() << " writing to "
                     << out.path().toStdString()
                     << " (scripts/print-queue makes it; it needs root, cups and cups-pdf)";
    const QString strPdfInfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (strPdfInfo.isEmpty())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is needed to count the printed pages";

    CKorvoDoc* pDocument = OpenDb(1);
    // The job's title names the file the queue writes.
    const QString strTitle = QStringLiteral("lmxjob%1x%2")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(QDateTime::currentMSecsSinceEpoch());
    pDocument->SetTitle(strTitle);
    m_manager.Printer().setPrinterName(strQueue);
    ASSERT_TRUE(ViewOf(pDocument)->OnCmdMsg(ID_FILE_PRINT_DIRECT));
    EXPECT_TRUE(m_boxes.Requests().isEmpty());

    QString strPrinted;
    const auto pagesOfPrintedFile = [&] {
        const QStringList astrFound = out.entryList({"*" + strTitle + "*.pdf"}, QDir::Files);
        if (astrFound.isEmpty())
            return QString();
        QProcess info;
        info.start(strPdfInfo, {out.filePath(astrFound.constFirst())});
        info.waitForFinished(10000);
        const QString strInfo = QString::fromLocal8Bit(info.readAllStandardOutput());
        strPrinted = out.filePath(astrFound.constFirst());
        return strInfo.section(QStringLiteral("Pages:"), 1)
            .section(QLatin1Char('\n'), 0, 0)
            .trimmed();
    };
    QString strPages;
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !(strPages = pagesOfPrintedFile()).isEmpty(); }, 120000))
        << "no PDF of the job appeared in " << out.path().toStdString();
    EXPECT_EQ(strPages, "2");

    // The page stands on the sheet where the report put it, as in the PDF
    // export: the queue's printer reaches the whole sheet.
    ASSERT_TRUE(ViewOf(pDocument)->ExportPdf(Path("exported.pdf")));
    // The title's second word: a print queue may drop a glyph of the first.
    const std::optional<QRectF> printed = WordBox(strPrinted, 1);
    const std::optional<QRectF> exported = WordBox(Path("exported.pdf"), 1);
    if (!printed || !exported)
        GTEST_SKIP() << "pdftotext (poppler-utils) is needed to find the title on the page";
    // Glyph boxes differ by a point or two in height from one PDF writer to the next.
    EXPECT_NEAR(printed->left(), exported->left(), 1.0);
    EXPECT_NEAR(printed->center().y(), exported->center().y(), 3.0);
    QFile::remove(strPrinted);
}

// The preview's Print prints the pages chosen in its print dialog; the next
// preview starts again from all pages.
TEST_F(KorvoViewTest, PrintingFromThePreviewPrintsThePagesChosen)
{
    CKorvoView* pView = ViewOf(OpenDb(4));
    int nPreviewPages = 0;
    WhenDialogShows<QPrintPreviewDialog>([&](QPrintPreviewDialog* pDialog) {
        // What the preview's print dialog leaves in its printer: page 2 into a file.
        QPrinter* pPrinter = pDialog->printer();
        pPrinter->setOutputFormat(QPrinter::PdfFormat);
        pPrinter->setOutputFileName(Path("page2.pdf"));
        pPrinter->setPrintRange(QPrinter::PageRange);
        pPrinter->setFromTo(2, 2);
        emit pDialog->paintRequested(pPrinter);
        pDialog->reject();
    });
    ASSERT_TRUE(pView->OnCmdMsg(ID_FILE_PRINT_PREVIEW));
    EXPECT_EQ(PdfPageCount(ReadAllBytes(Path("page2.pdf"))), 1);

    WhenDialogShows<QPrintPreviewDialog>([&](QPrintPreviewDialog* pDialog) {
        if (auto* pPreview = pDialog->findChild<QPrintPreviewWidget*>())
            nPreviewPages = pPreview->pageCount();
        pDialog->reject();
    });
    ASSERT_TRUE(pView->OnCmdMsg(ID_FILE_PRINT_PREVIEW));
    EXPECT_EQ(nPreviewPages, 2);

    ASSERT_TRUE(PrintToPdf(pView, Path("both.pdf")));
    const QList<QImage> chosen = RasterisedPages(Path("page2.pdf"), 40);
    if (chosen.isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is needed to compare the pages";
    EXPECT_EQ(chosen.value(0), RasterisedPages(Path("both.pdf"), 40).value(1));
}

// Print Setup chooses the printer and its paper for Print, Print Direct and
// Print Preview alike.
TEST_F(KorvoViewTest, PrintSetupChoosesThePrinterAndItsPaper)
{
    QString strChosenPrinter;
    WhenDialogShows<CPrintSetupDlg>([&](CPrintSetupDlg* pDialog) {
        if (pDialog->PrinterBox().count() > 0) {
            pDialog->PrinterBox().setCurrentIndex(pDialog->PrinterBox().count() - 1);
            strChosenPrinter = pDialog->PrinterBox().currentText();
        }
        const int nA4 = pDialog->PaperBox().findData(static_cast<int>(QPageSize::A4));
        ASSERT_GE(nA4, 0) << "A4 is offered";
        pDialog->PaperBox().setCurrentIndex(nA4);
        pDialog->accept();
    });
    ASSERT_TRUE(m_manager.OnCmdMsg(ID_FILE_PRINT_SETUP));
    EXPECT_EQ(m_manager.Printer().pageLayout().pageSize().id(), QPageSize::A4);
    if (!strChosenPrinter.isEmpty()) {
        EXPECT_EQ(m_manager.Printer().printerName(), strChosenPrinter);
    }

    // Cancel changes nothing.
    WhenDialogShows<CPrintSetupDlg>([&](CPrintSetupDlg* pDialog) {
        pDialog->PaperBox().setCurrentIndex(0);
        pDialog->reject();
    });
    ASSERT_TRUE(m_manager.OnCmdMsg(ID_FILE_PRINT_SETUP));
    EXPECT_EQ(m_manager.Printer().pageLayout().pageSize().id(), QPageSize::A4);
}

// A report opens at true scale: a centimetre of paper is a centimetre on the
// screen, as far as the screen tells its real size.
TEST_F(KorvoViewTest, AReportOpensAtTrueScale)
{
    CKorvoView* pView = ViewOf(OpenDb(1));
    EXPECT_EQ(pView->Zoom(), CReportZoom());
    EXPECT_EQ(SheetOf(pView)->Scale(), TrueScaleOf(pView));

    const QSizeF logical(96, 96);
    EXPECT_EQ(CReportZoom::TrueScale(QSizeF(127, 127), logical), QSizeF(0.5, 0.5));
    // No believable physical size: the desktop's dots per inch.
    for (const QSizeF physical : {QSizeF(0, 0), QSizeF(5000, 5000), QSizeF(127, 0)})
        EXPECT_EQ(CReportZoom::TrueScale(physical, logical), logical / 254.0);
}

} // namespace
