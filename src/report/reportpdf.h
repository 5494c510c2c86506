#pragma once

#include "records/atomicfile.h"

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <QString>

#include <memory>

class CEasyReport;
class QPdfWriter;

// What a PDF says about itself; empty texts are left out.
struct ReportPdfInfo
{
    QString m_strTitle;
    QString m_strCreator;
};

// Reports one after the other in one US-Letter PDF with vector text and no
// margins, so report unit (x, y) lands x/10 mm right of and y/10 mm below the
// sheet's top-left corner. The PDF is made in memory: QPdfWriter writes
// straight to a file name it is given, and a PDF cut short by a full disk
// must never stand under the name the user chose. SavePdf puts it on the
// disk through a temporary file.
class CReportPdf
{
public:
    explicit CReportPdf(const ReportPdfInfo& info = {});
    ~CReportPdf();
    CReportPdf(const CReportPdf&) = delete;
    CReportPdf& operator=(const CReportPdf&) = delete;

    // The report's pages, and blank sheets up to nMinPages.
    void Add(CEasyReport& report, int nMinPages = 1);
    // The finished PDF; empty when it could not be drawn.
    QByteArray Finish();

private:
    QBuffer m_buffer;
    std::unique_ptr<QPdfWriter> m_pWriter;
    QPainter m_painter;
    bool m_bFirstPage = true;
};

// The bytes of a PDF made above saved atomically under path; empty bytes (a
// PDF that could not be drawn) are a failure with no system reason.
DocumentStatus SavePdf(const QByteArray& pdf, const QString& path, FileError* pError,
                       LinkAtTarget link = LinkAtTarget::SaveThrough);

// One report's pages (at least one sheet) as a PDF file.
bool WriteReportPdf(CEasyReport& report, const QString& path, FileError* pError = nullptr);
