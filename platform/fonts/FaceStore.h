#pragma once
// The FreeType library of the process and the faces opened from font files.
// Each file is opened once and kept for the life of the process; the fonts
// made from it differ only in their size objects, so opening a second size of
// a face costs no file access. Only platform/fonts includes this header.

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/fonts/FontResolver.h"

namespace facestore {

// The face of File, opened on first use; nullptr when FreeType cannot read it.
// Charmap: Unicode when the face has one, else its symbol map.
FT_Face OpenFace(const TFontFile& File);

// True when the face's active charmap is a symbol map, whose codes are the
// bytes of the text rather than Unicode characters.
bool HasSymbolCharmap(FT_Face Face);

}  // namespace facestore
