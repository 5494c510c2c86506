#pragma once

#include <optional>

// The state a command shows on menus, tool bars and buttons.
struct CCmdUI
{
    bool m_bEnabled = true;
    bool m_bChecked = false;
    bool m_bCheckable = false; // shows a check mark that m_bChecked sets
};

// Something that handles commands by id. The main frame offers a command to
// the active view, then its document, then itself, then the application;
// the first target that knows the command handles it.
class CCmdTarget
{
public:
    virtual ~CCmdTarget() = default;

    // Handles the command; false when it is not this target's.
    virtual bool OnCmdMsg(int nId)
    {
        (void)nId;
        return false;
    }
    // The command's state; nothing when it is not this target's.
    virtual std::optional<CCmdUI> OnUpdateCmdUI(int nId) const
    {
        (void)nId;
        return std::nullopt;
    }
};
