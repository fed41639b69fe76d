#include "platform/backends/x11/X11TextConversion.h"

#include "platform/text/Cp932.h"

namespace x11 {

namespace {

// Decodes one UTF-8 character at Pos: its code point and length, or length
// 0 for a malformed sequence (overlong forms, surrogates and values past
// U+10FFFF included), after which the caller skips one byte.
char32_t DecodeUtf8(std::string_view S, std::size_t Pos, std::size_t& Length) {
  const unsigned char B0 = static_cast<unsigned char>(S[Pos]);
  Length = 0;
  if (B0 < 0x80) {
    Length = 1;
    return B0;
  }
  int Extra;
  char32_t C;
  char32_t Min;
  if ((B0 & 0xE0) == 0xC0) {
    Extra = 1, C = B0 & 0x1F, Min = 0x80;
  } else if ((B0 & 0xF0) == 0xE0) {
    Extra = 2, C = B0 & 0x0F, Min = 0x800;
  } else if ((B0 & 0xF8) == 0xF0) {
    Extra = 3, C = B0 & 0x07, Min = 0x10000;
  } else {
    return 0;
  }
  if (Pos + Extra >= S.size()) return 0;
  for (int I = 1; I <= Extra; ++I) {
    const unsigned char B = static_cast<unsigned char>(S[Pos + I]);
    if ((B & 0xC0) != 0x80) return 0;
    C = (C << 6) | (B & 0x3F);
  }
  if (C < Min || C > 0x10FFFF || (C >= 0xD800 && C <= 0xDFFF)) return 0;
  Length = std::size_t(Extra) + 1;
  return C;
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

bool IsControl(char32_t C) { return C < 0x20 || C == 0x7F; }

}  // namespace

TConvertedText Utf8ToCp932(std::string_view Utf8, TControlChars Controls) {
  TConvertedText Result;
  // One character at a time, so that a refused one costs only itself.
  std::size_t Pos = 0;
  while (Pos < Utf8.size()) {
    std::size_t Length = 0;
    const char32_t C = DecodeUtf8(Utf8, Pos, Length);
    if (Length == 0) {
      ++Result.Refused;
      ++Pos;
      continue;
    }
    const std::string_view Char = Utf8.substr(Pos, Length);
    Pos += Length;
    if (IsControl(C)) {
      if (Controls == ccKeep) Result.Cp932 += char(C);
      continue;
    }
    if (C < 0x80) {
      Result.Cp932 += char(C);
      continue;
    }
    if (std::optional<std::string> Converted = cp932::FromUtf8(Char);
        Converted && !Converted->empty())
      Result.Cp932 += *Converted;
    else
      ++Result.Refused;
  }
  return Result;
}

std::string Latin1ToUtf8(std::string_view Latin1) {
  std::string Out;
  Out.reserve(Latin1.size());
  for (char Byte : Latin1) AppendUtf8(Out, static_cast<unsigned char>(Byte));
  return Out;
}

std::optional<std::string> Utf8ToLatin1(std::string_view Utf8) {
  std::string Out;
  std::size_t Pos = 0;
  while (Pos < Utf8.size()) {
    std::size_t Length = 0;
    const char32_t C = DecodeUtf8(Utf8, Pos, Length);
    if (Length == 0 || C > 0xFF) return std::nullopt;
    Out += char(C);
    Pos += Length;
  }
  return Out;
}

std::string KeysymToUtf8(unsigned long Keysym) {
  char32_t C = 0;
  if ((Keysym >= 0x20 && Keysym <= 0x7E) || (Keysym >= 0xA0 && Keysym <= 0xFF))
    C = char32_t(Keysym);
  else if (Keysym >= 0x01000100 && Keysym <= 0x0110FFFF)
    C = char32_t(Keysym - 0x01000000);
  if (C == 0 || (C >= 0xD800 && C <= 0xDFFF)) return std::string();
  std::string Out;
  AppendUtf8(Out, C);
  return Out;
}

TComposedText ComposedToCp932(const std::u32string& Chars,
                              const std::vector<unsigned long>& Feedback, int Caret) {
  // The attribute values of the window system (TCompositionAttribute).
  constexpr std::uint8_t kInput = 0, kTarget = 1, kConverted = 2;
  TComposedText Out;
  for (std::size_t I = 0; I < Chars.size(); ++I) {
    if (int(I) == Caret) Out.Caret = int(Out.Cp932.size());
    std::string Utf8;
    if (!(Chars[I] >= 0xD800 && Chars[I] <= 0xDFFF) && Chars[I] <= 0x10FFFF)
      AppendUtf8(Utf8, Chars[I]);
    TConvertedText Converted = Utf8ToCp932(Utf8, ccDrop);
    if (Converted.Cp932.empty() || Converted.Refused > 0) Converted.Cp932 = "\x81\xAC";  // 〓
    const unsigned long F = I < Feedback.size() ? Feedback[I] : 0;
    const std::uint8_t Attribute = (F & kFeedbackReverse)     ? kTarget
                                   : (F & kFeedbackHighlight) ? kConverted
                                                              : kInput;
    Out.Cp932 += Converted.Cp932;
    Out.Attributes.insert(Out.Attributes.end(), Converted.Cp932.size(), Attribute);
  }
  if (Caret < 0) Out.Caret = 0;
  if (Caret >= int(Chars.size())) Out.Caret = int(Out.Cp932.size());
  return Out;
}

}  // namespace x11
