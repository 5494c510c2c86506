#include "app/korvoapp.h"

#include "app/aboutdlg.h"
#include "app/commsettingsdlg.h"
#include "app/dayexport.h"
#include "app/guidownloadhost.h"
#include "app/guireporthost.h"
#include "app/korvodoc.h"
#include "app/mainframe.h"
#include "app/reportdoctemplate.h"
#include "app/sessionlogfolder.h"
#include "app/slottitle.h"
#include "app/startarguments.h"
#include "framework/childframe.h"
#include "framework/docmanager.h"
#include "framework/doctemplate.h"
#include "framework/firstpaintprobe.h"
#include "framework/guistyle.h"
#include "framework/messagebox.h"
#include "framework/resourceids.h"
#include "framework/view.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>

#include <algorithm>

namespace {

constexpr const char* kSettingsSection = "Settings";
constexpr const char* kComPortKey = "COMPORT";
constexpr const char* kTimeoutKey = "TIMEOUT";
constexpr const char* kPortDeviceKey = "PORTDEVICE";
constexpr const char* kSessionLogKey = "SESSIONLOG";
constexpr const char* kLogFolderKey = "LOGFOLDER";

CKorvoApp* g_pApp = nullptr;

int ProfileInt(const QSettings& settings, const char* pszKey, int nDefault)
{
    bool bNumber = false;
    const int nValue = settings.value(pszKey).toInt(&bNumber);
    return bNumber ? nValue : nDefault;
}

} // namespace

CKorvoApp* AfxGetApp()
{
    return g_pApp;
}

CKorvoApp::CKorvoApp() : m_pReportHost(std::make_unique<CGuiReportHost>())
{
    g_pApp = this;
    QCoreApplication::setOrganizationName(kOrganisation);
    QCoreApplication::setApplicationName(kApplication);
}

CKorvoApp::~CKorvoApp()
{
    // Documents and the frame go before the records they show and the pack
    // they were built from.
    if (m_pDocManager)
        m_pDocManager->CloseAllDocuments();
    m_pMainWnd.reset();
    m_pDocManager.reset();
    RestoreResourceHandle();
    if (g_pApp == this)
        g_pApp = nullptr;
}

bool CKorvoApp::InitInstance(const StartArguments& arguments)
{
    if (!LoadLangPack(arguments.m_strLanguage)) {
        AfxMessageBox(QStringLiteral("LangPack.Dll Load Error"));
        return false;
    }
    if (!arguments.m_strError.isEmpty()) {
        AfxMessageBox(arguments.m_strError + QStringLiteral("\n\n") + StartUsage());
        return false;
    }

    LoadSettings();
    m_strSessionPort = arguments.m_strPort;

    m_pDocManager = std::make_unique<CDocManager>();
    m_pDocTemplate = m_pDocManager->AddDocTemplate(CreateReportDocTemplate(*this, *m_pDocManager));

    // Dialogs and message boxes show the program's icon too.
    QApplication::setWindowIcon(AfxGetResourceHandle().Icon(IDR_MAINFRAME));
    InstallGuiStyle();
    m_pMainWnd = std::make_unique<CMainFrame>(*this);
    m_pMainWnd->m_hLangPack = &m_hLangPack;
    if (!m_pMainWnd->LoadFrame(IDR_MAINFRAME))
        return false;
    m_pDocManager->SetMdiArea(m_pMainWnd->MdiArea());
    m_pMainWnd->SetRecentFiles(m_pDocManager->RecentFiles());
    connect(m_pDocManager.get(), &CDocManager::recentFilesChanged, m_pMainWnd.get(),
            [this] { m_pMainWnd->SetRecentFiles(m_pDocManager->RecentFiles()); });
    connect(m_pDocManager.get(), &CDocManager::activeTitleChanged, m_pMainWnd.get(),
            &CMainFrame::OnUpdateFrameTitle);

    // No empty document at start; a file named on the command line opens,
    // and one that does not (the user has been told why) ends the start.
    for (const QString& strFile : arguments.m_astrFiles) {
        if (!m_pDocManager->OpenDocumentFile(strFile))
            return false;
    }
    // The window is complete before it shows: its first paint is its last.
    m_pDocManager->ActivateCurrentView();
    m_pMainWnd->UpdateCommandUI();
    WatchFirstPaint(*m_pMainWnd);
    m_pMainWnd->show();
    // Once the window is up, as if the user had pressed F5 (a desktop
    // shortcut that downloads at once).
    if (arguments.m_bDownload)
        QMetaObject::invokeMethod(this, &CKorvoApp::OnDownload, Qt::QueuedConnection);
    return true;
}

