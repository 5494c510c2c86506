#pragma once

#include <QIcon>
#include <QImage>
#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

struct LangPackContents;

// One item of a menu in the resource pack: a command, a separator, or a
// popup holding items of its own.
struct MenuItemDef
{
    int m_nId = 0;     // command id; 0 for a separator or a popup
    QString m_strText; // with '&' for the mnemonic
    QKeySequence m_shortcut;
    bool m_bSeparator = false;
    QList<MenuItemDef> m_subItems; // a popup when not empty
};

// A menu: the popups of a menu bar, or the items of a drop-down menu.
struct MenuDef
{
    QList<MenuItemDef> m_items;
};

// The buttons of a tool bar, in order; command id 0 stands for a separator.
struct ToolBarDef
{
    QList<int> m_anCommands;
};

// The resource pack: every menu, tool bar, picture, animation clip and user
// text of the program, in a Qt resource file (.rcc) that is loaded at start.
// A pack for another language is the same file with other texts.
class CLangPack
{
public:
    CLangPack();
    CLangPack(const CLangPack&) = delete;
    CLangPack& operator=(const CLangPack&) = delete;
    ~CLangPack();

    // False when the file is missing or holds no pack; ErrorString() then
    // says why. Loading again first unloads what was loaded. Each pack
    // appears under a resource root of its own, so packs coexist.
    bool Load(const QString& strPath);
    // Icons and clip paths handed out earlier stop working.
    void Unload();
    bool IsLoaded() const { return m_bLoaded; }
    const QString& FilePath() const { return m_strPath; }
    // The language of the loaded pack as its file name gives it
    // ("LangPack-de.rcc": "de"); empty for the default pack.
    QString Language() const;
    const QString& ErrorString() const { return m_strError; }

    // Empty when the pack has no such string.
    QString LoadString(int nId) const;
    bool HasString(int nId) const;
    QList<int> StringIds() const;

    std::optional<MenuDef> Menu(int nId) const;
    std::optional<ToolBarDef> ToolBar(int nId) const;

    // Image nIndex of an image strip (16 pixels, drawn for any scale); a null
    // icon when the strip has no such image.
    QIcon StripImage(int nStripId, int nIndex) const;
    int StripImageCount(int nStripId) const;
    // The picture of a command on tool bars and menus; null when it has none.
    QIcon CommandImage(int nCommandId) const;
    // A small picture by id (the sort arrows 135 and 136), at its own size
    // times nScale in pixels on a transparent background, with nScale as its
    // device pixel ratio; null when absent.
    QImage Bitmap(int nId, qreal nScale = 1.0) const;
    // An icon by id: 128 the program, 129 the document type.
    QIcon Icon(int nId) const;
    // A path QMovie can play; empty when the pack has no such clip.
    QString AnimationPath(int nId) const;
    // The caption (control 0) or a control's text of a dialog; empty when absent.
    QString DialogText(int nDialogId, int nControlId) const;

    // Where the program looks for the pack of a language ("" for the default
    // pack), first match wins: beside the executable, then the installed data
    // folder relative to it (../share/lmx4410), then the build tree's folder.
    static QStringList SearchPaths(const QString& strLanguage);
    // The file name of a language's pack: "LangPack.rcc", "LangPack-de.rcc".
    static QString FileName(const QString& strLanguage);
    // The pack to load for the user's languages, best first (as
    // QLocale::uiLanguages() gives them; "de-AT" is tried as "de-AT", then
    // "de"), else the default pack; empty when not even that is found.
    static QString Locate(const QStringList& astrLanguages);
    // The language a pack file is for: "de" for "LangPack-de.rcc", empty for
    // the default pack "LangPack.rcc".
    static QString LanguageOfFile(const QString& strPath);

    // A command item from its menu text: "&Open...\tCtrl+O" gives the text
    // "&Open..." and the shortcut Ctrl+O (portable text); without a tab, no
    // shortcut.
    static MenuItemDef CommandItem(int nId, const QString& strText);

private:
    QString ResourcePath(const QString& strRelative) const;

    bool m_bLoaded = false;
    QString m_strPath;
    QString m_strError;
    QString m_strRoot; // where the pack's files appear in the resource tree
    std::unique_ptr<LangPackContents> m_pContents;
};

// The pack every window takes its menus, texts and pictures from. The
// application sets it once at start; until then (and in tests that set none)
// it answers from an empty pack.
const CLangPack& AfxGetResourceHandle();
void AfxSetResourceHandle(const CLangPack* pPack);
// Short form of AfxGetResourceHandle().LoadString(nId).
QString LoadResString(int nId);
