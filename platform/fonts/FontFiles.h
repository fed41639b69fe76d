#pragma once
// The font files the process has open. FreeType reads each through a
// descriptor, a few bytes at a time as it needs them, so an open face costs
// the tables FreeType keeps (character map, metrics, glyph locations) and no
// pages of the file; a file shortened or rewritten under an open face fails
// the glyphs that can no longer be read, which are drawn as missing.

namespace fontfiles {

// Faces open now: those fonts use and the few most recently let go. A face
// no font uses is closed, with its file, once kIdleFaces (16) others have
// been let go after it.
int OpenFaceCount();

}  // namespace fontfiles
