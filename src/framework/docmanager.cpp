#include "framework/docmanager.h"

#include "framework/childframe.h"
#include "framework/doctemplate.h"
#include "framework/document.h"
#include "framework/filedialog.h"
#include "framework/langpack.h"
#include "framework/messagebox.h"
#include "framework/printsetupdlg.h"
#include "framework/resourceids.h"
#include "framework/view.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPrinter>

#include <algorithm>

namespace {

bool IsSameFile(const QString& strA, const QString& strB)
{
    const QFileInfo a(strA), b(strB);
    const QString canonicalA = a.canonicalFilePath();
    if (!canonicalA.isEmpty())
        return canonicalA == b.canonicalFilePath();
    return a.absoluteFilePath() == b.absoluteFilePath();
}

bool IsRecentFileCommand(int nId)
{
    return nId >= ID_FILE_MRU_FILE1 && nId < ID_FILE_MRU_FILE1 + CRecentFileList::kDefaultSize;
}

} // namespace

CDocManager::CDocManager(QObject* pParent) : QObject(pParent)
{
    m_recentFiles.ReadList();
}

// The templates delete their documents; views that outlive them let go.
CDocManager::~CDocManager() = default;

void CDocManager::SetMdiArea(QMdiArea* pArea)
{
    if (m_pMdiArea)
        disconnect(m_pMdiArea, nullptr, this, nullptr);
    m_pMdiArea = pArea;
    for (const auto& pTemplate : m_apTemplates)
        pTemplate->SetMdiArea(pArea);
    if (pArea)
        connect(pArea, &QMdiArea::subWindowActivated, this, &CDocManager::OnSubWindowActivated);
}

CMultiDocTemplate* CDocManager::AddDocTemplate(std::unique_ptr<CMultiDocTemplate> pTemplate)
{
    pTemplate->SetDocManager(this);
    pTemplate->SetMdiArea(m_pMdiArea);
    m_apTemplates.push_back(std::move(pTemplate));
    return m_apTemplates.back().get();
}

CMultiDocTemplate* CDocManager::DocTemplate() const
{
    return m_apTemplates.empty() ? nullptr : m_apTemplates.front().get();
}

QPrinter& CDocManager::Printer()
{
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_pPrinter;
}

CDocument* CDocManager::OpenDocumentFile(const QString& strPathName)
{
    CMultiDocTemplate* pTemplate = DocTemplate();
    if (!pTemplate)
        return nullptr;
    if (!strPathName.isEmpty()) {
        if (CDocument* pOpen = FindOpenDocument(strPathName)) {
            if (!pOpen->Views().isEmpty() && pOpen->Views().constFirst()->GetParentFrame())
                pOpen->Views().constFirst()->GetParentFrame()->ActivateFrame();
            return pOpen;
        }
    }
    return pTemplate->OpenDocumentFile(strPathName);
}

QList<CDocument*> CDocManager::Documents() const
{
    QList<CDocument*> apDocuments;
    for (const auto& pTemplate : m_apTemplates)
        apDocuments << pTemplate->Documents();
    return apDocuments;
}

bool CDocManager::SaveAllModified()
{
    for (CDocument* pDocument : Documents()) {
        if (!pDocument->SaveModified())
            return false;
    }
    return true;
}

void CDocManager::CloseAllDocuments()
{
    for (CDocument* pDocument : Documents())
        pDocument->OnCloseDocument();
}

bool CDocManager::CanOpenDropped(const QMimeData* pData)
{
    if (!pData || !pData->hasUrls())
        return false;
    const QList<QUrl> aUrls = pData->urls();
    return std::any_of(aUrls.begin(), aUrls.end(),
                       [](const QUrl& url) { return url.isLocalFile(); });
}

int CDocManager::OpenDroppedFiles(const QList<QUrl>& aUrls)
{
    int nOpened = 0;
    for (const QUrl& url : aUrls) {
        if (url.isLocalFile() && OpenDocumentFile(url.toLocalFile()))
            ++nOpened;
    }
    return nOpened;
}

void CDocManager::AddToRecentFileList(const QString& strPathName)
{
    m_recentFiles.Add(strPathName);
    emit recentFilesChanged();
}

bool CDocManager::OnCmdMsg(int nId)
{
    if (IsRecentFileCommand(nId)) {
        OnOpenRecentFile(nId - ID_FILE_MRU_FILE1);
        return true;
    }
    switch (nId) {
    case ID_FILE_NEW: OnFileNew(); return true;
    case ID_FILE_OPEN: OnFileOpen(); return true;
    case ID_FILE_PRINT_SETUP: OnFilePrintSetup(); return true;
    default: return false;
    }
}

