#include "app/korvoview.h"

#include "app/korvocontext.h"
#include "app/korvodoc.h"
#include "app/reportsheet.h"
#include "framework/filedialog.h"
#include "framework/filefailuretext.h"
#include "framework/langpack.h"
#include "framework/messagebox.h"
#include "framework/resourceids.h"
#include "report/pagerenderer.h"
#include "report/reporthost.h"
#include "report/reportpdf.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>
#include <optional>

namespace {

constexpr int kPagesOffered = 2;
constexpr int kWheelNotch = 120; // eighths of a degree
// A new window starts at the zoom last chosen in any window.
constexpr const char* kZoomSetting = "View/ReportZoom";

CReportZoom LastZoom()
{
    return CReportZoom::FromText(QSettings().value(QLatin1String(kZoomSetting)).toString());
}

void RememberZoom(const CReportZoom& zoom)
{
    QSettings().setValue(QLatin1String(kZoomSetting), zoom.ToText());
}

bool IsNamedPrinter(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty();
}

} // namespace

CKorvoView::CKorvoView(CKorvoDoc& document, PrinterSource printer, QWidget* pParent)
    : CView(document, pParent), m_printer(std::move(printer)), m_zoom(LastZoom()),
      m_pScrollArea(new QScrollArea(this)),
      m_pSheet(new CReportSheet([this](int nPage, QPainter& painter) {
          if (CKorvoDoc* pDocument = GetDocument())
              pDocument->DrawPage(nPage, painter);
      }))
{
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(m_pScrollArea);
    m_pScrollArea->setFrameShape(QFrame::NoFrame);
    // Two pages are always taller than a page: a bar that comes and goes
    // would change the width a fitted sheet is fitted to.
    m_pScrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pScrollArea->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_pScrollArea->setWidget(m_pSheet);
    QWidget* pViewport = m_pScrollArea->viewport();
    QPalette desk = pViewport->palette();
    desk.setColor(pViewport->backgroundRole(), CReportSheet::kDeskColour);
    pViewport->setPalette(desk);
    pViewport->setAutoFillBackground(true);
    pViewport->installEventFilter(this);
    m_pScrollArea->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_pScrollArea);
    m_pSheet->SetScale(Scale());
}

CKorvoDoc* CKorvoView::GetDocument() const
{
    return static_cast<CKorvoDoc*>(CView::GetDocument());
}

void CKorvoView::OnInitialUpdate()
{
    m_zoom.Fit(m_pScrollArea->viewport()->size(), PixelsPerUnit());
    m_pSheet->SetScale(Scale());
}

void CKorvoView::OnActivateView(bool bActivate)
{
    CKorvoDoc* pDocument = GetDocument();
    if (!pDocument)
        return;
    if (bActivate)
        pDocument->Context().OnReportActivated(*pDocument->m_pRecord);
    else
        pDocument->Context().OnReportDeactivated();
}

void CKorvoView::OnDraw(QPainter& painter)
{
    CKorvoDoc* pDocument = GetDocument();
    if (pDocument && m_nPrintPage != -1)
        pDocument->DrawPage(m_nPrintPage, painter);
    m_nPrintPage = -1;
}

bool CKorvoView::OnPreparePrinting(CPrintInfo& info) const
{
    info.m_nMinPage = 1;
    info.m_nMaxPage = kPagesOffered;
    info.m_nFromPage = info.m_nMinPage;
    info.m_nToPage = info.m_nMaxPage;
    return true;
}

// The page stands where the report put it on the sheet, unless the printer
// cannot print that far out: then it moves into what the printer reaches.
void CKorvoView::OnPrint(QPainter& painter, CPrintInfo& info)
{
    m_nPrintPage = info.m_nCurPage - 1;
    painter.setTransform(PrintPlacement(info.m_rcDraw), true);
    OnDraw(painter);
}

bool CKorvoView::PrintPages(QPagedPaintDevice& device, CPrintInfo& info)
{
    if (auto* pPrinter = dynamic_cast<QPrinter*>(&device); pPrinter && GetDocument())
        pPrinter->setDocName(GetDocument()->GetTitle());
    return RunPrintLoop(device, info,
                        [this](QPainter& painter, CPrintInfo& page) { OnPrint(painter, page); });
}

bool CKorvoView::PrintOrReport(QPrinter& printer, CPrintInfo& info)
{
    if (PrintPages(printer, info))
        return true;
    const QString strTarget =
        IsNamedPrinter(printer) ? printer.printerName() : printer.outputFileName();
    AfxMessageBox(LoadResString(IDS_PRINT_FAILED).arg(strTarget), QMessageBox::Ok,
                  QMessageBox::Warning);
    return false;
}

