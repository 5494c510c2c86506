// ParsePing over arbitrary text.

#include "fuzzcheck.h"
#include "records/pingsection.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzParser(reinterpret_cast<const char*>(data), size, &PingSection::ParsePing);
    return 0;
}
