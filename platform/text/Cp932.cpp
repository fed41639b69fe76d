#include "platform/text/Cp932.h"

#include "platform/text/Utf.h"

namespace cp932 {
namespace {

// Full-width Latin letters: Ａ-Ｚ are 82 60-82 79, ａ-ｚ 82 81-82 9A.
constexpr unsigned char kFullWidthLead = 0x82;
constexpr unsigned char kFullWidthLowerFirst = 0x81, kFullWidthLowerLast = 0x9A;
constexpr unsigned char kFullWidthCaseDistance = 0x21;

// One character folded to upper case, as a number that orders like the bytes.
// Bit 8 marks a double-byte character, so a lead byte cut off at the end of a
// text never equals a double-byte character whose trail byte is 0.
unsigned FoldedChar(std::string_view Text, std::size_t Pos, std::size_t Length) {
  unsigned char First = static_cast<unsigned char>(Text[Pos]);
  if (Length == 1) {
    if (First >= 'a' && First <= 'z') First = static_cast<unsigned char>(First - 'a' + 'A');
    return First << 9;
  }
  unsigned char Second = static_cast<unsigned char>(Text[Pos + 1]);
  if (First == kFullWidthLead && Second >= kFullWidthLowerFirst && Second <= kFullWidthLowerLast)
    Second = static_cast<unsigned char>(Second - kFullWidthCaseDistance);
  return (First << 9) | 0x100 | Second;
}

char FoldedFirstByte(unsigned Folded) { return static_cast<char>(Folded >> 9); }
char FoldedSecondByte(unsigned Folded) { return static_cast<char>(Folded & 0xFF); }

}  // namespace

std::size_t CharLength(std::string_view Text, std::size_t Pos) {
  if (Pos >= Text.size()) return 0;
  return IsLeadByte(Text[Pos]) && Pos + 1 < Text.size() ? 2 : 1;
}

std::size_t NextCharPos(std::string_view Text, std::size_t Pos) {
  if (Pos >= Text.size()) return Text.size();
  return Pos + CharLength(Text, Pos);
}

std::size_t PrevCharPos(std::string_view Text, std::size_t Pos) {
  if (Pos > Text.size()) Pos = Text.size();
  std::size_t Start = 0, Previous = 0;
  while (Start < Pos) {
    Previous = Start;
    Start += CharLength(Text, Start);
  }
  return Previous;
}

bool IsCharBoundary(std::string_view Text, std::size_t Pos) {
  if (Pos > Text.size()) return false;
  std::size_t Start = 0;
  while (Start < Pos) Start += CharLength(Text, Start);
  return Start == Pos;
}

std::size_t FloorCharBoundary(std::string_view Text, std::size_t Pos) {
  if (Pos >= Text.size()) return Text.size();
  std::size_t Start = 0;
  while (true) {
    std::size_t Next = Start + CharLength(Text, Start);
    if (Next > Pos) return Start;
    Start = Next;
  }
}

std::string AnsiUpperCase(std::string_view Text) {
  std::string Result(Text);
  for (std::size_t Pos = 0; Pos < Result.size();) {
    std::size_t Length = CharLength(Result, Pos);
    unsigned Folded = FoldedChar(Result, Pos, Length);
    Result[Pos] = FoldedFirstByte(Folded);
    if (Length == 2) Result[Pos + 1] = FoldedSecondByte(Folded);
    Pos += Length;
  }
  return Result;
}

int AnsiCompareText(std::string_view A, std::string_view B) {
  std::size_t PosA = 0, PosB = 0;
  while (PosA < A.size() && PosB < B.size()) {
    std::size_t LengthA = CharLength(A, PosA), LengthB = CharLength(B, PosB);
    unsigned CharA = FoldedChar(A, PosA, LengthA), CharB = FoldedChar(B, PosB, LengthB);
    if (CharA != CharB) return CharA < CharB ? -1 : 1;
    PosA += LengthA;
    PosB += LengthB;
  }
  if (PosA < A.size()) return 1;
  if (PosB < B.size()) return -1;
  return 0;
}

bool AnsiStartsText(std::string_view Prefix, std::string_view Text) {
  if (Prefix.size() > Text.size()) return false;
  if (!IsCharBoundary(Text, Prefix.size())) return false;
  return AnsiCompareText(Prefix, Text.substr(0, Prefix.size())) == 0;
}

namespace {

std::u16string Utf8ToUtf16(std::string_view Utf8) {
  std::u16string Out;
  for (std::size_t Pos = 0; Pos < Utf8.size();) {
    // The UTF-8 comes from our own conversion and is valid.
    const long Code = utf::NextUtf8(Utf8, Pos);
    utf::AppendUtf16(Code < 0 ? 0xFFFD : static_cast<char32_t>(Code), Out);
  }
  return Out;
}

}  // namespace

std::optional<std::u16string> ToUtf16(std::string_view Text) {
  std::optional<std::string> Utf8 = ToUtf8(Text);
  if (!Utf8) return std::nullopt;
  return Utf8ToUtf16(*Utf8);
}

std::u16string ToUtf16Lossy(std::string_view Text) { return Utf8ToUtf16(ToUtf8Lossy(Text)); }

std::optional<std::string> FromUtf16(std::u16string_view Utf16) {
  std::string Utf8;
  for (std::size_t Pos = 0; Pos < Utf16.size();) {
    const long Code = utf::NextUtf16(Utf16, Pos);
    if (Code < 0) return std::nullopt;
    utf::AppendUtf8(static_cast<char32_t>(Code), Utf8);
  }
  return FromUtf8(Utf8);
}

}  // namespace cp932
