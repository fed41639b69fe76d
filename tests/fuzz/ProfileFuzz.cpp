// Feeds arbitrary bytes through the settings file model: parse, a few writes
// and erases, serialise, parse again. Checks that nothing is ever lost that the
// edit did not touch, that the file's bytes come back exactly, and that what
// was written reads back. Built with clang only, which compiles literals as
// UTF-8: double-byte names are spelled as escaped CP932 bytes, and nothing here
// depends on message texts.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "platform/profile/ProfileDocument.h"
#include "platform/profile/ProfileValues.h"
#include "platform/text/Cp932.h"

namespace {

using profile::TProfileDocument;

void Check(bool Condition, const char* What) {
  if (Condition) return;
  std::fprintf(stderr, "check failed: %s\n", What);
  std::abort();
}

// The file's lines as plain byte ranges, split independently of the code
// under test: content and line end ("", "\r\n", "\n" or "\r").
struct TRawLine {
  std::string Content, End;
  bool operator==(const TRawLine& Other) const {
    return Content == Other.Content && End == Other.End;
  }
};

std::vector<TRawLine> SplitLines(const std::string& Bytes) {
  std::vector<TRawLine> Lines;
  std::size_t Pos = 0;
  while (Pos < Bytes.size()) {
    std::size_t Stop = Pos;
    while (Stop < Bytes.size() && Bytes[Stop] != '\r' && Bytes[Stop] != '\n') ++Stop;
    std::size_t Next = Stop;
    if (Stop < Bytes.size()) Next += Bytes.compare(Stop, 2, "\r\n") == 0 ? 2 : 1;
    Lines.push_back({Bytes.substr(Pos, Stop - Pos), Bytes.substr(Stop, Next - Stop)});
    Pos = Next;
  }
  return Lines;
}

// A line kept by a write: the same bytes, except that the file's last line may
// gain the CR LF it lacked when something is added after it.
bool Kept(const TRawLine& Old, const TRawLine& New, bool OldWasLast) {
  if (Old == New) return true;
  return OldWasLast && Old.End.empty() && Old.Content == New.Content && New.End == "\r\n";
}

// After SetValue: the old lines are all there in order; at most one of them
// (the key's line) has a new value after the same text up to its "=", and at
// most two new lines (a section line and a key line) were added.
void CheckWriteKeptLines(const std::vector<TRawLine>& Old, const std::vector<TRawLine>& New) {
  std::size_t Prefix = 0;
  while (Prefix < Old.size() && Prefix < New.size() &&
         Kept(Old[Prefix], New[Prefix], Prefix + 1 == Old.size()))
    ++Prefix;
  std::size_t Suffix = 0;
  while (Suffix < Old.size() - Prefix && Suffix < New.size() - Prefix &&
         Kept(Old[Old.size() - 1 - Suffix], New[New.size() - 1 - Suffix], Suffix == 0))
    ++Suffix;
  std::size_t OldMiddle = Old.size() - Prefix - Suffix, NewMiddle = New.size() - Prefix - Suffix;
  Check(OldMiddle <= 1 && NewMiddle <= 2 && NewMiddle >= OldMiddle, "a write touched other lines");
  if (OldMiddle == 1) {
    const TRawLine& Before = Old[Prefix];
    const TRawLine& After = New[Prefix];
    std::size_t Equals = Before.Content.find('=');
    Check(Equals != std::string::npos && NewMiddle == 1, "a line without = was changed");
    Check(After.Content.compare(0, Equals + 1, Before.Content, 0, Equals + 1) == 0 &&
              After.End == Before.End,
          "a replaced line lost its key or its line end");
  }
  for (std::size_t Added = Prefix + OldMiddle; Added < Prefix + NewMiddle; ++Added)
    Check(New[Added].End == "\r\n", "a new line without CR LF");
}

// After EraseSection: the new lines are the old ones with some section and key
// lines taken out; every other line survives byte for byte, in order.
void CheckEraseKeptLines(const std::vector<TRawLine>& Old, const std::vector<TRawLine>& New) {
  std::size_t At = 0;
  for (const TRawLine& Line : Old) {
    // A lone CR may have become CR LF, when the removal put an empty LF line
    // after it.
    bool CrBecameCrLf = At < New.size() && Line.End == "\r" && New[At].End == "\r\n" &&
                        Line.Content == New[At].Content && At + 1 < New.size() &&
                        New[At + 1].Content.empty() && New[At + 1].End == "\n";
    if (At < New.size() && (Line == New[At] || CrBecameCrLf)) {
      ++At;
      continue;
    }
    bool SectionOrKey =
        Line.Content.find('=') != std::string::npos || Line.Content.find('[') != std::string::npos;
    Check(SectionOrKey, "an erase removed a line that is neither a section nor a key");
  }
  Check(At == New.size(), "an erase changed or added lines");
}

// Names the fuzzer may pick besides arbitrary bytes: the system's own names and
// double-byte names whose trail bytes look like ASCII ("ソ" 83 5C, "ゾ" 83 5D,
// "ア" 83 41, "ヂ" 83 61).
const char* const kNames[] = {"SET",      "History",  "HistoryCount", "History0", "FRON",
                              "\x83\x5C", "\x83\x5D", "\x83\x41",     "\x83\x61", "a\x83\x5D"};

bool IsPlainName(const std::string& Name) {
  if (Name.empty()) return false;
  for (char C : Name)
    if (!((C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9'))) return false;
  return true;
}

std::string PickName(FuzzedDataProvider& Input) {
  if (Input.ConsumeBool()) return kNames[Input.ConsumeIntegralInRange<std::size_t>(0, 9)];
  return Input.ConsumeRandomLengthString(16);
}

std::string AsWritten(const std::string& Value) {
  std::size_t Stop = Value.find_first_of(std::string("\r\n\0", 3));
  return Stop == std::string::npos ? Value : Value.substr(0, Stop);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  FuzzedDataProvider Input(Data, Size);
  int Edits = Input.ConsumeIntegralInRange(1, 4);
  struct TEdit {
    bool Erase;
    std::string Section, Key, Value;
  };
  std::vector<TEdit> Planned;
  for (int Index = 0; Index < Edits; ++Index) {
    TEdit Edit{Input.ConsumeIntegralInRange(0, 3) == 0, PickName(Input), PickName(Input),
               Input.ConsumeRandomLengthString(64)};
    Planned.push_back(std::move(Edit));
  }
  std::string File = Input.ConsumeRemainingBytesAsString();

  TProfileDocument Document = TProfileDocument::Parse(File);
  Check(Document.Serialize() == File, "parse and serialise changed the bytes");

  std::string Before = File;
  for (const TEdit& Edit : Planned) {
    if (Edit.Erase)
      Document.EraseSection(Edit.Section);
    else
      Document.SetValue(Edit.Section, Edit.Key, Edit.Value);
    std::string After = Document.Serialize();
    TProfileDocument Reread = TProfileDocument::Parse(After);
    Check(Reread.Serialize() == After, "a written file does not read back as written");

    // What the object says and what a fresh read of its bytes says agree.
    Check(Document.SectionExists(Edit.Section) == Reread.SectionExists(Edit.Section),
          "section seen differently after a re-read");
    auto Mine = Document.FindValue(Edit.Section, Edit.Key);
    auto Fresh = Reread.FindValue(Edit.Section, Edit.Key);
    Check(Mine.has_value() == Fresh.has_value() && (!Mine || *Mine == *Fresh),
          "value seen differently after a re-read");

    if (Edit.Erase) {
      Check(!Reread.SectionExists(Edit.Section), "an erased section still exists");
      CheckEraseKeptLines(SplitLines(Before), SplitLines(After));
    } else {
      bool KnownSection = IsPlainName(Edit.Section), KnownKey = IsPlainName(Edit.Key);
      for (const char* Name : kNames) {
        KnownSection |= Edit.Section == Name;
        KnownKey |= Edit.Key == Name;
      }
      if (KnownSection && KnownKey)
        Check(Fresh && *Fresh == AsWritten(Edit.Value), "a written value does not read back");
      CheckWriteKeptLines(SplitLines(Before), SplitLines(After));
    }
    Before = std::move(After);
  }

  // The value rules never split a character and never exceed the read size.
  for (const TEdit& Edit : Planned) {
    std::string Stored = Edit.Value + File;
    std::string_view Read = profile::ValueAsRead(Stored);
    std::string_view UpToNul = std::string_view(Stored).substr(0, Stored.find('\0'));
    if (UpToNul.size() <= profile::kMaxValueLength) {
      Check(Read == UpToNul, "a short value was cut");
    } else {
      Check(Read.size() >= profile::kMaxValueLength - 1 && Read.size() <= profile::kMaxValueLength,
            "a long value was not cut at 2047 bytes");
      Check(cp932::IsCharBoundary(UpToNul, Read.size()), "a read value split a character");
    }
    if (auto Number = profile::ParseWholeNumber(Edit.Value))
      Check(profile::ParseWholeNumber(profile::FormatWholeNumber(*Number)) == Number,
            "a number does not survive writing and reading");
  }
  return 0;
}
