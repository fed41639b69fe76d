#pragma once
// fontconfig, loaded the first time a face has to be looked up. A normal
// start finds its faces in the face cache (FaceCache.h) and never needs it,
// and then neither fontconfig nor the XML parser it brings is loaded into
// the process: less to map and relocate at start, some 300 KB less resident.

#include <fontconfig/fontconfig.h>

namespace fclib {

// The functions of fontconfig that the font layer calls.
struct TFunctions {
  decltype(&FcInitLoadConfigAndFonts) InitLoadConfigAndFonts;
  decltype(&FcConfigDestroy) ConfigDestroy;
  decltype(&FcConfigUptoDate) ConfigUptoDate;
  decltype(&FcConfigGetFontDirs) ConfigGetFontDirs;
  decltype(&FcStrListNext) StrListNext;
  decltype(&FcStrListDone) StrListDone;
  decltype(&FcConfigSubstitute) ConfigSubstitute;
  decltype(&FcDefaultSubstitute) DefaultSubstitute;
  decltype(&FcFontMatch) FontMatch;
  decltype(&FcFontSort) FontSort;
  decltype(&FcFontList) FontList;
  decltype(&FcFontSetDestroy) FontSetDestroy;
  decltype(&FcObjectSetBuild) ObjectSetBuild;
  decltype(&FcObjectSetDestroy) ObjectSetDestroy;
  decltype(&FcPatternCreate) PatternCreate;
  decltype(&FcPatternDestroy) PatternDestroy;
  decltype(&FcPatternAddString) PatternAddString;
  decltype(&FcPatternAddInteger) PatternAddInteger;
  decltype(&FcPatternGetString) PatternGetString;
  decltype(&FcPatternGetInteger) PatternGetInteger;
  decltype(&FcPatternGetBool) PatternGetBool;
  decltype(&FcPatternGetCharSet) PatternGetCharSet;
  decltype(&FcCharSetHasChar) CharSetHasChar;
  decltype(&FcWeightFromOpenType) WeightFromOpenType;
};

// fontconfig's functions, the library loaded on the first call. Throws
// Exception when it cannot be loaded.
const TFunctions& Fc();

}  // namespace fclib
