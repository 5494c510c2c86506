#include "framework/doctemplate.h"

#include "framework/childframe.h"
#include "framework/document.h"
#include "framework/langpack.h"
#include "framework/view.h"

#include <QMdiArea>

#include <utility>

CMultiDocTemplate::CMultiDocTemplate(int nIdResource, DocumentFactory createDocument,
                                     ViewFactory createView)
    : m_nIdResource(nIdResource), m_strings(LoadResString(nIdResource)),
      m_createDocument(std::move(createDocument)), m_createView(std::move(createView))
{
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    const QList<CDocument*> apDocuments = std::exchange(m_apDocuments, {});
    for (CDocument* pDocument : apDocuments) {
        pDocument->m_pDocTemplate = nullptr;
        delete pDocument;
    }
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const QString& strPathName, bool bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    bool bCreated;
    if (strPathName.isEmpty()) {
        pDocument->SetTitle(m_strings.DocName() + QString::number(m_nUntitledCount + 1));
        bCreated = pDocument->OnNewDocument();
        if (bCreated)
            ++m_nUntitledCount;
    } else {
        bCreated = pDocument->OnOpenDocument(strPathName);
        if (bCreated)
            pDocument->SetPathName(strPathName);
    }
    if (!bCreated) {
        RemoveDocument(pDocument);
        delete pDocument;
        return nullptr;
    }

    CChildFrame* pFrame = CreateNewFrame(*pDocument);
    // From now on the document lives as long as its views.
    pDocument->m_bAutoDelete = true;
    pFrame->GetActiveView()->OnInitialUpdate();
    if (bMakeVisible)
        pFrame->ActivateFrame();
    return pDocument;
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDocument)
{
    m_apDocuments.removeOne(pDocument);
    pDocument->m_pDocTemplate = nullptr;
}

CDocument* CMultiDocTemplate::CreateNewDocument()
{
    CDocument* pDocument = m_createDocument();
    pDocument->m_pDocTemplate = this;
    m_apDocuments << pDocument;
    return pDocument;
}

CChildFrame* CMultiDocTemplate::CreateNewFrame(CDocument& document)
{
    auto* pFrame = new CChildFrame(m_createView(document));
    if (m_pMdiArea)
        m_pMdiArea->addSubWindow(pFrame);
    return pFrame;
}
