#pragma once

#include "link/downloadevents.h"

#include <string>

class CProgressPopup;

// Shows a download's progress in the popup: the caption, message and bar for
// each event, with the texts of the resource pack.
class CDownloadPopupPresenter final
{
public:
    explicit CDownloadPopupPresenter(CProgressPopup& popup) : m_popup(popup) {}

    // Events that are no progress leave the popup alone.
    void Show(const AnyDownloadEvent& event);

private:
    void ShowWaitingForPrompt(unsigned nTicks);
    void ShowProgressMessage(const std::string& strText);

    CProgressPopup& m_popup;
    // The message as the download last set it, shown again when a stalled
    // tester sends again.
    std::string m_strProgressMessage;
};
