#include "tools/resource_art/PixelCanvas.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace art {

TShape RectShape(int Left, int Top, int Right, int Bottom) {
  return [=](int X, int Y) { return X >= Left && X < Right && Y >= Top && Y < Bottom; };
}

TShape RoundRectShape(int Left, int Top, int Right, int Bottom, int Radius) {
  return [=](int X, int Y) {
    if (X < Left || X >= Right || Y < Top || Y >= Bottom) return false;
    // Corner circles centred Radius pixels in from each corner.
    const int CX2 = 2 * X + 1 < 2 * (Left + Radius)    ? 2 * (Left + Radius)
                    : 2 * X + 1 > 2 * (Right - Radius) ? 2 * (Right - Radius)
                                                       : 2 * X + 1;
    const int CY2 = 2 * Y + 1 < 2 * (Top + Radius)      ? 2 * (Top + Radius)
                    : 2 * Y + 1 > 2 * (Bottom - Radius) ? 2 * (Bottom - Radius)
                                                        : 2 * Y + 1;
    return Distance2Sq(X, Y, CX2, CY2) <= 4 * Radius * Radius;
  };
}

TShape CircleShape(int CX2, int CY2, int R2) {
  return [=](int X, int Y) { return Distance2Sq(X, Y, CX2, CY2) <= R2 * R2; };
}

TShape DiamondShape(int CX2, int CY2, int R2) {
  return [=](int X, int Y) { return std::abs(2 * X + 1 - CX2) + std::abs(2 * Y + 1 - CY2) <= R2; };
}

TShape Minus(TShape A, TShape B) {
  return [A = std::move(A), B = std::move(B)](int X, int Y) { return A(X, Y) && !B(X, Y); };
}

void TPixelCanvas::Fill(const TShape& Shape, TRgb C) {
  for (int Y = 0; Y < Height(); ++Y)
    for (int X = 0; X < Width(); ++X)
      if (Shape(X, Y)) Set(X, Y, C);
}

void TPixelCanvas::Fill(const TShape& Shape, const std::function<TRgb(int X, int Y)>& Colour) {
  for (int Y = 0; Y < Height(); ++Y)
    for (int X = 0; X < Width(); ++X)
      if (Shape(X, Y)) Set(X, Y, Colour(X, Y));
}

namespace {
bool OnEdge(const TShape& Shape, int X, int Y) {
  return Shape(X, Y) &&
         (!Shape(X - 1, Y) || !Shape(X + 1, Y) || !Shape(X, Y - 1) || !Shape(X, Y + 1));
}
}  // namespace

void TPixelCanvas::Outline(const TShape& Shape, TRgb C) {
  for (int Y = 0; Y < Height(); ++Y)
    for (int X = 0; X < Width(); ++X)
      if (OnEdge(Shape, X, Y)) Set(X, Y, C);
}

void TPixelCanvas::Bevel(const TShape& Shape, TRgb Light, TRgb Dark) {
  for (int Y = 0; Y < Height(); ++Y)
    for (int X = 0; X < Width(); ++X) {
      if (!Shape(X, Y) || OnEdge(Shape, X, Y)) continue;
      if (OnEdge(Shape, X, Y - 1) || OnEdge(Shape, X - 1, Y))
        Set(X, Y, Light);
      else if (OnEdge(Shape, X, Y + 1) || OnEdge(Shape, X + 1, Y))
        Set(X, Y, Dark);
    }
}

void TPixelCanvas::Stamp(int X, int Y, std::initializer_list<const char*> Rows,
                         std::initializer_list<std::pair<char, TRgb>> Legend) {
  int Row = 0;
  for (const char* Line : Rows) {
    for (int Col = 0; Line[Col]; ++Col) {
      const char Key = Line[Col];
      if (Key == '.' || Key == ' ') continue;
      bool Found = false;
      for (const auto& Entry : Legend)
        if (Entry.first == Key) {
          Set(X + Col, Y + Row, Entry.second);
          Found = true;
        }
      if (!Found) throw std::logic_error(std::string("no colour for pattern key ") + Key);
    }
    ++Row;
  }
}

void TPixelCanvas::Draw(int X, int Y, const TPixelCanvas& Source) {
  for (int SY = 0; SY < Source.Height(); ++SY)
    for (int SX = 0; SX < Source.Width(); ++SX) Set(X + SX, Y + SY, Source.Get(SX, SY));
}

}  // namespace art
