// lmxtool download: fetches the tester's records over a serial port without
// the GUI and saves each DB that holds a test as a document file named after
// its DB number and user information; on request it keeps a session log of
// everything that went over the line.

#include "link/headlessdownload.h"
#include "link/sessionlog.h"
#include "records/saveall.h"
#include "tools/console.h"
#include "tools/failuretext.h"
#include "tools/toolcommands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr int kDefaultTimeoutSeconds = 10;
// A tester that goes quiet this long in the middle of a section has stalled.
constexpr int kMinimumStallSeconds = 3;

// Progress on stderr: a bar redrawn in place on a terminal; otherwise a line
// for each new stage and each full bar, which a log can keep.
class CStderrProgress final : public IDownloadEvents
{
public:
    explicit CStderrProgress(bool bTerminal) : m_bTerminal(bTerminal) {}
    ~CStderrProgress() { EndBar(); }

    void OnEvent(const AnyDownloadEvent& event) override
    {
        namespace E = DownloadEvent;
        if (const auto* pWaiting = std::get_if<E::WaitingForPrompt>(&event)) {
            m_strCaption = "Connecting";
            ShowMessage("Waiting for the tester");
            m_nLimit = pWaiting->nTicks;
            m_nPos = 0;
        } else if (std::holds_alternative<E::PromptWaitTick>(event)) {
            Advance();
        } else if (const auto* pAnswered = std::get_if<E::TesterAnswered>(&event)) {
            m_strCaption = "Connected";
            ShowMessage(m_strProgress = "The tester answered");
            m_nPos = 0;
            m_nLimit = static_cast<unsigned>(pAnswered->nDbCount);
        } else if (std::holds_alternative<E::SectionStarted>(event)) {
            m_nPos = 0;
        } else if (const auto* pDb = std::get_if<E::DbReceived>(&event)) {
            m_strCaption = "Receiving";
            ShowMessage(m_strProgress = DbProgressText(pDb->section, pDb->nDb));
            Advance();
        } else if (std::holds_alternative<E::TransferStalled>(event)) {
            ShowMessage("The tester stopped sending");
        } else if (std::holds_alternative<E::TransferResumed>(event)) {
            ShowMessage(m_strProgress);
        } else if (std::holds_alternative<E::ProgressEnded>(event)) {
            EndBar();
        } else if (const auto* pParsed = std::get_if<E::RecordsParsed>(&event)) {
            ShowParsed(pParsed->nDone, pParsed->nTotal);
        } else if (const auto* pMessage = std::get_if<E::ChannelMessage>(&event)) {
            EndBar();
            std::fprintf(stderr, "lmxtool: port: %s\n", pMessage->strText.c_str());
        }
    }

private:
    void ShowMessage(const std::string& strText)
    {
        m_strMessage = strText;
        if (m_bTerminal)
            DrawBar();
        else if (m_strCaption != m_strPrintedCaption)
            PrintLine();
    }
    void Advance()
    {
        m_nPos = std::min(m_nPos + 1, m_nLimit);
        if (m_bTerminal)
            DrawBar();
        else if (m_nPos == m_nLimit)
            PrintLine();
    }
    void ShowParsed(int nDone, int nTotal)
    {
        if (m_bTerminal) {
            m_strCaption = "Data Loading..";
            m_strMessage.clear();
            m_nLimit = static_cast<unsigned>(nTotal);
            m_nPos = static_cast<unsigned>(nDone);
            DrawBar();
            if (nDone == nTotal)
                EndBar();
        } else if (nDone == nTotal) {
            std::fprintf(stderr, "Data Loading.. %d records parsed\n", nTotal);
        }
    }
    void DrawBar()
    {
        constexpr unsigned kWidth = 30;
        const unsigned nFilled = m_nLimit == 0 ? kWidth : m_nPos * kWidth / m_nLimit;
        const std::string strBar = std::string(nFilled, '#') + std::string(kWidth - nFilled, '.');
        std::fprintf(stderr, "\r\033[K%-12s [%s] %s", m_strCaption.c_str(), strBar.c_str(),
                     m_strMessage.c_str());
        std::fflush(stderr);
        m_bBarShown = true;
    }
    void PrintLine()
    {
        std::fprintf(stderr, "%s: %s\n", m_strCaption.c_str(), m_strMessage.c_str());
        m_strPrintedCaption = m_strCaption;
    }
    void EndBar()
    {
        if (m_bBarShown)
            std::fputc('\n', stderr);
        m_bBarShown = false;
    }

