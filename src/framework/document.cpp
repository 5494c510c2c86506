#include "framework/document.h"

#include "framework/archive.h"
#include "framework/childframe.h"
#include "framework/docmanager.h"
#include "framework/doctemplate.h"
#include "framework/filedialog.h"
#include "framework/filefailuretext.h"
#include "framework/langpack.h"
#include "framework/messagebox.h"
#include "framework/resourceids.h"
#include "framework/view.h"
#include "records/atomicfile.h"
#include "records/fileaccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

void ReportFileError(DocumentStatus status, const QString& strPathName, const FileError& error)
{
    AfxMessageBox(FileFailureText(status, strPathName, error), QMessageBox::Ok,
                  QMessageBox::Warning);
}

// A title as a file name: without the characters that cannot or should not
// stand in one.
QString FileNameFromTitle(QString strTitle)
{
    for (QChar& c : strTitle) {
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    return strTitle.trimmed();
}

} // namespace

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    // Views that outlive their document (a template torn down with windows
    // open) must not reach back into it.
    for (CView* pView : std::as_const(m_apViews))
        pView->m_pDocument = nullptr;
}

void CDocument::SetTitle(const QString& strTitle)
{
    m_strTitle = strTitle;
    emit titleChanged(m_strTitle);
}

void CDocument::SetPathName(const QString& strPathName, bool bAddToRecentFiles)
{
    const QFileInfo info(strPathName);
    m_strPathName = info.absoluteFilePath();
    SetTitle(info.fileName());
    if (bAddToRecentFiles && m_pDocTemplate && m_pDocTemplate->GetDocManager())
        m_pDocTemplate->GetDocManager()->AddToRecentFileList(m_strPathName);
}

void CDocument::SetModifiedFlag(bool bModified)
{
    if (std::exchange(m_bModified, bModified) != bModified)
        emit modifiedChanged(bModified);
}

bool CDocument::OnNewDocument()
{
    m_strPathName.clear();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const QString& strPathName)
{
    std::string bytes;
    FileError error;
    DocumentStatus status =
        ReadFileBytes(QFile::encodeName(strPathName).toStdString(), bytes, &error);
    if (status == DocumentStatus::Ok) {
        CArchive ar(std::move(bytes));
        Serialize(ar);
        status = ar.Status();
    }
    if (status != DocumentStatus::Ok) {
        ReportFileError(status, strPathName, error);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const QString& strPathName)
{
    CArchive ar;
    Serialize(ar);
    FileError error;
    const DocumentStatus status =
        ar.IsOk()
            ? WriteFileAtomically(QFile::encodeName(strPathName).toStdString(), ar.Bytes(), &error)
            : ar.Status();
    if (status != DocumentStatus::Ok) {
        ReportFileError(status, strPathName, error);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void CDocument::OnCloseDocument()
{
    // Destroying the windows takes the views away; that must not close the
    // document a second time.
    const bool bAutoDelete = std::exchange(m_bAutoDelete, false);
    const QList<CView*> apViews = m_apViews;
    for (CView* pView : apViews) {
        if (CChildFrame* pFrame = pView->GetParentFrame())
            delete pFrame;
        else
            delete pView;
    }
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
    if (bAutoDelete)
        deleteLater();
}

bool CDocument::SaveModified()
{
    if (!IsModified())
        return true;
    const QString strName =
        m_strPathName.isEmpty() ? m_strTitle : QFileInfo(m_strPathName).fileName();
    switch (AfxMessageBox(LoadResString(IDS_SAVE_CHANGES).arg(strName),
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                          QMessageBox::Question)) {
    case QMessageBox::Yes: return DoFileSave();
    case QMessageBox::No: return true;
    default: return false;
    }
}

bool CDocument::DoSave(const QString& strPathName, bool bReplace)
{
    QString strNewName = strPathName;
    if (strNewName.isEmpty()) {
        const CDocTypeStrings strings =
            m_pDocTemplate ? m_pDocTemplate->DocTypeStrings() : CDocTypeStrings();
        FileDialogRequest request;
        request.m_bSave = true;
        request.m_strCaption = LoadResString(IDS_SAVE_AS_TITLE);
        request.m_strFilter = strings.FileDialogFilter();
        request.m_strDefaultSuffix = strings.DefaultSuffix();
        request.m_strInitialPath = SuggestedFileName(strings.DefaultExtension());
        strNewName = AfxPromptFileName(request);
        if (strNewName.isEmpty())
            return false;
    }
    if (!OnSaveDocument(strNewName))
        return false;
    if (bReplace)
        SetPathName(strNewName);
    return true;
}

bool CDocument::DoFileSave()
{
    const QFileInfo info(m_strPathName);
    if (m_strPathName.isEmpty() || (info.exists() && !info.isWritable()))
        return DoSave(QString());
    return DoSave(m_strPathName);
}

bool CDocument::CanCloseFrame(const CChildFrame* pFrame)
{
    for (const CView* pView : std::as_const(m_apViews)) {
        if (pView->GetParentFrame() != pFrame)
            return true; // another window still shows the document
    }
    return SaveModified();
}

bool CDocument::OnCmdMsg(int nId)
{
    switch (nId) {
    case ID_FILE_SAVE: DoFileSave(); return true;
    case ID_FILE_SAVE_AS: DoSave(QString()); return true;
    case ID_FILE_CLOSE:
        // Nothing of this document may be touched once it is closed.
        if (SaveModified())
            OnCloseDocument();
        return true;
    default: return false;
    }
}

std::optional<CCmdUI> CDocument::OnUpdateCmdUI(int nId) const
{
    switch (nId) {
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_FILE_CLOSE: return CCmdUI{};
    default: return std::nullopt;
    }
}

void CDocument::AddView(CView* pView)
{
    m_apViews << pView;
}

void CDocument::RemoveView(CView* pView)
{
    m_apViews.removeOne(pView);
    if (m_apViews.isEmpty() && m_bAutoDelete)
        OnCloseDocument();
}

QString CDocument::SuggestedFileName(const QString& strExtension) const
{
    if (m_strPathName.isEmpty())
        return FileNameFromTitle(m_strTitle) + strExtension;
    const QFileInfo info(m_strPathName);
    return info.dir().filePath(info.completeBaseName() + strExtension);
}
