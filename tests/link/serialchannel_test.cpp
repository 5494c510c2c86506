#include "link/serialchannel.h"
#include "ptypair.h"
#include "waituntil.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>

#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>

namespace {

using namespace std::chrono_literals;

constexpr auto kDeadline = 10s;

// Records what the watch thread reports. In auto mode it stands in for a UI
// thread that handles each notification at once: it takes the bytes (unless
// told to leave them) and acknowledges.
class CRecordingOwner final : public ISerialChannelOwner
{
public:
    CSerialChannel* m_pChannel = nullptr;
    bool m_bAutoAcknowledge = true;
    bool m_bTakeBytes = true;

    void PostPortData(int) override
    {
        std::lock_guard lock(m_mutex);
        ++m_nNotifications;
        if (m_bAutoAcknowledge) {
            char ch = 0;
            while (m_bTakeBytes && m_pChannel->ReceiveQueue().Get(ch))
                m_strReceived += ch;
            m_pChannel->AcknowledgePortData();
        }
        m_changed.notify_all();
    }
    void PostDeviceLost(int) override
    {
        std::lock_guard lock(m_mutex);
        ++m_nDeviceLost;
        m_changed.notify_all();
    }
    void PostChannelMessage(const std::string& strText) override
    {
        std::lock_guard lock(m_mutex);
        m_messages.push_back(strText);
        m_changed.notify_all();
    }

    // Waits until the condition holds (checked under the owner's lock).
    bool WaitFor(const std::function<bool()>& condition)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, kDeadline, condition);
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_nNotifications = 0;
    int m_nDeviceLost = 0;
    std::string m_strReceived;
    std::vector<std::string> m_messages;
};

int ThreadCount()
{
    int nCount = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/task"))
        ++nCount;
    return nCount;
}

// A joined thread leaves /proc a moment after join returns (the kernel wakes
// the joiner before it reaps the task), so a count that must drop is awaited.
bool ThreadCountSettlesAt(int nCount)
{
    return WaitUntil([nCount] { return ThreadCount() == nCount; });
}

void WriteAll(int fd, const std::string& strBytes)
{
    std::size_t nDone = 0;
    while (nDone < strBytes.size()) {
        const ssize_t n = write(fd, strBytes.data() + nDone, strBytes.size() - nDone);
        ASSERT_GT(n, 0);
        nDone += static_cast<std::size_t>(n);
    }
}

std::string ReadAvailable(int fd, std::size_t nWanted)
{
    std::string strRead;
    while (strRead.size() < nWanted) {
        pollfd readable{fd, POLLIN, 0};
        if (poll(&readable, 1, 10000) != 1)
            break;
        char buffer[256];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        strRead.append(buffer, static_cast<std::size_t>(n));
    }
    return strRead;
}

int ExclusiveFlag(int fd)
{
    int nExclusive = -1;
    ioctl(fd, TIOCGEXCL, &nExclusive);
    return nExclusive;
}

class SerialChannelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_pty.IsOpen());
        m_owner.m_pChannel = m_pChannel.get();
    }

    OpenStatus Open() { return m_pChannel->Open(m_owner, m_pty.SlavePath(), 9600); }

    CPtyPair m_pty;
    CRecordingOwner m_owner;
    std::unique_ptr<CSerialChannel> m_pChannel = std::make_unique<CSerialChannel>();
};

