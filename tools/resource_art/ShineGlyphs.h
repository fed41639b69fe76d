#pragma once
// The glyphs of the gallery's shine buttons: 24 by 24 pixel art on a
// magenta key background, written as 32-bit bitmaps without alpha (the
// button reads the key colour from the bottom-left pixel).

#include "platform/image/Bmp.h"
#include "tools/resource_art/PixelCanvas.h"

namespace art {

constexpr int kShineGlyphSize = 24;

// A yellow five-pointed star with an orange rim.
TPixelCanvas DrawShineStar();
// A magnifier: a blue lens in a dark ring with a brown handle.
TPixelCanvas DrawShineMagnifier();
// A red heart with a light spot.
TPixelCanvas DrawShineHeart();

// A canvas as a 32-bit bitmap file image (BI_RGB, fourth byte zero).
image::TBmpImage ToBmp32(const TPixelCanvas& Canvas);

}  // namespace art
