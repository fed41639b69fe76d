// Edges, frame controls, the focus rectangle, the predefined check-box
// bitmap, system colours and metrics.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/PixelAssert.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/Primitives.h"

namespace {

constexpr std::uint32_t kBackground = 0x008000;  // a colour no control uses
const TPixelLegend kLegend = {{'g', RGB(0, 0x80, 0)}, {'w', clBtnHighlight}, {'f', clBtnFace},
                              {'l', cl3DLight},       {'s', clBtnShadow},    {'d', cl3DDkShadow},
                              {'#', clBtnText},       {'F', clWindowFrame}};

// ----------------------------------------------------------------------------
// DrawEdge on a 6 by 5 rectangle.

struct TEdgeCase {
  const char* Name;
  unsigned Edge, Flags;
  std::vector<std::string> Mask;
};

class Edges : public ::testing::TestWithParam<TEdgeCase> {};

TEST_P(Edges, ColoursAndCorners) {
  TSurface S(6, 5, kBackground);
  TDeviceContext DC(S);
  TRect R{0, 0, 6, 5};
  EXPECT_TRUE(DrawEdge(DC, R, GetParam().Edge, GetParam().Flags));
  EXPECT_EQ(R, (TRect{0, 0, 6, 5}));  // only BF_ADJUST moves it
  ExpectPixels(S, TPoint{0, 0}, GetParam().Mask, kLegend);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Edges,
    ::testing::Values(
        // Top-right and bottom-left corners take the bottom/right colour.
        TEdgeCase{
            "Raised", EDGE_RAISED, BF_RECT, {"llllld", "lwwwsd", "lwggsd", "lssssd", "dddddd"}},
        TEdgeCase{"SunkenWithMiddle",
                  EDGE_SUNKEN,
                  BF_RECT | BF_MIDDLE,
                  {"sssssw", "sdddlw", "sdfflw", "sllllw", "wwwwww"}},
        TEdgeCase{"RaisedInnerAlone",
                  BDR_RAISEDINNER,
                  BF_RECT,
                  {"wwwwws", "wggggs", "wggggs", "wggggs", "ssssss"}},
        TEdgeCase{"SunkenOuterAlone",
                  BDR_SUNKENOUTER,
                  BF_RECT,
                  {"sssssw", "sggggw", "sggggw", "sggggw", "wwwwww"}},
        TEdgeCase{"SoftRaised",
                  EDGE_RAISED,
                  BF_RECT | BF_SOFT,
                  {"wwwwwd", "wlllsd", "wlggsd", "wssssd", "dddddd"}},
        TEdgeCase{"Flat",
                  EDGE_SUNKEN,
                  BF_RECT | BF_FLAT | BF_MIDDLE,
                  {"ssssss", "sffffs", "sffffs", "sffffs", "ssssss"}},
        TEdgeCase{"Mono",
                  EDGE_RAISED,
                  BF_RECT | BF_MONO | BF_MIDDLE,
                  {"FFFFFF", "FwwwwF", "FwwwwF", "FwwwwF", "FFFFFF"}},
        // With only some sides the inner lines run to the rectangle's end.
        TEdgeCase{"TopLeftOnly",
                  EDGE_RAISED,
                  BF_TOPLEFT,
                  {"llllll", "lwwwww", "lwgggg", "lwgggg", "lwgggg"}},
        TEdgeCase{"BottomRightOnly",
                  EDGE_SUNKEN,
                  BF_BOTTOMRIGHT,
                  {"gggglw", "gggglw", "gggglw", "lllllw", "wwwwww"}}),
    [](const ::testing::TestParamInfo<TEdgeCase>& Info) { return Info.param.Name; });

TEST(EdgeAdjust, NarrowsToTheInsideOfTheDrawnSides) {
  TSurface S(6, 5, kBackground);
  TDeviceContext DC(S);
  TRect R{0, 0, 6, 5};
  DrawEdge(DC, R, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  EXPECT_EQ(R, (TRect{2, 2, 4, 3}));
  R = TRect{0, 0, 6, 5};
  DrawEdge(DC, R, BDR_RAISEDINNER, BF_LEFT | BF_BOTTOM | BF_ADJUST);
  EXPECT_EQ(R, (TRect{1, 0, 6, 4}));
}

// At 192 dpi every line of an edge is two whole pixels: the same colours
// and corner rule as the one-pixel edge, nothing blended.
TEST(EdgeAdjust, ScaledEdgeHasWholePixelLines) {
  TSurface S(10, 9, kBackground);
  TDeviceContext DC(S);
  TRect R{0, 0, 10, 9};
  EXPECT_TRUE(DrawEdge(DC, R, EDGE_RAISED, BF_RECT | BF_ADJUST, 2));
  EXPECT_EQ(R, (TRect{4, 4, 6, 5}));
  ExpectPixels(S, TPoint{0, 0},
               {"lllllllldd", "lllllllldd", "llwwwwssdd", "llwwwwssdd", "llwwggssdd", "llssssssdd",
                "llssssssdd", "dddddddddd", "dddddddddd"},
               kLegend);
}

TEST(EdgeAdjust, DiagonalEdgesAreRefused) {
  TSurface S(4, 4, kBackground);
  TDeviceContext DC(S);
  TRect R{0, 0, 4, 4};
  EXPECT_FALSE(DrawEdge(DC, R, EDGE_RAISED, BF_DIAGONAL | BF_RECT));
  ExpectPixels(S, TPoint{0, 0}, {"gggg", "gggg", "gggg", "gggg"}, kLegend);
}

// ----------------------------------------------------------------------------
// Frame controls in each state the controls use.

struct TFrameCase {
  const char* Name;
  unsigned Type, State;
  int W, H;
  std::vector<std::string> Mask;
};

class FrameControls : public ::testing::TestWithParam<TFrameCase> {};

TEST_P(FrameControls, Pixels) {
  const TFrameCase& C = GetParam();
  TSurface S(C.W, C.H, kBackground);
  TDeviceContext DC(S);
  EXPECT_TRUE(DrawFrameControl(DC, TRect{0, 0, C.W, C.H}, C.Type, C.State));
  ExpectPixels(S, TPoint{0, 0}, C.Mask, kLegend);
}

INSTANTIATE_TEST_SUITE_P(
    States, FrameControls,
    ::testing::Values(
        // The combo arrow on a 17 by 16 drop button: 7 by 4 triangle at (5, 6).
        TFrameCase{
            "ComboNormal",
            DFC_SCROLL,
            DFCS_SCROLLCOMBOBOX,
            17,
            16,
            {"lllllllllllllllld", "lwwwwwwwwwwwwwwsd", "lwfffffffffffffsd", "lwfffffffffffffsd",
             "lwfffffffffffffsd", "lwfffffffffffffsd", "lwfff#######fffsd", "lwffff#####ffffsd",
             "lwfffff###fffffsd", "lwffffff#ffffffsd", "lwfffffffffffffsd", "lwfffffffffffffsd",
             "lwfffffffffffffsd", "lwfffffffffffffsd", "lsssssssssssssssd", "ddddddddddddddddd"}},
        TFrameCase{
            "ComboPushed",
            DFC_SCROLL,
            DFCS_SCROLLCOMBOBOX | DFCS_PUSHED,
            17,
            16,
            {"ssssssssssssssssw", "sddddddddddddddlw", "sdffffffffffffflw", "sdffffffffffffflw",
             "sdffffffffffffflw", "sdffffffffffffflw", "sdffffffffffffflw", "sdffff#######fflw",
             "sdfffff#####ffflw", "sdffffff###fffflw", "sdfffffff#ffffflw", "sdffffffffffffflw",
             "sdffffffffffffflw", "sdffffffffffffflw", "slllllllllllllllw", "wwwwwwwwwwwwwwwww"}},
        TFrameCase{
            "ComboFlat",
            DFC_SCROLL,
            DFCS_SCROLLCOMBOBOX | DFCS_FLAT,
            17,
            16,
            {"sssssssssssssssss", "sfffffffffffffffs", "sfffffffffffffffs", "sfffffffffffffffs",
             "sfffffffffffffffs", "sfffffffffffffffs", "sffff#######ffffs", "sfffff#####fffffs",
             "sffffff###ffffffs", "sfffffff#fffffffs", "sfffffffffffffffs", "sfffffffffffffffs",
             "sfffffffffffffffs", "sfffffffffffffffs", "sfffffffffffffffs", "sssssssssssssssss"}},
        TFrameCase{
            "ComboPushedFlat",
            DFC_SCROLL,
            DFCS_SCROLLCOMBOBOX | DFCS_PUSHED | DFCS_FLAT,
            17,
            16,
            {"sssssssssssssssss", "sfffffffffffffffs", "sfffffffffffffffs", "sfffffffffffffffs",
             "sfffffffffffffffs", "sfffffffffffffffs", "sfffffffffffffffs", "sfffff#######fffs",
             "sffffff#####ffffs", "sfffffff###fffffs", "sffffffff#ffffffs", "sfffffffffffffffs",
             "sfffffffffffffffs", "sfffffffffffffffs", "sfffffffffffffffs", "sssssssssssssssss"}},
        // Inactive: highlight copy one pixel down-right, shadow copy on top.
        TFrameCase{
            "ComboInactive",
            DFC_SCROLL,
            DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE,
            17,
            16,
            {"lllllllllllllllld", "lwwwwwwwwwwwwwwsd", "lwfffffffffffffsd", "lwfffffffffffffsd",
             "lwfffffffffffffsd", "lwfffffffffffffsd", "lwfffsssssssfffsd", "lwffffssssswwffsd",
             "lwfffffssswwfffsd", "lwffffffswwffffsd", "lwfffffffwfffffsd", "lwfffffffffffffsd",
             "lwfffffffffffffsd", "lwfffffffffffffsd", "lsssssssssssssssd", "ddddddddddddddddd"}},
        // The 13 by 13 check box: sunken edge, white 9 by 9 inside, mark at (3, 3).
        TFrameCase{
            "CheckBox",
            DFC_BUTTON,
            DFCS_BUTTONCHECK,
            13,
            13,
            {"ssssssssssssw", "sddddddddddlw", "sdwwwwwwwwwlw", "sdwwwwwwwwwlw", "sdwwwwwwwwwlw",
             "sdwwwwwwwwwlw", "sdwwwwwwwwwlw", "sdwwwwwwwwwlw", "sdwwwwwwwwwlw", "sdwwwwwwwwwlw",
             "sdwwwwwwwwwlw", "slllllllllllw", "wwwwwwwwwwwww"}},
        TFrameCase{
            "CheckBoxTicked",
            DFC_BUTTON,
            DFCS_BUTTONCHECK | DFCS_CHECKED,
            13,
            13,
            {"ssssssssssssw", "sddddddddddlw", "sdwwwwwwwwwlw", "sdwwwwwww#wlw", "sdwwwwww##wlw",
             "sdw#www###wlw", "sdw##w###wwlw", "sdw#####wwwlw", "sdww###wwwwlw", "sdwww#wwwwwlw",
             "sdwwwwwwwwwlw", "slllllllllllw", "wwwwwwwwwwwww"}},
        // A wider rectangle centres the square box; the rest stays.
        TFrameCase{"CheckBoxInWideRect",
                   DFC_BUTTON,
                   DFCS_BUTTONCHECK | DFCS_PUSHED,
                   7,
                   5,
                   {"gsssswg", "gsddlwg", "gsdflwg", "gslllwg", "gwwwwwg"}},
        // The popup's close button: flat face, 9 by 8 X at (4, 4), pushed at (5, 5).
        TFrameCase{
            "CloseFlat",
            DFC_CAPTION,
            DFCS_CAPTIONCLOSE | DFCS_FLAT,
            17,
            16,
            {"sssssssssssssssss", "sfffffffffffffffs", "sfffffffffffffffs", "sfffffffffffffffs",
             "sfff##fffff##fffs", "sffff##fff##ffffs", "sfffff##f##fffffs", "sffffff###ffffffs",
             "sffffff###ffffffs", "sfffff##f##fffffs", "sffff##fff##ffffs", "sfff##fffff##fffs",
             "sfffffffffffffffs", "sfffffffffffffffs", "sfffffffffffffffs", "sssssssssssssssss"}},
        TFrameCase{
            "CloseFlatPushed",
            DFC_CAPTION,
            DFCS_CAPTIONCLOSE | DFCS_FLAT | DFCS_PUSHED,
            17,
            16,
            {"sssssssssssssssss", "sfffffffffffffffs", "sfffffffffffffffs", "sfffffffffffffffs",
             "sfffffffffffffffs", "sffff##fffff##ffs", "sfffff##fff##fffs", "sffffff##f##ffffs",
             "sfffffff###fffffs", "sfffffff###fffffs", "sffffff##f##ffffs", "sfffff##fff##fffs",
             "sffff##fffff##ffs", "sfffffffffffffffs", "sfffffffffffffffs", "sssssssssssssssss"}},
        // A classic 16 by 14 caption button: soft raised face, 8 by 7 X at (4, 3).
        TFrameCase{"CloseRaised",
                   DFC_CAPTION,
                   DFCS_CAPTIONCLOSE,
                   16,
                   14,
                   {"wwwwwwwwwwwwwwwd", "wlllllllllllllsd", "wlffffffffffffsd", "wlff##ffff##ffsd",
                    "wlfff##ff##fffsd", "wlffff####ffffsd", "wlfffff##fffffsd", "wlffff####ffffsd",
                    "wlfff##ff##fffsd", "wlff##ffff##ffsd", "wlffffffffffffsd", "wlffffffffffffsd",
                    "wssssssssssssssd", "dddddddddddddddd"}},
        // Three ridges (shadow, shadow, highlight) from the bottom-right corner.
        TFrameCase{
            "SizeGrip",
            DFC_SCROLL,
            DFCS_SCROLLSIZEGRIP,
            17,
            17,
            {"fffffffffffffffff", "fffffffffffffffff", "fffffffffffffffff", "fffffffffffffffff",
             "fffffffffffffffff", "ffffffffffffffffw", "fffffffffffffffws", "ffffffffffffffwss",
             "fffffffffffffwssf", "ffffffffffffwssfw", "fffffffffffwssfws", "ffffffffffwssfwss",
             "fffffffffwssfwssf", "ffffffffwssfwssfw", "fffffffwssfwssfws", "ffffffwssfwssfwss",
             "fffffwssfwssfwssf"}}),
    [](const ::testing::TestParamInfo<TFrameCase>& Info) { return Info.param.Name; });

TEST(FrameControlsOther, UnknownKindsAreRefused) {
  TSurface S(4, 4, kBackground);
  TDeviceContext DC(S);
  EXPECT_FALSE(DrawFrameControl(DC, TRect{0, 0, 4, 4}, DFC_MENU, 0));
  EXPECT_FALSE(DrawFrameControl(DC, TRect{0, 0, 4, 4}, DFC_CAPTION, 1));
  ExpectPixels(S, TPoint{0, 0}, {"gggg", "gggg", "gggg", "gggg"}, kLegend);
}

TEST(FrameControlsOther, MirroredGripPointsIntoTheBottomLeftCorner) {
  TSurface S(5, 5, kBackground);
  TDeviceContext DC(S);
  DrawFrameControl(DC, TRect{0, 0, 5, 5}, DFC_SCROLL, DFCS_SCROLLSIZEGRIPRIGHT);
  ExpectPixels(S, TPoint{0, 0}, {"fsswf", "wfssw", "swfss", "sswfs", "fsswf"}, kLegend);
}

// ----------------------------------------------------------------------------
// The focus rectangle.

TEST(FocusRect, InvertsEveryOtherBorderPixelFromTheTopLeft) {
  TSurface S(8, 6, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.SetViewportOrg(1, 1);
  DrawFocusRect(DC, TRect{0, 0, 6, 4});
  const TPixelLegend Legend = {{'.', RGB(255, 255, 255)}, {'#', RGB(0, 0, 0)}};
  ExpectPixels(S, TPoint{0, 0},
               {"........", ".#.#.#..", "......#.", ".#......", "..#.#.#.", "........"}, Legend);
}

TEST(FocusRect, SecondCallCancelsTheFirstOnAnyBackground) {
  TSurface S(7, 5);
  for (int Y = 0; Y < 5; ++Y)
    for (int X = 0; X < 7; ++X) S.Row(Y)[X] = 0x102030u * unsigned(X + 1) + unsigned(Y);
  const TSurface Before = S;
  TDeviceContext DC(S);
  DrawFocusRect(DC, TRect{0, 0, 7, 5});
  EXPECT_EQ(S.Row(0)[0], ~Before.Row(0)[0] & 0xFFFFFFu);
  EXPECT_EQ(S.Row(0)[1], Before.Row(0)[1]);
  DrawFocusRect(DC, TRect{0, 0, 7, 5});
  for (int Y = 0; Y < 5; ++Y)
    for (int X = 0; X < 7; ++X) ASSERT_EQ(S.Row(Y)[X], Before.Row(Y)[X]) << X << "," << Y;
}

TEST(FocusRect, OneColumnRectanglesInvertEachPixelOnce) {
  TSurface S(1, 3, 0xFFFFFF);
  TDeviceContext DC(S);
  DrawFocusRect(DC, TRect{0, 0, 1, 3});
  EXPECT_EQ(S.Row(0)[0], 0u);
  EXPECT_EQ(S.Row(1)[0], 0xFFFFFFu);
  EXPECT_EQ(S.Row(2)[0], 0u);
}

// ----------------------------------------------------------------------------
// The predefined check-box bitmap and the system values.

TEST(SystemBitmaps, CheckBoxesHoldFourByThreeGlyphsDrawnByTheFrameControl) {
  TDeviceBitmap B;
  ASSERT_TRUE(LoadSystemBitmap(OBM_CHECKBOXES, B));
  EXPECT_EQ(B.Width(), 52);
  EXPECT_EQ(B.Height(), 39);
  EXPECT_EQ(B.Width() / 4, GetSystemMetrics(SM_CXMENUCHECK));
  // Cell (1, 0) is the ticked box: the same pixels DrawFrameControl draws.
  TSurface Ticked(13, 13, kBackground);
  TDeviceContext DC(Ticked);
  DrawFrameControl(DC, TRect{0, 0, 13, 13}, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  for (int Y = 0; Y < 13; ++Y)
    for (int X = 0; X < 13; ++X)
      ASSERT_EQ(B.Surface().Row(Y)[13 + X], Ticked.Row(Y)[X]) << X << "," << Y;
  EXPECT_EQ(B.Surface().Row(5)[5], 0xFFFFFFu);            // unticked: white inside
  EXPECT_EQ(B.Surface().Row(5)[26 + 5], 0xF0F0F0u);       // pushed: face inside
  EXPECT_EQ(B.Surface().Row(13 + 6)[13 + 6], 0u);         // ticked radio: black dot
  EXPECT_EQ(B.Surface().Row(13 + 6)[6], 0xFFFFFFu);       // unticked radio: white
  EXPECT_EQ(B.Surface().Row(26 + 3)[13 + 9], 0xA0A0A0u);  // three-state: grey mark
  EXPECT_FALSE(LoadSystemBitmap(1, B));
}

TEST(SystemValues, Windows7ColoursAndTheMetricsTheControlsSizeWith) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(0xF0, 0xF0, 0xF0));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(0x33, 0x99, 0xFF));
  EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(0xFF, 0xFF, 0xE1));
  EXPECT_EQ(GetSysColor(COLOR_MENUBAR), RGB(0xF0, 0xF0, 0xF0));
  EXPECT_EQ(GetSysColor(31), 0);
  EXPECT_EQ(ColorToRGB(clHighlight), RGB(0x33, 0x99, 0xFF));
  EXPECT_EQ(ColorToRGB(RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(ColorToRGB(clNone), 0);
  EXPECT_EQ(ColorToPixel(clHighlight), 0x3399FFu);
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
  EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 17);
  EXPECT_EQ(GetSystemMetrics(SM_CXHSCROLL), 17);
  EXPECT_EQ(GetSystemMetrics(SM_CYVSCROLL), 17);
  EXPECT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
  EXPECT_EQ(GetSystemMetrics(SM_CYBORDER), 1);
  EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  SetScreenSize(1280, 0);  // a zero size is no size: the height stays
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  SetScreenSize(1024, 768);
}

}  // namespace
