#include "platform/profile/ProfileDocument.h"

#include <utility>

#include "platform/text/Cp932.h"

namespace profile {
namespace {

bool IsBlank(char C) { return C == ' ' || C == '\t'; }

// cp932::CharLength, inline: parsing steps through every byte of the file.
std::size_t CharLengthAt(std::string_view Text, std::size_t Pos) {
  return cp932::IsLeadByte(Text[Pos]) && Pos + 1 < Text.size() ? 2 : 1;
}

// Position of the first single-byte character Ch at or after Pos, stepping by
// characters so that a trail byte equal to Ch is never taken; npos when none.
std::size_t FindChar(std::string_view Text, std::size_t Pos, char Ch) {
  while (Pos < Text.size()) {
    if (Text[Pos] == Ch) return Pos;
    Pos += CharLengthAt(Text, Pos);
  }
  return std::string_view::npos;
}

// Same, for the last such character.
std::size_t FindLastChar(std::string_view Text, std::size_t Pos, char Ch) {
  std::size_t Found = std::string_view::npos;
  while (Pos < Text.size()) {
    if (Text[Pos] == Ch) Found = Pos;
    Pos += CharLengthAt(Text, Pos);
  }
  return Found;
}

// Text without leading and trailing blanks. Walks characters from the start so
// that a blank is only ever taken where a character begins.
std::string_view TrimBlanks(std::string_view Text) {
  std::size_t Begin = 0;
  while (Begin < Text.size() && IsBlank(Text[Begin])) ++Begin;
  std::size_t End = Text.size();
  // A last byte that is not a blank ends a character that is not a blank. A
  // blank may be the second byte of an invalid pair, so that case walks.
  if (End > Begin && IsBlank(Text[End - 1])) {
    End = Begin;
    for (std::size_t Pos = Begin; Pos < Text.size();) {
      std::size_t Length = CharLengthAt(Text, Pos);
      Pos += Length;
      if (Length == 2 || !IsBlank(Text[Pos - 1])) End = Pos;
    }
  }
  return Text.substr(Begin, End - Begin);
}

// What of a caller's text a line can hold: up to the first CR, LF or NUL.
std::string_view CutAtLineBreak(std::string_view Text) {
  std::size_t Stop = 0;
  while (Stop < Text.size() && Text[Stop] != '\r' && Text[Stop] != '\n' && Text[Stop] != '\0')
    ++Stop;
  return Text.substr(0, Stop);
}

// A caller's section or key name as it is written to the file. A lone lead byte
// at its end would swallow the "]" or "=" written after it, so it is dropped.
std::string_view NormaliseName(std::string_view Name) {
  Name = CutAtLineBreak(Name);
  if (!Name.empty() && cp932::IsLeadByte(Name.back()) &&
      cp932::IsCharBoundary(Name, Name.size() - 1))
    Name.remove_suffix(1);
  return TrimBlanks(Name);
}

const char* LineEndBytes(int End) {
  static const char* const kEnds[] = {"", "\r\n", "\n", "\r"};
  return kEnds[End];
}

// A name without surrounding blanks, folded.
std::string FoldTrimmed(std::string_view Name) {
  // Names are nearly always plain ASCII, which folds byte by byte.
  std::string Folded(Name);
  for (char& C : Folded) {
    if (static_cast<unsigned char>(C) >= 0x80) return cp932::AnsiUpperCase(Name);
    if (C >= 'a' && C <= 'z') C = static_cast<char>(C - 'a' + 'A');
  }
  return Folded;
}

}  // namespace

std::string FoldProfileName(std::string_view Name) { return FoldTrimmed(TrimBlanks(Name)); }

TProfileDocument::TProfileDocument() { FSections.emplace_back(); }

TProfileDocument::TLine TProfileDocument::ClassifyLine(std::string Text, TLineEnd End,
                                                       std::string* SectionName) {
  TLine Line;
  Line.Text = std::move(Text);
  Line.End = End;
  std::string_view View = Line.Text;
  std::size_t First = 0;
  while (First < View.size() && IsBlank(View[First])) ++First;
  if (First < View.size() && View[First] == '[') {
    std::size_t Close = FindLastChar(View, First + 1, ']');
    if (Close != std::string_view::npos) {
      Line.Kind = TLineKind::lkSection;
      *SectionName = std::string(TrimBlanks(View.substr(First + 1, Close - First - 1)));
      return Line;
    }
  }
  if (First < View.size() && View[First] == ';') return Line;
  std::size_t Equals = FindChar(View, First, '=');
  if (Equals == std::string_view::npos) return Line;
  std::string_view Key = TrimBlanks(View.substr(First, Equals - First));
  Line.Kind = TLineKind::lkKey;
  Line.KeyBegin = First;
  Line.KeyEnd = First + Key.size();
  Line.ValueBegin = Equals + 1;
  return Line;
}

void TProfileDocument::AddLine(TLine Line, const std::string& SectionName) {
  if (Line.Kind == TLineKind::lkSection) {
    TSection Section;
    Section.FoldedName = FoldTrimmed(SectionName);
    Section.Header = std::move(Line);
    FSectionIndex.emplace(Section.FoldedName, FSections.size());
    FSections.push_back(std::move(Section));
    return;
  }
  TSection& Section = FSections.back();
  if (Line.Kind == TLineKind::lkKey) {
    Section.KeyIndex.emplace(FoldTrimmed(Line.Key()), Section.Lines.size());
    Section.LastKeyLine = Section.Lines.size();
  }
  Section.Lines.push_back(std::move(Line));
}

TProfileDocument TProfileDocument::Parse(std::string_view Bytes) {
  TProfileDocument Document;
  std::string SectionName;
  std::size_t Pos = 0;
  while (Pos < Bytes.size()) {
    std::size_t Stop = Pos;
    while (Stop < Bytes.size() && Bytes[Stop] != '\r' && Bytes[Stop] != '\n') ++Stop;
    TLineEnd End = TLineEnd::leNone;
    std::size_t Next = Bytes.size();
    if (Stop == Bytes.size()) {
      // The last line, without a line end.
    } else if (Bytes[Stop] == '\r' && Stop + 1 < Bytes.size() && Bytes[Stop + 1] == '\n') {
      End = TLineEnd::leCrLf;
      Next = Stop + 2;
    } else {
      End = Bytes[Stop] == '\r' ? TLineEnd::leCr : TLineEnd::leLf;
      Next = Stop + 1;
    }
    Document.AddLine(ClassifyLine(std::string(Bytes.substr(Pos, Stop - Pos)), End, &SectionName),
                     SectionName);
    Pos = Next;
  }
  return Document;
}

std::string TProfileDocument::Serialize() const {
  std::size_t Size = 0;
  auto Measure = [&Size](const TLine& Line) { Size += Line.Text.size() + 2; };
  for (const TSection& Section : FSections) {
    if (Section.Header) Measure(*Section.Header);
    for (const TLine& Line : Section.Lines) Measure(Line);
  }
  std::string Bytes;
  Bytes.reserve(Size);
  auto Append = [&Bytes](const TLine& Line) {
    Bytes += Line.Text;
    Bytes += LineEndBytes(static_cast<int>(Line.End));
  };
  for (const TSection& Section : FSections) {
    if (Section.Header) Append(*Section.Header);
    for (const TLine& Line : Section.Lines) Append(Line);
  }
  return Bytes;
}

const TProfileDocument::TSection* TProfileDocument::FindSection(
    const std::string& FoldedName) const {
  auto Found = FSectionIndex.find(FoldedName);
  return Found == FSectionIndex.end() ? nullptr : &FSections[Found->second];
}

bool TProfileDocument::SectionExists(std::string_view Section) const {
  return FindSection(FoldTrimmed(NormaliseName(Section))) != nullptr;
}

std::optional<std::string_view> TProfileDocument::FindValue(std::string_view Section,
                                                            std::string_view Key) const {
  const TSection* Found = FindSection(FoldTrimmed(NormaliseName(Section)));
  if (!Found) return std::nullopt;
  auto Line = Found->KeyIndex.find(FoldTrimmed(NormaliseName(Key)));
  if (Line == Found->KeyIndex.end()) return std::nullopt;
  const TLine& KeyLine = Found->Lines[Line->second];
  return std::string_view(KeyLine.Text).substr(KeyLine.ValueBegin);
}

std::vector<std::string> TProfileDocument::KeyNames(std::string_view Section) const {
  std::vector<std::string> Names;
  const TSection* Found = FindSection(FoldTrimmed(NormaliseName(Section)));
  if (!Found) return Names;
  for (std::size_t Index = 0; Index < Found->Lines.size(); ++Index) {
    const TLine& Line = Found->Lines[Index];
    if (Line.Kind != TLineKind::lkKey) continue;
    // Only the first line of each name: that is the one reads see.
    if (Found->KeyIndex.at(FoldTrimmed(Line.Key())) == Index) Names.emplace_back(Line.Key());
  }
  return Names;
}

TProfileDocument::TLine* TProfileDocument::LastLineOfFile() {
  for (auto Section = FSections.rbegin(); Section != FSections.rend(); ++Section) {
    if (!Section->Lines.empty()) return &Section->Lines.back();
    if (Section->Header) return &*Section->Header;
  }
  return nullptr;
}

bool TProfileDocument::SetValue(std::string_view Section, std::string_view Key,
                                std::string_view Value) {
  Section = NormaliseName(Section);
  Key = NormaliseName(Key);
  Value = CutAtLineBreak(Value);
  std::string Text;
  Text.reserve(Key.size() + 1 + Value.size());
  Text.append(Key).append("=").append(Value);
  std::string Unused;
  TLine Line = ClassifyLine(std::move(Text), TLineEnd::leCrLf, &Unused);
  // A key that would not read back as itself ("[x]", ";x", "a=b") is not
  // written: its line would be a section line, a comment or another key.
  std::string FoldedKey = FoldTrimmed(Key);
  if (Line.Kind != TLineKind::lkKey || Line.Key() != Key) return false;

  auto Found = FSectionIndex.find(FoldTrimmed(Section));
  if (Found == FSectionIndex.end()) {
    // Only the last line of a file can lack a line end; without one the new
    // section line would run on from it.
    if (TLine* Last = LastLineOfFile(); Last && Last->End == TLineEnd::leNone)
      Last->End = TLineEnd::leCrLf;
    std::string Name;
    AddLine(ClassifyLine("[" + std::string(Section) + "]", TLineEnd::leCrLf, &Name), Name);
    AddLine(std::move(Line), Name);
    return true;
  }

  TSection& Target = FSections[Found->second];
  auto Existing = Target.KeyIndex.find(FoldedKey);
  if (Existing != Target.KeyIndex.end()) {
    TLine& Stored = Target.Lines[Existing->second];
    Stored.Text.resize(Stored.ValueBegin);
    Stored.Text.append(Value);
    return true;
  }

  // After the last key line, or right after the section line when the section
  // has none. Only lines that are not keys follow that place, so the key index
  // stays valid.
  std::size_t At = Target.LastKeyLine == std::string::npos ? 0 : Target.LastKeyLine + 1;
  TLine& Before = At == 0 ? *Target.Header : Target.Lines[At - 1];
  if (Before.End == TLineEnd::leNone) Before.End = TLineEnd::leCrLf;
  Target.KeyIndex.emplace(std::move(FoldedKey), At);
  Target.LastKeyLine = At;
  Target.Lines.insert(Target.Lines.begin() + static_cast<std::ptrdiff_t>(At), std::move(Line));
  return true;
}

void TProfileDocument::EraseSection(std::string_view Section) {
  std::string Folded = FoldTrimmed(NormaliseName(Section));
  if (FSectionIndex.find(Folded) == FSectionIndex.end()) return;
  std::vector<TSection> Kept;
  Kept.reserve(FSections.size());
  for (TSection& Current : FSections) {
    if (!Current.Header || Current.FoldedName != Folded) {
      Kept.push_back(std::move(Current));
      continue;
    }
    // Lines that are not keys go on with the section before; they are not
    // keys, so that section's key index and last key line stay valid.
    for (TLine& Line : Current.Lines)
      if (Line.Kind != TLineKind::lkKey) Kept.back().Lines.push_back(std::move(Line));
  }
  FSections = std::move(Kept);
  RebuildSectionIndex();

  // A line ending in a lone CR may now stand before an empty line ending in
  // LF; written as they are, "\r" and "\n" would read back as one line end
  // and a line would be lost. Such a line gets CR LF.
  TLine* Previous = nullptr;
  auto Visit = [&Previous](TLine& Line) {
    if (Previous && Previous->End == TLineEnd::leCr && Line.Text.empty() &&
        Line.End == TLineEnd::leLf)
      Previous->End = TLineEnd::leCrLf;
    Previous = &Line;
  };
  for (TSection& Current : FSections) {
    if (Current.Header) Visit(*Current.Header);
    for (TLine& Line : Current.Lines) Visit(Line);
  }
}

void TProfileDocument::RebuildSectionIndex() {
  FSectionIndex.clear();
  for (std::size_t Index = 1; Index < FSections.size(); ++Index)
    FSectionIndex.emplace(FSections[Index].FoldedName, Index);
}

}  // namespace profile
