// The German pack must be a complete twin of the English one: every text
// translated, every menu and dialog with the same ids, so that no window of a
// German program shows an empty caption or loses a command.

#include "framework/langpack.h"
#include "framework/langpackcontents.h"
#include "framework/resourceids.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QResource>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

const QString kGermanPackFile = QStringLiteral(LMX_GERMAN_PACK_FILE);

// Texts that are the same word in both languages (compared without case and
// mnemonic marks).
const QSet<int> kStringsSameInBoth = {IDS_ABOUT_OK};

// The contents of a built pack file, read through a resource root of its own.
class PackFile
{
public:
    PackFile(const QString& strPath, const QString& strRoot)
        : m_strPath(strPath), m_strRoot(strRoot)
    {
        if (!QResource::registerResource(m_strPath, m_strRoot)) {
            m_strError = QStringLiteral("cannot register ") + m_strPath;
            return;
        }
        m_bRegistered = true;
        m_bRead = ReadLangPackContents(QLatin1Char(':') + m_strRoot, m_contents, m_strError);
    }
    PackFile(const PackFile&) = delete;
    PackFile& operator=(const PackFile&) = delete;
    ~PackFile()
    {
        if (m_bRegistered)
            QResource::unregisterResource(m_strPath, m_strRoot);
    }

    bool IsRead() const { return m_bRead; }
    const QString& ErrorString() const { return m_strError; }
    const LangPackContents& Contents() const { return m_contents; }

private:
    QString m_strPath;
    QString m_strRoot;
    QString m_strError;
    bool m_bRegistered = false;
    bool m_bRead = false;
    LangPackContents m_contents;
};

class GermanPack : public testing::Test
{
protected:
    GermanPack()
        : m_english(AfxGetResourceHandle().FilePath(), QStringLiteral("/germanpack-test-en")),
          m_german(kGermanPackFile, QStringLiteral("/germanpack-test-de"))
    {
    }

    void SetUp() override
    {
        ASSERT_TRUE(m_english.IsRead()) << m_english.ErrorString().toStdString();
        ASSERT_TRUE(m_german.IsRead()) << m_german.ErrorString().toStdString();
    }

    const LangPackContents& English() const { return m_english.Contents(); }
    const LangPackContents& German() const { return m_german.Contents(); }

private:
    PackFile m_english;
    PackFile m_german;
};

template <typename Key, typename Value> QList<Key> SortedKeys(const QHash<Key, Value>& hash)
{
    QList<Key> keys = hash.keys();
    std::sort(keys.begin(), keys.end());
    return keys;
}

// The placeholders of a text, sorted and joined (std::string so that a
// failure prints them).
std::string Placeholders(const QString& strText)
{
    static const QRegularExpression placeholder(QStringLiteral("%\\d+"));
    QStringList astrFound;
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(strText))
        astrFound.append(match.captured());
    astrFound.sort();
    return astrFound.join(QLatin1Char(' ')).toStdString();
}

// The mnemonic letter of a menu text, lower case; null without one ("&&" is
// a literal ampersand).
QChar Mnemonic(const QString& strText)
{
    for (qsizetype i = 0; i + 1 < strText.size(); ++i) {
        if (strText[i] != QLatin1Char('&'))
            continue;
        if (strText[i + 1] != QLatin1Char('&'))
            return strText[i + 1].toLower();
        ++i;
    }
    return {};
}

std::string Plain(const QString& strText)
{
    QString strPlain = strText;
    return strPlain.remove(QLatin1Char('&')).toLower().toStdString();
}

// The download shows some texts through Latin-1, and typographic quotes or
// an ellipsis character would be lost there; no text of the pack uses them.
bool IsLatin1(const QString& strText)
{
    return QString::fromLatin1(strText.toLatin1()) == strText;
}

// The common checks of one translated text against its English original.
void ExpectTranslated(const QString& strEnglish, const QString& strGerman)
{
    EXPECT_FALSE(strGerman.trimmed().isEmpty());
    EXPECT_EQ(Placeholders(strGerman), Placeholders(strEnglish));
    EXPECT_TRUE(IsLatin1(strGerman)) << strGerman.toStdString();
}

void ExpectSameMenuLevel(const QList<MenuItemDef>& english, const QList<MenuItemDef>& german)
{
    ASSERT_EQ(german.size(), english.size());
    QSet<QChar> mnemonics;
    for (qsizetype i = 0; i < english.size(); ++i) {
        const MenuItemDef& en = english[i];
        const MenuItemDef& de = german[i];
        SCOPED_TRACE(testing::Message()
                     << "item " << i << " \"" << en.m_strText.toStdString() << '"');
        EXPECT_EQ(de.m_bSeparator, en.m_bSeparator);
        EXPECT_EQ(de.m_nId, en.m_nId);
        EXPECT_EQ(de.m_shortcut.toString(QKeySequence::PortableText).toStdString(),
                  en.m_shortcut.toString(QKeySequence::PortableText).toStdString());
        if (en.m_bSeparator)
            continue;
        ExpectTranslated(en.m_strText, de.m_strText);
        const QChar mnemonic = Mnemonic(de.m_strText);
        EXPECT_EQ(mnemonic.isNull(), Mnemonic(en.m_strText).isNull()) << de.m_strText.toStdString();
        if (!mnemonic.isNull()) {
            EXPECT_FALSE(mnemonics.contains(mnemonic))
                << "mnemonic used twice: " << de.m_strText.toStdString();
            mnemonics.insert(mnemonic);
        }
        ExpectSameMenuLevel(en.m_subItems, de.m_subItems);
    }
}

} // namespace

