#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <functional>

// The rules the owner-drawn list paints by, free of widgets so they can be
// checked on their own.

// The width a text takes on the screen, in pixels.
using TextWidthFunction = std::function<int(const QString&)>;

// Shortens strText in place so it fits nWidth: the longest start of it that
// fits together with "...", else its first character with "..", "." or
// nothing after it. A text that fits stays as it is.
void FitText(QString& strText, int nWidth, const TextWidthFunction& textWidth);

// The background of the sort column, a little away from the list's own: a
// near-white background gets a little darker, any other a little lighter.
QColor SortColumnTint(const QColor& background);

// The sort arrows are drawn black on white or on transparent: black takes
// the given colour (keeping how opaque each pixel is) and white becomes
// transparent, so the arrows suit any theme.
QImage MapSortMarkColours(const QImage& picture, const QColor& black);
