#include "korvoapp.h"

#include "aboutdlg.h"
#include "childframe.h"
#include "combinedreportpdf.h"
#include "commsettingsdlg.h"
#include "docmanager.h"
#include "doctemplate.h"
#include "documentfile.h"
#include "easyreport.h"
#include "filedialog.h"
#include "guidownloadhost.h"
#include "guireporthost.h"
#include "korvodoc.h"
#include "mainframe.h"
#include "messagebox.h"
#include "overwritequestion.h"
#include "pagerenderer.h"
#include "recordcsv.h"
#include "reportdoctemplate.h"
#include "resourceids.h"
#include "saveall.h"
#include "slottitle.h"
#include "startarguments.h"
#include "testreportcomposer.h"
#include "view.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace {

// Batches shorter than this finish without a progress dialog.
constexpr int kProgressDelayMs = 500;

constexpr const char* kSettingsSection = "Settings";
constexpr const char* kComPortKey = "COMPORT";
constexpr const char* kTimeoutKey = "TIMEOUT";
constexpr const char* kPortDeviceKey = "PORTDEVICE";

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

bool CKorvoApp::InitInstance(const QStringList& astrArguments)
{
    const StartArguments arguments = ParseStartArguments(astrArguments);
    if (!LoadLangPack(arguments.m_strLanguage)) {
        AfxMessageBox(QStringLiteral("LangPack.Dll Load Error"));
        return false;
    }
    m_pPreviousResources = &AfxGetResourceHandle();
    AfxSetResourceHandle(&m_hLangPack);
    if (!arguments.m_strError.isEmpty()) {
        AfxMessageBox(arguments.m_strError + QStringLiteral("\n\n") + StartUsage());
        return false;
    }

    LoadSettings();
    m_bDemoSession = arguments.m_bDemo;

    m_pDocManager = std::make_unique<CDocManager>();
    m_pDocTemplate = m_pDocManager->AddDocTemplate(CreateReportDocTemplate(*this, *m_pDocManager));

    m_pMainWnd = std::make_unique<CMainFrame>(*this);
    m_pMainWnd->m_hLangPack = &m_hLangPack;
    if (!m_pMainWnd->LoadFrame(IDR_MAINFRAME))
        return false;
    m_pDocManager->SetMdiArea(m_pMainWnd->MdiArea());
    m_pMainWnd->SetRecentFiles(m_pDocManager->RecentFiles());
    connect(m_pDocManager.get(), &CDocManager::recentFilesChanged, m_pMainWnd.get(),
            [this] { m_pMainWnd->SetRecentFiles(m_pDocManager->RecentFiles()); });

    // No empty document at start; a file named on the command line opens,
    // and one that does not (the user has been told why) ends the start.
    for (const QString& strFile : arguments.m_astrFiles) {
        if (!m_pDocManager->OpenDocumentFile(strFile))
            return false;
    }
    m_pMainWnd->show();
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
    for (const QString& strPath : CLangPack::SearchPaths(strLanguage)) {
        if (m_hLangPack.Load(strPath))
            return true;
    }
    return false;
}

void CKorvoApp::LoadSettings()
{
    QSettings settings;
    settings.beginGroup(kSettingsSection);
    m_nComPort = ProfileInt(settings, kComPortKey, kDefaultComPort);
    m_nTimeout = ProfileInt(settings, kTimeoutKey, kDefaultTimeout);
    m_strPortDevice = settings.value(kPortDeviceKey).toString();
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
}

QString CKorvoApp::DownloadPort() const
{
    if (m_bDemoSession)
        return QString::fromLatin1(CGuiDownloadHost::kDemoTester);
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
    case ID_EXPORT_ALL_PDF: return CCmdUI{HasDbWithTest()};
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
    m_pMainWnd->StartDownload(DownloadPort(), m_nTimeout);
}

void CKorvoApp::OnCommSettings()
{
    CCommSettingsDlg dialog(m_pMainWnd.get());
    dialog.m_nComPort = m_nComPort;
    dialog.m_strDevice =
        m_bDemoSession ? QString::fromLatin1(CGuiDownloadHost::kDemoTester) : m_strPortDevice;
    dialog.m_nTimeout = m_nTimeout;
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_nComPort = dialog.m_nComPort;
    m_strPortDevice = dialog.m_strDevice;
    m_nTimeout = dialog.m_nTimeout;
    // A port chosen here replaces the demo tester of the command line.
    m_bDemoSession = false;
}

