#include "platform/text/Numbers.h"

namespace numbers {

namespace {

int DigitValue(char C, bool Hex) {
  if (C >= '0' && C <= '9') return C - '0';
  if (Hex && C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (Hex && C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

std::int32_t FromBits(std::uint32_t Bits) {
  // Spelled out: converting an out-of-range unsigned value to a signed type is
  // implementation-defined before C++20.
  if (Bits <= 0x7FFFFFFFu) return static_cast<std::int32_t>(Bits);
  return static_cast<std::int32_t>(static_cast<std::int64_t>(Bits) - 0x100000000LL);
}

}  // namespace

std::optional<std::int32_t> ParseInt32(std::string_view Text) {
  std::size_t Pos = 0;
  bool Negative = false;
  if (Pos < Text.size() && (Text[Pos] == '-' || Text[Pos] == '+')) {
    Negative = Text[Pos] == '-';
    ++Pos;
  }
  bool Hex = false;
  if (Pos < Text.size() && Text[Pos] == '$') {
    Hex = true;
    ++Pos;
  } else if (Pos + 1 < Text.size() && Text[Pos] == '0' &&
             (Text[Pos + 1] == 'x' || Text[Pos + 1] == 'X')) {
    Hex = true;
    Pos += 2;
  }
  if (Pos == Text.size()) return std::nullopt;

  // The largest magnitude each form may reach; checked after every digit, so
  // the accumulator never overflows however long the text is.
  const std::uint64_t Limit = Hex ? 0xFFFFFFFFull : (Negative ? 0x80000000ull : 0x7FFFFFFFull);
  std::uint64_t Value = 0;
  for (; Pos < Text.size(); ++Pos) {
    int Digit = DigitValue(Text[Pos], Hex);
    if (Digit < 0) return std::nullopt;
    Value = Value * (Hex ? 16 : 10) + static_cast<std::uint64_t>(Digit);
    if (Value > Limit) return std::nullopt;
  }

  std::uint32_t Bits = static_cast<std::uint32_t>(Value);
  if (Negative) Bits = 0u - Bits;
  return FromBits(Bits);
}

}  // namespace numbers