int CKorvoApp::ExitInstance()
{
    // Settings never read (a start that failed before them) are not written
    // either: the defaults must not replace what the user had chosen.
    if (m_bSettingsLoaded) {
        m_bSettingsLoaded = false;
        SaveSettings();
    }
    if (m_pDocManager)
        m_pDocManager->CloseAllDocuments();
    m_pMainWnd.reset();
    m_pDocManager.reset();
    RestoreResourceHandle();
    m_hLangPack.Unload();
    return 0;
}

void CKorvoApp::RestoreResourceHandle()
{
    if (&AfxGetResourceHandle() == &m_hLangPack)
        AfxSetResourceHandle(m_pPreviousResources);
}

bool CKorvoApp::LoadLangPack(const QString& strLanguage)
{
    // Without --lang the user's own language counts, where there is a pack for it.
    const QStringList astrPaths =
        strLanguage.isEmpty() ? QStringList{CLangPack::Locate(QLocale::system().uiLanguages())}
                              : CLangPack::SearchPaths(strLanguage);
    for (const QString& strPath : astrPaths) {
        if (!strPath.isEmpty() && m_hLangPack.Load(strPath)) {
            m_pPreviousResources = &AfxGetResourceHandle();
            AfxSetResourceHandle(&m_hLangPack);
            InstallQtTranslation();
            return true;
        }
    }
    return false;
}

