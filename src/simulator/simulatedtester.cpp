#include "simulator/simulatedtester.h"

#include "simulator/dataanswers.h"
#include "simulator/linecollector.h"
#include "simulator/pacedline.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The text perror prints for the error.
std::string SystemErrorText(int nError)
{
    return std::generic_category().message(nError);
}

void CloseDescriptor(int& fd)
{
    if (fd >= 0)
        close(fd);
    fd = -1;
}

} // namespace

CSimulatedTester::~CSimulatedTester()
{
    Stop();
}

bool CSimulatedTester::Start(const RecordTable& data, const SimulatorOptions& options)
{
    return Start(std::make_unique<CDataAnswers>(data, options.m_behaviour), options);
}

bool CSimulatedTester::Start(std::unique_ptr<ITesterAnswers> pAnswers,
                             const SimulatorOptions& options)
{
    Stop();
    std::lock_guard lock(m_mutex);
    if (!pAnswers) {
        m_strError = "the simulated tester has nothing to answer with";
        return false;
    }
    m_pAnswers = std::move(pAnswers);
    m_options = options;
    m_strError.clear();
    m_strDevicePath.clear();
    m_bStopping = false;
    if (!OpenPseudoTerminal()) {
        m_strError = "cannot set up a pseudo-terminal: " + SystemErrorText(errno);
        ClosePseudoTerminal();
        return false;
    }
    return true;
}

// Returns false right after the call that failed, so errno tells why.
bool CSimulatedTester::OpenPseudoTerminal()
{
    m_nWakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_nWakeFd < 0)
        return false;
    m_nMaster = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_nMaster < 0 || grantpt(m_nMaster) != 0 || unlockpt(m_nMaster) != 0)
        return false;
    std::array<char, 128> slavePath{};
    if (const int nError = ptsname_r(m_nMaster, slavePath.data(), slavePath.size())) {
        errno = nError;
        return false;
    }
    // Holding the slave open keeps the master from seeing a hang-up between
    // the program's downloads. Raw, so the line discipline never echoes what
    // the tester sends back to it while the program has the port closed.
    m_nSlave = open(slavePath.data(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (m_nSlave < 0 || tcgetattr(m_nSlave, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    if (tcsetattr(m_nSlave, TCSANOW, &tio) != 0)
        return false;
    if (fcntl(m_nMaster, F_SETFL, O_NONBLOCK) != 0)
        return false;
    m_strDevicePath = slavePath.data();
    return true;
}

// Closing both sides makes the device vanish: a program holding it open
// sees a hang-up, as when a tester is unplugged.
void CSimulatedTester::ClosePseudoTerminal()
{
    CloseDescriptor(m_nMaster);
    CloseDescriptor(m_nSlave);
}

SimulatorEnd CSimulatedTester::Serve()
{
    {
        std::lock_guard lock(m_mutex);
        if (!CanServe())
            return SimulatorEnd::Stopped;
        m_bServing = true;
    }
    return ServeUntilEnd();
}

// Serving counts from here, so that a tester on its thread serves as soon as
// StartThread returns, and a Stop at once still waits for the thread.
bool CSimulatedTester::StartThread()
{
    std::lock_guard lock(m_mutex);
    if (!CanServe()) {
        m_strError = "the simulated tester is not started, or it serves already";
        return false;
    }
    m_bServing = true;
    try {
        m_thread = std::thread([this] { ServeUntilEnd(); });
    } catch (const std::system_error& error) {
        m_bServing = false;
        m_strError = std::string("cannot start the simulated tester's thread: ") + error.what();
        return false;
    }
    return true;
}

bool CSimulatedTester::CanServe() const
{
    return m_nMaster >= 0 && !m_bServing && !m_bStopping;
}

SimulatorEnd CSimulatedTester::ServeUntilEnd()
{
    const SimulatorEnd end = ServeLine();
    {
        std::lock_guard lock(m_mutex);
        ClosePseudoTerminal();
        m_bServing = false;
    }
    m_servingEnded.notify_all();
    return end;
}

void CSimulatedTester::Stop()
{
    {
        std::unique_lock lock(m_mutex);
        m_bStopping = true;
        if (m_nWakeFd >= 0)
            eventfd_write(m_nWakeFd, 1);
        m_servingEnded.wait(lock, [this] { return !m_bServing; });
    }
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard lock(m_mutex);
    ClosePseudoTerminal();
    CloseDescriptor(m_nWakeFd);
}

void CSimulatedTester::NoteLineEvent(LineEvent::Kind kind, const std::string& strLine) const
{
    if (m_options.m_onLineEvent)
        m_options.m_onLineEvent(LineEvent{std::chrono::steady_clock::now(), kind, strLine});
}

bool CSimulatedTester::IsServing() const
{
    std::lock_guard lock(m_mutex);
    return m_bServing;
}

SimulatorEnd CSimulatedTester::ServeLine()
{
    CLineCollector lines;
    CPacedLine output(m_nMaster, m_options.m_bPaced);
    m_pAnswers->Begin(output);
    std::optional<std::uint64_t> nStallAfter = m_options.m_nStallAfter;
    for (;;) {
        std::uint64_t nBudget = UINT64_MAX;
        for (const auto& limit : {nStallAfter, m_options.m_nHangUpAfter}) {
            if (limit)
                nBudget = std::min(nBudget, *limit - std::min(*limit, output.BytesSent()));
        }
        const bool bWasSending = !output.IsIdle();
        const auto nextDue = output.SendDue(nBudget);
        if (bWasSending && output.IsIdle())
            NoteLineEvent(LineEvent::Kind::AllSent, {});
        if (m_options.m_nHangUpAfter && output.BytesSent() >= *m_options.m_nHangUpAfter)
            return SimulatorEnd::HungUp;
        if (nStallAfter && output.BytesSent() >= *nStallAfter) {
            output.Clear();
            nStallAfter.reset();
        }

        int nTimeoutMs = -1;
        if (nextDue) {
            const auto wait =
                std::chrono::ceil<std::chrono::milliseconds>(*nextDue - CPacedLine::Clock::now());
            nTimeoutMs = static_cast<int>(std::max<std::int64_t>(wait.count(), 0));
        }
        std::array<pollfd, 2> fds = {
            pollfd{m_nMaster, static_cast<short>(POLLIN | (output.IsBlocked() ? POLLOUT : 0)), 0},
            pollfd{m_nWakeFd, POLLIN, 0}};
        if (poll(fds.data(), fds.size(), nTimeoutMs) < 0 && errno != EINTR) {
            m_strError = "poll: " + SystemErrorText(errno);
            return SimulatorEnd::Failed;
        }
        if (fds[1].revents & POLLIN)
            return SimulatorEnd::Stopped;
        const pollfd& master = fds[0];
        if (!(master.revents & POLLIN)) {
            // The slave is held open here, so a hang-up means the line is gone.
            if (master.revents & (POLLERR | POLLHUP | POLLNVAL))
                return SimulatorEnd::LineLost;
            continue;
        }
        char buffer[512];
        const ssize_t nRead = read(m_nMaster, buffer, sizeof buffer);
        if (nRead <= 0)
            continue;
        for (const std::string& strLine :
             lines.Add(std::string_view(buffer, static_cast<std::size_t>(nRead)))) {
            NoteLineEvent(LineEvent::Kind::LineReceived, strLine);
            m_pAnswers->OnLine(strLine, output);
        }
    }
}
