#include "framework/streaming/StreamingParser.h"

#include <optional>

#include "platform/text/Cp932.h"

TLayoutValue TLayoutValue::OfInteger(std::int32_t Value) {
  TLayoutValue V;
  V.Kind = TLayoutValueKind::lvInteger;
  V.Integer = Value;
  return V;
}

TLayoutValue TLayoutValue::OfString(std::string Value) {
  TLayoutValue V;
  V.Kind = TLayoutValueKind::lvString;
  V.Text = std::move(Value);
  return V;
}

TLayoutValue TLayoutValue::OfIdent(std::string Name) {
  TLayoutValue V;
  V.Kind = TLayoutValueKind::lvIdent;
  V.Text = std::move(Name);
  return V;
}

TLayoutValue TLayoutValue::OfBoolean(bool Value) {
  TLayoutValue V;
  V.Kind = TLayoutValueKind::lvBoolean;
  V.Boolean = Value;
  return V;
}

TLayoutValue TLayoutValue::OfSet(std::vector<std::string> Members) {
  TLayoutValue V;
  V.Kind = TLayoutValueKind::lvSet;
  V.Members = std::move(Members);
  return V;
}

TLayoutValue TLayoutValue::OfList(std::vector<TLayoutValue> Items) {
  TLayoutValue V;
  V.Kind = TLayoutValueKind::lvList;
  V.Items = std::move(Items);
  return V;
}

bool operator==(const TLayoutValue& A, const TLayoutValue& B) {
  if (A.Kind != B.Kind) return false;
  switch (A.Kind) {
    case TLayoutValueKind::lvInteger:
      return A.Integer == B.Integer;
    case TLayoutValueKind::lvString:
      return A.Text == B.Text;
    case TLayoutValueKind::lvIdent:
      return SameName(A.Text, B.Text);
    case TLayoutValueKind::lvBoolean:
      return A.Boolean == B.Boolean;
    case TLayoutValueKind::lvSet:
      if (A.Members.size() != B.Members.size()) return false;
      for (std::size_t I = 0; I < A.Members.size(); ++I)
        if (!SameName(A.Members[I], B.Members[I])) return false;
      return true;
    case TLayoutValueKind::lvList:
      return A.Items == B.Items;
  }
  return false;
}

bool operator==(const TLayoutProperty& A, const TLayoutProperty& B) {
  return SameName(A.Name, B.Name) && A.Value == B.Value;
}

bool operator==(const TLayoutObject& A, const TLayoutObject& B) {
  return SameName(A.Name, B.Name) && SameName(A.ClassName, B.ClassName) &&
         A.Properties == B.Properties && A.Children == B.Children;
}

// ---- Parsing --------------------------------------------------------------

namespace {

class TParser {
public:
  explicit TParser(std::string_view Source) : FLexer(Source) {}

  TLayoutObject ParseRoot() {
    TLayoutObject Root = ParseObject();
    if (FLexer.Current().Kind != TLayoutTokenKind::ltEnd)
      Fail(FormatMessage(layoutmessages::kTrailingText, {Describe(FLexer.Current())}));
    return Root;
  }

private:
  [[noreturn]] void Fail(const std::string& Detail) {
    throw ELayoutError(FLexer.Current().Line, Detail);
  }
  [[noreturn]] void Expected(const char* What) {
    Fail(FormatMessage(layoutmessages::kExpected, {What}));
  }

  static std::string Describe(const TLayoutToken& Token) {
    switch (Token.Kind) {
      case TLayoutTokenKind::ltEnd:
        return "テキストの終わり";
      case TLayoutTokenKind::ltIdent:
        return Token.Text;
      case TLayoutTokenKind::ltInteger:
        return std::to_string(Token.Integer);
      case TLayoutTokenKind::ltString:
        return "'" + Token.Text + "'";
      case TLayoutTokenKind::ltSymbol:
        return std::string(1, Token.Symbol);
    }
    return {};
  }