void CKorvoApp::OnExportCsv()
{
    const std::string strTable = DownloadCsv(m_Records);
    if (strTable.empty()) {
        AfxMessageBox(IDS_NOTHING_TO_EXPORT, QMessageBox::Ok, QMessageBox::Information,
                      m_pMainWnd.get());
        return;
    }
    FileDialogRequest request;
    request.m_bSave = true;
    request.m_strCaption = LoadResString(IDS_EXPORT_CSV_TITLE);
    request.m_strFilter = LoadResString(IDS_EXPORT_CSV_FILTER);
    request.m_strDefaultSuffix = QStringLiteral("csv");
    request.m_strInitialPath =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(QDateTime::currentDateTime().toString(
                QStringLiteral("'LMX-4410 'yyyy-MM-dd HHmm'.csv'")));
    const QString strPath = AfxPromptFileName(request, m_pMainWnd.get());
    if (strPath.isEmpty())
        return;
    const std::string strFile = QFile::encodeName(strPath).toStdString();
    const DocumentStatus status = WriteFileAtomically(strFile, strTable);
    if (status != DocumentStatus::Ok)
        AfxMessageBox(QString::fromStdString(DescribeDocumentStatus(status, strPath.toStdString())),
                      QMessageBox::Ok, QMessageBox::Warning, m_pMainWnd.get());
}

bool CKorvoApp::HasDbWithTest() const
{
    return std::any_of(m_Records.begin() + 1, m_Records.end(),
                       [](const TestRecord& record) { return HoldsTest(record); });
}

QString CKorvoApp::PromptBatchFolder(int nCaptionId)
{
    FileDialogRequest request;
    request.m_bFolder = true;
    request.m_strCaption = LoadResString(nCaptionId);
    request.m_strInitialPath = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString strFolder = AfxPromptFileName(request, m_pMainWnd.get());
    if (strFolder.isEmpty())
        return {};

    const QDateTime now = QDateTime::currentDateTime();
    std::tm time{};
    time.tm_year = now.date().year() - 1900;
    time.tm_mon = now.date().month() - 1;
    time.tm_mday = now.date().day();
    time.tm_hour = now.time().hour();
    time.tm_min = now.time().minute();
    const QString strSubfolder = QString::fromStdString(DefaultSaveAllFolderName(time));
    switch (AfxMessageBox(LoadResString(IDS_SAVE_ALL_SUBFOLDER).arg(strSubfolder),
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                          QMessageBox::Question, m_pMainWnd.get())) {
    case QMessageBox::Yes: strFolder = QDir(strFolder).filePath(strSubfolder); break;
    case QMessageBox::No: break;
    default: return {};
    }
    if (!QDir().mkpath(strFolder)) {
        AfxMessageBox(LoadResString(IDS_SAVE_ALL_NO_FOLDER).arg(strFolder), QMessageBox::Ok,
                      QMessageBox::Warning, m_pMainWnd.get());
        return {};
    }
    return strFolder;
}

void CKorvoApp::OnSaveAll()
{
    if (!HasDbWithTest()) {
        AfxMessageBox(IDS_NOTHING_TO_EXPORT, QMessageBox::Ok, QMessageBox::Information,
                      m_pMainWnd.get());
        return;
    }
    const QString strFolder = PromptBatchFolder(IDS_SAVE_ALL_TITLE);
    if (strFolder.isEmpty())
        return;

    const std::vector<SaveAllResult> results =
        SaveAllDbs(m_Records, QFile::encodeName(strFolder).toStdString(),
                   COverwriteQuestion(m_pMainWnd.get()));

    const auto nSaved = std::count_if(results.begin(), results.end(), [](const SaveAllResult& r) {
        return r.m_Outcome == SaveAllOutcome::Saved;
    });
    const auto nWithTest =
        std::count_if(m_Records.begin() + 1, m_Records.end(),
                      [](const TestRecord& record) { return HoldsTest(record); });
    QString strSummary = LoadResString(IDS_SAVE_ALL_DONE).arg(nSaved).arg(nWithTest).arg(strFolder);
    for (const SaveAllResult& result : results) {
        const QString strPath = QFile::decodeName(QByteArray::fromStdString(result.m_strPath));
        if (result.m_Outcome == SaveAllOutcome::SkippedExists)
            strSummary += QStringLiteral("\n") + LoadResString(IDS_SAVE_ALL_KEPT).arg(strPath);
        else if (result.m_Outcome == SaveAllOutcome::Failed)
            strSummary += QStringLiteral("\n") + QString::fromStdString(result.m_strReason);
    }
    AfxMessageBox(strSummary, QMessageBox::Ok,
                  nSaved == nWithTest ? QMessageBox::Information : QMessageBox::Warning,
                  m_pMainWnd.get());
}

