#pragma once

#include <cstddef>

// The largest single operator new request since the last reset. A damaged
// file must never make the reader allocate what its length prefixes merely
// claim, before the bytes are there.
void ResetLargestAllocation();
std::size_t LargestAllocation();
