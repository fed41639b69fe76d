#include "controls/history/Historystore.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "framework/core/IniFiles.h"
#include "framework/core/Registry.h"
#include "framework/core/SysUtils.h"
#include "platform/core/ScopeGuard.h"
#include "platform/text/Cp932.h"

namespace {

const char kCountIdent[] = "HistoryCount";
const char kEntryPrefix[] = "History";

std::string EntryIdent(int Index) { return kEntryPrefix + IntToStr(Index); }

// The position an ident names when it is "History" followed by a position
// written the way the stores write it (decimal, no leading zero); -1 for any
// other ident. Names compare ignoring case, as the stores look them up.
std::int64_t EntryPosition(const std::string& Ident) {
  constexpr std::size_t PrefixLength = sizeof kEntryPrefix - 1;
  if (Ident.size() <= PrefixLength || Ident.size() > PrefixLength + 10) return -1;
  if (!cp932::AnsiSameText(std::string_view(Ident).substr(0, PrefixLength), kEntryPrefix))
    return -1;
  std::string_view Digits = std::string_view(Ident).substr(PrefixLength);
  if (Digits.size() > 1 && Digits[0] == '0') return -1;
  std::int64_t Position = 0;
  for (char Digit : Digits) {
    if (Digit < '0' || Digit > '9') return -1;
    Position = Position * 10 + (Digit - '0');
  }
  return Position;
}

// How many entries to read for a stored count: the count, but no further than
// the last entry actually stored below it. Entries missing in between still
// come back empty; a count far beyond what is stored (a damaged file) only
// costs the entries that are there.
int EntriesToRead(int Count, const std::vector<std::string>& Idents) {
  std::int64_t Last = -1;
  for (const std::string& Ident : Idents) {
    std::int64_t Position = EntryPosition(Ident);
    if (Position < Count) Last = std::max(Last, Position);
  }
  return static_cast<int>(Last + 1);
}

template <class TStore>
void AppendEntries(const TStore& Store, const std::string& Section, int Count, TStrings& Entries) {
  if (Count <= 0) return;
  std::vector<std::string> Idents;
  Store.ReadSection(Section, Idents);
  int Read = EntriesToRead(Count, Idents);
  if (Read == 0) return;
  // One change notification for the whole load, not one per entry.
  Entries.BeginUpdate();
  TScopeGuard Ended([&Entries] { Entries.EndUpdate(); });
  for (int Index = 0; Index < Read; ++Index)
    Entries.Add(Store.ReadString(Section, EntryIdent(Index), ""));
}

}  // namespace

bool AddHistoryText(TStrings& Items, const std::string& Text) {
  if (Text.empty()) return false;
  int Found = Items.IndexOf(Text);
  // A sorted list has no top to put anything at (Insert and Move would
  // raise): the text only joins it at its sorted place.
  auto* List = dynamic_cast<TStringList*>(&Items);
  if (List && List->Sorted()) {
    if (Found >= 0) return false;
    List->Add(Text);
    return true;
  }
  if (Found < 0) {
    Items.Insert(0, Text);
    return true;
  }
  // The stored spelling stays: a text that differs only in letter case is the
  // same keyword and does not replace it.
  if (Found > 0) Items.Move(Found, 0);
  return false;
}

std::string ResolveHistoryPath(const std::string& FileName, const std::string& Directory) {
  std::string Path = FileName;
  // "." and "/" are never trail bytes, so byte searches are safe here.
  if (ExtractFileName(Path).find('.') == std::string::npos) Path += ".ini";
  if (ExtractFilePath(Path).empty()) Path = Directory + Path;
  return Path;
}

std::string ResolveHistoryPath(const std::string& FileName) {
  return ResolveHistoryPath(FileName, SettingsDirectory());
}

void SaveHistoryToFile(const std::string& FileName, const std::string& Section,
                       const TStrings& Entries) {
  if (FileName.empty()) return;
  const std::string Path = ResolveHistoryPath(FileName);
  PrepareSettingsFolder(Path);
  TIniFile Ini(Path);
  Ini.EraseSection(Section);
  Ini.WriteString(Section, kCountIdent, IntToStr(Entries.Count()));
  for (int Index = 0; Index < Entries.Count(); ++Index)
    Ini.WriteString(Section, EntryIdent(Index), Entries[Index]);
  // Erase and writes land in one atomic save: a refused save raises here and
  // leaves the file whole, with the old history in it.
  Ini.UpdateFile();
}

void LoadHistoryFromFile(const std::string& FileName, const std::string& Section,
                         TStrings& Entries) {
  if (FileName.empty()) return;
  TIniFile Ini(ResolveHistoryPath(FileName));
  int Count = StrToInt(Ini.ReadString(Section, kCountIdent, "0"));
  AppendEntries(Ini, Section, Count, Entries);
}

std::string RemoveTrailingBackslashes(std::string_view KeyName) {
  std::size_t End = 0;
  for (std::size_t Pos = 0; Pos < KeyName.size();) {
    std::size_t Next = cp932::NextCharPos(KeyName, Pos);
    if (!(Next == Pos + 1 && KeyName[Pos] == '\\')) End = Next;
    Pos = Next;
  }
  return std::string(KeyName.substr(0, End));
}

void SaveHistoryToRegistry(const std::string& KeyName, const std::string& Section,
                           const TStrings& Entries) {
  std::string KeyPath = RemoveTrailingBackslashes(KeyName);
  // A path of backslashes only names no key: nothing to write to.
  if (KeyPath.empty()) return;
  TRegistryIniFile Registry(KeyPath);
  Registry.EraseSection(Section);
  Registry.WriteInteger(Section, kCountIdent, Entries.Count());
  for (int Index = 0; Index < Entries.Count(); ++Index)
    Registry.WriteString(Section, EntryIdent(Index), Entries[Index]);
  Registry.UpdateFile();
}

void LoadHistoryFromRegistry(const std::string& KeyName, const std::string& Section,
                             TStrings& Entries) {
  if (KeyName.empty()) return;
  TRegistryIniFile Registry(KeyName);
  AppendEntries(Registry, Section, Registry.ReadInteger(Section, kCountIdent, 0), Entries);
}
