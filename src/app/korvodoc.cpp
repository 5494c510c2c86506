#include "app/korvodoc.h"

#include "app/korvocontext.h"
#include "framework/archive.h"
#include "framework/filefailuretext.h"
#include "framework/messagebox.h"
#include "report/pagerenderer.h"
#include "report/testreportcomposer.h"

#include <utility>

CKorvoDoc::CKorvoDoc(IKorvoContext& context)
    : m_pRecord(&m_Record), m_Report(context.ReportHost()), m_rContext(context)
{
}

void CKorvoDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.Write(StoreDocument(m_Versions, m_Record));
        return;
    }
    DocumentVersions versions;
    TestRecord record;
    const DocumentStatus status = LoadDocument(ar.Remaining(), versions, record);
    if (status != DocumentStatus::Ok) {
        ar.Fail(status);
        return;
    }
    m_Versions = std::move(versions);
    m_Record = std::move(record);
}

void CKorvoDoc::SetTitle(const QString& strTitle)
{
    m_strDbTitle = strTitle;
    CDocument::SetTitle(strTitle);
}

bool CKorvoDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return false;
    if (const TestRecord* pSelected = m_rContext.SelectedRecord())
        m_Record = *pSelected;
    ComposeReport();
    return true;
}

bool CKorvoDoc::OnOpenDocument(const QString& strPathName)
{
    if (!CDocument::OnOpenDocument(strPathName))
        return false;
    if (!m_Versions.IsAccepted()) {
        // Named, as every other file that cannot open: it may be one of many
        // opened at once (a drop, the command line).
        AfxMessageBox(FileFailureText(DocumentStatus::UnknownVersion, strPathName), QMessageBox::Ok,
                      QMessageBox::Warning);
        return false;
    }
    ParseDocumentSections(m_Record);
    ComposeReport();
    return true;
}

void CKorvoDoc::DrawPage(int nPage, QPainter& painter)
{
    ::DrawPage(m_Report, nPage, painter);
}

void CKorvoDoc::ComposeReport()
{
    m_pRecord = &m_Record;
    ::ComposeReport(*m_pRecord, m_Report);
}
