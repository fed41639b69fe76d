#pragma once
// A 32-bit pixel surface: the memory every device context draws into and every
// window presents. Pixels are 0x00RRGGBB words (blue in the low byte, the order
// of 32-bit device-independent bitmaps and of X11 ZPixmap images), rows top-down.

#include <cstdint>
#include <vector>

class TSurface {
public:
  TSurface() = default;
  TSurface(int Width, int Height, std::uint32_t Fill = 0) { Resize(Width, Height, Fill); }

  void Resize(int Width, int Height, std::uint32_t Fill = 0) {
    FWidth = Width > 0 ? Width : 0;
    FHeight = Height > 0 ? Height : 0;
    FPixels.assign(static_cast<std::size_t>(FWidth) * FHeight, Fill);
  }

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  std::uint32_t* Row(int Y) { return FPixels.data() + static_cast<std::size_t>(Y) * FWidth; }
  const std::uint32_t* Row(int Y) const {
    return FPixels.data() + static_cast<std::size_t>(Y) * FWidth;
  }
  std::uint32_t* Data() { return FPixels.data(); }
  const std::uint32_t* Data() const { return FPixels.data(); }

private:
  int FWidth = 0, FHeight = 0;
  std::vector<std::uint32_t> FPixels;
};
