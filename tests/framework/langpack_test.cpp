// The resource pack the program is built with, and the loader that reads it.
// The built pack is AfxGetResourceHandle() (loaded by the test main).

#include "framework/langpack.h"
#include "framework/langpackcontents.h"
#include "framework/resourceids.h"
#include "link/downloadhost.h"
#include "report/reporthost.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMovie>
#include <QPixmap>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const CLangPack& BuiltPack()
{
    return AfxGetResourceHandle();
}

bool HasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).alpha() > 0)
                return true;
        }
    }
    return false;
}

int InkInRow(const QImage& image, int y)
{
    int nInk = 0;
    for (int x = 0; x < image.width(); ++x)
        nInk += image.pixelColor(x, y).alpha() > 0 ? 1 : 0;
    return nInk;
}

// Every command a menu or a tool bar of the pack may carry.
const QSet<int> kKnownCommands = {
    ID_FILE_NEW,         ID_FILE_OPEN,           ID_FILE_CLOSE,
    ID_FILE_SAVE,        ID_FILE_SAVE_AS,        ID_FILE_PRINT_SETUP,
    ID_FILE_PRINT,       ID_FILE_PRINT_DIRECT,   ID_FILE_PRINT_PREVIEW,
    ID_FILE_MRU_FILE1,   ID_WINDOW_CASCADE,      ID_WINDOW_TILE_HORZ,
    ID_WINDOW_NEXT,      ID_APP_ABOUT,           ID_APP_EXIT,
    ID_VIEW_TOOLBAR,     ID_VIEW_STATUS_BAR,     ID_DOWNLOAD,
    ID_TOOLBAR_DROPDOWN, ID_VIEW_WORKSPACE_BAR,  ID_VIEW_INFO_BAR,
    ID_COMM_SETTINGS,    ID_FILE_EXPORT_PDF,     ID_VIEW_ZOOM_IN,
    ID_VIEW_ZOOM_OUT,    ID_VIEW_ZOOM_FIT_WIDTH, ID_VIEW_ZOOM_FIT_PAGE,
    ID_VIEW_ZOOM_ACTUAL, ID_EXPORT_CSV,          ID_SAVE_ALL,
    ID_EXPORT_ALL_PDF,   ID_EXPORT_OPEN_CSV,
};

void CollectCommands(const QList<MenuItemDef>& items, QList<MenuItemDef>& commands)
{
    for (const MenuItemDef& item : items) {
        if (!item.m_subItems.isEmpty())
            CollectCommands(item.m_subItems, commands);
        else if (!item.m_bSeparator)
            commands.append(item);
    }
}

QList<MenuItemDef> CommandsOfMenu(int nMenuId)
{
    QList<MenuItemDef> commands;
    const std::optional<MenuDef> menu = BuiltPack().Menu(nMenuId);
    if (menu)
        CollectCommands(menu->m_items, commands);
    return commands;
}

} // namespace

TEST(LangPackStrings, EveryStringTheProgramUsesHasAText)
{
    const int anIds[] = {
        IDR_KORVOTYPE,
        AFX_IDS_IDLEMESSAGE,
        IDS_INFO_COLUMN_ITEM,
        IDS_INFO_COLUMN_VALUE,
        IDS_ABOUT_OK,
        IDS_NOT_A_DOCUMENT,
        IDS_PORT_OPEN_FAILED,
        IDS_PROMPT_WAIT_CAPTION,
        IDS_PROMPT_WAIT_MESSAGE,
        IDS_PROMPT_TIMEOUT_TEXT,
        IDS_PROMPT_TIMEOUT_CAPTION,
        IDS_TRANSFER_CAPTION,
        IDS_TRANSFER_MESSAGE,
        IDS_DB_HEADER_CAPTION,
        IDS_DEVICE_LOST,
        IDS_NOTHING_TO_EXPORT,
        IDS_EXPORT_CSV_TITLE,
        IDS_EXPORT_CSV_FILTER,
        IDS_SAVE_ALL_TITLE,
        IDS_SAVE_ALL_SUBFOLDER,
        IDS_SAVE_ALL_OVERWRITE,
        IDS_SAVE_ALL_DONE,
        IDS_SAVE_ALL_KEPT,
        IDS_SAVE_ALL_NO_FOLDER,
        IDS_EXPORT_ALL_PDF_TITLE,
        IDS_EXPORT_ALL_PDF_HOW,
        IDS_EXPORT_ALL_PDF_FILTER,
        IDS_EXPORT_ALL_PDF_PROGRESS,
        IDS_EXPORT_ALL_PDF_DONE,
        IDS_EXPORT_ALL_PDF_FAILED,
        IDS_SETTINGS_TIMEOUT_GROUP,
        IDS_SETTINGS_PORT_GROUP,
        IDS_GRAPH_MENU_COPY,
        IDS_GRAPH_MENU_SAVE,
        IDS_GRAPH_MENU_RESET,
        IDS_GRAPH_BUTTON_TIP,
        IDS_GRAPH_AVAILABLE,
        IDS_GRAPH_NOT_AVAILABLE,
        IDS_REFRESH_BUTTON_TIP,
        IDS_DB_HOLDS_NO_DATA,
        kMsgNoDefaultPrinter,
    };
    for (const int nId : anIds) {
        SCOPED_TRACE(nId);
        EXPECT_TRUE(BuiltPack().HasString(nId));
        EXPECT_FALSE(LoadResString(nId).trimmed().isEmpty());
    }
}

