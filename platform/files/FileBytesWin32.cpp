#include "platform/files/FileBytes.h"

#include <windows.h>

#include "platform/files/WideString.h"

namespace files {

std::optional<std::string> ReadFileBytes(const std::string& FsPath) {
  const std::u16string Wide = WideFromUtf8(FsPath);
  HANDLE File = CreateFileW(reinterpret_cast<const wchar_t*>(Wide.c_str()), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (File == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string Bytes;
  char Buffer[16384];
  for (;;) {
    DWORD Read = 0;
    if (!ReadFile(File, Buffer, sizeof Buffer, &Read, nullptr)) {
      CloseHandle(File);
      return std::nullopt;
    }
    if (Read == 0) break;
    Bytes.append(Buffer, Read);
  }
  CloseHandle(File);
  return Bytes;
}

}  // namespace files
