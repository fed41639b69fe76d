#include "platform/text/Cp932.h"
#include "platform/text/Cp932Table.h"
#include "platform/text/Utf.h"

// Conversion to and from UTF-8 by the program's own table, the same mapping
// the Linux build gets from iconv: never by the system's code page, so the
// result is the same on every Windows and under Wine.

namespace cp932 {

std::optional<std::string> ToUtf8(std::string_view Text) {
  std::string Out;
  for (std::size_t Pos = 0; Pos < Text.size();) {
    const std::size_t Length = CharLength(Text, Pos);
    const long Code = table::Decode(Text, Pos, Length);
    if (Code < 0) return std::nullopt;
    utf::AppendUtf8(static_cast<char32_t>(Code), Out);
    Pos += Length;
  }
  return Out;
}

std::string ToUtf8Lossy(std::string_view Text) {
  std::string Out;
  for (std::size_t Pos = 0; Pos < Text.size();) {
    const std::size_t Length = CharLength(Text, Pos);
    const long Code = table::Decode(Text, Pos, Length);
    utf::AppendUtf8(Code < 0 ? 0xFFFD : static_cast<char32_t>(Code), Out);
    Pos += Length;
  }
  return Out;
}

std::optional<std::string> FromUtf8(std::string_view Utf8) {
  std::string Out;
  for (std::size_t Pos = 0; Pos < Utf8.size();) {
    const long Code = utf::NextUtf8(Utf8, Pos);
    if (Code < 0 || !table::Encode(static_cast<char32_t>(Code), Out)) return std::nullopt;
  }
  return Out;
}

char32_t DecodeChar(std::string_view Text, std::size_t Pos, std::size_t* Length) {
  const std::size_t Bytes = CharLength(Text, Pos);
  if (Length) *Length = Bytes;
  if (Bytes == 0) return 0;
  const long Code = table::Decode(Text, Pos, Bytes);
  return Code < 0 ? 0xFFFD : static_cast<char32_t>(Code);
}

}  // namespace cp932
