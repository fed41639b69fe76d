#include "platform/profile/ProfileStore.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/files/Path.h"
#include "platform/files/WideString.h"

// The settings store on Windows, with the same guarantees as on Linux: a
// save writes a temporary file beside the old one, flushes it to the disk
// (FlushFileBuffers) and moves it over the old file in one step
// (MoveFileExW, replacing, written through), so the file is either the old
// one or the new one, whole. A read-only file, a directory in its place, a
// full disk or any failing step is reported and the old file left alone.
//
// Saves of every instance of the program on one directory are serialised
// by a named mutex of the user's session (named after the directory), held
// from reading the old file to the move; a process killed while holding it
// hands it on (the waiter gets it as abandoned). Unlike a lock file it
// leaves nothing beside the settings file.

namespace profile {
namespace {

constexpr DWORD kLockPatienceMs = 5000;

const wchar_t* W(const std::u16string& Text) {
  return reinterpret_cast<const wchar_t*>(Text.c_str());
}

// The errno the Linux store reports for the same failure.
int ErrnoOf(DWORD Error) {
  switch (Error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    default:
      return EIO;
  }
}

class THandle {
public:
  explicit THandle(HANDLE Handle = INVALID_HANDLE_VALUE) : FHandle(Handle) {}
  ~THandle() { Close(); }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;
  HANDLE Get() const { return FHandle; }
  bool Valid() const { return FHandle != INVALID_HANDLE_VALUE && FHandle != nullptr; }
  void Reset(HANDLE Handle) {
    Close();
    FHandle = Handle;
  }
  bool Close() {
    bool Closed = true;
    if (Valid()) Closed = CloseHandle(FHandle) != 0;
    FHandle = INVALID_HANDLE_VALUE;
    return Closed;
  }

private:
  HANDLE FHandle;
};

// The folder of Path with its separator ("" for the current folder) and the
// file's name; double-byte aware (files::ExtractFilePath).
struct TSplitPath {
  std::string Directory, Name;
};
TSplitPath Split(const std::string& Path) {
  return {files::ExtractFilePath(Path), files::ExtractFileName(Path)};
}

// Temporary files are named after the file they replace, like on Linux.
std::string TempPrefix(const std::string& Name) { return "." + Name.substr(0, 200) + ".~"; }
constexpr std::size_t kTempSuffixLength = 6;

std::string RandomSuffix() {
  static std::atomic<unsigned long long> Counter{0};
  unsigned long long Seed =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (static_cast<unsigned long long>(GetCurrentProcessId()) << 32) ^
      (++Counter * 0x9E3779B97F4A7C15ull);
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

TFileRead ReadWide(const std::u16string& Wide) {
  TFileRead Result;
  const DWORD Attributes = GetFileAttributesW(W(Wide));
  if (Attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD Error = GetLastError();
    Result.Status = Error == ERROR_FILE_NOT_FOUND || Error == ERROR_PATH_NOT_FOUND
                        ? TFileRead::frMissing
                        : TFileRead::frFailed;
    Result.Error = ErrnoOf(Error);
    return Result;
  }
  if (Attributes & FILE_ATTRIBUTE_DIRECTORY) {
    Result.Status = TFileRead::frFailed;
    Result.Error = EISDIR;
    return Result;
  }
  THandle File(CreateFileW(W(Wide), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!File.Valid()) {
    const DWORD Error = GetLastError();
    Result.Status = Error == ERROR_FILE_NOT_FOUND ? TFileRead::frMissing : TFileRead::frFailed;
    Result.Error = ErrnoOf(Error);
    return Result;
  }
  // A device or pipe in place of the file: never read from it.
  if (GetFileType(File.Get()) != FILE_TYPE_DISK) {
    Result.Status = TFileRead::frFailed;
    Result.Error = EINVAL;
    return Result;
  }
  char Buffer[65536];
  for (;;) {
    DWORD Count = 0;
    if (!ReadFile(File.Get(), Buffer, sizeof Buffer, &Count, nullptr)) {
      Result.Status = TFileRead::frFailed;
      Result.Error = ErrnoOf(GetLastError());
      Result.Bytes.clear();
      return Result;
    }
    if (Count == 0) break;
    Result.Bytes.append(Buffer, Count);
  }
  Result.Status = TFileRead::frRead;
  return Result;
}

// 0 when the existing file may be replaced, else why not. MoveFileExW
// would replace a file we may not write as long as the folder allows it, so
// the file itself is checked: the read-only attribute (which Wine also shows
// for a file without write permission), then a real opening for writing.
int CheckReplaceable(const std::u16string& Wide, DWORD Attributes) {
  if (Attributes & FILE_ATTRIBUTE_DIRECTORY) return EISDIR;
  if (Attributes & FILE_ATTRIBUTE_READONLY) return EACCES;
  THandle File(CreateFileW(W(Wide), GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!File.Valid()) return ErrnoOf(GetLastError());
  if (GetFileType(File.Get()) != FILE_TYPE_DISK) return EINVAL;
  return 0;
}

int WriteAll(HANDLE File, std::string_view Bytes) {
  int Error = 0;
  if (TSaveFault::Injected(TSaveFault::sfWrite, &Error)) {
    // Fail half-way, as a disk that fills up does.
    DWORD Written = 0;
    WriteFile(File, Bytes.data(), static_cast<DWORD>(Bytes.size() / 2), &Written, nullptr);
    return Error;
  }
  while (!Bytes.empty()) {
    const DWORD Chunk = static_cast<DWORD>(std::min<std::size_t>(Bytes.size(), 1u << 30));
    DWORD Written = 0;
    if (!WriteFile(File, Bytes.data(), Chunk, &Written, nullptr)) return ErrnoOf(GetLastError());
    if (Written == 0) return EIO;
    Bytes.remove_prefix(Written);
  }
  return 0;
}

int SaveUnlocked(const std::string& Path, std::string_view Bytes) {
  const TSplitPath Parts = Split(Path);
  if (Parts.Name.empty()) return EISDIR;
  const std::u16string Wide = files::WidePath(Path);
  const DWORD Attributes = GetFileAttributesW(W(Wide));
  if (Attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD Error = GetLastError();
    if (Error != ERROR_FILE_NOT_FOUND) return ErrnoOf(Error);
  } else if (int Error = CheckReplaceable(Wide, Attributes)) {
    return Error;
  }

  std::u16string Temp;
  THandle File;
  for (int Attempt = 0; Attempt < 100 && !File.Valid(); ++Attempt) {
    Temp = files::WidePath(Parts.Directory + TempPrefix(Parts.Name) + RandomSuffix());
    HANDLE Handle =
        CreateFileW(W(Temp), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (Handle == INVALID_HANDLE_VALUE) {
      const DWORD Error = GetLastError();
      if (Error != ERROR_FILE_EXISTS && Error != ERROR_ALREADY_EXISTS) return ErrnoOf(Error);
      continue;
    }
    File.Reset(Handle);
  }
  if (!File.Valid()) return EEXIST;

  int Error = WriteAll(File.Get(), Bytes);
  if (Error == 0 && !TSaveFault::Injected(TSaveFault::sfSync, &Error) &&
      !FlushFileBuffers(File.Get()))
    Error = ErrnoOf(GetLastError());
  if (!File.Close() && Error == 0) Error = EIO;
  if (Error == 0 && !TSaveFault::Injected(TSaveFault::sfRename, &Error) &&
      !MoveFileExW(W(Temp), W(Wide), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    Error = ErrnoOf(GetLastError());
  if (Error != 0) DeleteFileW(W(Temp));
  return Error;
}

// Temporary files of Name left by a save that was killed. Only called under
// the lock, when no other cooperating save can be writing one.
void RemoveStaleTemporaries(const TSplitPath& Parts) {
  const std::string Prefix = TempPrefix(Parts.Name);
  const std::u16string Pattern = files::WidePath(Parts.Directory + Prefix + "*");
  WIN32_FIND_DATAW Found;
  HANDLE Search = FindFirstFileW(W(Pattern), &Found);
  if (Search == INVALID_HANDLE_VALUE) return;
  std::vector<std::u16string> Stale;
  const std::u16string WidePrefix = files::WidePath(Prefix);
  do {
    std::u16string Name(reinterpret_cast<const char16_t*>(Found.cFileName));
    if (!(Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        Name.size() == WidePrefix.size() + kTempSuffixLength &&
        Name.compare(0, WidePrefix.size(), WidePrefix) == 0)
      Stale.push_back(files::WidePath(Parts.Directory) + Name);
  } while (FindNextFileW(Search, &Found));
  FindClose(Search);
  for (const std::u16string& File : Stale) DeleteFileW(W(File));
}

// The lock of one directory's saves, for one save.
class TDirectoryLock {
public:
  explicit TDirectoryLock(const std::string& Directory) {
    FMutex = CreateMutexW(nullptr, FALSE, W(MutexName(Directory)));
    if (!FMutex) return;
    const DWORD Result = WaitForSingleObject(FMutex, kLockPatienceMs);
    FHeld = Result == WAIT_OBJECT_0 || Result == WAIT_ABANDONED;
  }
  ~TDirectoryLock() {
    if (FHeld) ReleaseMutex(FMutex);
    if (FMutex) CloseHandle(FMutex);
  }
  TDirectoryLock(const TDirectoryLock&) = delete;
  TDirectoryLock& operator=(const TDirectoryLock&) = delete;
  bool Held() const { return FHeld; }

private:
  // Named after the directory's full path, upper-cased as Windows compares
  // names (FNV-1a of the UTF-16 units; the name may not hold "\").
  static std::u16string MutexName(const std::string& Directory) {
    std::u16string Full = files::WidePath(AbsoluteProfilePath(Directory.empty() ? "." : Directory));
    if (!Full.empty())
      CharUpperBuffW(reinterpret_cast<wchar_t*>(&Full[0]), static_cast<DWORD>(Full.size()));
    std::uint64_t Hash = 0xCBF29CE484222325ull;
    for (char16_t Unit : Full) {
      Hash ^= Unit;
      Hash *= 0x100000001B3ull;
    }
    static const char kHex[] = "0123456789abcdef";
    std::u16string Name = u"Local\\ScoutlaneSettings-";
    for (int Shift = 60; Shift >= 0; Shift -= 4)
      Name += static_cast<char16_t>(kHex[(Hash >> Shift) & 15]);
    return Name;
  }

  HANDLE FMutex = nullptr;
  bool FHeld = false;
};

// 0 when Directory (with its separator at the end) can take the file, else
// why not: a file in its place is ENOTDIR, as on Linux.
int CheckDirectory(const std::string& Directory) {
  if (Directory.empty()) return 0;
  std::string Folder = Directory;
  // Directory comes from files::ExtractFilePath: its last byte is a real
  // separator (or the drive's colon), never a trail byte. "C:\dir\" names
  // the folder only without it; "C:\" and "C:" are whole as they are.
  if (Folder.size() > 1 && Folder.back() != ':' && Folder[Folder.size() - 2] != ':')
    Folder.pop_back();
  const DWORD Attributes = GetFileAttributesW(W(files::WidePath(Folder)));
  if (Attributes == INVALID_FILE_ATTRIBUTES) return ErrnoOf(GetLastError());
  return Attributes & FILE_ATTRIBUTE_DIRECTORY ? 0 : ENOTDIR;
}

}  // namespace

TFileRead ReadProfileFile(const std::string& Path) { return ReadWide(files::WidePath(Path)); }

int SaveProfileFile(const std::string& Path, std::string_view Bytes) {
  const TSplitPath Parts = Split(Path);
  if (int Error = CheckDirectory(Parts.Directory)) return Error;
  TDirectoryLock Lock(Parts.Directory);
  if (Lock.Held()) RemoveStaleTemporaries(Parts);
  return SaveUnlocked(Path, Bytes);
}

int UpdateProfileFile(const std::string& Path,
                      const std::function<std::string(std::string_view Old)>& Edit) {
  const TSplitPath Parts = Split(Path);
  if (int Error = CheckDirectory(Parts.Directory)) return Error;
  TDirectoryLock Lock(Parts.Directory);
  if (Lock.Held()) RemoveStaleTemporaries(Parts);
  TFileRead Old = ReadProfileFile(Path);
  if (Old.Status == TFileRead::frFailed) return Old.Error;
  return SaveUnlocked(Path, Edit(Old.Bytes));
}

// As on Linux, the path keeps the caller's spelling: an absolute path
// ("C:\\...", "C:/...", "\\\\server\\...") is given back as it is, a relative
// one is put after the current folder. Only a path relative to a drive's or
// the current drive's root ("C:name", "\\name") is left to GetFullPathNameW.
std::string AbsoluteProfilePath(const std::string& Path) {
  auto Separator = [](char Byte) { return Byte == '\\' || Byte == '/'; };
  const bool HasDrive = Path.size() >= 2 && Path[1] == ':';
  if (HasDrive && Path.size() >= 3 && Separator(Path[2])) return Path;
  if (Path.size() >= 2 && Separator(Path[0]) && Separator(Path[1])) return Path;
  std::vector<wchar_t> Buffer(MAX_PATH);
  if (!HasDrive && !(Path.size() >= 1 && Separator(Path[0]))) {
    const DWORD Length = GetCurrentDirectoryW(static_cast<DWORD>(Buffer.size()), Buffer.data());
    if (Length >= Buffer.size()) {
      Buffer.resize(Length + 1);
      if (GetCurrentDirectoryW(static_cast<DWORD>(Buffer.size()), Buffer.data()) >= Buffer.size())
        return Path;
    }
    if (Length == 0) return Path;
    std::string Directory = files::PathFromWide(reinterpret_cast<const char16_t*>(Buffer.data()));
    // Its last byte may be the trail byte of ソ: ask where the name starts.
    if (!files::ExtractFileName(Directory).empty()) Directory += '\\';
    return Directory + Path;
  }
  const std::u16string Wide = files::WidePath(Path);
  for (int Attempt = 0; Attempt < 2; ++Attempt) {
    const DWORD Length =
        GetFullPathNameW(W(Wide), static_cast<DWORD>(Buffer.size()), Buffer.data(), nullptr);
    if (Length == 0) return Path;
    if (Length < Buffer.size())
      return files::PathFromWide(
          std::u16string_view(reinterpret_cast<const char16_t*>(Buffer.data()), Length));
    Buffer.resize(Length + 1);
  }
  return Path;
}

}  // namespace profile
