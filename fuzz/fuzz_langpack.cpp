// The JSON files of a resource pack, as a translator may write them. The
// input holds the texts of strings.json, menus.json, toolbars.json,
// pictures.json and dialogs/100.json in this order, separated by NUL bytes;
// a file that is empty or that the input does not reach is missing from the
// pack (an empty file is no JSON, and only says so). Whatever the
// texts, the loader either takes the pack with every id and index in range
// or refuses it naming the file.

#include "framework/langpackcontents.h"
#include "fuzzcheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

const char* const kFiles[] = {"strings.json", "menus.json", "toolbars.json", "pictures.json",
                              "dialogs/100.json"};

// The pack's folder, made once; each input rewrites or removes its files.
const QString& PackFolder()
{
    static QTemporaryDir folder;
    static const bool bMade =
        folder.isValid() && QDir(folder.path()).mkpath(QStringLiteral("dialogs"));
    FUZZ_CHECK(bMade);
    static const QString strPath = folder.path();
    return strPath;
}

void WritePack(const QByteArray& input)
{
    const QList<QByteArray> texts = input.split('\0');
    for (qsizetype i = 0; i < qsizetype(std::size(kFiles)); ++i) {
        QFile file(PackFolder() + QLatin1Char('/') + QLatin1String(kFiles[i]));
        if (i >= texts.size() || texts[i].isEmpty()) {
            FUZZ_CHECK(!file.exists() || file.remove());
            continue;
        }
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(texts[i]) == texts[i].size());
    }
}

void CheckMenuItems(const QList<MenuItemDef>& items)
{
    for (const MenuItemDef& item : items) {
        FUZZ_CHECK(item.m_nId >= 0);
        FUZZ_CHECK(item.m_nId == 0 || item.m_subItems.isEmpty());
        CheckMenuItems(item.m_subItems);
    }
}

void CheckContents(const LangPackContents& contents)
{
    for (const MenuDef& menu : contents.m_menus)
        CheckMenuItems(menu.m_items);
    for (const ToolBarDef& toolBar : contents.m_toolBars) {
        for (const int nCommand : toolBar.m_anCommands)
            FUZZ_CHECK(nCommand >= 0);
    }
    for (auto strip = contents.m_strips.begin(); strip != contents.m_strips.end(); ++strip) {
        FUZZ_CHECK(strip.key() >= 0);
        FUZZ_CHECK(strip.value().size() <= 1000);
    }
    for (auto dialog = contents.m_dialogs.begin(); dialog != contents.m_dialogs.end(); ++dialog)
        FUZZ_CHECK(dialog.key() == 100);
}

bool NamesAFile(const QString& strError)
{
    for (const char* pszFile : kFiles) {
        if (strError.startsWith(QLatin1String(pszFile)))
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    WritePack(QByteArray(reinterpret_cast<const char*>(pData), qsizetype(nSize)));
    LangPackContents contents;
    QString strError;
    if (ReadLangPackContents(PackFolder(), contents, strError))
        CheckContents(contents);
    else
        FUZZ_CHECK(NamesAFile(strError));
    return 0;
}
