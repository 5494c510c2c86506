// A damaged document by every way the program opens files: named on the
// command line, chosen from the recent files of the File menu, and dropped
// on the main window. Each says why, naming the file, and opens nothing; the
// window stays usable and a good file opens next.

#include "app/korvoapp.h"
#include "app/mainframe.h"
#include "framework/docmanager.h"
#include "framework/doctemplate.h"
#include "framework/document.h"
#include "framework/filefailuretext.h"
#include "framework/langpack.h"
#include "framework/resourceids.h"
#include "messageboxrecorder.h"
#include "records/atomicfile.h"
#include "records/documentfile.h"
#include "records/fileaccess.h"
#include "simulator/sampleset.h"

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMdiArea>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string GoodDocument()
{
    return StoreDocument(DocumentVersions(), BuiltInSampleSet()[1]);
}

struct DamagedFile
{
    const char* name;
    std::string bytes;
    DocumentStatus status;
};

std::vector<DamagedFile> DamagedFiles()
{
    const std::string strGood = GoodDocument();
    DocumentVersions unknown;
    unknown.m_strVersion1 = "0x09090911";
    return {
        // A picture's first bytes: its first "string" is longer than the file.
        {"garbage", "\x89PNG\r\n\x1a\n" + std::string(100, '\xa5'), DocumentStatus::Truncated},
        {"truncated", strGood.substr(0, strGood.size() / 2), DocumentStatus::Truncated},
        {"empty", "", DocumentStatus::Truncated},
        {"unknown_version", StoreDocument(unknown, BuiltInSampleSet()[1]),
         DocumentStatus::UnknownVersion},
    };
}

class CorruptDocument : public testing::Test
{
protected:
    CorruptDocument() { QSettings(CKorvoApp::kOrganisation, CKorvoApp::kApplication).clear(); }
    ~CorruptDocument() override { m_app.ExitInstance(); }

    QString Write(const QString& strName, const std::string& bytes) const
    {
        const QString strPath = m_folder.filePath(strName);
        EXPECT_EQ(WriteFileAtomically(QFile::encodeName(strPath).toStdString(), bytes),
                  DocumentStatus::Ok);
        return strPath;
    }
    QString WriteGood(const QString& strName) const { return Write(strName, GoodDocument()); }
    QString WriteDamaged(const DamagedFile& file) const
    {
        return Write(QString::fromLatin1(file.name) + QStringLiteral(".lmx"), file.bytes);
    }

    QStringList OpenPaths() const
    {
        QStringList astrPaths;
        for (const CDocument* pDocument : m_app.m_pDocTemplate->Documents())
            astrPaths << pDocument->GetPathName();
        return astrPaths;
    }
    int ReportWindows() const
    {
        return static_cast<int>(m_app.MainFrame()->MdiArea()->subWindowList().size());
    }

    QTemporaryDir m_folder;
    CMessageBoxRecorder m_boxes;
    CKorvoApp m_app;
};

// The start says why and ends, as with a file that is not there.
TEST_F(CorruptDocument, OnTheCommandLineItSaysWhyAndTheStartEnds)
{
    for (const DamagedFile& file : DamagedFiles()) {
        SCOPED_TRACE(file.name);
        m_boxes.Clear();
        const QString strPath = WriteDamaged(file);
        CKorvoApp app;
        EXPECT_FALSE(app.InitInstance({"lmx4410", strPath}));
        EXPECT_EQ(m_boxes.Texts(), QStringList{FileFailureText(file.status, strPath)});
        EXPECT_TRUE(m_boxes.Texts().value(0).contains(QDir::toNativeSeparators(strPath)));
        EXPECT_TRUE(app.m_pDocTemplate->Documents().isEmpty());
        EXPECT_TRUE(app.MainFrame()->MdiArea()->subWindowList().isEmpty());
        EXPECT_FALSE(app.MainFrame()->isVisible());
        app.ExitInstance();
    }
}

// A damaged or vanished entry says why, naming the file, and leaves the
// list; the window stays and the next entry opens.
TEST_F(CorruptDocument, FromTheRecentFilesItSaysWhyAndLeavesTheList)
{
    ASSERT_TRUE(m_app.InitInstance({"lmx4410"}));
    const QString strGood = WriteGood(QStringLiteral("good.lmx"));
    struct Entry
    {
        QString strPath;
        QString strMessage;
    };
    std::vector<Entry> entries;
    for (const DamagedFile& file : DamagedFiles()) {
        const QString strPath = WriteDamaged(file);
        entries.push_back({strPath, FileFailureText(file.status, strPath)});
    }
    const QString strGone = m_folder.filePath(QStringLiteral("gone.lmx"));
    entries.push_back({strGone, LoadResString(IDS_RECENT_FILE_GONE).arg(strGone)});

    CMainFrame& frame = *m_app.MainFrame();
    CDocManager& manager = *m_app.DocManager();
    // What a click on the File menu does first: its items' states follow the list.
    const auto chooseFirstEntry = [&] {
        frame.UpdateCommandUI();
        frame.Action(ID_FILE_MRU_FILE1)->trigger();
    };
    for (const Entry& entry : entries) {
        SCOPED_TRACE(entry.strPath.toStdString());
        m_boxes.Clear();
        manager.CloseAllDocuments();
        manager.AddToRecentFileList(strGood);
        manager.AddToRecentFileList(entry.strPath);
        ASSERT_EQ(manager.RecentFiles().value(0), entry.strPath);

        chooseFirstEntry();
        EXPECT_EQ(m_boxes.Texts(), QStringList{entry.strMessage});
        EXPECT_TRUE(m_boxes.Texts().value(0).contains(QDir::toNativeSeparators(entry.strPath)));
        EXPECT_FALSE(manager.RecentFiles().contains(entry.strPath));
        EXPECT_EQ(ReportWindows(), 0);
        EXPECT_TRUE(frame.isVisible());
        // The menu's first entry is now the good file, and it opens.
        chooseFirstEntry();
        EXPECT_EQ(OpenPaths(), QStringList{strGood});
        EXPECT_EQ(ReportWindows(), 1);
        EXPECT_EQ(m_boxes.Texts().size(), 1);
    }
}

// Dropped among good files, a damaged one says why and the others open.
TEST_F(CorruptDocument, DroppedWithGoodOnesItSaysWhyAndTheOthersOpen)
{
    ASSERT_TRUE(m_app.InitInstance({"lmx4410"}));
    CMainFrame& frame = *m_app.MainFrame();
    const QString strFirst = WriteGood(QStringLiteral("first.lmx"));
    const QString strLast = WriteGood(QStringLiteral("last.lmx"));
    for (const DamagedFile& file : DamagedFiles()) {
        SCOPED_TRACE(file.name);
        m_boxes.Clear();
        m_app.DocManager()->CloseAllDocuments();
        const QString strDamaged = WriteDamaged(file);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(strFirst), QUrl::fromLocalFile(strDamaged),
                      QUrl::fromLocalFile(strLast)});
        const QPointF centre = QRectF(frame.rect()).center();
        QDragEnterEvent enter(centre.toPoint(), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&frame, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&frame, &drop);
        EXPECT_TRUE(drop.isAccepted());

        ASSERT_TRUE(QTest::qWaitFor([&] { return OpenPaths().size() == 2; }));
        EXPECT_EQ(OpenPaths(), QStringList({strFirst, strLast}));
        EXPECT_EQ(ReportWindows(), 2);
        EXPECT_EQ(m_boxes.Texts(), QStringList{FileFailureText(file.status, strDamaged)});
        EXPECT_TRUE(frame.isVisible());
    }
}

} // namespace
