#pragma once

#include "framework/cmdtarget.h"

#include <QList>
#include <QObject>
#include <QString>

class CArchive;
class CChildFrame;
class CMultiDocTemplate;
class CView;

// A document: the data behind one or more views, with a title, the file it
// came from or was saved to, and whether it holds unsaved changes. Saving,
// opening and closing with the usual questions are here; what the file
// holds is the subclass's Serialize.
//
// A document made by its template lives as long as it has views: it closes
// itself when its last view goes, and is deleted soon after (deleteLater).
class CDocument : public QObject, public CCmdTarget
{
    Q_OBJECT

public:
    CDocument();
    ~CDocument() override;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    const QString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const QString& strTitle);
    // Empty for a document that has no file yet.
    const QString& GetPathName() const { return m_strPathName; }
    // Takes the file's name as the title and, when asked, puts the file on
    // the recent-file list.
    void SetPathName(const QString& strPathName, bool bAddToRecentFiles = true);

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool bModified = true);

    const QList<CView*>& Views() const { return m_apViews; }
    CMultiDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // A new, untitled document; false refuses it.
    virtual bool OnNewDocument();
    // Reads the file through Serialize. A file that cannot be read or that
    // Serialize finds wanting is reported to the user, naming the file and
    // the reason, and the open fails.
    virtual bool OnOpenDocument(const QString& strPathName);
    // Writes the file through Serialize, replacing the old file only once
    // the new one is complete on the disk; a failure is reported and leaves
    // the old file as it was.
    virtual bool OnSaveDocument(const QString& strPathName);
    // Closes every view's window and lets the document go.
    virtual void OnCloseDocument();
    virtual void Serialize(CArchive& ar) = 0;

    // Asks "Save changes to ...?" when there is something to save. False when
    // the user cancels, or when saving fails: the document then stays open.
    bool SaveModified();
    // Saves under strPathName, or under a name the user chooses when it is
    // empty. With bReplace the document then takes the new name.
    bool DoSave(const QString& strPathName, bool bReplace = true);
    // Save: under the document's own file when it has a writable one.
    bool DoFileSave();
    // Whether the frame may close; asks about unsaved changes when it shows
    // the document's last view.
    bool CanCloseFrame(const CChildFrame* pFrame);
    // A name to propose for a file made from the document: its own file with
    // that extension, or its title made fit for a file name.
    QString SuggestedFileName(const QString& strExtension) const;

    bool OnCmdMsg(int nId) override;
    std::optional<CCmdUI> OnUpdateCmdUI(int nId) const override;

signals:
    void titleChanged(const QString& strTitle);
    void modifiedChanged(bool bModified);

private:
    friend class CView;
    friend class CMultiDocTemplate;
    void AddView(CView* pView);
    void RemoveView(CView* pView);

    QString m_strTitle;
    QString m_strPathName;
    bool m_bModified = false;
    QList<CView*> m_apViews;
    CMultiDocTemplate* m_pDocTemplate = nullptr;
    // Set by the template that owns the document: losing the last view then closes it.
    bool m_bAutoDelete = false;
};
