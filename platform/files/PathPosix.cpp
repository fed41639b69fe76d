#include "platform/files/Path.h"

#include <unistd.h>

#include <vector>

#include "platform/text/Cp932.h"

namespace files {

std::string ExecutablePath() {
  std::vector<char> Buffer(4096);
  while (true) {
    ssize_t Length = readlink("/proc/self/exe", Buffer.data(), Buffer.size());
    if (Length < 0) return std::string();
    if (static_cast<std::size_t>(Length) < Buffer.size())
      return FromFileSystem(std::string_view(Buffer.data(), Length));
    Buffer.resize(Buffer.size() * 2);
  }
}

std::string ExecutableDirectory() { return ExtractFilePath(ExecutablePath()); }

std::string ExtractFilePath(std::string_view Path) {
  std::size_t Slash = Path.rfind('/');
  return Slash == std::string_view::npos ? std::string() : std::string(Path.substr(0, Slash + 1));
}

std::string ExtractFileName(std::string_view Path) {
  std::size_t Slash = Path.rfind('/');
  return std::string(Slash == std::string_view::npos ? Path : Path.substr(Slash + 1));
}

std::string ExtractFileExt(std::string_view Path) {
  std::string Name = ExtractFileName(Path);
  std::size_t Dot = Name.rfind('.');
  return Dot == std::string::npos ? std::string() : Name.substr(Dot);
}

std::string RemoveFileExt(std::string_view Path) {
  std::string Ext = ExtractFileExt(Path);
  return std::string(Path.substr(0, Path.size() - Ext.size()));
}

std::string ToFileSystem(std::string_view Path) {
  return cp932::ToUtf8(Path).value_or(std::string(Path));
}

std::string FromFileSystem(std::string_view Path) {
  return cp932::FromUtf8(Path).value_or(std::string(Path));
}

}  // namespace files