TEST_F(GermanPack, IsTheProgramsPackForGermanUsers)
{
    const QString strGerman = QFileInfo(kGermanPackFile).canonicalFilePath();
    ASSERT_FALSE(strGerman.isEmpty()) << "not built: " << kGermanPackFile.toStdString();
    for (const char* pszLanguage : {"de", "de-DE", "de-AT", "de-CH"}) {
        SCOPED_TRACE(pszLanguage);
        EXPECT_EQ(QFileInfo(CLangPack::Locate({QLatin1String(pszLanguage)})).canonicalFilePath(),
                  strGerman);
    }

    CLangPack pack;
    ASSERT_TRUE(pack.Load(kGermanPackFile)) << pack.ErrorString().toStdString();
    EXPECT_EQ(pack.LoadString(AFX_IDS_IDLEMESSAGE), QString::fromUtf8("Bereit"));
    // Pictures come from the English folder.
    EXPECT_FALSE(pack.CommandImage(ID_FILE_OPEN).isNull());
    EXPECT_FALSE(pack.AnimationPath(IDR_ANIMATION).isEmpty());
    EXPECT_EQ(pack.ToolBar(IDR_MAINFRAME)->m_anCommands,
              AfxGetResourceHandle().ToolBar(IDR_MAINFRAME)->m_anCommands);
}

TEST_F(GermanPack, TranslatesEveryString)
{
    EXPECT_EQ(SortedKeys(German().m_strings), SortedKeys(English().m_strings));
    for (const int nId : SortedKeys(English().m_strings)) {
        SCOPED_TRACE(nId);
        const QString strEnglish = English().m_strings.value(nId);
        const QString strGerman = German().m_strings.value(nId);
        ExpectTranslated(strEnglish, strGerman);
        // Prompt and tool tip, the fields of the document type and the
        // paragraphs of a message are split at line feeds.
        EXPECT_EQ(strGerman.count(QLatin1Char('\n')), strEnglish.count(QLatin1Char('\n')));
        EXPECT_EQ(Mnemonic(strGerman).isNull(), Mnemonic(strEnglish).isNull());
        if (!kStringsSameInBoth.contains(nId)) {
            EXPECT_NE(Plain(strGerman), Plain(strEnglish)) << "not translated";
        }
    }
}

TEST_F(GermanPack, KeepsTheFileTypeOfTheDocuments)
{
    const QStringList astrEnglish =
        English().m_strings.value(IDR_KORVOTYPE).split(QLatin1Char('\n'));
    const QStringList astrGerman = German().m_strings.value(IDR_KORVOTYPE).split(QLatin1Char('\n'));
    ASSERT_EQ(astrEnglish.size(), 7);
    ASSERT_EQ(astrGerman.size(), 7);
    // The window title, the filter pattern, the extension and the file type
    // id name the file, not the language.
    EXPECT_EQ(astrGerman[0], astrEnglish[0]);
    EXPECT_TRUE(astrGerman[3].endsWith(QLatin1String("(*.lmx)")));
    EXPECT_EQ(astrGerman[4], astrEnglish[4]);
    EXPECT_EQ(astrGerman[5], astrEnglish[5]);
}

TEST_F(GermanPack, MenusHaveTheEnglishItemsShortcutsAndUniqueMnemonics)
{
    EXPECT_EQ(SortedKeys(German().m_menus), SortedKeys(English().m_menus));
    for (const int nMenuId : SortedKeys(English().m_menus)) {
        SCOPED_TRACE(testing::Message() << "menu " << nMenuId);
        ExpectSameMenuLevel(English().m_menus.value(nMenuId).m_items,
                            German().m_menus.value(nMenuId).m_items);
    }
}

TEST_F(GermanPack, DialogsHaveTheEnglishControls)
{
    EXPECT_EQ(SortedKeys(German().m_dialogs), SortedKeys(English().m_dialogs));
    for (const int nDialogId : SortedKeys(English().m_dialogs)) {
        const QHash<int, QString> english = English().m_dialogs.value(nDialogId);
        const QHash<int, QString> german = German().m_dialogs.value(nDialogId);
        EXPECT_EQ(SortedKeys(german), SortedKeys(english)) << "dialog " << nDialogId;
        for (const int nControlId : SortedKeys(english)) {
            SCOPED_TRACE(testing::Message() << "dialog " << nDialogId << " control " << nControlId);
            ExpectTranslated(english.value(nControlId), german.value(nControlId));
            EXPECT_EQ(german.value(nControlId).count(QLatin1Char('\t')),
                      english.value(nControlId).count(QLatin1Char('\t')));
        }
    }
}
