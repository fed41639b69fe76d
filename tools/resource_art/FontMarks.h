#pragma once
// The two 13 by 13 font-kind marks of the font-name picker, in the sixteen
// standard colours (magenta background).

#include <vector>

#include "tools/resource_art/PixelCanvas.h"

namespace art {

constexpr int kFontMarkSize = 13;

// The sixteen colours of a standard 4-bit bitmap, in their usual order.
const std::vector<TRgb>& StandardPalette16();

// A black "T" in front of a grey one: a TrueType font.
TPixelCanvas DrawTrueTypeMark();
// A small printer: a device font.
TPixelCanvas DrawDeviceFontMark();

}  // namespace art
