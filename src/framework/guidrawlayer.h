#pragma once

#include <QApplication>
#include <QColor>
#include <QPalette>

// Colours the bars share.
class GuiDrawLayer
{
public:
    // The face colour of mini tool bars: the window colour of the current
    // palette, so the bars follow a light or a dark theme.
    static QColor GetRGBColorXP() { return QApplication::palette().color(QPalette::Window); }
};
