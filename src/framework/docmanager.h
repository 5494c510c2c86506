#pragma once

#include "framework/cmdtarget.h"
#include "framework/recentfilelist.h"
#include "framework/view.h"

#include <QList>
#include <QMdiArea>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>

#include <memory>
#include <vector>

class CDocument;
class CMultiDocTemplate;
class QMdiSubWindow;
class QMimeData;
class QPrinter;

// The application's documents: their templates, File New and File Open, the
// recent-file list, Print Setup and the one printer every view prints to,
// files named on the command line or dropped onto the main window, and which
// view is the active one. The application offers it the commands the active
// view and its document did not take.
class CDocManager : public QObject, public CCmdTarget
{
    Q_OBJECT

public:
    explicit CDocManager(QObject* pParent = nullptr);
    ~CDocManager() override;

    // The area the child frames go into. The manager follows its activation
    // and tells the views when they become active or stop being active.
    void SetMdiArea(QMdiArea* pArea);
    QMdiArea* MdiArea() const { return m_pMdiArea; }

    CMultiDocTemplate* AddDocTemplate(std::unique_ptr<CMultiDocTemplate> pTemplate);
    // The first template; File New and File Open use it.
    CMultiDocTemplate* DocTemplate() const;

    // The application's printer: the one Print Setup adjusts and every view
    // prints to. Made on first use; it starts as the system's default.
    QPrinter& Printer();

    // An empty path makes a new, untitled document. A file that is already
    // open is not opened again: its window comes to the front. Null when
    // nothing was opened; the user has been told why.
    CDocument* OpenDocumentFile(const QString& strPathName);
    // Every open document, oldest first.
    QList<CDocument*> Documents() const;
    // Asks about every document with unsaved changes; false as soon as the
    // user cancels (the application then does not end).
    bool SaveAllModified();
    // Closes every document without asking.
    void CloseAllDocuments();

    // Whether a drag brings local files the main window can open.
    static bool CanOpenDropped(const QMimeData* pData);
    // Opens each local file among the urls; returns how many opened.
    int OpenDroppedFiles(const QList<QUrl>& aUrls);

    // Most recent first; up to four entries.
    const QStringList& RecentFiles() const { return m_recentFiles.Files(); }
    void AddToRecentFileList(const QString& strPathName);

    // The view whose frame is active; null when none is.
    CView* ActiveView() const { return m_pActiveView; }
    // Makes the area's current window the active view. The area does not say
    // which window is active while it is hidden: documents opened before the
    // main window shows (named on the command line) are taken up here.
    void ActivateCurrentView();
    // The title of the active view's document; empty when no view is active.
    QString ActiveTitle() const;

    // ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_MRU_FILE1 to +3, ID_FILE_PRINT_SETUP.
    bool OnCmdMsg(int nId) override;
    std::optional<CCmdUI> OnUpdateCmdUI(int nId) const override;

    void OnFileNew();
    void OnFileOpen();
    // A file that has gone is dropped from the list with a message; so is
    // one that no longer opens (the open has said why).
    void OnOpenRecentFile(int nIndex);
    void OnFilePrintSetup();

signals:
    void recentFilesChanged();
    // Another view became active, or the active document took a new title.
    void activeTitleChanged(const QString& strTitle);

private:
    void OnSubWindowActivated(QMdiSubWindow* pWindow);
    void OnViewDestroying(CView* pView);
    void SetActiveView(CView* pView);
    CDocument* FindOpenDocument(const QString& strPathName) const;

    std::vector<std::unique_ptr<CMultiDocTemplate>> m_apTemplates;
    QPointer<QMdiArea> m_pMdiArea;
    CView* m_pActiveView = nullptr;
    CRecentFileList m_recentFiles;
    std::unique_ptr<QPrinter> m_pPrinter;
};
