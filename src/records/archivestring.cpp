#include "records/archivestring.h"

#include <cstdint>

namespace {

constexpr std::size_t kByteLengthLimit = 0xFF;
constexpr std::size_t kWordLengthLimit = 0xFFFE;
constexpr std::size_t kWideMarker = 0xFFFE;
constexpr std::size_t kDwordMarker = 0xFFFF;

void AppendLittleEndian(std::string& out, std::uint32_t value, int byteCount)
{
    for (int i = 0; i < byteCount; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// One UTF-16 code unit to a byte of the single-byte text.
char NarrowCodeUnit(unsigned unit)
{
    return unit < 0x100 ? static_cast<char>(unit) : '?';
}

bool IsHighSurrogate(unsigned unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(unsigned unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

void AppendArchiveString(std::string& out, std::string_view text)
{
    const std::size_t length = text.size();
    if (length < kByteLengthLimit) {
        AppendLittleEndian(out, static_cast<std::uint32_t>(length), 1);
    } else if (length < kWordLengthLimit) {
        out.push_back(static_cast<char>(0xFF));
        AppendLittleEndian(out, static_cast<std::uint32_t>(length), 2);
    } else {
        out.push_back(static_cast<char>(0xFF));
        AppendLittleEndian(out, static_cast<std::uint32_t>(kDwordMarker), 2);
        AppendLittleEndian(out, static_cast<std::uint32_t>(length), 4);
    }
    out.append(text);
}

bool ArchiveStringReader::ReadUnsigned(std::size_t& pos, int byteCount, std::size_t& value) const
{
    if (m_bytes.size() - pos < static_cast<std::size_t>(byteCount))
        return false;
    value = 0;
    for (int i = 0; i < byteCount; ++i)
        value |= static_cast<std::size_t>(static_cast<unsigned char>(m_bytes[pos + i])) << (8 * i);
    pos += static_cast<std::size_t>(byteCount);
    return true;
}

bool ArchiveStringReader::ReadLength(std::size_t& pos, std::size_t& length, bool& wide) const
{
    wide = false;
    if (!ReadUnsigned(pos, 1, length))
        return false;
    if (length < kByteLengthLimit)
        return true;
    if (!ReadUnsigned(pos, 2, length))
        return false;
    if (length == kWideMarker) {
        wide = true;
        if (!ReadUnsigned(pos, 1, length))
            return false;
        if (length < kByteLengthLimit)
            return true;
        if (!ReadUnsigned(pos, 2, length))
            return false;
    }
    if (length < kDwordMarker)
        return true;
    return ReadUnsigned(pos, 4, length);
}

bool ArchiveStringReader::ReadString(std::string& out)
{
    std::size_t pos = m_nPos;
    std::size_t length = 0;
    bool wide = false;
    if (!ReadLength(pos, length, wide))
        return false;
    const std::size_t available = m_bytes.size() - pos;
    if (!wide) {
        if (length > available)
            return false;
        out.assign(m_bytes.substr(pos, length));
        m_nPos = pos + length;
        return true;
    }
    if (length > available / 2)
        return false;
    out.clear();
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        std::size_t unit = 0;
        ReadUnsigned(pos, 2, unit);
        if (IsHighSurrogate(static_cast<unsigned>(unit)) && i + 1 < length) {
            std::size_t next = pos;
            std::size_t low = 0;
            ReadUnsigned(next, 2, low);
            if (IsLowSurrogate(static_cast<unsigned>(low))) {
                pos = next;
                ++i;
            }
        }
        out.push_back(NarrowCodeUnit(static_cast<unsigned>(unit)));
    }
    m_nPos = pos;
    return true;
}