  // A plain identifier (no dots): component and class names.
  std::string TakeSimpleName(const char* What) {
    const TLayoutToken& Token = FLexer.Current();
    if (Token.Kind != TLayoutTokenKind::ltIdent || Token.Text.find('.') != std::string::npos)
      Expected(What);
    std::string Name = Token.Text;
    FLexer.Next();
    return Name;
  }

  void TakeSymbol(char Symbol) {
    if (!FLexer.IsSymbol(Symbol)) {
      const char Text[2] = {Symbol, 0};
      Expected(Text);
    }
    FLexer.Next();
  }

  // object Name: TClass <properties and objects> end
  // object TClass ... end              (an unnamed component)
  // Nesting is recursion; a bound keeps a runaway layout from exhausting the
  // stack. Real layouts nest a handful of levels.
  static constexpr int kMaxDepth = 200;
  struct TNesting {
    TParser& Parser;
    explicit TNesting(TParser& P) : Parser(P) {
      if (++Parser.FDepth > kMaxDepth) Parser.Fail(layoutmessages::kTooDeep);
    }
    ~TNesting() { --Parser.FDepth; }
  };

  TLayoutObject ParseObject() {
    TNesting Nesting(*this);
    TLayoutObject Object;
    Object.Line = FLexer.Current().Line;
    if (!FLexer.IsWord("object")) Expected("object");
    FLexer.Next();
    std::string First = TakeSimpleName("コンポーネント名");
    if (FLexer.IsSymbol(':')) {
      FLexer.Next();
      Object.Name = std::move(First);
      Object.ClassName = TakeSimpleName("クラス名");
    } else {
      Object.ClassName = std::move(First);
    }
    for (;;) {
      const TLayoutToken& Token = FLexer.Current();
      if (FLexer.IsWord("end")) {
        FLexer.Next();
        return Object;
      }
      if (FLexer.IsWord("object")) {
        Object.Children.push_back(ParseObject());
      } else if (Token.Kind == TLayoutTokenKind::ltIdent) {
        Object.Properties.push_back(ParseProperty());
      } else {
        Expected("end");
      }
    }
  }

  TLayoutProperty ParseProperty() {
    TLayoutProperty Property;
    Property.Line = FLexer.Current().Line;
    Property.Name = FLexer.Current().Text;
    FLexer.Next();
    TakeSymbol('=');
    Property.Value = ParseValue();
    return Property;
  }

  TLayoutValue ParseValue() {
    const TLayoutToken& Token = FLexer.Current();
    const int Line = Token.Line;
    TLayoutValue Value;
    switch (Token.Kind) {
      case TLayoutTokenKind::ltInteger:
        Value = TLayoutValue::OfInteger(Token.Integer);
        FLexer.Next();
        break;
      case TLayoutTokenKind::ltString: {
        // Long texts may be split over lines: 'first part' + 'second part'.
        std::string Text = Token.Text;
        FLexer.Next();
        while (FLexer.IsSymbol('+')) {
          FLexer.Next();
          if (FLexer.Current().Kind != TLayoutTokenKind::ltString) Expected("文字列");
          Text += FLexer.Current().Text;
          FLexer.Next();
        }
        Value = TLayoutValue::OfString(std::move(Text));
        break;
      }
      case TLayoutTokenKind::ltIdent:
        // The words that open and close objects are never values, so a
        // forgotten value is reported where it is missing.
        if (FLexer.IsWord("end") || FLexer.IsWord("object")) Expected("値");
        if (FLexer.IsWord("True") || FLexer.IsWord("False"))
          Value = TLayoutValue::OfBoolean(FLexer.IsWord("True"));
        else
          Value = TLayoutValue::OfIdent(Token.Text);
        FLexer.Next();
        break;
      case TLayoutTokenKind::ltSymbol:
        if (Token.Symbol == '[') {
          Value = ParseSet();
          break;
        }
        if (Token.Symbol == '(') {
          Value = ParseList();
          break;
        }
        Expected("値");
      case TLayoutTokenKind::ltEnd:
        Expected("値");
    }
    Value.Line = Line;
    return Value;
  }

