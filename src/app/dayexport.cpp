#include "dayexport.h"

#include "combinedreportpdf.h"
#include "documentfile.h"
#include "easyreport.h"
#include "fileaccess.h"
#include "filedialog.h"
#include "filefailuretext.h"
#include "langpack.h"
#include "messagebox.h"
#include "overwritequestion.h"
#include "recordcsv.h"
#include "reporthost.h"
#include "resourceids.h"
#include "saveall.h"
#include "testreportcomposer.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>

#include <algorithm>
#include <ctime>

namespace {

// Batches shorter than this finish without a progress dialog.
constexpr int kProgressDelayMs = 500;

// The progress of a batch of files, shown only when it takes a while; the
// window stays usable for the questions the batch may ask.
class CBatchProgress final : public QProgressDialog
{
public:
    CBatchProgress(int nTextId, int nMaximum, QWidget* pParent)
        : QProgressDialog(LoadResString(nTextId), QString(), 0, nMaximum, pParent)
    {
        setWindowModality(Qt::WindowModal);
        setMinimumDuration(kProgressDelayMs);
    }
};

// A PDF needs no printer: the layout does not depend on one. So the batch
// does not tell the user once for every report that none was found.
class CPdfReportHost final : public CReportHost
{
public:
    explicit CPdfReportHost(const CReportHost& host) : m_host(host) {}
    void CheckDefaultPrinter() override {}
    QDate Today() const override { return m_host.Today(); }

private:
    const CReportHost& m_host;
};

} // namespace

CDayExport::CDayExport(RecordTable& records, const QDateTime& downloadTime, CReportHost& reportHost,
                       QWidget* pParent)
    : m_Records(records),
      m_downloadTime(downloadTime.isValid() ? downloadTime : QDateTime::currentDateTime()),
      m_reportHost(reportHost), m_pParent(pParent)
{
}

void CDayExport::ExportCsv()
{
    const std::string strTable = DownloadCsv(m_Records);
    if (strTable.empty())
        TellNothingToExport();
    else
        WriteCsv(strTable);
}

void CDayExport::ExportCsv(const std::vector<NamedRecord>& records)
{
    if (records.empty()) {
        TellNothingToExport();
        return;
    }
    std::string strTable = RecordCsvHeader();
    for (const NamedRecord& record : records)
        strTable += RecordCsvRow(record.m_strName.toStdString(), *record.m_pRecord);
    WriteCsv(strTable);
}

void CDayExport::WriteCsv(const std::string& strTable)
{
    const QString strPath =
        PromptDatedFile(IDS_EXPORT_CSV_TITLE, IDS_EXPORT_CSV_FILTER, QStringLiteral("csv"));
    if (strPath.isEmpty())
        return;
    FileError error;
    const DocumentStatus status =
        WriteFileAtomically(QFile::encodeName(strPath).toStdString(), strTable, &error);
    if (status != DocumentStatus::Ok)
        AfxMessageBox(FileFailureText(status, strPath, error), QMessageBox::Ok,
                      QMessageBox::Warning, m_pParent);
}

bool CDayExport::HasDbWithTest(const RecordTable& records)
{
    return std::any_of(records.begin() + 1, records.end(),
                       [](const TestRecord& record) { return HoldsTest(record); });
}

QString CDayExport::PromptBatchFolder(int nCaptionId)
{
    FileDialogRequest request;
    request.m_bFolder = true;
    request.m_strCaption = LoadResString(nCaptionId);
    request.m_strInitialPath = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString strFolder = AfxPromptFileName(request, m_pParent);
    if (strFolder.isEmpty())
        return {};

    std::tm time{};
    time.tm_year = m_downloadTime.date().year() - 1900;
    time.tm_mon = m_downloadTime.date().month() - 1;
    time.tm_mday = m_downloadTime.date().day();
    time.tm_hour = m_downloadTime.time().hour();
    time.tm_min = m_downloadTime.time().minute();
    const QString strSubfolder = QString::fromStdString(DefaultSaveAllFolderName(time));
    switch (AfxMessageBox(LoadResString(IDS_SAVE_ALL_SUBFOLDER).arg(strSubfolder),
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                          QMessageBox::Question, m_pParent)) {
    case QMessageBox::Yes: strFolder = QDir(strFolder).filePath(strSubfolder); break;
    case QMessageBox::No: break;
    default: return {};
    }
    if (!QDir().mkpath(strFolder)) {
        AfxMessageBox(LoadResString(IDS_SAVE_ALL_NO_FOLDER).arg(strFolder), QMessageBox::Ok,
                      QMessageBox::Warning, m_pParent);
        return {};
    }
    return strFolder;
}

void CDayExport::SaveAll()
{
    if (!HasDbWithTest(m_Records)) {
        TellNothingToExport();
        return;
    }
    const QString strFolder = PromptBatchFolder(IDS_SAVE_ALL_TITLE);
    if (strFolder.isEmpty())
        return;

    CBatchProgress progress(IDS_SAVE_ALL_PROGRESS, 0, m_pParent);
    const std::vector<SaveAllResult> results =
        SaveAllDbs(m_Records, QFile::encodeName(strFolder).toStdString(),
                   COverwriteQuestion(m_pParent), [&progress](int nDone, int nTotal) {
                       progress.setMaximum(nTotal);
                       progress.setValue(nDone);
                   });
    progress.reset();

    const auto nSaved = std::count_if(results.begin(), results.end(), [](const SaveAllResult& r) {
        return r.m_Outcome == SaveAllOutcome::Saved;
    });
    const auto nWithTest = static_cast<std::ptrdiff_t>(DbsWithTest(m_Records).size());
    QString strSummary = LoadResString(IDS_SAVE_ALL_DONE).arg(nSaved).arg(nWithTest).arg(strFolder);
    for (const SaveAllResult& result : results) {
        const QString strPath = QFile::decodeName(QByteArray::fromStdString(result.m_strPath));
        if (result.m_Outcome == SaveAllOutcome::SkippedExists)
            strSummary += QStringLiteral("\n") + LoadResString(IDS_SAVE_ALL_KEPT).arg(strPath);
        else if (result.m_Outcome == SaveAllOutcome::Failed)
            strSummary += QStringLiteral("\n") +
                          FileFailureText(DocumentStatus::CannotWrite, strPath, result.m_error);
    }
    AfxMessageBox(strSummary, QMessageBox::Ok,
                  nSaved == nWithTest ? QMessageBox::Information : QMessageBox::Warning, m_pParent);
}

