#include "framework/core/StringList.h"

#include <algorithm>

#include "platform/core/ScopeGuard.h"
#include "platform/text/Cp932.h"

namespace {

constexpr const char* kSortedListError = "ソートされたリストではこの操作は行えません";
constexpr const char* kDuplicateString = "このリストは重複した文字列を持てません";

bool Less(const std::string& A, const std::string& B) { return cp932::AnsiCompareText(A, B) < 0; }

}  // namespace

// ---- TStrings -------------------------------------------------------------

void TStrings::IndexError(int Index) {
  throw EStringListError(FormatMessage(messages::kListIndexOutOfBounds, {std::to_string(Index)}));
}

void TStrings::Put(int Index, const std::string& S) {
  std::intptr_t Object = GetObject(Index);
  BeginUpdate();
  TScopeGuard Ended([this] { EndUpdate(); });
  Delete(Index);
  InsertObject(Index, S, Object);
}

int TStrings::AddObject(const std::string& S, std::intptr_t AObject) {
  int Index = Count();
  InsertObject(Index, S, AObject);
  return Index;
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  if (NewIndex < 0 || NewIndex >= Count()) IndexError(NewIndex);
  std::string S = Get(CurIndex);
  std::intptr_t Object = GetObject(CurIndex);
  BeginUpdate();
  TScopeGuard Ended([this] { EndUpdate(); });
  Delete(CurIndex);
  InsertObject(NewIndex, S, Object);
}

void TStrings::Exchange(int Index1, int Index2) {
  std::string S1 = Get(Index1), S2 = Get(Index2);
  std::intptr_t O1 = GetObject(Index1), O2 = GetObject(Index2);
  BeginUpdate();
  TScopeGuard Ended([this] { EndUpdate(); });
  Put(Index1, S2);
  PutObject(Index1, O2);
  Put(Index2, S1);
  PutObject(Index2, O1);
}

void TStrings::AddStrings(const TStrings* Strings) {
  if (!Strings) return;
  // Read the count once: adding a list to itself appends one copy.
  const int SourceCount = Strings->Count();
  BeginUpdate();
  TScopeGuard Ended([this] { EndUpdate(); });
  for (int I = 0; I < SourceCount; ++I) AddObject(Strings->Get(I), Strings->GetObject(I));
}

int TStrings::IndexOf(const std::string& S) const {
  for (int I = 0; I < Count(); ++I)
    if (cp932::AnsiSameText(Get(I), S)) return I;
  return -1;
}

int TStrings::IndexOfName(const std::string& Name) const {
  for (int I = 0; I < Count(); ++I) {
    std::string S = Get(I);
    std::size_t Equal = S.find('=');
    if (Equal != std::string::npos &&
        cp932::AnsiSameText(std::string_view(S).substr(0, Equal), Name))
      return I;
  }
  return -1;
}

std::string TStrings::Names(int Index) const {
  std::string S = Get(Index);
  std::size_t Equal = S.find('=');
  return Equal == std::string::npos ? std::string() : S.substr(0, Equal);
}

std::string TStrings::Values(const std::string& Name) const {
  int Index = IndexOfName(Name);
  return Index < 0 ? std::string() : ValueFromIndex(Index);
}

std::string TStrings::ValueFromIndex(int Index) const {
  std::string S = Get(Index);
  std::size_t Equal = S.find('=');
  return Equal == std::string::npos ? std::string() : S.substr(Equal + 1);
}

std::string TStrings::Text() const {
  std::string Result;
  for (int I = 0; I < Count(); ++I) {
    Result += Get(I);
    Result += "\r\n";
  }
  return Result;
}

void TStrings::SetText(const std::string& Value) {
  BeginUpdate();
  TScopeGuard Ended([this] { EndUpdate(); });
  Clear();
  // CR and LF are never trail bytes, so a byte scan finds only real breaks.
  std::size_t Start = 0;
  while (Start < Value.size()) {
    std::size_t Break = Value.find_first_of("\r\n", Start);
    if (Break == std::string::npos) {
      Add(Value.substr(Start));
      break;
    }
    Add(Value.substr(Start, Break - Start));
    Start = Break + 1;
    if (Value[Break] == '\r' && Start < Value.size() && Value[Start] == '\n') ++Start;
  }
}

