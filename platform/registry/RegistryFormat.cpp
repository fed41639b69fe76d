#include "platform/registry/RegistryFormat.h"

#include <optional>

#include "platform/core/Exception.h"
#include "platform/profile/ProfileValues.h"
#include "platform/registry/RegistryMessages.h"
#include "platform/text/Cp932.h"

namespace registry {
namespace {

constexpr std::string_view kHeader = "ScoutlaneRegistry 1";
constexpr std::string_view kNumberTag = "dword:";
constexpr std::string_view kTextTag = "text:";

enum TField { fdKeyName, fdValueName, fdData };

bool MustEscape(unsigned char Byte, TField Field) {
  if (Byte < 0x20 || Byte == 0x7F || Byte == '%') return true;
  switch (Field) {
    case fdKeyName:
      return Byte == '[' || Byte == ']' || Byte == '\\';
    case fdValueName:
      return Byte == '=' || Byte == '[' || Byte == ';';
    case fdData:
      return false;
  }
  return false;
}

void AppendEscapedByte(std::string& Out, unsigned char Byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  Out += '%';
  Out += kHex[Byte >> 4];
  Out += kHex[Byte & 0x0F];
}

// UTF-8 text whose bytes below 0x80 are the same characters in CP932.
void AppendUtf8(std::string& Out, std::string_view Utf8, TField Field) {
  for (char C : Utf8) {
    unsigned char Byte = static_cast<unsigned char>(C);
    if (Byte < 0x80 && MustEscape(Byte, Field))
      AppendEscapedByte(Out, Byte);
    else
      Out += C;
  }
}

bool RoundTripsThroughUtf8(std::string_view Text, std::string* Utf8) {
  std::optional<std::string> Converted = cp932::ToUtf8(Text);
  if (!Converted) return false;
  std::optional<std::string> Back = cp932::FromUtf8(*Converted);
  if (!Back || *Back != Text) return false;
  *Utf8 = std::move(*Converted);
  return true;
}

std::string EscapeField(std::string_view Text, TField Field) {
  std::string Out, Utf8;
  if (RoundTripsThroughUtf8(Text, &Utf8)) {
    AppendUtf8(Out, Utf8, Field);
  } else {
    // Only some characters fail; find them one by one.
    for (std::size_t Pos = 0; Pos < Text.size();) {
      std::string_view Char = Text.substr(Pos, cp932::CharLength(Text, Pos));
      if (RoundTripsThroughUtf8(Char, &Utf8)) {
        AppendUtf8(Out, Utf8, Field);
      } else {
        for (char C : Char) AppendEscapedByte(Out, static_cast<unsigned char>(C));
      }
      Pos += Char.size();
    }
  }
  if (!Out.empty() && Out.back() == ' ') {
    Out.pop_back();
    AppendEscapedByte(Out, ' ');
  }
  return Out;
}

int HexValue(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  return -1;
}

std::optional<std::string> UnescapeField(std::string_view Field) {
  std::string Out;
  std::size_t Pos = 0;
  while (Pos < Field.size()) {
    if (Field[Pos] == '%') {
      if (Pos + 2 >= Field.size()) return std::nullopt;
      int High = HexValue(Field[Pos + 1]), Low = HexValue(Field[Pos + 2]);
      if (High < 0 || Low < 0) return std::nullopt;
      Out += static_cast<char>(High * 16 + Low);
      Pos += 3;
      continue;
    }
    std::size_t End = Field.find('%', Pos);
    if (End == std::string_view::npos) End = Field.size();
    std::optional<std::string> Converted = cp932::FromUtf8(Field.substr(Pos, End - Pos));
    if (!Converted) return std::nullopt;
    Out += *Converted;
    Pos = End;
  }
  return Out;
}

void WriteKey(std::string& Out, const TRegistryKey& Key, std::string& Path) {
  std::size_t PathLength = Path.size();
  if (!Path.empty()) Path += '\\';
  Path += EscapeField(Key.Name(), fdKeyName);

  Out += '[';
  Out += Path;
  Out += "]\n";
  for (std::size_t Index = 0; Index < Key.ValueCount(); ++Index) {
    const TRegistryValue& Value = Key.Value(Index);
    Out += EscapeField(Key.ValueName(Index), fdValueName);
    Out += '=';
    if (Value.Kind == vkNumber) {
      Out += kNumberTag;
      Out += std::to_string(Value.Number);
    } else {
      Out += kTextTag;
      Out += EscapeField(Value.Text, fdData);
    }
    Out += '\n';
  }
  for (const TRegistryKey& SubKey : Key.SubKeys()) WriteKey(Out, SubKey, Path);
  Path.resize(PathLength);
}

class TParser {
public:
  TParser(std::string_view Text, std::string_view FileName) : FText(Text), FFileName(FileName) {}

