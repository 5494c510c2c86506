#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

// Runs lmx4410-sim as a child process for tests and benchmarks: starts it,
// reads the device path it prints, and stops it again.
class CSimulatorProcess
{
public:
    CSimulatorProcess() = default;
    CSimulatorProcess(const CSimulatorProcess&) = delete;
    CSimulatorProcess& operator=(const CSimulatorProcess&) = delete;
    ~CSimulatorProcess();

    // False when the program cannot be started or prints no device path in time.
    bool Start(const std::string& strProgram, const std::vector<std::string>& args,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));
    const std::string& DevicePath() const { return m_strDevicePath; }
    // The exit status once the simulator has ended by itself (after a
    // hang-up), or nothing when it is still running after the timeout.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    // Terminates the simulator and waits for it.
    void Stop();

private:
    pid_t m_pid = -1;
    int m_nOutput = -1;
    std::string m_strDevicePath;
};
