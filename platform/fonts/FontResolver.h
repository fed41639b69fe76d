#pragma once
// Turns font requests into font files through fontconfig. fontconfig is
// initialised on the first request, never at static-initialisation time, and
// only once per process: loading its configuration and cache is the larger
// part of what fonts cost at start-up.

#include <optional>
#include <string>
#include <vector>

#include "platform/fonts/FontTypes.h"

// A face inside a font file (a collection holds several, told apart by Index).
struct TFontFile {
  std::string Path;
  int Index = 0;
  std::string Family;  // UTF-8, as fontconfig names it
  bool operator==(const TFontFile& O) const { return Path == O.Path && Index == O.Index; }
};

// Where a request leads.
struct TResolvedFont {
  TFontFile File;
};

namespace fontresolver {

// The face for a request. The faces of the Japanese Windows fonts map to the
// IPA fonts of the same design (proportional gothic, gothic, mincho); any other
// face goes through fontconfig's matching, which answers the closest installed
// face, so there is always a result while any font is installed. Throws
// Exception when the system has no font at all.
TResolvedFont Resolve(const TLogFont& Request);

// A face that has the character Code, for a character the resolved face of
// Request lacks; nullopt when no installed face has it. Faces are tried in
// fontconfig's order of closeness to the request.
std::optional<TFontFile> FindFallback(const TLogFont& Request, char32_t Code);

// The text under which the face cache (FaceCache.h) keeps the answer to
// Request: what of a request decides the face, its size and line styles not.
std::string FaceCacheKey(const TLogFont& Request);

// Every installed family once, as code page 932 text, with its kind; sorted
// ignoring case. Families whose name code page 932 cannot hold are left out.
std::vector<TEnumFontEntry> ListFamilies();

// Reads fontconfig's configuration anew (from FONTCONFIG_FILE when set) on
// the next request, forgetting what the old one resolved.
void ReloadConfiguration();

}  // namespace fontresolver
