#pragma once
// THistoryComboBox: an editable combo box whose list is a most-recent-first
// history of the texts entered in it, kept in a settings file or in the
// current user's registry (layouts in Historystore.h).
//
// Created from a layout, the box loads its history by itself once loading is
// complete, and it saves it by itself when it is destroyed; SaveMode says
// which of the two happen. When SaveKeyName is set the registry is used and
// SaveFileName is ignored by both; otherwise SaveFileName names the file.
//
// Saving at destruction: the native window goes before the control (the form
// destroys every window first), so each time the window is destroyed (also
// when it is re-created) the box copies its list, and the destructor saves
// that copy: the list as it was when the window went. A box whose window
// never existed, or still exists when the box is deleted, saves its live
// list instead, so a history is never replaced by an empty copy that was
// never taken. A save error at destruction cannot leave a destructor: it is
// shown in the application's error box, and the program's ExitCode becomes
// 1 so it ends with a failure status. A box whose automatic load failed
// (the error stops the window that holds it) saves nothing at destruction, so
// the stored entries survive for the user to repair the damaged count.
//
// None of the operations changes the box's own text: AddText and the loads
// change only the list.

#include <memory>
#include <string>

#include "controls/history/Historystore.h"
#include "framework/stdctrls/ComboBox.h"

class THistoryComboBox : public TComboBox {
public:
  explicit THistoryComboBox(TComponent* AOwner);
  ~THistoryComboBox() override;

  // Puts Text at the top of the list: an entry equal to it ignoring letter
  // case moves there keeping its spelling (false), else Text is inserted
  // there (true). The empty text changes nothing (false).
  bool AddText(const std::string& Text);
  // AddText with the box's current text.
  bool AddText();

  // Writes the history to the settings file FileName (".ini" appended when
  // it has no extension, beside the executable when it has no directory
  // part), replacing the section GetSectionString().
  void SaveToFile(const std::string& FileName);
  // False and nothing done when SaveFileName is empty; else saves there.
  bool SaveToFile();
  // Appends the history stored in the settings file FileName; a count that is
  // no whole number raises EConvertError and loads nothing.
  void LoadFromFile(const std::string& FileName);
  bool LoadFromFile();

  // Writes the history below the registry key path KeyName (trailing
  // backslashes dropped; a path of backslashes only does nothing), in the
  // subkey GetSectionString().
  void SaveToRegistry(const std::string& KeyName);
  bool SaveToRegistry();
  void LoadFromRegistry(const std::string& KeyName);
  bool LoadFromRegistry();

  // SaveSectionName, or the component's Name when that is empty.
  std::string GetSectionString() const;

  // Plain fields: setting one loads, saves or repaints nothing.
  THistoryMode SaveMode() const { return FSaveMode; }
  void SetSaveMode(THistoryMode Value) { FSaveMode = Value; }
  const std::string& SaveKeyName() const { return FSaveKeyName; }
  void SetSaveKeyName(const std::string& Value) { FSaveKeyName = Value; }
  const std::string& SaveFileName() const { return FSaveFileName; }
  void SetSaveFileName(const std::string& Value) { FSaveFileName = Value; }
  const std::string& SaveSectionName() const { return FSaveSectionName; }
  void SetSaveSectionName(const std::string& Value) { FSaveSectionName = Value; }

  // The list as it was when the native window was last destroyed.
  const TStrings* ItemSnapshot() const { return FItemSnapshot.get(); }

  // Loading from a layout is complete: the automatic load (not at design
  // time). An error of the load passes on and stops the layout's window.
  void Loaded() override;
  // WM_DESTROY goes to WMDestroy; everything else to the combo box.
  void Dispatch(TMessage& Message) override;

  // The combo box's properties, then SaveMode, SaveKeyName, SaveFileName,
  // SaveSectionName.
  static const TPropList& PublishedProperties();

protected:
  // Copies the list into the snapshot (not at design time), then passes the
  // message on.
  void WMDestroy(TMessage& Message) override;

private:
  // What saving writes: the snapshot once the destructor has begun, else
  // the list.
  const TStrings& SaveSource() const;
  // The destructor's save, by SaveMode, to the registry or else the file.
  void SaveOnDestruction();

  THistoryMode FSaveMode = hsAuto;
  std::string FSaveKeyName;
  std::string FSaveFileName;
  std::string FSaveSectionName;
  std::unique_ptr<TStringList> FItemSnapshot;
  bool FUseSnapshot = false;    // set when the destructor begins
  bool FSnapshotTaken = false;  // the native window went at least once
  bool FLoadFailed = false;     // the automatic load raised: no automatic save
};

// Makes THistoryComboBox known to layouts. Calling it again is harmless.
void RegisterHistoryComboBox();
