#include "link/commqueue.h"

void CCommQueue::Empty()
{
    m_buffer.fill(0);
    m_nIn.store(0);
    m_nOut.store(0);
}

int CCommQueue::GetCount() const
{
    const std::uint32_t nIn = m_nIn.load(std::memory_order_acquire);
    const std::uint32_t nOut = m_nOut.load(std::memory_order_acquire);
    return static_cast<int>((nIn - nOut + kSize) % kSize);
}

bool CCommQueue::Put(char ch)
{
    return PutWhole(&ch, 1);
}

bool CCommQueue::PutWhole(const char* pBytes, int nCount)
{
    if (nCount < 0 || nCount > kCapacity - GetCount())
        return false;
    std::uint32_t nIn = m_nIn.load(std::memory_order_relaxed);
    for (int i = 0; i < nCount; ++i) {
        m_buffer[nIn] = pBytes[i];
        nIn = (nIn + 1) % kSize;
    }
    // Publishes the bytes to the consumer together with the new index.
    m_nIn.store(nIn, std::memory_order_release);
    return true;
}

bool CCommQueue::Get(char& ch)
{
    const std::uint32_t nOut = m_nOut.load(std::memory_order_relaxed);
    if (nOut == m_nIn.load(std::memory_order_acquire))
        return false;
    ch = m_buffer[nOut];
    m_nOut.store((nOut + 1) % kSize, std::memory_order_release);
    return true;
}
