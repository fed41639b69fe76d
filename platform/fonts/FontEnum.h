#pragma once
// The installed fonts, for the font-name picker: the EnumFonts of the
// platform. Each face name comes once, as code page 932 text, sorted ignoring
// case, with its kind: TRUETYPE_FONTTYPE for scalable outline fonts
// (TrueType, and OpenType and Type 1 alike), RASTER_FONTTYPE for bitmap
// fonts, DEVICE_FONTTYPE for anything else. On Windows the kinds are GDI's
// (an OpenType font with PostScript outlines, which GDI calls a device font,
// counts as TrueType) and fonts turned for vertical writing ("@...") are not
// listed.
// Families whose names code page 932 cannot hold are left out, since the
// system could not show or store them.

#include <functional>
#include <vector>

#include "platform/fonts/FontTypes.h"

// Calls Callback for each face in order until it returns false. Answers what
// the last call returned, or true when there was no font to report, as the
// Windows call does.
bool EnumFonts(const std::function<bool(const TEnumFontEntry&)>& Callback);

// The same list at once.
std::vector<TEnumFontEntry> ListFonts();

// Reads the font configuration anew (FONTCONFIG_FILE when set; on Windows
// it forgets what GDI resolved) and forgets every realised font nobody
// holds, so later text and lists follow it. For programs and tests that
// switch to a configuration of their own or install fonts of their own.
void ReloadFontConfiguration();
