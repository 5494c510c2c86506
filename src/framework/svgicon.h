#pragma once

#include <QIcon>
#include <QString>

// The icon of an SVG picture file of the resource pack. The file is read
// when the icon is first drawn or measured, once, and each size is drawn
// once: a program makes icons for all its commands at start, and most show
// only when a menu opens. Until the file is read the icon counts as not null.
QIcon SvgFileIcon(const QString& strPath);
