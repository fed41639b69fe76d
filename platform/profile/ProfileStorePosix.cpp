#include "platform/profile/ProfileStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <thread>
#include <vector>

#include "platform/files/Path.h"

namespace profile {
namespace {

// How long a save waits for another instance's save in the same directory.
constexpr auto kLockPatience = std::chrono::seconds(5);

class TFileDescriptor {
public:
  explicit TFileDescriptor(int Fd = -1) : FFd(Fd) {}
  ~TFileDescriptor() {
    if (FFd >= 0) close(FFd);
  }
  TFileDescriptor(const TFileDescriptor&) = delete;
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;
  int Get() const { return FFd; }

private:
  int FFd;
};

std::string DirectoryOf(const std::string& FsPath) {
  std::size_t Slash = FsPath.rfind('/');
  if (Slash == std::string::npos) return ".";
  if (Slash == 0) return "/";
  return FsPath.substr(0, Slash);
}

std::string NameOf(const std::string& FsPath) {
  std::size_t Slash = FsPath.rfind('/');
  return Slash == std::string::npos ? FsPath : FsPath.substr(Slash + 1);
}

// Temporary files are hidden and named after the file they replace; the name
// is shortened so that the temporary name stays within NAME_MAX.
std::string TempPrefix(const std::string& Name) { return "." + Name.substr(0, 200) + ".~"; }
constexpr std::size_t kTempSuffixLength = 6;

std::string RandomSuffix() {
  static std::atomic<unsigned long long> Counter{0};
  unsigned long long Seed =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (static_cast<unsigned long long>(getpid()) << 32) ^ (++Counter * 0x9E3779B97F4A7C15ull);
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::string Suffix;
  for (std::size_t Index = 0; Index < kTempSuffixLength; ++Index) {
    Seed ^= Seed >> 29;
    Seed *= 0xBF58476D1CE4E5B9ull;
    Seed ^= Seed >> 32;
    Suffix += kDigits[Seed % (sizeof kDigits - 1)];
  }
  return Suffix;
}

// A save through a symbolic link must replace the file it points to, not the
// link. Links are followed one by one, so a dangling link names the file that
// the save will create.
std::string ResolveLinks(std::string FsPath) {
  for (int Hop = 0; Hop < 40; ++Hop) {
    struct stat Status;
    if (lstat(FsPath.c_str(), &Status) != 0 || !S_ISLNK(Status.st_mode)) return FsPath;
    std::vector<char> Target(PATH_MAX);
    ssize_t Length = readlink(FsPath.c_str(), Target.data(), Target.size());
    if (Length <= 0 || static_cast<std::size_t>(Length) >= Target.size()) return FsPath;
    std::string Link(Target.data(), static_cast<std::size_t>(Length));
    FsPath = Link[0] == '/' ? Link : DirectoryOf(FsPath) + "/" + Link;
  }
  return FsPath;  // a loop of links: the save fails on it with ELOOP
}

TFileRead ReadResolved(const std::string& FsPath) {
  TFileRead Result;
  // O_NONBLOCK: a FIFO in place of the file must not hang the program.
  TFileDescriptor Fd(open(FsPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (Fd.Get() < 0) {
    Result.Status =
        errno == ENOENT || errno == ENOTDIR ? TFileRead::frMissing : TFileRead::frFailed;
    Result.Error = errno;
    return Result;
  }
  struct stat Status;
  if (fstat(Fd.Get(), &Status) != 0 || !S_ISREG(Status.st_mode)) {
    Result.Status = TFileRead::frFailed;
    Result.Error = S_ISDIR(Status.st_mode) ? EISDIR : EINVAL;
    return Result;
  }
  Result.Bytes.reserve(static_cast<std::size_t>(Status.st_size));
  char Buffer[65536];
  while (true) {
    ssize_t Count = read(Fd.Get(), Buffer, sizeof Buffer);
    if (Count == 0) break;
    if (Count < 0) {
      if (errno == EINTR) continue;
      Result.Status = TFileRead::frFailed;
      Result.Error = errno;
      Result.Bytes.clear();
      return Result;
    }
    Result.Bytes.append(Buffer, static_cast<std::size_t>(Count));
  }
  Result.Status = TFileRead::frRead;
  return Result;
}

// 0 when the existing file may be replaced, else why not.
int CheckReplaceable(const std::string& FsPath, const struct stat& Status) {
  if (S_ISDIR(Status.st_mode)) return EISDIR;
  if (!S_ISREG(Status.st_mode)) return EINVAL;
  // Root passes every access check, so a file that nobody may write is
  // recognised by its mode bits.
  if ((Status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return EACCES;
  if (faccessat(AT_FDCWD, FsPath.c_str(), W_OK, AT_EACCESS) != 0) return errno;
  return 0;
}

int WriteAll(int Fd, std::string_view Bytes) {
  int Error = 0;
  if (TSaveFault::Injected(TSaveFault::sfWrite, &Error)) {
    // Fail half-way, as a disk that fills up does, so a partly written
    // temporary file is left to clean up.
    if (write(Fd, Bytes.data(), Bytes.size() / 2) < 0) return errno;
    return Error;
  }
  while (!Bytes.empty()) {
    ssize_t Count = write(Fd, Bytes.data(), Bytes.size());
    if (Count < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    Bytes.remove_prefix(static_cast<std::size_t>(Count));
  }
  return 0;
}

// Fills the temporary file: the old file's owner and mode, the bytes, fsync.
int FillTemporary(int Fd, std::string_view Bytes, const struct stat* Old) {
  if (Old) {
    // The owner can only be kept by root (or when it is us already); the
    // mode is kept in any case. chown first: it clears set-id bits.
    if (fchown(Fd, Old->st_uid, Old->st_gid) != 0) {
      // Not permitted: the file becomes ours, with the same permissions.
    }
    if (fchmod(Fd, Old->st_mode & 07777) != 0) return errno;
  }
  if (int Error = WriteAll(Fd, Bytes)) return Error;
  int Error = 0;
  if (TSaveFault::Injected(TSaveFault::sfSync, &Error)) return Error;
  if (fsync(Fd) != 0) return errno;
  return 0;
}

int SaveResolved(const std::string& FsPath, std::string_view Bytes, int DirectoryFd) {
  std::string Directory = DirectoryOf(FsPath), Name = NameOf(FsPath);
  if (Name.empty()) return EISDIR;
  struct stat Old;
  bool Exists = stat(FsPath.c_str(), &Old) == 0;
  if (!Exists && errno != ENOENT) return errno;
  if (Exists) {
    if (int Error = CheckReplaceable(FsPath, Old)) return Error;
  }

  std::string Temp;
  int Fd = -1;
  for (int Attempt = 0; Attempt < 100; ++Attempt) {
    Temp = Directory + "/" + TempPrefix(Name) + RandomSuffix();
    // A new file gets 0666 less the umask, as any new file does.
    Fd = open(Temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, Exists ? 0600 : 0666);
    if (Fd >= 0 || errno != EEXIST) break;
  }
  if (Fd < 0) return errno;

  int Error = FillTemporary(Fd, Bytes, Exists ? &Old : nullptr);
  if (close(Fd) != 0 && Error == 0) Error = errno;
  if (Error == 0 && !TSaveFault::Injected(TSaveFault::sfRename, &Error) &&
      rename(Temp.c_str(), FsPath.c_str()))
    Error = errno;
  if (Error != 0) {
    unlink(Temp.c_str());
    return Error;
  }
  // Makes the rename itself durable. The new content is complete on disk
  // already, so a failure here changes nothing the caller could act on.
  if (DirectoryFd >= 0) {
    fsync(DirectoryFd);
  } else {
    TFileDescriptor Dir(open(Directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (Dir.Get() >= 0) fsync(Dir.Get());
  }
  return 0;
}

// The directory, opened and (when possible) locked for one save.
class TDirectoryLock {
public:
  explicit TDirectoryLock(const std::string& Directory)
      : FFd(open(Directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    FOpenError = FFd.Get() < 0 ? errno : 0;
    if (FFd.Get() < 0) return;
    auto Deadline = std::chrono::steady_clock::now() + kLockPatience;
    auto Pause = std::chrono::milliseconds(1);
    while (true) {
      if (flock(FFd.Get(), LOCK_EX | LOCK_NB) == 0) {
        FHeld = true;
        return;
      }
      // A file system without locks: go ahead unlocked.
      if (errno != EWOULDBLOCK && errno != EINTR) return;
      if (std::chrono::steady_clock::now() >= Deadline) return;
      std::this_thread::sleep_for(Pause);
      if (Pause < std::chrono::milliseconds(16)) Pause *= 2;
    }
  }
  // Closing the descriptor releases the lock.

  int Fd() const { return FFd.Get(); }
  int OpenError() const { return FOpenError; }
  bool Held() const { return FHeld; }

private:
  TFileDescriptor FFd;
  int FOpenError = 0;
  bool FHeld = false;
};

// Temporary files of Name left by a save that was killed. Only called under
// the lock, when no other cooperating save can be writing one.
void RemoveStaleTemporaries(int DirectoryFd, const std::string& Name) {
  int Copy = fcntl(DirectoryFd, F_DUPFD_CLOEXEC, 0);
  if (Copy < 0) return;
  DIR* Listing = fdopendir(Copy);
  if (!Listing) {
    close(Copy);
    return;
  }
  std::string Prefix = TempPrefix(Name);
  std::vector<std::string> Stale;
  while (dirent* Entry = readdir(Listing)) {
    std::string_view Found = Entry->d_name;
    if (Found.size() == Prefix.size() + kTempSuffixLength &&
        Found.substr(0, Prefix.size()) == Prefix)
      Stale.emplace_back(Found);
  }
  closedir(Listing);
  for (const std::string& Entry : Stale) unlinkat(DirectoryFd, Entry.c_str(), 0);
}

// Opens and locks the directory of FsPath; 0 or why the save cannot go on.
int PrepareDirectory(const std::string& FsPath, const TDirectoryLock& Lock) {
  // A directory that is missing or is a file: nothing can be saved there. A
  // directory we may not list can still take the file: go on unlocked.
  if (Lock.OpenError() != 0 && Lock.OpenError() != EACCES) return Lock.OpenError();
  if (Lock.Held()) RemoveStaleTemporaries(Lock.Fd(), NameOf(FsPath));
  return 0;
}

}  // namespace

TFileRead ReadProfileFile(const std::string& Path) {
  return ReadResolved(files::ToFileSystem(Path));
}

int SaveProfileFile(const std::string& Path, std::string_view Bytes) {
  std::string FsPath = ResolveLinks(files::ToFileSystem(Path));
  TDirectoryLock Lock(DirectoryOf(FsPath));
  if (int Error = PrepareDirectory(FsPath, Lock)) return Error;
  return SaveResolved(FsPath, Bytes, Lock.Fd());
}

int UpdateProfileFile(const std::string& Path,
                      const std::function<std::string(std::string_view Old)>& Edit) {
  std::string FsPath = ResolveLinks(files::ToFileSystem(Path));
  TDirectoryLock Lock(DirectoryOf(FsPath));
  if (int Error = PrepareDirectory(FsPath, Lock)) return Error;
  TFileRead Old = ReadResolved(FsPath);
  if (Old.Status == TFileRead::frFailed) return Old.Error;
  return SaveResolved(FsPath, Edit(Old.Bytes), Lock.Fd());
}

std::string AbsoluteProfilePath(const std::string& Path) {
  if (!Path.empty() && Path[0] == '/') return Path;
  std::vector<char> Buffer(PATH_MAX);
  if (!getcwd(Buffer.data(), Buffer.size())) return Path;
  std::string Directory = files::FromFileSystem(Buffer.data());
  if (Directory.empty() || Directory.back() != '/') Directory += '/';
  return Directory + Path;
}

}  // namespace profile
