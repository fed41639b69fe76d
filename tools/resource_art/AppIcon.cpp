#include "tools/resource_art/AppIcon.h"

#include <cstdint>

namespace art {
namespace {

// The icon is drawn in a square of kUnits by kUnits units, y downwards.
constexpr std::int64_t kUnits = 1024;
constexpr int kSamples = 8;  // per axis and pixel

struct TPaint {
  int R, G, B, A;  // colour and opacity, 0..255
};

// Premultiplied colour of one sample.
struct TSample {
  int R = 0, G = 0, B = 0, A = 0;
  void Over(const TPaint& P) {
    R = (P.R * P.A + R * (255 - P.A)) / 255;
    G = (P.G * P.A + G * (255 - P.A)) / 255;
    B = (P.B * P.A + B * (255 - P.A)) / 255;
    A = (255 * P.A + A * (255 - P.A)) / 255;
  }
};

std::int64_t Sq(std::int64_t V) { return V * V; }

bool InRoundRect(std::int64_t X, std::int64_t Y, std::int64_t L, std::int64_t T, std::int64_t R,
                 std::int64_t B, std::int64_t Radius) {
  if (X < L || X >= R || Y < T || Y >= B) return false;
  const std::int64_t CX = X < L + Radius ? L + Radius : X > R - Radius ? R - Radius : X;
  const std::int64_t CY = Y < T + Radius ? T + Radius : Y > B - Radius ? B - Radius : Y;
  return Sq(X - CX) + Sq(Y - CY) <= Sq(Radius);
}

// Distance test from (X, Y) to the segment (X0, Y0)-(X1, Y1): a capsule.
bool InCapsule(std::int64_t X, std::int64_t Y, std::int64_t X0, std::int64_t Y0, std::int64_t X1,
               std::int64_t Y1, std::int64_t Radius) {
  const std::int64_t DX = X1 - X0, DY = Y1 - Y0;
  const std::int64_t Len2 = DX * DX + DY * DY;
  std::int64_t T = (X - X0) * DX + (Y - Y0) * DY;  // projection, scaled by Len2
  if (T < 0) T = 0;
  if (T > Len2) T = Len2;
  // Closest point = P0 + D * T / Len2; compare distances scaled by Len2.
  const std::int64_t PX = X * Len2 - (X0 * Len2 + DX * T);
  const std::int64_t PY = Y * Len2 - (Y0 * Len2 + DY * T);
  return Sq(PX) + Sq(PY) <= Sq(Radius * Len2);
}

// The scene, back to front. Pixel is the size of one pixel in units, so the
// outlines stay one pixel wide at every size.
struct TScene {
  std::int64_t Pixel;

  // The search bar across the middle.
  static constexpr std::int64_t BarL = 32, BarT = 360, BarR = 992, BarB = 672, BarRadius = 120;
  // The lens, upper left, and its handle towards the lower right.
  static constexpr std::int64_t LensX = 376, LensY = 384, Glass = 216, Rim = 296;
  static constexpr std::int64_t HandleX0 = 584, HandleY0 = 592, HandleX1 = 872, HandleY1 = 880,
                                HandleRadius = 76;

  void Shade(std::int64_t X, std::int64_t Y, TSample& S) const {
    if (InRoundRect(X, Y, BarL, BarT, BarR, BarB, BarRadius)) {
      S.Over({0, 0, 255, 255});  // outline colour
      if (InRoundRect(X, Y, BarL + Pixel, BarT + Pixel, BarR - Pixel, BarB - Pixel,
                      BarRadius - Pixel)) {
        // White at the top to (0, 128, 255) at the bottom, like the window.
        const std::int64_t T = (Y - BarT) * 255 / (BarB - BarT);
        S.Over({int(255 - T), int(255 - T * 127 / 255), 255, 255});
      }
    }
    const std::int64_t D2 = Sq(X - LensX) + Sq(Y - LensY);
    if (D2 <= Sq(Glass)) {
      S.Over({232, 244, 255, 120});
      // A crescent of light along the upper left of the glass.
      const bool InGlint = Sq(X - (LensX - 40)) + Sq(Y - (LensY - 40)) <= Sq(Glass - 72) &&
                           Sq(X - (LensX + 8)) + Sq(Y - (LensY + 8)) > Sq(Glass - 72);
      if (InGlint) S.Over({255, 255, 255, 200});
    }
    if (InCapsule(X, Y, HandleX0, HandleY0, HandleX1, HandleY1, HandleRadius)) {
      // Darker along the lower side so the handle looks round.
      const bool Lower = (X - HandleX0) - (Y - HandleY0) < 0;
      if (D2 > Sq(Rim - Pixel)) S.Over(Lower ? TPaint{16, 24, 64, 255} : TPaint{48, 64, 128, 255});
    }
    if (D2 > Sq(Glass) && D2 <= Sq(Rim)) {
      // The rim, lighter at the top.
      const bool Upper = Y < LensY - (Rim + Glass) / 4;
      S.Over(Upper ? TPaint{64, 96, 176, 255} : TPaint{24, 40, 104, 255});
    }
  }
};

}  // namespace

image::TBmpImage DrawAppIcon(int Size) {
  image::TBmpImage Icon;
  Icon.BitsPerPixel = 32;
  Icon.Surface.Resize(Size, Size);
  Icon.Alpha.assign(static_cast<std::size_t>(Size) * Size, 0);
  const TScene Scene{kUnits / Size};
  const int N = kSamples * kSamples;
  for (int Y = 0; Y < Size; ++Y)
    for (int X = 0; X < Size; ++X) {
      int R = 0, G = 0, B = 0, A = 0;
      for (int SY = 0; SY < kSamples; ++SY)
        for (int SX = 0; SX < kSamples; ++SX) {
          // The sample's centre in units.
          const std::int64_t UX = ((X * kSamples + SX) * 2 + 1) * kUnits / (2 * kSamples * Size);
          const std::int64_t UY = ((Y * kSamples + SY) * 2 + 1) * kUnits / (2 * kSamples * Size);
          TSample S;
          Scene.Shade(UX, UY, S);
          R += S.R;
          G += S.G;
          B += S.B;
          A += S.A;
        }
      const std::size_t I = static_cast<std::size_t>(Y) * Size + X;
      Icon.Alpha[I] = static_cast<std::uint8_t>((A + N / 2) / N);
      if (A > 0) {
        // Back from premultiplied: the colour where the pixel is covered.
        const auto Un = [A](int C) { return static_cast<std::uint32_t>((C * 255 + A / 2) / A); };
        const std::uint32_t Pixel = (Un(R) << 16) | (Un(G) << 8) | Un(B);
        Icon.Surface.Row(Y)[X] = Icon.Alpha[I] ? Pixel : 0;
      }
    }
  return Icon;
}

}  // namespace art
