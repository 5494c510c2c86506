#pragma once

#include "framework/langpack.h"

#include <QHash>
#include <QString>
#include <QStringList>

// What a resource pack holds, as read from its JSON files. Pictures are
// paths relative to the pack's root.
struct LangPackContents
{
    QHash<int, QString> m_strings;
    QHash<int, MenuDef> m_menus;
    QHash<int, ToolBarDef> m_toolBars;
    QHash<int, QString> m_commandImages;
    QHash<int, QStringList> m_strips; // by image index; "" where the strip has no image
    QHash<int, QString> m_bitmaps;
    QHash<int, QString> m_icons;
    QHash<int, QString> m_animations;
    QHash<int, QHash<int, QString>> m_dialogs; // control texts; control 0 is the caption
};

// Reads the JSON files of a pack whose files appear under strRoot (":/..."):
// strings.json (required), menus.json, toolbars.json, pictures.json and
// dialogs/<id>.json. False, with the file and the fault in strError, when
// strings.json is missing or a file is malformed.
bool ReadLangPackContents(const QString& strRoot, LangPackContents& contents, QString& strError);
