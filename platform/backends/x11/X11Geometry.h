#pragma once
// The X protocol carries positions as signed 16-bit and sizes as unsigned
// 16-bit numbers, and a window cannot be 0 pixels wide. The window system
// works in 32-bit rectangles, so everything sent to the server is clamped
// here first: a number out of range would be cut to its low bits on the
// wire and put the window somewhere else entirely.

#include <algorithm>

#include "platform/core/Types.h"

namespace x11 {

inline constexpr int kMinCoord = -32768;
inline constexpr int kMaxCoord = 32767;
inline constexpr int kMaxSize = 65535;

inline int ClampCoord(int V) { return std::clamp(V, kMinCoord, kMaxCoord); }

// A window's geometry as the server can take it.
struct TXGeometry {
  int X = 0, Y = 0;
  unsigned Width = 1, Height = 1;
  bool operator==(const TXGeometry& O) const {
    return X == O.X && Y == O.Y && Width == O.Width && Height == O.Height;
  }
};

// An empty rectangle still needs a 1 by 1 window (the backend keeps such a
// window unmapped).
inline TXGeometry WindowGeometry(const TRect& R) {
  TXGeometry G;
  G.X = ClampCoord(R.Left);
  G.Y = ClampCoord(R.Top);
  // Width and height come from the 64-bit difference, so a rectangle that
  // spans more than the int range does not wrap to a small or negative size.
  const long long W = static_cast<long long>(R.Right) - R.Left;
  const long long H = static_cast<long long>(R.Bottom) - R.Top;
  G.Width = unsigned(std::clamp<long long>(W, 1, kMaxSize));
  G.Height = unsigned(std::clamp<long long>(H, 1, kMaxSize));
  return G;
}

// The part of a dirty rectangle of a Width by Height back buffer that can be
// put on the window: inside the buffer and inside what 16-bit drawing
// coordinates reach. Empty when nothing of it can be shown.
inline TRect DrawableRect(const TRect& R, int Width, int Height) {
  const int Right = std::min({R.Right, Width, kMaxSize});
  const int Bottom = std::min({R.Bottom, Height, kMaxSize});
  TRect Out{std::max(R.Left, 0), std::max(R.Top, 0), Right, Bottom};
  // A destination origin beyond the signed 16-bit range cannot be named.
  Out.Left = std::min(Out.Left, kMaxCoord + 1);
  Out.Top = std::min(Out.Top, kMaxCoord + 1);
  if (Out.Left > kMaxCoord || Out.Top > kMaxCoord || Out.IsEmpty()) return TRect{};
  return Out;
}

}  // namespace x11
