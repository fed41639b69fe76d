#include "platform/text/Utf16.h"

#include <optional>

#include "platform/text/Utf.h"

namespace cp932 {
namespace {

constexpr const char* kGeta = "\x81\xAC";  // 〓, shown for a character CP932 has not

bool IsControl(long C) { return (C >= 0 && C < 0x20) || C == 0x7F; }

// One code point in CP932, or nothing when CP932 has no such character (a
// lone surrogate is -1).
std::optional<std::string> OneToCp932(long C) {
  if (C <= 0) return std::nullopt;
  std::string Utf8;
  utf::AppendUtf8(char32_t(C), Utf8);
  return FromUtf8(Utf8);
}

}  // namespace

TFromUtf16 FromUtf16LeavingOut(std::u16string_view Text, TUtf16Controls Controls) {
  TFromUtf16 Out;
  // The whole text at once when it all converts (the usual case); one
  // character at a time only to find what must be left out.
  if (Controls == ucKeep) {
    if (std::optional<std::string> Whole = FromUtf16(Text)) {
      Out.Text = std::move(*Whole);
      return Out;
    }
  }
  for (std::size_t Pos = 0; Pos < Text.size();) {
    const long C = utf::NextUtf16(Text, Pos);
    if (Controls == ucDrop && IsControl(C)) continue;
    if (std::optional<std::string> One = OneToCp932(C))
      Out.Text += *One;
    else
      ++Out.Refused;
  }
  return Out;
}

TValuedText FromUtf16WithValues(std::u16string_view Text, const std::vector<std::uint8_t>& Values,
                                int Caret) {
  TValuedText Out;
  Out.Caret = -1;
  for (std::size_t Pos = 0; Pos < Text.size();) {
    const std::size_t Start = Pos;
    const long C = utf::NextUtf16(Text, Pos);
    // A caret before this character or inside it (between the units of a
    // pair) stands before it.
    if (Out.Caret < 0 && Caret >= 0 && std::size_t(Caret) < Pos) Out.Caret = int(Out.Text.size());
    const std::uint8_t Value = Start < Values.size() ? Values[Start] : 0;
    std::optional<std::string> Bytes = IsControl(C) ? std::nullopt : OneToCp932(C);
    const std::string Shown = Bytes ? *Bytes : std::string(kGeta);
    Out.Text += Shown;
    Out.Values.insert(Out.Values.end(), Shown.size(), Value);
  }
  if (Out.Caret < 0) Out.Caret = Caret < 0 ? 0 : int(Out.Text.size());
  return Out;
}

}  // namespace cp932
