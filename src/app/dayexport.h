#pragma once

#include "records/saveall.h"
#include "records/testrecord.h"

#include <QDateTime>
#include <QString>

#include <vector>

class CReportHost;
class QWidget;

// The commands that take a whole download off the program at the end of a
// technician's day: the downloaded DBs as a CSV table, every DB that holds a
// test as its own document, and their reports as PDF. Each asks for its
// target, never replaces a file without asking, and ends with a summary.
class CDayExport
{
public:
    // downloadTime names the folders and files proposed; invalid: now.
    CDayExport(RecordTable& records, const QDateTime& downloadTime, CReportHost& reportHost,
               QWidget* pParent);

    static bool HasDbWithTest(const RecordTable& records);

    // The downloaded DBs that hold a test as a CSV table, in a file the user names.
    void ExportCsv();
    // Open reports as a CSV table, a row for each named as given.
    struct NamedRecord
    {
        QString m_strName;
        const TestRecord* m_pRecord = nullptr;
    };
    void ExportCsv(const std::vector<NamedRecord>& records);
    // Every DB that holds a test as its own document in a folder the user
    // picks, asking before replacing a file.
    void SaveAll();
    // The reports of the DBs that hold a test as PDF: a file per DB in a
    // folder, or all in one file, as the user chooses.
    void ExportAllPdf();

private:
    // A folder the user picks for a batch of files, or the dated folder made
    // inside it when accepted; empty when cancelled or not made.
    QString PromptBatchFolder(int nCaptionId);
    // A file to save under, proposed as "LMX-4410 <date> <time>.<suffix>"
    // (the download's) in the documents folder; empty when cancelled.
    QString PromptDatedFile(int nCaptionId, int nFilterId, const QString& strSuffix);
    // "LMX-4410 <date> <time>" of the download.
    QString DatedName() const;
    // A file per DB that holds a test into strFolder, asking before
    // replacing one, with a progress dialog while it takes.
    std::vector<SaveAllResult> WriteBatch(const QString& strFolder, int nProgressTextId,
                                          std::string_view extension, const DbFileBytes& makeBytes);
    void ExportPdfPerDb(const std::vector<int>& anDbs);
    void ExportCombinedPdf(const std::vector<int>& anDbs);
    void ReportBatchEnd(int nWritten, int nTotal, const QString& strTarget,
                        const QString& strProblems);
    void TellNothingToExport();
    void WriteCsv(const std::string& strTable);

    RecordTable& m_Records;
    QDateTime m_downloadTime;
    CReportHost& m_reportHost;
    QWidget* m_pParent;
};