TEST(LangPackStrings, DocumentTypeHasSevenFieldsNamingTheLmxFiles)
{
    const QStringList astrFields = LoadResString(IDR_KORVOTYPE).split(QLatin1Char('\n'));
    ASSERT_EQ(astrFields.size(), 7);
    EXPECT_FALSE(astrFields[1].isEmpty()); // the document name new documents are numbered after
    EXPECT_TRUE(astrFields[3].endsWith(QLatin1String("(*.lmx)")));
    EXPECT_EQ(astrFields[4], QLatin1String(".lmx"));
}

TEST(LangPackStrings, DialogTextsThePanelsAsk)
{
    const struct
    {
        int nDialog;
        int nControl;
        const char* pszPlaceholder; // a value the program fills in, or null
    } texts[] = {
        {IDD_ABOUTBOX, 0, nullptr},         {IDD_ABOUTBOX, 1000, nullptr},
        {IDD_ABOUTBOX, 1001, "%1"},         {IDD_ABOUTBOX, 1002, nullptr},
        {IDD_ABOUTBOX, 1003, nullptr},      {IDD_COMM_SETTINGS, 0, nullptr},
        {IDD_COMM_SETTINGS, 1048, nullptr}, {IDD_COMM_SETTINGS, 1049, nullptr},
        {IDD_COMM_SETTINGS, 1050, nullptr}, {IDD_COMM_SETTINGS, 1051, nullptr},
        {IDD_COMM_SETTINGS, 2, nullptr},
    };
    for (const auto& text : texts) {
        SCOPED_TRACE(testing::Message() << text.nDialog << "/" << text.nControl);
        const QString strText = BuiltPack().DialogText(text.nDialog, text.nControl);
        EXPECT_FALSE(strText.isEmpty());
        if (text.pszPlaceholder) {
            EXPECT_TRUE(strText.contains(QLatin1String(text.pszPlaceholder)));
        }
    }
}

TEST(LangPackMenus, EveryCommandIsKnownWithAPictureAndAPrompt)
{
    // The menu bar is made of popups.
    const std::optional<MenuDef> menuBar = BuiltPack().Menu(IDR_MAINFRAME);
    ASSERT_TRUE(menuBar);
    for (const MenuItemDef& popup : menuBar->m_items)
        EXPECT_FALSE(popup.m_subItems.isEmpty()) << popup.m_strText.toStdString();

    QList<int> anCommands;
    for (const int nMenuId : {IDR_MAINFRAME, IDR_DROPDOWN}) {
        const QList<MenuItemDef> commands = CommandsOfMenu(nMenuId);
        EXPECT_FALSE(commands.isEmpty()) << "menu " << nMenuId;
        for (const MenuItemDef& item : commands) {
            anCommands.append(item.m_nId);
            EXPECT_FALSE(item.m_strText.isEmpty()) << item.m_nId;
        }
    }
    for (const int nToolBarId : {IDR_MAINFRAME, IDR_DROPDOWN}) {
        const std::optional<ToolBarDef> toolBar = BuiltPack().ToolBar(nToolBarId);
        ASSERT_TRUE(toolBar) << "tool bar " << nToolBarId;
        EXPECT_FALSE(toolBar->m_anCommands.isEmpty());
        for (const int nId : toolBar->m_anCommands) {
            if (nId != 0)
                anCommands.append(nId);
        }
    }
    for (const int nId : anCommands) {
        SCOPED_TRACE(nId);
        EXPECT_TRUE(kKnownCommands.contains(nId));
        const QIcon icon = BuiltPack().CommandImage(nId);
        ASSERT_FALSE(icon.isNull());
        EXPECT_TRUE(HasInk(icon.pixmap(QSize(16, 16)).toImage()));
        // The status-bar prompt, a line feed, the tool tip.
        const QStringList astrPrompt = LoadResString(nId).split(QLatin1Char('\n'));
        ASSERT_EQ(astrPrompt.size(), 2);
        EXPECT_FALSE(astrPrompt[0].isEmpty());
        EXPECT_FALSE(astrPrompt[1].isEmpty());
    }
}

