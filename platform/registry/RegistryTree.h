#pragma once
// The per-user registry held in memory: a tree of named keys, each holding
// named values that are either a 32-bit number or a text. Names keep the
// spelling they were created with and are compared ignoring letter case with
// the system's own folding (ASCII and full-width Latin letters; a trail byte
// is never folded), so "Software" and "SOFTWARE" name one key while ア and ヂ,
// whose trail bytes differ only by the ASCII case distance, stay two.
//
// The root stands for the current user's registry root. It holds keys only:
// a path with no components names nothing, and changes through it do nothing.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace registry {

// Key names from the outermost inwards.
using TKeyPath = std::vector<std::string>;

// Splits a backslash-separated key path into its names. Empty names from
// doubled, leading or trailing backslashes are skipped, so "a\\\\b\\" is
// {"a", "b"} and a path of backslashes only is empty. The split walks
// characters, not bytes: 0x5C is also the trail byte of many double-byte
// characters (ソ is 83 5C, 表 is 95 5C) and never separates there.
TKeyPath SplitKeyPath(std::string_view Path);

// The key path joined with single backslashes, for messages and the file.
std::string JoinKeyPath(const TKeyPath& Path);

// The name with letters folded, used as the lookup key of every name.
std::string FoldName(std::string_view Name);

enum TValueKind { vkNumber, vkText };

struct TRegistryValue {
  TValueKind Kind = vkText;
  std::int32_t Number = 0;  // when Kind is vkNumber
  std::string Text;         // when Kind is vkText: code page 932 bytes, any bytes at all

  static TRegistryValue FromNumber(std::int32_t Number) { return {vkNumber, Number, {}}; }
  static TRegistryValue FromText(std::string Text) { return {vkText, 0, std::move(Text)}; }
  bool operator==(const TRegistryValue& Other) const {
    return Kind == Other.Kind && (Kind == vkNumber ? Number == Other.Number : Text == Other.Text);
  }
  bool operator!=(const TRegistryValue& Other) const { return !(*this == Other); }
};

class TRegistryKey {
public:
  explicit TRegistryKey(std::string Name = {});

  const std::string& Name() const { return FName; }

  // Subkeys in the order they were created.
  const std::vector<TRegistryKey>& SubKeys() const { return FSubKeys; }
  TRegistryKey* FindSubKey(std::string_view Name);
  const TRegistryKey* FindSubKey(std::string_view Name) const;
  // The subkey of that name, appended when missing (Created tells which).
  // References to other subkeys of this key do not survive a creation.
  TRegistryKey& CreateSubKey(std::string_view Name, bool& Created);
  // Removes the subkey with everything below it; false when there was none.
  bool DeleteSubKey(std::string_view Name);

  // Values in the order they were first stored.
  std::size_t ValueCount() const { return FValues.size(); }
  const std::string& ValueName(std::size_t Index) const { return FValues[Index].Name; }
  const TRegistryValue& Value(std::size_t Index) const { return FValues[Index].Value; }
  const TRegistryValue* FindValue(std::string_view Name) const;
  // Stores Value under Name. A value of that name is replaced where it
  // stands and keeps its stored spelling. True when anything changed.
  bool SetValue(std::string_view Name, TRegistryValue Value);

private:
  struct TNamedValue {
    std::string Name;
    TRegistryValue Value;
  };
  std::size_t FindSubKeyIndex(std::string_view Name) const;

  std::string FName;
  std::string FFoldedName;
  std::vector<TRegistryKey> FSubKeys;
  std::vector<TNamedValue> FValues;
  // Folded value name -> position in FValues; histories hold thousands of
  // values, and a linear search per write would make saving them quadratic.
  std::unordered_map<std::string, std::size_t> FValueIndex;
};

class TRegistryTree {
public:
  const TRegistryKey& Root() const { return FRoot; }

  // The key at Path (the root for an empty path), or nullptr.
  const TRegistryKey* FindKey(const TKeyPath& Path) const;
  const TRegistryValue* FindValue(const TKeyPath& Path, std::string_view Name) const;

  // Each of these answers whether the tree changed. An empty path names
  // nothing: nothing is created, deleted or stored.
  bool CreateKey(const TKeyPath& Path);
  bool DeleteKey(const TKeyPath& Path);
  // Creates the key when missing, then stores the value.
  bool SetValue(const TKeyPath& Path, std::string_view Name, TRegistryValue Value);

private:
  TRegistryKey* FindMutableKey(const TKeyPath& Path);
  TRegistryKey* CreatePath(const TKeyPath& Path, bool& Created);

  TRegistryKey FRoot;
};

}  // namespace registry
