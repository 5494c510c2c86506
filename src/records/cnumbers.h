#pragma once

#include <cstdint>
#include <string_view>

// The tester's numbers are read the way the C library reads them, but
// without its undefined corners and independent of the process locale:
//
// AtoI: leading white space, an optional sign, decimal digits; stops at the
//       first other byte; no digits gives 0; values beyond the int range
//       saturate at INT_MIN / INT_MAX.
// AtoF: leading white space, an optional sign, a decimal number with an
//       optional fraction and exponent ("inf"/"nan" are not numbers here);
//       '.' is the decimal point whatever the locale; no number gives 0.
// ScanHex: as sscanf "%x": leading white space, an optional sign, an
//       optional "0x"/"0X" prefix, hexadecimal digits; the result is the
//       32-bit pattern (wrapping modulo 2^32, a minus sign negates it); no
//       digits gives 0.
int AtoI(std::string_view text);
double AtoF(std::string_view text);
std::uint32_t ScanHex(std::string_view text);

// The int whose bits are the given 32-bit pattern.
inline int IntFromBits(std::uint32_t bits)
{
    return static_cast<int>(bits);
}
