#pragma once
// The program's icon: a magnifier over a small search bar in the window's own
// colours (white to blue gradient, blue outline), with alpha.

#include "platform/image/Bmp.h"

namespace art {

// A Size by Size 32-bit image with an alpha plane. Edges are smoothed by
// counting 8 by 8 samples per pixel with integer arithmetic only, so the
// result is the same on every machine and build.
image::TBmpImage DrawAppIcon(int Size);

}  // namespace art
