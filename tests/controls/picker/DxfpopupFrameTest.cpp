// The popup's placement on the 1024 by 768 screen, the grip's corner and
// hit code, and the close button and size grip as drawn on a bare context.

#include <gtest/gtest.h>

#include "controls/picker/Dxfpopup.h"
#include "platform/PixelAssert.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/Primitives.h"
#include "platform/gdi/SysColors.h"

namespace {

constexpr TColor kUntouched = 0xFF00FF;

// ---- GetPopupRect ------------------------------------------------------------------

struct TPlacementCase {
  const char* Name;
  TPoint Picker;  // top-left corner on the screen
  int PickerHeight;
  int Width, Height;  // of the list
  TRect Expected;
};

class TPopupPlacement : public ::testing::TestWithParam<TPlacementCase> {};

TEST_P(TPopupPlacement, PlacesTheList) {
  const TPlacementCase& C = GetParam();
  EXPECT_EQ(GetPopupRect(C.Picker, TRect{0, 0, C.Width, C.Height}, C.PickerHeight), C.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Screen, TPopupPlacement,
    ::testing::Values(
        TPlacementCase{"Below", {100, 100}, 20, 160, 182, {100, 120, 260, 302}},
        TPlacementCase{"EndsExactlyAtTheBottom", {100, 566}, 20, 160, 182, {100, 586, 260, 768}},
        TPlacementCase{"AboveNearTheBottom", {100, 700}, 20, 160, 182, {100, 518, 260, 700}},
        // Fits neither way: the side with more room, cut at the screen edge.
        TPlacementCase{"CutBelow", {100, 300}, 20, 160, 700, {100, 320, 260, 768}},
        TPlacementCase{"CutAbove", {100, 500}, 20, 160, 600, {100, 0, 260, 500}},
        TPlacementCase{"TieGoesBelow", {100, 374}, 20, 160, 500, {100, 394, 260, 768}},
        TPlacementCase{"PushedLeftAtTheRightEdge", {950, 100}, 20, 160, 182, {864, 120, 1024, 302}},
        TPlacementCase{
            "WiderThanTheScreenStartsAtZero", {10, 100}, 20, 1100, 100, {0, 120, 1100, 220}},
        TPlacementCase{"LeftOfTheScreenKeepsItsLeft", {-30, 100}, 20, 160, 100, {0, 120, 160, 220}},
        TPlacementCase{"AboveAndLeft", {980, 700}, 20, 160, 182, {864, 518, 1024, 700}}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// ---- GetCornerForRects ---------------------------------------------------------------

struct TCornerCase {
  const char* Name;
  TRect Picker, Popup;
  TdxfCorner Expected;
};

class TGripCorner : public ::testing::TestWithParam<TCornerCase> {};

TEST_P(TGripCorner, FollowsThePlacement) {
  EXPECT_EQ(GetCornerForRects(GetParam().Picker, GetParam().Popup), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Placements, TGripCorner,
    ::testing::Values(
        TCornerCase{
            "BelowIsBottomRight", {100, 100, 245, 120}, {100, 120, 260, 302}, coBottomRight},
        TCornerCase{"AboveIsTopRight", {100, 700, 245, 720}, {100, 518, 260, 700}, coTopRight},
        TCornerCase{"BelowAtTheRightEdgeIsBottomLeft",
                    {950, 100, 1024, 120},
                    {864, 120, 1024, 302},
                    coBottomLeft},
        TCornerCase{"AboveAtTheRightEdgeIsTopLeft",
                    {950, 700, 1024, 720},
                    {864, 518, 1024, 700},
                    coTopLeft},
        // A list entirely left of the picker's left edge.
        TCornerCase{
            "LeftOfThePickerIsLeft", {500, 100, 600, 120}, {300, 120, 500, 302}, coBottomLeft}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST(GripHitCode, EachCornerSizesFromItself) {
  EXPECT_EQ(GetHitTestByCorner(coTopLeft), HTTOPLEFT);
  EXPECT_EQ(GetHitTestByCorner(coTopRight), HTTOPRIGHT);
  EXPECT_EQ(GetHitTestByCorner(coBottomLeft), HTBOTTOMLEFT);
  EXPECT_EQ(GetHitTestByCorner(coBottomRight), HTBOTTOMRIGHT);
}

// ---- DrawCloseButton -----------------------------------------------------------------

const TPixelLegend kLegend = {{'m', kUntouched},
                              {'.', clBtnFace},
                              {'w', clBtnHighlight},
                              {'s', clBtnShadow},
                              {'k', clBtnText}};

struct TButtonCase {
  const char* Name;
  bool Raised, Sunken;
  std::vector<std::string> Mask;  // the button's 17 by 15 frame
};

class TCloseButtonLook : public ::testing::TestWithParam<TButtonCase> {};

// A 22 by 18 strip body at (1, 1): with the grip on the left the button is
// the 19 pixels at the right end, off the separator line and 1 pixel in.
TEST_P(TCloseButtonLook, DrawsTheState) {
  TDeviceBitmap Bitmap(24, 20);
  TDeviceContext DC(Bitmap);
  FillRect(DC, TRect{0, 0, 24, 20}, SolidBrush(kUntouched));
  TRect R{1, 1, 23, 19};
  DrawCloseButton(&DC, R, GetParam().Raised, GetParam().Sunken, coBottomLeft);
  EXPECT_EQ(R, (TRect{5, 3, 22, 18}));
  ExpectPixels(Bitmap.Surface(), TRect{5, 3, 22, 18}, GetParam().Mask, kLegend);
  // Nothing outside the button is touched.
  ExpectPixels(Bitmap.Surface(), TRect{0, 0, 24, 3},
               std::vector<std::string>(3, std::string(24, 'm')), kLegend);
  ExpectPixels(Bitmap.Surface(), TRect{0, 3, 5, 18}, std::vector<std::string>(15, "mmmmm"),
               kLegend);
}

INSTANTIATE_TEST_SUITE_P(States, TCloseButtonLook,
                         ::testing::Values(TButtonCase{"Flat",
                                                       false,
                                                       false,
                                                       {".................",  //
                                                        ".................",  //
                                                        ".................",  //
                                                        ".................",  //
                                                        "....kk....kk.....",  //
                                                        ".....kk..kk......",  //
                                                        "......kkkk.......",  //
                                                        ".......kk........",  //
                                                        "......kkkk.......",  //
                                                        ".....kk..kk......",  //
                                                        "....kk....kk.....",  //
                                                        ".................",  //
                                                        ".................",  //
                                                        ".................",  //
                                                        "................."}},
                                           TButtonCase{"Raised",
                                                       true,
                                                       false,
                                                       {"wwwwwwwwwwwwwwwws",  //
                                                        "w...............s",  //
                                                        "w...............s",  //
                                                        "w...............s",  //
                                                        "w...kk....kk....s",  //
                                                        "w....kk..kk.....s",  //
                                                        "w.....kkkk......s",  //
                                                        "w......kk.......s",  //
                                                        "w.....kkkk......s",  //
                                                        "w....kk..kk.....s",  //
                                                        "w...kk....kk....s",  //
                                                        "w...............s",  //
                                                        "w...............s",  //
                                                        "w...............s",  //
                                                        "sssssssssssssssss"}},
                                           // Pressed with the pointer on it: sunken, and the
                                           // glyph pushed one pixel down and right.
                                           TButtonCase{"Sunken",
                                                       true,
                                                       true,
                                                       {"ssssssssssssssssw",  //
                                                        "s...............w",  //
                                                        "s...............w",  //
                                                        "s...............w",  //
                                                        "s...............w",  //
                                                        "s....kk....kk...w",  //
                                                        "s.....kk..kk....w",  //
                                                        "s......kkkk.....w",  //
                                                        "s.......kk......w",  //
                                                        "s......kkkk.....w",  //
                                                        "s.....kk..kk....w",  //
                                                        "s....kk....kk...w",  //
                                                        "s...............w",  //
                                                        "s...............w",  //
                                                        "wwwwwwwwwwwwwwwww"}}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

struct TButtonPlaceCase {
  TdxfCorner Corner;
  TRect Expected;
};

class TCloseButtonPlace : public ::testing::TestWithParam<TButtonPlaceCase> {};

// The button sits at the end away from the grip and keeps off the
// separator line, which lies below a top strip and above a bottom one.
TEST_P(TCloseButtonPlace, SitsAwayFromTheGrip) {
  TDeviceBitmap Bitmap(60, 20);
  TDeviceContext DC(Bitmap);
  TRect R{1, 1, 59, 19};
  DrawCloseButton(&DC, R, false, false, GetParam().Corner);
  EXPECT_EQ(R, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Corners, TCloseButtonPlace,
                         ::testing::Values(TButtonPlaceCase{coTopLeft, {41, 2, 58, 17}},
                                           TButtonPlaceCase{coBottomLeft, {41, 3, 58, 18}},
                                           TButtonPlaceCase{coTopRight, {2, 2, 19, 17}},
                                           TButtonPlaceCase{coBottomRight, {2, 3, 19, 18}}));

TEST(CloseButton, KeepsTheCallersClip) {
  TDeviceBitmap Bitmap(24, 20);
  TDeviceContext DC(Bitmap);
  DC.IntersectClipRect(TRect{0, 0, 12, 20});
  TRect R{1, 1, 23, 19};
  DrawCloseButton(&DC, R, true, false, coBottomLeft);
  TRect Box;
  ASSERT_TRUE(DC.GetClipBox(Box));
  EXPECT_EQ(Box, (TRect{0, 0, 12, 20}));
}

// ---- DrawSizeGrip ----------------------------------------------------------------------

struct TGripCase {
  TdxfCorner Corner;
  TRect Expected;  // 17 by 17, two pixels in from the corner
  bool MirrorX, MirrorY;
};

class TSizeGripLook : public ::testing::TestWithParam<TGripCase> {};

// The grip is the system's bottom-right glyph, mirrored so that its ridges
// point into the grip's own corner.
TEST_P(TSizeGripLook, PointsIntoItsCorner) {
  const TGripCase& C = GetParam();
  TDeviceBitmap Bitmap(40, 30);
  TDeviceContext DC(Bitmap);
  FillRect(DC, TRect{0, 0, 40, 30}, SolidBrush(kUntouched));
  TRect R{1, 1, 39, 29};
  DrawSizeGrip(&DC, R, C.Corner);
  ASSERT_EQ(R, C.Expected);

  TDeviceBitmap Glyph(17, 17);
  TDeviceContext GlyphDC(Glyph);
  DrawFrameControl(GlyphDC, TRect{0, 0, 17, 17}, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  for (int Y = 0; Y < 30; ++Y)
    for (int X = 0; X < 40; ++X) {
      std::uint32_t Want = ColorToPixel(kUntouched);
      if (R.Contains(X, Y)) {
        const int GX = C.MirrorX ? 16 - (X - R.Left) : X - R.Left;
        const int GY = C.MirrorY ? 16 - (Y - R.Top) : Y - R.Top;
        Want = Glyph.Surface().Row(GY)[GX];
      }
      ASSERT_EQ(Bitmap.Surface().Row(Y)[X] & 0xFFFFFF, Want & 0xFFFFFF) << X << "," << Y;
    }
}

INSTANTIATE_TEST_SUITE_P(Corners, TSizeGripLook,
                         ::testing::Values(TGripCase{coBottomRight, {20, 10, 37, 27}, false, false},
                                           TGripCase{coBottomLeft, {3, 10, 20, 27}, true, false},
                                           TGripCase{coTopRight, {20, 3, 37, 20}, false, true},
                                           TGripCase{coTopLeft, {3, 3, 20, 20}, true, true}));

// The mirrored corner glyph, exactly: ridges up and to the left.
TEST(SizeGrip, TopLeftGlyph) {
  TDeviceBitmap Bitmap(24, 22);
  TDeviceContext DC(Bitmap);
  FillRect(DC, TRect{0, 0, 24, 22}, SolidBrush(kUntouched));
  TRect R{1, 1, 23, 21};
  DrawSizeGrip(&DC, R, coTopLeft);
  ExpectPixels(Bitmap.Surface(), TPoint{3, 3},
               {".ssw.ssw.ssw.....",  //
                "ssw.ssw.ssw......",  //
                "sw.ssw.ssw.......",  //
                "w.ssw.ssw........",  //
                ".ssw.ssw.........",  //
                "ssw.ssw..........",  //
                "sw.ssw...........",  //
                "w.ssw............",  //
                ".ssw.............",  //
                "ssw..............",  //
                "sw...............",  //
                "w................",  //
                ".................",  //
                ".................",  //
                ".................",  //
                ".................",  //
                "................."},
               kLegend);
}

TEST(TopLevelControl, IsTheTopOfTheParentChain) {
  TWinControl Top(nullptr), Middle(nullptr), Leaf(nullptr);
  Middle.SetParent(&Top);
  Leaf.SetParent(&Middle);
  EXPECT_EQ(GetTopLevelControl(&Leaf), &Top);
  EXPECT_EQ(GetTopLevelControl(&Top), &Top);
  Leaf.SetParent(nullptr);
  Middle.SetParent(nullptr);
}

}  // namespace
