#pragma once
// The layout text, cut into tokens.
//
// A layout file is UTF-8. Identifiers are ASCII; a dotted name such as
// Font.Color comes out as one identifier token. Quoted strings and #nnn
// character codes are joined into one string token and converted to code page
// 932, the system's text; a character that code page 932 cannot hold makes the
// layout unreadable instead of turning into '?'. Every token knows its line, so
// every complaint about a layout can say where it is.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/Exception.h"

// A layout that cannot be read, with the line (counted from 1) where reading
// stopped. It is the framework's form-read error, so callers that only care
// about "the layout is bad" catch EReadError.
class ELayoutError : public EReadError {
public:
  ELayoutError(int Line, const std::string& Detail);
  int Line() const { return FLine; }
  const std::string& Detail() const { return FDetail; }

private:
  int FLine;
  std::string FDetail;
};

// Live components that cannot be put into a layout (a text that is no valid
// code page 932, a reference to a component the layout cannot name).
class EWriteError : public Exception {
public:
  using Exception::Exception;
};

// What the lexer, the parser and the reader say about a bad layout.
namespace layoutmessages {
inline constexpr const char* kAtLine = "%s (レイアウトの %s 行目)";
inline constexpr const char* kUnexpectedChar = "使えない文字 '%s' があります";
inline constexpr const char* kUnterminatedString = "文字列が閉じていません";
inline constexpr const char* kNotCp932 = "シフトJISに変換できない文字があります";
inline constexpr const char* kBadCharCode = "文字コード #%s は使えません";
inline constexpr const char* kIntegerRange = "整数 %s が範囲を超えています";
inline constexpr const char* kExpected = "%s が必要です";
inline constexpr const char* kTooDeep = "入れ子が深すぎます";
inline constexpr const char* kTrailingText = "レイアウトの終わりの後に %s があります";
inline constexpr const char* kUnknownProperty = "プロパティ %s がありません";
inline constexpr const char* kUnknownClass = "クラス %s が登録されていません";
inline constexpr const char* kWrongRootClass = "このフォームのクラスは %s ではありません";
inline constexpr const char* kDuplicateName = "コンポーネント名 %s が重複しています";
inline constexpr const char* kUnknownComponent = "コンポーネント %s がありません";
inline constexpr const char* kUnknownHandler = "イベントハンドラ %s がありません";
inline constexpr const char* kHandlerMismatch =
    "イベントハンドラ %s の型がイベント %s と合いません";
inline constexpr const char* kUnwritableText = "文字列 %s をレイアウトに書けません";
inline constexpr const char* kUnwritableReference = "%s の参照先 %s をレイアウトに書けません";
inline constexpr const char* kUnbalancedList = "プロパティ %s のリストが閉じていません";
inline constexpr const char* kTwoValues = "プロパティ %s に二つ以上の値が書かれました";
inline constexpr const char* kUnwritableValue = "プロパティ %s の値 %s をレイアウトに書けません";
}  // namespace layoutmessages

enum class TLayoutTokenKind { ltEnd, ltIdent, ltInteger, ltString, ltSymbol };

struct TLayoutToken {
  TLayoutTokenKind Kind = TLayoutTokenKind::ltEnd;
  int Line = 1;
  std::string Text;          // identifier, or string value in code page 932
  std::int32_t Integer = 0;  // integer value
  char Symbol = 0;           // one of = : [ ] ( ) , +
};

class TLayoutLexer {
public:
  // Source must outlive the lexer. A leading UTF-8 byte order mark is skipped.
  explicit TLayoutLexer(std::string_view Source);

  const TLayoutToken& Current() const { return FCurrent; }
  // Moves to the next token; raises ELayoutError on text that is no token.
  void Next();

  bool IsSymbol(char Symbol) const {
    return FCurrent.Kind == TLayoutTokenKind::ltSymbol && FCurrent.Symbol == Symbol;
  }
  // True when the current token is the identifier Word, ignoring ASCII case.
  bool IsWord(std::string_view Word) const;

private:
  void SkipBlanksAndComments();
  void ReadIdent();
  void ReadInteger();
  void ReadString();
  void AppendQuoted(std::string& Utf8);
  void AppendCharCode(std::string& Utf8);

  std::string_view FSource;
  std::size_t FPos = 0;
  int FLine = 1;
  TLayoutToken FCurrent;
};

// ASCII case-insensitive equality: the names of layouts (classes, properties,
// components, identifiers) are ASCII and compare without case.
bool SameName(std::string_view A, std::string_view B);
