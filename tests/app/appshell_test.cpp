// The application shell: start-up with and without its resource pack, the
// settings and when they reach storage, the frame's bars and commands, and
// the communication settings dialog.

#include "app/commsettingsdlg.h"
#include "app/guidownloadhost.h"
#include "app/korvoapp.h"
#include "app/mainframe.h"
#include "filedialoganswers.h"
#include "framework/docmanager.h"
#include "framework/guitoolbarwnd.h"
#include "framework/langpack.h"
#include "framework/resourceids.h"
#include "messageboxrecorder.h"
#include "workspace/dbworkspacebar.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

void ClearSettings()
{
    QSettings settings(CKorvoApp::kOrganisation, CKorvoApp::kApplication);
    settings.clear();
}

QVariant StoredSetting(const char* pszKey)
{
    QSettings settings(CKorvoApp::kOrganisation, CKorvoApp::kApplication);
    return settings.value(QStringLiteral("Settings/") + pszKey);
}

class AppShell : public testing::Test
{
protected:
    AppShell() { ClearSettings(); }
    ~AppShell() override { ClearSettings(); }

    CMessageBoxRecorder m_boxes;
};

TEST_F(AppShell, WithoutItsPackTheProgramSaysSoAndShowsNoWindow)
{
    CKorvoApp app;
    EXPECT_FALSE(app.InitInstance({"lmx4410", "--lang", "xx"}));
    EXPECT_EQ(m_boxes.Texts(), QStringList{"LangPack.Dll Load Error"});
    EXPECT_EQ(app.MainFrame(), nullptr);
    app.ExitInstance();
    // Settings it never read are not written over either.
    EXPECT_FALSE(StoredSetting("COMPORT").isValid());
}

TEST_F(AppShell, FirstStartUsesTheDefaultsAndWritesThemOnlyAtExit)
{
    CKorvoApp app;
    ASSERT_TRUE(app.InitInstance({"lmx4410"}));
    EXPECT_EQ(app.m_nComPort, 2);
    EXPECT_EQ(app.m_nTimeout, 10);
    app.m_nComPort = 4;
    app.m_nTimeout = 30;
    EXPECT_FALSE(StoredSetting("COMPORT").isValid());
    app.ExitInstance();
    EXPECT_EQ(StoredSetting("COMPORT").toInt(), 4);
    EXPECT_EQ(StoredSetting("TIMEOUT").toInt(), 30);

    CKorvoApp again;
    ASSERT_TRUE(again.InitInstance({"lmx4410"}));
    EXPECT_EQ(again.m_nComPort, 4);
    EXPECT_EQ(again.m_nTimeout, 30);
    again.ExitInstance();
}

TEST_F(AppShell, ABadStoredValueFallsBackToItsDefault)
{
    {
        QSettings settings(CKorvoApp::kOrganisation, CKorvoApp::kApplication);
        settings.setValue("Settings/COMPORT", "seven");
    }
    CKorvoApp app;
    ASSERT_TRUE(app.InitInstance({"lmx4410"}));
    EXPECT_EQ(app.m_nComPort, 2);
    app.ExitInstance();
}

