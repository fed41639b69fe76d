#pragma once
// The layout as a tree: objects with their properties and nested objects,
// free of any component. The parser builds it from layout text and
// FormatLayout turns it back into text, so a tree survives text -> tree ->
// text -> tree unchanged. The reader and the writer work on this tree.
//
//   object MainForm1: TMainForm1
//     Left = 20
//     Font.Color = clWindowText
//     object Label1: TLabel
//       Caption = '検索'
//     end
//   end

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/streaming/StreamingLexer.h"

enum class TLayoutValueKind { lvInteger, lvString, lvIdent, lvBoolean, lvSet, lvList };

struct TLayoutValue {
  TLayoutValueKind Kind = TLayoutValueKind::lvInteger;
  int Line = 0;  // where the value starts; 0 for values built in code
  std::int32_t Integer = 0;
  bool Boolean = false;
  std::string Text;                  // string (code page 932) or identifier
  std::vector<std::string> Members;  // set members, in written order
  std::vector<TLayoutValue> Items;   // list values

  static TLayoutValue OfInteger(std::int32_t Value);
  static TLayoutValue OfString(std::string Value);
  static TLayoutValue OfIdent(std::string Name);
  static TLayoutValue OfBoolean(bool Value);
  static TLayoutValue OfSet(std::vector<std::string> Members);
  static TLayoutValue OfList(std::vector<TLayoutValue> Items);
};

struct TLayoutProperty {
  std::string Name;  // possibly dotted: Font.Color
  TLayoutValue Value;
  int Line = 0;
};

struct TLayoutObject {
  std::string Name;  // empty for an unnamed component
  std::string ClassName;
  int Line = 0;
  std::vector<TLayoutProperty> Properties;
  std::vector<TLayoutObject> Children;
};

// Equality of content: lines are ignored, names and identifiers compare
// without ASCII case, as the reader treats them.
bool operator==(const TLayoutValue& A, const TLayoutValue& B);
bool operator==(const TLayoutProperty& A, const TLayoutProperty& B);
bool operator==(const TLayoutObject& A, const TLayoutObject& B);
inline bool operator!=(const TLayoutValue& A, const TLayoutValue& B) { return !(A == B); }
inline bool operator!=(const TLayoutObject& A, const TLayoutObject& B) { return !(A == B); }

// Parses one root object. Raises ELayoutError with the line on anything
// malformed, including text after the root's "end".
TLayoutObject ParseLayout(std::string_view Source);

// The tree as UTF-8 layout text, two spaces of indent per level, CR LF free
// (lines end with LF). Raises EWriteError for a string that is no valid code
// page 932.
std::string FormatLayout(const TLayoutObject& Root);
