// lmx_long_run: a long day in one process of the program. Downloads from
// lmx4410-sim through the program's own application and main frame, one
// after another, with a faulty tester between the good ones: one that never
// answers, one that hangs up in the middle of the transfer and one that
// stops sending in the middle of a section. Each good download must bring
// the 20 DBs, each faulty one must end with its own message and leave the
// port closed, and the resident memory after the last download must stay
// within 1 MB of after the first (not held under the sanitizers, whose
// allocator keeps freed memory aside on purpose). Prints the figures and a
// last line PASS or FAIL; exit status 0 on PASS.
//
//     lmx_long_run [--downloads N]      (100 unless told; at least 2)

#include "app/guidownloadhost.h"
#include "app/mainframe.h"
#include "downloadedtable.h"
#include "framework/langpack.h"
#include "framework/messagebox.h"
#include "framework/resourceids.h"
#include "programharness.h"
#include "simulator/sampleset.h"
#include "simulator/simulatorprocess.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

constexpr long kRssLimitKb = 1024;
// Generous: a loaded machine, or one under the sanitizers, may be slow.
constexpr int kDeadlineMs = 120000;

enum class Fault
{
    None,
    Silent, // never answers: the time-out's message
    HangUp, // closes the line in the middle of the transfer: the lost connection's message
    Stall,  // goes quiet in the middle of a section: the popup says so, the user cancels
};

const char* Name(Fault fault)
{
    switch (fault) {
    case Fault::None: return "normal";
    case Fault::Silent: return "silent tester";
    case Fault::HangUp: return "hang-up mid-transfer";
    case Fault::Stall: return "stall mid-section";
    }
    return "";
}

// Every other download is faulty, the faults taking turns; the first and
// the last are good ones, so that the memory is compared like with like.
Fault FaultOf(int nDownload, int nDownloads)
{
    static constexpr std::array kFaults{Fault::Silent, Fault::HangUp, Fault::Stall};
    if (nDownload == 0 || nDownload == nDownloads - 1 || nDownload % 2 == 0)
        return Fault::None;
    return kFaults[static_cast<std::size_t>(nDownload / 2) % kFaults.size()];
}

std::vector<std::string> SimulatorArguments(Fault fault)
{
    switch (fault) {
    case Fault::None: return {"--fast"};
    case Fault::Silent: return {"--fast", "--silent"};
    // Both within the rate and frame answers, well before their end.
    case Fault::HangUp: return {"--fast", "--hang-up-after", "500"};
    case Fault::Stall: return {"--fast", "--stall-after", "3000"};
    }
    return {};
}

struct Tally
{
    int nDone = 0;
    int nFailed = 0;
};

class CLongRun
{
public:
    explicit CLongRun(CProgramUnderTest& program) : m_program(program)
    {
        SetMessageBoxResponder([this](const MessageBoxRequest& request) {
            m_astrBoxes << request.m_strText;
            return QMessageBox::Ok;
        });
    }
    ~CLongRun() { SetMessageBoxResponder({}); }

    // One download with the fault given; false, with why, when it did not
    // end as it should.
    bool Download(Fault fault, std::string& strWhy)
    {
        auto pFaulty = fault == Fault::None ? nullptr : std::make_unique<CSimulatorProcess>();
        CSimulatorProcess& simulator = pFaulty ? *pFaulty : m_good;
        if (simulator.DevicePath().empty() &&
            !simulator.Start(LMX_SIMULATOR, SimulatorArguments(fault))) {
            strWhy = "the simulator did not start";
            return false;
        }
        m_astrBoxes.clear();
        Tree().clear();
        if (m_nThreadsIdle < 0)
            m_nThreadsIdle = ThreadCount();
        if (Frame().StartDownload(QString::fromStdString(simulator.DevicePath()),
                                  fault == Fault::Silent ? 1 : 10) != 0) {
            strWhy = "the port did not open: " + Boxes();
            return false;
        }
        // This start has closed the port of a cancelled transfer; its tester may go.
        m_pStalled.reset();
        bool bEnded =
            fault == Fault::Stall ? CancelOnceStalled(strWhy) : EndsAsItShould(fault, strWhy);
        if (fault == Fault::Stall) {
            // A transfer cancelled runs on in the background (a tester that
            // went away now would be reported), until the next download
            // opens the port afresh.
            m_pStalled = std::move(pFaulty);
        } else {
            // The faulty tester goes away; a port still listening for it
            // closes, and its watch thread ends, without a word to the user.
            pFaulty.reset();
            if (!RunUntil([&] { return ThreadCount() <= m_nThreadsIdle; }, kDeadlineMs)) {
                strWhy += " the port's watch thread did not end;";
                bEnded = false;
            }
        }
        m_nBoxesShown += static_cast<int>(m_astrBoxes.size());
        if (bEnded && m_astrBoxes != ExpectedBoxes(fault)) {
            strWhy = "unexpected messages: " + Boxes();
            return false;
        }
        return bEnded;
    }

