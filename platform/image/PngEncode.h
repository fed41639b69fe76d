#pragma once
// A PNG file's bytes for a 32-bit surface, without any library: 8-bit RGB,
// or RGBA with an opacity per pixel, the image data in stored (uncompressed)
// deflate blocks. The files are larger than a compressing writer's but read
// the same everywhere. The Windows build writes its PNG files with it (the
// Linux build uses libpng).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/Surface.h"

namespace image {

// Alpha, when given, holds one byte per pixel, rows top-down; its size must
// be the surface's (the caller checks).
std::string EncodePng(const TSurface& Surface, const std::vector<std::uint8_t>* Alpha);

}  // namespace image
