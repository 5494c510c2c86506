#pragma once

#include <string>
#include <string_view>

// The tester's texts are Latin-1 bytes: byte b is code point b. Appends them
// to out as UTF-8, so every byte survives and umlauts read right elsewhere.
void AppendLatin1AsUtf8(std::string& out, std::string_view bytes);
