#pragma once
// How the settings file turns its value texts into numbers and Booleans, and
// back. Every reader of the file goes through these rules, so a value means
// the same to the main window's settings and to the history box.
//
// Whole numbers:
//   [sign] digits          sign "-" or "+"; decimal digits; the value must lie
//                          within the 32-bit signed range
//   [sign] "$" hexdigits   hexadecimal digits in either case after "$", "0x"
//   [sign] "0x" hexdigits  or "0X"; up to 0xFFFFFFFF, taken as the 32-bit
//                          pattern, so "$FFFFFFFF" is -1; a "-" negates that
//                          pattern ("-$1" is -1)
// Nothing else: no blanks anywhere, nothing after the digits, no prefix or sign
// without digits. Leading zeros are fine. Text that breaks the rule is no
// number, and a read with a default then gives the default.
//
// Booleans are read as whole numbers with the default 1 (true) or 0 (false);
// any number but 0 is true. So "1", "2" and "-1" are true, "0" is false, and
// "yes" or the empty text give the default. They are written as "1" and "0".

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace profile {

// The strict form: the value of Text, or nullopt when Text is no whole number.
std::optional<std::int32_t> ParseWholeNumber(std::string_view Text);

// The lenient form used by integer reads (StrToIntDef).
std::int32_t WholeNumberOrDefault(std::string_view Text, std::int32_t Default);

// The Boolean reading rule.
bool BooleanOrDefault(std::string_view Text, bool Default);

// Integers are written in decimal, "-" before negative values.
std::string FormatWholeNumber(std::int32_t Value);
inline const char* FormatBoolean(bool Value) { return Value ? "1" : "0"; }

// A value is read back with at most this many bytes: the reader's buffer holds
// 2048 bytes including the terminating zero.
inline constexpr std::size_t kMaxValueLength = 2047;

// What a read of a stored value gives: the text up to the first NUL byte (a
// zero-terminated reader stops there), cut to kMaxValueLength bytes. The cut
// never leaves the lead byte of a double-byte character without its trail
// byte: such a character is dropped whole, so the result may be 2046 bytes.
std::string_view ValueAsRead(std::string_view Stored);

}  // namespace profile
