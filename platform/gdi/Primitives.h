#pragma once
// Filled and outlined shapes, lines and single pixels on a device context.
// Coordinates are logical: the context's origin is added before anything is
// drawn, and only what lies inside the context's clip region is touched.

#include <vector>

#include "platform/core/Types.h"
#include "platform/gdi/DeviceContext.h"

// A solid brush of a system colour (GetSysColorBrush(COLOR_BTNFACE)).
inline TLogBrush GetSysColorBrush(int Index) { return SolidBrush(SystemColor(Index)); }

// Fills R with the brush (a clear brush fills nothing). Right and bottom are
// exclusive; the mix mode does not apply, as in GDI.
void FillRect(TDeviceContext& DC, const TRect& R, const TLogBrush& Brush);
// A one-pixel frame along the inside of R in the brush's colour. Nothing is
// drawn when R is empty.
void FrameRect(TDeviceContext& DC, const TRect& R, const TLogBrush& Brush);
// Inverts every pixel of R (each colour channel becomes 255 minus itself).
void InvertRect(TDeviceContext& DC, const TRect& R);

// A rectangle outlined with the current pen and filled with the current
// brush, both through the current mix mode. The outline's one-pixel path runs
// along columns Left and Right - 1 and rows Top and Bottom - 1; a wider pen is
// centred on that path, its extra pixel (for even widths) toward the top and
// left. With a clear pen GDI fills one pixel less on the right and bottom
// (Left..Right-2, Top..Bottom-2), and so does this. Swapped edges are put in
// order; a rectangle of zero width or height draws nothing.
void Rectangle(TDeviceContext& DC, int Left, int Top, int Right, int Bottom);
inline void Rectangle(TDeviceContext& DC, const TRect& R) {
  Rectangle(DC, R.Left, R.Top, R.Right, R.Bottom);
}

// The current position, logical; answers the previous one.
inline TPoint MoveTo(TDeviceContext& DC, int X, int Y) { return DC.MoveTo(X, Y); }
// Draws from the current position to (X, Y) with the current pen and makes
// (X, Y) the current position. The end point itself is never painted: frames
// drawn as chains of lines rely on that for their corners, and a line to the
// current position paints nothing.
void LineTo(TDeviceContext& DC, int X, int Y);
// Lines through the points in order, the last point not painted; the dash
// pattern runs on across the corners. The current position is not used or
// changed.
void Polyline(TDeviceContext& DC, const TPoint* Points, int Count);
inline void Polyline(TDeviceContext& DC, const std::vector<TPoint>& Points) {
  Polyline(DC, Points.data(), static_cast<int>(Points.size()));
}

// Sets one pixel (the mix mode does not apply); outside the clip nothing
// happens.
void SetPixel(TDeviceContext& DC, int X, int Y, TColor Color);
// The colour (0x00BBGGRR) at a point, or CLR_INVALID when the point is outside
// the target or the clip region.
constexpr TColor CLR_INVALID = TColor(0xFFFFFFFFu);
TColor GetPixel(const TDeviceContext& DC, int X, int Y);