  TRegistryTree Parse() {
    if (FText.empty()) return FTree;
    if (NextLine() != kHeader) Fail();
    while (FPos < FText.size()) {
      std::string_view Line = NextLine();
      if (Line.empty() || Line[0] == ';') continue;
      if (Line[0] == '[')
        ParseKeyLine(Line);
      else
        ParseValueLine(Line);
    }
    return std::move(FTree);
  }

private:
  std::string_view NextLine() {
    std::size_t End = FText.find('\n', FPos);
    if (End == std::string_view::npos) End = FText.size();
    std::string_view Line = FText.substr(FPos, End - FPos);
    FPos = End + 1;
    ++FLineNumber;
    if (!Line.empty() && Line.back() == '\r') Line.remove_suffix(1);
    return Line;
  }

  void ParseKeyLine(std::string_view Line) {
    if (Line.size() < 3 || Line.back() != ']') Fail();
    std::string_view Inner = Line.substr(1, Line.size() - 2);
    TKeyPath Path;
    // The file's own separators are plain ASCII in UTF-8 text; a "\" inside
    // a name is always written %5C, so splitting at bytes is exact here.
    std::size_t Start = 0;
    while (true) {
      std::size_t End = Inner.find('\\', Start);
      if (End == std::string_view::npos) End = Inner.size();
      std::optional<std::string> Name = UnescapeField(Inner.substr(Start, End - Start));
      if (!Name || Name->empty()) Fail();
      Path.push_back(std::move(*Name));
      if (End == Inner.size()) break;
      Start = End + 1;
    }
    FTree.CreateKey(Path);
    FCurrentKey = std::move(Path);
  }

  void ParseValueLine(std::string_view Line) {
    if (FCurrentKey.empty()) Fail();
    std::size_t Equals = Line.find('=');
    if (Equals == std::string_view::npos) Fail();
    std::optional<std::string> Name = UnescapeField(Line.substr(0, Equals));
    if (!Name) Fail();
    std::string_view Rest = Line.substr(Equals + 1);
    TRegistryValue Value;
    if (Rest.substr(0, kNumberTag.size()) == kNumberTag) {
      std::optional<std::int32_t> Number =
          profile::ParseWholeNumber(Rest.substr(kNumberTag.size()));
      if (!Number) Fail();
      Value = TRegistryValue::FromNumber(*Number);
    } else if (Rest.substr(0, kTextTag.size()) == kTextTag) {
      std::optional<std::string> Text = UnescapeField(Rest.substr(kTextTag.size()));
      if (!Text) Fail();
      Value = TRegistryValue::FromText(std::move(*Text));
    } else {
      Fail();
    }
    FTree.SetValue(FCurrentKey, *Name, std::move(Value));
  }

  [[noreturn]] void Fail() {
    throw ERegistryException(
        FormatMessage(kCorruptStoreMessage, {FFileName, std::to_string(FLineNumber)}));
  }

  std::string_view FText;
  std::string_view FFileName;
  std::size_t FPos = 0;
  std::size_t FLineNumber = 0;
  TRegistryTree FTree;
  TKeyPath FCurrentKey;
};

}  // namespace

std::string SerializeRegistry(const TRegistryTree& Tree) {
  std::string Out(kHeader);
  Out += '\n';
  std::string Path;
  for (const TRegistryKey& Key : Tree.Root().SubKeys()) WriteKey(Out, Key, Path);
  return Out;
}

TRegistryTree ParseRegistry(std::string_view FileText, std::string_view FileName) {
  return TParser(FileText, FileName).Parse();
}

}  // namespace registry
