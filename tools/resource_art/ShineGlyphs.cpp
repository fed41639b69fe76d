#include "tools/resource_art/ShineGlyphs.h"

#include <array>
#include <utility>

namespace art {

namespace {

// Whether point (PX2, PY2) (doubled coordinates) lies inside the polygon
// (doubled coordinates), by the even-odd rule with integer arithmetic only.
template <std::size_t N>
bool InsidePolygon(const std::array<std::pair<int, int>, N>& P, int PX2, int PY2) {
  bool Inside = false;
  for (std::size_t I = 0, J = N - 1; I < N; J = I++) {
    const auto [XI, YI] = P[I];
    const auto [XJ, YJ] = P[J];
    if ((YI > PY2) == (YJ > PY2)) continue;
    // Crossing x: XI + (PY2 - YI) * (XJ - XI) / (YJ - YI), compared without division.
    const long Lhs = long(PX2 - XI) * (YJ - YI);
    const long Rhs = long(PY2 - YI) * (XJ - XI);
    if ((YJ - YI) > 0 ? Lhs < Rhs : Lhs > Rhs) Inside = !Inside;
  }
  return Inside;
}

}  // namespace

TPixelCanvas DrawShineStar() {
  // Points at radius 22 and 9 (doubled), from the top, clockwise.
  static const std::array<std::pair<int, int>, 10> Star = {{{24, 2},
                                                            {29, 17},
                                                            {45, 17},
                                                            {32, 27},
                                                            {37, 43},
                                                            {24, 33},
                                                            {11, 43},
                                                            {16, 27},
                                                            {3, 17},
                                                            {19, 17}}};
  TPixelCanvas C(kShineGlyphSize, kShineGlyphSize);
  const TShape Shape = [](int X, int Y) { return InsidePolygon(Star, 2 * X + 1, 2 * Y + 1); };
  C.Fill(Shape, Rgb(255, 214, 0));
  C.Outline(Shape, Rgb(224, 112, 0));
  C.Set(11, 9, kWhite);
  C.Set(12, 9, kWhite);
  C.Set(11, 10, kWhite);
  return C;
}

TPixelCanvas DrawShineMagnifier() {
  TPixelCanvas C(kShineGlyphSize, kShineGlyphSize);
  const TShape Ring = CircleShape(20, 20, 17);
  const TShape Lens = CircleShape(20, 20, 12);
  C.Fill(Ring, Rgb(40, 40, 64));
  C.Fill(Lens, Rgb(120, 190, 255));
  C.Set(7, 7, kWhite);
  C.Set(8, 7, kWhite);
  C.Set(7, 8, kWhite);
  // The handle, three pixels wide, down to the bottom right.
  C.Fill([](int X, int Y) { return X >= 15 && Y >= 15 && X - Y <= 1 && Y - X <= 1 && X + Y >= 31; },
         Rgb(128, 72, 24));
  return C;
}

TPixelCanvas DrawShineHeart() {
  TPixelCanvas C(kShineGlyphSize, kShineGlyphSize);
  const TShape Left = CircleShape(17, 18, 13);
  const TShape Right = CircleShape(31, 18, 13);
  static const std::array<std::pair<int, int>, 4> Point = {{{6, 22}, {42, 22}, {24, 42}, {24, 42}}};
  const TShape Heart = [&](int X, int Y) {
    return Left(X, Y) || Right(X, Y) || InsidePolygon(Point, 2 * X + 1, 2 * Y + 1);
  };
  C.Fill(Heart, Rgb(220, 30, 60));
  C.Outline(Heart, Rgb(128, 0, 24));
  C.Fill(CircleShape(14, 14, 3), Rgb(255, 190, 200));
  return C;
}

image::TBmpImage ToBmp32(const TPixelCanvas& Canvas) {
  image::TBmpImage Image;
  Image.BitsPerPixel = 32;
  Image.Surface = Canvas.Surface();
  return Image;
}

}  // namespace art
