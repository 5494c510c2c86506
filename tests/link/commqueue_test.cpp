#include "link/commqueue.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string TakeAll(CCommQueue& queue)
{
    std::string strTaken;
    char ch = 0;
    while (queue.Get(ch))
        strTaken += ch;
    return strTaken;
}

TEST(CommQueueTest, HoldsOneByteLessThanItsSize)
{
    CCommQueue queue;
    for (int i = 0; i < CCommQueue::kCapacity; ++i)
        ASSERT_TRUE(queue.Put(static_cast<char>(i)));
    EXPECT_EQ(queue.GetCount(), 8191);
    EXPECT_FALSE(queue.Put('x'));
    EXPECT_EQ(queue.GetCount(), 8191);

    char ch = 0;
    ASSERT_TRUE(queue.Get(ch));
    EXPECT_EQ(ch, 0);
    EXPECT_TRUE(queue.Put('y'));
}

TEST(CommQueueTest, GetOnAnEmptyRingLeavesTheByte)
{
    CCommQueue queue;
    char ch = 'k';
    EXPECT_FALSE(queue.Get(ch));
    EXPECT_EQ(ch, 'k');
}

TEST(CommQueueTest, IndexesWrapAndKeepTheOrder)
{
    CCommQueue queue;
    std::string strSent;
    std::string strTaken;
    // Many times round the ring in uneven steps.
    for (int nRound = 0; nRound < 40; ++nRound) {
        const std::string strChunk(1000 + nRound * 37, static_cast<char>('a' + nRound % 26));
        ASSERT_TRUE(queue.PutWhole(strChunk.data(), static_cast<int>(strChunk.size())));
        strSent += strChunk;
        strTaken += TakeAll(queue);
        EXPECT_EQ(queue.GetCount(), 0);
    }
    EXPECT_EQ(strTaken, strSent);
}

TEST(CommQueueTest, AReadIsQueuedWholeOrDroppedWhole)
{
    struct Case
    {
        int nHeld;
        int nRead;
        bool bQueued;
    };
    const Case cases[] = {
        {0, 2048, true},  {8000, 191, true},  {8000, 192, false},
        {8191, 1, false}, {6143, 2048, true}, {6144, 2048, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.nHeld) + " held, " + std::to_string(c.nRead) + " read");
        CCommQueue queue;
        const std::string strHeld(static_cast<std::size_t>(c.nHeld), 'h');
        ASSERT_TRUE(queue.PutWhole(strHeld.data(), c.nHeld));
        const std::string strRead(static_cast<std::size_t>(c.nRead), 'r');
        EXPECT_EQ(queue.PutWhole(strRead.data(), c.nRead), c.bQueued);
        EXPECT_EQ(queue.GetCount(), c.nHeld + (c.bQueued ? c.nRead : 0));
        EXPECT_EQ(TakeAll(queue), strHeld + (c.bQueued ? strRead : ""));
    }
}

} // namespace
