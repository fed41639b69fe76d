#include "platform/files/FileBytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace files {

std::optional<std::string> ReadFileBytes(const std::string& FsPath) {
  const int Fd = open(FsPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (Fd < 0) return std::nullopt;
  std::string Bytes;
  char Buffer[16384];
  for (;;) {
    const ssize_t N = read(Fd, Buffer, sizeof(Buffer));
    if (N < 0 && errno == EINTR) continue;
    if (N < 0) {
      close(Fd);
      return std::nullopt;
    }
    if (N == 0) break;
    Bytes.append(Buffer, static_cast<std::size_t>(N));
  }
  close(Fd);
  return Bytes;
}

}  // namespace files
