#pragma once
// TIniFile: a settings (private profile, INI) file, read and written by
// section and key. The file format and its rules are those of
// platform/profile/ProfileDocument.h and ProfileValues.h.
//
// Life of an object: create it for a path (nothing is read yet), read and write
// through it, release it. Reads load the file once, on the first read, and
// see every write made through the object since, including writes not yet in
// the file. Writes and erases are kept and applied on release, or earlier by
// UpdateFile(), in one save: the file is re-read as it is at that moment, the
// erases and writes are applied in their order and the result is saved
// atomically. So writing N keys costs one file write, not N, and keys that
// another program (or a second object) wrote meanwhile survive. An object that
// only reads never touches the file; one that wrote saves even when the values
// were already there, so a file that may not be written is always reported.
//
// Errors: a save the system refuses raises EIniFileException with the message
// "%s に書き込めません", the file's full path in place of %s, and the file stays
// as it was. UpdateFile() then keeps the changes, so a later UpdateFile() or
// the release retries them.
//
// Release: the destructor saves what is pending. A destructor must not throw
// while an exception is already unwinding the stack (that ends the program),
// so it throws the error only when no exception is in flight at all
// (std::uncaught_exceptions() is 0), and otherwise makes the save and drops its
// error silently. The destructor is
// declared noexcept(false) for that. Callers that want the error as a normal
// value call UpdateFile() before the release. Keep the object on the stack:
// std::unique_ptr and the standard containers destroy it in noexcept code,
// where the throw would end the program. The same holds for a release inside
// another destructor (destructors are noexcept unless declared otherwise):
// there, call UpdateFile() in a try block first.

#include <optional>
#include <string>
#include <vector>

#include "platform/profile/ProfileDocument.h"

class TIniFile {
public:
  explicit TIniFile(const std::string& FileName);
  ~TIniFile() noexcept(false);
  TIniFile(const TIniFile&) = delete;
  TIniFile& operator=(const TIniFile&) = delete;

  const std::string& FileName() const { return FFileName; }

  // The value of Ident in Section, cut to 2047 bytes (and at a NUL byte), or
  // Default when the file, the section or the key is missing or unreadable.
  std::string ReadString(const std::string& Section, const std::string& Ident,
                         const std::string& Default) const;
  // The whole-number rule; Default for a missing key or text that is no number.
  int ReadInteger(const std::string& Section, const std::string& Ident, int Default) const;
  // The Boolean rule: any number but 0 is true; Default for anything else.
  bool ReadBool(const std::string& Section, const std::string& Ident, bool Default) const;

  void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value);
  void WriteInteger(const std::string& Section, const std::string& Ident, int Value);
  void WriteBool(const std::string& Section, const std::string& Ident, bool Value);
  void EraseSection(const std::string& Section);

  bool SectionExists(const std::string& Section) const;
  bool ValueExists(const std::string& Section, const std::string& Ident) const;
  // Replaces Idents by the key names of Section in file order, each once.
  void ReadSection(const std::string& Section, std::vector<std::string>& Idents) const;

  // Saves the pending writes and erases now; does nothing when there are none.
  // Throws EIniFileException when the save is refused, keeping them pending.
  void UpdateFile();

private:
  struct TEdit {
    bool Erase;
    std::string Section, Ident, Value;
  };
  static void Apply(profile::TProfileDocument& Document, const TEdit& Edit);
  const profile::TProfileDocument& View() const;
  void Record(TEdit Edit);

  std::string FFileName;
  std::vector<TEdit> FPending;
  // The file as first read, with the pending edits applied; loaded by the
  // first read.
  mutable std::optional<profile::TProfileDocument> FView;
};
