#pragma once
// How a popup menu looks, in the classic Windows 2000 style, as pure
// functions of a canvas and the rows: measuring (the menu's size and where
// each row lies) and drawing. The menu window (MenuWindow.h) and the tests
// both go through these, so the pixels are pinned in one place.
//
// Geometry at 96 dpi, for the framework's 12-pixel font (every figure is
// scaled by the layout's Scale, lines to whole pixels):
//   the frame is a raised 3D edge (2 pixels) and one pixel of menu colour;
//   an item row is 19 pixels high, a separator row 9;
//   the first 17 pixels of a row hold the check mark (the 7 by 7 classic
//   mark at (5, 6) of the row), the caption starts after them and 17 pixels
//   are kept free after the widest caption.

#include <string>
#include <string_view>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "platform/core/Scale.h"

namespace menulook {
constexpr int kFrame = 3;
constexpr int kRowHeight = 19;
constexpr int kSeparatorHeight = 9;
constexpr int kCheckColumn = 17;
constexpr int kRightGap = 17;
constexpr int kCheckSize = 7;
}  // namespace menulook

// One row of a shown menu.
struct TMenuRow {
  std::string Caption;  // code page 932; "&" marks the access key, "&&" is "&"
  bool Separator = false;
  bool Checked = false;
  bool Enabled = true;
};

// The access key of a caption: the character after a single "&", upper-cased
// when it is an ASCII letter; 0 when there is none or it is a double-byte
// character.
char AccessKeyOf(std::string_view Caption);

struct TMenuLayout {
  int Width = 0;
  int Height = 0;
  std::vector<TRect> Rows;  // in menu window coordinates, one per row
  TScale Scale;             // from 96 dpi to the menu's
};

// Sizes the menu for the rows with the canvas's current font (already at
// the scale), its own metrics scaled by Scale.
TMenuLayout MeasureMenu(TCanvas& Canvas, const std::vector<TMenuRow>& Rows,
                        const TScale& Scale = TScale());

// The row under a point of the menu window, or -1 (the frame, outside).
int MenuRowAt(const TMenuLayout& Layout, const TPoint& Point);

// Draws the whole menu: frame, background, every row; Highlight is the row
// shown selected (-1 for none). The canvas's font is used for the captions;
// its colour is set for each row.
void DrawMenu(TCanvas& Canvas, const TMenuLayout& Layout, const std::vector<TMenuRow>& Rows,
              int Highlight);
