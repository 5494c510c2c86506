// ParseGraph and ParseApList over arbitrary text.

#include "fuzzcheck.h"
#include "records/graphsection.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    FuzzParser(text, size, &GraphSection::ParseGraph);
    FuzzParser(text, size, &GraphSection::ParseApList);

    GraphSection section;
    section.m_strRaw.assign(text, size);
    section.ParseGraph();
    FUZZ_CHECK(section.m_anValue[0] == 0); // index 0 is never written
    section.ParseApList();
    for (int k = 0; k < GraphSection::kApCount; ++k) {
        const auto slot = static_cast<std::size_t>(k);
        FUZZ_CHECK(section.m_anApRssi[slot] >= 0 && section.m_anApRssi[slot] <= 255);
        FUZZ_CHECK(section.m_anApChannel[slot] >= -128 && section.m_anApChannel[slot] <= 127);
        FUZZ_CHECK(section.m_astrApSsid[slot].size() <= 40);
    }
    FUZZ_CHECK(section.m_strSsid.size() <= 40);
    return 0;
}
