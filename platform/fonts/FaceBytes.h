#pragma once
// Where the bytes of a face come from, for the face store (FaceStore.h). On
// Linux a font file is mapped into memory; on Windows the bytes are read from
// GDI (GetFontData) or, for fonts GDI gives no bytes of, from their file.
// Either way the face store holds them for as long as the face is open.

#include <cstddef>
#include <memory>
#include <string>

#include "platform/fonts/FontResolver.h"

namespace facebytes {

struct TFaceBytes {
  // The bytes, freed (or unmapped) when the last copy of this goes.
  std::shared_ptr<const unsigned char> Data;
  std::size_t Size = 0;
  // The face inside the bytes (a collection holds several).
  int Index = 0;
};

// What identifies the bytes File leads to: two files naming the same bytes
// give the same text (a font file reached under two names, a face reached by
// two requests), so the store opens the face once.
std::string IdentityOf(const TFontFile& File);

// The bytes of File; false when they cannot be had in memory, and the face
// store then lets FreeType read File.Path itself.
bool Load(const TFontFile& File, TFaceBytes* Bytes);

// Lets go of the resident pages of bytes that a file backs (they read back
// unchanged); bytes held only in memory are kept.
void ReleaseResidentPages(const TFaceBytes& Bytes);

}  // namespace facebytes
