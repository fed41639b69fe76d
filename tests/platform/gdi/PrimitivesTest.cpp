// Lines, rectangles, fills and single pixels on a device context.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/PixelAssert.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Primitives.h"

namespace {

constexpr TColor kGrey = RGB(0x80, 0x80, 0x80);
constexpr TColor kRed = RGB(0xFF, 0, 0);
const TPixelLegend kLegend = {
    {'.', RGB(255, 255, 255)}, {'#', RGB(0, 0, 0)}, {'g', kGrey}, {'r', kRed}};

// A line from the middle of a 7 by 7 surface three pixels out in one of the
// eight directions: the start and the two pixels after it are painted, the
// end point is not.
struct TLineCase {
  const char* Name;
  int DX, DY;
  std::vector<std::string> Mask;
};

class LineDirections : public ::testing::TestWithParam<TLineCase> {};

TEST_P(LineDirections, PaintsFromStartUpToButExcludingTheEndPoint) {
  const TLineCase& C = GetParam();
  TSurface S(7, 7, 0xFFFFFF);
  TDeviceContext DC(S);
  MoveTo(DC, 3, 3);
  LineTo(DC, 3 + 3 * C.DX, 3 + 3 * C.DY);
  ExpectPixels(S, TPoint{0, 0}, C.Mask, kLegend);
  EXPECT_EQ(DC.State().PenPos, (TPoint{3 + 3 * C.DX, 3 + 3 * C.DY}));
}

INSTANTIATE_TEST_SUITE_P(
    EightDirections, LineDirections,
    ::testing::Values(
        TLineCase{"East",
                  1,
                  0,
                  {".......", ".......", ".......", "...###.", ".......", ".......", "......."}},
        TLineCase{"West",
                  -1,
                  0,
                  {".......", ".......", ".......", ".###...", ".......", ".......", "......."}},
        TLineCase{"South",
                  0,
                  1,
                  {".......", ".......", ".......", "...#...", "...#...", "...#...", "......."}},
        TLineCase{"North",
                  0,
                  -1,
                  {".......", "...#...", "...#...", "...#...", ".......", ".......", "......."}},
        TLineCase{"SouthEast",
                  1,
                  1,
                  {".......", ".......", ".......", "...#...", "....#..", ".....#.", "......."}},
        TLineCase{"NorthWest",
                  -1,
                  -1,
                  {".......", ".#.....", "..#....", "...#...", ".......", ".......", "......."}},
        TLineCase{"NorthEast",
                  1,
                  -1,
                  {".......", ".....#.", "....#..", "...#...", ".......", ".......", "......."}},
        TLineCase{"SouthWest",
                  -1,
                  1,
                  {".......", ".......", ".......", "...#...", "..#....", ".#.....", "......."}}),
    [](const ::testing::TestParamInfo<TLineCase>& Info) { return Info.param.Name; });

TEST(Lines, ShallowSlopeRoundsToTheNearestRow) {
  TSurface S(8, 3, 0xFFFFFF);
  TDeviceContext DC(S);
  MoveTo(DC, 0, 0);
  LineTo(DC, 6, 2);
  ExpectPixels(S, TPoint{0, 0}, {"##......", "..###...", ".....#.."}, kLegend);
}

// Lines reaching far beyond the target cost no more than the visible part,
// and the pixels they do paint are those of the whole line.
TEST(Lines, FarEndsAreClippedWithoutChangingThePath) {
  TSurface S(6, 3, 0xFFFFFF);
  TDeviceContext DC(S);
  MoveTo(DC, -6, -2);
  LineTo(DC, 6, 2);
  ExpectPixels(S, TPoint{0, 0}, {"##....", "..###.", ".....#"}, kLegend);
  TSurface Long(4, 1, 0xFFFFFF);
  TDeviceContext LongDC(Long);
  MoveTo(LongDC, -1000000000, 0);
  LineTo(LongDC, 1000000000, 0);
  ExpectPixels(Long, TPoint{0, 0}, {"####"}, kLegend);
}

TEST(Lines, DotsKeepTheirPhaseAcrossTheClippedPart) {
  // Dot position p = x + 3: x = 0..2 are dots 3..5 (off), x = 3..5 on, ...
  TSurface S(10, 1, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.SetPen(TLogPen{psDot, 1, 0});
  DC.SetBkMode(TRANSPARENT);
  MoveTo(DC, -3, 0);
  LineTo(DC, 10, 0);
  ExpectPixels(S, TPoint{0, 0}, {"...###...#"}, kLegend);
}

TEST(Lines, LineToTheCurrentPositionPaintsNothing) {
  TSurface S(3, 3, 0xFFFFFF);
  TDeviceContext DC(S);
  MoveTo(DC, 1, 1);
  LineTo(DC, 1, 1);
  ExpectPixels(S, TPoint{0, 0}, {"...", "...", "..."}, kLegend);
}

TEST(Lines, ChainedLinesCloseAFrameWithEveryCornerPaintedOnce) {
  // With the XOR mix a pixel painted twice would come back white.
  TSurface S(5, 4, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.SetRop2(R2_XORPEN);
  DC.SetPen(SolidPen(RGB(255, 255, 255)));
  MoveTo(DC, 0, 0);
  LineTo(DC, 4, 0);
  LineTo(DC, 4, 3);
  LineTo(DC, 0, 3);
  LineTo(DC, 0, 0);
  ExpectPixels(S, TPoint{0, 0}, {"#####", "#...#", "#...#", "#####"}, kLegend);
}

TEST(Lines, PolylineLeavesItsLastPointAndTheCurrentPositionAlone) {
  TSurface S(5, 3, 0xFFFFFF);
  TDeviceContext DC(S);
  MoveTo(DC, 2, 2);
  Polyline(DC, {{0, 0}, {4, 0}, {4, 2}});
  ExpectPixels(S, TPoint{0, 0}, {"#####", "....#", "....."}, kLegend);
  EXPECT_EQ(DC.State().PenPos, (TPoint{2, 2}));
}

TEST(Lines, DottedPenGapsAreTransparentOrBackgroundColoured) {
  TSurface S(16, 2, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.SetPen(TLogPen{psDot, 1, 0});
  DC.SetBkColor(kGrey);
  DC.SetBkMode(TRANSPARENT);
  MoveTo(DC, 0, 0);
  LineTo(DC, 14, 0);
  DC.SetBkMode(OPAQUE);
  MoveTo(DC, 0, 1);
  LineTo(DC, 14, 1);
  ExpectPixels(S, TPoint{0, 0}, {"###...###...##..", "###ggg###ggg##.."}, kLegend);
}

TEST(Lines, DashedPenRunsEighteenOnSixOff) {
  TSurface S(30, 1, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.SetPen(TLogPen{psDash, 1, 0});
  DC.SetBkMode(TRANSPARENT);
  MoveTo(DC, 0, 0);
  LineTo(DC, 30, 0);
  ExpectPixels(S, TPoint{0, 0}, {"##################......######"}, kLegend);
}

// A wide pen covers a square around every painted pixel of the path, so it
// reaches half its width beyond the last painted pixel.
TEST(Lines, WidePenIsSolidAndCentredOnThePath) {
  TSurface S(6, 5, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.SetPen(TLogPen{psDot, 3, 0});
  MoveTo(DC, 1, 2);
  LineTo(DC, 5, 2);
  ExpectPixels(S, TPoint{0, 0}, {"......", "######", "######", "######", "......"}, kLegend);
}

TEST(Lines, ClearPenDrawsNothing) {
  TSurface S(4, 1, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.SetPen(TLogPen{psClear, 1, 0});
  MoveTo(DC, 0, 0);
  LineTo(DC, 4, 0);
  ExpectPixels(S, TPoint{0, 0}, {"...."}, kLegend);
}

// Rectangle(2, 2, 8, 8) on a grey 10 by 10 surface with a black pen of the
// given width and a white brush.
struct TRectangleCase {
  int PenWidth;
  std::vector<std::string> Mask;
};

class RectanglePenWidths : public ::testing::TestWithParam<TRectangleCase> {};

TEST_P(RectanglePenWidths, OutlineCentredOnTheOnePixelPath) {
  TSurface S(10, 10, 0x808080);
  TDeviceContext DC(S);
  DC.SetPen(TLogPen{psSolid, GetParam().PenWidth, 0});
  DC.SetBrush(SolidBrush(RGB(255, 255, 255)));
  Rectangle(DC, 2, 2, 8, 8);
  ExpectPixels(S, TPoint{0, 0}, GetParam().Mask, kLegend);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, RectanglePenWidths,
    ::testing::Values(
        TRectangleCase{1,
                       {"gggggggggg", "gggggggggg", "gg######gg", "gg#....#gg", "gg#....#gg",
                        "gg#....#gg", "gg#....#gg", "gg######gg", "gggggggggg", "gggggggggg"}},
        TRectangleCase{2,
                       {"gggggggggg", "g#######gg", "g#######gg", "g##...##gg", "g##...##gg",
                        "g##...##gg", "g#######gg", "g#######gg", "gggggggggg", "gggggggggg"}},
        TRectangleCase{3,
                       {"gggggggggg", "g########g", "g########g", "g########g", "g###..###g",
                        "g###..###g", "g########g", "g########g", "g########g", "gggggggggg"}}));

TEST(Rectangles, ClearPenFillsOnePixelLessRightAndBelow) {
  TSurface S(6, 6, 0x808080);
  TDeviceContext DC(S);
  DC.SetPen(TLogPen{psClear, 1, 0});
  DC.SetBrush(SolidBrush(kRed));
  Rectangle(DC, 1, 1, 5, 5);
  ExpectPixels(S, TPoint{0, 0}, {"gggggg", "grrrgg", "grrrgg", "grrrgg", "gggggg", "gggggg"},
               kLegend);
}

TEST(Rectangles, ClearBrushLeavesTheInsideAndSwappedEdgesAreOrdered) {
  TSurface S(5, 4, 0x808080);
  TDeviceContext DC(S);
  DC.SetBrush(TLogBrush{bsClear, 0});
  Rectangle(DC, 4, 3, 0, 0);
  ExpectPixels(S, TPoint{0, 0}, {"####g", "#gg#g", "####g", "ggggg"}, kLegend);
}

TEST(Rectangles, ZeroWidthDrawsNothing) {
  TSurface S(3, 3, 0x808080);
  TDeviceContext DC(S);
  Rectangle(DC, 1, 0, 1, 3);
  ExpectPixels(S, TPoint{0, 0}, {"ggg", "ggg", "ggg"}, kLegend);
}

TEST(Rectangles, DottedOutlineRunsOnRoundTheCorners) {
  // Clockwise from the top-left, dots of three: top ###.., right side
  // off/on/on, bottom (right to left) on/off/off/off, left (upwards) on/on.
  TSurface S(5, 4, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.SetPen(TLogPen{psDot, 1, 0});
  DC.SetBkMode(TRANSPARENT);
  DC.SetBrush(TLogBrush{bsClear, 0});
  Rectangle(DC, 0, 0, 5, 4);
  ExpectPixels(S, TPoint{0, 0}, {"###..", "#....", "#...#", "...##"}, kLegend);
}

TEST(Rectangles, XorMixAppliesToOutlineAndFill) {
  TSurface S(4, 4, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.SetRop2(R2_XORPEN);
  DC.SetPen(SolidPen(RGB(255, 255, 255)));
  DC.SetBrush(SolidBrush(RGB(0x7F, 0x7F, 0x7F)));
  Rectangle(DC, 0, 0, 4, 4);
  ExpectPixels(S, TPoint{0, 0}, {"####", "#gg#", "#gg#", "####"}, kLegend);
  Rectangle(DC, 0, 0, 4, 4);
  ExpectPixels(S, TPoint{0, 0}, {"....", "....", "....", "...."}, kLegend);
}

TEST(Fills, FillRectCoversLeftTopButNotRightBottom) {
  TSurface S(5, 4, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.SetRop2(R2_XORPEN);  // FillRect ignores the pen mix
  FillRect(DC, TRect{1, 1, 4, 3}, SolidBrush(kRed));
  FillRect(DC, TRect{0, 0, 5, 4}, TLogBrush{bsClear, 0});
  FillRect(DC, TRect{3, 3, 1, 1}, SolidBrush(0));  // inverted: empty
  ExpectPixels(S, TPoint{0, 0}, {".....", ".rrr.", ".rrr.", "....."}, kLegend);
}

TEST(Fills, SystemColourBrushesResolve) {
  TSurface S(1, 1, 0);
  TDeviceContext DC(S);
  FillRect(DC, TRect{0, 0, 1, 1}, GetSysColorBrush(COLOR_BTNSHADOW));
  EXPECT_EQ(S.Row(0)[0], 0xA0A0A0u);
  FillRect(DC, TRect{0, 0, 1, 1}, SolidBrush(clHighlight));
  EXPECT_EQ(S.Row(0)[0], 0x3399FFu);  // surface pixels are 0x00RRGGBB
}

TEST(Fills, FrameRectIsOnePixelInsideTheRectangle) {
  TSurface S(6, 5, 0xFFFFFF);
  TDeviceContext DC(S);
  FrameRect(DC, TRect{1, 1, 5, 4}, SolidBrush(0));
  FrameRect(DC, TRect{0, 4, 6, 4}, SolidBrush(0));  // empty: nothing
  ExpectPixels(S, TPoint{0, 0}, {"......", ".####.", ".#..#.", ".####.", "......"}, kLegend);
}

TEST(Fills, FrameRectOfOneColumnPaintsEachPixelOnce) {
  TSurface S(3, 4, 0xFFFFFF);
  TDeviceContext DC(S);
  FrameRect(DC, TRect{1, 0, 2, 4}, SolidBrush(0));
  ExpectPixels(S, TPoint{0, 0}, {".#.", ".#.", ".#.", ".#."}, kLegend);
}

TEST(Fills, InvertRectTwiceRestores) {
  TSurface S(2, 1, 0x123456);
  TDeviceContext DC(S);
  InvertRect(DC, TRect{0, 0, 1, 1});
  EXPECT_EQ(S.Row(0)[0], 0xEDCBA9u);
  InvertRect(DC, TRect{0, 0, 1, 1});
  EXPECT_EQ(S.Row(0)[0], 0x123456u);
  EXPECT_EQ(S.Row(0)[1], 0x123456u);
}

TEST(Pixels, SetAndGetUseColoursAndTheOrigin) {
  TSurface S(4, 4, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.SetViewportOrg(1, 2);
  SetPixel(DC, 1, 1, RGB(1, 2, 3));
  EXPECT_EQ(S.Row(3)[2], 0x010203u);
  EXPECT_EQ(GetPixel(DC, 1, 1), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(DC, 3, 0), CLR_INVALID);  // device (4, 2): outside
  SetPixel(DC, -2, 0, 0);                      // device (-1, 2): ignored
  EXPECT_EQ(GetPixel(DC, -1, -2), RGB(255, 255, 255));
}

TEST(Monochrome, ColoursBecomeBlackOrWhiteByBrightness) {
  TDeviceBitmap Mask(4, 1, bfMonochrome);
  TDeviceContext DC(Mask);
  SetPixel(DC, 0, 0, RGB(0xFF, 0xFF, 0x00));  // sum 510: white
  SetPixel(DC, 1, 0, RGB(0x80, 0x80, 0x80));  // sum 384: white
  SetPixel(DC, 2, 0, RGB(0x7F, 0x80, 0x80));  // sum 383: black
  SetPixel(DC, 3, 0, RGB(0xFF, 0x00, 0x00));  // sum 255: black
  EXPECT_EQ(Mask.Bits(), (std::vector<std::uint8_t>{0xC0, 0x00}));
}

TEST(Monochrome, PackedBitsRoundTripAndFormatChangesConvert) {
  TDeviceBitmap B(10, 2, bfMonochrome);
  const std::uint8_t Bits[] = {0xA5, 0x7F};
  ASSERT_EQ(B.BytesPerPackedRow(), 2);
  B.SetBits(Bits, sizeof Bits);  // only the first row is given; bits past x = 9 are padding
  EXPECT_EQ(B.Bits(), (std::vector<std::uint8_t>{0xA5, 0x40, 0x00, 0x00}));
  TDeviceBitmap C(2, 1, bfColor32);
  C.Surface().Row(0)[0] = 0xFFFFFF;
  C.Surface().Row(0)[1] = 0xFEFFFF;
  C.SetFormat(bfMonochrome);
  EXPECT_EQ(C.Surface().Row(0)[0], 0xFFFFFFu);
  EXPECT_EQ(C.Surface().Row(0)[1], 0u);
}

TEST(State, SaverRestoresEverything) {
  TSurface S(4, 4, 0xFFFFFF);
  TDeviceContext DC(S);
  {
    TDCStateSaver Saver(DC);
    DC.SetPen(TLogPen{psDot, 3, kRed});
    DC.SetBrush(TLogBrush{bsClear, kRed});
    DC.SetTextColor(kRed);
    DC.SetBkColor(kRed);
    DC.SetBkMode(TRANSPARENT);
    DC.SetRop2(R2_XORPEN);
    DC.SetViewportOrg(2, 2);
    DC.MoveTo(3, 3);
    DC.IntersectClipRect(TRect{0, 0, 1, 1});
    TLogFont F;
    F.Face = "IPAPGothic";
    F.Height = -12;
    DC.SetFont(F);
  }
  const TDCState Fresh;
  EXPECT_EQ(DC.State().Pen, Fresh.Pen);
  EXPECT_EQ(DC.State().Brush, Fresh.Brush);
  EXPECT_EQ(DC.State().Font, Fresh.Font);
  EXPECT_EQ(DC.State().TextColor, Fresh.TextColor);
  EXPECT_EQ(DC.State().BkColor, Fresh.BkColor);
  EXPECT_EQ(DC.State().BkMode, Fresh.BkMode);
  EXPECT_EQ(DC.State().Rop2, Fresh.Rop2);
  EXPECT_EQ(DC.State().Origin, Fresh.Origin);
  EXPECT_EQ(DC.State().PenPos, Fresh.PenPos);
  // The clip went with the rest: a fill reaches the whole surface again.
  FillRect(DC, TRect{0, 0, 4, 4}, SolidBrush(0));
  ExpectPixels(S, TPoint{0, 0}, {"####", "####", "####", "####"}, kLegend);
}

}  // namespace
