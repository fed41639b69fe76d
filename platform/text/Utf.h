#pragma once
// UTF-8 and UTF-16 code units, for the conversions of platform/text/Cp932.h.

#include <cstddef>
#include <string>
#include <string_view>

namespace utf {

// Appends Code as UTF-8 (Code must be a Unicode scalar value).
void AppendUtf8(char32_t Code, std::string& Out);

// The code point that starts at Pos, moving Pos past it; -1 for a byte
// sequence that is no valid UTF-8 (overlong forms and surrogates included),
// with Pos moved past its first byte.
long NextUtf8(std::string_view Text, std::size_t& Pos);

// Appends Code as UTF-16 (one unit, or a surrogate pair above U+FFFF).
void AppendUtf16(char32_t Code, std::u16string& Out);

// The code point that starts at Pos, moving Pos past it; -1 for a surrogate
// without its partner.
long NextUtf16(std::u16string_view Text, std::size_t& Pos);

}  // namespace utf