void TStrings::Assign(const TPersistent* Source) {
  auto* Strings = dynamic_cast<const TStrings*>(Source);
  if (!Strings) {
    TPersistent::Assign(Source);
    return;
  }
  // Clearing first would leave nothing to copy.
  if (Strings == this) return;
  BeginUpdate();
  TScopeGuard Ended([this] { EndUpdate(); });
  Changing();
  Clear();
  AddStrings(Strings);
  Changed();  // an assignment always counts as one change, even of an empty list
}

void TStrings::BeginUpdate() {
  if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

// ---- TStringList ----------------------------------------------------------

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
}

void TStringList::CheckUnsorted() const {
  if (FSorted) throw EStringListError(kSortedListError);
}

std::string TStringList::Get(int Index) const {
  CheckIndex(Index);
  return FList[static_cast<std::size_t>(Index)].String;
}

void TStringList::Put(int Index, const std::string& S) {
  CheckUnsorted();
  CheckIndex(Index);
  Changing();
  FList[static_cast<std::size_t>(Index)].String = S;
  Changed();
}

std::intptr_t TStringList::GetObject(int Index) const {
  CheckIndex(Index);
  return FList[static_cast<std::size_t>(Index)].Object;
}

void TStringList::PutObject(int Index, std::intptr_t AObject) {
  CheckIndex(Index);
  Changing();
  FList[static_cast<std::size_t>(Index)].Object = AObject;
  Changed();
}

int TStringList::SortedInsertPos(const std::string& S) const {
  auto It = std::upper_bound(
      FList.begin(), FList.end(), S,
      [](const std::string& Key, const TStringItem& Item) { return Less(Key, Item.String); });
  return static_cast<int>(It - FList.begin());
}

int TStringList::AddObject(const std::string& S, std::intptr_t AObject) {
  if (!FSorted) {
    int Index = Count();
    InsertItem(Index, S, AObject);
    return Index;
  }
  int Found = 0;
  if (FDuplicates != dupAccept && Find(S, Found)) {
    if (FDuplicates == dupIgnore) return Found;
    throw EStringListError(kDuplicateString);
  }
  // After the equal entries, so that equal texts keep the order they came in.
  int Index = SortedInsertPos(S);
  InsertItem(Index, S, AObject);
  return Index;
}

void TStringList::InsertObject(int Index, const std::string& S, std::intptr_t AObject) {
  CheckUnsorted();
  if (Index < 0 || Index > Count()) IndexError(Index);
  InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const std::string& S, std::intptr_t AObject) {
  Changing();
  FList.insert(FList.begin() + Index, TStringItem{S, AObject});
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  Changing();
  FList.erase(FList.begin() + Index);
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  FList.clear();
  Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckUnsorted();
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  Changing();
  auto Cur = FList.begin() + CurIndex, New = FList.begin() + NewIndex;
  if (CurIndex < NewIndex)
    std::rotate(Cur, Cur + 1, New + 1);
  else
    std::rotate(New, Cur, Cur + 1);
  Changed();
}

void TStringList::Exchange(int Index1, int Index2) {
  CheckUnsorted();
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FList[static_cast<std::size_t>(Index1)], FList[static_cast<std::size_t>(Index2)]);
  Changed();
}

bool TStringList::Find(const std::string& S, int& Index) const {
  auto It = std::lower_bound(
      FList.begin(), FList.end(), S,
      [](const TStringItem& Item, const std::string& Key) { return Less(Item.String, Key); });
  Index = static_cast<int>(It - FList.begin());
  return It != FList.end() && cp932::AnsiSameText(It->String, S);
}

int TStringList::IndexOf(const std::string& S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  int Index = 0;
  return Find(S, Index) ? Index : -1;
}

void TStringList::Sort() {
  // A sorted list is kept in order by Add already.
  if (FSorted || FList.size() < 2) return;
  Changing();
  std::stable_sort(FList.begin(), FList.end(), [](const TStringItem& A, const TStringItem& B) {
    return Less(A.String, B.String);
  });
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::Changing() {
  if (UpdateCount() > 0) {
    if (FChangingSent) return;
    FChangingSent = true;
  }
  if (OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() > 0) {
    FChangedInUpdate = true;
    return;
  }
  if (OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) {
    FChangingSent = false;
    FChangedInUpdate = false;
    return;
  }
  bool AnyChange = FChangedInUpdate;
  FChangingSent = false;
  FChangedInUpdate = false;
  if (AnyChange && OnChange) OnChange(this);
}
