#include "link/downloadoutcome.h"

const char* DownloadOutcomeNote(DownloadOutcome outcome)
{
    switch (outcome) {
    case DownloadOutcome::Completed: return "download completed";
    case DownloadOutcome::PortOpenFailed: return "download failed: the port did not open";
    case DownloadOutcome::PromptTimeout: return "download failed: prompt timed out";
    case DownloadOutcome::TransferStalled:
        return "download failed: the tester stopped sending in the middle of the transfer";
    case DownloadOutcome::DeviceLost: return "download failed: the tester was disconnected";
    case DownloadOutcome::PortLost:
        return "download failed: the port went away before the tester answered";
    }
    return "download failed";
}
