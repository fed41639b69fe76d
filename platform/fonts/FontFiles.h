#pragma once
// The font files the process has open are mapped into memory, and FreeType
// reads them there. Opening a Japanese face and hinting its first glyphs
// reads a large part of the file (the light hinting measures a set of
// reference glyphs of each script once per face), after which drawing text
// only reads the few pages of the glyphs it draws.

namespace fontfiles {

// Lets go of the pages of the open font files that this process holds
// resident. Nothing is lost: the mappings stay, and a page read again comes
// back from the system's file cache with the same bytes, so no glyph
// changes. Meant for once start-up is over and its first frame is drawn.
void ReleaseResidentPages();

// Faces open now: those fonts use and the few most recently let go. A face
// no font uses is closed, with its file's mapping, once kIdleFaces (16)
// others have been let go after it.
int OpenFaceCount();

}  // namespace fontfiles
