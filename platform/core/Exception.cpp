#include "platform/core/Exception.h"

std::string FormatMessage(std::string_view Pattern, std::initializer_list<std::string_view> Args) {
  std::string Result;
  auto Arg = Args.begin();
  for (std::size_t Pos = 0; Pos < Pattern.size(); ++Pos) {
    // "%" (0x25) is never the trail byte of a double-byte character.
    if (Pattern[Pos] == '%' && Pos + 1 < Pattern.size() && Pattern[Pos + 1] == 's' &&
        Arg != Args.end()) {
      Result += *Arg++;
      ++Pos;
    } else {
      Result += Pattern[Pos];
    }
  }
  return Result;
}
