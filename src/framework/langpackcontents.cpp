#include "framework/langpackcontents.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace {

// Strips are small; a larger index is a typing error, not a picture.
constexpr int kMaxStripImages = 1000;

// A pack file's object; an empty object for an optional file the pack lacks.
std::optional<QJsonObject> ReadObject(const QString& strRoot, const QString& strFile,
                                      bool bRequired, QString& strError)
{
    QFile file(strRoot + QLatin1Char('/') + strFile);
    if (!file.exists()) {
        if (bRequired)
            strError = strFile + QStringLiteral(": missing");
        return bRequired ? std::nullopt : std::optional<QJsonObject>(QJsonObject());
    }
    if (!file.open(QIODevice::ReadOnly)) {
        strError = strFile + QStringLiteral(": ") + file.errorString();
        return std::nullopt;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        strError = QStringLiteral("%1: %2 at offset %3")
                       .arg(strFile, parseError.errorString())
                       .arg(parseError.offset);
        return std::nullopt;
    }
    if (!document.isObject()) {
        strError = strFile + QStringLiteral(": not a JSON object");
        return std::nullopt;
    }
    return document.object();
}

std::optional<int> IdFromKey(const QString& strKey)
{
    bool bOk = false;
    const int nId = strKey.toInt(&bOk);
    return bOk && nId >= 0 ? std::optional<int>(nId) : std::nullopt;
}

// Reads every member of an object as "id": text.
bool ReadTexts(const QJsonObject& object, const QString& strWhere, QHash<int, QString>& texts,
               QString& strError)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::optional<int> nId = IdFromKey(it.key());
        if (!nId || !it.value().isString()) {
            strError =
                QStringLiteral("%1: \"%2\" is not an id with a text").arg(strWhere, it.key());
            return false;
        }
        texts.insert(*nId, it.value().toString());
    }
    return true;
}

bool ReadMenuItems(const QJsonArray& items, const QString& strWhere, QList<MenuItemDef>& result,
                   QString& strError)
{
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QJsonObject item = items.at(i).toObject();
        const QString strItemWhere = QStringLiteral("%1, item %2").arg(strWhere).arg(i + 1);
        const QJsonValue text = item.value(QLatin1String("text"));
        if (item.value(QLatin1String("separator")).toBool()) {
            MenuItemDef separator;
            separator.m_bSeparator = true;
            result.append(separator);
        } else if (item.value(QLatin1String("items")).isArray() && text.isString()) {
            MenuItemDef popup;
            popup.m_strText = text.toString();
            if (!ReadMenuItems(item.value(QLatin1String("items")).toArray(), strItemWhere,
                               popup.m_subItems, strError))
                return false;
            result.append(popup);
        } else if (item.value(QLatin1String("id")).toInt() > 0 && text.isString()) {
            result.append(
                CLangPack::CommandItem(item.value(QLatin1String("id")).toInt(), text.toString()));
        } else {
            strError = strItemWhere + QStringLiteral(": not a command (\"id\", \"text\"), a popup "
                                                     "(\"text\", \"items\") or a separator");
            return false;
        }
    }
    return true;
}

bool ReadMenus(const QJsonObject& object, LangPackContents& contents, QString& strError)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::optional<int> nId = IdFromKey(it.key());
        const QString strWhere = QStringLiteral("menus.json: menu ") + it.key();
        if (!nId || !it.value().isArray()) {
            strError = strWhere + QStringLiteral(": not an id with a list of items");
            return false;
        }
        MenuDef menu;
        if (!ReadMenuItems(it.value().toArray(), strWhere, menu.m_items, strError))
            return false;
        contents.m_menus.insert(*nId, menu);
    }
    return true;
}

bool ReadToolBars(const QJsonObject& object, LangPackContents& contents, QString& strError)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::optional<int> nId = IdFromKey(it.key());
        const QJsonArray buttons = it.value().toArray();
        ToolBarDef toolBar;
        for (const QJsonValue& button : buttons) {
            if (button.toInt(-1) < 0)
                break;
            toolBar.m_anCommands.append(button.toInt());
        }
        if (!nId || !it.value().isArray() || toolBar.m_anCommands.size() != buttons.size()) {
            strError = QStringLiteral("toolbars.json: tool bar %1: not an id with a list of "
                                      "command ids (0 for a separator)")
                           .arg(it.key());
            return false;
        }
        contents.m_toolBars.insert(*nId, toolBar);
    }
    return true;
}