TEST_F(AppShell, FrameHasItsCaptionBarsAndCommands)
{
    CKorvoApp app;
    ASSERT_TRUE(app.InitInstance({"lmx4410"}));
    CMainFrame& frame = *app.MainFrame();
    EXPECT_EQ(frame.windowTitle(), "LMX-4410");
    EXPECT_EQ(frame.WorkspaceBar().windowTitle(), "DB Workspace");
    EXPECT_EQ(frame.InfoBar().windowTitle(), "DB Information");
    EXPECT_EQ(frame.dockWidgetArea(&frame.WorkspaceBar()), Qt::LeftDockWidgetArea);
    EXPECT_EQ(frame.dockWidgetArea(&frame.InfoBar()), Qt::BottomDockWidgetArea);
    EXPECT_EQ(frame.ToolBar()->windowTitle(), "ToolBar");
    EXPECT_FALSE(frame.menuBar()->actions().isEmpty());
    EXPECT_TRUE(m_boxes.Requests().isEmpty());
    // The window system gets the frame's icon once the frame has painted.
    EXPECT_TRUE(QTest::qWaitFor([&] { return frame.testAttribute(Qt::WA_SetWindowIcon); }));

    // Each show/hide command toggles its bar.
    for (auto [nCommand, pBar] :
         {std::pair<int, QWidget*>{ID_VIEW_WORKSPACE_BAR, &frame.WorkspaceBar()},
          {ID_VIEW_INFO_BAR, &frame.InfoBar()}}) {
        ASSERT_TRUE(pBar->isVisible());
        frame.Action(nCommand)->trigger();
        EXPECT_FALSE(pBar->isVisible());
        frame.UpdateCommandUI();
        EXPECT_FALSE(frame.Action(nCommand)->isChecked());
        frame.Action(nCommand)->trigger();
        EXPECT_TRUE(pBar->isVisible());
        frame.UpdateCommandUI();
        EXPECT_TRUE(frame.Action(nCommand)->isChecked());
    }
    frame.UpdateCommandUI();
    EXPECT_TRUE(frame.Action(ID_DOWNLOAD)->isEnabled());
    EXPECT_TRUE(frame.Action(ID_TOOLBAR_DROPDOWN)->isEnabled());
    app.ExitInstance();
}

// The states are right when the window first shows, and each change that
// moves one (a download that ends, a report opened or closed, a bar closed
// by its own button) brings them up to date at the next turn of the event
// loop; nothing polls them.
TEST_F(AppShell, CommandStatesFollowWhatChangesThemWithoutPolling)
{
    CKorvoApp app;
    ASSERT_TRUE(app.InitInstance({"lmx4410"}));
    CMainFrame& frame = *app.MainFrame();
    const auto enabled = [&](int nCommand) { return frame.Action(nCommand)->isEnabled(); };
    // The demo tester's DBs hold tests; at the start no record does.
    EXPECT_TRUE(enabled(ID_DOWNLOAD));
    EXPECT_FALSE(enabled(ID_EXPORT_CSV));
    EXPECT_FALSE(enabled(ID_FILE_PRINT));

    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a download ends",
         [&] {
             frame.Download().SetDemoPaced(false);
             ASSERT_EQ(frame.StartDownload(CGuiDownloadHost::kDemoTester, 10), 0);
             ASSERT_TRUE(QTest::qWaitFor(
                 [&] { return frame.WorkspaceBar().Tree()->topLevelItemCount() > 0; }, 30000));
         }},
        {"a report opens", [&] { app.OpenDb(1); }},
        {"the report closes", [&] { app.DocManager()->CloseAllDocuments(); }},
        {"the workspace bar is closed", [&] { frame.WorkspaceBar().close(); }},
    };
    const bool expected[][3] = {
        // export CSV, print, workspace bar checked
        {true, false, true},
        {true, true, true},
        {true, false, true},
        {true, false, false},
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        changes[i].second();
        QCoreApplication::processEvents();
        EXPECT_EQ(enabled(ID_EXPORT_CSV), expected[i][0]) << changes[i].first;
        EXPECT_EQ(enabled(ID_FILE_PRINT), expected[i][1]) << changes[i].first;
        EXPECT_EQ(frame.Action(ID_VIEW_WORKSPACE_BAR)->isChecked(), expected[i][2])
            << changes[i].first;
    }
    for (const QTimer* pTimer : frame.findChildren<QTimer*>())
        EXPECT_FALSE(pTimer->isActive() && !pTimer->isSingleShot()) << "a timer repeats";
    app.ExitInstance();
}

TEST_F(AppShell, BarLayoutComesBackAtTheNextStart)
{
    {
        CKorvoApp app;
        ASSERT_TRUE(app.InitInstance({"lmx4410"}));
        CMainFrame& frame = *app.MainFrame();
        frame.addDockWidget(Qt::RightDockWidgetArea, &frame.WorkspaceBar());
        frame.close();
        app.ExitInstance();
    }
    CKorvoApp app;
    ASSERT_TRUE(app.InitInstance({"lmx4410"}));
    EXPECT_EQ(app.MainFrame()->dockWidgetArea(&app.MainFrame()->WorkspaceBar()),
              Qt::RightDockWidgetArea);
    app.ExitInstance();
}

