#pragma once
// Geometry and colour values shared by every layer.

#include <cstdint>

// Right and bottom are exclusive, as in GDI.
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(int X, int Y) const { return X >= Left && X < Right && Y >= Top && Y < Bottom; }
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

struct TPoint {
  int X = 0, Y = 0;
  bool operator==(const TPoint& O) const { return X == O.X && Y == O.Y; }
  bool operator!=(const TPoint& O) const { return !(*this == O); }
};

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
