#pragma once
// TRegistryIniFile: settings kept in the current user's registry store
// (platform/registry), reached with the settings-file object's operations.
// A section is a subkey below the object's key path (it may itself hold
// backslashes); an ident is a value name.
//
// Batching: writes and erasures are kept in the object and saved together
// when it is released (or by UpdateFile), in one atomic save. They are then
// applied, in the order they were made, to the store as it is at that moment,
// so another program's changes made meanwhile are kept. Reads see the
// object's own pending changes.
//
// Key paths: doubled, leading and trailing backslashes are ignored. A key
// path with no names at all (empty, or backslashes only) names nothing: every
// read gives its default and every change is dropped. An empty section names
// the key path's own key for reads and writes, but EraseSection never erases
// the key path's own key.
//
// Creating the object creates its key path in the store when it is missing
// (saved on release like any change). Nothing is written when the store
// already holds everything the object changes. A store that refuses to
// save that key alone (a read-only home folder) is no error: only a refused
// write of what the caller wrote or erased is reported.
//
// Releasing: the destructor saves pending changes. A refused save raises
// ERegistryException from the destructor, which is why it is noexcept(false);
// while another exception is already unwinding through the object's scope the
// save error is dropped instead (throwing then would end the program), and the
// first error goes on. Callers that want the error as a normal value call
// UpdateFile() first. An object may be released while unwinding only after
// UpdateFile() succeeded if its changes matter.

#include <optional>
#include <string>
#include <vector>

#include "platform/registry/RegistryStore.h"
#include "platform/registry/RegistryTree.h"

// Not a TObject: TObject's destructor may not throw, and this one must be able
// to report a refused save.
class TRegistryIniFile {
public:
  // KeyPath below the current user's registry root, e.g. "Software\\Vendor\\App".
  // Touches no file: the store is first read by the first read.
  explicit TRegistryIniFile(const std::string& KeyPath);
  // The same on the given store (tests, tools).
  TRegistryIniFile(const std::string& KeyPath, registry::TRegistryStore Store);
  ~TRegistryIniFile() noexcept(false);
  TRegistryIniFile(const TRegistryIniFile&) = delete;
  TRegistryIniFile& operator=(const TRegistryIniFile&) = delete;

  const std::string& FileName() const { return FKeyPathText; }

  // Deletes the subkey Section with everything below it.
  void EraseSection(const std::string& Section);
  // Stores a 32-bit number value; the subkey is created when missing.
  void WriteInteger(const std::string& Section, const std::string& Ident, int Value);
  // Stores a text value (any bytes); the subkey is created when missing.
  void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value);

  // A number value as it is; a text value read by the whole-number rule
  // (profile::ParseWholeNumber: optional sign, decimal
  // in the 32-bit range, or "$"/"0x" hex taken as the 32-bit pattern), Default for text that is no
  // number; Default when the subkey or the value is missing.
  int ReadInteger(const std::string& Section, const std::string& Ident, int Default) const;
  // A text value as it is; a number value as its decimal text; Default when
  // the subkey or the value is missing.
  std::string ReadString(const std::string& Section, const std::string& Ident,
                         const std::string& Default) const;
  // Replaces Idents by the value names of Section in the order they were first
  // stored; empty when the subkey is missing.
  void ReadSection(const std::string& Section, std::vector<std::string>& Idents) const;

  // Saves pending changes now. A refused save raises ERegistryException and
  // keeps the changes pending, so a later UpdateFile or the release retries.
  void UpdateFile();

private:
  enum TChangeKind { ckCreateKey, ckEraseKey, ckSetValue };
  struct TChange {
    TChangeKind Kind;
    registry::TKeyPath Path;
    std::string Name;
    registry::TRegistryValue Value;
  };

  static bool Apply(const TChange& Change, registry::TRegistryTree& Tree);
  registry::TKeyPath SectionPath(const std::string& Section) const;
  void AddChange(TChange Change);
  const registry::TRegistryValue* FindValue(const std::string& Section,
                                            const std::string& Ident) const;
  const registry::TRegistryTree& Current() const;

  std::string FKeyPathText;
  registry::TKeyPath FKeyPath;
  registry::TRegistryStore FStore;
  std::vector<TChange> FPending;
  // The store as last read, with the pending changes applied; read lazily.
  mutable std::optional<registry::TRegistryTree> FCurrent;
  int FUncaughtOnCreation;
};