void CKorvoApp::OnExportAllPdf()
{
    std::vector<int> anDbs;
    for (int nDb = 1; nDb <= kDbCount; ++nDb)
        if (HoldsTest(m_Records[static_cast<std::size_t>(nDb)]))
            anDbs.push_back(nDb);
    if (anDbs.empty()) {
        AfxMessageBox(IDS_NOTHING_TO_EXPORT, QMessageBox::Ok, QMessageBox::Information,
                      m_pMainWnd.get());
        return;
    }
    switch (AfxMessageBox(IDS_EXPORT_ALL_PDF_HOW,
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                          QMessageBox::Question, m_pMainWnd.get())) {
    case QMessageBox::Yes: ExportPdfPerDb(anDbs); break;
    case QMessageBox::No: ExportCombinedPdf(anDbs); break;
    default: break;
    }
}

void CKorvoApp::ExportPdfPerDb(const std::vector<int>& anDbs)
{
    const QString strFolder = PromptBatchFolder(IDS_EXPORT_ALL_PDF_TITLE);
    if (strFolder.isEmpty())
        return;
    COverwriteQuestion askOverwrite(m_pMainWnd.get());
    QProgressDialog progress(LoadResString(IDS_EXPORT_ALL_PDF_PROGRESS), QString(), 0,
                             static_cast<int>(anDbs.size()), m_pMainWnd.get());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    int nWritten = 0;
    int nDone = 0;
    QString strProblems;
    for (const int nDb : anDbs) {
        progress.setValue(nDone++);
        TestRecord& record = m_Records[static_cast<std::size_t>(nDb)];
        const QString strPath =
            QDir(strFolder).filePath(QString::fromStdString(DbFileName(nDb, record, ".pdf")));
        if (QFileInfo::exists(strPath)) {
            const OverwriteChoice choice = askOverwrite(QFile::encodeName(strPath).toStdString());
            if (choice != OverwriteChoice::Overwrite) {
                strProblems += QStringLiteral("\n") + LoadResString(IDS_SAVE_ALL_KEPT).arg(strPath);
                if (choice == OverwriteChoice::StopSaving)
                    break;
                continue;
            }
        }
        CEasyReport report(ReportHost());
        ComposeReport(record, report);
        if (WriteReportPdf(report, strPath))
            ++nWritten;
        else
            strProblems +=
                QStringLiteral("\n") + LoadResString(IDS_EXPORT_ALL_PDF_FAILED).arg(strPath);
    }
    progress.reset();
    ReportBatchEnd(nWritten, static_cast<int>(anDbs.size()), strFolder, strProblems);
}

void CKorvoApp::ExportCombinedPdf(const std::vector<int>& anDbs)
{
    FileDialogRequest request;
    request.m_bSave = true;
    request.m_strCaption = LoadResString(IDS_EXPORT_ALL_PDF_TITLE);
    request.m_strFilter = LoadResString(IDS_EXPORT_ALL_PDF_FILTER);
    request.m_strDefaultSuffix = QStringLiteral("pdf");
    request.m_strInitialPath =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(QDateTime::currentDateTime().toString(
                QStringLiteral("'LMX-4410 'yyyy-MM-dd HHmm'.pdf'")));
    const QString strPath = AfxPromptFileName(request, m_pMainWnd.get());
    if (strPath.isEmpty())
        return;

    QProgressDialog progress(LoadResString(IDS_EXPORT_ALL_PDF_PROGRESS), QString(), 0,
                             static_cast<int>(anDbs.size()), m_pMainWnd.get());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    CCombinedReportPdf pdf(strPath);
    bool bWritten = pdf.Open();
    int nDone = 0;
    for (const int nDb : anDbs) {
        if (!bWritten)
            break;
        CEasyReport report(ReportHost());
        ComposeReport(m_Records[static_cast<std::size_t>(nDb)], report);
        pdf.Add(report);
        progress.setValue(++nDone);
    }
    bWritten = bWritten && pdf.Commit();
    progress.reset();
    const int nReports = static_cast<int>(anDbs.size());
    ReportBatchEnd(bWritten ? nReports : 0, nReports, strPath,
                   bWritten ? QString()
                            : QStringLiteral("\n") +
                                  LoadResString(IDS_EXPORT_ALL_PDF_FAILED).arg(strPath));
}

void CKorvoApp::ReportBatchEnd(int nWritten, int nTotal, const QString& strTarget,
                               const QString& strProblems)
{
    AfxMessageBox(LoadResString(IDS_EXPORT_ALL_PDF_DONE).arg(nWritten).arg(nTotal).arg(strTarget) +
                      strProblems,
                  QMessageBox::Ok,
                  strProblems.isEmpty() ? QMessageBox::Information : QMessageBox::Warning,
                  m_pMainWnd.get());
}
