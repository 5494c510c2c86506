#include "simulator/simulatorprocess.h"

#include <csignal>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

CSimulatorProcess::~CSimulatorProcess()
{
    Stop();
}

bool CSimulatorProcess::Start(const std::string& strProgram, const std::vector<std::string>& args,
                              std::chrono::milliseconds timeout)
{
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(strProgram.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const int nError =
        posix_spawn(&m_pid, strProgram.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    m_nOutput = pipeFds[0];
    if (nError != 0) {
        m_pid = -1;
        return false;
    }

    // The first line is the device path.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string strLine;
    while (strLine.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd output{m_nOutput, POLLIN, 0};
        if (left.count() <= 0 || poll(&output, 1, static_cast<int>(left.count())) <= 0)
            return false;
        char buffer[256];
        const ssize_t nRead = read(m_nOutput, buffer, sizeof buffer);
        if (nRead <= 0)
            return false;
        strLine.append(buffer, static_cast<std::size_t>(nRead));
    }
    m_strDevicePath = strLine.substr(0, strLine.find('\n'));
    return true;
}

std::optional<int> CSimulatorProcess::WaitForExit(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (m_pid > 0) {
        int nStatus = 0;
        if (waitpid(m_pid, &nStatus, WNOHANG) == m_pid) {
            m_pid = -1;
            return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
}

void CSimulatorProcess::Stop()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    if (m_nOutput >= 0) {
        close(m_nOutput);
        m_nOutput = -1;
    }
}
