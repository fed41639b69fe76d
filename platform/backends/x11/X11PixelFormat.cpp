#include "platform/backends/x11/X11PixelFormat.h"

namespace x11 {

namespace {

unsigned long Channel(unsigned Value, unsigned long Mask) {
  if (Mask == 0) return 0;
  int Shift = 0;
  while (!((Mask >> Shift) & 1)) ++Shift;
  int Bits = 0;
  while (Shift + Bits < int(sizeof(Mask) * 8) && ((Mask >> (Shift + Bits)) & 1)) ++Bits;
  const unsigned long Scaled =
      Bits >= 8 ? static_cast<unsigned long>(Value) << (Bits - 8) : Value >> (8 - Bits);
  return (Scaled << Shift) & Mask;
}

}  // namespace

unsigned long ServerPixel(std::uint32_t Rgb, unsigned long RedMask, unsigned long GreenMask,
                          unsigned long BlueMask) {
  return Channel((Rgb >> 16) & 0xFF, RedMask) | Channel((Rgb >> 8) & 0xFF, GreenMask) |
         Channel(Rgb & 0xFF, BlueMask);
}

}  // namespace x11
