#pragma once

#include "framework/document.h"
#include "records/documentfile.h"
#include "records/testrecord.h"
#include "report/easyreport.h"

#include <QString>

class IKorvoContext;
class QPainter;

// One DB opened as a report: its own copy of the test record, the report
// composed from it once, and the two version texts of its file format. Made
// either from the DB chosen in the workspace or from a document file.
class CKorvoDoc : public CDocument
{
    Q_OBJECT

public:
    explicit CKorvoDoc(IKorvoContext& context);

    IKorvoContext& Context() const { return m_rContext; }

    // The versions as read from the file, or the current pair for a new
    // document; saving writes them as they stand.
    const DocumentVersions& Versions() const { return m_Versions; }
    // The text last given to SetTitle; the application finds a DB's open
    // report by it.
    const QString& DbTitle() const { return m_strDbTitle; }

    void Serialize(CArchive& ar) override;
    void SetTitle(const QString& strTitle) override;
    // A copy of the selected DB's record, parsed fields and all; with no DB
    // selected, the empty record. The report is composed from it.
    bool OnNewDocument() override;
    // Reads the file, refuses a version pair that is not ours (message
    // 58203), parses the four sections and composes the report.
    bool OnOpenDocument(const QString& strPathName) override;

    // For the view: makes a page (0-based) the report's current one and
    // draws it; a page the report does not have draws nothing.
    void DrawPage(int nPage, QPainter& painter);

    // Always &m_Record; composition reads the record through it.
    TestRecord* m_pRecord;
    CEasyReport m_Report;

private:
    void ComposeReport();

    IKorvoContext& m_rContext;
    TestRecord m_Record;
    DocumentVersions m_Versions;
    QString m_strDbTitle;
};
