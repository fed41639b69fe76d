#pragma once
// The registry calls of Windows behind a plain interface, for the registry
// store's Windows twin (RegistryStoreWin32.cpp), which cannot include
// <windows.h> beside the system's own message helpers. Paths are relative
// to HKEY_CURRENT_USER, names and texts UTF-16. Built on Windows only
// (RegistryNativeWin32.cpp).

#include <cstdint>
#include <string>
#include <vector>

namespace registrynative {

struct TValue {
  std::u16string Name;
  bool IsNumber = false;  // REG_DWORD; else REG_SZ
  std::int32_t Number = 0;
  std::u16string Text;
};

struct TKeyContent {
  std::vector<TValue> Values;  // texts and numbers only; other types are left out
  std::vector<std::u16string> SubKeys;
};

enum TReadResult { rrRead, rrMissing, rrRefused };

TReadResult ReadKey(const std::u16string& Path, TKeyContent& Content);

// Creates the key when missing, then stores and deletes values and deletes
// subkeys with everything below them. False at the first refusal.
bool WriteKey(const std::u16string& Path, const std::vector<TValue>& Store,
              const std::vector<std::u16string>& DeleteValues,
              const std::vector<std::u16string>& DeleteSubKeys);

// Deletes the key at Path with everything below it; a missing key is no
// failure.
bool DeleteKey(const std::u16string& Path);

// For tests: until called again with an empty path, HKEY_CURRENT_USER in
// this process stands for the key at Path of the real one (created when
// missing), as RegOverridePredefKey makes it, so that a test's registry is
// a scratch key it removes afterwards.
bool RedirectCurrentUser(const std::u16string& Path);

}  // namespace registrynative
