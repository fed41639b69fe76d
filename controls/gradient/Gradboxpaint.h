#pragma once
// What the gradient caption panel draws, as plain functions on a canvas: the
// 256 colour steps, the bands they are laid in, and the caption in its flat,
// greyed, shadowed and stepped-relief looks. TGradBox calls these from its
// Paint; keeping them apart from the control lets them run on any canvas (a
// bitmap's, a control's) and be measured on their own.

#include <array>
#include <cstdint>
#include <string_view>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Graphics.h"
#include "platform/core/Types.h"

// Direction of the gradient. The bottom-to-top and right-to-left styles only
// reverse the colours; the bands are always laid from the top or the left.
enum TGradStyle : std::uint8_t { gsTopBottom, gsBottomTop, gsLeftRight, gsRightLeft, gsNone };

// How a 3D caption's copies in the back colour lie against the face.
enum TFontStyle3D : std::uint8_t { fsLowShadow, fsRaiseShadow, fsLow3D, fsRaise3D };

constexpr int kGradSteps = 256;
using TGradColors = std::array<TColor, kGradSteps>;

// Splits a colour into its channels. System colours 0 to 24 (scroll bar to
// tooltip background) are first replaced by their current value; anything
// else, a system colour above 24 included, is split as it is, its top byte
// dropped.
void GetRGB(TColor Color, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B);

// Fills Colors with the 256 steps from one colour to the other (Top to Last
// for gsTopBottom and gsLeftRight, Last to Top for the reversed styles).
// Entries 0 and 255 are the two colours exactly as given, so a system colour
// stays a system colour there and the brush resolves it; the steps between
// are computed from the resolved channels. gsNone leaves Colors alone.
void FillGradientColors(TGradColors& Colors, TColor Top, TColor Last, TGradStyle Style);

// Fills the area (0, 0, Width, Height) with the colours in 256 bands, one
// brush fill per entry, horizontal bands for the top/bottom styles and
// vertical ones for the left/right styles. gsNone fills nothing. The canvas
// brush is left solid in the last colour.
void PaintGradientBands(TCanvas& Canvas, const TGradColors& Colors, TGradStyle Style, int Width,
                        int Height);

// How a caption is to look.
struct TCaptionLook {
  bool Enabled = true;
  bool Font3D = false;
  std::uint8_t Depth = 1;
  TFontStyle3D Style3D = fsRaise3D;
  TColor BackFont = clYellow;  // colour of the shadow and relief copies
};

// Draws Caption into Rect on the canvas with word break and tab expansion,
// without a background, in Font. A disabled caption is a white copy one pixel
// down and right under a grey face (the 3D look is ignored then); a 3D
// caption draws its copies in BackFont first, then the face in Font at Rect.
// Only the canvas's font changes; Font is left as it is.
void DrawCaption(TCanvas& Canvas, const TFont& Font, std::string_view Caption, const TRect& Rect,
                 const TCaptionLook& Look);