std::optional<CCmdUI> CDocManager::OnUpdateCmdUI(int nId) const
{
    if (IsRecentFileCommand(nId))
        return CCmdUI{nId - ID_FILE_MRU_FILE1 < RecentFiles().size()};
    switch (nId) {
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_FILE_PRINT_SETUP: return CCmdUI{DocTemplate() != nullptr};
    default: return std::nullopt;
    }
}

void CDocManager::OnFileNew()
{
    OpenDocumentFile(QString());
}

void CDocManager::OnFileOpen()
{
    const CMultiDocTemplate* pTemplate = DocTemplate();
    if (!pTemplate)
        return;
    FileDialogRequest request;
    request.m_strCaption = LoadResString(IDS_OPEN_TITLE);
    request.m_strFilter = pTemplate->DocTypeStrings().FileDialogFilter();
    if (!RecentFiles().isEmpty())
        request.m_strInitialPath = QFileInfo(RecentFiles().constFirst()).absolutePath();
    const QString strPathName = AfxPromptFileName(request);
    if (!strPathName.isEmpty())
        OpenDocumentFile(strPathName);
}

void CDocManager::OnOpenRecentFile(int nIndex)
{
    const QString strPathName = RecentFiles().value(nIndex);
    if (strPathName.isEmpty())
        return;
    if (!QFileInfo::exists(strPathName)) {
        AfxMessageBox(
            LoadResString(IDS_RECENT_FILE_GONE).arg(QDir::toNativeSeparators(strPathName)),
            QMessageBox::Ok, QMessageBox::Warning);
    } else if (OpenDocumentFile(strPathName)) {
        return;
    }
    m_recentFiles.Remove(nIndex);
    emit recentFilesChanged();
}

void CDocManager::OnFilePrintSetup()
{
    CPrintSetupDlg dialog(Printer(), m_pMdiArea ? m_pMdiArea->window() : nullptr);
    dialog.exec();
}

void CDocManager::OnSubWindowActivated(QMdiSubWindow* pWindow)
{
    // The area also reports no active window while another top-level window
    // (a dialog, another program) has the focus; the report on show has not
    // changed then.
    if (!pWindow && m_pMdiArea && !m_pMdiArea->subWindowList().isEmpty() &&
        !m_pMdiArea->window()->isActiveWindow())
        return;
    const auto* pFrame = qobject_cast<CChildFrame*>(pWindow);
    CView* pView = pFrame ? pFrame->GetActiveView() : nullptr;
    if (pView == m_pActiveView)
        return;
    if (m_pActiveView)
        m_pActiveView->ActivateView(false);
    SetActiveView(pView);
    if (pView) {
        connect(pView, &CView::destroying, this, &CDocManager::OnViewDestroying,
                Qt::UniqueConnection);
        pView->ActivateView(true);
    }
}

void CDocManager::ActivateCurrentView()
{
    if (m_pMdiArea)
        OnSubWindowActivated(m_pMdiArea->currentSubWindow());
}

void CDocManager::OnViewDestroying(CView* pView)
{
    if (pView == m_pActiveView)
        SetActiveView(nullptr);
}

void CDocManager::SetActiveView(CView* pView)
{
    if (CDocument* pOld = m_pActiveView ? m_pActiveView->GetDocument() : nullptr)
        disconnect(pOld, &CDocument::titleChanged, this, &CDocManager::activeTitleChanged);
    m_pActiveView = pView;
    if (CDocument* pNew = pView ? pView->GetDocument() : nullptr)
        connect(pNew, &CDocument::titleChanged, this, &CDocManager::activeTitleChanged);
    emit activeTitleChanged(ActiveTitle());
}

QString CDocManager::ActiveTitle() const
{
    const CDocument* pDocument = m_pActiveView ? m_pActiveView->GetDocument() : nullptr;
    return pDocument ? pDocument->GetTitle() : QString();
}

CDocument* CDocManager::FindOpenDocument(const QString& strPathName) const
{
    for (CDocument* pDocument : Documents()) {
        if (!pDocument->GetPathName().isEmpty() &&
            IsSameFile(pDocument->GetPathName(), strPathName))
            return pDocument;
    }
    return nullptr;
}
