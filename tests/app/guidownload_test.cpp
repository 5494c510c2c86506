// Downloads through the program's own window, its timers and its popup:
// from the demo tester, from a tester that never answers, from a port that
// does not exist, and from a tester that disappears halfway; and the
// session log a download can keep.

#include "app/korvoapp.h"
#include "app/mainframe.h"
#include "app/sessionlogfolder.h"
#include "downloadedtable.h"
#include "framework/docmanager.h"
#include "framework/resourceids.h"
#include "link/sessionlog.h"
#include "messageboxrecorder.h"
#include "records/documentfile.h"
#include "simulator/sampleset.h"
#include "simulator/simulatedtester.h"
#include "testtesters.h"

#include "app/commsettingsdlg.h"
#include "filesizelimit.h"
#include "framework/controls/progressbar.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <set>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

namespace {

// Generous: a loaded machine may be slow, and nothing here waits on a clock.
constexpr int kDownloadDeadlineMs = 60000;

// A line on which nobody ever answers.
class CSilentLine
{
public:
    CSilentLine()
    {
        char name[64] = {};
        if (openpty(&m_nMaster, &m_nSlave, name, nullptr, nullptr) == 0)
            m_strPath = name;
    }
    ~CSilentLine()
    {
        close(m_nMaster);
        close(m_nSlave);
    }
    QString Path() const { return QString::fromLatin1(m_strPath.c_str()); }

private:
    int m_nMaster = -1;
    int m_nSlave = -1;
    std::string m_strPath;
};

class GuiDownload : public testing::Test
{
protected:
    GuiDownload()
    {
        QSettings(CKorvoApp::kOrganisation, CKorvoApp::kApplication).clear();
        EXPECT_TRUE(m_app.InitInstance({"lmx4410", "--demo"}));
        Frame().Download().SetDemoPaced(false);
    }
    ~GuiDownload() override { m_app.ExitInstance(); }

    CMainFrame& Frame() { return *m_app.MainFrame(); }
    QTreeWidget& Tree() { return *Frame().WorkspaceBar().Tree(); }
    QWidget* Popup() { return Frame().Download().ProgressPopup().Window(); }

    CMessageBoxRecorder m_boxes;
    CKorvoApp m_app;
};

TEST_F(GuiDownload, DemoTesterFillsTheTableAndTheTree)
{
    m_app.OnDownload();
    EXPECT_NE(Popup(), nullptr);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Tree().topLevelItemCount() > 0; }, kDownloadDeadlineMs));
    EXPECT_TRUE(m_app.m_Records == Downloaded(BuiltInSampleSet()));
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_EQ(Frame().MessagePane()->text(), LoadResString(AFX_IDS_IDLEMESSAGE));
    EXPECT_TRUE(m_boxes.Requests().isEmpty());

    // A second download starts afresh and ends the same.
    Tree().clear();
    m_app.OnDownload();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Tree().topLevelItemCount() > 0; }, kDownloadDeadlineMs));
    EXPECT_TRUE(m_app.m_Records == Downloaded(BuiltInSampleSet()));
}

TEST_F(GuiDownload, ATesterThatNeverAnswersTimesOutWithItsMessage)
{
    CSilentLine line;
    ASSERT_FALSE(line.Path().isEmpty());
    EXPECT_EQ(Frame().StartDownload(line.Path(), 0), 0);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !m_boxes.Requests().isEmpty(); }, kDownloadDeadlineMs));
    const MessageBoxRequest& box = m_boxes.Requests().first();
    EXPECT_EQ(box.m_strText, LoadResString(IDS_PROMPT_TIMEOUT_TEXT));
    EXPECT_EQ(box.m_strCaption, LoadResString(IDS_PROMPT_TIMEOUT_CAPTION));
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_TRUE(m_app.m_Records == RecordTable());
}

TEST_F(GuiDownload, APortThatCannotOpenSaysWhyAndShowsNoPopup)
{
    EXPECT_EQ(Frame().StartDownload("/dev/lmx-no-such-port", 10), -1);
    ASSERT_EQ(m_boxes.Requests().size(), 1);
    EXPECT_TRUE(m_boxes.Texts().first().startsWith(LoadResString(IDS_PORT_OPEN_FAILED)));
    EXPECT_TRUE(m_boxes.Texts().first().contains("/dev/lmx-no-such-port"));
    EXPECT_EQ(Popup(), nullptr);
}

