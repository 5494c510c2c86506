#pragma once

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <memory>

class CEasyReport;

// Several reports one after the other in one US-Letter PDF, drawn as the
// single-report export draws them. The file appears under its name only
// once Commit succeeds; until then an earlier file of that name stays.
class CCombinedReportPdf
{
public:
    explicit CCombinedReportPdf(const QString& strPath);

    bool Open();
    // The report's pages; a report without pages gives one blank sheet.
    void Add(CEasyReport& report);
    bool Commit();

private:
    QSaveFile m_file;
    std::unique_ptr<QPdfWriter> m_pWriter;
    QPainter m_painter;
    bool m_bFirstPage = true;
};
