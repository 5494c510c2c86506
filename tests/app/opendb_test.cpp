// Opening DBs as reports from the application: one window per DB, titled
// after its slot, and files named on the command line.

#include "docmanager.h"
#include "doctemplate.h"
#include "document.h"
#include "korvoapp.h"
#include "korvodoc.h"
#include "mainframe.h"
#include "messageboxrecorder.h"

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

} // namespace
