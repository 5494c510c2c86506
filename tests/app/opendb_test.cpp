// Opening DBs as reports from the application: one window per DB, titled
// after its slot, and files named on the command line.

#include "app/guireporthost.h"
#include "app/korvoapp.h"
#include "app/korvodoc.h"
#include "app/mainframe.h"
#include "framework/docmanager.h"
#include "framework/doctemplate.h"
#include "framework/document.h"
#include "messageboxrecorder.h"

#include <QMainWindow>
#include <QTest>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class OpenDbTest : public testing::Test
{
protected:
    void Start(const QStringList& astrArguments = {"lmx4410"})
    {
        ASSERT_TRUE(m_app.InitInstance(astrArguments));
    }
    ~OpenDbTest() override { m_app.ExitInstance(); }

    QList<CDocument*> Documents() const { return m_app.m_pDocTemplate->Documents(); }

    CMessageBoxRecorder m_boxes;
    CKorvoApp m_app;
};

TEST_F(OpenDbTest, TheSameDbTwiceGivesOneWindowBroughtToTheFront)
{
    Start();
    m_app.m_Records[4].m_RateFrame.m_bValid = 1;
    m_app.m_Records[4].m_RateFrame.m_strUserInfo = "Hill Rd";
    m_app.OpenDb(4);
    m_app.OpenDb(3);
    ASSERT_EQ(Documents().size(), 2);
    EXPECT_EQ(Documents()[0]->GetTitle(), "DB #4 - [Hill Rd]");
    EXPECT_EQ(Documents()[1]->GetTitle(), "DB #3 - [No Data]");

    m_app.OpenDb(4);
    EXPECT_EQ(Documents().size(), 2);
    QMdiSubWindow* pActive = m_app.MainFrame()->MdiArea()->activeSubWindow();
    ASSERT_NE(pActive, nullptr);
    EXPECT_TRUE(pActive->windowTitle().contains("DB #4"));
    // The new document copied the record it was opened for.
    const auto* pReport = dynamic_cast<const CKorvoDoc*>(Documents()[0]);
    ASSERT_NE(pReport, nullptr);
    EXPECT_EQ(pReport->m_pRecord->m_RateFrame.m_strUserInfo, "Hill Rd");
}

TEST_F(OpenDbTest, AFileThatCannotOpenEndsTheStartAfterSayingWhy)
{
    EXPECT_FALSE(m_app.InitInstance({"lmx4410", "/nonexistent/DB01.lmx"}));
    ASSERT_FALSE(m_boxes.Requests().isEmpty());
    EXPECT_TRUE(m_boxes.Texts().first().contains("DB01.lmx"));
}

TEST_F(OpenDbTest, AFileOnTheCommandLineOpensAsItsReport)
{
    Start();
    m_app.m_Records[1].m_RateFrame.m_bValid = 1;
    m_app.OpenDb(1);
    QTemporaryDir folder;
    const QString strPath = folder.filePath("DB01.lmx");
    ASSERT_TRUE(Documents().first()->DoSave(strPath));
    m_app.ExitInstance();

    CKorvoApp again;
    ASSERT_TRUE(again.InitInstance({"lmx4410", strPath}));
    ASSERT_EQ(again.m_pDocTemplate->Documents().size(), 1);
    EXPECT_EQ(again.m_pDocTemplate->Documents().first()->GetPathName(), strPath);
    again.ExitInstance();
}

// The caption names the report on show after the program's name, and a
// file named on the command line opens as a tab filling the work area, as
// one opened from the tree does.
TEST_F(OpenDbTest, TheCaptionNamesTheReportOnShowAndTabsFillTheWorkArea)
{
    Start();
    CMainFrame& frame = *m_app.MainFrame();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    EXPECT_EQ(frame.windowTitle(), "LMX-4410");
    m_app.m_Records[3].m_RateFrame.m_bValid = 1;
    m_app.m_Records[3].m_RateFrame.m_strUserInfo = "Cafe hotspot";
    m_app.OpenDb(3);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return frame.windowTitle() == "LMX-4410 - DB #3 - [Cafe hotspot]";
    })) << frame.windowTitle().toStdString();
    QTemporaryDir folder;
    const QString strPath = folder.filePath("fieldtest.lmx");
    ASSERT_TRUE(Documents().first()->DoSave(strPath));
    EXPECT_EQ(frame.windowTitle(), "LMX-4410 - fieldtest.lmx");
    m_app.DocManager()->CloseAllDocuments();
    EXPECT_EQ(frame.windowTitle(), "LMX-4410");
    m_app.ExitInstance();

    CKorvoApp again;
    ASSERT_TRUE(again.InitInstance({"lmx4410", strPath}));
    QMdiArea* pArea = again.MainFrame()->MdiArea();
    ASSERT_EQ(pArea->subWindowList().size(), 1);
    EXPECT_TRUE(pArea->subWindowList().first()->isMaximized());
    again.MainFrame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(again.MainFrame()));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return again.MainFrame()->windowTitle() == "LMX-4410 - fieldtest.lmx";
    })) << again.MainFrame()->windowTitle().toStdString();
    again.ExitInstance();
}

// Asking the print system is slow; a report shows first and the user
// learns afterwards, once per composition, that there is no default printer.
TEST(GuiReportHostTest, ThePrinterIsAskedOnceTheReportIsUpAndItsAbsenceToldOnce)
{
    for (const bool bHasPrinter : {false, true}) {
        CMessageBoxRecorder boxes;
        int nAsked = 0;
        CGuiReportHost host([&] {
            ++nAsked;
            return bHasPrinter;
        });
        host.CheckDefaultPrinter();
        EXPECT_EQ(nAsked, 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return nAsked == 1; }));
        EXPECT_EQ(boxes.Requests().size(), bHasPrinter ? 0 : 1) << bHasPrinter;
    }
}

} // namespace
