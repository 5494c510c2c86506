#pragma once

#include "records/testrecord.h"
#include "simulator/testeranswers.h"
#include "simulator/testersimulator.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// A moment on the tester's line, for measuring the program's pauses: a line
// from the program has arrived, or everything queued (a prompt, an answer)
// has been handed to the line.
struct LineEvent
{
    enum class Kind
    {
        LineReceived,
        AllSent,
    };
    std::chrono::steady_clock::time_point m_time;
    Kind m_kind = Kind::LineReceived;
    std::string m_strLine; // the line received, with its line feed
};

// How the simulated tester talks on its line.
struct SimulatorOptions
{
    bool m_bPaced = true;           // at 9600 baud; otherwise everything is sent at once
    SimulatorBehaviour m_behaviour; // of a tester holding data
    std::optional<std::uint64_t> m_nStallAfter;  // go quiet after this many bytes, once
    std::optional<std::uint64_t> m_nHangUpAfter; // close the line after this many bytes
    // Hears of each line event on the serving thread, when set.
    std::function<void(const LineEvent&)> m_onLineEvent;
};

// Why the tester stopped serving.
enum class SimulatorEnd
{
    Stopped,  // Stop was called
    HungUp,   // it closed the line after the bytes m_nHangUpAfter allows
    LineLost, // the pseudo-terminal went away under it
    Failed,   // waiting on the line failed (see LastError)
};

// A tester on a pseudo-terminal: the program opens DevicePath() as it would a
// serial port and downloads from it. The tester serves either on the caller's
// thread or on a thread of its own, until Stop, a hang-up it was asked for or
// the loss of the line; then the device is gone, and a program that has it
// open sees a hang-up.
class CSimulatedTester
{
public:
    CSimulatedTester() = default;
    CSimulatedTester(const CSimulatedTester&) = delete;
    CSimulatedTester& operator=(const CSimulatedTester&) = delete;
    ~CSimulatedTester();

    // Sets up the pseudo-terminal for a tester holding data; one that was
    // started before is stopped first. False, with a sentence in LastError,
    // when no pseudo-terminal can be had.
    bool Start(const RecordTable& data, const SimulatorOptions& options);
    // The same for a tester that answers as pAnswers says; the options'
    // behaviour is pAnswers' business.
    bool Start(std::unique_ptr<ITesterAnswers> pAnswers, const SimulatorOptions& options);
    // The device to download from, such as /dev/pts/3.
    const std::string& DevicePath() const { return m_strDevicePath; }
    // Serves on the calling thread. Returns at once (Stopped) when the tester
    // is not started, already serves or is being stopped.
    SimulatorEnd Serve();
    // Serves on a thread of its own; false, with a sentence in LastError,
    // when the tester is not started or the thread cannot start.
    bool StartThread();
    // Ends serving, waits until it has ended and takes the device away. Any
    // thread but the serving one; calling it again does nothing.
    void Stop();
    // From StartThread or Serve until serving has ended.
    bool IsServing() const;
    // Why Start or StartThread failed, or why serving Failed.
    const std::string& LastError() const { return m_strError; }

private:
    bool OpenPseudoTerminal();
    void ClosePseudoTerminal();
    bool CanServe() const;
    SimulatorEnd ServeUntilEnd();
    SimulatorEnd ServeLine();
    void NoteLineEvent(LineEvent::Kind kind, const std::string& strLine) const;

    std::unique_ptr<ITesterAnswers> m_pAnswers;
    SimulatorOptions m_options;
    std::string m_strDevicePath;
    std::string m_strError;
    int m_nMaster = -1;
    int m_nSlave = -1;
    // Written by Stop to release the serving loop's wait on the line.
    int m_nWakeFd = -1;
    std::thread m_thread;
    // Guards the descriptors and the serving state between the serving
    // thread and the others.
    mutable std::mutex m_mutex;
    std::condition_variable m_servingEnded;
    bool m_bServing = false;
    // From Stop to the next Start: nothing may begin serving on descriptors
    // that Stop is about to close.
    bool m_bStopping = false;
};
