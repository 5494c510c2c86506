#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding: report it and stop so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// Parsing depends only on the text: running a parser twice changes nothing more.
template <typename Section>
void FuzzParser(const char* data, std::size_t size, void (Section::*parse)())
{
    Section section;
    section.m_strRaw.assign(data, size);
    (section.*parse)();
    Section again = section;
    (again.*parse)();
    FUZZ_CHECK(again == section);
}
