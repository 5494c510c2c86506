#pragma once

#include "app/reportzoom.h"
#include "framework/printloop.h"
#include "framework/view.h"

#include <functional>

class CKorvoDoc;
class CReportSheet;
class QPagedPaintDevice;
class QPrinter;
class QScrollArea;

// The report window of a DB document: pages 1 and 2 of the composed report
// one below the other on a scrollable sheet, at true scale (0.1 mm per
// report unit, from the screen's resolution) times a zoom. It prints,
// previews and exports the same two pages with one drawing routine, and
// never composes: the report is the document's.
class CKorvoView : public CView
{
    Q_OBJECT

public:
    // The application's printer, which Print Setup adjusts. Making it asks
    // the print system, which can be slow: a view asks for it only when it
    // prints, previews or exports.
    using PrinterSource = std::function<QPrinter&()>;

    CKorvoView(CKorvoDoc& document, PrinterSource printer, QWidget* pParent = nullptr);

    CKorvoDoc* GetDocument() const;

    void OnInitialUpdate() override;
    // Tells the application which record is on show, or that none is.
    void OnActivateView(bool bActivate) override;

    // Draws the one page being printed, between OnPrint and the OnDraw it
    // calls. The screen shows both pages from the sheet's kept images.
    void OnDraw(QPainter& painter);
    // Pages 1 to 2 whatever the report holds.
    bool OnPreparePrinting(CPrintInfo& info) const;
    void OnPrint(QPainter& painter, CPrintInfo& info);
    // -1 except while a page is being printed.
    int PrintPage() const { return m_nPrintPage; }

    // Printing, preview and PDF all draw through this. False when the device
    // could not be used.
    bool PrintPages(QPagedPaintDevice& device, CPrintInfo& info);
    // The two pages as a US-Letter PDF; the file is replaced only once the
    // new one is complete. A failure is reported, naming the file and why.
    bool ExportPdf(const QString& strPathName);

    // Through the print dialog (pages 1 to 2 offered).
    void OnFilePrint();
    // To the application's printer, or the system's default one, without a
    // dialog; message 58230 when there is no printer at all.
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    void OnFileExportPdf();

    const CReportZoom& Zoom() const { return m_zoom; }
    // Window pixels per report unit at the zoom shown now.
    QSizeF Scale() const;
    void ZoomIn();
    void ZoomOut();
    void SetZoom(const CReportZoom& zoom);

    bool OnCmdMsg(int nId) override;
    std::optional<CCmdUI> OnUpdateCmdUI(int nId) const override;

protected:
    // Ctrl+wheel over the sheet zooms; a fitting zoom follows the window.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void PaintPreview(QPrinter* pPrinter);
    // Window pixels per report unit at true size.
    QSizeF PixelsPerUnit() const;
    // Sizes the sheet for the zoom, keeping the report point under anchor
    // (viewport pixels) where it is.
    void ApplyZoom(QPointF anchor);
    void ChangeZoom(const CReportZoom& zoom, QPointF anchor);
    QPointF ViewportCentre() const;
    bool PrintOrReport(QPrinter& printer, CPrintInfo& info);

    PrinterSource m_printer;
    int m_nPrintPage = -1;
    CReportZoom m_zoom;
    QScrollArea* m_pScrollArea;
    CReportSheet* m_pSheet;
    int m_nWheelSteps = 0; // eighths of a degree not yet turned into zoom steps
};
