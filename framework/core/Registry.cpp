#include "framework/core/Registry.h"

#include <exception>

#include "platform/core/Exception.h"
#include "platform/profile/ProfileValues.h"

using registry::TKeyPath;
using registry::TRegistryTree;
using registry::TRegistryValue;

TRegistryIniFile::TRegistryIniFile(const std::string& KeyPath)
    : TRegistryIniFile(KeyPath, registry::TRegistryStore::ForCurrentUser()) {}

TRegistryIniFile::TRegistryIniFile(const std::string& KeyPath, registry::TRegistryStore Store)
    : FKeyPathText(KeyPath),
      FKeyPath(registry::SplitKeyPath(KeyPath)),
      FStore(std::move(Store)),
      FUncaughtOnCreation(std::uncaught_exceptions()) {
  AddChange({ckCreateKey, FKeyPath, {}, {}});
}

TRegistryIniFile::~TRegistryIniFile() noexcept(false) {
  if (FPending.empty()) return;
  // More exceptions in flight than when the object was made means we are
  // being released by unwinding: a second exception would end the program.
  if (std::uncaught_exceptions() > FUncaughtOnCreation) {
    try {
      UpdateFile();
    } catch (...) {
      // Any exception here would end the program; the one in flight wins.
    }
    return;
  }
  UpdateFile();
}

TKeyPath TRegistryIniFile::SectionPath(const std::string& Section) const {
  TKeyPath Path = FKeyPath;
  for (std::string& Name : registry::SplitKeyPath(Section)) Path.push_back(std::move(Name));
  return Path;
}

bool TRegistryIniFile::Apply(const TChange& Change, TRegistryTree& Tree) {
  switch (Change.Kind) {
    case ckCreateKey:
      return Tree.CreateKey(Change.Path);
    case ckEraseKey:
      return Tree.DeleteKey(Change.Path);
    case ckSetValue:
      return Tree.SetValue(Change.Path, Change.Name, Change.Value);
  }
  return false;
}

void TRegistryIniFile::AddChange(TChange Change) {
  // A key path that names nothing takes no changes at all.
  if (FKeyPath.empty()) return;
  if (FCurrent) Apply(Change, *FCurrent);
  FPending.push_back(std::move(Change));
}

const TRegistryTree& TRegistryIniFile::Current() const {
  if (!FCurrent) {
    TRegistryTree Tree = FStore.Load(FKeyPath);
    for (const TChange& Change : FPending) Apply(Change, Tree);
    FCurrent = std::move(Tree);
  }
  return *FCurrent;
}

void TRegistryIniFile::EraseSection(const std::string& Section) {
  TKeyPath Path = SectionPath(Section);
  if (Path.size() == FKeyPath.size()) return;
  AddChange({ckEraseKey, std::move(Path), {}, {}});
}

void TRegistryIniFile::WriteInteger(const std::string& Section, const std::string& Ident,
                                    int Value) {
  AddChange({ckSetValue, SectionPath(Section), Ident, TRegistryValue::FromNumber(Value)});
}

void TRegistryIniFile::WriteString(const std::string& Section, const std::string& Ident,
                                   const std::string& Value) {
  AddChange({ckSetValue, SectionPath(Section), Ident, TRegistryValue::FromText(Value)});
}

const TRegistryValue* TRegistryIniFile::FindValue(const std::string& Section,
                                                  const std::string& Ident) const {
  if (FKeyPath.empty()) return nullptr;
  return Current().FindValue(SectionPath(Section), Ident);
}

int TRegistryIniFile::ReadInteger(const std::string& Section, const std::string& Ident,
                                  int Default) const {
  const TRegistryValue* Value = FindValue(Section, Ident);
  if (!Value) return Default;
  if (Value->Kind == registry::vkNumber) return Value->Number;
  return profile::ParseWholeNumber(Value->Text).value_or(Default);
}

std::string TRegistryIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                         const std::string& Default) const {
  const TRegistryValue* Value = FindValue(Section, Ident);
  if (!Value) return Default;
  if (Value->Kind == registry::vkNumber) return std::to_string(Value->Number);
  return Value->Text;
}

void TRegistryIniFile::ReadSection(const std::string& Section,
                                   std::vector<std::string>& Idents) const {
  Idents.clear();
  if (FKeyPath.empty()) return;
  const registry::TRegistryKey* Key = Current().FindKey(SectionPath(Section));
  if (!Key) return;
  for (std::size_t Index = 0; Index < Key->ValueCount(); ++Index)
    Idents.push_back(Key->ValueName(Index));
}

void TRegistryIniFile::UpdateFile() {
  if (FPending.empty()) return;
  // Only the key the object was made with: nothing the caller wrote. A
  // store that refuses it (a read-only home folder) loses nothing, and a
  // program that merely read its settings must not fail for it.
  const bool OnlyItsKey = FPending.size() == 1 && FPending.front().Kind == ckCreateKey;
  try {
    TRegistryTree Saved = FStore.Update(
        [this](TRegistryTree& Tree) {
          bool Changed = false;
          for (const TChange& Change : FPending) Changed = Apply(Change, Tree) || Changed;
          return Changed;
        },
        FKeyPath);
    FPending.clear();
    FCurrent = std::move(Saved);
  } catch (const ERegistryException&) {
    if (!OnlyItsKey) throw;
    FPending.clear();
  }
}
