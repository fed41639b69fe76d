#include "platform/files/Path.h"

#include "platform/text/Cp932.h"

// What does not depend on how the system separates folders; FileNameStart,
// the one thing that does, is each system's (PathPosix.cpp, PathWin32.cpp).

namespace files {

std::string ExecutableDirectory() { return ExtractFilePath(ExecutablePath()); }

std::string ExtractFilePath(std::string_view Path) {
  return std::string(Path.substr(0, FileNameStart(Path)));
}

std::string ExtractFileName(std::string_view Path) {
  return std::string(Path.substr(FileNameStart(Path)));
}

std::string ExtractFileExt(std::string_view Path) {
  // "." is never a trail byte: the last one in the name is the extension's.
  std::string Name = ExtractFileName(Path);
  std::size_t Dot = Name.rfind('.');
  return Dot == std::string::npos ? std::string() : Name.substr(Dot);
}

std::string RemoveFileExt(std::string_view Path) {
  std::string Ext = ExtractFileExt(Path);
  return std::string(Path.substr(0, Path.size() - Ext.size()));
}

// The file system's bytes are UTF-8 on both systems; on Windows the native
// calls take them as UTF-16 (WideFromUtf8).
std::string ToFileSystem(std::string_view Path) {
  return cp932::ToUtf8(Path).value_or(std::string(Path));
}

std::string FromFileSystem(std::string_view Path) {
  return cp932::FromUtf8(Path).value_or(std::string(Path));
}

}  // namespace files
