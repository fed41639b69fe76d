#include "platform/registry/WholeNumber.h"

namespace registry {
namespace {

int HexDigitValue(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::int32_t> ParseWholeNumber(std::string_view Text) {
  bool Negative = false;
  if (!Text.empty() && (Text[0] == '-' || Text[0] == '+')) {
    Negative = Text[0] == '-';
    Text.remove_prefix(1);
  }

  bool Hex = false;
  if (!Text.empty() && Text[0] == '$') {
    Hex = true;
    Text.remove_prefix(1);
  } else if (Text.size() >= 2 && Text[0] == '0' && (Text[1] == 'x' || Text[1] == 'X')) {
    Hex = true;
    Text.remove_prefix(2);
  }
  if (Text.empty()) return std::nullopt;

  // Accumulating in 64 bits and stopping at the first overflow of 32 keeps
  // any number of leading zeros valid while a long digit run cannot wrap.
  std::uint64_t Magnitude = 0;
  const std::uint64_t Limit = Hex ? 0xFFFFFFFFull : (Negative ? 0x80000000ull : 0x7FFFFFFFull);
  for (char C : Text) {
    int Digit = Hex ? HexDigitValue(C) : (C >= '0' && C <= '9' ? C - '0' : -1);
    if (Digit < 0) return std::nullopt;
    Magnitude = Magnitude * (Hex ? 16 : 10) + static_cast<unsigned>(Digit);
    if (Magnitude > Limit) return std::nullopt;
  }

  std::uint32_t Bits = static_cast<std::uint32_t>(Magnitude);
  if (Negative) Bits = 0u - Bits;
  return static_cast<std::int32_t>(Bits);
}

}  // namespace registry
