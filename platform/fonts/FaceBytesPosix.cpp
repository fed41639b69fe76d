#include "platform/fonts/FaceBytes.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace facebytes {

std::string IdentityOf(const TFontFile& File) {
  // The same file is often reachable under two names (the fonts-japanese-*
  // alternatives links point at the IPA files): one face for both.
  char Real[PATH_MAX];
  return realpath(File.Path.c_str(), Real) ? std::string(Real) : File.Path;
}

bool Load(const TFontFile& File, TFaceBytes* Bytes) {
  // The whole file mapped read-only; the mapping lives as long as the face.
  int Fd = open(IdentityOf(File).c_str(), O_RDONLY | O_CLOEXEC);
  if (Fd < 0) return false;
  struct stat Info {};
  void* Map = nullptr;
  std::size_t Size = 0;
  if (fstat(Fd, &Info) == 0 && S_ISREG(Info.st_mode) && Info.st_size > 0) {
    Size = static_cast<std::size_t>(Info.st_size);
    Map = mmap(nullptr, Size, PROT_READ, MAP_PRIVATE, Fd, 0);
    if (Map == MAP_FAILED) Map = nullptr;
  }
  close(Fd);
  if (!Map) return false;
  Bytes->Data = std::shared_ptr<const unsigned char>(
      static_cast<const unsigned char*>(Map),
      [Size](const unsigned char* Mapped) { munmap(const_cast<unsigned char*>(Mapped), Size); });
  Bytes->Size = Size;
  Bytes->Index = File.Index;
  return true;
}

void ReleaseResidentPages(const TFaceBytes& Bytes) {
  // Only our own mappings of files: dropping pages of anonymous memory would
  // lose their contents, while a file's pages read back unchanged.
  if (Bytes.Data) madvise(const_cast<unsigned char*>(Bytes.Data.get()), Bytes.Size, MADV_DONTNEED);
}

}  // namespace facebytes