TEST_F(SerialChannelTest, OpensTheDeviceRawAndExclusiveAndCarriesBytesBothWays)
{
    ASSERT_EQ(Open(), OpenStatus::Ok);
    EXPECT_TRUE(m_pChannel->IsWatching());
    termios tio{};
    ASSERT_EQ(tcgetattr(m_pty.Slave(), &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(tio.c_cc[VMIN], 1);
    EXPECT_EQ(ExclusiveFlag(m_pty.Slave()), 1);

    WriteAll(m_pty.Master(), "%01Y:2;");
    EXPECT_TRUE(m_owner.WaitFor([&] { return m_owner.m_strReceived == "%01Y:2;"; }));

    EXPECT_EQ(m_pChannel->Write("forpc rtrvinfo\n", 15), 15);
    m_pChannel->WriteChar('\n');
    EXPECT_EQ(ReadAvailable(m_pty.Master(), 16), "forpc rtrvinfo\n\n");
}

TEST_F(SerialChannelTest, CloseRestoresTheSettingsAndReleasesTheDevice)
{
    termios before{};
    ASSERT_EQ(tcgetattr(m_pty.Slave(), &before), 0);
    ASSERT_EQ(Open(), OpenStatus::Ok);
    m_pChannel->Close();

    termios after{};
    ASSERT_EQ(tcgetattr(m_pty.Slave(), &after), 0);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    // The exclusive flag would otherwise outlive the close on a pseudo-terminal.
    EXPECT_EQ(ExclusiveFlag(m_pty.Slave()), 0);
    EXPECT_EQ(flock(m_pty.Slave(), LOCK_EX | LOCK_NB), 0);
    flock(m_pty.Slave(), LOCK_UN);
    EXPECT_TRUE(WaitUntil([&] { return !m_pChannel->IsWatching(); }));
}

TEST_F(SerialChannelTest, ABusyDeviceCannotBeOpenedTwice)
{
    ASSERT_EQ(Open(), OpenStatus::Ok);
    CRecordingOwner otherOwner;
    CSerialChannel other;
    otherOwner.m_pChannel = &other;
    // Root passes the exclusive flag; the lock still keeps it out.
    const OpenStatus status = other.Open(otherOwner, m_pty.SlavePath(), 9600);
    EXPECT_TRUE(status == OpenStatus::PortBusy || status == OpenStatus::PortOpenFailed);
    // The refused open must not have cleared the first channel's exclusive flag.
    EXPECT_EQ(ExclusiveFlag(m_pty.Slave()), 1);
}

TEST_F(SerialChannelTest, ReopeningKeepsExactlyOneWatchThread)
{
    const int nBase = ThreadCount();
    ASSERT_EQ(Open(), OpenStatus::Ok);
    EXPECT_EQ(ThreadCount(), nBase + 1);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Open(), OpenStatus::Ok);
    EXPECT_GE(std::chrono::steady_clock::now() - start, CSerialChannel::kReopenPause);
    EXPECT_TRUE(ThreadCountSettlesAt(nBase + 1));
    WriteAll(m_pty.Master(), "again");
    EXPECT_TRUE(m_owner.WaitFor([&] { return m_owner.m_strReceived == "again"; }));
    m_pChannel.reset();
    EXPECT_TRUE(ThreadCountSettlesAt(nBase));
}

TEST_F(SerialChannelTest, NothingWaitsForeverOnAnOwnerThatHasNotHandledItsNotification)
{
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"Close", [&] { m_pChannel->Close(); }},
        {"Open again", [&] { ASSERT_EQ(Open(), OpenStatus::Ok); }},
        {"destroy", [&] { m_pChannel.reset(); }},
    };
    for (const auto& [pszAction, action] : actions) {
        SCOPED_TRACE(pszAction);
        m_pChannel = std::make_unique<CSerialChannel>();
        m_owner.m_pChannel = m_pChannel.get();
        m_owner.m_bAutoAcknowledge = false;
        m_owner.m_nNotifications = 0;
        const int nBase = ThreadCount();
        ASSERT_EQ(Open(), OpenStatus::Ok);
        WriteAll(m_pty.Master(), "x");
        ASSERT_TRUE(m_owner.WaitFor([&] { return m_owner.m_nNotifications == 1; }));

        action();
        EXPECT_TRUE(WaitUntil([&] { return ThreadCount() <= nBase + 1; }));
        if (m_pChannel && m_pChannel->IsWatching())
            m_pChannel->Close();
        m_pChannel.reset();
        EXPECT_TRUE(ThreadCountSettlesAt(nBase));
    }
}

TEST_F(SerialChannelTest, AReadThatDoesNotFitIsDroppedWholeAndReported)
{
    m_owner.m_bTakeBytes = false;
    ASSERT_EQ(Open(), OpenStatus::Ok);
    std::string strFill;
    for (int i = 0; i < CCommQueue::kCapacity; ++i)
        strFill += static_cast<char>('A' + i % 26);
    WriteAll(m_pty.Master(), strFill);
    CCommQueue& queue = m_pChannel->ReceiveQueue();
    ASSERT_TRUE(WaitUntil([&] { return queue.GetCount() == CCommQueue::kCapacity; }));

    WriteAll(m_pty.Master(), "lost!");
    EXPECT_TRUE(m_owner.WaitFor([&] { return !m_owner.m_messages.empty(); }));
    EXPECT_EQ(m_owner.m_messages, std::vector<std::string>{"COMM QUEUE OVERFLOW"});
    EXPECT_EQ(queue.GetCount(), CCommQueue::kCapacity);

    std::string strTaken;
    char ch = 0;
    while (queue.Get(ch))
        strTaken += ch;
    EXPECT_EQ(strTaken, strFill);
    WriteAll(m_pty.Master(), "later");
    EXPECT_TRUE(WaitUntil([&] { return queue.GetCount() == 5; }));
}

TEST_F(SerialChannelTest, ALostDeviceEndsTheWatchThreadAndIsReported)
{
    ASSERT_EQ(Open(), OpenStatus::Ok);
    WriteAll(m_pty.Master(), "last");
    ASSERT_TRUE(m_owner.WaitFor([&] { return m_owner.m_strReceived == "last"; }));
    m_pty.CloseMaster();
    EXPECT_TRUE(m_owner.WaitFor([&] { return m_owner.m_nDeviceLost == 1; }));
    EXPECT_TRUE(WaitUntil([&] { return !m_pChannel->IsWatching(); }));
    m_pChannel->Close();
}

TEST_F(SerialChannelTest, FailedOpensSayWhatFailed)
{
    struct Case
    {
        std::string strPort;
        int nBaud;
        OpenStatus status;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"/dev/no-such-tester", 9600, OpenStatus::PortOpenFailed, {}},
        {"COM2", 9600, OpenStatus::BadPortName, {}},
        {"/dev/null", 9600, OpenStatus::SetupFailed, {"GetCommState"}},
        {m_pty.SlavePath(), 12345, OpenStatus::SetupFailed, {"baud=12345 parity=N data=8 stop=1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.strPort);
        CRecordingOwner owner;
        CSerialChannel channel;
        owner.m_pChannel = &channel;
        EXPECT_EQ(channel.Open(owner, c.strPort, c.nBaud), c.status);
        EXPECT_EQ(owner.m_messages, c.messages);
        EXPECT_FALSE(channel.IsWatching());
    }
    CRecordingOwner owner;
    CSerialChannel channel;
    channel.Open(owner, "/dev/no-such-tester", 9600);
    EXPECT_EQ(channel.LastSystemError(), ENOENT);
    // A write with no port fails at once and says so.
    EXPECT_EQ(channel.Write("x", 1), 0);
    EXPECT_EQ(owner.m_messages, std::vector<std::string>{"ERROR CODE [9] "});
}

} // namespace