TEST(LangPackMenus, ShortcutsComeFromTheTextAfterTheTab)
{
    const struct
    {
        int nId;
        QKeySequence shortcut;
    } expected[] = {
        {ID_FILE_NEW, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {ID_FILE_OPEN, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {ID_FILE_SAVE_AS, QKeySequence()},
        {ID_VIEW_ZOOM_IN, QKeySequence(Qt::CTRL | Qt::Key_Plus)},
        {ID_VIEW_ZOOM_OUT, QKeySequence(Qt::CTRL | Qt::Key_Minus)},
        {ID_VIEW_ZOOM_ACTUAL, QKeySequence(Qt::CTRL | Qt::Key_0)},
        {ID_DOWNLOAD, QKeySequence(Qt::Key_F5)},
        {ID_WINDOW_NEXT, QKeySequence(Qt::CTRL | Qt::Key_Tab)},
        {ID_APP_EXIT, QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    const QList<MenuItemDef> commands = CommandsOfMenu(IDR_MAINFRAME);
    for (const auto& entry : expected) {
        SCOPED_TRACE(entry.nId);
        const auto item = std::find_if(commands.begin(), commands.end(),
                                       [&](const MenuItemDef& c) { return c.m_nId == entry.nId; });
        ASSERT_NE(item, commands.end());
        EXPECT_EQ(item->m_shortcut, entry.shortcut);
        EXPECT_FALSE(item->m_strText.contains(QLatin1Char('\t')));
    }
}

TEST(LangPackMenus, CommandItemSplitsTextAndShortcut)
{
    const struct
    {
        const char* pszText;
        const char* pszLabel;
        QKeySequence shortcut;
    } cases[] = {
        {"&Open...\tCtrl+O", "&Open...", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"Save &As...", "Save &As...", QKeySequence()},
        {"Zoom &In\tCtrl++", "Zoom &In", QKeySequence(Qt::CTRL | Qt::Key_Plus)},
        {"&Next\tCtrl+Tab", "&Next", QKeySequence(Qt::CTRL | Qt::Key_Tab)},
        {"&Download\t F5 ", "&Download", QKeySequence(Qt::Key_F5)},
        {"Dangling\t", "Dangling", QKeySequence()},
        {"Typo\tCtrl+Oops", "Typo", QKeySequence()},
        {"\tCtrl+W", "", QKeySequence(Qt::CTRL | Qt::Key_W)},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.pszText);
        const MenuItemDef item = CLangPack::CommandItem(42, QString::fromUtf8(entry.pszText));
        EXPECT_EQ(item.m_nId, 42);
        EXPECT_EQ(item.m_strText, QString::fromUtf8(entry.pszLabel));
        EXPECT_EQ(item.m_shortcut, entry.shortcut);
    }
}

TEST(LangPackPictures, StripImagesWithRolesRenderAtEveryScale)
{
    // 0 the tester, 1 refresh, 6 a DB with data, 10 the report, 11 and 12 the
    // folder closed and open, 27 a DB without data, 28 the carrier graph.
    const int anRoles[] = {0, 1, 6, 10, 11, 12, 27, 28};
    EXPECT_GT(BuiltPack().StripImageCount(IDB_IMAGE_STRIP), 28);
    for (const int nIndex : anRoles) {
        SCOPED_TRACE(nIndex);
        const QIcon icon = BuiltPack().StripImage(IDB_IMAGE_STRIP, nIndex);
        ASSERT_FALSE(icon.isNull());
        for (const qreal nScale : {1.0, 2.0}) {
            const QImage image = icon.pixmap(QSize(16, 16), nScale).toImage();
            EXPECT_EQ(image.size(), QSize(16, 16) * nScale);
            EXPECT_TRUE(HasInk(image));
        }
    }
    // Each role has a picture of its own.
    QList<QImage> images;
    for (const int nIndex : anRoles) {
        const QImage image = BuiltPack().StripImage(IDB_IMAGE_STRIP, nIndex).pixmap(16).toImage();
        EXPECT_FALSE(images.contains(image)) << nIndex;
        images.append(image);
    }
    for (const int nIndex : {2, 29, -1})
        EXPECT_TRUE(BuiltPack().StripImage(IDB_IMAGE_STRIP, nIndex).isNull()) << nIndex;
}

TEST(LangPackPictures, SortArrowsAreBlackOnTransparentAndPointTheirWay)
{
    const struct
    {
        int nId;
        bool bPointsUp;
    } arrows[] = {{IDB_SORT_ASCENDING, true}, {IDB_SORT_DESCENDING, false}};
    for (const auto& arrow : arrows) {
        for (const qreal nScale : {1.0, 2.0}) {
            SCOPED_TRACE(testing::Message() << arrow.nId << " at " << nScale);
            const QImage image = BuiltPack().Bitmap(arrow.nId, nScale);
            ASSERT_EQ(image.size(), QSize(9, 5) * nScale);
            EXPECT_EQ(image.devicePixelRatio(), nScale);
            EXPECT_EQ(image.pixelColor(0, 0).alpha() == 0, arrow.bPointsUp);
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor colour = image.pixelColor(x, y);
                    if (colour.alpha() > 0) {
                        ASSERT_EQ(colour.rgb() & 0xffffff, 0u) << x << "," << y;
                    }
                }
            }
            const int nTop = InkInRow(image, 0);
            const int nBottom = InkInRow(image, image.height() - 1);
            EXPECT_EQ(nBottom > nTop, arrow.bPointsUp);
        }
    }
}

TEST(LangPackPictures, ProgramAndDocumentIcons)
{
    for (const int nId : {IDR_MAINFRAME, IDR_KORVOTYPE}) {
        SCOPED_TRACE(nId);
        const QIcon icon = BuiltPack().Icon(nId);
        ASSERT_FALSE(icon.isNull());
        for (const int nSize : {16, 32, 64})
            EXPECT_TRUE(HasInk(icon.pixmap(nSize).toImage()));
    }
}

TEST(LangPackPictures, DownloadClipPlaysFramesOnATransparentGround)
{
    const QString strPath = BuiltPack().AnimationPath(IDR_ANIMATION);
    ASSERT_FALSE(strPath.isEmpty());
    QMovie movie(strPath);
    ASSERT_TRUE(movie.isValid());
    EXPECT_GT(movie.frameCount(), 1);
    ASSERT_TRUE(movie.jumpToFrame(0));
    const QImage first = movie.currentImage();
    EXPECT_EQ(first.pixelColor(0, 0).alpha(), 0);
    EXPECT_TRUE(HasInk(first));
    ASSERT_TRUE(movie.jumpToNextFrame());
    EXPECT_NE(movie.currentImage(), first);
}

TEST(LangPackLoad, FilesThatAreNoPackDoNotLoad)
{
    QTemporaryDir dir;
    const struct
    {
        const char* pszName;
        QByteArray content; // null: the file is not there
    } files[] = {
        {"missing.rcc", QByteArray()},
        {"empty.rcc", QByteArray("")},
        {"text.rcc", QByteArray("LangPack.rcc\nnot a resource file at all\n")},
        {"resource-magic.rcc", QByteArray("qres").append(16, '\0')},
        {"strings.json", QByteArray(R"({"57345": "Ready"})")},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.pszName);
        const QString strPath = dir.filePath(QLatin1String(file.pszName));
        if (!file.content.isNull()) {
            QFile out(strPath);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(file.content);
        }
        CLangPack pack;
        EXPECT_FALSE(pack.Load(strPath));
        EXPECT_FALSE(pack.IsLoaded());
        EXPECT_TRUE(pack.ErrorString().contains(strPath));
        EXPECT_TRUE(pack.LoadString(AFX_IDS_IDLEMESSAGE).isEmpty());
    }
    // A folder is no pack either.
    CLangPack pack;
    EXPECT_FALSE(pack.Load(dir.path()));
}

