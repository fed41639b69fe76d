#include "framework/streaming/StreamingLexer.h"

#include <cstdio>
#include <limits>
#include <optional>

#include "platform/text/Cp932.h"

ELayoutError::ELayoutError(int Line, const std::string& Detail)
    : EReadError(FormatMessage(layoutmessages::kAtLine, {Detail, std::to_string(Line)})),
      FLine(Line),
      FDetail(Detail) {}

bool SameName(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t I = 0; I < A.size(); ++I) {
    char X = A[I], Y = B[I];
    if (X >= 'a' && X <= 'z') X = char(X - 'a' + 'A');
    if (Y >= 'a' && Y <= 'z') Y = char(Y - 'a' + 'A');
    if (X != Y) return false;
  }
  return true;
}

namespace {

bool IsIdentStart(char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_'; }
bool IsDigit(char C) { return C >= '0' && C <= '9'; }
bool IsIdentChar(char C) { return IsIdentStart(C) || IsDigit(C); }
int HexDigit(char C) {
  if (IsDigit(C)) return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

// The offending character for a message: printable ASCII as it is, anything
// else as its byte value, since it may not even be valid text.
std::string ShowChar(char C) {
  unsigned char Byte = static_cast<unsigned char>(C);
  if (Byte > 0x20 && Byte < 0x7F) return std::string(1, C);
  char Buffer[8];
  std::snprintf(Buffer, sizeof Buffer, "$%02X", Byte);
  return Buffer;
}

void AppendUtf8(std::string& Out, char32_t Code) {
  if (Code < 0x80) {
    Out += char(Code);
  } else if (Code < 0x800) {
    Out += char(0xC0 | (Code >> 6));
    Out += char(0x80 | (Code & 0x3F));
  } else if (Code < 0x10000) {
    Out += char(0xE0 | (Code >> 12));
    Out += char(0x80 | ((Code >> 6) & 0x3F));
    Out += char(0x80 | (Code & 0x3F));
  } else {
    Out += char(0xF0 | (Code >> 18));
    Out += char(0x80 | ((Code >> 12) & 0x3F));
    Out += char(0x80 | ((Code >> 6) & 0x3F));
    Out += char(0x80 | (Code & 0x3F));
  }
}

}  // namespace

TLayoutLexer::TLayoutLexer(std::string_view Source) : FSource(Source) {
  if (FSource.substr(0, 3) == "\xEF\xBB\xBF") FPos = 3;
  Next();
}

bool TLayoutLexer::IsWord(std::string_view Word) const {
  return FCurrent.Kind == TLayoutTokenKind::ltIdent && SameName(FCurrent.Text, Word);
}

void TLayoutLexer::SkipBlanksAndComments() {
  while (FPos < FSource.size()) {
    char C = FSource[FPos];
    if (C == '\r') {
      // CR LF, LF and a lone CR each end one line.
      ++FLine;
      ++FPos;
      if (FPos < FSource.size() && FSource[FPos] == '\n') ++FPos;
    } else if (C == '\n') {
      ++FLine;
      ++FPos;
    } else if (C == ' ' || C == '\t') {
      ++FPos;
    } else if (C == '/' && FPos + 1 < FSource.size() && FSource[FPos + 1] == '/') {
      while (FPos < FSource.size() && FSource[FPos] != '\r' && FSource[FPos] != '\n') ++FPos;
    } else {
      return;
    }
  }
}

void TLayoutLexer::Next() {
  SkipBlanksAndComments();
  FCurrent = TLayoutToken{};
  FCurrent.Line = FLine;
  if (FPos >= FSource.size()) return;

  char C = FSource[FPos];
  if (IsIdentStart(C)) {
    ReadIdent();
  } else if (IsDigit(C) || C == '$' ||
             (C == '-' && FPos + 1 < FSource.size() &&
              (IsDigit(FSource[FPos + 1]) || FSource[FPos + 1] == '$'))) {
    ReadInteger();
  } else if (C == '\'' || C == '#') {
    ReadString();
  } else if (std::string_view("=:[](),+").find(C) != std::string_view::npos) {
    FCurrent.Kind = TLayoutTokenKind::ltSymbol;
    FCurrent.Symbol = C;
    ++FPos;
  } else {
    throw ELayoutError(FLine, FormatMessage(layoutmessages::kUnexpectedChar, {ShowChar(C)}));
  }
}

void TLayoutLexer::ReadIdent() {
  FCurrent.Kind = TLayoutTokenKind::ltIdent;
  std::size_t Start = FPos;
  for (;;) {
    while (FPos < FSource.size() && IsIdentChar(FSource[FPos])) ++FPos;
    // A dot joins the next name only when a name follows it at once.
    if (FPos + 1 < FSource.size() && FSource[FPos] == '.' && IsIdentStart(FSource[FPos + 1])) {
      ++FPos;
      continue;
    }
    break;
  }
  FCurrent.Text = std::string(FSource.substr(Start, FPos - Start));
}

// Decimal numbers must fit 32 signed bits. Hexadecimal numbers ($ prefix) may
// use all 32 bits and are taken as the bit pattern, so $80000005 is the system
// colour it looks like.
void TLayoutLexer::ReadInteger() {
  FCurrent.Kind = TLayoutTokenKind::ltInteger;
  std::size_t Start = FPos;
  bool Negative = false;
  if (FSource[FPos] == '-') {
    Negative = true;
    ++FPos;
  }
  std::int64_t Magnitude = 0;
  bool Hex = false, Overflow = false;
  std::size_t Digits = 0;
  if (FPos < FSource.size() && FSource[FPos] == '$') {
    Hex = true;
    ++FPos;
    while (FPos < FSource.size() && HexDigit(FSource[FPos]) >= 0) {
      Magnitude = Magnitude * 16 + HexDigit(FSource[FPos++]);
      if (Magnitude > 0xFFFFFFFFLL) Overflow = true, Magnitude = 0xFFFFFFFFLL + 1;
      ++Digits;
    }
  } else {
    while (FPos < FSource.size() && IsDigit(FSource[FPos])) {
      Magnitude = Magnitude * 10 + (FSource[FPos++] - '0');
      if (Magnitude > 0xFFFFFFFFLL) Overflow = true, Magnitude = 0xFFFFFFFFLL + 1;
      ++Digits;
    }
  }
  // "12abc" or "$" alone is no number; it is not two tokens either.
  if (Digits == 0 || (FPos < FSource.size() && IsIdentChar(FSource[FPos])))
    throw ELayoutError(FLine, FormatMessage(layoutmessages::kExpected, {"整数"}));
  std::string Spelling(FSource.substr(Start, FPos - Start));
  std::int64_t Value = Negative ? -Magnitude : Magnitude;
  const std::int64_t Min = std::numeric_limits<std::int32_t>::min();
  const std::int64_t Max = Hex ? 0xFFFFFFFFLL : std::numeric_limits<std::int32_t>::max();
  if (Overflow || Value < Min || Value > Max)
    throw ELayoutError(FLine, FormatMessage(layoutmessages::kIntegerRange, {Spelling}));
  FCurrent.Integer = static_cast<std::int32_t>(static_cast<std::uint32_t>(Value));
}

// A string token is a run of quoted pieces and #nnn codes with nothing
// between them: 'Line one'#13#10'Line two'.
void TLayoutLexer::ReadString() {
  FCurrent.Kind = TLayoutTokenKind::ltString;
  std::string Utf8;
  while (FPos < FSource.size() && (FSource[FPos] == '\'' || FSource[FPos] == '#')) {
    if (FSource[FPos] == '\'')
      AppendQuoted(Utf8);
    else
      AppendCharCode(Utf8);
  }
  std::optional<std::string> Text = cp932::FromUtf8(Utf8);
  if (!Text) throw ELayoutError(FLine, layoutmessages::kNotCp932);
  FCurrent.Text = std::move(*Text);
}

void TLayoutLexer::AppendQuoted(std::string& Utf8) {
  ++FPos;  // opening quote
  for (;;) {
    if (FPos >= FSource.size() || FSource[FPos] == '\r' || FSource[FPos] == '\n')
      throw ELayoutError(FLine, layoutmessages::kUnterminatedString);
    char C = FSource[FPos++];
    if (C != '\'') {
      Utf8 += C;
    } else if (FPos < FSource.size() && FSource[FPos] == '\'') {
      Utf8 += '\'';
      ++FPos;
    } else {
      return;
    }
  }
}

// #nnn is a Unicode character code, decimal or $hex. Code 0 is refused: the
// system's text ends at a zero byte in too many places.
void TLayoutLexer::AppendCharCode(std::string& Utf8) {
  std::size_t Start = ++FPos;
  bool Hex = FPos < FSource.size() && FSource[FPos] == '$';
  if (Hex) ++FPos;
  std::uint32_t Code = 0;
  std::size_t Digits = 0;
  bool TooLarge = false;
  while (FPos < FSource.size() && (Hex ? HexDigit(FSource[FPos]) >= 0 : IsDigit(FSource[FPos]))) {
    Code = Code * (Hex ? 16 : 10) + std::uint32_t(HexDigit(FSource[FPos++]));
    if (Code > 0x10FFFF) TooLarge = true, Code = 0x110000;
    ++Digits;
  }
  std::string Spelling(FSource.substr(Start, FPos - Start));
  if (Digits == 0 || TooLarge || Code == 0 || (Code >= 0xD800 && Code <= 0xDFFF))
    throw ELayoutError(FLine, FormatMessage(layoutmessages::kBadCharCode, {Spelling}));
  AppendUtf8(Utf8, Code);
}
