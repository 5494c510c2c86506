#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The length-prefixed string encoding of the document file (little-endian):
//   length < 255          : 1 byte length, then the bytes
//   length 255..65533     : 0xFF, 16-bit length, then the bytes
//   length 65534 and more : 0xFF, 0xFFFF, 32-bit length, then the bytes
// A 16-bit length of 0xFFFE marks a UTF-16 string whose character count
// follows in the same scheme; we read it (never write it) and turn every code
// unit above 255, and every surrogate pair, into '?'.
void AppendArchiveString(std::string& out, std::string_view text);

// Reads archive strings from a byte buffer without ever trusting a declared
// length further than the bytes that are really there.
class ArchiveStringReader
{
public:
    explicit ArchiveStringReader(std::string_view bytes) : m_bytes(bytes) {}

    // False when the buffer ends before the whole string (the output is then
    // unspecified and the reader stays where the string began).
    bool ReadString(std::string& out);

    std::size_t Position() const { return m_nPos; }

private:
    bool ReadLength(std::size_t& pos, std::size_t& length, bool& wide) const;
    bool ReadUnsigned(std::size_t& pos, int byteCount, std::size_t& value) const;

    std::string_view m_bytes;
    std::size_t m_nPos = 0;
};