// Runs the dialog, lets `act` work on it once it shows, and returns its result.
int RunSettings(CCommSettingsDlg& dialog, const std::function<void(CCommSettingsDlg&)>& act)
{
    QTimer::singleShot(0, &dialog, [&dialog, act] { act(dialog); });
    return dialog.exec();
}

TEST(CommSettings, OpenedWithPortAndTimeOutOkGivesThemBack)
{
    CCommSettingsDlg dialog(nullptr, {});
    dialog.m_nComPort = 2;
    dialog.m_nTimeout = 10;
    QString strShown, strTimeout;
    EXPECT_EQ(RunSettings(dialog,
                          [&](CCommSettingsDlg& d) {
                              strShown = d.PortBox().currentText();
                              strTimeout = d.TimeoutEdit().text();
                              d.accept();
                          }),
              QDialog::Accepted);
    EXPECT_EQ(strShown, "COM 2");
    EXPECT_EQ(strTimeout, "10");
    EXPECT_EQ(dialog.m_nComPort, 2);
    EXPECT_EQ(dialog.m_nTimeout, 10);
}

TEST(CommSettings, ChoosingComFourGivesPortFour)
{
    CCommSettingsDlg dialog(nullptr, {});
    RunSettings(dialog, [](CCommSettingsDlg& d) {
        d.PortBox().setCurrentIndex(3);
        d.accept();
    });
    EXPECT_EQ(dialog.m_nComPort, 4);
    EXPECT_TRUE(dialog.m_strDevice.isEmpty());
}

TEST(CommSettings, PortSevenShowsAndStaysWhenNothingIsChosen)
{
    CCommSettingsDlg dialog(nullptr, {});
    dialog.m_nComPort = 7;
    QString strShown;
    RunSettings(dialog, [&](CCommSettingsDlg& d) {
        strShown = d.PortBox().currentText();
        d.accept();
    });
    EXPECT_EQ(strShown, "COM 7");
    EXPECT_EQ(dialog.m_nComPort, 7);
}

TEST(CommSettings, CancelKeepsTheValuesAndABadTimeOutKeepsTheDialogOpen)
{
    CMessageBoxRecorder boxes;
    CCommSettingsDlg dialog(nullptr, {});
    dialog.m_nTimeout = 10;
    EXPECT_EQ(RunSettings(dialog,
                          [](CCommSettingsDlg& d) {
                              d.TimeoutEdit().setText("30");
                              d.reject();
                          }),
              QDialog::Rejected);
    EXPECT_EQ(dialog.m_nTimeout, 10);

    bool bStillOpen = false;
    RunSettings(dialog, [&](CCommSettingsDlg& d) {
        for (const char* pszBad : {"ten", "-5", ""}) {
            d.TimeoutEdit().setText(pszBad);
            d.accept();
        }
        bStillOpen = d.isVisible();
        d.TimeoutEdit().setText("0");
        d.accept();
    });
    EXPECT_TRUE(bStillOpen);
    EXPECT_EQ(boxes.Requests().size(), 3);
    EXPECT_EQ(dialog.m_nTimeout, 0);
}

TEST(CommSettings, TypedDevicePathAndTheDemoTester)
{
    CCommSettingsDlg dialog(nullptr, {"/dev/ttyUSB0"});
    RunSettings(dialog, [](CCommSettingsDlg& d) {
        d.PortBox().setEditText("/dev/ttyACM0");
        d.accept();
    });
    EXPECT_EQ(dialog.m_strDevice, "/dev/ttyACM0");
    RunSettings(dialog, [](CCommSettingsDlg& d) {
        d.PortBox().setCurrentIndex(d.PortBox().count() - 1);
        d.accept();
    });
    EXPECT_EQ(dialog.m_strDevice, "demo");
}

