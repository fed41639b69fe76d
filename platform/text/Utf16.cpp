#include "platform/text/Utf16.h"

#include <algorithm>
#include <optional>

#include "platform/text/Cp932.h"

namespace cp932 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr const char* kGeta = "\x81\xAC";  // 〓, shown for a character CP932 has not

bool IsHighSurrogate(char16_t Unit) { return Unit >= 0xD800 && Unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t Unit) { return Unit >= 0xDC00 && Unit <= 0xDFFF; }

// The code point at Pos and the units it takes; a lone surrogate is 0.
char32_t DecodeUnit(std::u16string_view Text, std::size_t Pos, std::size_t& Units) {
  const char16_t First = Text[Pos];
  Units = 1;
  if (IsHighSurrogate(First)) {
    if (Pos + 1 < Text.size() && IsLowSurrogate(Text[Pos + 1])) {
      Units = 2;
      return 0x10000 + ((char32_t(First) - 0xD800) << 10) + (char32_t(Text[Pos + 1]) - 0xDC00);
    }
    return 0;
  }
  if (IsLowSurrogate(First)) return 0;
  return First;
}

void AppendUtf8(std::string& Out, char32_t C) {
  if (C < 0x80) {
    Out += char(C);
  } else if (C < 0x800) {
    Out += char(0xC0 | (C >> 6));
    Out += char(0x80 | (C & 0x3F));
  } else if (C < 0x10000) {
    Out += char(0xE0 | (C >> 12));
    Out += char(0x80 | ((C >> 6) & 0x3F));
    Out += char(0x80 | (C & 0x3F));
  } else {
    Out += char(0xF0 | (C >> 18));
    Out += char(0x80 | ((C >> 12) & 0x3F));
    Out += char(0x80 | ((C >> 6) & 0x3F));
    Out += char(0x80 | (C & 0x3F));
  }
}

void AppendUtf16(std::u16string& Out, char32_t C) {
  if (C >= 0x10000) {
    C -= 0x10000;
    Out += char16_t(0xD800 + (C >> 10));
    Out += char16_t(0xDC00 + (C & 0x3FF));
  } else {
    Out += char16_t(C);
  }
}

bool IsControl(char32_t C) { return C < 0x20 || C == 0x7F; }

// One code point in CP932, or nothing when CP932 has no such character.
std::optional<std::string> OneToCp932(char32_t C) {
  if (C == 0) return std::nullopt;
  std::string Utf8;
  AppendUtf8(Utf8, C);
  return FromUtf8(Utf8);
}

}  // namespace

std::u16string ToUtf16Lossy(std::string_view Text) {
  const std::string Utf8 = ToUtf8Lossy(Text);
  std::u16string Out;
  Out.reserve(Utf8.size());
  for (std::size_t I = 0; I < Utf8.size();) {
    const unsigned char B = static_cast<unsigned char>(Utf8[I]);
    std::size_t Length = B < 0x80 ? 1 : B < 0xE0 ? 2 : B < 0xF0 ? 3 : 4;
    if (I + Length > Utf8.size()) {
      AppendUtf16(Out, kReplacement);
      break;
    }
    char32_t C = Length == 1 ? B : Length == 2 ? (B & 0x1F) : Length == 3 ? (B & 0x0F) : (B & 0x07);
    for (std::size_t K = 1; K < Length; ++K) C = (C << 6) | (Utf8[I + K] & 0x3F);
    AppendUtf16(Out, C);
    I += Length;
  }
  return Out;
}

TFromUtf16 FromUtf16(std::u16string_view Text, TUtf16Controls Controls) {
  TFromUtf16 Out;
  // The whole text at once when it all converts (the usual case); one
  // character at a time only to find what must be left out.
  std::string Utf8;
  bool Clean = true;
  for (std::size_t I = 0; I < Text.size() && Clean;) {
    std::size_t Units;
    const char32_t C = DecodeUnit(Text, I, Units);
    I += Units;
    if (C == 0 || (Controls == ucDrop && IsControl(C)))
      Clean = false;
    else
      AppendUtf8(Utf8, C);
  }
  if (Clean) {
    if (std::optional<std::string> Whole = FromUtf8(Utf8)) {
      Out.Text = std::move(*Whole);
      return Out;
    }
  }
  for (std::size_t I = 0; I < Text.size();) {
    std::size_t Units;
    const char32_t C = DecodeUnit(Text, I, Units);
    I += Units;
    if (C != 0 && Controls == ucDrop && IsControl(C)) continue;
    if (std::optional<std::string> One = OneToCp932(C))
      Out.Text += *One;
    else
      ++Out.Refused;
  }
  return Out;
}

char32_t SingleCodePoint(std::u16string_view Text) {
  if (Text.empty()) return 0;
  std::size_t Units;
  const char32_t C = DecodeUnit(Text, 0, Units);
  return Units == Text.size() ? C : 0;
}

TValuedText FromUtf16WithValues(std::u16string_view Text, const std::vector<std::uint8_t>& Values,
                                int Caret) {
  TValuedText Out;
  Out.Caret = -1;
  for (std::size_t I = 0; I < Text.size();) {
    // A caret inside a surrogate pair belongs before the pair.
    if (Out.Caret < 0 && Caret >= 0 && std::size_t(Caret) <= I) Out.Caret = int(Out.Text.size());
    std::size_t Units;
    const char32_t C = DecodeUnit(Text, I, Units);
    const std::uint8_t Value = I < Values.size() ? Values[I] : 0;
    I += Units;
    std::optional<std::string> Bytes = IsControl(C) ? std::nullopt : OneToCp932(C);
    const std::string Shown = Bytes ? *Bytes : std::string(kGeta);
    Out.Text += Shown;
    Out.Values.insert(Out.Values.end(), Shown.size(), Value);
  }
  if (Out.Caret < 0) Out.Caret = Caret < 0 ? 0 : int(Out.Text.size());
  return Out;
}

}  // namespace cp932