bool ReadStrips(const QJsonObject& object, LangPackContents& contents, QString& strError)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::optional<int> nId = IdFromKey(it.key());
        QHash<int, QString> images;
        const QString strWhere = QStringLiteral("pictures.json: strip ") + it.key();
        if (!nId || !it.value().isObject()) {
            strError = strWhere + QStringLiteral(": not an id with its images by index");
            return false;
        }
        if (!ReadTexts(it.value().toObject(), strWhere, images, strError))
            return false;
        QStringList& astrPaths = contents.m_strips[*nId];
        for (auto image = images.begin(); image != images.end(); ++image) {
            if (image.key() >= kMaxStripImages) {
                strError =
                    strWhere + QStringLiteral(": image index %1 out of range").arg(image.key());
                return false;
            }
            if (astrPaths.size() <= image.key())
                astrPaths.resize(image.key() + 1);
            astrPaths[image.key()] = image.value();
        }
    }
    return true;
}

bool ReadPictures(const QJsonObject& object, LangPackContents& contents, QString& strError)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!it.value().isObject()) {
            strError = QStringLiteral("pictures.json: \"%1\" is not an object").arg(it.key());
            return false;
        }
    }
    const struct
    {
        const char* pszKind;
        QHash<int, QString>& paths;
    } kinds[] = {
        {"commands", contents.m_commandImages},
        {"bitmaps", contents.m_bitmaps},
        {"icons", contents.m_icons},
        {"animations", contents.m_animations},
    };
    for (const auto& kind : kinds) {
        const QString strKind = QLatin1String(kind.pszKind);
        if (!ReadTexts(object.value(strKind).toObject(),
                       QStringLiteral("pictures.json: ") + strKind, kind.paths, strError))
            return false;
    }
    return ReadStrips(object.value(QLatin1String("strips")).toObject(), contents, strError);
}

bool ReadDialogs(const QString& strRoot, LangPackContents& contents, QString& strError)
{
    const QStringList astrFiles = QDir(strRoot + QStringLiteral("/dialogs"))
                                      .entryList({QStringLiteral("*.json")}, QDir::Files);
    for (const QString& strFile : astrFiles) {
        const QString strName = QStringLiteral("dialogs/") + strFile;
        const std::optional<int> nDialogId = IdFromKey(QFileInfo(strFile).completeBaseName());
        if (!nDialogId) {
            strError = strName + QStringLiteral(": the file name is not a dialog id");
            return false;
        }
        std::optional<QJsonObject> object = ReadObject(strRoot, strName, true, strError);
        if (!object)
            return false;
        QHash<int, QString>& texts = contents.m_dialogs[*nDialogId];
        // A caption that is no text stays in and is reported as a bad member below.
        if (object->value(QLatin1String("caption")).isString())
            texts.insert(0, object->take(QLatin1String("caption")).toString());
        if (!ReadTexts(*object, strName, texts, strError))
            return false;
    }
    return true;
}

} // namespace

bool ReadLangPackContents(const QString& strRoot, LangPackContents& contents, QString& strError)
{
    const std::optional<QJsonObject> strings =
        ReadObject(strRoot, QStringLiteral("strings.json"), true, strError);
    if (!strings ||
        !ReadTexts(*strings, QStringLiteral("strings.json"), contents.m_strings, strError))
        return false;
    const std::optional<QJsonObject> menus =
        ReadObject(strRoot, QStringLiteral("menus.json"), false, strError);
    if (!menus || !ReadMenus(*menus, contents, strError))
        return false;
    const std::optional<QJsonObject> toolBars =
        ReadObject(strRoot, QStringLiteral("toolbars.json"), false, strError);
    if (!toolBars || !ReadToolBars(*toolBars, contents, strError))
        return false;
    const std::optional<QJsonObject> pictures =
        ReadObject(strRoot, QStringLiteral("pictures.json"), false, strError);
    if (!pictures || !ReadPictures(*pictures, contents, strError))
        return false;
    return ReadDialogs(strRoot, contents, strError);
}
