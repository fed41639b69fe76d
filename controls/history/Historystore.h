#pragma once
// Where and how the keyword history box keeps its list: the settings-file
// store, the registry store, and the rule that puts a text at the top of the
// list. They work on any TStrings, so the box, tools and tests share them.
//
// Stored layout, settings file: one section holding "HistoryCount" with the
// number of entries in decimal, then "History0", "History1", ... with the
// entries, most recent first:
//
//   [History]
//   HistoryCount=2
//   History0=weather
//   History1=museum
//
// Registry store: below the current user's root, the key path, then a subkey
// named like the section, holding "HistoryCount" as a number value and the
// entries as text values named as in the file.
//
// Loads append to the list they are given; they never empty it first and never
// compare entries. A settings file reads a value back with at most 2047 bytes
// (a longer entry comes back cut, see profile::ValueAsRead).

#include <string>
#include <string_view>

#include "framework/core/StringList.h"

// When the box loads and saves by itself. Stored as one byte in layouts.
enum THistoryMode : unsigned char {
  hsAuto,      // loads when created from a layout, saves when destroyed
  hsManual,    // neither: only explicit calls
  hsAutoSave,  // saves when destroyed
  hsAutoLoad,  // loads when created from a layout
};

inline bool LoadsByItself(THistoryMode Mode) { return Mode == hsAuto || Mode == hsAutoLoad; }
inline bool SavesByItself(THistoryMode Mode) { return Mode == hsAuto || Mode == hsAutoSave; }

// Puts Text at the top of Items. An entry equal to Text ignoring letter case
// moves to the top with its stored spelling (answer false); otherwise Text is
// inserted there (answer true). The empty text changes nothing (false). A
// sorted list only gains a text it does not hold yet, at its sorted place.
bool AddHistoryText(TStrings& Items, const std::string& Text);

// The settings file a history file name stands for: ".ini" is appended when
// the file name part holds no "."; a name without a directory part lies in
// Directory (the settings folder by default, SettingsDirectory); a name with one is
// used as it is.
std::string ResolveHistoryPath(const std::string& FileName, const std::string& Directory);
std::string ResolveHistoryPath(const std::string& FileName);

// Replaces Section of the settings file FileName (resolved as above) by the
// count and the entries of Entries; the file's other sections stay. A refused
// save raises EIniFileException ("%s に書き込めません" with the full path) and
// leaves the file as it was. An empty FileName does nothing.
void SaveHistoryToFile(const std::string& FileName, const std::string& Section,
                       const TStrings& Entries);

// Appends the entries stored in Section of the settings file FileName. A
// missing file, section or count, or a count of 0 or less, appends nothing.
// A count that is no whole number raises EConvertError
// ("'<text>' は整数ではありません") and appends nothing. An entry missing
// between stored ones comes back empty; missing ones after the last stored
// entry are not appended, so a damaged count cannot fill the list (and the
// memory) with millions of empty entries. An empty FileName does nothing.
void LoadHistoryFromFile(const std::string& FileName, const std::string& Section,
                         TStrings& Entries);

// KeyName without the backslashes at its end. Walks characters: 0x5C is also
// the trail byte of double-byte characters such as 表 (95 5C), which stay.
std::string RemoveTrailingBackslashes(std::string_view KeyName);

// Replaces the subkey Section below the key path KeyName by the count and the
// entries. Backslashes at the end of KeyName are dropped first; a key path
// that is empty then (or was empty) does nothing. Registry errors pass on.
void SaveHistoryToRegistry(const std::string& KeyName, const std::string& Section,
                           const TStrings& Entries);

// Appends the entries stored in the subkey Section below KeyName; an empty
// KeyName does nothing. The count is read with the default 0 (a text count
// that is no number reads as 0). Missing entries are handled as by
// LoadHistoryFromFile.
void LoadHistoryFromRegistry(const std::string& KeyName, const std::string& Section,
                             TStrings& Entries);