TEST_F(GuiDownload, CancelWhileWaitingClosesThePopupQuietly)
{
    CSilentLine line;
    EXPECT_EQ(Frame().StartDownload(line.Path(), 100), 0);
    ASSERT_NE(Frame().Download().ProgressPopup().CancelButton(), nullptr);
    QTest::mouseClick(Frame().Download().ProgressPopup().CancelButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Popup() == nullptr; }, kDownloadDeadlineMs));
    QTest::qWait(300); // the prompt wait would have ticked by now
    EXPECT_TRUE(m_boxes.Requests().isEmpty());
}

TEST_F(GuiDownload, ATesterThatDisappearsLeavesThePreviousRecords)
{
    m_app.OnDownload();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Tree().topLevelItemCount() > 0; }, kDownloadDeadlineMs));
    const RecordTable before = m_app.m_Records;

    CSimulatedTester tester;
    SimulatorOptions options;
    options.m_bPaced = false;
    options.m_nHangUpAfter = 500; // in the middle of the first answer
    ASSERT_TRUE(tester.Start(BuiltInSampleSet(), options));
    ASSERT_TRUE(tester.StartThread());
    EXPECT_EQ(Frame().StartDownload(QString::fromStdString(tester.DevicePath()), 10), 0);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !m_boxes.Requests().isEmpty(); }, kDownloadDeadlineMs));
    EXPECT_EQ(m_boxes.Texts().first(), LoadResString(IDS_DEVICE_LOST));
    EXPECT_TRUE(m_app.m_Records == before);
    EXPECT_EQ(Popup(), nullptr);
}

TEST_F(GuiDownload, AKeptSessionLogHoldsEveryByteOfTheDownload)
{
    QTemporaryDir folder;
    m_app.m_bKeepSessionLog = true;
    m_app.m_strSessionLogFolder = folder.filePath("logs"); // made when first needed
    m_app.OnDownload();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Tree().topLevelItemCount() > 0; }, kDownloadDeadlineMs));
    // The log is complete once the port has closed at the end.
    const QStringList astrLogs = QDir(folder.filePath("logs")).entryList(QDir::Files);
    ASSERT_EQ(astrLogs.size(), 1);

    std::vector<SessionLogEntry> entries;
    std::string strError;
    ASSERT_TRUE(ReadSessionLog(
        QFile::encodeName(QDir(folder.filePath("logs")).filePath(astrLogs[0])).toStdString(),
        entries, strError))
        << strError;
    std::string strSent, strReceived;
    for (const SessionLogEntry& entry : entries) {
        if (entry.m_direction == SessionLogEntry::Direction::Sent)
            strSent += entry.m_strBytes;
        else if (entry.m_direction == SessionLogEntry::Direction::Received)
            strReceived += entry.m_strBytes;
    }
    EXPECT_EQ(strReceived.size(), DownloadByteCount(BuiltInSampleSet()));
    EXPECT_NE(strSent.find("forpc rtrvinfo\n"), std::string::npos);
    EXPECT_TRUE(m_boxes.Requests().isEmpty());

    // Logs started within the same second never share a file.
    CSessionLog second, third;
    QString strWhy;
    ASSERT_TRUE(StartSessionLogIn(second, folder.filePath("logs"), "demo", strWhy));
    ASSERT_TRUE(StartSessionLogIn(third, folder.filePath("logs"), "demo", strWhy));
    EXPECT_EQ(QDir(folder.filePath("logs")).entryList(QDir::Files).size(), 3);
}

TEST_F(GuiDownload, ALogThatCannotBeMadeIsReportedAndTheDownloadGoesOn)
{
    QTemporaryDir folder;
    QFile blocker(folder.filePath("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    m_app.m_bKeepSessionLog = true;
    m_app.m_strSessionLogFolder = blocker.fileName();
    m_app.OnDownload();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Tree().topLevelItemCount() > 0; }, kDownloadDeadlineMs));
    ASSERT_EQ(m_boxes.Requests().size(), 1);
    EXPECT_TRUE(m_boxes.Texts().first().startsWith(
        LoadResString(IDS_SESSION_LOG_FAILED).section(QLatin1Char('%'), 0, 0)));
    EXPECT_TRUE(m_app.m_Records == Downloaded(BuiltInSampleSet()));
}

