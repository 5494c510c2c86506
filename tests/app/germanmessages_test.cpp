// The program under the German pack: every message a user can meet is
// German, failures of the lower layers included, because the program words
// them from the pack where it shows them.

#include "app/commsettingsdlg.h"
#include "app/korvoapp.h"
#include "app/mainframe.h"
#include "filedialoganswers.h"
#include "framework/docmanager.h"
#include "framework/document.h"
#include "framework/resourceids.h"
#include "messageboxrecorder.h"
#include "records/documentfile.h"
#include "records/fileaccess.h"
#include "testtesters.h"

#include <QApplication>
#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kDeadlineMs = 60000;

// Words of English sentences that German ones never hold.
const QRegularExpression kEnglishWords(
    QStringLiteral("\\b(the|is|was|cannot|could|not|does|you|your|please|of|and|to|file|folder|"
                   "disk|exists?|allowed|printed|changes|answer)\\b"),
    QRegularExpression::CaseInsensitiveOption);

class GermanMessages : public testing::Test
{
protected:
    GermanMessages()
    {
        QSettings(CKorvoApp::kOrganisation, CKorvoApp::kApplication).clear();
        EXPECT_TRUE(m_app.InitInstance({"lmx4410", "--lang", "de"}));
    }
    ~GermanMessages() override { m_app.ExitInstance(); }

    CMainFrame& Frame() { return *m_app.MainFrame(); }
    QString Path(const QString& strName) const { return m_folder.filePath(strName); }
    void WriteFile(const QString& strName, const QByteArray& bytes) const
    {
        QFile file(Path(strName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    bool WaitForBoxes(int nCount)
    {
        return QTest::qWaitFor([&] { return m_boxes.Requests().size() >= nCount; }, kDeadlineMs);
    }

    CMessageBoxRecorder m_boxes;
    CFileDialogAnswers m_files;
    CKorvoApp m_app;
    QTemporaryDir m_folder;
};

TEST_F(GermanMessages, EveryMessageAUserCanMeetIsGerman)
{
    ASSERT_EQ(m_app.m_hLangPack.Language(), "de");
    const QByteArray document =
        QByteArray::fromStdString(StoreDocument(DocumentVersions(), TestRecord()));
    WriteFile("kurz.lmx", document.left(5));
    WriteFile("fremd.lmx", QByteArray::fromStdString(StoreDocument(
                               DocumentVersions{"0x01010101", "0x02020202"}, TestRecord())));
    WriteFile("gut.lmx", document);

    struct MessagePath
    {
        const char* pszName;
        std::function<void()> drive;
    };
    SimulatorOptions silent;
    silent.m_behaviour.m_bSilent = true;
    SimulatorOptions hangingUp;
    hangingUp.m_nHangUpAfter = 500;
    const MessagePath paths[] = {
        {"nothing to export yet", [&] { m_app.OnSaveAll(); }},
        {"a port that does not exist",
         [&] { Frame().StartDownload(QStringLiteral("/dev/lmx-kein-anschluss"), 10); }},
        {"a port name that is none", [&] { Frame().StartDownload(QStringLiteral("COMX"), 10); }},
        {"a tester that never answers",
         [&] {
             CTestTester tester(silent);
             Frame().StartDownload(tester.Device(), 0);
             WaitForBoxes(m_boxes.Requests().size() + 1);
         }},
        {"a port unplugged during the wait",
         [&] {
             CTestTester tester(silent);
             Frame().StartDownload(tester.Device(), 100);
             tester.Unplug();
             WaitForBoxes(m_boxes.Requests().size() + 1);
         }},
        {"a tester lost in the middle",
         [&] {
             CTestTester tester(hangingUp);
             Frame().StartDownload(tester.Device(), 10);
             WaitForBoxes(m_boxes.Requests().size() + 1);
         }},
        {"a session log folder that cannot be made",
         [&] {
             Frame().Download().SetSessionLogFolder(Path("gut.lmx"));
             CTestTester tester;
             Frame().StartDownload(tester.Device(), 10);
             Frame().Download().SetSessionLogFolder(QString());
             EXPECT_TRUE(QTest::qWaitFor(
                 [&] { return Frame().Download().ProgressPopup().Window() == nullptr; },
                 kDeadlineMs));
         }},
        {"a missing document", [&] { m_app.DocManager()->OpenDocumentFile(Path("fehlt.lmx")); }},
        {"a damaged document", [&] { m_app.DocManager()->OpenDocumentFile(Path("kurz.lmx")); }},
        {"a document of another program",
         [&] { m_app.DocManager()->OpenDocumentFile(Path("fremd.lmx")); }},
        {"a save into a folder that does not exist",
         [&] {
             if (CDocument* pDocument = m_app.DocManager()->OpenDocumentFile(Path("gut.lmx")))
                 pDocument->DoSave(Path("fehlt/gut.lmx"), false);
         }},
        {"a recent file that has gone",
         [&] {
             m_app.DocManager()->AddToRecentFileList(Path("weg.lmx"));
             m_app.DocManager()->OnOpenRecentFile(0);
         }},
        {"unsaved changes",
         [&] {
             if (CDocument* pDocument = m_app.DocManager()->OpenDocumentFile(Path("gut.lmx"))) {
                 pDocument->SetModifiedFlag(true);
                 m_boxes.QueueAnswer(QMessageBox::No);
                 pDocument->SaveModified();
             }
         }},
        {"a CSV that cannot be written",
         [&] {
             m_app.m_Records[3].m_Ping.m_bValid = 1;
             m_files.QueueAnswer(Path("fehlt/tag.csv"));
             m_app.OnExportCsv();
         }},
        {"a time-out that is no number",
         [&] {
             QTimer::singleShot(0, [] {
                 if (auto* pDialog =
                         qobject_cast<CCommSettingsDlg*>(QApplication::activeModalWidget())) {
                     pDialog->TimeoutEdit().setText(QStringLiteral("zehn"));
                     pDialog->accept();
                     pDialog->TimeoutEdit().setText(QStringLiteral("-1"));
                     pDialog->accept();
                     pDialog->reject();
                 }
             });
             m_app.OnCommSettings();
         }},
    };
    for (const MessagePath& path : paths) {
        SCOPED_TRACE(path.pszName);
        const qsizetype nBefore = m_boxes.Requests().size();
        path.drive();
        ASSERT_GT(m_boxes.Requests().size(), nBefore) << "no message";
        for (qsizetype i = nBefore; i < m_boxes.Requests().size(); ++i) {
            const MessageBoxRequest& box = m_boxes.Requests()[i];
            const QString strShown = box.m_strCaption + QLatin1Char('\n') + box.m_strText;
            // File names are the test's own, in German.
            EXPECT_FALSE(strShown.contains(kEnglishWords)) << strShown.toStdString();
        }
    }
}

} // namespace
