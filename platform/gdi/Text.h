#pragma once
// Text on a device context: metrics and extents of the selected font, text
// output at a point, and formatted text in a rectangle (DrawText). Text is
// code page 932. Glyphs are grey-level anti-aliased and blended onto the
// target in the text colour; in the OPAQUE background mode the text's cells
// are first filled with the background colour. On a monochrome target a pixel
// is set where a glyph covers it at least half.

#include <memory>
#include <string_view>

#include "platform/core/Types.h"
#include "platform/fonts/FontTypes.h"
#include "platform/fonts/RealizedFont.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/TextLayout.h"

// The width and height of a text (SIZE).
struct TTextExtent {
  int cx = 0, cy = 0;
  bool operator==(const TTextExtent& O) const { return cx == O.cx && cy == O.cy; }
};

// ExtTextOut options.
enum TExtTextOutOption : unsigned { ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4 };

// The realised font of the context's current font.
std::shared_ptr<TRealizedFont> GetCurrentFont(const TDeviceContext& DC);

TTextMetric GetTextMetrics(const TDeviceContext& DC);

// Width of the text in the current font (sum of advances) and the font's
// height.
TTextExtent GetTextExtentPoint(const TDeviceContext& DC, std::string_view Text);

// Draws Text with its reference point at (X, Y), logical, as the context's
// text alignment says (top-left cell corner by default; TA_BASELINE,
// TA_BOTTOM, TA_CENTER, TA_RIGHT, TA_UPDATECP).
void TextOut(TDeviceContext& DC, int X, int Y, std::string_view Text);

// TextOut with a rectangle (logical): ETO_OPAQUE fills it with the background
// colour first, ETO_CLIPPED keeps the text inside it.
void ExtTextOut(TDeviceContext& DC, int X, int Y, unsigned Options, const TRect* Rect,
                std::string_view Text);

// Formatted text in Rect (logical), with the DT_ flags of TextLayout.h:
// word break at blanks and after double-byte characters, tab expansion,
// prefix "&" underline, end ellipsis, horizontal alignment, vertical
// alignment of a single line, clipping to the rectangle unless DT_NOCLIP.
// Answers the height of the text. With DT_CALCRECT nothing is drawn: Rect's
// right and bottom are moved to hold the text (its width: the widest line),
// as Windows does. Empty text draws nothing and answers 0.
int DrawText(TDeviceContext& DC, std::string_view Text, TRect& Rect, unsigned Format);