TEST_F(GuiDownload, ALogThatBreaksOffIsReportedOnceAndTheDownloadKeepsItsRecords)
{
    QTemporaryDir folder;
    m_app.m_bKeepSessionLog = true;
    m_app.m_strSessionLogFolder = folder.path();
    {
        const FileSizeLimit limit(1024); // the disk fills up early in the download
        m_app.OnDownload();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return Tree().topLevelItemCount() > 0; }, kDownloadDeadlineMs));
    }
    EXPECT_TRUE(m_app.m_Records == Downloaded(BuiltInSampleSet()));
    ASSERT_EQ(m_boxes.Requests().size(), 1);
    const QStringList astrLogs = QDir(folder.path()).entryList(QDir::Files);
    ASSERT_EQ(astrLogs.size(), 1);
    EXPECT_TRUE(m_boxes.Texts()[0].startsWith(
        LoadResString(IDS_SESSION_LOG_STOPPED)
            .arg(QDir::toNativeSeparators(QDir(folder.path()).filePath(astrLogs[0])))))
        << m_boxes.Texts()[0].toStdString();
    EXPECT_TRUE(m_boxes.Texts()[0].contains(LoadResString(IDS_FILE_WHY_TOO_LARGE)));

    // The next download's log starts afresh and is told about only if it breaks.
    m_boxes.Clear();
    Tree().clear();
    m_app.OnDownload();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Tree().topLevelItemCount() > 0; }, kDownloadDeadlineMs));
    EXPECT_TRUE(m_boxes.Requests().isEmpty());
}

bool StoredSettingsName(const QString& strPort)
{
    QSettings settings(CKorvoApp::kOrganisation, CKorvoApp::kApplication);
    return settings.value("Settings/PORTDEVICE").toString() == strPort;
}

// The start options of a desktop shortcut: a port for this run only, and a
// download at once, beside the documents named.
TEST(GuiStartOptions, DownloadAtOnceFromThePortOfThisRunWithoutStoringIt)
{
    CMessageBoxRecorder boxes;
    CTestTester tester;
    ASSERT_TRUE(tester.IsStarted());
    QTemporaryDir folder;
    const QString strDocument = folder.filePath("kept.lmx");
    {
        QFile file(strDocument);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(
            StoreDocument(DocumentVersions(), Downloaded(BuiltInSampleSet())[1])));
    }
    struct Case
    {
        const char* pszName;
        QStringList astrArguments;
        QString strPort;
        int nDocuments;
    };
    const Case cases[] = {
        {"--demo --download", {"lmx4410", "--demo", "--download"}, "demo", 0},
        {"--port --download",
         {"lmx4410", "--port", tester.Device(), "--download"},
         tester.Device(),
         0},
        {"with a document",
         {"lmx4410", "--download", "--port", tester.Device(), strDocument},
         tester.Device(),
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        QSettings(CKorvoApp::kOrganisation, CKorvoApp::kApplication).clear();
        CKorvoApp app;
        ASSERT_TRUE(app.InitInstance(c.astrArguments));
        app.MainFrame()->Download().SetDemoPaced(false);
        EXPECT_EQ(app.DownloadPort(), c.strPort);
        QTreeWidget& tree = *app.MainFrame()->WorkspaceBar().Tree();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return tree.topLevelItemCount() > 0; }, kDownloadDeadlineMs));
        EXPECT_TRUE(app.m_Records == Downloaded(BuiltInSampleSet()));
        EXPECT_EQ(app.DocManager()->Documents().size(), c.nDocuments);
        app.ExitInstance();
        EXPECT_FALSE(StoredSettingsName(c.strPort));
        EXPECT_TRUE(boxes.Requests().isEmpty());
    }
}

