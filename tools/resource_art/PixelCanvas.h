#pragma once
// A small drawing surface for hand-made pixel art: every pixel is set on
// purpose, nothing is smoothed, so the art comes out the same on every run and
// keeps to the few colours a palette can hold. Shapes are tested at pixel
// centres in doubled coordinates (pixel X's centre is 2X + 1), which lets a
// shape be centred between two pixels without fractions.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>

#include "platform/gdi/Surface.h"

namespace art {

using TRgb = std::uint32_t;  // 0x00RRGGBB
constexpr TRgb Rgb(int R, int G, int B) { return (TRgb(R) << 16) | (TRgb(G) << 8) | TRgb(B); }
constexpr TRgb kMagenta = Rgb(255, 0, 255);
constexpr TRgb kBlack = Rgb(0, 0, 0);
constexpr TRgb kWhite = Rgb(255, 255, 255);

// True for the pixels (X, Y) that belong to a shape.
using TShape = std::function<bool(int X, int Y)>;

// Shapes. Centres and radii are in doubled coordinates.
TShape RectShape(int Left, int Top, int Right, int Bottom);  // pixels, right/bottom exclusive
TShape RoundRectShape(int Left, int Top, int Right, int Bottom, int Radius);
TShape CircleShape(int CX2, int CY2, int R2);
TShape DiamondShape(int CX2, int CY2, int R2);
TShape Minus(TShape A, TShape B);

// Squared distance, in doubled coordinates, from pixel (X, Y)'s centre to a point.
inline int Distance2Sq(int X, int Y, int CX2, int CY2) {
  const int DX = 2 * X + 1 - CX2, DY = 2 * Y + 1 - CY2;
  return DX * DX + DY * DY;
}

class TPixelCanvas {
public:
  TPixelCanvas(int Width, int Height, TRgb Background = kMagenta)
      : FSurface(Width, Height, Background) {}

  int Width() const { return FSurface.Width(); }
  int Height() const { return FSurface.Height(); }
  const TSurface& Surface() const { return FSurface; }
  bool Inside(int X, int Y) const { return X >= 0 && Y >= 0 && X < Width() && Y < Height(); }

  TRgb Get(int X, int Y) const { return FSurface.Row(Y)[X]; }
  void Set(int X, int Y, TRgb C) {
    if (Inside(X, Y)) FSurface.Row(Y)[X] = C;
  }

  void Fill(const TShape& Shape, TRgb C);
  // Colour chosen per pixel.
  void Fill(const TShape& Shape, const std::function<TRgb(int X, int Y)>& Colour);
  // The shape's own edge: its pixels with a 4-neighbour outside it.
  void Outline(const TShape& Shape, TRgb C);
  // Light from the top left: the pixels just inside the outline take Light
  // where the outline is above or left of them and Dark where it is below or
  // right (light wins at the two mixed corners).
  void Bevel(const TShape& Shape, TRgb Light, TRgb Dark);
  // Pixels from rows of characters; '.' and ' ' leave the pixel alone, any
  // other character is looked up in Legend.
  void Stamp(int X, int Y, std::initializer_list<const char*> Rows,
             std::initializer_list<std::pair<char, TRgb>> Legend);
  // Copies Source to (X, Y).
  void Draw(int X, int Y, const TPixelCanvas& Source);

private:
  TSurface FSurface;
};

}  // namespace art
