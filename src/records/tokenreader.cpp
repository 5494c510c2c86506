#include "records/tokenreader.h"

#include <cstdio>

TokenReader::TokenReader(std::string_view text, std::string_view delimiters) : m_strText(text)
{
    for (char c : delimiters)
        m_abDelimiter[static_cast<unsigned char>(c)] = true;
}

bool TokenReader::NextToken(std::string& out)
{
    out.clear();
    while (m_nPos < m_strText.size() && IsDelimiter(m_nPos))
        ++m_nPos;
    if (m_nPos >= m_strText.size())
        return false;
    const std::size_t start = m_nPos;
    while (m_nPos < m_strText.size() && !IsDelimiter(m_nPos))
        ++m_nPos;
    out.assign(m_strText, start, m_nPos - start);
    return true;
}

namespace {

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

// Up to two characters from pos; what lies beyond the text is missing.
std::string_view PairAt(std::string_view text, std::size_t pos)
{
    return pos < text.size() ? text.substr(pos, 2) : std::string_view{};
}

} // namespace

int HexPairValue(std::string_view pair)
{
    const int first = pair.size() > 0 ? HexDigitValue(pair[0]) : 0;
    const int second = pair.size() > 1 ? HexDigitValue(pair[1]) : 0;
    return first * 16 + second;
}

std::string DottedFromHex(std::string_view text)
{
    // The last pair is the text's final two characters (or all of a shorter
    // text), not the pair from index 6: "C0A8" gives 192.168.0.168.
    const std::string_view last = text.size() >= 2 ? text.substr(text.size() - 2) : text;
    char buffer[20];
    std::snprintf(buffer, sizeof buffer, "%u.%u.%u.%u",
                  static_cast<unsigned>(HexPairValue(PairAt(text, 0))),
                  static_cast<unsigned>(HexPairValue(PairAt(text, 2))),
                  static_cast<unsigned>(HexPairValue(PairAt(text, 4))),
                  static_cast<unsigned>(HexPairValue(last)));
    return buffer;
}
