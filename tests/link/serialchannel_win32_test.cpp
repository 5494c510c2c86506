// The Win32 channel where it needs no tester: ports that are not there or are
// no serial ports, and a write without a port. Its data path is tested end to
// end under Wine against the simulator (tests/windows/lmxtool_under_wine.sh).

#include "link/serialchannel.h"
#include "records/systemerror.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

namespace {

// Open and Write report on the calling thread; nothing here starts a watch thread.
class CMessageOwner final : public ISerialChannelOwner
{
public:
    void PostPortData(int) override {}
    void PostDeviceLost(int) override {}
    void PostChannelMessage(const std::string& strText) override { m_messages.push_back(strText); }

    std::vector<std::string> m_messages;
};

TEST(SerialChannelWin32Test, FailedOpensSayWhatFailed)
{
    struct Case
    {
        const char* pszPort;
        OpenStatus status;
        const char* pszDevice;
        const char* pszMessageStart; // nullptr: no message
    };
    const Case cases[] = {
        {"250", OpenStatus::PortOpenFailed, "\\\\.\\COM250", nullptr},
        {"LPT1", OpenStatus::BadPortName, "", nullptr},
        {"\\\\.\\NUL", OpenStatus::SetupFailed, "\\\\.\\NUL", "GetCommState: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszPort);
        CMessageOwner owner;
        CSerialChannel channel;
        EXPECT_EQ(channel.Open(owner, c.pszPort, 9600), c.status);
        EXPECT_FALSE(channel.IsWatching());
        if (c.status != OpenStatus::BadPortName) {
            EXPECT_EQ(channel.DevicePath(), c.pszDevice);
        }
        if (c.pszMessageStart) {
            ASSERT_EQ(owner.m_messages.size(), 1u);
            EXPECT_EQ(owner.m_messages[0].rfind(c.pszMessageStart, 0), 0u) << owner.m_messages[0];
            EXPECT_GT(owner.m_messages[0].size(), std::string(c.pszMessageStart).size())
                << "the system's reason follows";
        } else {
            EXPECT_TRUE(owner.m_messages.empty());
        }
    }
}

TEST(SerialChannelWin32Test, AMissingPortIsNotFound)
{
    CMessageOwner owner;
    CSerialChannel channel;
    ASSERT_EQ(channel.Open(owner, "COM249", 9600), OpenStatus::PortOpenFailed);
    EXPECT_EQ(channel.LastSystemError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(channel.DevicePath(), "\\\\.\\COM249");
    EXPECT_EQ(CSerialPort::ClassifyOpenError(channel.LastSystemError()),
              CSerialPort::Problem::NotFound);
}

TEST(SerialChannelWin32Test, AWriteWithoutAPortFailsAtOnceAndSaysSo)
{
    CMessageOwner owner;
    CSerialChannel channel;
    channel.Open(owner, "COM248", 9600);
    EXPECT_EQ(channel.Write("x", 1), 0);
    ASSERT_EQ(owner.m_messages.size(), 1u);
    EXPECT_EQ(owner.m_messages[0], "ERROR CODE [6] " + SystemErrorText(ERROR_INVALID_HANDLE));
    channel.WriteChar('\n');
    EXPECT_EQ(owner.m_messages.size(), 1u) << "the prompt wait's line feed fails quietly";
}

} // namespace
