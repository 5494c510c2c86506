#pragma once

#include <QIcon>

#include <functional>

// An icon made only when it is first drawn or measured. Qt's widgets ask
// the style for icons as they are built, and many show only when a menu
// opens, or never. Until it is made the icon counts as not null.
QIcon DeferredIcon(std::function<QIcon()> make);
