// Block transfers: raster operations, stretching and mirroring, monochrome
// conversion both ways, transparent copies.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/PixelAssert.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Primitives.h"

namespace {

std::uint32_t Grey(unsigned V) { return V * 0x010101u; }

// A surface from rows of pixels.
TSurface Make(const std::vector<std::vector<std::uint32_t>>& Rows) {
  TSurface S(static_cast<int>(Rows[0].size()), static_cast<int>(Rows.size()));
  for (std::size_t Y = 0; Y < Rows.size(); ++Y)
    for (std::size_t X = 0; X < Rows[Y].size(); ++X) S.Row(int(Y))[X] = Rows[Y][X];
  return S;
}

// ----------------------------------------------------------------------------
// Every raster operation on a 2 by 2 pattern. Channels are equal, so each
// pixel is one byte: source CC F0 / 0F 00, destination AA 3C / FF 5A, brush F0.
// The top-left pixel (pattern F0, source CC, destination AA) gives the
// operation's own truth-table byte.

struct TRopCase {
  const char* Name;
  std::uint32_t Rop;
  unsigned Expected[4];  // (0,0) (1,0) (0,1) (1,1)
};

class RasterOps : public ::testing::TestWithParam<TRopCase> {};

TEST_P(RasterOps, CombinePatternSourceAndDestination) {
  TSurface Src = Make({{Grey(0xCC), Grey(0xF0)}, {Grey(0x0F), Grey(0x00)}});
  TSurface Dst = Make({{Grey(0xAA), Grey(0x3C)}, {Grey(0xFF), Grey(0x5A)}});
  TDeviceContext SrcDC(Src), DstDC(Dst);
  DstDC.SetBrush(SolidBrush(RGB(0xF0, 0xF0, 0xF0)));
  BitBlt(DstDC, 0, 0, 2, 2, SrcDC, 0, 0, GetParam().Rop);
  const unsigned* E = GetParam().Expected;
  EXPECT_EQ(Dst.Row(0)[0], Grey(E[0]));
  EXPECT_EQ(Dst.Row(0)[1], Grey(E[1]));
  EXPECT_EQ(Dst.Row(1)[0], Grey(E[2]));
  EXPECT_EQ(Dst.Row(1)[1], Grey(E[3]));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, RasterOps,
    ::testing::Values(TRopCase{"SRCCOPY", SRCCOPY, {0xCC, 0xF0, 0x0F, 0x00}},
                      TRopCase{"SRCAND", SRCAND, {0x88, 0x30, 0x0F, 0x00}},
                      TRopCase{"SRCPAINT", SRCPAINT, {0xEE, 0xFC, 0xFF, 0x5A}},
                      TRopCase{"SRCINVERT", SRCINVERT, {0x66, 0xCC, 0xF0, 0x5A}},
                      TRopCase{"PATCOPY", PATCOPY, {0xF0, 0xF0, 0xF0, 0xF0}},
                      TRopCase{"DSTINVERT", DSTINVERT, {0x55, 0xC3, 0x00, 0xA5}},
                      TRopCase{"MaskPaint", ROP_MASKPAINT, {0xE2, 0xFC, 0xF0, 0x5A}},
                      TRopCase{"NOTSRCCOPY", NOTSRCCOPY, {0x33, 0x0F, 0xF0, 0xFF}},
                      TRopCase{"MERGEPAINT", MERGEPAINT, {0xBB, 0x3F, 0xFF, 0xFF}},
                      TRopCase{"PATINVERT", PATINVERT, {0x5A, 0xCC, 0x0F, 0xAA}},
                      TRopCase{"SRCERASE", SRCERASE, {0x44, 0xC0, 0x00, 0x00}},
                      TRopCase{"BLACKNESS", BLACKNESS, {0x00, 0x00, 0x00, 0x00}}),
    [](const ::testing::TestParamInfo<TRopCase>& Info) { return Info.param.Name; });

TEST(RasterOps, PatternOperationsNeedNoSourceAndSkipAClearBrush) {
  TSurface Dst(2, 1, 0x123456);
  TDeviceContext DC(Dst);
  DC.SetBrush(TLogBrush{bsClear, RGB(255, 0, 0)});
  PatBlt(DC, 0, 0, 2, 1, PATCOPY);
  EXPECT_EQ(Dst.Row(0)[0], 0x123456u);
  DC.SetBrush(SolidBrush(RGB(255, 0, 0)));
  PatBlt(DC, 1, 0, 1, 1, PATCOPY);
  PatBlt(DC, 0, 0, 1, 1, DSTINVERT);
  EXPECT_EQ(Dst.Row(0)[0], 0xEDCBA9u);
  EXPECT_EQ(Dst.Row(0)[1], 0xFF0000u);
}

// ----------------------------------------------------------------------------
// Stretching and mirroring.

const TPixelLegend kLetters = {{'a', RGB(0xAA, 0, 0)},    {'b', RGB(0, 0xBB, 0)},
                               {'c', RGB(0, 0, 0xCC)},    {'d', RGB(0xDD, 0xDD, 0)},
                               {'e', RGB(0, 0xEE, 0xEE)}, {'f', RGB(0xFF, 0, 0xFF)},
                               {'.', RGB(255, 255, 255)}};

TSurface Letters(const std::vector<std::string>& Rows) {
  TSurface S(static_cast<int>(Rows[0].size()), static_cast<int>(Rows.size()));
  for (std::size_t Y = 0; Y < Rows.size(); ++Y)
    for (std::size_t X = 0; X < Rows[Y].size(); ++X)
      S.Row(int(Y))[X] = ColorToPixel(kLetters.at(Rows[Y][X]));
  return S;
}

struct TMirrorCase {
  const char* Name;
  int X, Y, W, H, XSrc, YSrc, WSrc, HSrc;
  std::vector<std::string> Mask;
};

class Mirroring : public ::testing::TestWithParam<TMirrorCase> {};

TEST_P(Mirroring, NegativeExtentsRunBackwardsFromTheirOrigin) {
  const TMirrorCase& C = GetParam();
  TSurface Src = Letters({"abc", "def"});
  TSurface Dst(3, 2, 0xFFFFFF);
  TDeviceContext SrcDC(Src), DstDC(Dst);
  StretchBlt(DstDC, C.X, C.Y, C.W, C.H, SrcDC, C.XSrc, C.YSrc, C.WSrc, C.HSrc, SRCCOPY);
  ExpectPixels(Dst, TPoint{0, 0}, C.Mask, kLetters);
}

INSTANTIATE_TEST_SUITE_P(
    Axes, Mirroring,
    ::testing::Values(TMirrorCase{"None", 0, 0, 3, 2, 0, 0, 3, 2, {"abc", "def"}},
                      TMirrorCase{"SourceX", 0, 0, 3, 2, 2, 0, -3, 2, {"cba", "fed"}},
                      TMirrorCase{"SourceY", 0, 0, 3, 2, 0, 1, 3, -2, {"def", "abc"}},
                      TMirrorCase{"SourceBoth", 0, 0, 3, 2, 2, 1, -3, -2, {"fed", "cba"}},
                      TMirrorCase{"TargetX", 2, 0, -3, 2, 0, 0, 3, 2, {"cba", "fed"}},
                      TMirrorCase{"TargetAndSourceX", 2, 0, -3, 2, 2, 0, -3, 2, {"abc", "def"}}),
    [](const ::testing::TestParamInfo<TMirrorCase>& Info) { return Info.param.Name; });

TEST(Stretching, NearestPixelUnderEachTargetCentre) {
  TSurface Src = Letters({"abcd"});
  TSurface Dst(8, 3, 0xFFFFFF);
  TDeviceContext SrcDC(Src), DstDC(Dst);
  StretchBlt(DstDC, 0, 0, 5, 1, SrcDC, 0, 0, 2, 1, SRCCOPY);  // 2 -> 5: a a b b b
  StretchBlt(DstDC, 0, 1, 2, 1, SrcDC, 0, 0, 4, 1, SRCCOPY);  // 4 -> 2: b d
  StretchBlt(DstDC, 0, 2, 8, 1, SrcDC, 0, 0, 4, 1, SRCCOPY);  // doubled
  ExpectPixels(Dst, TPoint{0, 0}, {"aabbb...", "bd......", "aabbccdd"}, kLetters);
}

TEST(Stretching, StripStretchedOverRowsRepeatsOrDropsWithoutBlending) {
  // A 1 by 4 strip stretched to 6 rows: row i takes source (2i + 1) * 4 / 12,
  // that is 0 1 1 2 3 3.
  TSurface Src = Letters({"a", "b", "c", "d"});
  TSurface Dst(2, 6, 0xFFFFFF);
  TDeviceContext SrcDC(Src), DstDC(Dst);
  StretchBlt(DstDC, 0, 0, 2, 6, SrcDC, 0, 0, 1, 4, SRCCOPY);
  ExpectPixels(Dst, TPoint{0, 0}, {"aa", "bb", "bb", "cc", "dd", "dd"}, kLetters);
}

TEST(Stretching, HugeTargetMapsOnlyWhatIsVisible) {
  // Two billion pixels wide: the visible four lie at its middle, in b.
  TSurface Src = Letters({"ab"});
  TSurface Dst(4, 1, 0xFFFFFF);
  TDeviceContext SrcDC(Src), DstDC(Dst);
  StretchBlt(DstDC, -1000000000, 0, 2000000000, 1, SrcDC, 0, 0, 2, 1, SRCCOPY);
  ExpectPixels(Dst, TPoint{0, 0}, {"bbbb"}, kLetters);
}

TEST(Blits, SourceOutsideItsBitmapLeavesTheTarget) {
  TSurface Src = Letters({"ab"});
  TSurface Dst(4, 1, 0xFFFFFF);
  TDeviceContext SrcDC(Src), DstDC(Dst);
  BitBlt(DstDC, 0, 0, 4, 1, SrcDC, -1, 0, SRCCOPY);
  ExpectPixels(Dst, TPoint{0, 0}, {".ab."}, kLetters);
}

TEST(Blits, OverlappingCopyWithinOneSurfaceReadsTheOriginal) {
  TSurface S = Letters({"abcd"});
  TDeviceContext DC(S);
  BitBlt(DC, 1, 0, 3, 1, DC, 0, 0, SRCCOPY);
  ExpectPixels(S, TPoint{0, 0}, {"aabc"}, kLetters);
}

TEST(Blits, OriginsOfBothContextsApply) {
  TSurface Src = Letters({"abc", "def"});
  TSurface Dst(3, 2, 0xFFFFFF);
  TDeviceContext SrcDC(Src), DstDC(Dst);
  SrcDC.SetViewportOrg(1, 1);
  DstDC.SetViewportOrg(-1, 0);
  BitBlt(DstDC, 2, 0, 2, 1, SrcDC, 0, -1, SRCCOPY);  // source (1,0), target (1,0)
  ExpectPixels(Dst, TPoint{0, 0}, {".bc", "..."}, kLetters);
}

// ----------------------------------------------------------------------------
// Monochrome conversion.

TEST(Monochrome, SourceExpandsWithTheTargetTextAndBackgroundColours) {
  TDeviceBitmap Mask(4, 1, bfMonochrome);
  const std::uint8_t Bits[] = {0xA0, 0x00};  // 1 0 1 0
  Mask.SetBits(Bits, sizeof Bits);
  TDeviceContext MaskDC(Mask);
  TSurface Dst(4, 1, 0x808080);
  TDeviceContext DC(Dst);
  DC.SetTextColor(RGB(0xDD, 0xDD, 0));  // 0 bits
  DC.SetBkColor(RGB(0xAA, 0, 0));       // 1 bits
  BitBlt(DC, 0, 0, 4, 1, MaskDC, 0, 0, SRCCOPY);
  ExpectPixels(Dst, TPoint{0, 0}, {"adad"}, kLetters);
}

TEST(Monochrome, ColourSourceGivesWhiteWhereItMatchesItsBackgroundColour) {
  TSurface Src = Letters({"abba"});
  TDeviceContext SrcDC(Src);
  SrcDC.SetBkColor(kLetters.at('a'));
  TDeviceBitmap Mask(4, 1, bfMonochrome);
  TDeviceContext MaskDC(Mask);
  MaskDC.SetTextColor(RGB(255, 255, 255));  // the target's colours play no part
  BitBlt(MaskDC, 0, 0, 4, 1, SrcDC, 0, 0, SRCCOPY);
  EXPECT_EQ(Mask.Bits(), (std::vector<std::uint8_t>{0x90, 0x00}));
}

TEST(Monochrome, MaskPaintsTheBrushWhereWhiteAndKeepsTheRest) {
  // The disabled-glyph technique: text black, background white, a brush,
  // and the mask drawn with 0x00E20746.
  TDeviceBitmap Mask(3, 2, bfMonochrome);
  const std::uint8_t Bits[] = {0x40, 0x00, 0xA0, 0x00};  // .#. / #.#
  Mask.SetBits(Bits, sizeof Bits);
  TDeviceContext MaskDC(Mask);
  TSurface Dst = Letters({"abc", "def"});
  TDeviceContext DC(Dst);
  DC.SetTextColor(RGB(0, 0, 0));
  DC.SetBkColor(RGB(255, 255, 255));
  DC.SetBrush(SolidBrush(RGB(255, 255, 255)));
  BitBlt(DC, 0, 0, 3, 2, MaskDC, 0, 0, ROP_MASKPAINT);
  ExpectPixels(Dst, TPoint{0, 0}, {"a.c", ".e."}, kLetters);
}

TEST(Monochrome, MonochromeToMonochromeCopiesBits) {
  TDeviceBitmap A(8, 1, bfMonochrome), B(8, 1, bfMonochrome);
  const std::uint8_t Bits[] = {0x5A, 0x00};
  A.SetBits(Bits, sizeof Bits);
  TDeviceContext ADC(A), BDC(B);
  BDC.SetTextColor(RGB(255, 255, 255));
  BitBlt(BDC, 0, 0, 8, 1, ADC, 0, 0, SRCCOPY);
  EXPECT_EQ(B.Bits(), (std::vector<std::uint8_t>{0x5A, 0x00}));
}

// ----------------------------------------------------------------------------
// Transparent-colour copies.

TEST(TransparentCopies, BrushCopyReplacesTheKeyByTheBrushColour) {
  TSurface Src = Letters({"afa", "ffb"});
  TSurface Dst = Letters({"ddd", "ddd"});
  TDeviceContext SrcDC(Src), DC(Dst);
  DC.SetBrush(SolidBrush(kLetters.at('e')));
  BrushCopy(DC, TRect{0, 0, 3, 2}, SrcDC, TRect{0, 0, 3, 2}, kLetters.at('f'));
  ExpectPixels(Dst, TPoint{0, 0}, {"aea", "eeb"}, kLetters);
}

TEST(TransparentCopies, BrushCopyWithAClearBrushLeavesKeyPixelsAlone) {
  TSurface Src = Letters({"af"});
  TSurface Dst = Letters({"dd"});
  TDeviceContext SrcDC(Src), DC(Dst);
  DC.SetBrush(TLogBrush{bsClear, kLetters.at('e')});
  BrushCopy(DC, TRect{0, 0, 2, 1}, SrcDC, TRect{0, 0, 2, 1}, kLetters.at('f'));
  ExpectPixels(Dst, TPoint{0, 0}, {"ad"}, kLetters);
}

TEST(TransparentCopies, BrushCopyPicksACellOfAStrip) {
  // Cell k of a strip of 2-pixel cells: source (2k, 0, 2k + 2, 1).
  TSurface Src = Letters({"aabfcc"});
  TSurface Dst = Letters({"dd"});
  TDeviceContext SrcDC(Src), DC(Dst);
  DC.SetBrush(SolidBrush(kLetters.at('e')));
  BrushCopy(DC, TRect{0, 0, 2, 1}, SrcDC, TRect{2, 0, 4, 1}, kLetters.at('f'));
  ExpectPixels(Dst, TPoint{0, 0}, {"be"}, kLetters);
}

TEST(TransparentCopies, TransparentBltSkipsTheKey) {
  TSurface Src = Letters({"afb"});
  TSurface Dst = Letters({"ddd"});
  TDeviceContext SrcDC(Src), DC(Dst);
  TransparentBlt(DC, TRect{0, 0, 3, 1}, SrcDC, TRect{0, 0, 3, 1}, kLetters.at('f'));
  ExpectPixels(Dst, TPoint{0, 0}, {"adb"}, kLetters);
}

}  // namespace
