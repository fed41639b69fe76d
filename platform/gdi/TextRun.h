#pragma once
// The one place glyphs reach pixels: TextOut, ExtTextOut and DrawText all draw
// through here.

#include <string_view>

#include "platform/core/Types.h"
#include "platform/fonts/RealizedFont.h"
#include "platform/gdi/DeviceContext.h"

// Draws Text with its cell's top-left corner at (Left, Top), logical. Opaque
// fills the cells with the background colour first; Clip, when given, is a
// device rectangle the drawing is kept inside (on top of the context's clip).
// Underline and strikeout follow the font's request. Answers the advance.
int DrawTextRun(TDeviceContext& DC, TRealizedFont& Font, int Left, int Top, std::string_view Text,
                const TRect* Clip, bool Opaque);

// Fills the logical rectangle R, cut by Clip (device), with the text colour:
// the prefix underline of DrawText.
void FillTextColorRect(TDeviceContext& DC, const TRect& R, const TRect* Clip);
