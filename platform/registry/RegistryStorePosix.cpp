#include "platform/registry/RegistryStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/core/Exception.h"
#include "platform/files/Path.h"
#include "platform/files/SettingsFolder.h"
#include "platform/registry/RegistryFormat.h"
#include "platform/registry/RegistryMessages.h"

namespace registry {
namespace {

// The folder the store had before it joined the settings folder.
constexpr const char* kEarlierProgramFolder = "Scoutlane";
constexpr const char* kFileName = "registry.txt";

class TDescriptor {
public:
  explicit TDescriptor(int Descriptor) : FDescriptor(Descriptor) {}
  ~TDescriptor() {
    if (FDescriptor >= 0) close(FDescriptor);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Get() const { return FDescriptor; }

private:
  int FDescriptor;
};

[[noreturn]] void FailWrite(const std::string& Path) {
  throw ERegistryException(FormatMessage(messages::kCannotWrite, {files::FromFileSystem(Path)}));
}

[[noreturn]] void FailRead(const std::string& Path) {
  throw ERegistryException(FormatMessage(kUnreadableStoreMessage, {files::FromFileSystem(Path)}));
}

// mkdir -p, each missing folder readable by the user only.
bool MakeDirectories(const std::string& Path) {
  for (std::size_t Slash = Path.find('/', 1); Slash != std::string::npos;
       Slash = Path.find('/', Slash + 1)) {
    if (mkdir(Path.substr(0, Slash).c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  if (mkdir(Path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat Status;
  return stat(Path.c_str(), &Status) == 0 && S_ISDIR(Status.st_mode);
}

bool WriteAll(int Descriptor, std::string_view Data) {
  while (!Data.empty()) {
    ssize_t Written = write(Descriptor, Data.data(), Data.size());
    if (Written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    Data.remove_prefix(static_cast<std::size_t>(Written));
  }
  return true;
}

// The temporary files of saves that were killed before their rename
// (".registry.txt." and six characters). Only called under the folder's
// lock, after a save of our own, when no cooperating save is writing one.
void RemoveStaleTemporaries(int DirectoryDescriptor) {
  const std::string Prefix = std::string(".") + kFileName + ".";
  constexpr std::size_t kSuffixLength = 6;  // mkostemp's XXXXXX
  int Copy = fcntl(DirectoryDescriptor, F_DUPFD_CLOEXEC, 0);
  if (Copy < 0) return;
  DIR* Listing = fdopendir(Copy);
  if (!Listing) {
    close(Copy);
    return;
  }
  std::vector<std::string> Stale;
  while (dirent* Entry = readdir(Listing)) {
    std::string_view Name = Entry->d_name;
    if (Name.size() == Prefix.size() + kSuffixLength && Name.substr(0, Prefix.size()) == Prefix)
      Stale.emplace_back(Name);
  }
  closedir(Listing);
  for (const std::string& Name : Stale) unlinkat(DirectoryDescriptor, Name.c_str(), 0);
}

}  // namespace

std::string TRegistryStore::CurrentUserDirectory() {
  std::string Directory = files::ToFileSystem(files::UserSettingsDirectory());
  if (Directory.empty()) return std::string();
  Directory.pop_back();  // the separator
  // A store made before the settings moved into this folder stays where it
  // is, in "Scoutlane" beside it, until this folder holds one: moving it
  // would be a write on a read, and nothing it holds may be lost.
  const std::string Earlier = files::ExtractFilePath(Directory) + kEarlierProgramFolder;
  struct stat Status;
  if (stat((Directory + "/" + kFileName).c_str(), &Status) != 0 &&
      stat((Earlier + "/" + kFileName).c_str(), &Status) == 0)
    return Earlier;
  return Directory;
}

std::string TRegistryStore::FilePath() const {
  if (FDirectory.empty()) return kFileName;
  return FDirectory + "/" + kFileName;
}

// The file holds the whole store: the scope only matters to the registry
// of Windows.
TRegistryTree TRegistryStore::Load(const TKeyPath&) const {
  if (FDirectory.empty()) return TRegistryTree();
  std::string Path = FilePath();
  // O_NONBLOCK: a named pipe in the store's place must not hang the
  // program; only a regular file is a store.
  TDescriptor File(open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (File.Get() < 0) {
    // No store yet, or no folder for it yet: nothing has been stored.
    if (errno == ENOENT || errno == ENOTDIR) return TRegistryTree();
    FailRead(Path);
  }
  struct stat Status;
  if (fstat(File.Get(), &Status) != 0 || !S_ISREG(Status.st_mode)) FailRead(Path);
  std::string Text;
  char Buffer[65536];
  while (true) {
    ssize_t Read = read(File.Get(), Buffer, sizeof Buffer);
    if (Read < 0) {
      if (errno == EINTR) continue;
      FailRead(Path);  // also a folder where the file should be (EISDIR)
    }
    if (Read == 0) break;
    Text.append(Buffer, static_cast<std::size_t>(Read));
  }
  return ParseRegistry(Text, files::FromFileSystem(Path));
}

TRegistryTree TRegistryStore::Update(const std::function<bool(TRegistryTree&)>& Change,
                                     const TKeyPath&) {
  if (FDirectory.empty()) {
    TRegistryTree Tree;
    if (Change(Tree)) FailWrite(FilePath());
    return Tree;
  }

  int DirectoryDescriptor = open(FDirectory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (DirectoryDescriptor < 0) {
    // Create the folder only for a change that needs it: a program that
    // merely reads must not leave folders behind.
    TRegistryTree Tree = Load();
    if (!Change(Tree)) return Tree;
    if (!MakeDirectories(FDirectory)) FailWrite(FilePath());
    DirectoryDescriptor = open(FDirectory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (DirectoryDescriptor < 0) FailWrite(FilePath());
  }
  TDescriptor Directory(DirectoryDescriptor);

  // Released when the descriptor is closed, also when an error leaves here.
  while (flock(Directory.Get(), LOCK_EX) != 0 && errno == EINTR) {
  }
  TRegistryTree Tree = Load();
  if (Change(Tree)) Save(Directory.Get(), Tree);
  return Tree;
}

void TRegistryStore::Save(int DirectoryDescriptor, const TRegistryTree& Tree) const {
  std::string Text = SerializeRegistry(Tree);
  std::string Path = FilePath();
  std::string Temporary = FDirectory + "/." + kFileName + ".XXXXXX";
  int Descriptor = mkostemp(Temporary.data(), O_CLOEXEC);
  if (Descriptor < 0) FailWrite(Path);

  bool Written =
      fchmod(Descriptor, 0600) == 0 && WriteAll(Descriptor, Text) && fsync(Descriptor) == 0;
  Written = close(Descriptor) == 0 && Written;
  if (!Written || rename(Temporary.c_str(), Path.c_str()) != 0) {
    unlink(Temporary.c_str());
    FailWrite(Path);
  }
  // Makes the rename itself durable. The new store is in place either way,
  // so a failure here has nothing left to undo.
  fsync(DirectoryDescriptor);
  RemoveStaleTemporaries(DirectoryDescriptor);
}

}  // namespace registry
