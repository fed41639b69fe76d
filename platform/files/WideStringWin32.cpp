#include "platform/files/WideString.h"

#include "platform/text/Cp932.h"
#include "platform/text/Utf.h"

namespace files {

std::u16string WidePath(std::string_view Path) { return cp932::ToUtf16Lossy(Path); }

std::u16string WideFromUtf8(std::string_view Utf8) {
  std::u16string Wide;
  for (std::size_t Pos = 0; Pos < Utf8.size();) {
    const long Code = utf::NextUtf8(Utf8, Pos);
    utf::AppendUtf16(Code < 0 ? 0xFFFD : static_cast<char32_t>(Code), Wide);
  }
  return Wide;
}

std::string PathFromWide(std::u16string_view Wide) {
  if (std::optional<std::string> Text = cp932::FromUtf16(Wide)) return *Text;
  std::string Text;
  for (std::size_t Pos = 0; Pos < Wide.size();) {
    const std::size_t Start = Pos;
    utf::NextUtf16(Wide, Pos);
    std::optional<std::string> Char = cp932::FromUtf16(Wide.substr(Start, Pos - Start));
    Text += Char ? *Char : "?";
  }
  return Text;
}

}  // namespace files
