#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// Splits a tester text into tokens. Runs of delimiters merge, so an empty
// field between two delimiters never yields a token of its own.
class TokenReader
{
public:
    TokenReader(std::string_view text, std::string_view delimiters);

    // Empties out; returns false at the end of the text, otherwise stores the
    // next maximal run of non-delimiter bytes in out and returns true.
    bool NextToken(std::string& out);

private:
    bool IsDelimiter(std::size_t pos) const
    {
        return m_abDelimiter[static_cast<unsigned char>(m_strText[pos])];
    }

    std::string m_strText;
    std::array<bool, 256> m_abDelimiter{};
    std::size_t m_nPos = 0;
};

// Value 0..255 of two hexadecimal characters; a non-digit or a missing
// character counts 0.
int HexPairValue(std::string_view pair);

// "C0A80001" -> "192.168.0.1": the first, second (from index 2), third (from
// index 4) and last two characters, each as a hexadecimal pair.
std::string DottedFromHex(std::string_view text);