bool CKorvoView::ExportPdf(const QString& strPathName)
{
    CKorvoDoc* pDocument = GetDocument();
    ReportPdfInfo pdfInfo;
    pdfInfo.m_strCreator = QLatin1String(kProgramName);
    if (pDocument)
        pdfInfo.m_strTitle = pDocument->GetTitle();
    CReportPdf pdf(pdfInfo);
    if (pDocument)
        pdf.Add(pDocument->m_Report, kPagesOffered);
    FileError error;
    const DocumentStatus status = SavePdf(pdf.Finish(), strPathName, &error);
    if (status == DocumentStatus::Ok)
        return true;
    AfxMessageBox(FileFailureText(status, strPathName, error), QMessageBox::Ok,
                  QMessageBox::Warning);
    return false;
}

void CKorvoView::OnFilePrint()
{
    CPrintInfo info;
    OnPreparePrinting(info);
    QPrinter& applicationPrinter = m_printer();
    QPrintDialog dialog(&applicationPrinter, this);
    // The pages are chosen here, not by the print server.
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintToFile |
                      QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(info.m_nMinPage, info.m_nMaxPage);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (dialog.printRange() == QAbstractPrintDialog::PageRange) {
        info.m_nFromPage = dialog.fromPage();
        info.m_nToPage = dialog.toPage();
    }
    PrintOrReport(applicationPrinter, info);
}

void CKorvoView::OnFilePrintDirect()
{
    CPrintInfo info;
    OnPreparePrinting(info);
    QPrinter& applicationPrinter = m_printer();
    if (IsNamedPrinter(applicationPrinter)) {
        PrintOrReport(applicationPrinter, info);
        return;
    }
    // The application's printer writes to a file or names none: the
    // system's default printer takes the job instead.
    const QString strDefault = QPrinterInfo::defaultPrinterName();
    if (strDefault.isEmpty()) {
        AfxMessageBox(kMsgNoDefaultPrinter, QMessageBox::Ok, QMessageBox::Information);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(strDefault);
    printer.setPageLayout(applicationPrinter.pageLayout());
    PrintOrReport(printer, info);
}

void CKorvoView::OnFilePrintPreview()
{
    // A printer of the preview's own, set up as the application's: the pages
    // chosen when printing from the preview stay with this preview.
    QPrinter printer(QPrinter::HighResolution);
    CopyPrinterSetup(m_printer(), printer);
    QPrintPreviewDialog dialog(&printer, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, &CKorvoView::PaintPreview);
    dialog.exec();
}

// The preview's pages, and what its Print button prints: the pages chosen in
// the print dialog it opens.
void CKorvoView::PaintPreview(QPrinter* pPrinter)
{
    CPrintInfo info;
    OnPreparePrinting(info);
    if (pPrinter->printRange() == QPrinter::PageRange) {
        info.m_nFromPage = pPrinter->fromPage();
        info.m_nToPage = pPrinter->toPage();
    }
    PrintOrReport(*pPrinter, info);
}

void CKorvoView::OnFileExportPdf()
{
    FileDialogRequest request;
    request.m_bSave = true;
    request.m_strCaption = LoadResString(IDS_EXPORT_PDF_TITLE);
    request.m_strFilter = LoadResString(IDS_EXPORT_ALL_PDF_FILTER) + QStringLiteral(";;") +
                          LoadResString(IDS_ALL_FILES_FILTER);
    request.m_strDefaultSuffix = QStringLiteral("pdf");
    if (GetDocument())
        request.m_strInitialPath = GetDocument()->SuggestedFileName(QStringLiteral(".pdf"));
    const QString strPathName = AfxPromptFileName(request);
    if (!strPathName.isEmpty())
        ExportPdf(strPathName);
}

QSizeF CKorvoView::PixelsPerUnit() const
{
    return CReportZoom::TrueScale(QSizeF(physicalDpiX(), physicalDpiY()),
                                  QSizeF(logicalDpiX(), logicalDpiY()));
}

QSizeF CKorvoView::Scale() const
{
    return m_zoom.Scale(PixelsPerUnit());
}

QPointF CKorvoView::ViewportCentre() const
{
    return QRectF(m_pScrollArea->viewport()->rect()).center();
}

void CKorvoView::ZoomIn()
{
    CReportZoom zoom = m_zoom;
    if (zoom.ZoomIn())
        ChangeZoom(zoom, ViewportCentre());
}

void CKorvoView::ZoomOut()
{
    CReportZoom zoom = m_zoom;
    if (zoom.ZoomOut())
        ChangeZoom(zoom, ViewportCentre());
}

void CKorvoView::SetZoom(const CReportZoom& zoom)
{
    ChangeZoom(zoom, ViewportCentre());
}

void CKorvoView::ChangeZoom(const CReportZoom& zoom, QPointF anchor)
{
    m_zoom = zoom;
    m_zoom.Fit(m_pScrollArea->viewport()->size(), PixelsPerUnit());
    ApplyZoom(anchor);
    RememberZoom(m_zoom);
}

void CKorvoView::ApplyZoom(QPointF anchor)
{
    const QPointF reportPoint =
        m_pSheet->ToReport(m_pSheet->mapFrom(m_pScrollArea->viewport(), anchor.toPoint()));
    m_pSheet->SetScale(Scale());
    const QPointF sheetPoint = m_pSheet->ToSheet(reportPoint);
    m_pScrollArea->horizontalScrollBar()->setValue(
        static_cast<int>(std::lround(sheetPoint.x() - anchor.x())));
    m_pScrollArea->verticalScrollBar()->setValue(
        static_cast<int>(std::lround(sheetPoint.y() - anchor.y())));
}

bool CKorvoView::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched != m_pScrollArea->viewport())
        return CView::eventFilter(pWatched, pEvent);
    if (pEvent->type() == QEvent::Resize) {
        if (m_zoom.Fit(m_pScrollArea->viewport()->size(), PixelsPerUnit()))
            ApplyZoom(QPointF(ViewportCentre().x(), 0));
    } else if (pEvent->type() == QEvent::Wheel) {
        const auto* pWheel = static_cast<QWheelEvent*>(pEvent);
        if (pWheel->modifiers().testFlag(Qt::ControlModifier)) {
            // Fine-grained wheels and touch pads send small steps; a zoom
            // step is a whole notch.
            m_nWheelSteps += pWheel->angleDelta().y();
            CReportZoom zoom = m_zoom;
            bool bChanged = false;
            for (; m_nWheelSteps >= kWheelNotch; m_nWheelSteps -= kWheelNotch)
                bChanged |= zoom.ZoomIn();
            for (; m_nWheelSteps <= -kWheelNotch; m_nWheelSteps += kWheelNotch)
                bChanged |= zoom.ZoomOut();
            if (bChanged)
                ChangeZoom(zoom, pWheel->position());
            return true;
        }
    }
    return CView::eventFilter(pWatched, pEvent);
}

