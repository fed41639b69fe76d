#include "controls/history/Historycombobox.h"

#include <cstdio>

#include "framework/forms/Forms.h"
#include "framework/streaming/StreamingProperties.h"
#include "framework/streaming/StreamingRegistry.h"

THistoryComboBox::THistoryComboBox(TComponent* AOwner)
    : TComboBox(AOwner), FItemSnapshot(std::make_unique<TStringList>()) {}

THistoryComboBox::~THistoryComboBox() {
  if (!HasState(csDesigning) && SavesByItself(FSaveMode) && !FLoadFailed) SaveOnDestruction();
}

void THistoryComboBox::SaveOnDestruction() {
  // The snapshot stands for the list only when the window went after the
  // list was last seen whole. A window that never existed filled no snapshot
  // (saving it would wipe the stored history), and one that still exists
  // means the list itself is current.
  if (!FSnapshotTaken || HandleAllocated()) FItemSnapshot->Assign(Items());
  FUseSnapshot = true;
  try {
    if (!SaveToRegistry()) SaveToFile();
  } catch (...) {
    // A destructor cannot pass the error on; the user still has to learn
    // that the history was not saved, and so does whoever started the
    // program.
    ExitCode = 1;
    try {
      if (Application)
        Application->HandleException(this);
      else
        std::fputs("the keyword history could not be saved\n", stderr);
    } catch (...) {
    }
  }
}

// ---- the list ------------------------------------------------------------------------------

bool THistoryComboBox::AddText(const std::string& Text) { return AddHistoryText(*Items(), Text); }

bool THistoryComboBox::AddText() { return AddText(Text()); }

const TStrings& THistoryComboBox::SaveSource() const {
  return FUseSnapshot ? *FItemSnapshot : *Items();
}

std::string THistoryComboBox::GetSectionString() const {
  return FSaveSectionName.empty() ? Name() : FSaveSectionName;
}

// ---- the stores ----------------------------------------------------------------------------

void THistoryComboBox::SaveToFile(const std::string& FileName) {
  SaveHistoryToFile(FileName, GetSectionString(), SaveSource());
}

bool THistoryComboBox::SaveToFile() {
  if (FSaveFileName.empty()) return false;
  SaveToFile(FSaveFileName);
  return true;
}

void THistoryComboBox::LoadFromFile(const std::string& FileName) {
  LoadHistoryFromFile(FileName, GetSectionString(), *Items());
}

bool THistoryComboBox::LoadFromFile() {
  if (FSaveFileName.empty()) return false;
  LoadFromFile(FSaveFileName);
  return true;
}

void THistoryComboBox::SaveToRegistry(const std::string& KeyName) {
  SaveHistoryToRegistry(KeyName, GetSectionString(), SaveSource());
}

bool THistoryComboBox::SaveToRegistry() {
  if (FSaveKeyName.empty()) return false;
  SaveToRegistry(FSaveKeyName);
  return true;
}

void THistoryComboBox::LoadFromRegistry(const std::string& KeyName) {
  LoadHistoryFromRegistry(KeyName, GetSectionString(), *Items());
}

bool THistoryComboBox::LoadFromRegistry() {
  if (FSaveKeyName.empty()) return false;
  LoadFromRegistry(FSaveKeyName);
  return true;
}

// ---- framework notifications ---------------------------------------------------------------

void THistoryComboBox::Loaded() {
  TComboBox::Loaded();
  if (HasState(csDesigning) || !LoadsByItself(FSaveMode)) return;
  try {
    if (!LoadFromRegistry()) LoadFromFile();
  } catch (...) {
    // The stored history could not be read (a damaged count): the box never
    // held it, so saving at destruction would replace it with an empty list.
    // The store stays as it is, for the user to repair.
    FLoadFailed = true;
    throw;
  }
}

void THistoryComboBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY:
      WMDestroy(Message);
      break;
    default:
      TComboBox::Dispatch(Message);
      break;
  }
}

void THistoryComboBox::WMDestroy(TMessage& Message) {
  if (!HasState(csDesigning)) {
    FItemSnapshot->Assign(Items());
    FSnapshotTaken = true;
  }
  TComboBox::WMDestroy(Message);
}

// ---- layouts -------------------------------------------------------------------------------

const TPropList& THistoryComboBox::PublishedProperties() {
  static const TPropList List =
      TPropertyTable<THistoryComboBox>(TComboBox::PublishedProperties())
          .Enum("SaveMode", &THistoryComboBox::SaveMode, &THistoryComboBox::SetSaveMode,
                {"hsAuto", "hsManual", "hsAutoSave", "hsAutoLoad"}, DefaultIs(hsAuto))
          .String("SaveKeyName", &THistoryComboBox::SaveKeyName, &THistoryComboBox::SetSaveKeyName)
          .String("SaveFileName", &THistoryComboBox::SaveFileName,
                  &THistoryComboBox::SetSaveFileName)
          .String("SaveSectionName", &THistoryComboBox::SaveSectionName,
                  &THistoryComboBox::SetSaveSectionName);
  return List;
}

void RegisterHistoryComboBox() { RegisterClass<THistoryComboBox>("THistoryComboBox"); }
