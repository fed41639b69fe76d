#pragma once
// Everything the art generator writes under resources/, as file name and
// bytes. The generator program writes them; a test compares them with the
// committed files so the two cannot drift apart.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/Surface.h"
#include "platform/image/Bmp.h"
#include "tools/resource_art/PixelCanvas.h"

namespace art {

struct TArtFile {
  std::string Name;  // file name under resources/
  std::vector<std::uint8_t> Bytes;
};

// A paletted image of Pixels. With Palette given, every colour must be one of
// its entries (the first match is used); without, the palette is the image's
// own colours in ascending order. More colours than the depth holds, or a
// colour missing from the given palette, throws std::runtime_error: the art
// is wrong and must be fixed, not quietly approximated.
image::TBmpImage ToPaletted(const TSurface& Pixels, int BitsPerPixel,
                            const std::vector<TRgb>* Palette = nullptr);

std::vector<TArtFile> GenerateResourceArt();

}  // namespace art
