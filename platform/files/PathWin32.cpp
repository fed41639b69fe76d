#include "platform/files/Path.h"

#include <windows.h>

#include <vector>

#include "platform/files/WideString.h"
#include "platform/text/Cp932.h"

// Windows paths: "\" or "/" between folders, and a drive ("C:") before them.
// A double-byte character's trail byte can be 0x5C, the backslash (ソ, 表,
// 能 ...), so separators are looked for character by character, never by
// searching the bytes.

namespace files {
namespace {

bool IsSeparator(char Byte) { return Byte == '\\' || Byte == '/'; }

}  // namespace

// Position just after the last separator or drive colon (0 when none).
std::size_t FileNameStart(std::string_view Path) {
  std::size_t Start = 0;
  for (std::size_t Pos = 0; Pos < Path.size(); Pos = cp932::NextCharPos(Path, Pos)) {
    if (cp932::CharLength(Path, Pos) == 1 && (IsSeparator(Path[Pos]) || Path[Pos] == ':'))
      Start = Pos + 1;
  }
  return Start;
}

std::string ExecutablePath() {
  std::vector<wchar_t> Buffer(MAX_PATH);
  for (;;) {
    const DWORD Length =
        GetModuleFileNameW(nullptr, Buffer.data(), static_cast<DWORD>(Buffer.size()));
    if (Length == 0) return std::string();
    if (Length < Buffer.size())
      return PathFromWide(
          std::u16string_view(reinterpret_cast<const char16_t*>(Buffer.data()), Length));
    Buffer.resize(Buffer.size() * 2);  // cut short: ask again with more room
  }
}

}  // namespace files
