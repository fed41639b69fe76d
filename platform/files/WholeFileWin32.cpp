#include "platform/files/WholeFile.h"

#include <windows.h>

#include <algorithm>

#include "platform/files/WideString.h"

namespace files {

bool WriteWholeFile(const std::string& Path, std::string_view Bytes) {
  const std::u16string Wide = WidePath(Path);
  HANDLE File = CreateFileW(reinterpret_cast<const wchar_t*>(Wide.c_str()), GENERIC_WRITE, 0,
                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (File == INVALID_HANDLE_VALUE) return false;
  bool Written = true;
  while (Written && !Bytes.empty()) {
    DWORD Count = 0;
    Written = WriteFile(File, Bytes.data(),
                        static_cast<DWORD>(std::min<std::size_t>(Bytes.size(), 1u << 30)), &Count,
                        nullptr) &&
              Count > 0;
    Bytes.remove_prefix(Written ? Count : 0);
  }
  return CloseHandle(File) && Written;
}

}  // namespace files
