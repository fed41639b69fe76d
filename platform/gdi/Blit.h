#pragma once
// Bit-block transfers between device contexts.
//
// Colour conversion between a monochrome and a colour context follows GDI:
// a monochrome source drawn onto a colour target turns its 0 bits into the
// target's text colour and its 1 bits into the target's background colour;
// a colour source drawn onto a monochrome target gives 1 (white) where the
// pixel equals the source context's background colour and 0 elsewhere.
// The pattern is the target's brush. The source's clip region is ignored;
// target pixels whose source pixel lies outside the source are left alone.

#include <cstdint>

#include "platform/core/Types.h"
#include "platform/gdi/DeviceContext.h"

// Ternary raster operations with their GDI codes. The middle byte is the
// truth table (pattern, source, destination); every code is honoured.
enum TRasterOp : std::uint32_t {
  SRCCOPY = 0x00CC0020,
  SRCPAINT = 0x00EE0086,
  SRCAND = 0x008800C6,
  SRCINVERT = 0x00660046,
  SRCERASE = 0x00440328,
  NOTSRCCOPY = 0x00330008,
  NOTSRCERASE = 0x001100A6,
  MERGECOPY = 0x00C000CA,
  MERGEPAINT = 0x00BB0226,
  PATCOPY = 0x00F00021,
  PATPAINT = 0x00FB0A09,
  PATINVERT = 0x005A0049,
  DSTINVERT = 0x00550009,
  BLACKNESS = 0x00000042,
  WHITENESS = 0x00FF0062,
  // Where the source is 1 (white) the pattern is painted, where it is 0 the
  // destination stays: painting a brush through a monochrome mask whose
  // target text colour is black and background colour white.
  ROP_MASKPAINT = 0x00E20746
};

// Copies W x H pixels from (XSrc, YSrc) of Src to (X, Y) of Dest through the
// raster operation. Src may be null for operations that do not read a source
// (PATCOPY, DSTINVERT, ...); an operation that reads the pattern draws
// nothing while the target's brush is clear.
void BitBlt(TDeviceContext& Dest, int X, int Y, int W, int H, const TDeviceContext* Src, int XSrc,
            int YSrc, std::uint32_t Rop);
inline void BitBlt(TDeviceContext& Dest, int X, int Y, int W, int H, const TDeviceContext& Src,
                   int XSrc, int YSrc, std::uint32_t Rop) {
  BitBlt(Dest, X, Y, W, H, &Src, XSrc, YSrc, Rop);
}
// BitBlt without a source.
inline void PatBlt(TDeviceContext& Dest, int X, int Y, int W, int H, std::uint32_t Rop) {
  BitBlt(Dest, X, Y, W, H, nullptr, 0, 0, Rop);
}

// Stretches the source rectangle onto the target rectangle with
// nearest-neighbour sampling: target pixel i of n takes source pixel
// floor((2i + 1) * m / 2n) of m, the one under its centre, so rows and
// columns are repeated or dropped, never blended. A negative width or height
// runs that rectangle the other way from its origin: (X, W) with W < 0 covers
// X, X - 1, ..., X + W + 1. Where source and target signs differ the image is
// mirrored, so (W - 1, -W) as source x and width mirrors a W-wide image.
void StretchBlt(TDeviceContext& Dest, int X, int Y, int W, int H, const TDeviceContext& Src,
                int XSrc, int YSrc, int WSrc, int HSrc, std::uint32_t Rop);

// Copies (stretching as StretchBlt does) with every source pixel of colour
// Transparent replaced by the target's brush colour: a bitmap with a "see
// through" colour drawn onto the background the brush describes. With a clear
// brush those pixels leave the target as it was.
void BrushCopy(TDeviceContext& Dest, const TRect& DestRect, const TDeviceContext& Src,
               const TRect& SrcRect, TColor Transparent);

// Copies (stretching as StretchBlt does) every source pixel except those of
// colour Transparent, which leave the target as it was.
void TransparentBlt(TDeviceContext& Dest, const TRect& DestRect, const TDeviceContext& Src,
                    const TRect& SrcRect, TColor Transparent);
