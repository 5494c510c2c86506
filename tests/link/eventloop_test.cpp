#include "link/eventloop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(EventLoopTest, ATaskPostedFromAnotherThreadWakesTheLoop)
{
    CEventLoop loop;
    bool bDone = false;
    std::thread poster([&] { loop.Post([&] { bDone = true; }); });
    loop.Run([&] { return bDone; });
    poster.join();
    EXPECT_TRUE(bDone);
}

TEST(EventLoopTest, TimersFireByPeriodUntilStoppedEvenFromTheirOwnHandler)
{
    CEventLoop loop;
    std::vector<int> fired;
    loop.StartTimer(1, 10ms, [&] { fired.push_back(1); });
    loop.StartTimer(2, 25ms, [&] {
        fired.push_back(2);
        loop.StopTimer(2);
    });
    const auto start = CEventLoop::Clock::now();
    loop.Run([&] { return std::count(fired.begin(), fired.end(), 1) == 5; });
    EXPECT_GE(CEventLoop::Clock::now() - start, 50ms);
    EXPECT_EQ(std::count(fired.begin(), fired.end(), 2), 1);
    EXPECT_FALSE(loop.IsTimerRunning(2));
    EXPECT_TRUE(loop.IsTimerRunning(1));
}

TEST(EventLoopTest, AHandlerCanPumpTheLoop)
{
    CEventLoop loop;
    std::vector<std::string> order;
    bool bDone = false;
    loop.Post([&] {
        loop.Post([&] { order.push_back("inner"); });
        loop.DispatchPending();
        order.push_back("outer");
        bDone = true;
    });
    loop.Run([&] { return bDone; });
    EXPECT_EQ(order, (std::vector<std::string>{"inner", "outer"}));
}

} // namespace