// Communication Settings shows the port of this run while it is in force. OK
// without another choice keeps it for this run and stores nothing; another
// port replaces it and is kept for later starts.
TEST(GuiStartOptions, TheSettingsDialogShowsThePortOfThisRunAndNeverStoresIt)
{
    struct Case
    {
        const char* pszName;
        QString strPortOption;
        int nChoose; // the list entry chosen, -1 for none
        QString strShown;
        QString strDownloadPort;
        int nStoredComPort;
    };
    const Case cases[] = {
        {"demo, OK", "--demo", -1,
         AfxGetResourceHandle().DialogText(CCommSettingsDlg::kDialogId, 1050), "demo", 2},
        {"a device, OK", "--port=/dev/ttyUSB7", -1, "/dev/ttyUSB7", "/dev/ttyUSB7", 2},
        {"a device, COM 3 chosen", "--port=/dev/ttyUSB7", 2, "/dev/ttyUSB7", "3", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        QSettings(CKorvoApp::kOrganisation, CKorvoApp::kApplication).clear();
        CKorvoApp app;
        ASSERT_TRUE(app.InitInstance({"lmx4410", c.strPortOption}));
        QString strShown;
        QTimer::singleShot(0, [&] {
            auto* pDialog = qobject_cast<CCommSettingsDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(pDialog, nullptr);
            strShown = pDialog->PortBox().currentText();
            if (c.nChoose >= 0)
                pDialog->PortBox().setCurrentIndex(c.nChoose);
            pDialog->accept();
        });
        app.OnCommSettings();
        EXPECT_EQ(strShown, c.strShown);
        EXPECT_EQ(app.DownloadPort(), c.strDownloadPort);
        app.ExitInstance();
        QSettings settings(CKorvoApp::kOrganisation, CKorvoApp::kApplication);
        EXPECT_FALSE(settings.contains("Settings/PORTDEVICE"));
        EXPECT_EQ(settings.value("Settings/COMPORT").toInt(), c.nStoredComPort);
    }
}

// The tester goes quiet in the middle of an answer: the popup says so, to a
// screen reader too, and after Cancel a new download starts afresh and ends.
TEST_F(GuiDownload, AStalledTesterIsExplainedAndCancelThenDownloadStartsAfresh)
{
    SimulatorOptions stalling;
    stalling.m_nStallAfter = 3000;
    CTestTester stalled(stalling);
    ASSERT_TRUE(stalled.IsStarted());
    CProgressPopup& popup = Frame().Download().ProgressPopup();
    const QString strStalled = LoadResString(IDS_TRANSFER_STALLED);
    EXPECT_EQ(Frame().StartDownload(stalled.Device(), 10), 0);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return popup.Message() == strStalled; }, kDownloadDeadlineMs));

    QAccessibleInterface* pWindow = QAccessible::queryAccessibleInterface(Popup());
    ASSERT_NE(pWindow, nullptr);
    QStringList astrHeard;
    for (int i = 0; i < pWindow->childCount(); ++i)
        astrHeard << pWindow->child(i)->text(QAccessible::Name);
    EXPECT_TRUE(astrHeard.contains(strStalled)) << astrHeard.join(" | ").toStdString();

    QTest::mouseClick(popup.CancelButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Popup() == nullptr; }, kDownloadDeadlineMs));
    CTestTester fresh;
    ASSERT_TRUE(fresh.IsStarted());
    EXPECT_EQ(Frame().StartDownload(fresh.Device(), 10), 0);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Tree().topLevelItemCount() > 0; }, kDownloadDeadlineMs));
    EXPECT_TRUE(m_app.m_Records == Downloaded(BuiltInSampleSet()));
    EXPECT_TRUE(m_boxes.Requests().isEmpty());
}

// A port left listening after a time-out or a Cancel whose tester is
// unplugged, and another plugged in under the same name: the next download
// runs normally, and nobody hears of a lost connection.
TEST_F(GuiDownload, APortThatHungUpWhileIdleDownloadsOnTheNextTry)
{
    for (const bool bTimeOut : {true, false}) {
        SCOPED_TRACE(bTimeOut ? "after a time-out" : "after Cancel");
        m_boxes.Clear();
        Tree().clear();
        SimulatorOptions silent;
        silent.m_behaviour.m_bSilent = true;
        CTestTester quiet(silent);
        CPortLink port;
        ASSERT_TRUE(quiet.IsStarted() && port.PointAt(quiet.Device()));
        EXPECT_EQ(Frame().StartDownload(port.Path(), bTimeOut ? 0 : 100), 0);
        if (bTimeOut) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !m_boxes.Requests().isEmpty(); },
                                        kDownloadDeadlineMs));
        } else {
            QTest::mouseClick(Frame().Download().ProgressPopup().CancelButton(), Qt::LeftButton);
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return Popup() == nullptr; }, kDownloadDeadlineMs));

        quiet.Unplug();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return Frame().Download().Protocol().Mode() == StreamMode::None; },
            kDownloadDeadlineMs));
        CTestTester plugged;
        ASSERT_TRUE(plugged.IsStarted() && port.PointAt(plugged.Device()));
        EXPECT_EQ(Frame().StartDownload(port.Path(), 10), 0);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return Tree().topLevelItemCount() > 0; }, kDownloadDeadlineMs));
        EXPECT_TRUE(m_app.m_Records == Downloaded(BuiltInSampleSet()));
        EXPECT_EQ(m_boxes.Requests().size(), bTimeOut ? 1 : 0);
        if (bTimeOut) {
            EXPECT_EQ(m_boxes.Texts().first(), LoadResString(IDS_PROMPT_TIMEOUT_TEXT));
        }
    }
}

