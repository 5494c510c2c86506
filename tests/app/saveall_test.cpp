// Save All from the Download menu: a folder the user picks, the dated
// subfolder proposed, each existing file asked about, one closing summary.

#include "app/korvoapp.h"
#include "app/mainframe.h"
#include "dayexportfixture.h"
#include "framework/filedialog.h"
#include "framework/resourceids.h"
#include "messageboxrecorder.h"
#include "records/documentfile.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SaveAll : public CDayExportTest
{
protected:
    SaveAll() { m_strAnswer = m_folder.path(); }

    QByteArray Contents(const QString& strName) const
    {
        QFile file(m_folder.filePath(strName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void WriteFile(const QString& strName, const QByteArray& bytes) const
    {
        QFile file(m_folder.filePath(strName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Stored(int nDb) const
    {
        return QByteArray::fromStdString(
            StoreDocument(DocumentVersions(), m_app.m_Records[static_cast<std::size_t>(nDb)]));
    }
};

TEST_F(SaveAll, NothingDownloadedSaysSoAndAsksForNoFolder)
{
    m_app.MainFrame()->UpdateCommandUI();
    EXPECT_FALSE(m_app.MainFrame()->Action(ID_SAVE_ALL)->isEnabled());
    m_app.OnSaveAll();
    EXPECT_EQ(m_boxes.Texts(), QStringList{LoadResString(IDS_NOTHING_TO_EXPORT)});
    EXPECT_TRUE(m_requests.empty());
}

TEST_F(SaveAll, TheDatedSubfolderIsMadeWhenAcceptedAndNothingOnCancel)
{
    HoldTest(4, "Kim Apt 301");
    m_app.MainFrame()->UpdateCommandUI();
    EXPECT_TRUE(m_app.MainFrame()->Action(ID_SAVE_ALL)->isEnabled());

    m_boxes.QueueAnswer(QMessageBox::Yes);
    m_app.OnSaveAll();
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_TRUE(m_requests[0].m_bFolder);
    const QStringList made = QDir(m_folder.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(made.size(), 1);
    EXPECT_TRUE(made[0].startsWith("LMX-4410 ")) << made[0].toStdString();
    EXPECT_EQ(Contents(made[0] + "/DB04 Kim Apt 301.lmx"), Stored(4));
    ASSERT_EQ(m_boxes.Requests().size(), 2);
    EXPECT_EQ(m_boxes.Texts()[0], LoadResString(IDS_SAVE_ALL_SUBFOLDER).arg(made[0]));
    EXPECT_EQ(m_boxes.Requests()[1].m_icon, QMessageBox::Information);

    m_boxes.Clear();
    m_boxes.QueueAnswer(QMessageBox::Cancel);
    m_app.OnSaveAll();
    EXPECT_EQ(m_boxes.Requests().size(), 1);
    EXPECT_FALSE(QFile::exists(m_folder.filePath("DB04 Kim Apt 301.lmx")));
}

TEST_F(SaveAll, EachExistingFileIsAskedAboutUntilYesToAllOrCancel)
{
    HoldTest(1, "");
    HoldTest(2, "");
    HoldTest(3, "");
    HoldTest(5, "");
    for (const char* pszName : {"DB01.lmx", "DB02.lmx", "DB03.lmx", "DB05.lmx"})
        WriteFile(pszName, "old");

    // Into the chosen folder itself; keep DB01, replace DB02 and all after it.
    for (const auto answer :
         {QMessageBox::No, QMessageBox::No, QMessageBox::Yes, QMessageBox::YesToAll})
        m_boxes.QueueAnswer(answer);
    m_app.OnSaveAll();
    EXPECT_EQ(Contents("DB01.lmx"), "old");
    EXPECT_EQ(Contents("DB02.lmx"), Stored(2));
    EXPECT_EQ(Contents("DB03.lmx"), Stored(3));
    EXPECT_EQ(Contents("DB05.lmx"), Stored(5));
    // The subfolder question, three replace questions and the summary.
    ASSERT_EQ(m_boxes.Requests().size(), 5);
    EXPECT_EQ(m_boxes.Texts()[1],
              LoadResString(IDS_SAVE_ALL_OVERWRITE).arg(m_folder.filePath("DB01.lmx")));
    EXPECT_TRUE(m_boxes.Texts()[4].contains(
        LoadResString(IDS_SAVE_ALL_KEPT).arg(m_folder.filePath("DB01.lmx"))));
    EXPECT_EQ(m_boxes.Requests()[4].m_icon, QMessageBox::Warning);

    m_boxes.Clear();
    WriteFile("DB01.lmx", "old");
    m_boxes.QueueAnswer(QMessageBox::No);
    m_boxes.QueueAnswer(QMessageBox::Cancel);
    m_app.OnSaveAll();
    EXPECT_EQ(Contents("DB01.lmx"), "old");
    EXPECT_EQ(m_boxes.Requests().size(), 3);
}

TEST_F(SaveAll, AFileThatCannotBeWrittenIsReportedAndTheOthersSaved)
{
    HoldTest(1, "");
    HoldTest(2, "");
    ASSERT_TRUE(QDir(m_folder.path()).mkpath("DB01.lmx/inside"));
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes})
        m_boxes.QueueAnswer(answer);
    m_app.OnSaveAll();
    EXPECT_EQ(Contents("DB02.lmx"), Stored(2));
    ASSERT_EQ(m_boxes.Requests().size(), 3);
    EXPECT_TRUE(m_boxes.Texts()[2].contains(m_folder.filePath("DB01.lmx")))
        << m_boxes.Texts()[2].toStdString();
    EXPECT_EQ(m_boxes.Requests()[2].m_icon, QMessageBox::Warning);
}

} // namespace
