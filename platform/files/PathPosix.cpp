#include "platform/files/Path.h"

#include <unistd.h>

#include <vector>

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

std::size_t FileNameStart(std::string_view Path) {
  std::size_t Slash = Path.rfind('/');
  return Slash == std::string_view::npos ? 0 : Slash + 1;
}

}  // namespace files
