#pragma once
// A bitmap object that can be selected into a device context: either a 32-bit
// colour bitmap or a monochrome one. A monochrome bitmap holds one bit per
// pixel; it is kept unpacked in a surface whose pixels are only 0x000000
// (bit 0, black) and 0xFFFFFF (bit 1, white), so every primitive draws into it
// with the same span code. Bits() and SetBits() give the packed form.

#include <cstdint>
#include <vector>

#include "platform/gdi/Surface.h"

enum TBitmapFormat { bfColor32, bfMonochrome };

class TDeviceBitmap {
public:
  TDeviceBitmap() = default;
  TDeviceBitmap(int Width, int Height, TBitmapFormat Format = bfColor32);

  // Resizing clears the bitmap: colour bitmaps to black, monochrome to 0.
  void Resize(int Width, int Height);
  // Changing the format converts the pixels: to monochrome, white stays 1 and
  // every other colour becomes 0 (the colour -> monochrome rule of a blit
  // whose source background is white); to colour, 0 is black and 1 white.
  void SetFormat(TBitmapFormat Format);

  int Width() const { return FSurface.Width(); }
  int Height() const { return FSurface.Height(); }
  TBitmapFormat Format() const { return FFormat; }
  bool IsMonochrome() const { return FFormat == bfMonochrome; }
  TSurface& Surface() { return FSurface; }
  const TSurface& Surface() const { return FSurface; }

  // Monochrome rows packed most significant bit first, each row padded to a
  // 16-bit boundary (the layout of a device-dependent monochrome bitmap).
  // Bits() of a colour bitmap answers the same packing with white as 1.
  int BytesPerPackedRow() const { return ((Width() + 15) / 16) * 2; }
  std::vector<std::uint8_t> Bits() const;
  // Reads a packed monochrome image of this bitmap's size; short data leaves
  // the remaining rows untouched.
  void SetBits(const std::uint8_t* Data, std::size_t Size);

private:
  TBitmapFormat FFormat = bfColor32;
  TSurface FSurface;
};
