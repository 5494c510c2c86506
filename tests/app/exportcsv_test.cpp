// Export CSV from the Download menu: the downloaded DBs that hold a test, in
// a file the user names, or a message when there is nothing to export; and
// the open reports as CSV from the File menu.

#include "app/korvoapp.h"
#include "app/mainframe.h"
#include "app/slottitle.h"
#include "dayexportfixture.h"
#include "framework/filedialog.h"
#include "framework/resourceids.h"
#include "messageboxrecorder.h"
#include "records/recordcsv.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using ExportCsv = CDayExportTest;

TEST_F(ExportCsv, NothingDownloadedSaysSoAndAsksForNoFile)
{
    m_app.MainFrame()->UpdateCommandUI();
    EXPECT_FALSE(m_app.MainFrame()->Action(ID_EXPORT_CSV)->isEnabled());
    m_app.OnExportCsv();
    EXPECT_EQ(m_boxes.Texts(), QStringList{LoadResString(IDS_NOTHING_TO_EXPORT)});
    EXPECT_TRUE(m_requests.empty());
}

TEST_F(ExportCsv, WritesTheTableWhereTheUserSaysAndNothingOnCancel)
{
    m_app.m_Records[2].m_RateFrame.m_bValid = 1;
    m_app.m_Records[2].m_RateFrame.m_strUserInfo = "M\xfcller";
    m_app.MainFrame()->UpdateCommandUI();
    EXPECT_TRUE(m_app.MainFrame()->Action(ID_EXPORT_CSV)->isEnabled());

    m_strAnswer = m_folder.filePath("day.csv");
    m_app.OnExportCsv();
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_TRUE(m_requests[0].m_bSave);
    EXPECT_EQ(m_requests[0].m_strDefaultSuffix, "csv");
    QFile file(m_strAnswer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), DownloadCsv(m_app.m_Records));
    EXPECT_TRUE(m_boxes.Requests().isEmpty());

    m_strAnswer.clear();
    m_app.OnExportCsv();
    EXPECT_TRUE(m_boxes.Requests().isEmpty());
}

TEST_F(ExportCsv, AFolderThatCannotBeWrittenSaysWhy)
{
    m_app.m_Records[1].m_RateFrame.m_bValid = 1;
    m_strAnswer = "/nonexistent-folder/day.csv";
    m_app.OnExportCsv();
    ASSERT_EQ(m_boxes.Requests().size(), 1);
    EXPECT_TRUE(m_boxes.Texts().first().contains("day.csv"));
}

TEST_F(ExportCsv, OpenReportsAreRowsNamedAfterTheirWindows)
{
    m_app.MainFrame()->UpdateCommandUI();
    EXPECT_FALSE(m_app.MainFrame()->Action(ID_EXPORT_OPEN_CSV)->isEnabled());
    HoldTest(3, "Kim");
    HoldTest(9, "");
    m_app.OpenDb(3);
    m_app.OpenDb(9);
    m_app.MainFrame()->UpdateCommandUI();
    EXPECT_TRUE(m_app.MainFrame()->Action(ID_EXPORT_OPEN_CSV)->isEnabled());

    m_strAnswer = m_folder.filePath("open.csv");
    m_app.OnExportOpenCsv();
    QFile file(m_strAnswer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(),
              RecordCsvHeader() +
                  RecordCsvRow(SlotTitle(3, m_app.m_Records[3]), m_app.m_Records[3]) +
                  RecordCsvRow(SlotTitle(9, m_app.m_Records[9]), m_app.m_Records[9]));
}

} // namespace
