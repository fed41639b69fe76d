#pragma once
// The FreeType library of the process and the faces opened from font files.
// A face is opened once and shared by every font made from it; the fonts
// differ only in their size objects, so a second size of a face costs no
// file access. Each user takes a use of the face and gives it back. A face
// nobody uses stays open among the most recently released ones, so fonts
// made again for the next paint find it ready; beyond kIdleFaces of those
// the oldest is closed and its file with it, so a font list scrolled
// through hundreds of faces keeps only the faces it shows. Only
// platform/fonts includes this header.

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/fonts/FontResolver.h"

namespace facestore {

// Faces kept open while nobody uses them.
inline constexpr int kIdleFaces = 16;

// The face of File, with one use taken; nullptr (and no use) when FreeType
// cannot read it. A file that failed is not tried again. Charmap: Unicode
// when the face has one, else its symbol map, else (a Windows raster font)
// its own map of byte codes.
FT_Face OpenFace(const TFontFile& File);
// Gives back a use taken by OpenFace.
void ReleaseFace(FT_Face Face);
// True when the file Face was read from has changed since it was opened
// (rewritten, shortened, replaced); the next OpenFace of it then reads the
// file anew, while the fonts using Face keep it until they let go. A file
// that changes is also noticed by OpenFace itself.
bool ForgetIfChanged(FT_Face Face);

// True when the face's active charmap is a symbol map, whose codes are the
// bytes of the text rather than Unicode characters.
bool HasSymbolCharmap(FT_Face Face);

}  // namespace facestore
