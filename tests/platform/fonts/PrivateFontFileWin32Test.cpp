// The Windows side of PrivateFontFile.h; this file sees <windows.h> and no
// platform header.

#include <windows.h>

#include <string>

#include "PrivateFontFile.h"

namespace privatefontfile {

namespace {
std::wstring Wide(const std::string& Utf8) {
  int Length =
      MultiByteToWideChar(CP_UTF8, 0, Utf8.data(), static_cast<int>(Utf8.size()), nullptr, 0);
  std::wstring Result(static_cast<std::size_t>(Length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, Utf8.data(), static_cast<int>(Utf8.size()), Result.data(),
                      Length);
  return Result;
}
std::string Narrow(const std::wstring& Text) {
  int Length = WideCharToMultiByte(CP_UTF8, 0, Text.data(), static_cast<int>(Text.size()), nullptr,
                                   0, nullptr, nullptr);
  std::string Result(static_cast<std::size_t>(Length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, Text.data(), static_cast<int>(Text.size()), Result.data(), Length,
                      nullptr, nullptr);
  return Result;
}
}  // namespace

std::string ScratchFolder() {
  WCHAR Temp[MAX_PATH];
  DWORD Length = GetTempPathW(MAX_PATH, Temp);
  std::wstring Base(Temp, Length);
  for (unsigned N = GetTickCount();; ++N) {
    std::wstring Folder = Base + L"scoutlane-fonts-" + std::to_wstring(GetCurrentProcessId()) +
                          L"-" + std::to_wstring(N);
    if (CreateDirectoryW(Folder.c_str(), nullptr)) return Narrow(Folder) + "\\";
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
}

bool Write(const std::string& Path, const std::string& Bytes) {
  HANDLE File = CreateFileW(Wide(Path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (File == INVALID_HANDLE_VALUE) return false;
  DWORD Written = 0;
  bool Ok = WriteFile(File, Bytes.data(), static_cast<DWORD>(Bytes.size()), &Written, nullptr) &&
            Written == Bytes.size();
  CloseHandle(File);
  return Ok;
}

bool Add(const std::string& Path) {
  return AddFontResourceExW(Wide(Path).c_str(), FR_PRIVATE, nullptr) > 0;
}

void Remove(const std::string& Path) {
  RemoveFontResourceExW(Wide(Path).c_str(), FR_PRIVATE, nullptr);
}

void* AddFromMemory(const std::string& Bytes) {
  DWORD Fonts = 0;
  HANDLE Handle = AddFontMemResourceEx(const_cast<char*>(Bytes.data()),
                                       static_cast<DWORD>(Bytes.size()), nullptr, &Fonts);
  return Fonts > 0 ? Handle : nullptr;
}

void RemoveFromMemory(void* Handle) {
  if (Handle) RemoveFontMemResourceEx(Handle);
}

}  // namespace privatefontfile