void CDayExport::ExportAllPdf()
{
    const std::vector<int> anDbs = DbsWithTest(m_Records);
    if (anDbs.empty()) {
        TellNothingToExport();
        return;
    }
    switch (AfxMessageBox(IDS_EXPORT_ALL_PDF_HOW,
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                          QMessageBox::Question, m_pParent)) {
    case QMessageBox::Yes: ExportPdfPerDb(anDbs); break;
    case QMessageBox::No: ExportCombinedPdf(anDbs); break;
    default: break;
    }
}

void CDayExport::ExportPdfPerDb(const std::vector<int>& anDbs)
{
    const QString strFolder = PromptBatchFolder(IDS_EXPORT_ALL_PDF_TITLE);
    if (strFolder.isEmpty())
        return;
    COverwriteQuestion askOverwrite(m_pParent);
    CPdfReportHost pdfHost(m_reportHost);
    CBatchProgress progress(IDS_EXPORT_ALL_PDF_PROGRESS, static_cast<int>(anDbs.size()), m_pParent);
    int nWritten = 0;
    int nDone = 0;
    QString strProblems;
    for (const int nDb : anDbs) {
        progress.setValue(nDone++);
        TestRecord& record = m_Records[static_cast<std::size_t>(nDb)];
        const QString strPath =
            QDir(strFolder).filePath(QString::fromStdString(DbFileName(nDb, record, ".pdf")));
        if (QFileInfo::exists(strPath)) {
            const OverwriteChoice choice = askOverwrite(QFile::encodeName(strPath).toStdString());
            if (choice != OverwriteChoice::Overwrite) {
                strProblems += QStringLiteral("\n") + LoadResString(IDS_SAVE_ALL_KEPT).arg(strPath);
                if (choice == OverwriteChoice::StopSaving)
                    break;
                continue;
            }
        }
        CEasyReport report(pdfHost);
        ComposeReport(record, report);
        CCombinedReportPdf pdf(strPath);
        if (pdf.Open() && (pdf.Add(report), pdf.Commit()))
            ++nWritten;
        else
            strProblems +=
                QStringLiteral("\n") + LoadResString(IDS_EXPORT_ALL_PDF_FAILED).arg(strPath);
    }
    progress.reset();
    ReportBatchEnd(nWritten, static_cast<int>(anDbs.size()), strFolder, strProblems);
}

void CDayExport::ExportCombinedPdf(const std::vector<int>& anDbs)
{
    const QString strPath =
        PromptDatedFile(IDS_EXPORT_ALL_PDF_TITLE, IDS_EXPORT_ALL_PDF_FILTER, QStringLiteral("pdf"));
    if (strPath.isEmpty())
        return;

    CBatchProgress progress(IDS_EXPORT_ALL_PDF_PROGRESS, static_cast<int>(anDbs.size()), m_pParent);
    CPdfReportHost pdfHost(m_reportHost);
    CCombinedReportPdf pdf(strPath);
    bool bWritten = pdf.Open();
    int nDone = 0;
    for (const int nDb : anDbs) {
        if (!bWritten)
            break;
        CEasyReport report(pdfHost);
        ComposeReport(m_Records[static_cast<std::size_t>(nDb)], report);
        pdf.Add(report);
        progress.setValue(++nDone);
    }
    bWritten = bWritten && pdf.Commit();
    progress.reset();
    const int nReports = static_cast<int>(anDbs.size());
    ReportBatchEnd(bWritten ? nReports : 0, nReports, strPath,
                   bWritten ? QString()
                            : QStringLiteral("\n") +
                                  LoadResString(IDS_EXPORT_ALL_PDF_FAILED).arg(strPath));
}

void CDayExport::ReportBatchEnd(int nWritten, int nTotal, const QString& strTarget,
                                const QString& strProblems)
{
    AfxMessageBox(LoadResString(IDS_EXPORT_ALL_PDF_DONE).arg(nWritten).arg(nTotal).arg(strTarget) +
                      strProblems,
                  QMessageBox::Ok,
                  strProblems.isEmpty() ? QMessageBox::Information : QMessageBox::Warning,
                  m_pParent);
}

QString CDayExport::PromptDatedFile(int nCaptionId, int nFilterId, const QString& strSuffix)
{
    FileDialogRequest request;
    request.m_bSave = true;
    request.m_strCaption = LoadResString(nCaptionId);
    request.m_strFilter = LoadResString(nFilterId);
    request.m_strDefaultSuffix = strSuffix;
    request.m_strInitialPath =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(m_downloadTime.toString(QStringLiteral("'LMX-4410 'yyyy-MM-dd HHmm'.'")) +
                      strSuffix);
    return AfxPromptFileName(request, m_pParent);
}

void CDayExport::TellNothingToExport()
{
    AfxMessageBox(IDS_NOTHING_TO_EXPORT, QMessageBox::Ok, QMessageBox::Information, m_pParent);
}
