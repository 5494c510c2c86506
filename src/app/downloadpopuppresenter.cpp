#include "app/downloadpopuppresenter.h"

#include "app/progresspopupwnd.h"
#include "framework/langpack.h"
#include "link/downloadhost.h"

namespace {

constexpr int kPopupWidth = 300;
constexpr unsigned kAnimationClip = 131;
// The prompt-wait message is padded so the popup keeps its width when the text changes.
constexpr const char* kPromptWaitPadding = "                   ";

// The popup's texts are single bytes; the pack's go through Latin-1.
std::string PackText(int nStringId)
{
    return LoadResString(nStringId).toLatin1().toStdString();
}

} // namespace

void CDownloadPopupPresenter::Show(const AnyDownloadEvent& event)
{
    namespace E = DownloadEvent;
    if (const auto* pWaiting = std::get_if<E::WaitingForPrompt>(&event)) {
        ShowWaitingForPrompt(pWaiting->nTicks);
    } else if (std::holds_alternative<E::PromptWaitTick>(event)) {
        m_popup.Advance(1);
    } else if (const auto* pAnswered = std::get_if<E::TesterAnswered>(&event)) {
        m_popup.SetCaption(PackText(IDS_TRANSFER_CAPTION));
        ShowProgressMessage(PackText(IDS_TRANSFER_MESSAGE));
        m_popup.ResetBar();
        m_popup.SetLimit(static_cast<unsigned>(pAnswered->nDbCount));
    } else if (std::holds_alternative<E::SectionStarted>(event)) {
        // The limit stays: each section's bar shows its own DB count.
        m_popup.ResetBar();
    } else if (const auto* pDb = std::get_if<E::DbReceived>(&event)) {
        m_popup.SetCaption(PackText(IDS_DB_HEADER_CAPTION));
        ShowProgressMessage(DbProgressText(pDb->section, pDb->nDb));
        m_popup.Advance(1);
    } else if (std::holds_alternative<E::TransferStalled>(event)) {
        m_popup.SetMessage(PackText(IDS_TRANSFER_STALLED), true);
    } else if (std::holds_alternative<E::TransferResumed>(event)) {
        // Laid out again: the notice took more lines than the message.
        m_popup.SetMessage(m_strProgressMessage, true);
    } else if (std::holds_alternative<E::ProgressEnded>(event)) {
        m_popup.ClosePopup();
    }
}

void CDownloadPopupPresenter::ShowWaitingForPrompt(unsigned nTicks)
{
    m_popup.SetPopupWidth(kPopupWidth);
    m_popup.SetCaption(PackText(IDS_PROMPT_WAIT_CAPTION));
    ShowProgressMessage(PackText(IDS_PROMPT_WAIT_MESSAGE) + kPromptWaitPadding);
    m_popup.SetLimit(nTicks);
    m_popup.EnableCancel(true);
    m_popup.SetCancelMessage(WM_DOWNLOAD_CANCEL);
    m_popup.SetAnimationId(kAnimationClip);
    m_popup.CreatePopup();
}

void CDownloadPopupPresenter::ShowProgressMessage(const std::string& strText)
{
    m_strProgressMessage = strText;
    m_popup.SetMessage(strText, false);
}
