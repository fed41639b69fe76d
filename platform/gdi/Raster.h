#pragma once
// The pixel arithmetic shared by the drawing operations: the pen mix modes,
// the ternary raster operations of blits, and clipped span filling. Pixels
// are 0x00RRGGBB; the top byte of every result is 0.

#include <cstdint>
#include <cstring>

#include "platform/core/Types.h"
#include "platform/gdi/DeviceContext.h"

namespace raster {

constexpr std::uint32_t kRgbMask = 0x00FFFFFF;

// Sets N pixels. Eight pixels go per step as four 64-bit stores: the span
// length is only known at run time, and a plain loop stays one 32-bit store
// per pixel, four times slower on the gradient's wide bands.
inline void FillPixels(std::uint32_t* P, int N, std::uint32_t Pixel) {
  const std::uint64_t Pair = (std::uint64_t(Pixel) << 32) | Pixel;
  int I = 0;
  for (; I + 8 <= N; I += 8) {
    std::memcpy(P + I, &Pair, 8);
    std::memcpy(P + I + 2, &Pair, 8);
    std::memcpy(P + I + 4, &Pair, 8);
    std::memcpy(P + I + 6, &Pair, 8);
  }
  for (; I < N; ++I) P[I] = Pixel;
}

// Pen mix mode R2_* applied to pen pixel P and destination pixel D. The code
// minus one is a four-bit truth table indexed by (P bit << 1) | D bit.
inline std::uint32_t ApplyRop2(TRop2 Mode, std::uint32_t P, std::uint32_t D) {
  switch (Mode) {
    case R2_COPYPEN:
      return P;
    case R2_XORPEN:
      return (P ^ D) & kRgbMask;
    case R2_NOT:
      return ~D & kRgbMask;
    case R2_NOP:
      return D;
    default:
      break;
  }
  const unsigned Table = unsigned(Mode - 1) & 0xF;
  std::uint32_t R = 0;
  if (Table & 1) R |= ~P & ~D;
  if (Table & 2) R |= ~P & D;
  if (Table & 4) R |= P & ~D;
  if (Table & 8) R |= P & D;
  return R & kRgbMask;
}

// Ternary raster operation (the middle byte of a ROP code, bits 16 to 23)
// applied to pattern P, source S and destination D. The byte is a truth table
// indexed by (P bit << 2) | (S bit << 1) | D bit, so every one of the 256
// operations works; the usual ones take a shortcut.
inline std::uint32_t ApplyRop3(unsigned Code, std::uint32_t P, std::uint32_t S, std::uint32_t D) {
  switch (Code) {
    case 0xCC:
      return S;  // SRCCOPY
    case 0x88:
      return S & D;  // SRCAND
    case 0xEE:
      return S | D;  // SRCPAINT
    case 0x66:
      return S ^ D;  // SRCINVERT
    case 0xF0:
      return P;  // PATCOPY
    case 0x55:
      return ~D & kRgbMask;  // DSTINVERT
    case 0xE2:
      return (S & P) | (~S & D & kRgbMask);  // S ? P : D (mask painting)
    case 0x00:
      return 0;  // BLACKNESS
    case 0xFF:
      return kRgbMask;  // WHITENESS
    default:
      break;
  }
  std::uint32_t R = 0;
  for (unsigned Index = 0; Index < 8; ++Index) {
    if (!(Code & (1u << Index))) continue;
    const std::uint32_t Term =
        ((Index & 4) ? P : ~P) & ((Index & 2) ? S : ~S) & ((Index & 1) ? D : ~D);
    R |= Term;
  }
  return R & kRgbMask;
}

// Which inputs a ternary operation reads.
inline bool Rop3UsesPattern(unsigned Code) { return ((Code >> 4) ^ Code) & 0x0F; }
inline bool Rop3UsesSource(unsigned Code) { return ((Code >> 2) ^ Code) & 0x33; }

// Fills the visible part of the device rectangle R with Pixel through a mix
// mode.
inline void FillDeviceRectRop2(TDeviceContext& DC, const TRect& R, std::uint32_t Pixel,
                               TRop2 Mode) {
  if (Mode == R2_COPYPEN) {
    DC.FillDeviceRect(R, Pixel);
    return;
  }
  if (Mode == R2_NOP) return;
  TSurface* Target = DC.Target();
  DC.ForEachClipRect(R, [&](const TRect& Part) {
    for (int Y = Part.Top; Y < Part.Bottom; ++Y) {
      std::uint32_t* Row = Target->Row(Y);
      for (int X = Part.Left; X < Part.Right; ++X)
        Row[X] = ApplyRop2(Mode, Pixel, Row[X] & kRgbMask);
    }
  });
}

}  // namespace raster