TEST(LangPackLoad, UnknownIdsGiveNothing)
{
    const CLangPack empty;
    for (const CLangPack* pPack : {&BuiltPack(), &empty}) {
        SCOPED_TRACE(pPack == &empty ? "empty pack" : "built pack");
        EXPECT_TRUE(pPack->LoadString(4711).isNull());
        EXPECT_FALSE(pPack->HasString(4711));
        EXPECT_FALSE(pPack->Menu(4711));
        EXPECT_FALSE(pPack->ToolBar(4711));
        EXPECT_TRUE(pPack->StripImage(4711, 0).isNull());
        EXPECT_EQ(pPack->StripImageCount(4711), 0);
        EXPECT_TRUE(pPack->CommandImage(4711).isNull());
        EXPECT_TRUE(pPack->Bitmap(4711).isNull());
        EXPECT_TRUE(pPack->Icon(4711).isNull());
        EXPECT_TRUE(pPack->AnimationPath(4711).isEmpty());
        EXPECT_TRUE(pPack->DialogText(4711, 0).isEmpty());
        EXPECT_TRUE(pPack->DialogText(IDD_ABOUTBOX, 4711).isEmpty());
    }
    EXPECT_TRUE(empty.StringIds().isEmpty());
    EXPECT_TRUE(BuiltPack().Bitmap(IDB_SORT_ASCENDING, 0).isNull());
}

