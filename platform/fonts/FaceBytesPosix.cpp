#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/fonts/FaceBytes.h"

namespace facebytes {

namespace {

// FreeType's stream reader: Count bytes at Offset, or with Count 0 a seek
// that answers 0 when it may go there. A font file shortened while it is
// open gives fewer bytes than asked, and FreeType fails the glyph it was
// loading (it is drawn as missing) instead of the process dying as it would
// when touching a mapped page past the new end of the file.
unsigned long ReadAt(FT_Stream Stream, unsigned long Offset, unsigned char* Buffer,
                     unsigned long Count) {
  if (Count == 0) return Offset <= Stream->size ? 0 : 1;
  const int Fd = static_cast<int>(Stream->descriptor.value);
  unsigned long Done = 0;
  while (Done < Count) {
    ssize_t Read = pread(Fd, Buffer + Done, Count - Done, static_cast<off_t>(Offset + Done));
    if (Read < 0 && errno == EINTR) continue;
    if (Read <= 0) break;
    Done += static_cast<unsigned long>(Read);
  }
  return Done;
}

}  // namespace

std::string IdentityOf(const TFontFile& File) {
  // The same file is often reachable under two names (the fonts-japanese-*
  // alternatives links point at the IPA files): one face for both.
  char Real[PATH_MAX];
  return realpath(File.Path.c_str(), Real) ? std::string(Real) : File.Path;
}

std::string StampOf(const std::string& Identity) {
  struct stat Info {};
  if (stat(Identity.c_str(), &Info) != 0) return "-";
  return std::to_string(Info.st_dev) + ":" + std::to_string(Info.st_ino) + ":" +
         std::to_string(Info.st_size) + ":" + std::to_string(Info.st_mtim.tv_sec) + "." +
         std::to_string(Info.st_mtim.tv_nsec) + ":" + std::to_string(Info.st_ctim.tv_sec) + "." +
         std::to_string(Info.st_ctim.tv_nsec);
}

bool Load(const TFontFile& File, TFaceBytes* Bytes) {
  // Read through a descriptor rather than mapped: a mapped page past the end
  // of a file that a package upgrade or a copy has shortened kills the
  // process with SIGBUS, and nothing can be done about that safely. Only a
  // regular file, opened without waiting, so a pipe or device put in a
  // font's place cannot hang the program.
  int Fd = open(IdentityOf(File).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (Fd < 0) return false;
  struct stat Info {};
  if (fstat(Fd, &Info) != 0 || !S_ISREG(Info.st_mode) || Info.st_size <= 0) {
    close(Fd);
    return false;
  }
  auto* Stream = new FT_StreamRec{};
  Stream->size = static_cast<unsigned long>(Info.st_size);
  Stream->descriptor.value = Fd;
  Stream->read = ReadAt;
  // FreeType never frees a stream it was handed; the descriptor is closed
  // here, once the face store has closed the face.
  Bytes->Stream = std::shared_ptr<FT_StreamRec>(Stream, [](FT_StreamRec* Open) {
    close(static_cast<int>(Open->descriptor.value));
    delete Open;
  });
  Bytes->Data = nullptr;
  Bytes->Size = Stream->size;
  Bytes->Index = File.Index;
  return true;
}

}  // namespace facebytes
