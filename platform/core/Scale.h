#pragma once
// The one rounding rule by which everything designed at 96 pixels per inch
// is scaled to the program's pixels per inch.
//
// A value is multiplied by the ratio of the two figures and rounded to the
// nearest whole pixel, halves away from zero (MulDiv's rule). Rectangles
// are scaled by their edges, never by their sizes: two controls that touch
// at 96 dpi share the scaled edge and still touch, and a control's width
// is the distance between its scaled edges. Figures are kept in thousandths
// of a pixel per inch, so a fractional figure such as 120.5 is used as it is.

#include <cmath>
#include <cstdint>

#include "platform/core/Types.h"

struct TScale {
  std::int64_t Num = 96000;  // the new figure, thousandths of a pixel per inch
  std::int64_t Den = 96000;  // the figure the values were made at

  static TScale Between(double FromPixelsPerInch, double ToPixelsPerInch) {
    TScale S;
    S.Num = std::llround(ToPixelsPerInch * 1000);
    S.Den = std::llround(FromPixelsPerInch * 1000);
    if (S.Num <= 0 || S.Den <= 0) S.Num = S.Den = 1;
    return S;
  }
  static TScale FromDesign(double PixelsPerInch) { return Between(96.0, PixelsPerInch); }

  bool IsIdentity() const { return Num == Den; }
  // The figure scaled to and the one scaled from, in pixels per inch.
  double To() const { return double(Num) / 1000; }
  double From() const { return double(Den) / 1000; }
  TScale Inverse() const { return TScale{Den, Num}; }

  // A coordinate or a signed size (a font height in GDI's sign convention).
  int Apply(int Value) const {
    const std::int64_t P = std::int64_t(Value) * Num;
    const std::int64_t Q = (P >= 0 ? P + Den / 2 : P - Den / 2) / Den;
    return int(Q);
  }
  // A stroke or gap that exists at 96 dpi (a frame's width, a margin): at
  // least one pixel wherever it was at least one.
  int Stroke(int Value) const {
    const int V = Apply(Value);
    return Value > 0 && V < 1 ? 1 : V;
  }
  TPoint Apply(const TPoint& P) const { return TPoint{Apply(P.X), Apply(P.Y)}; }
  TRect Apply(const TRect& R) const {
    return TRect{Apply(R.Left), Apply(R.Top), Apply(R.Right), Apply(R.Bottom)};
  }
};
