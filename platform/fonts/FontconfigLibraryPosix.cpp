#include "platform/fonts/FontconfigLibrary.h"

#include <dlfcn.h>

#include "platform/core/Exception.h"

namespace fclib {

namespace {

template <class TFunction>
void Bind(void* Library, const char* Name, TFunction& Function, bool& Complete) {
  Function = reinterpret_cast<TFunction>(dlsym(Library, Name));
  if (!Function) Complete = false;
}

TFunctions Load() {
  // The library's run-time name, as the package installs it.
  void* Library = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
  if (!Library) throw Exception("フォントの設定を読み込めません");
  TFunctions F{};
  bool Complete = true;
  Bind(Library, "FcInitLoadConfigAndFonts", F.InitLoadConfigAndFonts, Complete);
  Bind(Library, "FcConfigDestroy", F.ConfigDestroy, Complete);
  Bind(Library, "FcConfigUptoDate", F.ConfigUptoDate, Complete);
  Bind(Library, "FcConfigGetFontDirs", F.ConfigGetFontDirs, Complete);
  Bind(Library, "FcStrListNext", F.StrListNext, Complete);
  Bind(Library, "FcStrListDone", F.StrListDone, Complete);
  Bind(Library, "FcConfigSubstitute", F.ConfigSubstitute, Complete);
  Bind(Library, "FcDefaultSubstitute", F.DefaultSubstitute, Complete);
  Bind(Library, "FcFontMatch", F.FontMatch, Complete);
  Bind(Library, "FcFontSort", F.FontSort, Complete);
  Bind(Library, "FcFontList", F.FontList, Complete);
  Bind(Library, "FcFontSetDestroy", F.FontSetDestroy, Complete);
  Bind(Library, "FcObjectSetBuild", F.ObjectSetBuild, Complete);
  Bind(Library, "FcObjectSetDestroy", F.ObjectSetDestroy, Complete);
  Bind(Library, "FcPatternCreate", F.PatternCreate, Complete);
  Bind(Library, "FcPatternDestroy", F.PatternDestroy, Complete);
  Bind(Library, "FcPatternAddString", F.PatternAddString, Complete);
  Bind(Library, "FcPatternAddInteger", F.PatternAddInteger, Complete);
  Bind(Library, "FcPatternGetString", F.PatternGetString, Complete);
  Bind(Library, "FcPatternGetInteger", F.PatternGetInteger, Complete);
  Bind(Library, "FcPatternGetBool", F.PatternGetBool, Complete);
  Bind(Library, "FcPatternGetCharSet", F.PatternGetCharSet, Complete);
  Bind(Library, "FcCharSetHasChar", F.CharSetHasChar, Complete);
  Bind(Library, "FcWeightFromOpenType", F.WeightFromOpenType, Complete);
  if (!Complete) {
    dlclose(Library);
    throw Exception("フォントの設定を読み込めません");
  }
  // The library stays loaded for the life of the process.
  return F;
}

}  // namespace

const TFunctions& Fc() {
  static const TFunctions Functions = Load();
  return Functions;
}

}  // namespace fclib
