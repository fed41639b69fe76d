// The registry store on Windows: the real HKEY_CURRENT_USER, read and
// changed within the caller's scope (RegistryStore.h).

#include <algorithm>
#include <optional>

#include "platform/core/Exception.h"
#include "platform/registry/RegistryMessages.h"
#include "platform/registry/RegistryNative.h"
#include "platform/registry/RegistryStore.h"
#include "platform/text/Utf16.h"

namespace registry {
namespace {

constexpr const char* kRootName = "HKEY_CURRENT_USER";

// A name or text of the registry in code page 932; nothing when it holds a
// character that code page 932 cannot.
std::optional<std::string> FromRegistry(const std::u16string& Text) {
  cp932::TFromUtf16 Converted = cp932::FromUtf16LeavingOut(Text, cp932::ucKeep);
  if (Converted.Refused > 0) return std::nullopt;
  return std::move(Converted.Text);
}

std::u16string ToRegistry(std::string_view Text) { return cp932::ToUtf16Lossy(Text); }

class TStoreAccess {
public:
  explicit TStoreAccess(const std::string& Root) : FRoot(ToRegistry(Root)) {}

  // The registry path of a key of the tree.
  std::u16string PathOf(const TKeyPath& Path) const {
    std::u16string Out = FRoot;
    for (const std::string& Name : Path) {
      if (!Out.empty()) Out += u'\\';
      Out += ToRegistry(Name);
    }
    return Out;
  }

  // Reads the key at Path into Key with everything below it. False when
  // the key is missing.
  bool ReadTree(const TKeyPath& Path, TRegistryKey& Key, const std::string& Shown) const {
    registrynative::TKeyContent Content;
    const registrynative::TReadResult Result = registrynative::ReadKey(PathOf(Path), Content);
    if (Result == registrynative::rrMissing) return false;
    if (Result == registrynative::rrRefused)
      throw ERegistryException(FormatMessage(kUnreadableStoreMessage, {Shown}));
    for (const registrynative::TValue& Value : Content.Values) {
      const std::optional<std::string> Name = FromRegistry(Value.Name);
      if (!Name) continue;
      if (Value.IsNumber) {
        Key.SetValue(*Name, TRegistryValue::FromNumber(Value.Number));
      } else if (std::optional<std::string> Text = FromRegistry(Value.Text)) {
        Key.SetValue(*Name, TRegistryValue::FromText(std::move(*Text)));
      }
    }
    for (const std::u16string& Native : Content.SubKeys) {
      const std::optional<std::string> Name = FromRegistry(Native);
      if (!Name) continue;
      bool Created = false;
      Key.CreateSubKey(*Name, Created);
      TKeyPath SubPath = Path;
      SubPath.push_back(*Name);
      // A key deleted since it was listed is simply not there.
      if (!ReadTree(SubPath, *Key.FindSubKey(*Name), Shown)) Key.DeleteSubKey(*Name);
    }
    return true;
  }

