#pragma once
// Turns font requests into faces: on Linux font files through fontconfig
// (FontResolverPosix.cpp), on Windows the faces GDI chooses
// (FontResolverWin32.cpp). fontconfig is initialised on the first request,
// never at static-initialisation time, and only once per process: loading
// its configuration and cache is the larger part of what fonts cost at
// start-up.

#include <optional>
#include <string>
#include <vector>

#include "platform/fonts/FontTypes.h"

// A face inside a font file (a collection holds several, told apart by Index).
// On Windows, Path is either a font file (a raster font, read whole) or, for
// a face GDI gives the bytes of, a locator starting "gdi:" (GdiFonts.h); the
// face store reads the bytes either way (FaceBytes.h).
struct TFontFile {
  std::string Path;
  int Index = 0;
  std::string Family;  // UTF-8: the face's own family name
  bool operator==(const TFontFile& O) const { return Path == O.Path && Index == O.Index; }
};

// Where a request leads.
struct TResolvedFont {
  TFontFile File;
};

namespace fontresolver {

// The face for a request. A face the system has is taken by its name; the
// faces of the Japanese Windows fonts, where the system lacks them, map to
// the IPA fonts of the same design (proportional gothic, gothic, mincho); any
// other face goes through the system's matching (fontconfig's, GDI's), which
// answers the closest installed face, so there is always a result while any
// font is installed. Throws Exception when the system has no font at all.
TResolvedFont Resolve(const TLogFont& Request);

// A face that has the character Code, for a character the resolved face of
// Request lacks; nullopt when no installed face has it. On Linux faces are
// tried in fontconfig's order of closeness to the request; on Windows the
// Japanese faces first, then those font linking adds to the request's face.
std::optional<TFontFile> FindFallback(const TLogFont& Request, char32_t Code);

// The text under which the face cache (FaceCache.h, Linux only) keeps the
// answer to Request: what of a request decides the face, its size and line
// styles not.
std::string FaceCacheKey(const TLogFont& Request);

// Every installed family once, as code page 932 text, with its kind; sorted
// ignoring case. Families whose name code page 932 cannot hold are left out.
std::vector<TEnumFontEntry> ListFamilies();

// The error text for a system with no font the program can draw with: on
// Linux it names the IPA fonts the layouts' faces map to and their package,
// so whoever reads it knows what to install.
std::string NoUsableFontMessage();

// Forgets what was resolved, so fonts installed or removed since show in the
// next requests; on Linux fontconfig's configuration is read anew (from
// FONTCONFIG_FILE when set). The list of families is always the system's
// current one.
void ReloadConfiguration();

}  // namespace fontresolver
