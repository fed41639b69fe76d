#pragma once
// Reading and saving settings files. Paths are the system's text (code page
// 932) and are converted for the file system here, at the edge.
//
// A save never leaves a torn file. The new bytes go to a temporary file in the
// same directory (".<name>.~XXXXXX"), which is flushed to disk (fsync), given
// the old file's owner and permissions (a new file gets the usual 0666 less
// the umask) and renamed over the old file; the directory is flushed too. On
// every failure the temporary file is removed and the old file is left as it
// was, byte for byte. A save through a symbolic link replaces the file the link
// points to and keeps the link. (A hard link to the old file keeps the old
// content: rename makes a new file.)
//
// A save is refused, with the file left alone, when:
// - the path names a directory or anything else that is not a regular file;
// - the file has no write permission. A rename would silently replace such a
//   file, so this is checked first: by the caller's effective rights, and, for
//   root, who may write anything, by the mode bits: a file without any write
//   bit is read-only for everyone;
// - the directory refuses the temporary file (read-only, immutable, missing,
//   on a read-only file system) or the disk is full, or any write, flush,
//   rename or close fails.
//
// Saves of cooperating processes (every instance of this program) are
// serialised by an flock on the directory, held from reading the old file to
// the rename, so that an update made by another instance meanwhile is never
// lost. While holding it, a save also removes temporary files that a process
// killed during an earlier save left behind. The lock is waited for at most a
// few seconds; a save then goes ahead without it and without the clean-up.

#include <functional>
#include <string>
#include <string_view>

namespace profile {

struct TFileRead {
  enum TStatus { frRead, frMissing, frFailed };
  TStatus Status = frMissing;
  int Error = 0;  // errno for frFailed
  std::string Bytes;
};

// The whole file. A path that does not exist (also when a directory on the way
// is missing or is a file) is frMissing. A directory, a FIFO or a device in
// place of the file, and an unreadable file, are frFailed; no read ever blocks.
TFileRead ReadProfileFile(const std::string& Path);

// Saves Bytes as the file at Path, atomically. Returns 0, or the errno that
// explains the refusal.
int SaveProfileFile(const std::string& Path, std::string_view Bytes);

// Reads the file as it is now (a missing file as empty text), passes its bytes
// to Edit and saves what Edit returns, all under the directory lock. Refuses
// without calling Edit when the file exists but cannot be read: saving would
// lose its content. Returns 0 or the errno of the refusal.
int UpdateProfileFile(const std::string& Path,
                      const std::function<std::string(std::string_view Old)>& Edit);

// Path made absolute against the current directory, for messages.
std::string AbsoluteProfilePath(const std::string& Path);

// Test seam: while an instance lives, saves in this process fail at Step with
// Error, the way a full disk or a failing device makes them fail.
class TSaveFault {
public:
  enum TStep { sfWrite, sfSync, sfRename };
  TSaveFault(TStep Step, int Error);
  ~TSaveFault();
  TSaveFault(const TSaveFault&) = delete;
  TSaveFault& operator=(const TSaveFault&) = delete;

  // For the stores: whether a save is to fail at Step now, and with what.
  static bool Injected(TStep Step, int* Error);
};

}  // namespace profile
