#pragma once

#include <string>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

// A pseudo-terminal for channel tests: the test plays the tester on the
// master, and holds the slave open the way the simulator does, so the
// device's state can be looked at while the channel has it open or closed.
class CPtyPair
{
public:
    CPtyPair()
    {
        m_nMaster = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_nMaster < 0 || grantpt(m_nMaster) != 0 || unlockpt(m_nMaster) != 0)
            return;
        m_strSlavePath = ptsname(m_nMaster);
        m_nSlave = open(m_strSlavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    }
    ~CPtyPair()
    {
        CloseMaster();
        if (m_nSlave >= 0)
            close(m_nSlave);
    }
    CPtyPair(const CPtyPair&) = delete;
    CPtyPair& operator=(const CPtyPair&) = delete;

    bool IsOpen() const { return m_nMaster >= 0 && m_nSlave >= 0; }
    const std::string& SlavePath() const { return m_strSlavePath; }
    int Master() const { return m_nMaster; }
    int Slave() const { return m_nSlave; }
    // The tester goes away: the slave side sees a hang-up.
    void CloseMaster()
    {
        if (m_nMaster >= 0)
            close(m_nMaster);
        m_nMaster = -1;
    }

private:
    int m_nMaster = -1;
    int m_nSlave = -1;
    std::string m_strSlavePath;
};
