// Clip regions: intersecting, excluding, the origin, the window system's
// clip and device origin beneath the application's, and every primitive
// staying inside the clip.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/PixelAssert.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/Primitives.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Text.h"

namespace {

const TPixelLegend kLegend = {{'.', RGB(255, 255, 255)}, {'#', RGB(0, 0, 0)}};

void FillAll(TDeviceContext& DC) { FillRect(DC, TRect{-100, -100, 100, 100}, SolidBrush(0)); }

TEST(Clipping, IntersectKeepsOnlyTheOverlap) {
  TSurface S(6, 4, 0xFFFFFF);
  TDeviceContext DC(S);
  EXPECT_TRUE(DC.IntersectClipRect(TRect{1, 0, 5, 3}));
  EXPECT_TRUE(DC.IntersectClipRect(TRect{0, 1, 4, 4}));
  FillAll(DC);
  ExpectPixels(S, TPoint{0, 0}, {"......", ".###..", ".###..", "......"}, kLegend);
}

TEST(Clipping, ExcludeCutsAHole) {
  TSurface S(5, 4, 0xFFFFFF);
  TDeviceContext DC(S);
  EXPECT_TRUE(DC.ExcludeClipRect(TRect{1, 1, 3, 3}));
  FillAll(DC);
  ExpectPixels(S, TPoint{0, 0}, {"#####", "#..##", "#..##", "#####"}, kLegend);
}

TEST(Clipping, IntersectThenExcludeAndNothingLeft) {
  TSurface S(5, 3, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.IntersectClipRect(TRect{1, 0, 4, 3});
  DC.ExcludeClipRect(TRect{2, 1, 3, 2});
  FillAll(DC);
  ExpectPixels(S, TPoint{0, 0}, {".###.", ".#.#.", ".###."}, kLegend);
  EXPECT_FALSE(DC.ExcludeClipRect(TRect{0, 0, 5, 3}));
  TRect Box;
  EXPECT_FALSE(DC.GetClipBox(Box));
}

TEST(Clipping, RectanglesAreLogicalAndFollowTheOrigin) {
  TSurface S(6, 4, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.SetViewportOrg(2, 1);
  DC.IntersectClipRect(TRect{0, 0, 3, 2});  // device (2, 1) - (5, 3)
  TRect Box;
  ASSERT_TRUE(DC.GetClipBox(Box));
  EXPECT_EQ(Box, (TRect{0, 0, 3, 2}));
  DC.SetViewportOrg(0, 0);  // the clip stays where it is on the device
  FillAll(DC);
  ExpectPixels(S, TPoint{0, 0}, {"......", "..###.", "..###.", "......"}, kLegend);
}

TEST(Clipping, SelectedRegionIsDeviceCoordinatesAndNullRemovesIt) {
  TSurface S(4, 2, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.SetViewportOrg(1, 0);
  TRegion R(TRect{0, 0, 1, 1});
  R.Union(TRect{3, 1, 4, 2});
  DC.SelectClipRegion(&R);
  FillAll(DC);
  ExpectPixels(S, TPoint{0, 0}, {"#...", "...#"}, kLegend);
  DC.SelectClipRegion(nullptr);
  FillAll(DC);
  ExpectPixels(S, TPoint{0, 0}, {"####", "####"}, kLegend);
}

TEST(Clipping, SaverPutsTheClipBack) {
  TSurface S(4, 1, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.IntersectClipRect(TRect{0, 0, 3, 1});
  {
    TDCStateSaver Saver(DC);
    DC.IntersectClipRect(TRect{0, 0, 1, 1});
    FillAll(DC);
    ExpectPixels(S, TPoint{0, 0}, {"#..."}, kLegend);
  }
  FillAll(DC);
  ExpectPixels(S, TPoint{0, 0}, {"###."}, kLegend);
}

TEST(Clipping, ARegionSavedWithGetClipRegionComesBack) {
  TSurface S(4, 1, 0xFFFFFF);
  TDeviceContext DC(S);
  TRegion Saved;
  EXPECT_FALSE(DC.GetClipRegion(Saved));
  DC.ExcludeClipRect(TRect{0, 0, 1, 1});
  ASSERT_TRUE(DC.GetClipRegion(Saved));
  DC.IntersectClipRect(TRect{2, 0, 3, 1});
  FillAll(DC);
  ExpectPixels(S, TPoint{0, 0}, {"..#."}, kLegend);
  DC.SelectClipRegion(&Saved);
  FillAll(DC);
  ExpectPixels(S, TPoint{0, 0}, {".###"}, kLegend);
}

TEST(Clipping, ClipSurvivesSelectingALargerBitmap) {
  TDeviceBitmap Small(2, 2), Large(4, 1);
  TDeviceContext DC(Small);
  DC.ExcludeClipRect(TRect{0, 0, 1, 1});
  DC.SelectBitmap(&Large);
  FillRect(DC, TRect{0, 0, 4, 1}, SolidBrush(RGB(255, 255, 255)));
  // The region was made on the small bitmap: only (1, 0) of it is left.
  EXPECT_EQ(Large.Surface().Row(0)[0], 0u);
  EXPECT_EQ(Large.Surface().Row(0)[1], 0xFFFFFFu);
  EXPECT_EQ(Large.Surface().Row(0)[2], 0u);
}

// A window's context as the window system makes it: device (0, 0) at
// target (2, 1), and the window visible in target (2, 1) - (7, 4) except
// (5, 1) - (7, 2), where a sibling above it lies.
void MakeWindowContext(TDeviceContext& DC) {
  DC.SetDeviceOrigin(2, 1);
  TRegion Visible(TRect{2, 1, 7, 4});
  Visible.Subtract(TRect{5, 1, 7, 2});
  DC.SetSystemClip(&Visible);
}

TEST(SystemClip, ApplicationResetsCannotEscapeIt) {
  TSurface S(8, 5, 0xFFFFFF);
  TDeviceContext DC(S);
  MakeWindowContext(DC);
  // What a control does around a part it paints: save the clip (there is
  // none), move and clip, then put back "no clip" and the zero origin.
  TRegion Saved;
  const bool HadClip = DC.GetClipRegion(Saved);
  EXPECT_FALSE(HadClip);
  DC.SetViewportOrg(3, 3);
  DC.IntersectClipRect(TRect{0, 0, 1, 1});
  DC.SelectClipRegion(HadClip ? &Saved : nullptr);
  DC.SetViewportOrg(0, 0);
  FillAll(DC);
  FillRect(DC, TRect{0, 0, 1, 1}, SolidBrush(RGB(255, 0, 0)));  // logical (0, 0)
  ExpectPixels(S, TPoint{0, 0}, {"........", "..r##...", "..#####.", "..#####.", "........"},
               {{'.', RGB(255, 255, 255)}, {'#', RGB(0, 0, 0)}, {'r', RGB(255, 0, 0)}});
}

TEST(SystemClip, EffectiveClipIsBothRegionsAndQueriesShowTheApplicationsOwn) {
  TSurface S(9, 4, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.SetDeviceOrigin(1, 1);
  const TRegion System(TRect{1, 1, 6, 4});
  DC.SetSystemClip(&System);
  DC.SetViewportOrg(1, 0);
  TRect Box;
  ASSERT_TRUE(DC.GetClipBox(Box));
  EXPECT_EQ(Box, (TRect{-1, 0, 4, 3}));  // the system clip, seen in logical coordinates
  TRegion Got(TRect{7, 7, 8, 8});
  EXPECT_FALSE(DC.GetClipRegion(Got));
  EXPECT_EQ(Got, TRegion(TRect{7, 7, 8, 8}));  // untouched
  // Device coordinates: (2, 0) - (8, 2) is target (3, 1) - (9, 3).
  const TRegion App(TRect{2, 0, 8, 2});
  EXPECT_TRUE(DC.SelectClipRegion(&App));
  FillAll(DC);
  ExpectPixels(S, TPoint{0, 0}, {".........", "...###...", "...###...", "........."}, kLegend);
  ASSERT_TRUE(DC.GetClipRegion(Got));
  EXPECT_EQ(Got, App);  // as given: neither moved nor cut by the system clip
  ASSERT_TRUE(DC.GetClipBox(Box));
  EXPECT_EQ(Box, (TRect{1, 0, 4, 2}));
  // A clip wholly outside the window leaves nothing, whatever the target has.
  const TRegion Outside(TRect{6, 0, 8, 3});
  EXPECT_FALSE(DC.SelectClipRegion(&Outside));
  EXPECT_FALSE(DC.GetClipBox(Box));
}

TEST(SystemClip, ExcludeStartsFromTheVisibleAreaAndIntersectFromItsRectangle) {
  TSurface S(8, 5, 0xFFFFFF);
  TDeviceContext DC(S);
  MakeWindowContext(DC);
  EXPECT_TRUE(DC.ExcludeClipRect(TRect{0, 1, 1, 2}));
  TRegion Expected(TRect{0, 0, 5, 3});
  Expected.Subtract(TRect{3, 0, 5, 1});
  Expected.Subtract(TRect{0, 1, 1, 2});
  TRegion Got;
  ASSERT_TRUE(DC.GetClipRegion(Got));
  EXPECT_EQ(Got, Expected);
  FillAll(DC);
  ExpectPixels(S, TPoint{0, 0}, {"........", "..###...", "...####.", "..#####.", "........"},
               kLegend);
  // Cutting away the whole window leaves nothing, though the target is larger.
  EXPECT_FALSE(DC.ExcludeClipRect(TRect{0, 0, 5, 3}));

  DC.SelectClipRegion(nullptr);
  EXPECT_TRUE(DC.IntersectClipRect(TRect{-5, -5, 2, 2}));
  ASSERT_TRUE(DC.GetClipRegion(Got));
  EXPECT_EQ(Got, TRegion(TRect{-5, -5, 2, 2}));
  TRect Box;
  ASSERT_TRUE(DC.GetClipBox(Box));
  EXPECT_EQ(Box, (TRect{0, 0, 2, 2}));
}

TEST(SystemClip, SaverRestoresOnlyTheApplicationsState) {
  TSurface S(8, 1, 0xFFFFFF);
  TDeviceContext DC(S);
  const TRegion Narrow(TRect{0, 0, 4, 1});
  DC.SetSystemClip(&Narrow);
  DC.IntersectClipRect(TRect{1, 0, 8, 1});
  {
    TDCStateSaver Saver(DC);
    DC.SelectClipRegion(nullptr);
    DC.SetViewportOrg(3, 0);
    // The window system moves and widens the window meanwhile.
    DC.SetDeviceOrigin(1, 0);
    const TRegion Wide(TRect{0, 0, 6, 1});
    DC.SetSystemClip(&Wide);
  }
  EXPECT_EQ(DC.ToDevice(0, 0), (TPoint{1, 0}));
  // The application's clip is back, now fixed to the moved device origin.
  FillAll(DC);
  ExpectPixels(S, TPoint{0, 0}, {"..####.."}, kLegend);
}

TEST(SystemClip, ApplicationsClipMovesWithTheDeviceOriginAndRemovingTheSystemClipOpensAll) {
  TSurface S(5, 1, 0xFFFFFF);
  TDeviceContext DC(S);
  const TRegion Cell(TRect{0, 0, 1, 1});
  DC.SelectClipRegion(&Cell);
  DC.SetDeviceOrigin(2, 0);
  FillAll(DC);
  ExpectPixels(S, TPoint{0, 0}, {"..#.."}, kLegend);
  const TRegion Left(TRect{0, 0, 2, 1});
  DC.SetSystemClip(&Left);
  DC.SelectClipRegion(nullptr);
  FillAll(DC);
  ExpectPixels(S, TPoint{0, 0}, {"###.."}, kLegend);
  DC.SetSystemClip(nullptr);
  FillRect(DC, TRect{-10, 0, 10, 1}, SolidBrush(RGB(255, 255, 255)));
  ExpectPixels(S, TPoint{0, 0}, {"....."}, kLegend);
}

TEST(Regions, ArithmeticIsPixman) {
  TRegion R(TRect{0, 0, 4, 4});
  R.Subtract(TRect{1, 1, 3, 3});
  EXPECT_FALSE(R.Contains(1, 1));
  EXPECT_TRUE(R.Contains(0, 3));
  EXPECT_EQ(R.Bounds(), (TRect{0, 0, 4, 4}));
  EXPECT_EQ(R.Rects().size(), 4u);  // top band, two sides, bottom band
  TRegion Copy = R;
  Copy.Offset(10, 0);
  EXPECT_TRUE(Copy.Contains(10, 0));
  EXPECT_NE(Copy, R);
  R.Intersect(TRect{5, 5, 6, 6});
  EXPECT_TRUE(R.IsEmpty());
  TRegion Moved = std::move(Copy);
  EXPECT_TRUE(Copy.IsEmpty());  // a moved-from region is empty, not broken
  EXPECT_FALSE(Moved.IsEmpty());
}

// Every primitive, asked to draw over the whole 8 by 6 surface, touches
// nothing outside the clip rectangle (2, 1) - (6, 5), whether the clip is the
// application's, the window system's, or the overlap of both. Each setup maps
// logical coordinates one to one onto the target.
struct TClipCase {
  const char* Name;
  std::function<void(TDeviceContext&)> Draw;
};

struct TClipSetup {
  const char* Name;
  std::function<void(TDeviceContext&)> Clip;
};

const TClipSetup kClipSetups[] = {
    {"ApplicationClip",
     [](TDeviceContext& DC) {
       DC.IntersectClipRect(TRect{2, 1, 6, 5});
     }},
    {"SystemClip",
     [](TDeviceContext& DC) {
       DC.SetDeviceOrigin(2, 1);
       const TRegion Visible(TRect{2, 1, 6, 5});
       DC.SetSystemClip(&Visible);
       DC.SetViewportOrg(-2, -1);
     }},
    {"BothClips",
     [](TDeviceContext& DC) {
       DC.SetDeviceOrigin(1, 1);
       const TRegion Visible(TRect{2, 0, 8, 5});
       DC.SetSystemClip(&Visible);
       DC.SetViewportOrg(-1, -1);
       DC.IntersectClipRect(TRect{0, 1, 6, 6});  // target (0, 1) - (6, 6)
     }},
};

void PrintTo(const TClipSetup& Setup, std::ostream* Out) { *Out << Setup.Name; }
void PrintTo(const TClipCase& Case, std::ostream* Out) { *Out << Case.Name; }

class EveryPrimitiveClips : public ::testing::TestWithParam<std::tuple<TClipSetup, TClipCase>> {};

TEST_P(EveryPrimitiveClips, NothingOutsideTheClipChanges) {
  TSurface S(8, 6, 0xFFFFFF);
  TDeviceContext DC(S);
  DC.SetPen(TLogPen{psSolid, 1, 0});
  DC.SetBrush(SolidBrush(0));
  std::get<0>(GetParam()).Clip(DC);
  std::get<1>(GetParam()).Draw(DC);
  for (int Y = 0; Y < 6; ++Y)
    for (int X = 0; X < 8; ++X) {
      if (!TRect{2, 1, 6, 5}.Contains(X, Y)) {
        ASSERT_EQ(S.Row(Y)[X], 0xFFFFFFu) << "(" << X << "," << Y << ")";
      }
    }
  // And it did draw inside.
  bool Drew = false;
  for (int Y = 1; Y < 5; ++Y)
    for (int X = 2; X < 6; ++X) Drew |= S.Row(Y)[X] != 0xFFFFFFu;
  EXPECT_TRUE(Drew);
}

TSurface& BlackSource() {
  static TSurface Src(16, 16, 0);
  return Src;
}

const TClipCase kClipCases[] = {
    TClipCase{"FillRect", [](TDeviceContext& DC) { FillAll(DC); }},
    TClipCase{"FrameRect",
              [](TDeviceContext& DC) {
                FrameRect(DC, TRect{0, 0, 8, 4}, SolidBrush(0));
              }},
    TClipCase{"Rectangle", [](TDeviceContext& DC) { Rectangle(DC, 0, 0, 8, 6); }},
    TClipCase{"WideRectangle",
              [](TDeviceContext& DC) {
                DC.SetPen(TLogPen{psSolid, 3, 0});
                Rectangle(DC, 1, 1, 7, 5);
              }},
    TClipCase{"DiagonalLine",
              [](TDeviceContext& DC) {
                MoveTo(DC, 0, 0);
                LineTo(DC, 8, 6);
              }},
    TClipCase{"DottedLine",
              [](TDeviceContext& DC) {
                DC.SetPen(TLogPen{psDot, 1, 0});
                MoveTo(DC, 0, 2);
                LineTo(DC, 8, 2);
              }},
    TClipCase{"SetPixel",
              [](TDeviceContext& DC) {
                for (int Y = 0; Y < 6; ++Y)
                  for (int X = 0; X < 8; ++X) SetPixel(DC, X, Y, 0);
              }},
    TClipCase{"InvertRect",
              [](TDeviceContext& DC) {
                InvertRect(DC, TRect{0, 0, 8, 6});
              }},
    TClipCase{"BitBlt",
              [](TDeviceContext& DC) {
                TDeviceContext Src(BlackSource());
                BitBlt(DC, 0, 0, 8, 6, Src, 0, 0, SRCCOPY);
              }},
    TClipCase{"StretchBlt",
              [](TDeviceContext& DC) {
                TDeviceContext Src(BlackSource());
                StretchBlt(DC, 7, 0, -8, 6, Src, 0, 0, 3, 3, SRCCOPY);
              }},
    TClipCase{"DrawEdge",
              [](TDeviceContext& DC) {
                TRect R{0, 0, 8, 6};
                DrawEdge(DC, R, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
              }},
    TClipCase{
        "FrameControl",
        [](TDeviceContext& DC) {
          DrawFrameControl(DC, TRect{0, 0, 8, 6}, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
        }},
    TClipCase{"FocusRectInside",
              [](TDeviceContext& DC) {
                DrawFocusRect(DC, TRect{1, 0, 7, 3});
              }},
    TClipCase{"OpaqueTextOut",
              [](TDeviceContext& DC) {
                DC.SetTextColor(RGB(255, 0, 0));
                DC.SetBkColor(0);
                TextOut(DC, -2, -2, "WWWW");
              }},
    TClipCase{"ExtTextOutOpaqueRect",
              [](TDeviceContext& DC) {
                const TRect R{0, 0, 8, 6};
                DC.SetBkColor(0);
                ExtTextOut(DC, 0, 0, ETO_OPAQUE, &R, "W");
              }},
};

INSTANTIATE_TEST_SUITE_P(
    Primitives, EveryPrimitiveClips,
    ::testing::Combine(::testing::ValuesIn(kClipSetups), ::testing::ValuesIn(kClipCases)),
    [](const ::testing::TestParamInfo<std::tuple<TClipSetup, TClipCase>>& Info) {
      return std::string(std::get<0>(Info.param).Name) + "_" + std::get<1>(Info.param).Name;
    });

}  // namespace
