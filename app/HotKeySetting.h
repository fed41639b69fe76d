#pragma once
// The summon key: section "HotKey" of Scoutlane.ini, key "Key", in the text
// form users know ("Ctrl+Alt+Space", "Win+S", "Shift+F12"; "none" turns it
// off). The section also remembers the value a hint was last given for
// ("HintShownFor"), so that a key another program holds, or a value that
// names no key, is told once and not at every start.

#include <string>
#include <string_view>

#include "platform/window/WinDefs.h"

inline constexpr const char* kHotKeySection = "HotKey";

struct THotKeyCombination {
  UINT Modifiers = 0;  // MOD_CONTROL, MOD_ALT, MOD_SHIFT, MOD_WIN
  UINT VirtualKey = 0;
  bool operator==(const THotKeyCombination& O) const {
    return Modifiers == O.Modifiers && VirtualKey == O.VirtualKey;
  }
};

inline constexpr THotKeyCombination kDefaultHotKey{MOD_CONTROL | MOD_ALT, VK_SPACE};

enum THotKeyParse {
  hpCombination,  // a key, with or without modifiers
  hpOff,          // "none"
  hpInvalid       // empty, an unknown name, modifiers alone, two keys
};

// Names are matched without regard to case; blanks around the parts are
// allowed. Combination is set only for hpCombination.
THotKeyParse ParseHotKey(std::string_view Text, THotKeyCombination& Combination);
// The text form, modifiers first in the order Ctrl, Alt, Shift, Win.
std::string FormatHotKey(const THotKeyCombination& Combination);

struct THotKeySetting {
  bool Present = false;  // the file has the key
  std::string Written;   // its value as the file holds it, kept on writing
  THotKeyParse Parse = hpCombination;
  // The combination to register: the default when the value is missing or
  // names no key.
  THotKeyCombination Combination = kDefaultHotKey;
  bool HintShown = false;    // a hint was given before
  std::string HintShownFor;  // for this value of the key
};

THotKeySetting ReadHotKeySetting(const std::string& Path);
// Writes "Key" back as the user wrote it (the default's text when the file
// had none), and the value a hint was given for when one was given.
void WriteHotKeySetting(const std::string& Path, const THotKeySetting& Setting);

// What the user is told, once. Empty when there is nothing to tell: the key
// was registered, or the same value was told about before.
std::string HotKeyNotice(const THotKeySetting& Setting, bool Registered,
                         const std::string& SettingsPath);
