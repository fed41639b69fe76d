#include "framework/streaming/StreamingProperties.h"

#include "platform/gdi/SysColors.h"

const TIdentMap& ColorIdents() {
  static const TIdentMap Map = {
      {"clBlack", 0x000000},
      {"clMaroon", 0x000080},
      {"clGreen", 0x008000},
      {"clOlive", 0x008080},
      {"clNavy", 0x800000},
      {"clPurple", 0x800080},
      {"clTeal", 0x808000},
      {"clGray", 0x808080},
      {"clSilver", 0xC0C0C0},
      {"clRed", 0x0000FF},
      {"clLime", 0x00FF00},
      {"clYellow", 0x00FFFF},
      {"clBlue", 0xFF0000},
      {"clFuchsia", 0xFF00FF},
      {"clAqua", 0xFFFF00},
      {"clWhite", 0xFFFFFF},
      {"clMoneyGreen", 0xC0DCC0},
      {"clSkyBlue", 0xF0CAA6},
      {"clCream", 0xF0FBFF},
      {"clMedGray", 0xA4A0A0},
      // Older spellings of the same two greys; read, never written.
      {"clLtGray", 0xC0C0C0},
      {"clDkGray", 0x808080},
      {"clNone", clNone},
      {"clDefault", clDefault},
      {"clScrollBar", clScrollBar},
      {"clBackground", clBackground},
      {"clActiveCaption", clActiveCaption},
      {"clInactiveCaption", clInactiveCaption},
      {"clMenu", clMenu},
      {"clWindow", clWindow},
      {"clWindowFrame", clWindowFrame},
      {"clMenuText", clMenuText},
      {"clWindowText", clWindowText},
      {"clCaptionText", clCaptionText},
      {"clActiveBorder", clActiveBorder},
      {"clInactiveBorder", clInactiveBorder},
      {"clAppWorkSpace", clAppWorkSpace},
      {"clHighlight", clHighlight},
      {"clHighlightText", clHighlightText},
      {"clBtnFace", clBtnFace},
      {"clBtnShadow", clBtnShadow},
      {"clGrayText", clGrayText},
      {"clBtnText", clBtnText},
      {"clInactiveCaptionText", clInactiveCaptionText},
      {"clBtnHighlight", clBtnHighlight},
      {"cl3DDkShadow", cl3DDkShadow},
      {"cl3DLight", cl3DLight},
      {"clInfoText", clInfoText},
      {"clInfoBk", clInfoBk},
      {"clHotLight", clHotLight},
      {"clGradientActiveCaption", clGradientActiveCaption},
      {"clGradientInactiveCaption", clGradientInactiveCaption},
      {"clMenuHighlight", clMenuHighlight},
      {"clMenuBar", clMenuBar},
  };
  return Map;
}

const TIdentMap& CursorIdents() {
  static const TIdentMap Map = {
      {"crDefault", 0},     {"crNone", -1},     {"crArrow", -2},      {"crCross", -3},
      {"crIBeam", -4},      {"crSizeNESW", -6}, {"crSizeNS", -7},     {"crSizeNWSE", -8},
      {"crSizeWE", -9},     {"crUpArrow", -10}, {"crHourGlass", -11}, {"crDrag", -12},
      {"crNoDrop", -13},    {"crHSplit", -14},  {"crVSplit", -15},    {"crMultiDrag", -16},
      {"crSQLWait", -17},   {"crNo", -18},      {"crAppStart", -19},  {"crHelp", -20},
      {"crHandPoint", -21}, {"crSizeAll", -22},
  };
  return Map;
}

const TIdentMap& CharsetIdents() {
  static const TIdentMap Map = {
      {"ANSI_CHARSET", 0},      {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},
      {"MAC_CHARSET", 77},      {"SHIFTJIS_CHARSET", 128}, {"HANGEUL_CHARSET", 129},
      {"JOHAB_CHARSET", 130},   {"GB2312_CHARSET", 134},   {"CHINESEBIG5_CHARSET", 136},
      {"GREEK_CHARSET", 161},   {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
      {"HEBREW_CHARSET", 177},  {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},
      {"RUSSIAN_CHARSET", 204}, {"THAI_CHARSET", 222},     {"EASTEUROPE_CHARSET", 238},
      {"OEM_CHARSET", 255},
  };
  return Map;
}

std::optional<std::int32_t> IdentToInt(const TIdentMap& Map, std::string_view Name) {
  for (const TIdentEntry& Entry : Map)
    if (SameName(Entry.Name, Name)) return Entry.Value;
  return std::nullopt;
}

const char* IntToIdent(const TIdentMap& Map, std::int32_t Value) {
  for (const TIdentEntry& Entry : Map)
    if (Entry.Value == Value) return Entry.Name;
  return nullptr;
}

const TMethodEntry* TMethodTable::Find(std::string_view Name) const {
  for (const TMethodEntry& Entry : FEntries)
    if (SameName(Entry.Name, Name)) return &Entry;
  return nullptr;
}

const TPropInfo* FindProperty(const TPropList& List, std::string_view Name) {
  for (const TPropInfo& Info : List)
    if (SameName(Info.Name, Name)) return &Info;
  return nullptr;
}

const TPropList& ComponentPublishedProperties() {
  static const TPropList List = TPropertyTable<TComponent>().Integer(
      "Tag", &TComponent::Tag, &TComponent::SetTag, DefaultIs(0));
  return List;
}
