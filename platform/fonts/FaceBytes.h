#pragma once
// Where the bytes of a face come from, for the face store (FaceStore.h). On
// Linux FreeType reads the font file through a descriptor, a few bytes at a
// time, as it needs them; on Windows the face's file is mapped, and the bytes
// are read from GDI (GetFontData) only for a face without a file, or from
// the file for fonts GDI gives no bytes of. Either way the face store holds
// them for as long as the face is open.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstddef>
#include <memory>
#include <string>

#include "platform/fonts/FontResolver.h"

namespace facebytes {

struct TFaceBytes {
  // The bytes in memory, freed when the last copy of this goes; or null,
  // and FreeType reads Stream.
  std::shared_ptr<const unsigned char> Data;
  std::size_t Size = 0;
  // The file read on demand; its descriptor is closed when the last copy of
  // this goes.
  std::shared_ptr<FT_StreamRec> Stream;
  // The face inside the bytes (a collection holds several).
  int Index = 0;
};

// What identifies the bytes File leads to: two files naming the same bytes
// give the same text (a font file reached under two names, a face reached by
// two requests), so the store opens the face once.
std::string IdentityOf(const TFontFile& File);

// The state of the file behind Identity (its inode, size and times); it
// changes when the file is rewritten, shortened or replaced. Empty for bytes
// that no file backs once read.
std::string StampOf(const std::string& Identity);

// The bytes of File; false when they cannot be had at all, and the face
// store then lets FreeType read File.Path itself.
bool Load(const TFontFile& File, TFaceBytes* Bytes);

}  // namespace facebytes
