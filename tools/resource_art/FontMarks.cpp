#include "tools/resource_art/FontMarks.h"

namespace art {

const std::vector<TRgb>& StandardPalette16() {
  static const std::vector<TRgb> Palette = {
      Rgb(0, 0, 0),       Rgb(128, 0, 0),   Rgb(0, 128, 0),   Rgb(128, 128, 0),
      Rgb(0, 0, 128),     Rgb(128, 0, 128), Rgb(0, 128, 128), Rgb(192, 192, 192),
      Rgb(128, 128, 128), Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(255, 255, 0),
      Rgb(0, 0, 255),     Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255),
  };
  return Palette;
}

TPixelCanvas DrawTrueTypeMark() {
  TPixelCanvas C(kFontMarkSize, kFontMarkSize);
  // The grey T stands behind and above; the black one covers its stem.
  C.Stamp(0, 0,
          {
              "gggggggg",
              "gggggggg",
              "g..gg..g",
              "...gg",
              "...gg",
              "...gg",
              "...gg",
              "...gg",
              "..gggg",
          },
          {{'g', Rgb(128, 128, 128)}});
  C.Stamp(4, 4,
          {
              "kkkkkkkkk",
              "kkkkkkkkk",
              "k..kkk..k",
              "...kkk",
              "...kkk",
              "...kkk",
              "...kkk",
              "...kkk",
              "..kkkkk",
          },
          {{'k', kBlack}});
  return C;
}

TPixelCanvas DrawDeviceFontMark() {
  TPixelCanvas C(kFontMarkSize, kFontMarkSize);
  C.Stamp(0, 0,
          {
              "...kkkkkkk...",
              "...kwwwwwk...",
              "...kwkkkwk...",
              ".kkkkkkkkkkk.",
              "kwwwwwwwwwwsk",
              "kssssssssslsk",
              "kssssssssssgk",
              "kgggggggggggk",
              "kkkkkkkkkkkkk",
              "..kwwwwwwwk..",
              "..kwkkkkkwk..",
              "..kwwwwwwwk..",
              "..kkkkkkkkk..",
          },
          {{'k', kBlack},
           {'w', kWhite},
           {'s', Rgb(192, 192, 192)},
           {'g', Rgb(128, 128, 128)},
           {'l', Rgb(0, 255, 0)}});
  return C;
}

}  // namespace art
