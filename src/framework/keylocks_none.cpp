// A window system without X11 or Win32 (macOS, Wayland without X) does not
// tell the lock keys' state through anything this program uses: the status
// bar's indicators stay blank there.

#include "framework/keylocks.h"

std::optional<KeyLocks> QueryKeyLocks()
{
    return std::nullopt;
}
