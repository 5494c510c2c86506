// Downloads through the program's own window, its timers and its popup:
// from the demo tester, from a tester that never answers, from a port that
// does not exist, and from a tester that disappears halfway; and the
// session log a download can keep.

#include "downloadedtable.h"
#include "korvoapp.h"
#include "mainframe.h"
#include "messageboxrecorder.h"
#include "resourceids.h"
#include "sampleset.h"
#include "sessionlog.h"
#include "sessionlogfolder.h"
#include "simulatedtester.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

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

} // namespace
