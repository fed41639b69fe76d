// The registry of Windows for the registry store: HKEY_CURRENT_USER through
// the W calls.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/registry/RegistryNative.h"

namespace registrynative {
namespace {

const wchar_t* Wide(const std::u16string& Text) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");
  return reinterpret_cast<const wchar_t*>(Text.c_str());
}

class TKey {
public:
  TKey() = default;
  ~TKey() {
    if (FKey) RegCloseKey(FKey);
  }
  TKey(const TKey&) = delete;
  TKey& operator=(const TKey&) = delete;
  HKEY* Out() { return &FKey; }
  HKEY Get() const { return FKey; }

private:
  HKEY FKey = nullptr;
};

// The text of a REG_SZ value up to its first terminating zero.
std::u16string TextOf(const std::vector<BYTE>& Data) {
  std::u16string Text(Data.size() / sizeof(char16_t), u'\0');
  if (!Text.empty()) std::memcpy(Text.data(), Data.data(), Text.size() * sizeof(char16_t));
  const std::size_t End = Text.find(u'\0');
  if (End != std::u16string::npos) Text.resize(End);
  return Text;
}

}  // namespace

TReadResult ReadKey(const std::u16string& Path, TKeyContent& Content) {
  Content = TKeyContent();
  TKey Key;
  const LONG Opened = RegOpenKeyExW(HKEY_CURRENT_USER, Wide(Path), 0, KEY_READ, Key.Out());
  if (Opened == ERROR_FILE_NOT_FOUND || Opened == ERROR_PATH_NOT_FOUND) return rrMissing;
  if (Opened != ERROR_SUCCESS) return rrRefused;
  DWORD SubKeyCount = 0, LongestSubKey = 0, ValueCount = 0, LongestName = 0, LongestData = 0;
  if (RegQueryInfoKeyW(Key.Get(), nullptr, nullptr, nullptr, &SubKeyCount, &LongestSubKey, nullptr,
                       &ValueCount, &LongestName, &LongestData, nullptr, nullptr) != ERROR_SUCCESS)
    return rrRefused;
  std::vector<wchar_t> Name(std::max(LongestSubKey, LongestName) + 2);
  std::vector<BYTE> Data(LongestData + sizeof(wchar_t));
  for (DWORD Index = 0; Index < ValueCount; ++Index) {
    DWORD NameLength = DWORD(Name.size());
    DWORD DataSize = DWORD(Data.size());
    DWORD Type = 0;
    const LONG Read = RegEnumValueW(Key.Get(), Index, Name.data(), &NameLength, nullptr, &Type,
                                    Data.data(), &DataSize);
    // A value added since the count was taken is left for the next read.
    if (Read == ERROR_NO_MORE_ITEMS) break;
    if (Read == ERROR_MORE_DATA) continue;
    if (Read != ERROR_SUCCESS) return rrRefused;
    TValue Value;
    Value.Name.assign(reinterpret_cast<const char16_t*>(Name.data()), NameLength);
    if (Type == REG_DWORD && DataSize == sizeof(DWORD)) {
      DWORD Number;
      std::memcpy(&Number, Data.data(), sizeof Number);
      Value.IsNumber = true;
      Value.Number = std::int32_t(Number);
    } else if (Type == REG_SZ || Type == REG_EXPAND_SZ) {
      Value.Text = TextOf(std::vector<BYTE>(Data.begin(), Data.begin() + DataSize));
    } else {
      continue;
    }
    Content.Values.push_back(std::move(Value));
  }
  for (DWORD Index = 0; Index < SubKeyCount; ++Index) {
    DWORD NameLength = DWORD(Name.size());
    const LONG Read = RegEnumKeyExW(Key.Get(), Index, Name.data(), &NameLength, nullptr, nullptr,
                                    nullptr, nullptr);
    if (Read == ERROR_NO_MORE_ITEMS) break;
    if (Read != ERROR_SUCCESS) return rrRefused;
    Content.SubKeys.emplace_back(reinterpret_cast<const char16_t*>(Name.data()), NameLength);
  }
  return rrRead;
}

bool WriteKey(const std::u16string& Path, const std::vector<TValue>& Store,
              const std::vector<std::u16string>& DeleteValues,
              const std::vector<std::u16string>& DeleteSubKeys) {
  TKey Key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, Wide(Path), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_READ | KEY_WRITE, nullptr, Key.Out(), nullptr) != ERROR_SUCCESS)
    return false;
  for (const TValue& Value : Store) {
    LONG Written;
    if (Value.IsNumber) {
      const DWORD Number = DWORD(Value.Number);
      Written = RegSetValueExW(Key.Get(), Wide(Value.Name), 0, REG_DWORD,
                               reinterpret_cast<const BYTE*>(&Number), sizeof Number);
    } else {
      Written = RegSetValueExW(Key.Get(), Wide(Value.Name), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(Value.Text.c_str()),
                               DWORD((Value.Text.size() + 1) * sizeof(char16_t)));
    }
    if (Written != ERROR_SUCCESS) return false;
  }
  for (const std::u16string& Name : DeleteValues) {
    const LONG Deleted = RegDeleteValueW(Key.Get(), Wide(Name));
    if (Deleted != ERROR_SUCCESS && Deleted != ERROR_FILE_NOT_FOUND) return false;
  }
  for (const std::u16string& Name : DeleteSubKeys) {
    const LONG Deleted = RegDeleteTreeW(Key.Get(), Wide(Name));
    if (Deleted != ERROR_SUCCESS && Deleted != ERROR_FILE_NOT_FOUND) return false;
    // RegDeleteTree empties the key; the key itself goes with RegDeleteKey.
    const LONG Gone = RegDeleteKeyW(Key.Get(), Wide(Name));
    if (Gone != ERROR_SUCCESS && Gone != ERROR_FILE_NOT_FOUND) return false;
  }
  return true;
}

bool DeleteKey(const std::u16string& Path) {
  const std::size_t Slash = Path.rfind(u'\\');
  if (Slash == std::u16string::npos) return WriteKey(u"", {}, {}, {Path});
  return WriteKey(Path.substr(0, Slash), {}, {}, {Path.substr(Slash + 1)});
}

bool RedirectCurrentUser(const std::u16string& Path) {
  static HKEY Redirected = nullptr;
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  if (Redirected) RegCloseKey(Redirected);
  Redirected = nullptr;
  if (Path.empty()) return true;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, Wide(Path), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &Redirected, nullptr) != ERROR_SUCCESS)
    return false;
  return RegOverridePredefKey(HKEY_CURRENT_USER, Redirected) == ERROR_SUCCESS;
}

}  // namespace registrynative
