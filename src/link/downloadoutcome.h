#pragma once

// How a download ended. The GUI turns each failure into a message box
// (PortOpenFailed: string 58204; PromptTimeout: text 58207, caption 58208;
// DeviceLost: 58212; PortLost: 58246); the command line into its message and
// exit status; a session log notes each.
enum class DownloadOutcome
{
    Completed,
    PortOpenFailed,
    PromptTimeout,
    TransferStalled, // the tester went quiet in the middle of the transfer (no GUI only)
    DeviceLost,      // the tester vanished after it had sent something
    PortLost,        // the port went away while the download waited for the prompt
};

// What a session log notes when a download ends this way.
const char* DownloadOutcomeNote(DownloadOutcome outcome);
