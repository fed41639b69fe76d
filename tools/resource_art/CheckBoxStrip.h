#pragma once
// The check-box strip: 14 styles of four 18 by 18 cells each (unticked,
// ticked, unticked greyed, ticked greyed), side by side, magenta where the
// row's background shows through.
//
// The popup list shows a cell in a row that the 12-pixel font makes 16 pixels
// high, so a cell's top and bottom pixel rows are cut off there: all art keeps
// inside rows 1 to 16 and most of it inside the 14 by 14 square at (2, 2).

#include "tools/resource_art/PixelCanvas.h"

namespace art {

constexpr int kCheckCell = 18;
constexpr int kCheckStyles = 14;
constexpr int kCellsPerStyle = 4;

// Style 1 to 14.
TPixelCanvas DrawCheckBoxCell(int Style, bool Ticked);
// The disabled look of a cell: grey, washed out, magenta kept.
TPixelCanvas GreyedCell(const TPixelCanvas& Cell);
// The whole strip, 1008 by 18.
TPixelCanvas DrawCheckBoxStrip();

}  // namespace art