// The standard dialogs and buttons Qt draws itself (Yes and No, the file and
// print dialogs) speak the pack's language too, where Qt has it.
void CKorvoApp::InstallQtTranslation()
{
    const QString strLanguage = m_hLangPack.Language();
    if (strLanguage.isEmpty() || !QCoreApplication::instance())
        return;
    if (m_qtTranslator.load(QLocale(strLanguage), QStringLiteral("qt"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTranslator);
}

void CKorvoApp::LoadSettings()
{
    QSettings settings;
    settings.beginGroup(kSettingsSection);
    m_nComPort = ProfileInt(settings, kComPortKey, kDefaultComPort);
    m_nTimeout = ProfileInt(settings, kTimeoutKey, kDefaultTimeout);
    m_strPortDevice = settings.value(kPortDeviceKey).toString();
    m_bKeepSessionLog = ProfileInt(settings, kSessionLogKey, 0) != 0;
    m_strSessionLogFolder = settings.value(kLogFolderKey).toString();
    if (m_strSessionLogFolder.isEmpty())
        m_strSessionLogFolder = DefaultSessionLogFolder();
    m_bSettingsLoaded = true;
}

// The settings reach storage only here, when the program ends.
void CKorvoApp::SaveSettings() const
{
    QSettings settings;
    settings.beginGroup(kSettingsSection);
    settings.setValue(kComPortKey, m_nComPort);
    settings.setValue(kTimeoutKey, m_nTimeout);
    if (m_strPortDevice.isEmpty())
        settings.remove(kPortDeviceKey);
    else
        settings.setValue(kPortDeviceKey, m_strPortDevice);
    settings.setValue(kSessionLogKey, m_bKeepSessionLog ? 1 : 0);
    settings.setValue(kLogFolderKey, m_strSessionLogFolder);
}

QString CKorvoApp::DownloadPort() const
{
    if (!m_strSessionPort.isEmpty())
        return m_strSessionPort;
    return PortForDownload(PortSetting{m_nComPort, m_strPortDevice});
}

void CKorvoApp::SelectDb(int nDb)
{
    m_pSelectedRecord = &m_Records[static_cast<std::size_t>(nDb)];
    m_pMainWnd->m_SelRecord = *m_pSelectedRecord;
    m_pMainWnd->RefreshGraphRow();
}

void CKorvoApp::OpenDb(int nDb)
{
    m_pSelectedRecord = &m_Records[static_cast<std::size_t>(nDb)];
    const QString strTitle = QString::fromLatin1(SlotTitle(nDb, *m_pSelectedRecord).c_str());
    // A report of this DB that is open already comes to the front.
    for (CDocument* pDocument : m_pDocTemplate->Documents()) {
        const auto* pReport = dynamic_cast<const CKorvoDoc*>(pDocument);
        if (!pReport || pReport->DbTitle() != strTitle)
            continue;
        for (CView* pView : pDocument->Views()) {
            if (CChildFrame* pFrame = pView->GetParentFrame())
                pFrame->ActivateFrame();
        }
        return;
    }
    if (CDocument* pDocument = m_pDocTemplate->OpenDocumentFile(QString(), true))
        pDocument->SetTitle(strTitle);
}

void CKorvoApp::OnReportActivated(const TestRecord& record)
{
    m_pMainWnd->m_SelRecord = record;
    m_pMainWnd->OnRecordSelected(0, 0);
}

void CKorvoApp::OnReportDeactivated()
{
    m_pMainWnd->ClearDbInfo();
}

CReportHost& CKorvoApp::ReportHost()
{
    return *m_pReportHost;
}

bool CKorvoApp::OnCmdMsg(int nId)
{
    switch (nId) {
    case ID_APP_ABOUT: OnAppAbout(); return true;
    case ID_DOWNLOAD: OnDownload(); return true;
    case ID_COMM_SETTINGS: OnCommSettings(); return true;
    case ID_EXPORT_CSV: OnExportCsv(); return true;
    case ID_EXPORT_OPEN_CSV: OnExportOpenCsv(); return true;
    case ID_SAVE_ALL: OnSaveAll(); return true;
    case ID_EXPORT_ALL_PDF: OnExportAllPdf(); return true;
    default: return m_pDocManager && m_pDocManager->OnCmdMsg(nId);
    }
}

std::optional<CCmdUI> CKorvoApp::OnUpdateCmdUI(int nId) const
{
    switch (nId) {
    case ID_APP_ABOUT:
    case ID_DOWNLOAD:
    case ID_COMM_SETTINGS: return CCmdUI{};
    case ID_EXPORT_CSV:
    case ID_SAVE_ALL:
    case ID_EXPORT_ALL_PDF: return CCmdUI{CDayExport::HasDbWithTest(m_Records)};
    case ID_EXPORT_OPEN_CSV: return CCmdUI{m_pDocTemplate && !m_pDocTemplate->Documents().empty()};
    default: return m_pDocManager ? m_pDocManager->OnUpdateCmdUI(nId) : std::nullopt;
    }
}

void CKorvoApp::OnAppAbout()
{
    CAboutDlg dialog(m_pMainWnd.get());
    dialog.exec();
}

void CKorvoApp::OnDownload()
{
    m_pMainWnd->Download().SetSessionLogFolder(m_bKeepSessionLog ? m_strSessionLogFolder
                                                                 : QString());
    m_pMainWnd->StartDownload(DownloadPort(), m_nTimeout);
}

void CKorvoApp::OnCommSettings()
{
    // The port of this run shows while it is in force.
    const PortSetting shown = m_strSessionPort.isEmpty()
                                  ? PortSetting{m_nComPort, m_strPortDevice}
                                  : SessionPortSetting(m_strSessionPort, m_nComPort);
    CCommSettingsDlg dialog(m_pMainWnd.get());
    dialog.m_nComPort = shown.m_nComPort;
    dialog.m_strDevice = shown.m_strDevice;
    dialog.m_nTimeout = m_nTimeout;
    dialog.m_bKeepLog = m_bKeepSessionLog;
    dialog.m_strLogFolder = m_strSessionLogFolder;
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_bKeepSessionLog = dialog.m_bKeepLog;
    m_strSessionLogFolder = dialog.m_strLogFolder;
    m_nTimeout = dialog.m_nTimeout;
    // The port of this run is never stored: it stays in force unless another
    // port was chosen, which then replaces it and is kept for later starts.
    const PortSetting chosen{dialog.m_nComPort, dialog.m_strDevice};
    if (chosen == shown && !m_strSessionPort.isEmpty())
        return;
    m_strSessionPort.clear();
    m_nComPort = chosen.m_nComPort;
    m_strPortDevice = chosen.m_strDevice;
}

void CKorvoApp::OnExportCsv()
{
    DayExport().ExportCsv();
}

void CKorvoApp::OnExportOpenCsv()
{
    std::vector<CDayExport::NamedRecord> records;
    for (CDocument* pDocument : m_pDocTemplate->Documents()) {
        if (const auto* pReport = dynamic_cast<const CKorvoDoc*>(pDocument))
            records.push_back({pReport->GetTitle(), pReport->m_pRecord});
    }
    DayExport().ExportCsv(records);
}

void CKorvoApp::OnSaveAll()
{
    DayExport().SaveAll();
}

void CKorvoApp::OnExportAllPdf()
{
    DayExport().ExportAllPdf();
}

CDayExport CKorvoApp::DayExport()
{
    return CDayExport(m_Records, m_pMainWnd->DownloadTime(), ReportHost(), m_pMainWnd.get());
}
