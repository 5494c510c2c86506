#pragma once

#include <QProxyStyle>

// The toolkit's look on top of the system's style: the docking bars' close
// and float buttons and the tool bars' extension button show glyphs drawn in
// the palette's text colour, so they follow a dark theme and any scale.
// They need no picture files either: Qt reads its own button pictures
// through its image readers, and the first such read loads every image
// plug-in on the system, which the program's start would wait for.
class CGuiStyle final : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap pixmap, const QStyleOption* pOption = nullptr,
                       const QWidget* pWidget = nullptr) const override;
};

// Makes CGuiStyle, over the style in use, the application's style (once).
void InstallGuiStyle();
