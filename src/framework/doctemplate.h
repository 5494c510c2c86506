#pragma once

#include "framework/doctypestrings.h"

#include <QList>
#include <QMdiArea>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class CChildFrame;
class CDocManager;
class CDocument;
class CView;

// Makes the documents of one type, each with a child frame and a view in
// the main frame's area, and keeps the list of those open. Its resource id
// names the document type string in the resource pack, which gives the
// file dialog filter and the default extension, and the document icon.
class CMultiDocTemplate : public QObject
{
    Q_OBJECT

public:
    // A new document of the template's type; the template owns it.
    using DocumentFactory = std::function<CDocument*()>;
    // The view of a document, before it is put into its frame.
    using ViewFactory = std::function<CView*(CDocument&)>;

    CMultiDocTemplate(int nIdResource, DocumentFactory createDocument, ViewFactory createView);
    ~CMultiDocTemplate() override;

    int GetResourceId() const { return m_nIdResource; }
    const CDocTypeStrings& DocTypeStrings() const { return m_strings; }
    CDocManager* GetDocManager() const { return m_pDocManager; }
    // Where the child frames go; without one they are windows of their own.
    void SetMdiArea(QMdiArea* pArea) { m_pMdiArea = pArea; }

    // The open documents, oldest first.
    const QList<CDocument*>& Documents() const { return m_apDocuments; }

    // An empty path makes a new, untitled document ("Report1", ...); any
    // other opens that file. The document gets a frame and a view, shown and
    // activated when bMakeVisible. Null when the document refuses or the file
    // cannot be opened (the user has been told why).
    CDocument* OpenDocumentFile(const QString& strPathName, bool bMakeVisible = true);

private:
    friend class CDocument;
    friend class CDocManager;
    void RemoveDocument(CDocument* pDocument);
    void SetDocManager(CDocManager* pManager) { m_pDocManager = pManager; }
    CDocument* CreateNewDocument();
    CChildFrame* CreateNewFrame(CDocument& document);

    int m_nIdResource;
    CDocTypeStrings m_strings;
    DocumentFactory m_createDocument;
    ViewFactory m_createView;
    QList<CDocument*> m_apDocuments;
    CDocManager* m_pDocManager = nullptr;
    QPointer<QMdiArea> m_pMdiArea;
    int m_nUntitledCount = 0;
};