TEST(LangPackLoad, TwoPacksAnswerIndependently)
{
    CLangPack english;
    CLangPack other;
    ASSERT_TRUE(english.Load(BuiltPack().FilePath())) << english.ErrorString().toStdString();
    ASSERT_TRUE(other.Load(QStringLiteral(LMX_OTHER_PACK_FILE)))
        << other.ErrorString().toStdString();

    EXPECT_EQ(english.LoadString(AFX_IDS_IDLEMESSAGE), BuiltPack().LoadString(AFX_IDS_IDLEMESSAGE));
    EXPECT_EQ(other.LoadString(AFX_IDS_IDLEMESSAGE), QLatin1String("Ready (other pack)"));
    EXPECT_FALSE(other.HasString(IDS_DB_HOLDS_NO_DATA)); // strings are the language's own
    EXPECT_EQ(english.Bitmap(IDB_SORT_ASCENDING).size(), QSize(9, 5));
    EXPECT_EQ(other.Bitmap(IDB_SORT_ASCENDING).size(), QSize(11, 6));
    // Files the other folder lacks come from the English one.
    EXPECT_EQ(other.Bitmap(IDB_SORT_DESCENDING).size(), QSize(9, 5));
    EXPECT_TRUE(other.Menu(IDR_MAINFRAME));

    english.Unload();
    EXPECT_FALSE(english.IsLoaded());
    EXPECT_TRUE(english.LoadString(AFX_IDS_IDLEMESSAGE).isEmpty());
    EXPECT_EQ(other.Bitmap(IDB_SORT_ASCENDING).size(), QSize(11, 6));
    EXPECT_TRUE(HasInk(other.StripImage(IDB_IMAGE_STRIP, 6).pixmap(16).toImage()));
    EXPECT_TRUE(HasInk(BuiltPack().StripImage(IDB_IMAGE_STRIP, 6).pixmap(16).toImage()));

    // Loading again replaces what was loaded.
    ASSERT_TRUE(other.Load(BuiltPack().FilePath()));
    EXPECT_EQ(other.Bitmap(IDB_SORT_ASCENDING).size(), QSize(9, 5));
    EXPECT_EQ(other.StringIds(), BuiltPack().StringIds());
}

