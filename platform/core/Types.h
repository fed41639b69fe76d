#pragma once
// Geometry and colour values shared by every layer.

#include <cstdint>

struct TPoint {
  int X = 0, Y = 0;
  bool operator==(const TPoint& O) const { return X == O.X && Y == O.Y; }
  bool operator!=(const TPoint& O) const { return !(*this == O); }
};

// Right and bottom are exclusive, as in GDI.
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(int X, int Y) const { return X >= Left && X < Right && Y >= Top && Y < Bottom; }
  bool Contains(const TPoint& P) const { return Contains(P.X, P.Y); }

  // Moves every edge by (DX, DY).
  TRect& Offset(int DX, int DY) {
    Left += DX;
    Right += DX;
    Top += DY;
    Bottom += DY;
    return *this;
  }
  // Grows each side outward by DX (left and right) and DY (top and bottom), as
  // InflateRect does; negative values shrink the rectangle.
  TRect& Inflate(int DX, int DY) {
    Left -= DX;
    Right += DX;
    Top -= DY;
    Bottom += DY;
    return *this;
  }
  // Keeps the part shared with R. Rectangles that do not meet leave an empty
  // rectangle (IsEmpty) whose edges may cross; callers test IsEmpty, not the
  // edges.
  TRect& Intersect(const TRect& R) {
    if (R.Left > Left) Left = R.Left;
    if (R.Top > Top) Top = R.Top;
    if (R.Right < Right) Right = R.Right;
    if (R.Bottom < Bottom) Bottom = R.Bottom;
    return *this;
  }
  TRect Translated(int DX, int DY) const { return TRect(*this).Offset(DX, DY); }
  TRect Inflated(int DX, int DY) const { return TRect(*this).Inflate(DX, DY); }
  TRect Intersected(const TRect& R) const { return TRect(*this).Intersect(R); }

  bool operator==(const TRect& O) const {
    return Left == O.Left && Top == O.Top && Right == O.Right && Bottom == O.Bottom;
  }
  bool operator!=(const TRect& O) const { return !(*this == O); }
};

inline TRect Rect(int Left, int Top, int Right, int Bottom) {
  return TRect{Left, Top, Right, Bottom};
}
inline TRect Bounds(int Left, int Top, int Width, int Height) {
  return TRect{Left, Top, Left + Width, Top + Height};
}

// 0x00BBGGRR (red in the low byte); 0x80000000 + n names system colour n;
// clNone means no colour.
using TColor = std::int32_t;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor kSystemColorFlag = static_cast<TColor>(0x80000000u);
constexpr TColor RGB(int R, int G, int B) { return TColor(R | (G << 8) | (B << 16)); }
constexpr int GetRValue(TColor C) { return C & 0xFF; }
constexpr int GetGValue(TColor C) { return (C >> 8) & 0xFF; }
constexpr int GetBValue(TColor C) { return (C >> 16) & 0xFF; }
