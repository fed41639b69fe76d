#include "app/HotKeySetting.h"

#include <cctype>
#include <vector>

#include "framework/core/IniFiles.h"
#include "platform/text/Cp932.h"

namespace {

constexpr const char* kKeyIdent = "Key";
constexpr const char* kHintShownForIdent = "HintShownFor";

struct TNamedKey {
  const char* Name;
  UINT VirtualKey;
};

// The first name of a key is the one it is written with.
constexpr TNamedKey kNamedKeys[] = {
    {"Space", VK_SPACE},
    {"Enter", VK_RETURN},
    {"Return", VK_RETURN},
    {"Tab", VK_TAB},
    {"Esc", VK_ESCAPE},
    {"Escape", VK_ESCAPE},
    {"Backspace", VK_BACK},
    {"Insert", VK_INSERT},
    {"Ins", VK_INSERT},
    {"Delete", VK_DELETE},
    {"Del", VK_DELETE},
    {"Home", VK_HOME},
    {"End", VK_END},
    {"PageUp", VK_PRIOR},
    {"PgUp", VK_PRIOR},
    {"PageDown", VK_NEXT},
    {"PgDn", VK_NEXT},
    {"Left", VK_LEFT},
    {"Up", VK_UP},
    {"Right", VK_RIGHT},
    {"Down", VK_DOWN},
    {"Pause", VK_PAUSE},
    {"PrintScreen", VK_SNAPSHOT},
};

std::string_view Trimmed(std::string_view Text) {
  while (!Text.empty() && (Text.front() == ' ' || Text.front() == '\t')) Text.remove_prefix(1);
  while (!Text.empty() && (Text.back() == ' ' || Text.back() == '\t')) Text.remove_suffix(1);
  return Text;
}

bool SameName(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t I = 0; I < A.size(); ++I)
    if (std::tolower(static_cast<unsigned char>(A[I])) !=
        std::tolower(static_cast<unsigned char>(B[I])))
      return false;
  return true;
}

UINT ModifierOf(std::string_view Name) {
  if (SameName(Name, "Ctrl") || SameName(Name, "Control")) return MOD_CONTROL;
  if (SameName(Name, "Alt")) return MOD_ALT;
  if (SameName(Name, "Shift")) return MOD_SHIFT;
  if (SameName(Name, "Win") || SameName(Name, "Super")) return MOD_WIN;
  return 0;
}

UINT VirtualKeyOf(std::string_view Name) {
  if (Name.size() == 1) {
    const char C = char(std::toupper(static_cast<unsigned char>(Name[0])));
    if ((C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9')) return UINT(C);
  }
  if (Name.size() >= 2 && (Name[0] == 'F' || Name[0] == 'f')) {
    int Number = 0;
    for (char C : Name.substr(1)) {
      if (C < '0' || C > '9' || Number > 24) return 0;
      Number = Number * 10 + (C - '0');
    }
    if (Name[1] != '0' && Number >= 1 && Number <= 24) return UINT(VK_F1 + Number - 1);
    return 0;
  }
  for (const TNamedKey& Key : kNamedKeys)
    if (SameName(Name, Key.Name)) return Key.VirtualKey;
  return 0;
}

}  // namespace

THotKeyParse ParseHotKey(std::string_view Text, THotKeyCombination& Combination) {
  Text = Trimmed(Text);
  if (SameName(Text, "none")) return hpOff;
  UINT Modifiers = 0, Key = 0;
  for (;;) {
    const std::size_t Plus = Text.find('+');
    const std::string_view Part = Trimmed(Text.substr(0, Plus));
    if (Part.empty()) return hpInvalid;
    if (const UINT Modifier = ModifierOf(Part)) {
      if (Modifiers & Modifier) return hpInvalid;
      Modifiers |= Modifier;
    } else if (const UINT VirtualKey = VirtualKeyOf(Part); VirtualKey && !Key) {
      Key = VirtualKey;
    } else {
      return hpInvalid;  // an unknown name, or a second key
    }
    if (Plus == std::string_view::npos) break;
    Text.remove_prefix(Plus + 1);
  }
  if (!Key) return hpInvalid;  // modifiers alone
  Combination = THotKeyCombination{Modifiers, Key};
  return hpCombination;
}

std::string FormatHotKey(const THotKeyCombination& Combination) {
  std::string Text;
  if (Combination.Modifiers & MOD_CONTROL) Text += "Ctrl+";
  if (Combination.Modifiers & MOD_ALT) Text += "Alt+";
  if (Combination.Modifiers & MOD_SHIFT) Text += "Shift+";
  if (Combination.Modifiers & MOD_WIN) Text += "Win+";
  const UINT Key = Combination.VirtualKey;
  if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9'))
    Text += char(Key);
  else if (Key >= VK_F1 && Key < VK_F1 + 24)
    Text += "F" + std::to_string(Key - VK_F1 + 1);
  else
    for (const TNamedKey& Named : kNamedKeys)
      if (Named.VirtualKey == Key) {
        Text += Named.Name;
        break;
      }
  return Text;
}

THotKeySetting ReadHotKeySetting(const std::string& Path) {
  TIniFile Ini(Path);
  THotKeySetting Setting;
  Setting.Present = Ini.ValueExists(kHotKeySection, kKeyIdent);
  Setting.HintShown = Ini.ValueExists(kHotKeySection, kHintShownForIdent);
  Setting.HintShownFor = Ini.ReadString(kHotKeySection, kHintShownForIdent, "");
  if (!Setting.Present) {
    Setting.Written = FormatHotKey(kDefaultHotKey);
    return Setting;
  }
  Setting.Written = Ini.ReadString(kHotKeySection, kKeyIdent, "");
  THotKeyCombination Combination;
  Setting.Parse = ParseHotKey(Setting.Written, Combination);
  if (Setting.Parse == hpCombination) Setting.Combination = Combination;
  return Setting;
}

void WriteHotKeySetting(const std::string& Path, const THotKeySetting& Setting) {
  TIniFile Ini(Path);
  Ini.WriteString(kHotKeySection, kKeyIdent, Setting.Written);
  if (Setting.HintShown) Ini.WriteString(kHotKeySection, kHintShownForIdent, Setting.HintShownFor);
  Ini.UpdateFile();
}

std::string HotKeyNotice(const THotKeySetting& Setting, bool Registered,
                         const std::string& SettingsPath) {
  if (Setting.Parse == hpOff) return std::string();
  const bool Invalid = Setting.Parse == hpInvalid;
  if (!Invalid && Registered) return std::string();
  if (Setting.HintShown && Setting.HintShownFor == Setting.Written) return std::string();
  std::string Notice;
  if (Invalid)
    Notice = "呼び出しキー \"" + Setting.Written + "\" は使えないため、" +
             FormatHotKey(Setting.Combination) + " を使います。";
  if (!Registered)
    Notice +=
        "呼び出しキー " + FormatHotKey(Setting.Combination) + " はほかのプログラムが使っています。";
  return Notice + "変更するには " + SettingsPath + " の [HotKey] の Key を書き換えてください。";
}