TEST(LangPackLoad, LocateFallsBackFromRegionToLanguageToTheDefaultPack)
{
    const QString strBeside = QCoreApplication::applicationDirPath();
    const QString strOther = QFileInfo(QStringLiteral(LMX_OTHER_PACK_FILE)).canonicalFilePath();
    ASSERT_EQ(QFileInfo(strOther).canonicalPath(), QFileInfo(strBeside).canonicalFilePath());

    EXPECT_EQ(QFileInfo(CLangPack::Locate({QStringLiteral("xx-YY")})).canonicalFilePath(),
              strOther);
    EXPECT_EQ(QFileInfo(CLangPack::Locate({QStringLiteral("zz"), QStringLiteral("xx")}))
                  .canonicalFilePath(),
              strOther);
    const QString strDefault = CLangPack::Locate({QStringLiteral("zz-ZZ")});
    EXPECT_EQ(QFileInfo(strDefault).fileName(), CLangPack::FileName(QString()));
    EXPECT_TRUE(QFileInfo(strDefault).isFile());
    EXPECT_EQ(CLangPack::Locate({}), strDefault);

    const QStringList astrPaths = CLangPack::SearchPaths(QStringLiteral("xx"));
    ASSERT_FALSE(astrPaths.isEmpty());
    EXPECT_EQ(astrPaths.first(), strBeside + QLatin1String("/LangPack-xx.rcc"));
}

TEST(LangPackContents, MalformedFilesAreRejectedNamingTheFile)
{
    const char* const pszStrings = R"({"57345": "Ready"})";
    const struct
    {
        const char* pszFile;
        const char* pszContent;
        const char* pszNamed; // what the error names
    } cases[] = {
        {"strings.json", nullptr, "strings.json"},
        {"strings.json", "{\"57345\": \"Ready\"", "strings.json"},
        {"strings.json", R"(["Ready"])", "strings.json"},
        {"strings.json", R"({"Ready": "Ready"})", "strings.json"},
        {"strings.json", R"({"57345": 7})", "strings.json"},
        {"menus.json", R"({"128": [{"text": "&File"}]})", "menus.json"},
        {"menus.json", R"({"128": [{"id": 0, "text": "&New"}]})", "menus.json"},
        {"menus.json", R"({"128": [{"text": "&File", "items": [{"id": 57600}]}]})", "menus.json"},
        {"menus.json", R"({"128": {"id": 57600}})", "menus.json"},
        {"toolbars.json", R"({"128": [57600, "Open"]})", "toolbars.json"},
        {"toolbars.json", R"({"128": [57600, -2]})", "toolbars.json"},
        {"pictures.json", R"({"commands": ["new.svg"]})", "pictures.json"},
        {"pictures.json", R"({"strips": {"130": {"100000": "a.svg"}}})", "pictures.json"},
        {"pictures.json", R"({"icons": {"128": 5}})", "pictures.json"},
        {"dialogs/about.json", R"({"caption": "About"})", "dialogs/about.json"},
        {"dialogs/100.json", R"({"caption": 100})", "dialogs/100.json"},
        {"dialogs/100.json", R"([])", "dialogs/100.json"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(testing::Message()
                     << entry.pszFile << ": " << (entry.pszContent ? entry.pszContent : "(none)"));
        QTemporaryDir dir;
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("dialogs")));
        const auto write = [&](const char* pszFile, const char* pszContent) {
            QFile file(dir.filePath(QLatin1String(pszFile)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(pszContent);
        };
        if (QLatin1String(entry.pszFile) != QLatin1String("strings.json"))
            write("strings.json", pszStrings);
        if (entry.pszContent)
            write(entry.pszFile, entry.pszContent);

        LangPackContents contents;
        QString strError;
        EXPECT_FALSE(ReadLangPackContents(dir.path(), contents, strError));
        EXPECT_TRUE(strError.startsWith(QLatin1String(entry.pszNamed))) << strError.toStdString();
    }
}

TEST(LangPackContents, StringsAloneMakeAPack)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("strings.json")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"57345": "Ready", "129": "a\nb"})");
    file.close();
    LangPackContents contents;
    QString strError;
    ASSERT_TRUE(ReadLangPackContents(dir.path(), contents, strError)) << strError.toStdString();
    EXPECT_EQ(contents.m_strings.value(AFX_IDS_IDLEMESSAGE), QLatin1String("Ready"));
    EXPECT_EQ(contents.m_strings.value(IDR_KORVOTYPE), QLatin1String("a\nb"));
    EXPECT_TRUE(contents.m_menus.isEmpty());
}
