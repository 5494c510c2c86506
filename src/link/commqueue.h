#pragma once

#include <array>
#include <atomic>
#include <cstdint>

// The receive ring between the watch thread, its only producer, and the
// owner's thread, its only consumer. One slot always stays free so that a full
// ring and an empty one differ: it holds at most kCapacity bytes. Each index is
// written by one side only, so the ring needs no lock.
class CCommQueue
{
public:
    static constexpr std::uint32_t kSize = 8192;
    static constexpr int kCapacity = static_cast<int>(kSize) - 1;

    // Both indexes 0 and the buffer zeroed; only while neither thread uses the ring.
    void Empty();
    // Bytes held, 0 to kCapacity.
    int GetCount() const;
    // False when the ring is full.
    bool Put(char ch);
    // Queues all nCount bytes in order, or none of them when they do not fit:
    // a read from the port is never split.
    bool PutWhole(const char* pBytes, int nCount);
    // False when the ring is empty; ch is then left as it was.
    bool Get(char& ch);

private:
    std::array<char, kSize> m_buffer{};
    std::atomic<std::uint32_t> m_nIn{0};  // where the next byte is put
    std::atomic<std::uint32_t> m_nOut{0}; // where the next byte is taken
};
