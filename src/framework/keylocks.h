#pragma once

#include <optional>

// Which lock keys are on, for the status bar's indicators.
struct KeyLocks
{
    bool m_bCaps = false;
    bool m_bNum = false;
    bool m_bScroll = false;
};

// Nothing where the window system does not tell (the offscreen platform,
// Wayland without X).
std::optional<KeyLocks> QueryKeyLocks();
