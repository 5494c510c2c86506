// The document layer: the archive, the document type string, the recent-file
// list, and documents with their frames and views in a tabbed area (open,
// save, close with their questions, activation, dropped files), and the
// print loop.

#include "filedialoganswers.h"
#include "filesizelimit.h"
#include "framework/archive.h"
#include "framework/childframe.h"
#include "framework/docmanager.h"
#include "framework/doctemplate.h"
#include "framework/document.h"
#include "framework/langpack.h"
#include "framework/printloop.h"
#include "framework/recentfilelist.h"
#include "framework/resourceids.h"
#include "framework/view.h"
#include "messageboxrecorder.h"
#include "pdfpages.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMdiArea>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

void DeleteClosedObjects()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QByteArray ReadAll(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& strPath, const QByteArray& bytes)
{
    QFile file(strPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// ---- the archive ----

TEST(Archive, StringsComeBackInOrderAndAShortOneFailsTheArchive)
{
    CArchive storing;
    storing << "first" << std::string(300, 'x') << "";
    const std::string bytes = storing.Bytes();

    CArchive loading(bytes);
    std::string a, b, c;
    loading >> a >> b >> c;
    EXPECT_TRUE(loading.IsOk());
    EXPECT_EQ(a, "first");
    EXPECT_EQ(b, std::string(300, 'x'));
    EXPECT_EQ(c, "");
    EXPECT_TRUE(loading.Remaining().empty());

    // Cut inside the 300-byte string: it and everything after stay untouched.
    CArchive cut(bytes.substr(0, 100));
    std::string first, second = "kept", third = "kept too";
    cut >> first >> second >> third;
    EXPECT_EQ(cut.Status(), DocumentStatus::Truncated);
    EXPECT_EQ(first, "first");
    EXPECT_EQ(second, "kept");
    EXPECT_EQ(third, "kept too");
}

// ---- the document type string ----

struct DocStringCase
{
    const char* name;
    QString resource;
    QString docName;
    QString extension;
    QString filter;
};

class DocTypeStringsTest : public testing::TestWithParam<DocStringCase>
{
};

TEST_P(DocTypeStringsTest, GivesNameExtensionAndFilter)
{
    const CDocTypeStrings strings(GetParam().resource);
    EXPECT_EQ(strings.DocName(), GetParam().docName);
    EXPECT_EQ(strings.DefaultExtension(), GetParam().extension);
    EXPECT_EQ(strings.DefaultSuffix(), GetParam().extension.mid(1));
    EXPECT_EQ(strings.FileDialogFilter(), GetParam().filter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocTypeStringsTest,
    testing::Values(
        DocStringCase{"seven_fields", "LMX\nTest\nTest Document\nTest files (*.lmx)\n.lmx\nA.B\nC",
                      "Test", ".lmx", "Test files (*.lmx);;All files (*)"},
        DocStringCase{"none", "", "Report", ".lmx", "Test documents (*.lmx);;All files (*)"},
        DocStringCase{"filter_without_pattern", "\nDoc\n\nReports\n.rep", "Doc", ".rep",
                      "Reports (*.rep);;All files (*)"},
        DocStringCase{"extension_without_dot_and_several", "\nDoc\n\n\nrep;.old", "Doc", ".rep",
                      "Test documents (*.rep);;All files (*)"},
        DocStringCase{"star_extension", "\n\n\n\n*.lmx", "Report", ".lmx",
                      "Test documents (*.lmx);;All files (*)"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the recent-file list ----

class RecentFileListTest : public testing::Test
{
protected:
    void SetUp() override { QSettings().remove(QStringLiteral("Recent File List")); }
    QString Path(const QString& strName) const { return m_dir.filePath(strName); }
    QTemporaryDir m_dir;
};

TEST_F(RecentFileListTest, KeepsFourMostRecentFirstOnceEachAndSurvivesARestart)
{
    CRecentFileList list;
    for (const char* name : {"a.lmx", "b.lmx", "c.lmx", "d.lmx", "e.lmx"})
        list.Add(Path(name));
    EXPECT_EQ(list.Files(),
              QStringList({Path("e.lmx"), Path("d.lmx"), Path("c.lmx"), Path("b.lmx")}));

    // The same file under another name moves up instead of appearing twice.
    WriteAll(Path("c.lmx"), "x");
    ASSERT_TRUE(QFile::link(Path("c.lmx"), Path("link.lmx")));
    list.Add(Path("link.lmx"));
    list.Add(QDir(m_dir.path()).filePath(QStringLiteral("./sub/../d.lmx")));
    EXPECT_EQ(list.Files(),
              QStringList({Path("d.lmx"), Path("link.lmx"), Path("e.lmx"), Path("b.lmx")}));

    list.Remove(1);
    list.Remove(7);
    CRecentFileList restarted;
    restarted.ReadList();
    EXPECT_EQ(restarted.Files(), QStringList({Path("d.lmx"), Path("e.lmx"), Path("b.lmx")}));
}

// ---- documents in their windows ----

// A document holding one text, and a view that notes its activations.
class CNoteDoc : public CDocument
{
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_strText;
        else
            ar >> m_strText;
    }
    std::string m_strText;
};

class CNoteView : public CView
{
public:
    CNoteView(CDocument& document, QStringList& log) : CView(document), m_rLog(log) {}
    void OnActivateView(bool bActivate) override
    {
        m_rLog << (bActivate ? "+" : "-") + GetDocument()->GetTitle();
    }

private:
    QStringList& m_rLog;
};

class DocManagerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QSettings().remove(QStringLiteral("Recent File List"));
        m_pArea = new QMdiArea;
        m_pArea->setViewMode(QMdiArea::TabbedView);
        m_window.setCentralWidget(m_pArea);
        m_window.resize(640, 480);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
        m_pManager = std::make_unique<CDocManager>();
        m_pManager->SetMdiArea(m_pArea);
        m_pManager->AddDocTemplate(std::make_unique<CMultiDocTemplate>(
            IDR_KORVOTYPE, [] { return new CNoteDoc; },
            [this](CDocument& document) { return new CNoteView(document, m_log); }));
    }
    void TearDown() override
    {
        m_pManager->CloseAllDocuments();
        DeleteClosedObjects();
    }

    QString Path(const QString& strName) const { return m_dir.filePath(strName); }
    QString SaveNote(const QString& strName, const std::string& text)
    {
        CNoteDoc note;
        note.m_strText = text;
        EXPECT_TRUE(note.OnSaveDocument(Path(strName)));
        return Path(strName);
    }
    CNoteDoc* Open(const QString& strPath)
    {
        return static_cast<CNoteDoc*>(m_pManager->OpenDocumentFile(strPath));
    }
    CNoteDoc* NewModified()
    {
        auto* pDocument = static_cast<CNoteDoc*>(m_pManager->OpenDocumentFile(QString()));
        pDocument->m_strText = "changed";
        pDocument->SetModifiedFlag();
        return pDocument;
    }
    CChildFrame* FrameOf(const CDocument* pDocument) const
    {
        return pDocument->Views().constFirst()->GetParentFrame();
    }

    QTemporaryDir m_dir;
    QStringList m_log;
    QMainWindow m_window;
    QMdiArea* m_pArea = nullptr;
    std::unique_ptr<CDocManager> m_pManager;
    CMessageBoxRecorder m_boxes;
    CFileDialogAnswers m_files;
};

TEST_F(DocManagerTest, OpenedFileIsTitledRememberedAndNotOpenedTwice)
{
    const QString strPath = SaveNote("first.lmx", "hello");
    CNoteDoc* pDocument = Open(strPath);
    ASSERT_NE(pDocument, nullptr);
    EXPECT_EQ(pDocument->m_strText, "hello");
    EXPECT_EQ(pDocument->GetTitle(), "first.lmx");
    EXPECT_EQ(FrameOf(pDocument)->windowTitle(), "first.lmx[*]");
    EXPECT_EQ(m_pManager->RecentFiles(), QStringList{strPath});

    CNoteDoc* pOther = static_cast<CNoteDoc*>(m_pManager->OpenDocumentFile(QString()));
    EXPECT_EQ(pOther->GetTitle(), "Test1");
    EXPECT_EQ(m_pArea->activeSubWindow(), FrameOf(pOther));

    // Opening it again, by another spelling of its path, brings its window back.
    EXPECT_EQ(Open(m_dir.path() + "/./first.lmx"), pDocument);
    EXPECT_EQ(m_pManager->Documents().size(), 2);
    EXPECT_EQ(m_pArea->activeSubWindow(), FrameOf(pDocument));
    EXPECT_TRUE(m_boxes.Requests().isEmpty());
}

TEST_F(DocManagerTest, DamagedOrMissingFileIsReportedAndLeavesNoWindow)
{
    CArchive storing;
    storing << "unused";
    WriteAll(Path("cut.lmx"), QByteArray::fromStdString(storing.Bytes()).left(3));

    for (const QString& strPath : {Path("cut.lmx"), Path("missing.lmx")}) {
        m_boxes.Clear();
        EXPECT_EQ(Open(strPath), nullptr) << strPath.toStdString();
        ASSERT_EQ(m_boxes.Texts().size(), 1);
        EXPECT_TRUE(m_boxes.Texts().constFirst().startsWith(strPath))
            << m_boxes.Texts().constFirst().toStdString();
    }
    EXPECT_TRUE(m_boxes.Texts().constFirst().contains(LoadResString(IDS_FILE_WHY_NOT_FOUND)));
    EXPECT_TRUE(m_pManager->Documents().isEmpty());
    EXPECT_TRUE(m_pArea->subWindowList().isEmpty());
    EXPECT_TRUE(m_pManager->RecentFiles().isEmpty());
}

TEST_F(DocManagerTest, RecentFileCommandsOpenAndDropFilesThatHaveGone)
{
    for (const char* name : {"1.lmx", "2.lmx", "3.lmx", "4.lmx", "5.lmx"}) {
        CDocument* pDocument = Open(SaveNote(name, name));
        ASSERT_NE(pDocument, nullptr);
        pDocument->OnCloseDocument();
    }
    EXPECT_EQ(m_pManager->RecentFiles(),
              QStringList({Path("5.lmx"), Path("4.lmx"), Path("3.lmx"), Path("2.lmx")}));
    ASSERT_TRUE(m_pManager->OnUpdateCmdUI(ID_FILE_MRU_FILE1 + 3).has_value());
    EXPECT_TRUE(m_pManager->OnUpdateCmdUI(ID_FILE_MRU_FILE1 + 3)->m_bEnabled);

    ASSERT_TRUE(QFile::remove(Path("4.lmx")));
    EXPECT_TRUE(m_pManager->OnCmdMsg(ID_FILE_MRU_FILE1 + 1));
    ASSERT_EQ(m_boxes.Texts().size(), 1);
    EXPECT_TRUE(m_boxes.Texts().constFirst().contains(Path("4.lmx")));
    EXPECT_EQ(m_pManager->RecentFiles(),
              QStringList({Path("5.lmx"), Path("3.lmx"), Path("2.lmx")}));
    EXPECT_FALSE(m_pManager->OnUpdateCmdUI(ID_FILE_MRU_FILE1 + 3)->m_bEnabled);

    EXPECT_TRUE(m_pManager->OnCmdMsg(ID_FILE_MRU_FILE1 + 2));
    ASSERT_EQ(m_pManager->Documents().size(), 1);
    EXPECT_EQ(static_cast<CNoteDoc*>(m_pManager->Documents().constFirst())->m_strText, "2.lmx");
    EXPECT_EQ(m_pManager->RecentFiles().constFirst(), Path("2.lmx"));
}

// What the user answers to "Save changes to ...?" and what must follow.
struct CloseCase
{
    const char* name;
    QMessageBox::StandardButton answer;
    bool saveAsChosen;
    bool closed;
    bool saved;
};

class CloseQuestionTest : public DocManagerTest, public testing::WithParamInterface<CloseCase>
{
};

TEST_P(CloseQuestionTest, ClosingAModifiedDocumentAsksFirst)
{
    // Through the command and through the window's close button alike.
    for (const bool bByWindow : {false, true}) {
        SCOPED_TRACE(bByWindow ? "window" : "command");
        m_boxes.Clear();
        CNoteDoc* pDocument = NewModified();
        const QString strTitle = pDocument->GetTitle();
        const QString strTarget = Path(strTitle + ".lmx");
        m_boxes.QueueAnswer(GetParam().answer);
        if (GetParam().saveAsChosen)
            m_files.QueueAnswer(strTarget);
        if (bByWindow)
            FrameOf(pDocument)->close();
        else
            m_pManager->ActiveView()->GetDocument()->OnCmdMsg(ID_FILE_CLOSE);
        DeleteClosedObjects();

        EXPECT_EQ(m_boxes.Texts(), QStringList{"Save changes to " + strTitle + "?"});
        EXPECT_EQ(m_pManager->Documents().isEmpty(), GetParam().closed);
        EXPECT_EQ(m_pArea->subWindowList().isEmpty(), GetParam().closed);
        EXPECT_EQ(QFile::exists(strTarget), GetParam().saved);
        if (GetParam().saved) {
            EXPECT_EQ(ReadAll(strTarget), QByteArray(1, 7) + "changed");
        }
        m_pManager->CloseAllDocuments();
        DeleteClosedObjects();
        QFile::remove(strTarget);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CloseQuestionTest,
    testing::Values(CloseCase{"yes_saves_as_then_closes", QMessageBox::Yes, true, true, true},
                    CloseCase{"yes_but_save_as_cancelled_stays", QMessageBox::Yes, false, false,
                              false},
                    CloseCase{"no_closes_without_saving", QMessageBox::No, false, true, false},
                    CloseCase{"cancel_stays", QMessageBox::Cancel, false, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocManagerTest, SaveWritesItsOwnFileAndSaveAsTakesTheNewName)
{
    const QString strPath = SaveNote("own.lmx", "old");
    CNoteDoc* pDocument = Open(strPath);
    pDocument->m_strText = "new";
    pDocument->SetModifiedFlag();
    EXPECT_TRUE(pDocument->OnCmdMsg(ID_FILE_SAVE));
    EXPECT_TRUE(m_files.Requests().isEmpty()) << "Save does not ask for a name";
    EXPECT_FALSE(pDocument->IsModified());
    EXPECT_EQ(ReadAll(strPath), QByteArray("\x03new"));

    m_files.QueueAnswer(Path("copy.lmx"));
    EXPECT_TRUE(pDocument->OnCmdMsg(ID_FILE_SAVE_AS));
    ASSERT_EQ(m_files.Requests().size(), 1);
    EXPECT_TRUE(m_files.Requests()[0].m_bSave);
    EXPECT_EQ(m_files.Requests()[0].m_strInitialPath, strPath);
    EXPECT_EQ(m_files.Requests()[0].m_strDefaultSuffix, "lmx");
    EXPECT_EQ(pDocument->GetPathName(), Path("copy.lmx"));
    EXPECT_EQ(pDocument->GetTitle(), "copy.lmx");
    EXPECT_EQ(m_pManager->RecentFiles(), QStringList({Path("copy.lmx"), strPath}));

    // An untitled document proposes its title, made fit for a file name.
    CDocument* pUntitled = m_pManager->OpenDocumentFile(QString());
    pUntitled->SetTitle("DB #3 - [a/b: c]");
    pUntitled->OnCmdMsg(ID_FILE_SAVE);
    ASSERT_EQ(m_files.Requests().size(), 2);
    EXPECT_EQ(m_files.Requests()[1].m_strInitialPath, "DB #3 - [a_b_ c].lmx");
}

TEST_F(DocManagerTest, FailedSaveSaysWhyKeepsTheOldFileAndTheChanges)
{
    const QString strPath = SaveNote("full.lmx", "old");
    CNoteDoc* pDocument = Open(strPath);
    pDocument->m_strText = std::string(20000, 'n');
    pDocument->SetModifiedFlag();
    {
        const FileSizeLimit limit(1024);
        EXPECT_FALSE(pDocument->DoFileSave());
    }
    ASSERT_EQ(m_boxes.Texts().size(), 1);
    const QString strMessage = m_boxes.Texts().constFirst();
    EXPECT_TRUE(strMessage.startsWith(strPath)) << strMessage.toStdString();
    EXPECT_TRUE(strMessage.contains(LoadResString(IDS_FILE_WHY_TOO_LARGE)))
        << strMessage.toStdString();
    EXPECT_EQ(ReadAll(strPath), QByteArray("\x03old"));
    EXPECT_TRUE(pDocument->IsModified());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"full.lmx"});

    // Closing then asks again, and a failed save keeps the window open.
    m_boxes.Clear();
    m_boxes.QueueAnswer(QMessageBox::Yes);
    {
        const FileSizeLimit limit(1024);
        pDocument->OnCmdMsg(ID_FILE_CLOSE);
    }
    EXPECT_EQ(m_boxes.Texts().size(), 2);
    EXPECT_EQ(m_pManager->Documents().size(), 1);
}

TEST_F(DocManagerTest, SaveAllModifiedStopsAtTheFirstCancel)
{
    NewModified();
    NewModified();
    m_boxes.QueueAnswer(QMessageBox::No);
    m_boxes.QueueAnswer(QMessageBox::Cancel);
    EXPECT_FALSE(m_pManager->SaveAllModified());
    EXPECT_EQ(m_boxes.Texts().size(), 2);

    m_boxes.Clear();
    m_boxes.QueueAnswer(QMessageBox::No);
    m_boxes.QueueAnswer(QMessageBox::No);
    EXPECT_TRUE(m_pManager->SaveAllModified());
    EXPECT_EQ(m_pManager->Documents().size(), 2) << "asking closes nothing";
}

TEST_F(DocManagerTest, DroppedLocalFilesOpen)
{
    const QString strA = SaveNote("a.lmx", "a");
    const QString strB = SaveNote("b.lmx", "b");
    const QList<QUrl> aUrls = {QUrl::fromLocalFile(strA), QUrl("https://example.org/c.lmx"),
                               QUrl::fromLocalFile(strB), QUrl::fromLocalFile(Path("gone.lmx"))};
    QMimeData data;
    data.setUrls(aUrls);
    EXPECT_TRUE(CDocManager::CanOpenDropped(&data));
    data.setUrls({QUrl("https://example.org/c.lmx")});
    EXPECT_FALSE(CDocManager::CanOpenDropped(&data));

    EXPECT_EQ(m_pManager->OpenDroppedFiles(aUrls), 2);
    EXPECT_EQ(m_pManager->Documents().size(), 2);
    EXPECT_EQ(m_boxes.Texts().size(), 1) << "the missing file is reported";
}

TEST_F(DocManagerTest, ViewsHearOfActivationOnceEachWayAndWhenTheyClose)
{
    CDocument* pFirst = m_pManager->OpenDocumentFile(QString());
    CDocument* pSecond = m_pManager->OpenDocumentFile(QString());
    EXPECT_EQ(m_log, QStringList({"+Test1", "-Test1", "+Test2"}));
    EXPECT_EQ(m_pManager->ActiveView(), pSecond->Views().constFirst());

    m_log.clear();
    m_pArea->setActiveSubWindow(FrameOf(pFirst));
    m_pArea->setActiveSubWindow(FrameOf(pFirst));
    EXPECT_EQ(m_log, QStringList({"-Test2", "+Test1"}));

    m_log.clear();
    pFirst->OnCmdMsg(ID_FILE_CLOSE);
    DeleteClosedObjects();
    EXPECT_EQ(m_log.value(0), "-Test1");
    EXPECT_EQ(m_log.count("+Test2"), 1);

    m_log.clear();
    FrameOf(pSecond)->close();
    DeleteClosedObjects();
    EXPECT_EQ(m_log, QStringList{"-Test2"});
    EXPECT_EQ(m_pManager->ActiveView(), nullptr);
    EXPECT_TRUE(m_pManager->Documents().isEmpty());
}

// ---- the print loop ----

struct LoopCase
{
    const char* name;
    int from, to;
    QList<int> printed;
};

class PrintLoopTest : public testing::TestWithParam<LoopCase>
{
};

TEST_P(PrintLoopTest, PrintsTheChosenPagesThatAreOfferedOnePerSheet)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QList<int> printed;
    bool bPrinted;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(254); // one device unit per 0.1 mm
        CPrintInfo info;
        info.m_nMinPage = 1;
        info.m_nMaxPage = 2;
        info.m_nFromPage = GetParam().from;
        info.m_nToPage = GetParam().to;
        bPrinted = RunPrintLoop(writer, info, [&](QPainter& painter, CPrintInfo& page) {
            printed << page.m_nCurPage;
            // Report units map to the device at 0.1 mm each.
            EXPECT_EQ(painter.transform().map(QPointF(100, 200)), QPointF(100, 200));
        });
    }
    EXPECT_EQ(printed, GetParam().printed);
    EXPECT_EQ(bPrinted, !GetParam().printed.isEmpty());
    if (bPrinted) {
        EXPECT_EQ(PdfPageCount(buffer.data()), GetParam().printed.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Ranges, PrintLoopTest,
                         testing::Values(LoopCase{"all", 1, 2, {1, 2}},
                                         LoopCase{"second_only", 2, 2, {2}},
                                         LoopCase{"beyond_the_offer", 0, 9, {1, 2}},
                                         LoopCase{"nothing_offered", 3, 4, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
