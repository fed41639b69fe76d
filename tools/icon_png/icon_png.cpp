// Turns one of the program's icon bitmaps into the PNG file a desktop's icon
// theme reads, keeping its alpha channel:
//   icon_png ICON.bmp ICON.png
// The installer puts the results under share/icons/hicolor/<size>/apps.
#include <cstdio>
#include <exception>

#include "platform/image/Bmp.h"
#include "platform/image/PngWriter.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s ICON.bmp ICON.png\n", argv[0]);
    return 2;
  }
  try {
    const image::TBmpImage Icon = image::LoadBmpFile(argv[1]);
    if (Icon.HasAlpha())
      WritePng(argv[2], Icon.Surface, Icon.Alpha);
    else
      WritePng(argv[2], Icon.Surface);
  } catch (const std::exception& E) {
    std::fprintf(stderr, "%s: %s\n", argv[1], E.what());
    return 1;
  }
  return 0;
}