    bool m_bTerminal;
    bool m_bBarShown = false;
    std::string m_strCaption;
    std::string m_strMessage;
    // The message as the download last set it, shown again when a stalled tester sends again.
    std::string m_strProgress;
    std::string m_strPrintedCaption;
    unsigned m_nLimit = 0;
    unsigned m_nPos = 0;
};

struct DownloadArgs
{
    std::string m_strPort;
    int m_nTimeout = kDefaultTimeoutSeconds;
    std::string m_strOutDirectory;
    std::string m_strLogPath;
    bool m_bForce = false;
};

bool ParseSeconds(const std::string& strText, int& nSeconds)
{
    if (strText.empty() || strText.size() > 6 ||
        !std::all_of(strText.begin(), strText.end(),
                     [](char ch) { return ch >= '0' && ch <= '9'; }))
        return false;
    nSeconds = std::stoi(strText);
    return true;
}

// Saves every DB that holds a test; a file already there is kept unless
// bForce, and a failure on one file does not stop the others, but a full
// disk does.
int SaveRecords(const RecordTable& records, const std::string& strDirectory, bool bForce,
                int& nSaved)
{
    nSaved = 0;
    std::string strKept;
    bool bFailed = false;
    const std::vector<SaveAllResult> results = SaveAllDbs(records, strDirectory, bForce);
    for (const SaveAllResult& result : results) {
        switch (result.m_Outcome) {
        case SaveAllOutcome::Saved: ++nSaved; break;
        case SaveAllOutcome::SkippedExists: strKept += "\n  " + result.m_strPath; break;
        case SaveAllOutcome::Failed:
            std::fprintf(stderr, "lmxtool: %s\n",
                         DescribeDocumentStatus(DocumentStatus::CannotWrite, result.m_strPath,
                                                result.m_error)
                             .c_str());
            bFailed = true;
            break;
        }
    }
    if (StoppedOutOfRoom(results))
        std::fprintf(stderr, "lmxtool: the disk is full, so no further DBs were saved\n");
    if (!strKept.empty())
        std::fprintf(stderr, "lmxtool: kept these existing files (--force overwrites them):%s\n",
                     strKept.c_str());
    return bFailed || !strKept.empty() ? kExitFailed : kExitOk;
}

// Creates the session log; with bForce a file of that name is replaced, as
// --force replaces the DB files. False, with the reason printed, when the
// log cannot be had.
bool OpenSessionLog(CSessionLog& log, const DownloadArgs& args)
{
    std::error_code error;
    const std::filesystem::path path(args.m_strLogPath);
    const bool bExists = std::filesystem::exists(path, error);
    if (bExists && !args.m_bForce) {
        std::fprintf(stderr, "lmxtool: the session log %s exists already (--force replaces it)\n",
                     args.m_strLogPath.c_str());
        return false;
    }
    if (bExists && !std::filesystem::is_directory(path, error))
        std::filesystem::remove(path, error);
    FileError fileError;
    if (!log.Open(args.m_strLogPath, args.m_strPort, fileError)) {
        std::fprintf(stderr, "lmxtool: cannot create the session log %s: %s\n",
                     args.m_strLogPath.c_str(), FileReasonText(fileError).c_str());
        return false;
    }
    return true;
}

// The log's own failure does not stop the download, but it is no success.
int CloseSessionLog(CSessionLog& log, const DownloadArgs& args, int nExit)
{
    if (args.m_strLogPath.empty())
        return nExit;
    log.Close();
    if (log.WriteError().m_problem != FileProblem::None) {
        std::fprintf(stderr,
                     "lmxtool: the session log stopped early: cannot write the session log %s: "
                     "%s\n",
                     args.m_strLogPath.c_str(), FileReasonText(log.WriteError()).c_str());
        return kExitFailed;
    }
    if (nExit != kExitOk)
        std::fprintf(stderr, "lmxtool: what went over the line is in %s\n",
                     args.m_strLogPath.c_str());
    return nExit;
}

