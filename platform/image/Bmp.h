#pragma once
// Windows device-independent bitmaps: the .bmp file (BITMAPFILEHEADER followed
// by a packed DIB) and the packed DIB alone (what a bitmap resource or the
// clipboard holds). The decoder reads every header the format has known
// (BITMAPCOREHEADER, BITMAPINFOHEADER and its V2 to V5 extensions), 1, 4, 8,
// 16, 24 and 32 bits per pixel, bottom-up and top-down rows, BI_RGB and
// BI_BITFIELDS. Compressed data (run-length, JPEG, PNG) is refused.
//
// Input is untrusted: every offset and size is checked against the buffer
// before it is used, and anything malformed or cut short raises
// EInvalidGraphic. No read ever leaves the buffer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Exception.h"
#include "platform/gdi/Surface.h"

// Data that is not a bitmap this program can read.
class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};

namespace messages {
inline constexpr const char* kInvalidBitmap = "ビットマップ イメージが不正です (%s)";
}  // namespace messages

namespace image {

// A decoded bitmap. Surface rows are top-down whatever the file's row order.
struct TBmpImage {
  TSurface Surface;  // 0x00RRGGBB
  // Bits per pixel as stored: 1, 4, 8, 16, 24 or 32.
  int BitsPerPixel = 0;
  // The colour table of a 1, 4 or 8-bit image (0x00RRGGBB), as many entries as
  // the file declares (at most 2^BitsPerPixel); empty for deeper images.
  std::vector<std::uint32_t> Palette;
  // One palette index per pixel, rows top-down, for 1, 4 and 8-bit images
  // (empty otherwise). An index beyond the palette shows black.
  std::vector<std::uint8_t> Indices;
  // Per-pixel opacity (0 transparent .. 255 opaque), rows top-down, present
  // only when the file declares an alpha channel (a bit-field alpha mask).
  std::vector<std::uint8_t> Alpha;
  // Rows were stored top-down (negative height).
  bool TopDown = false;
  // Resolution the file records, pixels per metre (0 when it records none).
  int XPelsPerMeter = 0, YPelsPerMeter = 0;

  int Width() const { return Surface.Width(); }
  int Height() const { return Surface.Height(); }
  bool HasAlpha() const { return !Alpha.empty(); }
  std::uint8_t IndexAt(int X, int Y) const {
    return Indices[static_cast<std::size_t>(Y) * Surface.Width() + X];
  }
  std::uint8_t AlphaAt(int X, int Y) const {
    return Alpha[static_cast<std::size_t>(Y) * Surface.Width() + X];
  }
};

// A whole .bmp file ("BM" header first).
TBmpImage DecodeBmp(const std::uint8_t* Data, std::size_t Size);
inline TBmpImage DecodeBmp(const std::vector<std::uint8_t>& Bytes) {
  return DecodeBmp(Bytes.data(), Bytes.size());
}
// A packed DIB: the info header, the masks and colour table, then the pixels.
TBmpImage DecodeDib(const std::uint8_t* Data, std::size_t Size);

// Reads a .bmp file from disk (Path in system text); a file that cannot be
// read raises EInvalidGraphic as well.
TBmpImage LoadBmpFile(const std::string& Path);

// Writes a .bmp file with a BITMAPFILEHEADER and bottom-up rows:
// Surface's size is the image's size.
// - BitsPerPixel 1, 4 or 8: Indices and Palette are written (the colour table
//   padded with black to 2^BitsPerPixel entries); Surface's pixels are not read.
// - 24: Surface as BI_RGB.
// - 32 without Alpha: Surface as BI_RGB with the fourth byte zero.
// - 32 with Alpha: a BITMAPV5HEADER with BI_BITFIELDS masks for red, green,
//   blue and alpha (sRGB), the form other programs read as transparent.
// Inconsistent input (sizes that disagree, an index past the palette, an
// unsupported depth) raises EInvalidGraphic rather than writing a bad file.
std::vector<std::uint8_t> EncodeBmp(const TBmpImage& Image);

}  // namespace image
