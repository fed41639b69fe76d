#include "tools/resource_art/ResourceArt.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "tools/resource_art/AppIcon.h"
#include "tools/resource_art/CheckBoxStrip.h"
#include "tools/resource_art/FontMarks.h"
#include "tools/resource_art/ShineGlyphs.h"

namespace art {

image::TBmpImage ToPaletted(const TSurface& Pixels, int BitsPerPixel,
                            const std::vector<TRgb>* Palette) {
  image::TBmpImage Image;
  Image.BitsPerPixel = BitsPerPixel;
  Image.Surface = Pixels;
  const std::size_t Capacity = std::size_t(1) << BitsPerPixel;
  if (Palette) {
    Image.Palette = *Palette;
  } else {
    Image.Palette.assign(
        Pixels.Data(), Pixels.Data() + static_cast<std::size_t>(Pixels.Width()) * Pixels.Height());
    std::sort(Image.Palette.begin(), Image.Palette.end());
    Image.Palette.erase(std::unique(Image.Palette.begin(), Image.Palette.end()),
                        Image.Palette.end());
  }
  if (Image.Palette.size() > Capacity)
    throw std::runtime_error("art has " + std::to_string(Image.Palette.size()) +
                             " colours, more than " + std::to_string(BitsPerPixel) + " bits hold");
  for (int Y = 0; Y < Pixels.Height(); ++Y)
    for (int X = 0; X < Pixels.Width(); ++X) {
      const auto It = std::find(Image.Palette.begin(), Image.Palette.end(), Pixels.Row(Y)[X]);
      if (It == Image.Palette.end())
        throw std::runtime_error("art uses a colour outside its palette");
      Image.Indices.push_back(static_cast<std::uint8_t>(It - Image.Palette.begin()));
    }
  return Image;
}

std::vector<TArtFile> GenerateResourceArt() {
  std::vector<TArtFile> Files;
  Files.push_back({"CHECKBOX.bmp", image::EncodeBmp(ToPaletted(DrawCheckBoxStrip().Surface(), 8))});
  Files.push_back({"TTFONT.bmp", image::EncodeBmp(ToPaletted(DrawTrueTypeMark().Surface(), 4,
                                                             &StandardPalette16()))});
  Files.push_back({"DEVICEFONT.bmp", image::EncodeBmp(ToPaletted(DrawDeviceFontMark().Surface(), 4,
                                                                 &StandardPalette16()))});
  Files.push_back({"Scoutlane.bmp", image::EncodeBmp(DrawAppIcon(32))});
  Files.push_back({"Scoutlane16.bmp", image::EncodeBmp(DrawAppIcon(16))});
  Files.push_back({"Scoutlane48.bmp", image::EncodeBmp(DrawAppIcon(48))});
  Files.push_back({"SHINESTAR.bmp", image::EncodeBmp(ToBmp32(DrawShineStar()))});
  Files.push_back({"SHINEFIND.bmp", image::EncodeBmp(ToBmp32(DrawShineMagnifier()))});
  Files.push_back({"SHINEHEART.bmp", image::EncodeBmp(ToBmp32(DrawShineHeart()))});
  return Files;
}

}  // namespace art
