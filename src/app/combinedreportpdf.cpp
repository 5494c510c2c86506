#include "combinedreportpdf.h"

#include "easyreport.h"
#include "pagerenderer.h"

#include <QPageLayout>
#include <QPageSize>

#include <algorithm>

namespace {

constexpr int kPdfResolution = 1200;

} // namespace

CCombinedReportPdf::CCombinedReportPdf(const QString& strPath) : m_file(strPath) {}

bool CCombinedReportPdf::Open()
{
    if (!m_file.open(QIODevice::WriteOnly))
        return false;
    m_pWriter = std::make_unique<QPdfWriter>(&m_file);
    m_pWriter->setResolution(kPdfResolution);
    m_pWriter->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    if (!m_painter.begin(m_pWriter.get()))
        return false;
    const double scale = ReportScale(kPdfResolution);
    m_painter.scale(scale, scale);
    return true;
}

void CCombinedReportPdf::Add(CEasyReport& report)
{
    const int pages = std::max(report.GetPageCount(), 1);
    for (int page = 0; page < pages; ++page) {
        if (!m_bFirstPage)
            m_pWriter->newPage();
        m_bFirstPage = false;
        DrawPage(report, page, m_painter);
    }
}

bool CCombinedReportPdf::Commit()
{
    return m_painter.end() && m_file.commit();
}