bool CKorvoView::OnCmdMsg(int nId)
{
    switch (nId) {
    case ID_FILE_PRINT: OnFilePrint(); return true;
    case ID_FILE_PRINT_DIRECT: OnFilePrintDirect(); return true;
    case ID_FILE_PRINT_PREVIEW: OnFilePrintPreview(); return true;
    case ID_FILE_EXPORT_PDF: OnFileExportPdf(); return true;
    case ID_VIEW_ZOOM_IN: ZoomIn(); return true;
    case ID_VIEW_ZOOM_OUT: ZoomOut(); return true;
    case ID_VIEW_ZOOM_FIT_WIDTH:
    case ID_VIEW_ZOOM_FIT_PAGE: {
        CReportZoom zoom = m_zoom;
        zoom.SetMode(nId == ID_VIEW_ZOOM_FIT_WIDTH ? CReportZoom::Mode::FitWidth
                                                   : CReportZoom::Mode::FitPage);
        SetZoom(zoom);
        return true;
    }
    case ID_VIEW_ZOOM_ACTUAL: {
        CReportZoom zoom;
        zoom.SetFactor(1.0);
        SetZoom(zoom);
        return true;
    }
    default: return false;
    }
}

std::optional<CCmdUI> CKorvoView::OnUpdateCmdUI(int nId) const
{
    const auto checkable = [](bool bChecked) {
        return CCmdUI{.m_bEnabled = true, .m_bChecked = bChecked, .m_bCheckable = true};
    };
    switch (nId) {
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
    case ID_FILE_PRINT_PREVIEW:
    case ID_FILE_EXPORT_PDF: return CCmdUI{};
    case ID_VIEW_ZOOM_IN: return CCmdUI{.m_bEnabled = m_zoom.CanZoomIn()};
    case ID_VIEW_ZOOM_OUT: return CCmdUI{.m_bEnabled = m_zoom.CanZoomOut()};
    case ID_VIEW_ZOOM_FIT_WIDTH: return checkable(m_zoom.GetMode() == CReportZoom::Mode::FitWidth);
    case ID_VIEW_ZOOM_FIT_PAGE: return checkable(m_zoom.GetMode() == CReportZoom::Mode::FitPage);
    case ID_VIEW_ZOOM_ACTUAL:
        return checkable(m_zoom.GetMode() == CReportZoom::Mode::Factor && m_zoom.Factor() == 1.0);
    default: return std::nullopt;
    }
}
