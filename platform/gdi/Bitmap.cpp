#include "platform/gdi/Bitmap.h"

namespace {
constexpr std::uint32_t kWhite = 0x00FFFFFF;
}

TDeviceBitmap::TDeviceBitmap(int Width, int Height, TBitmapFormat Format) : FFormat(Format) {
  Resize(Width, Height);
}

void TDeviceBitmap::Resize(int Width, int Height) { FSurface.Resize(Width, Height, 0); }

void TDeviceBitmap::SetFormat(TBitmapFormat Format) {
  if (Format == FFormat) return;
  FFormat = Format;
  if (Format == bfMonochrome) {
    std::uint32_t* P = FSurface.Data();
    const std::size_t N = static_cast<std::size_t>(Width()) * Height();
    for (std::size_t I = 0; I < N; ++I) P[I] = (P[I] & kWhite) == kWhite ? kWhite : 0;
  }
}

std::vector<std::uint8_t> TDeviceBitmap::Bits() const {
  const int Stride = BytesPerPackedRow();
  std::vector<std::uint8_t> Out(static_cast<std::size_t>(Stride) * Height(), 0);
  for (int Y = 0; Y < Height(); ++Y) {
    const std::uint32_t* Row = FSurface.Row(Y);
    std::uint8_t* Dst = Out.data() + static_cast<std::size_t>(Y) * Stride;
    for (int X = 0; X < Width(); ++X)
      if ((Row[X] & kWhite) == kWhite) Dst[X >> 3] |= std::uint8_t(0x80 >> (X & 7));
  }
  return Out;
}

void TDeviceBitmap::SetBits(const std::uint8_t* Data, std::size_t Size) {
  const std::size_t Stride = static_cast<std::size_t>(BytesPerPackedRow());
  for (int Y = 0; Y < Height() && (Y + 1) * Stride <= Size; ++Y) {
    std::uint32_t* Row = FSurface.Row(Y);
    const std::uint8_t* Src = Data + Y * Stride;
    for (int X = 0; X < Width(); ++X) Row[X] = (Src[X >> 3] & (0x80 >> (X & 7))) ? kWhite : 0;
  }
}
