#include "platform/registry/RegistryTree.h"

#include "platform/text/Cp932.h"

namespace registry {

TKeyPath SplitKeyPath(std::string_view Path) {
  TKeyPath Names;
  std::size_t Start = 0, Pos = 0;
  while (Pos < Path.size()) {
    std::size_t Length = cp932::CharLength(Path, Pos);
    if (Length == 1 && Path[Pos] == '\\') {
      if (Pos > Start) Names.emplace_back(Path.substr(Start, Pos - Start));
      Start = Pos + 1;
    }
    Pos += Length;
  }
  if (Path.size() > Start) Names.emplace_back(Path.substr(Start));
  return Names;
}

std::string JoinKeyPath(const TKeyPath& Path) {
  std::string Joined;
  for (const std::string& Name : Path) {
    if (!Joined.empty()) Joined += '\\';
    Joined += Name;
  }
  return Joined;
}

// AnsiSameText compares by the same folded characters; comparing the folded
// texts whole also keeps a name with a stray lead byte at its end apart from
// the same name with that lead byte completed.
std::string FoldName(std::string_view Name) { return cp932::AnsiUpperCase(Name); }

TRegistryKey::TRegistryKey(std::string Name)
    : FName(std::move(Name)), FFoldedName(FoldName(FName)) {}

std::size_t TRegistryKey::FindSubKeyIndex(std::string_view Name) const {
  std::string Folded = FoldName(Name);
  for (std::size_t Index = 0; Index < FSubKeys.size(); ++Index)
    if (FSubKeys[Index].FFoldedName == Folded) return Index;
  return FSubKeys.size();
}

TRegistryKey* TRegistryKey::FindSubKey(std::string_view Name) {
  std::size_t Index = FindSubKeyIndex(Name);
  return Index < FSubKeys.size() ? &FSubKeys[Index] : nullptr;
}

const TRegistryKey* TRegistryKey::FindSubKey(std::string_view Name) const {
  std::size_t Index = FindSubKeyIndex(Name);
  return Index < FSubKeys.size() ? &FSubKeys[Index] : nullptr;
}

TRegistryKey& TRegistryKey::CreateSubKey(std::string_view Name, bool& Created) {
  std::size_t Index = FindSubKeyIndex(Name);
  Created = Index == FSubKeys.size();
  if (Created) FSubKeys.emplace_back(std::string(Name));
  return FSubKeys[Index];
}

bool TRegistryKey::DeleteSubKey(std::string_view Name) {
  std::size_t Index = FindSubKeyIndex(Name);
  if (Index == FSubKeys.size()) return false;
  FSubKeys.erase(FSubKeys.begin() + static_cast<std::ptrdiff_t>(Index));
  return true;
}

const TRegistryValue* TRegistryKey::FindValue(std::string_view Name) const {
  auto Found = FValueIndex.find(FoldName(Name));
  return Found == FValueIndex.end() ? nullptr : &FValues[Found->second].Value;
}

bool TRegistryKey::SetValue(std::string_view Name, TRegistryValue Value) {
  auto [Slot, Inserted] = FValueIndex.emplace(FoldName(Name), FValues.size());
  if (Inserted) {
    FValues.push_back({std::string(Name), std::move(Value)});
    return true;
  }
  TRegistryValue& Stored = FValues[Slot->second].Value;
  if (Stored == Value) return false;
  Stored = std::move(Value);
  return true;
}

const TRegistryKey* TRegistryTree::FindKey(const TKeyPath& Path) const {
  return const_cast<TRegistryTree*>(this)->FindMutableKey(Path);
}

TRegistryKey* TRegistryTree::FindMutableKey(const TKeyPath& Path) {
  TRegistryKey* Key = &FRoot;
  for (const std::string& Name : Path) {
    Key = Key->FindSubKey(Name);
    if (!Key) return nullptr;
  }
  return Key;
}

const TRegistryValue* TRegistryTree::FindValue(const TKeyPath& Path, std::string_view Name) const {
  if (Path.empty()) return nullptr;
  const TRegistryKey* Key = FindKey(Path);
  return Key ? Key->FindValue(Name) : nullptr;
}

TRegistryKey* TRegistryTree::CreatePath(const TKeyPath& Path, bool& Created) {
  Created = false;
  TRegistryKey* Key = &FRoot;
  for (const std::string& Name : Path) {
    bool CreatedHere = false;
    Key = &Key->CreateSubKey(Name, CreatedHere);
    Created = Created || CreatedHere;
  }
  return Key;
}

bool TRegistryTree::CreateKey(const TKeyPath& Path) {
  if (Path.empty()) return false;
  bool Created = false;
  CreatePath(Path, Created);
  return Created;
}

bool TRegistryTree::DeleteKey(const TKeyPath& Path) {
  if (Path.empty()) return false;
  TKeyPath ParentPath(Path.begin(), Path.end() - 1);
  TRegistryKey* Parent = FindMutableKey(ParentPath);
  return Parent && Parent->DeleteSubKey(Path.back());
}

bool TRegistryTree::SetValue(const TKeyPath& Path, std::string_view Name, TRegistryValue Value) {
  if (Path.empty()) return false;
  bool Created = false;
  TRegistryKey* Key = CreatePath(Path, Created);
  return Key->SetValue(Name, std::move(Value)) || Created;
}

}  // namespace registry
