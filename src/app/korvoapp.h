#pragma once

#include "app/dayexport.h"
#include "app/korvocontext.h"
#include "app/portchoice.h"
#include "app/startarguments.h"
#include "framework/cmdtarget.h"
#include "framework/langpack.h"
#include "records/testrecord.h"
#include "workspace/dbselection.h"

#include <QObject>
#include <QStringList>
#include <QTranslator>

#include <memory>
#include <vector>

class CDocManager;
class CMainFrame;
class CMultiDocTemplate;
class CReportHost;

// The application: it loads the resource pack, keeps the two communication
// settings and the table of test records, owns the main frame, and carries
// the application's commands (About, Download, Communication settings).
// Made in main() after the QApplication; one at a time.
class CKorvoApp : public QObject, public CCmdTarget, public IDbSelection, public IKorvoContext
{
    Q_OBJECT

public:
    // Where the settings live: organisation "Quelmo", section "Settings".
    static constexpr const char* kOrganisation = "Quelmo";
    static constexpr const char* kApplication = "LMX-4410";
    static constexpr int kDefaultComPort = 2;
    static constexpr int kDefaultTimeout = 10;

    CKorvoApp();
    ~CKorvoApp() override;

    // Start-up: the pack, the settings, the main frame, the documents named,
    // then the window is shown (and, when asked, a download starts). False
    // ends the program (main returns -1 when the pack is missing).
    bool InitInstance(const StartArguments& arguments);
    bool InitInstance(const QStringList& astrArguments)
    {
        return InitInstance(ParseStartArguments(astrArguments));
    }
    // The pack of a language ("" for the default one); false when there is none.
    bool LoadLangPack(const QString& strLanguage);
    // Writes the settings back; returns the exit code.
    int ExitInstance();

    // IDbSelection
    void SelectDb(int nDb) override;
    void OpenDb(int nDb) override;

    // IKorvoContext
    const TestRecord* SelectedRecord() const override { return m_pSelectedRecord; }
    void OnReportActivated(const TestRecord& record) override;
    void OnReportDeactivated() override;
    CReportHost& ReportHost() override;

    bool OnCmdMsg(int nId) override;
    std::optional<CCmdUI> OnUpdateCmdUI(int nId) const override;

    void OnAppAbout();
    void OnDownload();
    void OnCommSettings();
    // The day's exports of the downloaded records (see CDayExport).
    void OnExportCsv();
    void OnExportOpenCsv();
    void OnSaveAll();
    void OnExportAllPdf();

    CMainFrame* MainFrame() const { return m_pMainWnd.get(); }
    CDocManager* DocManager() const { return m_pDocManager.get(); }
    // What a download opens: the port of the command line for this run
    // (--port, --demo), else the port of the settings.
    QString DownloadPort() const;
    const QString& SessionPort() const { return m_strSessionPort; }

    CLangPack m_hLangPack;
    int m_nComPort = kDefaultComPort;
    int m_nTimeout = kDefaultTimeout;
    QString m_strPortDevice; // a device path or the demo tester; empty: the port number
    bool m_bKeepSessionLog = false;
    QString m_strSessionLogFolder;
    RecordTable m_Records;
    const TestRecord* m_pSelectedRecord = nullptr;
    CMultiDocTemplate* m_pDocTemplate = nullptr;

private:
    CDayExport DayExport();
    void LoadSettings();
    void InstallQtTranslation();
    void SaveSettings() const;
    // Gives back the pack that was current before this application's.
    void RestoreResourceHandle();

    std::unique_ptr<CReportHost> m_pReportHost;
    std::unique_ptr<CDocManager> m_pDocManager;
    std::unique_ptr<CMainFrame> m_pMainWnd;
    // The port given for this run; empty when the settings' port counts.
    QString m_strSessionPort;
    bool m_bSettingsLoaded = false;
    const CLangPack* m_pPreviousResources = nullptr;
    QTranslator m_qtTranslator;
};

// The running application, or null.
CKorvoApp* AfxGetApp();