  // Stores the difference between Old (nullptr: none) and New at Path.
  bool WriteDifference(const TKeyPath& Path, const TRegistryKey* Old,
                       const TRegistryKey& New) const {
    std::vector<registrynative::TValue> Store;
    std::vector<std::u16string> DeleteValues, DeleteSubKeys;
    for (std::size_t Index = 0; Index < New.ValueCount(); ++Index) {
      const TRegistryValue& Value = New.Value(Index);
      const TRegistryValue* Was = Old ? Old->FindValue(New.ValueName(Index)) : nullptr;
      if (Was && *Was == Value) continue;
      registrynative::TValue Native;
      Native.Name = ToRegistry(New.ValueName(Index));
      Native.IsNumber = Value.Kind == vkNumber;
      Native.Number = Value.Number;
      Native.Text = ToRegistry(Value.Text);
      Store.push_back(std::move(Native));
    }
    if (Old) {
      for (std::size_t Index = 0; Index < Old->ValueCount(); ++Index)
        if (!New.FindValue(Old->ValueName(Index)))
          DeleteValues.push_back(ToRegistry(Old->ValueName(Index)));
      for (const TRegistryKey& Sub : Old->SubKeys())
        if (!New.FindSubKey(Sub.Name())) DeleteSubKeys.push_back(ToRegistry(Sub.Name()));
    }
    // A key that exists and keeps its values needs no call of its own.
    if (!Old || !Store.empty() || !DeleteValues.empty() || !DeleteSubKeys.empty())
      if (!registrynative::WriteKey(PathOf(Path), Store, DeleteValues, DeleteSubKeys)) return false;
    for (const TRegistryKey& Sub : New.SubKeys()) {
      TKeyPath SubPath = Path;
      SubPath.push_back(Sub.Name());
      if (!WriteDifference(SubPath, Old ? Old->FindSubKey(Sub.Name()) : nullptr, Sub)) return false;
    }
    return true;
  }

private:
  std::u16string FRoot;
};

// Key with everything below it into Tree at Path (the root: its keys only).
void CopyInto(TRegistryTree& Tree, const TKeyPath& Path, const TRegistryKey& Key) {
  Tree.CreateKey(Path);
  for (std::size_t Index = 0; Index < Key.ValueCount(); ++Index)
    Tree.SetValue(Path, Key.ValueName(Index), Key.Value(Index));
  for (const TRegistryKey& Sub : Key.SubKeys()) {
    TKeyPath SubPath = Path;
    SubPath.push_back(Sub.Name());
    CopyInto(Tree, SubPath, Sub);
  }
}

}  // namespace

std::string TRegistryStore::CurrentUserDirectory() { return std::string(); }

std::string TRegistryStore::FilePath() const {
  if (FDirectory.empty()) return kRootName;
  return std::string(kRootName) + "\\" + FDirectory;
}

TRegistryTree TRegistryStore::Load(const TKeyPath& Scope) const {
  TRegistryTree Tree;
  const TStoreAccess Access(FDirectory);
  // The keys on the way to the scope, as far as they exist.
  for (std::size_t Depth = 1; Depth < Scope.size(); ++Depth) {
    const TKeyPath Path(Scope.begin(), Scope.begin() + std::ptrdiff_t(Depth));
    registrynative::TKeyContent Content;
    const registrynative::TReadResult Result =
        registrynative::ReadKey(Access.PathOf(Path), Content);
    if (Result == registrynative::rrMissing) return Tree;
    if (Result == registrynative::rrRefused)
      throw ERegistryException(FormatMessage(kUnreadableStoreMessage, {FilePath()}));
    Tree.CreateKey(Path);
  }
  TRegistryKey Scoped(Scope.empty() ? std::string() : Scope.back());
  if (!Access.ReadTree(Scope, Scoped, FilePath())) return Tree;
  CopyInto(Tree, Scope, Scoped);
  return Tree;
}

TRegistryTree TRegistryStore::Update(const std::function<bool(TRegistryTree&)>& Change,
                                     const TKeyPath& Scope) {
  auto Fail = [this] {
    throw ERegistryException(FormatMessage(messages::kCannotWrite, {FilePath()}));
  };
  const TRegistryTree Before = Load(Scope);
  TRegistryTree After = Before;
  if (!Change(After)) return After;
  // The whole of HKEY_CURRENT_USER is never written: it is not ours.
  if (FDirectory.empty() && Scope.empty()) Fail();
  const TStoreAccess Access(FDirectory);
  // Along the way to the scope only the key on the way can change: a key
  // beside it was never loaded, so its absence from the tree means nothing.
  for (std::size_t Depth = 0; Depth < Scope.size(); ++Depth) {
    const TKeyPath Next(Scope.begin(), Scope.begin() + std::ptrdiff_t(Depth + 1));
    const bool Was = Before.FindKey(Next) != nullptr;
    const bool Is = After.FindKey(Next) != nullptr;
    if (Was && !Is) {
      if (!registrynative::DeleteKey(Access.PathOf(Next))) Fail();
      return After;
    }
    if (!Is) return After;
  }
  const TRegistryKey* Old = Before.FindKey(Scope);
  const TRegistryKey* New = After.FindKey(Scope);
  if (Scope.empty()) {
    // The root itself: its keys only.
    for (const TRegistryKey& Key : Old->SubKeys())
      if (!New->FindSubKey(Key.Name()) && !registrynative::DeleteKey(Access.PathOf({Key.Name()})))
        Fail();
    for (const TRegistryKey& Key : New->SubKeys())
      if (!Access.WriteDifference({Key.Name()}, Old->FindSubKey(Key.Name()), Key)) Fail();
    return After;
  }
  if (New && !Access.WriteDifference(Scope, Old, *New)) Fail();
  return After;
}

}  // namespace registry
