// The day's exports when the disk fills up or the place cannot be written:
// no file is left half written, an earlier file of that name stays, the
// user is told which file failed and why, and a batch says that it stopped.

#include "dayexportfixture.h"
#include "filesizelimit.h"
#include "framework/langpack.h"
#include "framework/resourceids.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// A command of the Download menu and the questions it asks on the way: the
// subfolder (No: the folder itself), a file per DB or one file, replacing a
// file.
struct Writer
{
    const char* pszName;
    void (CKorvoApp::*command)();
    QList<QMessageBox::StandardButton> answers;
    QString strTarget;   // the file that is there before, in the folder
    QString strNextFile; // a batch's next file, which a full disk leaves unwritten
};

const QList<Writer>& Writers()
{
    static const QList<Writer> writers = {
        {"Save All",
         &CKorvoApp::OnSaveAll,
         {QMessageBox::No, QMessageBox::Yes},
         "DB01.lmx",
         "DB02.lmx"},
        {"a PDF per DB",
         &CKorvoApp::OnExportAllPdf,
         {QMessageBox::Yes, QMessageBox::No, QMessageBox::Yes},
         "DB01.pdf",
         "DB02.pdf"},
        {"one PDF of all", &CKorvoApp::OnExportAllPdf, {QMessageBox::No}, "day.pdf", {}},
        {"Export CSV", &CKorvoApp::OnExportCsv, {}, "day.csv", {}},
    };
    return writers;
}

class FullDisk : public CDayExportTest
{
protected:
    FullDisk()
    {
        HoldTest(1, "");
        HoldTest(2, "");
    }

    void Run(const Writer& writer, const QString& strAnswer)
    {
        m_boxes.Clear();
        m_strAnswer = strAnswer;
        for (const auto answer : writer.answers)
            m_boxes.QueueAnswer(answer);
        (m_app.*writer.command)();
    }
    QString Path(const QString& strName) const { return m_folder.filePath(strName); }
    QByteArray Contents(const QString& strName) const
    {
        QFile file(Path(strName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(FullDisk, EveryWriterKeepsTheEarlierFileAndSaysWhichAndWhy)
{
    for (const Writer& writer : Writers()) {
        SCOPED_TRACE(writer.pszName);
        const bool bBatch = !writer.strNextFile.isEmpty();
        QFile old(Path(writer.strTarget));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the earlier file");
        old.close();
        {
            const FileSizeLimit limit(8);
            Run(writer, bBatch ? m_folder.path() : Path(writer.strTarget));
        }
        ASSERT_FALSE(m_boxes.Texts().isEmpty());
        const QString strSummary = m_boxes.Texts().last();
        EXPECT_TRUE(strSummary.contains(QDir::toNativeSeparators(Path(writer.strTarget))))
            << strSummary.toStdString();
        EXPECT_TRUE(strSummary.contains(LoadResString(IDS_FILE_WHY_TOO_LARGE)));
        EXPECT_EQ(m_boxes.Requests().last().m_icon, QMessageBox::Warning);
        EXPECT_EQ(Contents(writer.strTarget), "the earlier file");
        if (bBatch) {
            EXPECT_TRUE(strSummary.contains(LoadResString(IDS_BATCH_STOPPED_NO_ROOM)));
            EXPECT_FALSE(QFile::exists(Path(writer.strNextFile)));
        }
        EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files), QStringList{writer.strTarget})
            << "no temporary is left behind";
        QFile::remove(Path(writer.strTarget));
    }
}

TEST_F(FullDisk, AFileInAPlaceThatCannotBeWrittenIsReportedWithTheReason)
{
    // A regular file where a folder should be: refused even to root, which
    // may write into any folder whatever its permissions.
    QFile blocker(Path("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    for (const Writer& writer : Writers()) {
        if (!writer.strNextFile.isEmpty())
            continue; // a batch's folder that cannot be made is asked for again
        SCOPED_TRACE(writer.pszName);
        const QString strTarget = Path("not-a-folder/" + writer.strTarget);
        Run(writer, strTarget);
        ASSERT_FALSE(m_boxes.Texts().isEmpty());
        EXPECT_TRUE(m_boxes.Texts().last().contains(QDir::toNativeSeparators(strTarget)));
        EXPECT_TRUE(m_boxes.Texts().last().contains(LoadResString(IDS_FILE_WHY_NOT_FOUND)));
    }
}

TEST_F(FullDisk, AFolderThatMayOnlyBeReadGetsNoFileAndTheReason)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into a folder whatever its permissions";
    ASSERT_TRUE(QDir(m_folder.path()).mkdir("read-only"));
    QFile::setPermissions(Path("read-only"), QFile::ReadOwner | QFile::ExeOwner);
    for (const Writer& writer : Writers()) {
        SCOPED_TRACE(writer.pszName);
        const bool bBatch = !writer.strNextFile.isEmpty();
        Run(writer, bBatch ? Path("read-only") : Path("read-only/" + writer.strTarget));
        ASSERT_FALSE(m_boxes.Texts().isEmpty());
        EXPECT_TRUE(m_boxes.Texts().last().contains(LoadResString(IDS_FILE_WHY_NO_PERMISSION)));
        EXPECT_TRUE(QDir(Path("read-only")).isEmpty());
    }
    QFile::setPermissions(Path("read-only"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
