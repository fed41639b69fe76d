#include "framework/core/IniFiles.h"

#include <exception>
#include <utility>

#include "platform/core/Exception.h"
#include "platform/profile/ProfileStore.h"
#include "platform/profile/ProfileValues.h"

TIniFile::TIniFile(const std::string& FileName) : FFileName(FileName) {}

TIniFile::~TIniFile() noexcept(false) {
  if (FPending.empty()) return;
  if (std::uncaught_exceptions() > 0) {
    // Released while an exception unwinds the stack (perhaps inside another
    // destructor that unwinding runs): save what can be saved, but a second
    // exception now would end the program.
    try {
      UpdateFile();
    } catch (...) {
    }
    return;
  }
  UpdateFile();
}

void TIniFile::Apply(profile::TProfileDocument& Document, const TEdit& Edit) {
  if (Edit.Erase)
    Document.EraseSection(Edit.Section);
  else
    // A key name that the format cannot hold is not written (see
    // TProfileDocument::SetValue); reads of it keep giving the default.
    Document.SetValue(Edit.Section, Edit.Ident, Edit.Value);
}

const profile::TProfileDocument& TIniFile::View() const {
  if (!FView) {
    // A file that is missing or cannot be read reads as empty: every read
    // then gives its default.
    profile::TFileRead File = profile::ReadProfileFile(FFileName);
    FView = profile::TProfileDocument::Parse(File.Status == profile::TFileRead::frRead
                                                 ? std::string_view(File.Bytes)
                                                 : std::string_view());
    for (const TEdit& Edit : FPending) Apply(*FView, Edit);
  }
  return *FView;
}

void TIniFile::Record(TEdit Edit) {
  if (FView) Apply(*FView, Edit);
  FPending.push_back(std::move(Edit));
}

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default) const {
  std::optional<std::string_view> Value = View().FindValue(Section, Ident);
  return Value ? std::string(profile::ValueAsRead(*Value)) : Default;
}

int TIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int Default) const {
  std::optional<std::string_view> Value = View().FindValue(Section, Ident);
  return Value ? profile::WholeNumberOrDefault(profile::ValueAsRead(*Value), Default) : Default;
}

bool TIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) const {
  std::optional<std::string_view> Value = View().FindValue(Section, Ident);
  return Value ? profile::BooleanOrDefault(profile::ValueAsRead(*Value), Default) : Default;
}

void TIniFile::WriteString(const std::string& Section, const std::string& Ident,
                           const std::string& Value) {
  Record(TEdit{false, Section, Ident, Value});
}

void TIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int Value) {
  Record(TEdit{false, Section, Ident, profile::FormatWholeNumber(Value)});
}

void TIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
  Record(TEdit{false, Section, Ident, profile::FormatBoolean(Value)});
}

void TIniFile::EraseSection(const std::string& Section) {
  Record(TEdit{true, Section, std::string(), std::string()});
}

bool TIniFile::SectionExists(const std::string& Section) const {
  return View().SectionExists(Section);
}

bool TIniFile::ValueExists(const std::string& Section, const std::string& Ident) const {
  return View().FindValue(Section, Ident).has_value();
}

void TIniFile::ReadSection(const std::string& Section, std::vector<std::string>& Idents) const {
  Idents = View().KeyNames(Section);
}

void TIniFile::UpdateFile() {
  if (FPending.empty()) return;
  std::optional<profile::TProfileDocument> Saved;
  int Error = profile::UpdateProfileFile(FFileName, [&](std::string_view Old) {
    Saved = profile::TProfileDocument::Parse(Old);
    for (const TEdit& Edit : FPending) Apply(*Saved, Edit);
    return Saved->Serialize();
  });
  if (Error != 0)
    throw EIniFileException(
        FormatMessage(messages::kCannotWrite, {profile::AbsoluteProfilePath(FFileName)}));
  // What was just saved is the freshest view of the file there is.
  FView = std::move(Saved);
  FPending.clear();
}
