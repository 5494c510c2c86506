#include "report/reportpdf.h"

#include "report/easyreport.h"
#include "report/pagerenderer.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>

namespace {

constexpr int kPdfResolution = 1200;

} // namespace

CReportPdf::CReportPdf(const ReportPdfInfo& info)
{
    m_buffer.open(QIODevice::WriteOnly);
    m_pWriter = std::make_unique<QPdfWriter>(&m_buffer);
    m_pWriter->setResolution(kPdfResolution);
    m_pWriter->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    if (!info.m_strCreator.isEmpty())
        m_pWriter->setCreator(info.m_strCreator);
    if (!info.m_strTitle.isEmpty())
        m_pWriter->setTitle(info.m_strTitle);
    if (m_painter.begin(m_pWriter.get())) {
        const double scale = ReportScale(kPdfResolution);
        m_painter.scale(scale, scale);
    }
}

CReportPdf::~CReportPdf()
{
    if (m_painter.isActive())
        m_painter.end();
}

void CReportPdf::Add(CEasyReport& report, int nMinPages)
{
    if (!m_painter.isActive())
        return;
    const int pages = std::max(report.GetPageCount(), nMinPages);
    for (int page = 0; page < pages; ++page) {
        if (!m_bFirstPage)
            m_pWriter->newPage();
        m_bFirstPage = false;
        DrawPage(report, page, m_painter);
    }
}

QByteArray CReportPdf::Finish()
{
    if (!m_painter.isActive() || !m_painter.end())
        return {};
    return m_buffer.data();
}

DocumentStatus SavePdf(const QByteArray& pdf, const QString& path, FileError* pError,
                       LinkAtTarget link)
{
    if (pdf.isEmpty()) {
        if (pError)
            *pError = FileError{FileProblem::Other, {}};
        return DocumentStatus::CannotWrite;
    }
    return WriteFileAtomically(
        QFile::encodeName(path).toStdString(),
        std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())), pError, link);
}

bool WriteReportPdf(CEasyReport& report, const QString& path, FileError* pError)
{
    CReportPdf pdf;
    pdf.Add(report);
    return SavePdf(pdf.Finish(), path, pError) == DocumentStatus::Ok;
}
