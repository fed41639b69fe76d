#pragma once
// The per-user registry store: HKEY_CURRENT_USER on Windows, a file standing
// in for it on Linux.
//
// On Linux (RegistryStorePosix.cpp) one file holds the whole store:
// registry.txt in the user's settings folder, $XDG_CONFIG_HOME/scoutlane
// (files/SettingsFolder.h: ~/.config when XDG_CONFIG_HOME is unset,
// relative or no folder, as the XDG rules ask). A store made earlier in
// $XDG_CONFIG_HOME/Scoutlane is used where it is while that folder has none.
// Its text form is described in RegistryFormat.h.
//
// - Only the user may read it: the folders we create are 0700, the file 0600.
// - A save never leaves a torn store: the new text goes to a temporary file
//   in the same folder, is flushed to disk and renamed over the old file. A
//   refused write raises ERegistryException ("%s に書き込めません"), removes
//   the temporary file and leaves the old store as it was.
// - A change is applied to the store as it is on disk at that moment, under
//   an exclusive lock on the folder (flock), so two programs that change the
//   store at once never lose each other's changes. Reading takes no lock:
//   the file is only ever replaced whole.
// - A file that cannot be read or does not follow the format raises
//   ERegistryException naming the file; it is never overwritten by a save.
//
// On Windows (RegistryStoreWin32.cpp) the store is the real registry:
// "Directory" is a key under HKEY_CURRENT_USER that stands for the root
// (empty: HKEY_CURRENT_USER itself, the current user's store). Names and
// texts are converted between code page 932 and UTF-16; texts are REG_SZ,
// numbers REG_DWORD. An update writes only what its change changed, key by
// key, so two programs that change different values never lose each
// other's changes. A stored text or name that code page 932 cannot hold is
// left out when reading (it is not this program's), and so is a value of
// another type. A refused read or write raises ERegistryException naming
// the key.
//
// The registry holds far more than this program's keys, so Load and Update
// take a scope: the key path the caller reads and changes. Only that key,
// the keys on the way to it and what lies below it are loaded, and a change
// outside it is not stored; an update without a scope is refused on the
// whole of HKEY_CURRENT_USER. The file store loads the whole file either way.
#include <functional>
#include <string>

#include "platform/registry/RegistryTree.h"

namespace registry {

class TRegistryStore {
public:
  // Directory is the store's folder, in the file system's bytes (on
  // Windows: the root key's path under HKEY_CURRENT_USER, code page 932).
  explicit TRegistryStore(std::string Directory) : FDirectory(std::move(Directory)) {}

  // The current user's store, from the environment as it is now. On Linux
  // empty when the user has no home folder at all; such a store reads as
  // empty and refuses every write. On Windows always empty: the root is
  // HKEY_CURRENT_USER itself.
  static std::string CurrentUserDirectory();
  static TRegistryStore ForCurrentUser() { return TRegistryStore(CurrentUserDirectory()); }

  const std::string& Directory() const { return FDirectory; }
  std::string FilePath() const;

  // The store as it is now (within Scope); a missing file is an empty store.
  TRegistryTree Load(const TKeyPath& Scope = {}) const;

  // Loads the store, lets Change edit it, and saves the result when Change
  // answers that it changed something; returns the store as it now is. When
  // the store's folder does not exist yet, Change may run twice (once to see
  // whether the folder is needed at all), so it must be a pure function of
  // the tree it gets.
  TRegistryTree Update(const std::function<bool(TRegistryTree&)>& Change,
                       const TKeyPath& Scope = {});

private:
  void Save(int DirectoryDescriptor, const TRegistryTree& Tree) const;

  std::string FDirectory;
};

}  // namespace registry
