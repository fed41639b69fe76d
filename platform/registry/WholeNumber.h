#pragma once
// The whole-number rule of the system's stored settings, shared by the
// registry store's text-to-number reads: an optional "-" or "+", then either
// decimal digits or hexadecimal digits (either case) after "$" or "0x"/"0X".
// No blanks, nothing after the digits, and the empty text is no number.
//
// Range: a decimal number must fit the 32-bit signed range. A hexadecimal
// number may use all 32 bits and is taken as that bit pattern, so "$FFFFFFFF"
// is -1 (what a DWORD written in hex means); more than 32 bits is no number.
// A sign before hex digits negates the pattern ("-$1" is -1).
//
// The settings file layer has the same rule; this copy exists because the
// registry store was written first and must not depend on that layer.

#include <cstdint>
#include <optional>
#include <string_view>

namespace registry {

std::optional<std::int32_t> ParseWholeNumber(std::string_view Text);

}  // namespace registry
