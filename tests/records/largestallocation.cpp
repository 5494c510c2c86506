#include "largestallocation.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

// Kept in a file of its own so that no caller sees new and delete together
// (the compiler would flag malloc/free behind them as a mismatch).
namespace {
std::atomic<std::size_t> g_largest{0};
}

void ResetLargestAllocation()
{
    g_largest = 0;
}
std::size_t LargestAllocation()
{
    return g_largest;
}

void* operator new(std::size_t size)
{
    std::size_t seen = g_largest.load();
    while (size > seen && !g_largest.compare_exchange_weak(seen, size)) {
    }
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
    return operator new(size);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
