// Export All Reports as PDF from the Download menu: a file per DB named as
// Save All names documents, or every report in one file that appears only
// once it is complete.

#include "app/korvoapp.h"
#include "app/mainframe.h"
#include "dayexportfixture.h"
#include "framework/filedialog.h"
#include "framework/resourceids.h"
#include "messageboxrecorder.h"
#include "pdfpages.h"
#include "report/easyreport.h"
#include "report/reporthost.h"
#include "report/testreportcomposer.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ExportAllPdf : public CDayExportTest
{
protected:
    ExportAllPdf()
    {
        HoldTest(2, "Kim Apt 301");
        HoldTest(5, "");
    }

    int ReportPages(int nDb)
    {
        CSilentReportHost host;
        CEasyReport report(host);
        ComposeReport(m_app.m_Records[static_cast<std::size_t>(nDb)], report);
        return std::max(report.GetPageCount(), 1);
    }
    int PagesOf(const QString& strPath) const
    {
        QFile file(strPath);
        return file.open(QIODevice::ReadOnly) ? PdfPageCount(file.readAll()) : -1;
    }
    QStringList Files() const { return QDir(m_folder.path()).entryList(QDir::Files); }
};

TEST_F(ExportAllPdf, OneFilePerDbNamedAfterItsUserInformation)
{
    m_app.MainFrame()->UpdateCommandUI();
    EXPECT_TRUE(m_app.MainFrame()->Action(ID_EXPORT_ALL_PDF)->isEnabled());
    m_strAnswer = m_folder.path();
    m_boxes.QueueAnswer(QMessageBox::Yes); // a file per DB
    m_boxes.QueueAnswer(QMessageBox::No);  // in the chosen folder itself
    m_app.OnExportAllPdf();
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_TRUE(m_requests[0].m_bFolder);
    EXPECT_EQ(Files(), (QStringList{"DB02 Kim Apt 301.pdf", "DB05.pdf"}));
    EXPECT_EQ(PagesOf(m_folder.filePath("DB02 Kim Apt 301.pdf")), ReportPages(2));
    EXPECT_EQ(PagesOf(m_folder.filePath("DB05.pdf")), ReportPages(5));
    // Only the questions and the summary: a PDF needs no printer, so a
    // machine without one is not told so once for every report.
    ASSERT_EQ(m_boxes.Requests().size(), 3);
    EXPECT_EQ(m_boxes.Texts()[2],
              LoadResString(IDS_EXPORT_ALL_PDF_DONE).arg(2).arg(2).arg(m_folder.path()));

    // A second export asks before replacing; No keeps the file.
    m_boxes.Clear();
    QFile::resize(m_folder.filePath("DB05.pdf"), 0);
    for (const auto answer : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Yes, QMessageBox::No})
        m_boxes.QueueAnswer(answer);
    m_app.OnExportAllPdf();
    EXPECT_EQ(QFileInfo(m_folder.filePath("DB05.pdf")).size(), 0);
    EXPECT_EQ(m_boxes.Requests().last().m_icon, QMessageBox::Warning);
}

TEST_F(ExportAllPdf, OneCombinedFileHoldsEveryReportAndNothingElse)
{
    m_strAnswer = m_folder.filePath("day.pdf");
    m_boxes.QueueAnswer(QMessageBox::No); // one combined file
    m_app.OnExportAllPdf();
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_TRUE(m_requests[0].m_bSave);
    EXPECT_EQ(m_requests[0].m_strDefaultSuffix, "pdf");
    EXPECT_EQ(PagesOf(m_strAnswer), ReportPages(2) + ReportPages(5));
    EXPECT_EQ(Files(), QStringList{"day.pdf"});
    EXPECT_EQ(m_boxes.Requests().last().m_icon, QMessageBox::Information);
}

TEST_F(ExportAllPdf, CancelOrAnUnwritablePlaceWritesNothing)
{
    m_boxes.QueueAnswer(QMessageBox::Cancel);
    m_app.OnExportAllPdf();
    EXPECT_TRUE(m_requests.empty());
    EXPECT_EQ(m_boxes.Requests().size(), 1);

    m_boxes.Clear();
    m_strAnswer = m_folder.filePath("no-such-folder/day.pdf");
    m_boxes.QueueAnswer(QMessageBox::No);
    m_app.OnExportAllPdf();
    ASSERT_EQ(m_boxes.Requests().size(), 2);
    EXPECT_TRUE(
        m_boxes.Texts()[1].contains(LoadResString(IDS_EXPORT_ALL_PDF_FAILED).arg(m_strAnswer)));
    EXPECT_EQ(m_boxes.Requests()[1].m_icon, QMessageBox::Warning);
    EXPECT_TRUE(Files().isEmpty());
}

} // namespace
