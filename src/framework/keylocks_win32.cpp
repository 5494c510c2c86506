#include "framework/keylocks.h"

#include <windows.h>

namespace {

// The low bit of a lock key's state is its toggle.
bool Toggled(int nVirtualKey)
{
    return (GetKeyState(nVirtualKey) & 1) != 0;
}

} // namespace

std::optional<KeyLocks> QueryKeyLocks()
{
    return KeyLocks{Toggled(VK_CAPITAL), Toggled(VK_NUMLOCK), Toggled(VK_SCROLL)};
}
