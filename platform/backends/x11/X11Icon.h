#pragma once
// The window icon for _NET_WM_ICON: every size of the program's icon the
// executable carries, as the property wants it (width, height, then one
// ARGB word per pixel, rows top-down, each size after the other). The
// property's format-32 items are C longs on the client side, whatever the
// width of long, so the data is built as unsigned long.

#include <string_view>
#include <vector>

#include "platform/image/Bmp.h"

namespace x11 {

// The property data for the given images, smallest first. Pixels are opaque
// unless the image carries an alpha channel.
std::vector<unsigned long> NetWmIconData(const std::vector<image::TBmpImage>& Images);

// The program's icon images from the embedded bitmap resources with these
// names; a missing or unreadable resource is skipped, since a window without
// an icon is still a window.
std::vector<image::TBmpImage> LoadIconImages(const std::vector<std::string_view>& Names);

// The names the program's icon resources have, in no particular order.
inline const std::vector<std::string_view>& ProgramIconNames() {
  static const std::vector<std::string_view> Names = {"MAINICON16", "MAINICON", "MAINICON48"};
  return Names;
}

}  // namespace x11