// Tells how the download ended and saves its records when it completed.
int SaveDownload(const CHeadlessDownload& download, DownloadOutcome outcome,
                 const RecordTable& records, const DownloadArgs& args)
{
    const std::string& strPort = args.m_strPort;
    switch (outcome) {
    case DownloadOutcome::Completed: break;
    case DownloadOutcome::PortOpenFailed:
        std::fprintf(stderr, "lmxtool: %s\n",
                     DescribeOpenStatus(download.LastOpenStatus(), download.DevicePath(),
                                        download.LastSystemError(), strPort)
                         .c_str());
        return kExitFailed;
    case DownloadOutcome::PromptTimeout:
        std::fprintf(stderr,
                     "lmxtool: the tester on %s did not answer within %d s (is it switched on "
                     "and connected?)\n",
                     strPort.c_str(), args.m_nTimeout);
        return kExitFailed;
    case DownloadOutcome::TransferStalled:
        std::fprintf(stderr,
                     "lmxtool: the tester on %s stopped sending in the middle of the download\n",
                     strPort.c_str());
        return kExitFailed;
    case DownloadOutcome::DeviceLost:
        std::fprintf(stderr, "lmxtool: the tester on %s was disconnected during the download\n",
                     strPort.c_str());
        return kExitFailed;
    case DownloadOutcome::PortLost:
        std::fprintf(stderr,
                     "lmxtool: the port %s went away before the tester answered (was the "
                     "adapter unplugged?)\n",
                     strPort.c_str());
        return kExitFailed;
    }

    int nSaved = 0;
    const int nExit = SaveRecords(records, args.m_strOutDirectory, args.m_bForce, nSaved);
    std::printf("downloaded %d DBs from %s: %d with a test saved to %s\n", kDbCount,
                strPort.c_str(), nSaved, args.m_strOutDirectory.c_str());
    return nExit;
}

} // namespace

int RunDownload(const ToolArgs& args)
{
    DownloadArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool bHasValue = i + 1 < args.size();
        if (args[i] == "--port" && bHasValue)
            parsed.m_strPort = args[++i];
        else if (args[i] == "--out" && bHasValue)
            parsed.m_strOutDirectory = args[++i];
        else if (args[i] == "--log" && bHasValue)
            parsed.m_strLogPath = args[++i];
        else if (args[i] == "--force")
            parsed.m_bForce = true;
        else if (args[i] == "--timeout" && bHasValue &&
                 ParseSeconds(args[i + 1], parsed.m_nTimeout))
            ++i;
        else
            return UsageError("download: unexpected or incomplete option '" + args[i] + "'");
    }
    if (parsed.m_strPort.empty() || parsed.m_strOutDirectory.empty())
        return UsageError("download needs --port PORT and --out DIR");

    std::error_code error;
    std::filesystem::create_directories(parsed.m_strOutDirectory, error);
    if (error) {
        std::fprintf(stderr, "lmxtool: cannot create %s: %s\n", parsed.m_strOutDirectory.c_str(),
                     error.message().c_str());
        return kExitFailed;
    }

    CSessionLog log;
    if (!parsed.m_strLogPath.empty() && !OpenSessionLog(log, parsed))
        return kExitFailed;

    RecordTable records;
    CStderrProgress progress(StandardErrorIsTerminal());
    CHeadlessDownload download(records, &progress, parsed.m_strLogPath.empty() ? nullptr : &log);
    const auto stallLimit = std::chrono::seconds(std::max(parsed.m_nTimeout, kMinimumStallSeconds));
    const DownloadOutcome outcome = download.Run(parsed.m_strPort, parsed.m_nTimeout, stallLimit);
    progress.OnEvent(DownloadEvent::ProgressEnded{});
    return CloseSessionLog(log, parsed, SaveDownload(download, outcome, records, parsed));
}
