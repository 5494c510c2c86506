#include "app/dayexport.h"

#include "app/overwritequestion.h"
#include "framework/filedialog.h"
#include "framework/filefailuretext.h"
#include "framework/langpack.h"
#include "framework/messagebox.h"
#include "framework/resourceids.h"
#include "records/atomicfile.h"
#include "records/datedname.h"
#include "records/documentfile.h"
#include "records/recordcsv.h"
#include "records/saveall.h"
#include "report/easyreport.h"
#include "report/reporthost.h"
#include "report/reportpdf.h"
#include "report/testreportcomposer.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QStandardPaths>

#include <algorithm>
#include <chrono>
#include <functional>

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

// The reports of records one after the other in one PDF, telling
// onAdded how many are in; empty when it could not be drawn.
QByteArray ComposedPdf(const std::vector<TestRecord*>& records, CReportHost& host,
                       const std::function<void(int)>& onAdded = {})
{
    CReportPdf pdf;
    int nAdded = 0;
    for (TestRecord* pRecord : records) {
        CEasyReport report(host);
        ComposeReport(*pRecord, report);
        pdf.Add(report);
        if (onAdded)
            onAdded(++nAdded);
    }
    return pdf.Finish();
}

std::ptrdiff_t CountSaved(const std::vector<SaveAllResult>& results)
{
    return std::count_if(results.begin(), results.end(), [](const SaveAllResult& result) {
        return result.m_Outcome == SaveAllOutcome::Saved;
    });
}

// A line for each file kept or not written, and one when a full disk ended
// the batch.
QString BatchProblems(const std::vector<SaveAllResult>& results)
{
    QString strProblems;
    for (const SaveAllResult& result : results) {
        const QString strPath = QFile::decodeName(QByteArray::fromStdString(result.m_strPath));
        if (result.m_Outcome == SaveAllOutcome::SkippedExists)
            strProblems += QStringLiteral("\n") + LoadResString(IDS_SAVE_ALL_KEPT).arg(strPath);
        else if (result.m_Outcome == SaveAllOutcome::Failed)
            strProblems += QStringLiteral("\n") +
                           FileFailureText(DocumentStatus::CannotWrite, strPath, result.m_error);
    }
    if (StoppedOutOfRoom(results))
        strProblems += QStringLiteral("\n\n") + LoadResString(IDS_BATCH_STOPPED_NO_ROOM);
    return strProblems;
}

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

    const QString strSubfolder = DatedName();
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
    const std::vector<SaveAllResult> results =
        WriteBatch(strFolder, IDS_SAVE_ALL_PROGRESS, ".lmx", DbDocumentBytes);
    const auto nSaved = CountSaved(results);
    const auto nWithTest = static_cast<std::ptrdiff_t>(DbsWithTest(m_Records).size());
    AfxMessageBox(LoadResString(IDS_SAVE_ALL_DONE).arg(nSaved).arg(nWithTest).arg(strFolder) +
                      BatchProblems(results),
                  QMessageBox::Ok,
                  nSaved == nWithTest ? QMessageBox::Information : QMessageBox::Warning, m_pParent);
}

std::vector<SaveAllResult> CDayExport::WriteBatch(const QString& strFolder, int nProgressTextId,
                                                  std::string_view extension,
                                                  const DbFileBytes& makeBytes)
{
    CBatchProgress progress(nProgressTextId, 0, m_pParent);
    std::vector<SaveAllResult> results =
        WriteFilePerDb(m_Records, QFile::encodeName(strFolder).toStdString(), extension, makeBytes,
                       COverwriteQuestion(m_pParent), [&progress](int nDone, int nTotal) {
                           progress.setMaximum(nTotal);
                           progress.setValue(nDone);
                       });
    progress.reset();
    return results;
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
    CPdfReportHost pdfHost(m_reportHost);
    const std::vector<SaveAllResult> results =
        WriteBatch(strFolder, IDS_EXPORT_ALL_PDF_PROGRESS, ".pdf",
                   // The report is composed from the table's own record.
                   [this, &pdfHost](int nDb, const TestRecord&) -> std::optional<std::string> {
                       const QByteArray pdf =
                           ComposedPdf({&m_Records[static_cast<std::size_t>(nDb)]}, pdfHost);
                       if (pdf.isEmpty())
                           return std::nullopt;
                       return pdf.toStdString();
                   });
    ReportBatchEnd(static_cast<int>(CountSaved(results)), static_cast<int>(anDbs.size()), strFolder,
                   BatchProblems(results));
}

void CDayExport::ExportCombinedPdf(const std::vector<int>& anDbs)
{
    const QString strPath =
        PromptDatedFile(IDS_EXPORT_ALL_PDF_TITLE, IDS_EXPORT_ALL_PDF_FILTER, QStringLiteral("pdf"));
    if (strPath.isEmpty())
        return;

    CPdfReportHost pdfHost(m_reportHost);
    std::vector<TestRecord*> records;
    for (const int nDb : anDbs)
        records.push_back(&m_Records[static_cast<std::size_t>(nDb)]);
    CBatchProgress progress(IDS_EXPORT_ALL_PDF_PROGRESS, static_cast<int>(records.size()),
                            m_pParent);
    const QByteArray pdf =
        ComposedPdf(records, pdfHost, [&progress](int nAdded) { progress.setValue(nAdded); });
    progress.reset();
    FileError error;
    const bool bWritten = SavePdf(pdf, strPath, &error) == DocumentStatus::Ok;
    const int nReports = static_cast<int>(anDbs.size());
    ReportBatchEnd(bWritten ? nReports : 0, nReports, strPath,
                   bWritten ? QString()
                            : QStringLiteral("\n") +
                                  FileFailureText(DocumentStatus::CannotWrite, strPath, error));
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
            .filePath(DatedName() + QLatin1Char('.') + strSuffix);
    return AfxPromptFileName(request, m_pParent);
}

QString CDayExport::DatedName() const
{
    return QString::fromStdString(DefaultSaveAllFolderName(
        std::chrono::system_clock::from_time_t(m_downloadTime.toSecsSinceEpoch())));
}

void CDayExport::TellNothingToExport()
{
    AfxMessageBox(IDS_NOTHING_TO_EXPORT, QMessageBox::Ok, QMessageBox::Information, m_pParent);
}