  // [member, member]
  TLayoutValue ParseSet() {
    FLexer.Next();
    std::vector<std::string> Members;
    if (!FLexer.IsSymbol(']')) {
      for (;;) {
        Members.push_back(TakeSimpleName("集合の要素"));
        if (FLexer.IsSymbol(']')) break;
        TakeSymbol(',');
      }
    }
    FLexer.Next();
    return TLayoutValue::OfSet(std::move(Members));
  }

  // ( value value ... )
  TLayoutValue ParseList() {
    TNesting Nesting(*this);
    FLexer.Next();
    std::vector<TLayoutValue> Items;
    while (!FLexer.IsSymbol(')')) {
      if (FLexer.Current().Kind == TLayoutTokenKind::ltEnd) Expected(")");
      Items.push_back(ParseValue());
    }
    FLexer.Next();
    return TLayoutValue::OfList(std::move(Items));
  }

  TLayoutLexer FLexer;
  int FDepth = 0;
};

}  // namespace

TLayoutObject ParseLayout(std::string_view Source) { return TParser(Source).ParseRoot(); }

// ---- Formatting -----------------------------------------------------------

namespace {

// A code page 932 text as a layout string: printable characters inside
// quotes (a quote doubled), control characters as #nn between the quotes.
std::string QuoteString(const std::string& Text) {
  std::optional<std::string> Utf8 = cp932::ToUtf8(Text);
  if (!Utf8) throw EWriteError(FormatMessage(layoutmessages::kUnwritableText, {Text}));
  if (Utf8->empty()) return "''";
  std::string Out;
  bool InQuotes = false;
  for (char C : *Utf8) {
    unsigned char Byte = static_cast<unsigned char>(C);
    if (Byte < 0x20 || Byte == 0x7F) {
      if (InQuotes) Out += '\'';
      InQuotes = false;
      Out += '#' + std::to_string(Byte);
      continue;
    }
    if (!InQuotes) Out += '\'';
    InQuotes = true;
    Out += C;
    if (C == '\'') Out += '\'';
  }
  if (InQuotes) Out += '\'';
  return Out;
}

void FormatValue(const TLayoutValue& Value, int Indent, std::string& Out) {
  switch (Value.Kind) {
    case TLayoutValueKind::lvInteger:
      Out += std::to_string(Value.Integer);
      break;
    case TLayoutValueKind::lvString:
      Out += QuoteString(Value.Text);
      break;
    case TLayoutValueKind::lvIdent:
      Out += Value.Text;
      break;
    case TLayoutValueKind::lvBoolean:
      Out += Value.Boolean ? "True" : "False";
      break;
    case TLayoutValueKind::lvSet:
      Out += '[';
      for (std::size_t I = 0; I < Value.Members.size(); ++I) {
        if (I) Out += ", ";
        Out += Value.Members[I];
      }
      Out += ']';
      break;
    case TLayoutValueKind::lvList:
      // One value a line, the closing parenthesis after the last one.
      Out += '(';
      for (const TLayoutValue& Item : Value.Items) {
        Out += '\n';
        Out.append(std::size_t(Indent + 2), ' ');
        FormatValue(Item, Indent + 2, Out);
      }
      Out += ')';
      break;
  }
}

void FormatObject(const TLayoutObject& Object, int Indent, std::string& Out) {
  const std::string Pad(std::size_t(Indent), ' ');
  Out += Pad + "object ";
  if (!Object.Name.empty()) Out += Object.Name + ": ";
  Out += Object.ClassName + '\n';
  for (const TLayoutProperty& Property : Object.Properties) {
    Out += Pad + "  " + Property.Name + " = ";
    FormatValue(Property.Value, Indent + 2, Out);
    Out += '\n';
  }
  for (const TLayoutObject& Child : Object.Children) FormatObject(Child, Indent + 2, Out);
  Out += Pad + "end\n";
}

}  // namespace

std::string FormatLayout(const TLayoutObject& Root) {
  std::string Out;
  FormatObject(Root, 0, Out);
  return Out;
}
