#include "platform/fonts/FontEnum.h"

#include "platform/fonts/FontResolver.h"
#include "platform/fonts/RealizedFont.h"

bool EnumFonts(const std::function<bool(const TEnumFontEntry&)>& Callback) {
  bool Result = true;
  for (const TEnumFontEntry& Entry : fontresolver::ListFamilies()) {
    Result = Callback(Entry);
    if (!Result) break;
  }
  return Result;
}

std::vector<TEnumFontEntry> ListFonts() { return fontresolver::ListFamilies(); }

void ReloadFontConfiguration() {
  fontresolver::ReloadConfiguration();
  TRealizedFont::ForgetRecentFonts();
}