TEST(CommSettings, SessionLogFolderIsEditableOnlyWhileTheLogIsKept)
{
    CFileDialogAnswers files;
    files.QueueAnswer("/var/tmp/field logs");
    CCommSettingsDlg dialog(nullptr, {});
    dialog.m_strLogFolder = "/home/tech/logs";
    bool bEnabledBefore = true, bEnabledAfter = false;
    RunSettings(dialog, [&](CCommSettingsDlg& d) {
        bEnabledBefore = d.LogFolderEdit().isEnabled() || d.BrowseButton().isEnabled();
        QTest::keyClick(&d.KeepLogCheck(), Qt::Key_Space);
        bEnabledAfter = d.LogFolderEdit().isEnabled() && d.BrowseButton().isEnabled();
        QTest::mouseClick(&d.BrowseButton(), Qt::LeftButton);
        d.accept();
    });
    EXPECT_FALSE(bEnabledBefore);
    EXPECT_TRUE(bEnabledAfter);
    ASSERT_EQ(files.Requests().size(), 1);
    EXPECT_TRUE(files.Requests()[0].m_bFolder);
    EXPECT_EQ(files.Requests()[0].m_strInitialPath, "/home/tech/logs");
    EXPECT_TRUE(dialog.m_bKeepLog);
    EXPECT_EQ(dialog.m_strLogFolder, "/var/tmp/field logs");

    // A folder cleared by hand keeps the one there was.
    RunSettings(dialog, [](CCommSettingsDlg& d) {
        d.LogFolderEdit().clear();
        d.accept();
    });
    EXPECT_EQ(dialog.m_strLogFolder, "/var/tmp/field logs");
}

// Each group box shows its own caption: 1046 frames the port, 1047 the
// time-out.
TEST(CommSettings, TheGroupBoxesShowTheirOwnCaptions)
{
    CCommSettingsDlg dialog(nullptr, {});
    QString strPortGroup, strTimeoutGroup;
    RunSettings(dialog, [&](CCommSettingsDlg& d) {
        strPortGroup = d.findChild<QGroupBox*>(QStringLiteral("1046"))->title();
        strTimeoutGroup = d.findChild<QGroupBox*>(QStringLiteral("1047"))->title();
        d.reject();
    });
    EXPECT_EQ(strPortGroup, LoadResString(58218));
    EXPECT_EQ(strTimeoutGroup, LoadResString(58219));
    EXPECT_EQ(IDS_SETTINGS_PORT_GROUP, 58218);
}

// When the last recent file goes, the greyed item reads as the menu's
// placeholder again, not as the file that was there.
TEST_F(AppShell, TheEmptyRecentFileListShowsItsPlaceholder)
{
    CKorvoApp app;
    ASSERT_TRUE(app.InitInstance({"lmx4410"}));
    QAction* pFirst = app.MainFrame()->Action(ID_FILE_MRU_FILE1);
    const QString strPlaceholder = pFirst->text();
    app.DocManager()->AddToRecentFileList(QStringLiteral("/nonexistent/gone.lmx"));
    EXPECT_TRUE(pFirst->text().contains("gone.lmx"));
    app.DocManager()->OnOpenRecentFile(0);
    EXPECT_TRUE(app.DocManager()->RecentFiles().isEmpty());
    EXPECT_EQ(pFirst->text(), strPlaceholder);
    EXPECT_FALSE(pFirst->statusTip().contains("gone.lmx"));
    EXPECT_TRUE(pFirst->isVisible());
    app.ExitInstance();
}

// --help and --version answer before the window system is asked for, so
// they work on a machine without a display.
TEST(StartWithoutDisplay, HelpAndVersionAnswer)
{
    for (const QString& strOption : {QStringLiteral("--help"), QStringLiteral("--version")}) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* pszName : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(pszName));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(LMX_PROGRAM), {strOption});
        ASSERT_TRUE(program.waitForFinished(30000)) << strOption.toStdString();
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
        EXPECT_TRUE(program.readAllStandardOutput().startsWith(
            strOption == QLatin1String("--help") ? "usage: lmx4410" : "lmx4410 "));
    }
}

} // namespace
