#include "framework/keylocks.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace {

bool IndicatorOn(Display* pDisplay, const char* pszName)
{
    const Atom atom = XInternAtom(pDisplay, pszName, True);
    Bool bOn = False;
    return atom != None && XkbGetNamedIndicator(pDisplay, atom, nullptr, &bOn, nullptr, nullptr) &&
           bOn;
}

} // namespace

std::optional<KeyLocks> QueryKeyLocks()
{
    const auto* pX11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* pDisplay = pX11 ? pX11->display() : nullptr;
    if (!pDisplay)
        return std::nullopt;
    return KeyLocks{IndicatorOn(pDisplay, "Caps Lock"), IndicatorOn(pDisplay, "Num Lock"),
                    IndicatorOn(pDisplay, "Scroll Lock")};
}
