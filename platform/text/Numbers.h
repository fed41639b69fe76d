#pragma once
// The whole-number rule shared by the settings file, the registry store and
// the framework's StrToInt: one parser, so that every reader of a number
// agrees on what a number is.
//
//   [sign] digits          sign "-" or "+"; decimal digits 0-9;
//   [sign] "$" hexdigits   value within the 32-bit signed range
//   [sign] "0x" hexdigits  hexadecimal digits in either case, "x" or "X";
//                          up to 0xFFFFFFFF, taken as the 32-bit pattern, so
//                          "$FFFFFFFF" is -1 and "$80000000" is -2147483648;
//                          a "-" negates that pattern ("-$1" is -1).
//
// Nothing else is allowed: no blanks before, inside or after, no trailing
// characters, no prefix without digits. Empty text is no number. Leading
// zeros are fine ("007" is 7).

#include <cstdint>
#include <optional>
#include <string_view>

namespace numbers {

// The value of Text by the rule above, or nullopt when Text is no whole number.
std::optional<std::int32_t> ParseInt32(std::string_view Text);

}  // namespace numbers