    int BoxesShown() const { return m_nBoxesShown; }

private:
    CMainFrame& Frame() { return m_program.Frame(); }
    QTreeWidget& Tree() { return *Frame().WorkspaceBar().Tree(); }
    CProgressPopup& Popup() { return Frame().Download().ProgressPopup(); }

    static QStringList ExpectedBoxes(Fault fault)
    {
        switch (fault) {
        case Fault::Silent: return {LoadResString(IDS_PROMPT_TIMEOUT_TEXT)};
        case Fault::HangUp: return {LoadResString(IDS_DEVICE_LOST)};
        case Fault::None:
        case Fault::Stall: break;
        }
        return {};
    }

    bool EndsAsItShould(Fault fault, std::string& strWhy)
    {
        const QStringList astrExpected = ExpectedBoxes(fault);
        const bool bEnded = RunUntil(
            [&] {
                const bool bDone =
                    fault == Fault::None ? Tree().topLevelItemCount() > 0 : !m_astrBoxes.isEmpty();
                return bDone && Popup().Window() == nullptr;
            },
            kDeadlineMs);
        if (!bEnded) {
            strWhy = "it did not end; messages: " + Boxes();
            return false;
        }
        if (m_astrBoxes != astrExpected) {
            strWhy = "it ended with: " + Boxes();
            return false;
        }
        if (fault == Fault::None && !(m_program.App().m_Records == m_expected)) {
            strWhy = "the DBs are not the 20 the tester holds";
            return false;
        }
        return true;
    }

    bool CancelOnceStalled(std::string& strWhy)
    {
        const QString strStalled = LoadResString(IDS_TRANSFER_STALLED);
        if (!RunUntil([&] { return Popup().Message() == strStalled; }, kDeadlineMs)) {
            strWhy = "the popup never said the tester stopped sending";
            return false;
        }
        Popup().CancelButton()->click();
        if (!RunUntil([&] { return Popup().Window() == nullptr; }, kDeadlineMs)) {
            strWhy = "Cancel did not close the popup";
            return false;
        }
        return true;
    }

    std::string Boxes() const
    {
        return m_astrBoxes.isEmpty() ? "none"
                                     : m_astrBoxes.join(QStringLiteral(" | ")).toStdString();
    }

    CProgramUnderTest& m_program;
    CSimulatorProcess m_good;
    std::unique_ptr<CSimulatorProcess> m_pStalled;
    // Threads of the program while no port is open.
    int m_nThreadsIdle = -1;
    const RecordTable m_expected = Downloaded(BuiltInSampleSet());
    QStringList m_astrBoxes;
    int m_nBoxesShown = 0;
};

int DownloadCount(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--downloads") == 0)
            return std::max(2, std::atoi(argv[i + 1]));
    }
    return 100;
}

} // namespace

int main(int argc, char** argv)
{
    const int nDownloads = DownloadCount(argc, argv);
    QTemporaryDir home;
    // The run's settings stay apart from the user's, and its windows off the screen.
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    std::array<Tally, 4> tallies{};
    long nRssAfterFirst = 0;
    long nRssAfterLast = 0;
    {
        CProgramUnderTest program;
        CLongRun run(program);
        for (int i = 0; i < nDownloads; ++i) {
            const Fault fault = FaultOf(i, nDownloads);
            Tally& tally = tallies[static_cast<std::size_t>(fault)];
            std::string strWhy;
            if (run.Download(fault, strWhy)) {
                ++tally.nDone;
            } else {
                ++tally.nFailed;
                std::printf("download %d (%s) FAILED: %s\n", i + 1, Name(fault), strWhy.c_str());
            }
            if (i == 0)
                nRssAfterFirst = ResidentKb();
            std::fflush(stdout);
        }
        nRssAfterLast = ResidentKb();
        std::printf("message boxes answered: %d\n", run.BoxesShown());
    }

    int nFailed = 0;
    for (const Fault fault : {Fault::None, Fault::Silent, Fault::HangUp, Fault::Stall}) {
        const Tally& tally = tallies[static_cast<std::size_t>(fault)];
        std::printf("%-22s %3d ended as they should, %d did not\n", Name(fault), tally.nDone,
                    tally.nFailed);
        nFailed += tally.nFailed;
    }
    const long nGrowthKb = nRssAfterLast - nRssAfterFirst;
    std::printf("resident memory after the first download %ld kB, after the last %ld kB "
                "(%+ld kB)%s\n",
                nRssAfterFirst, nRssAfterLast, nGrowthKb,
                kSanitized ? ", not held under the sanitizers" : "");
    const bool bMemoryHeld = kSanitized || nGrowthKb <= kRssLimitKb;
    if (!bMemoryHeld)
        std::printf("resident memory grew by more than %ld kB\n", kRssLimitKb);
    const bool bPassed = nFailed == 0 && bMemoryHeld;
    std::printf("%d downloads: %s\n", nDownloads, bPassed ? "PASS" : "FAIL");
    return bPassed ? 0 : 1;
}
