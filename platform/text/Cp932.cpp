#include "platform/text/Cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace cp932 {
namespace {

// One converter per direction and thread, opened on first use: iconv_open
// reads gconv modules from disk, far too slow to repeat per string.
class TConverter {
public:
  TConverter(const char* To, const char* From) : FHandle(iconv_open(To, From)) {
    if (FHandle == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error("iconv cannot convert between CP932 and UTF-8");
  }
  ~TConverter() { iconv_close(FHandle); }
  TConverter(const TConverter&) = delete;
  TConverter& operator=(const TConverter&) = delete;

  // Converts the whole input; false at the first byte sequence that the
  // target cannot hold or that is invalid in the source.
  bool Convert(std::string_view In, std::string& Out, std::size_t* FailedAt = nullptr) {
    iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
    Out.clear();
    char* InPtr = const_cast<char*>(In.data());
    std::size_t InLeft = In.size();
    char Buffer[1024];
    while (InLeft > 0) {
      char* OutPtr = Buffer;
      std::size_t OutLeft = sizeof Buffer;
      std::size_t Result = iconv(FHandle, &InPtr, &InLeft, &OutPtr, &OutLeft);
      Out.append(Buffer, OutPtr - Buffer);
      if (Result == static_cast<std::size_t>(-1) && errno != E2BIG) {
        if (FailedAt) *FailedAt = In.size() - InLeft;
        return false;
      }
    }
    return true;
  }

private:
  iconv_t FHandle;
};

TConverter& ToUtf8Converter() {
  thread_local TConverter Converter("UTF-8", "CP932");
  return Converter;
}

TConverter& FromUtf8Converter() {
  thread_local TConverter Converter("CP932", "UTF-8");
  return Converter;
}

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

std::optional<std::string> ToUtf8(std::string_view Text) {
  std::string Out;
  if (!ToUtf8Converter().Convert(Text, Out)) return std::nullopt;
  return Out;
}

std::string ToUtf8Lossy(std::string_view Text) {
  std::string Out, Piece;
  std::size_t Pos = 0;
  while (Pos < Text.size()) {
    std::size_t FailedAt = 0;
    if (ToUtf8Converter().Convert(Text.substr(Pos), Piece, &FailedAt)) {
      Out += Piece;
      break;
    }
    // Keep what converted, show one replacement for the bad character, and
    // go on after it.
    Out += Piece;
    Out += "\xEF\xBF\xBD";
    Pos += FailedAt;
    Pos += CharLength(Text, Pos);
  }
  return Out;
}

std::optional<std::string> FromUtf8(std::string_view Utf8) {
  std::string Out;
  if (!FromUtf8Converter().Convert(Utf8, Out)) return std::nullopt;
  return Out;
}

char32_t DecodeChar(std::string_view Text, std::size_t Pos, std::size_t* Length) {
  std::size_t Bytes = CharLength(Text, Pos);
  if (Length) *Length = Bytes;
  if (Bytes == 0) return 0;
  unsigned char First = static_cast<unsigned char>(Text[Pos]);
  if (Bytes == 1 && First < 0x80) return First;
  std::string Utf8;
  if (!ToUtf8Converter().Convert(Text.substr(Pos, Bytes), Utf8) || Utf8.empty()) return 0xFFFD;
  const unsigned char* U = reinterpret_cast<const unsigned char*>(Utf8.data());
  if (U[0] < 0x80) return U[0];
  if ((U[0] & 0xE0) == 0xC0 && Utf8.size() >= 2) return ((U[0] & 0x1F) << 6) | (U[1] & 0x3F);
  if ((U[0] & 0xF0) == 0xE0 && Utf8.size() >= 3)
    return ((U[0] & 0x0F) << 12) | ((U[1] & 0x3F) << 6) | (U[2] & 0x3F);
  return 0xFFFD;
}

}  // namespace cp932