// What the tester sees: a whole second between its prompt and the first
// command, and half a second between the end of each answer and the next.
// The tester's clock counts from when the bytes left it, so the program's
// own pauses can only be longer.
TEST_F(GuiDownload, TheTesterGetsItsWholePauses)
{
    std::mutex mutex;
    std::vector<LineEvent> events;
    SimulatorOptions timed;
    timed.m_onLineEvent = [&](const LineEvent& event) {
        std::lock_guard lock(mutex);
        events.push_back(event);
    };
    CTestTester tester(timed);
    ASSERT_TRUE(tester.IsStarted());
    EXPECT_EQ(Frame().StartDownload(tester.Device(), 10), 0);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Tree().topLevelItemCount() > 0; }, kDownloadDeadlineMs));

    std::lock_guard lock(mutex);
    std::vector<std::chrono::milliseconds> pauses;
    std::optional<std::chrono::steady_clock::time_point> lastSent;
    for (const LineEvent& event : events) {
        if (event.m_kind == LineEvent::Kind::AllSent) {
            lastSent = event.m_time;
        } else if (event.m_strLine.starts_with("forpc") && lastSent) {
            pauses.push_back(
                std::chrono::duration_cast<std::chrono::milliseconds>(event.m_time - *lastSent));
        }
    }
    ASSERT_EQ(pauses.size(), 4u);
    EXPECT_GE(pauses[0].count(), CDownloadProtocol::kFirstCommandDelayMs);
    for (std::size_t i = 1; i < pauses.size(); ++i)
        EXPECT_GE(pauses[i].count(), CDownloadProtocol::kNextCommandDelayMs) << "command " << i;
}

// The records are parsed one by one after the transfer, with a pause each,
// so the status bar's indicator is seen moving; the window keeps painting.
TEST_F(GuiDownload, TheLoadingIndicatorShowsWhileTheRecordsAreParsed)
{
    std::set<int> seenSteps;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (const CProgressBar* pBar : Frame().statusBar()->findChildren<CProgressBar*>()) {
            if (pBar->isVisible())
                seenSteps.insert(pBar->value());
        }
    });
    watch.start(1);
    m_app.OnDownload();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Tree().topLevelItemCount() > 0; }, kDownloadDeadlineMs));
    watch.stop();
    EXPECT_GE(seenSteps.size(), 5u);
    EXPECT_TRUE(Frame().statusBar()->findChildren<CProgressBar*>().isEmpty());
}

// The records are parsed after the transfer while the window stays live:
// meanwhile no second download starts, and a close waits until they are in.
TEST_F(GuiDownload, WhileTheRecordsAreParsedNoDownloadStartsAndClosingWaits)
{
    m_app.OnDownload();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Frame().Download().IsParsing(); }, kDownloadDeadlineMs));
    EXPECT_EQ(Frame().StartDownload(QString::fromLatin1(CGuiDownloadHost::kDemoTester), 10), -1);
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_FALSE(Frame().close());
    EXPECT_TRUE(Frame().isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Frame().isVisible(); }, kDownloadDeadlineMs));
    EXPECT_TRUE(m_app.m_Records == Downloaded(BuiltInSampleSet()));
    EXPECT_GT(Tree().topLevelItemCount(), 0);
    EXPECT_TRUE(m_boxes.Requests().isEmpty());
}

// The popup's keyboard: Cancel has the focus from the start, so Escape and
// Enter cancel; its message reaches assistive technology as it changes.
TEST_F(GuiDownload, ThePopupTakesTheKeyboardAndSpeaksItsMessage)
{
    CSilentLine line;
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        EXPECT_EQ(Frame().StartDownload(line.Path(), 100), 0);
        CProgressPopup& popup = Frame().Download().ProgressPopup();
        ASSERT_NE(popup.CancelButton(), nullptr);
        EXPECT_EQ(Popup()->focusWidget(), popup.CancelButton());

        QAccessibleInterface* pWindow = QAccessible::queryAccessibleInterface(Popup());
        ASSERT_NE(pWindow, nullptr);
        bool bTextHeard = false, bBarHeard = false;
        for (int i = 0; i < pWindow->childCount(); ++i) {
            QAccessibleInterface* pChild = pWindow->child(i);
            bTextHeard |= pChild->role() == QAccessible::StaticText &&
                          pChild->text(QAccessible::Name) == popup.Message();
            bBarHeard |= pChild->role() == QAccessible::ProgressBar && pChild->valueInterface();
        }
        EXPECT_TRUE(bTextHeard);
        EXPECT_TRUE(bBarHeard);

        QTest::keyClick(popup.CancelButton(), key);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Popup() == nullptr; }, kDownloadDeadlineMs));
    }
    EXPECT_TRUE(m_boxes.Requests().isEmpty());
}

} // namespace
