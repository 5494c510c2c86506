#include "records/latin1text.h"

void AppendLatin1AsUtf8(std::string& out, std::string_view bytes)
{
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else {
            // Code points 0x80..0xFF take two bytes.
            out.push_back(static_cast<char>(0xC0 | (b >> 6)));
            out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
}
