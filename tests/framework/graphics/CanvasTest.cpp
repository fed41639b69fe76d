// The canvas: its objects reach the device context before the drawing that
// needs them, raw state set on the handle lasts until an object replaces it,
// and each drawing call gives the pixels the GDI layer gives.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/CanvasBinding.h"
#include "platform/PixelAssert.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/Primitives.h"
#include "platform/gdi/Text.h"

namespace {

const TPixelLegend kLegend = {{'.', clWhite},  {'#', clBlack}, {'r', clRed},    {'b', clBlue},
                              {'y', clYellow}, {'g', clLime},  {'m', clFuchsia}};

// A canvas on a white surface.
class CanvasTest : public testing::Test {
protected:
  CanvasTest() : Surface(12, 8, 0xFFFFFF), DC(Surface) { Canvas.SetHandle(&DC); }

  // Pixels of Surface that have exactly Color.
  static int CountPixels(const TSurface& S, TColor Color) {
    const std::uint32_t Pixel = ColorToPixel(Color);
    int N = 0;
    for (int Y = 0; Y < S.Height(); ++Y)
      for (int X = 0; X < S.Width(); ++X) N += (S.Row(Y)[X] & 0xFFFFFF) == Pixel;
    return N;
  }

  TSurface Surface;
  TDeviceContext DC;
  TCanvas Canvas;
};

TEST(CanvasWithoutHandle, RefusesToDraw) {
  TCanvas Canvas;
  EXPECT_FALSE(Canvas.HandleAllocated());
  EXPECT_THROW(Canvas.Handle(), EInvalidGraphicOperation);
  EXPECT_THROW(Canvas.FillRect(TRect{0, 0, 1, 1}), EInvalidGraphicOperation);
  EXPECT_THROW(Canvas.TextWidth("a"), EInvalidGraphicOperation);
}

TEST_F(CanvasTest, FillsFramesAndOutlinesWithTheCurrentObjects) {
  Canvas.Brush()->SetColor(clYellow);
  Canvas.FillRect(TRect{0, 0, 4, 3});
  Canvas.Brush()->SetColor(clBlue);
  Canvas.FrameRect(TRect{4, 0, 8, 3});
  Canvas.Pen()->SetColor(clRed);
  Canvas.Brush()->SetColor(clLime);
  Canvas.Rectangle(8, 0, 12, 4);
  ExpectPixels(Surface, TPoint{0, 0},
               {"yyyybbbbrrrr",  //
                "yyyyb..brggr",  //
                "yyyybbbbrggr",  //
                "........rrrr"},
               kLegend);
}

TEST_F(CanvasTest, AClearBrushLeavesTheInsideOfARectangle) {
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.Rectangle(0, 0, 4, 3);
  ExpectPixels(Surface, TPoint{0, 0},
               {"####.",  //
                "#..#.",  //
                "####."},
               kLegend);
}

TEST_F(CanvasTest, LinesLeaveTheirEndPointAndMoveThePen) {
  Canvas.Pen()->SetColor(clRed);
  Canvas.MoveTo(1, 1);
  Canvas.LineTo(5, 1);
  EXPECT_EQ(Canvas.PenPos(), (TPoint{5, 1}));
  Canvas.Pen()->SetColor(clBlue);
  Canvas.LineTo(5, 4);
  Canvas.SetPenPos(TPoint{0, 5});
  Canvas.Polyline({TPoint{0, 5}, TPoint{3, 5}, TPoint{3, 7}});
  ExpectPixels(Surface, TPoint{0, 0},
               {"......",  //
                ".rrrrb",  //
                ".....b",  //
                ".....b",  //
                "......",  //
                "bbbb..",  // the corner starts the second segment
                "...b..",  //
                "......"},
               kLegend);
}

TEST_F(CanvasTest, AnXorPenDrawnTwiceLeavesNoTrace) {
  Canvas.Brush()->SetColor(clLime);
  Canvas.FillRect(TRect{0, 0, 12, 8});
  Canvas.Pen()->SetMode(pmXor);
  Canvas.Pen()->SetColor(clWhite);
  Canvas.MoveTo(0, 2);
  Canvas.LineTo(6, 2);
  EXPECT_EQ(Canvas.Pixels(3, 2), clFuchsia);  // lime xor white
  Canvas.MoveTo(0, 2);
  Canvas.LineTo(6, 2);
  EXPECT_EQ(CountPixels(Surface, clLime), 12 * 8);
}

TEST_F(CanvasTest, PixelsReadAndWriteResolvedColours) {
  Canvas.SetPixels(2, 3, clBtnFace);
  EXPECT_EQ(Canvas.Pixels(2, 3), ColorToRGB(clBtnFace));
  EXPECT_EQ(Canvas.Pixels(0, 0), clWhite);
  EXPECT_EQ(Canvas.Pixels(40, 0), CLR_INVALID);
}

TEST_F(CanvasTest, TextCellIsFilledWithASolidBrushOnly) {
  Canvas.Brush()->SetColor(clYellow);
  const TTextExtent Cell = Canvas.TextExtent(" ");
  ASSERT_GT(Cell.cx, 0);
  Canvas.TextOut(1, 1, " ");
  EXPECT_EQ(CountPixels(Surface, clYellow), Cell.cx * std::min(Cell.cy, 7));
  EXPECT_EQ(Canvas.Pixels(1, 1), clYellow);
  EXPECT_EQ(Canvas.Pixels(0, 0), clWhite);

  Canvas.Brush()->SetColor(clWhite);
  Canvas.FillRect(TRect{0, 0, 12, 8});
  Canvas.Brush()->SetColor(clYellow);
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.TextOut(1, 1, " ");
  EXPECT_EQ(CountPixels(Surface, clYellow), 0);
}

TEST_F(CanvasTest, TextOutMovesThePenPastTheText) {
  const int Width = Canvas.TextWidth("Wg");
  Canvas.TextOut(2, 1, "Wg");
  EXPECT_EQ(Canvas.PenPos(), (TPoint{2 + Width, 1}));
  EXPECT_EQ(Canvas.TextHeight("Wg"), GetTextMetrics(*Canvas.Handle()).tmHeight);
}

// The font colour set between two TextOut calls reaches the second and only
// the second; the pixels are exactly those of the GDI calls with that state.
TEST(CanvasText, FontColourChangesBetweenTwoTextOuts) {
  TSurface Surface(60, 16, 0xFFFFFF), Expected(60, 16, 0xFFFFFF);
  TDeviceContext DC(Surface), Reference(Expected);
  TCanvas Canvas;
  Canvas.SetHandle(&DC);
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.Font()->SetColor(clRed);
  Canvas.TextOut(1, 1, "■W");
  Canvas.Font()->SetColor(clBlue);
  Canvas.TextOut(30, 1, "■W");

  Reference.SetFont(TFont().LogFont());
  Reference.SetBkMode(TRANSPARENT);
  Reference.SetTextColor(clRed);
  TextOut(Reference, 1, 1, "■W");
  Reference.SetTextColor(clBlue);
  TextOut(Reference, 30, 1, "■W");

  int Red = 0, Blue = 0, Differ = 0;
  for (int Y = 0; Y < 16; ++Y)
    for (int X = 0; X < 60; ++X) {
      const std::uint32_t P = Surface.Row(Y)[X] & 0xFFFFFF;
      Differ += P != (Expected.Row(Y)[X] & 0xFFFFFF);
      if (P == ColorToPixel(clRed)) {
        ++Red;
        EXPECT_LT(X, 30) << "red text right of the first output";
      }
      if (P == ColorToPixel(clBlue)) {
        ++Blue;
        EXPECT_GE(X, 30) << "blue text left of the second output";
      }
    }
  EXPECT_EQ(Differ, 0);
  EXPECT_GT(Red, 20);  // the square's solid inside
  EXPECT_EQ(Red, Blue);
}

TEST_F(CanvasTest, RawBackgroundModeLastsUntilTheBrushChanges) {
  Canvas.Brush()->SetColor(clYellow);
  Canvas.FillRect(TRect{0, 0, 1, 1});  // selects the solid brush: opaque
  Canvas.Handle()->SetBkMode(TRANSPARENT);
  Canvas.Brush()->SetColor(clWhite);
  Canvas.Brush()->SetColor(clYellow);  // changed and back: selected again
  Canvas.TextOut(2, 1, " ");
  EXPECT_EQ(Canvas.Pixels(2, 1), clYellow);

  ASSERT_LT(2 + Canvas.TextWidth(" "), 8);
  Canvas.Handle()->SetBkMode(TRANSPARENT);
  Canvas.TextOut(8, 1, " ");  // nothing changed since: the raw mode holds
  EXPECT_EQ(Canvas.Pixels(8, 1), clWhite);
}

TEST_F(CanvasTest, HandleSelectsEverything) {
  Canvas.Font()->SetColor(clBtnText);
  Canvas.Font()->SetHeight(-16);
  Canvas.Pen()->SetColor(clRed);
  Canvas.Pen()->SetWidth(2);
  Canvas.Pen()->SetMode(pmNot);
  Canvas.Brush()->SetColor(clBlue);
  Canvas.Brush()->SetStyle(bsClear);
  const TDCState& State = Canvas.Handle()->State();
  EXPECT_EQ(State.Font.Height, -16);
  EXPECT_EQ(State.TextColor, ColorToRGB(clBtnText));
  EXPECT_EQ(State.Pen, (TLogPen{psSolid, 2, clRed}));
  EXPECT_EQ(State.Rop2, R2_NOT);
  EXPECT_EQ(State.Brush.Style, bsClear);
  EXPECT_EQ(State.BkMode, TRANSPARENT);
  Canvas.Brush()->SetStyle(bsSolid);
  EXPECT_EQ(Canvas.Handle()->State().BkMode, OPAQUE);
  EXPECT_EQ(Canvas.Handle()->State().BkColor, clBlue);
}

TEST_F(CanvasTest, ANewHandleGetsTheObjectsSelectedAgain) {
  Canvas.Brush()->SetColor(clRed);
  Canvas.FillRect(TRect{0, 0, 1, 1});
  TSurface Other(4, 4, 0xFFFFFF);
  TDeviceContext OtherDC(Other);
  Canvas.SetHandle(&OtherDC);
  Canvas.FillRect(TRect{0, 0, 2, 2});
  EXPECT_EQ(Other.Row(1)[1] & 0xFFFFFF, ColorToPixel(clRed));
  Canvas.SetHandle(nullptr);
  EXPECT_THROW(Canvas.FillRect(TRect{0, 0, 1, 1}), EInvalidGraphicOperation);
}

TEST_F(CanvasTest, TextRectClipsAndFillsItsRectangle) {
  Canvas.Brush()->SetColor(clYellow);
  Canvas.TextRect(TRect{2, 2, 6, 5}, 2, 2, "");
  ExpectPixels(Surface, TPoint{0, 1},
               {"........",  //
                "..yyyy..",  //
                "..yyyy..",  //
                "..yyyy..",  //
                "........"},
               kLegend);
  Canvas.Font()->SetColor(clBlack);
  Canvas.TextRect(TRect{8, 0, 10, 8}, 0, 0, "WWWWWWWW");  // starts left of the rectangle
  for (int Y = 0; Y < 8; ++Y) {
    EXPECT_EQ(Canvas.Pixels(7, Y), clWhite);
    EXPECT_EQ(Canvas.Pixels(10, Y), clWhite);
  }
}

TEST_F(CanvasTest, DrawTextMeasuresWithoutDrawing) {
  TRect R{0, 0, 0, 0};
  int Changes = 0;
  Canvas.OnChange = [&](TObject*) { ++Changes; };
  const int Height = Canvas.DrawText("Wg", R, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(Height, Canvas.TextHeight("Wg"));
  EXPECT_EQ(R.Right, Canvas.TextWidth("Wg"));
  EXPECT_EQ(CountPixels(Surface, clWhite), 12 * 8);
  EXPECT_EQ(Changes, 0);
}

TEST_F(CanvasTest, AFocusRectangleDrawnTwiceIsGone) {
  Canvas.DrawFocusRect(TRect{1, 1, 7, 5});
  EXPECT_LT(CountPixels(Surface, clWhite), 12 * 8);
  Canvas.DrawFocusRect(TRect{1, 1, 7, 5});
  EXPECT_EQ(CountPixels(Surface, clWhite), 12 * 8);
}

TEST_F(CanvasTest, ClipRectIsTheVisibleArea) {
  EXPECT_EQ(Canvas.ClipRect(), (TRect{0, 0, 12, 8}));
  Canvas.Handle()->IntersectClipRect(TRect{2, 1, 5, 20});
  EXPECT_EQ(Canvas.ClipRect(), (TRect{2, 1, 5, 8}));
  Canvas.Brush()->SetColor(clRed);
  Canvas.FillRect(TRect{0, 0, 12, 8});
  EXPECT_EQ(CountPixels(Surface, clRed), 3 * 7);
}

TEST_F(CanvasTest, OnChangeFollowsEachDrawingCall) {
  int Changing = 0, Changed = 0;
  Canvas.OnChanging = [&](TObject*) { ++Changing; };
  Canvas.OnChange = [&](TObject*) { ++Changed; };
  Canvas.FillRect(TRect{0, 0, 2, 2});
  Canvas.TextOut(0, 0, "a");
  Canvas.LineTo(3, 3);
  EXPECT_EQ(Changing, 3);
  EXPECT_EQ(Changed, 3);
  Canvas.Pixels(0, 0);
  Canvas.TextWidth("abc");
  Canvas.MoveTo(1, 1);
  Canvas.Handle();
  EXPECT_EQ(Changed, 3) << "reading and measuring change nothing";
}

// ---- Bitmaps on a canvas ------------------------------------------------------

// A 3 by 2 bitmap: red, lime, blue over magenta, magenta, red.
std::unique_ptr<TBitmap> SmallBitmap() {
  auto Bitmap = std::make_unique<TBitmap>(3, 2);
  TCanvas* C = Bitmap->Canvas();
  C->SetPixels(0, 0, clRed);
  C->SetPixels(1, 0, clLime);
  C->SetPixels(2, 0, clBlue);
  C->SetPixels(0, 1, clFuchsia);
  C->SetPixels(1, 1, clFuchsia);
  C->SetPixels(2, 1, clRed);
  return Bitmap;
}

TEST_F(CanvasTest, DrawCopiesOrLeavesOutTheTransparentColour) {
  std::unique_ptr<TBitmap> Bitmap = SmallBitmap();
  Canvas.Draw(1, 1, Bitmap.get());
  Bitmap->SetTransparent(true);  // bottom-left: magenta
  Canvas.Draw(6, 1, Bitmap.get());
  ExpectPixels(Surface, TPoint{0, 0},
               {"..........",  //
                ".rgb..rgb.",  //
                ".mmr....r.",  //
                ".........."},
               kLegend);
}

TEST_F(CanvasTest, DrawHonoursTheCopyMode) {
  std::unique_ptr<TBitmap> Bitmap = SmallBitmap();
  Canvas.SetCopyMode(cmNotSrcCopy);
  Canvas.Draw(0, 0, Bitmap.get());
  EXPECT_EQ(Canvas.Pixels(0, 0), clAqua);  // not red
  EXPECT_EQ(Canvas.Pixels(1, 1), clLime);  // not magenta
}

TEST_F(CanvasTest, StretchDrawRepeatsPixels) {
  std::unique_ptr<TBitmap> Bitmap = SmallBitmap();
  Canvas.StretchDraw(TRect{0, 0, 6, 4}, Bitmap.get());
  Bitmap->SetTransparent(true);
  Canvas.Brush()->SetColor(clWhite);
  Canvas.StretchDraw(TRect{6, 0, 12, 4}, Bitmap.get());
  ExpectPixels(Surface, TPoint{0, 0},
               {"rrggbbrrggbb",  //
                "rrggbbrrggbb",  //
                "mmmmrr....rr",  //
                "mmmmrr....rr"},
               kLegend);
}

TEST_F(CanvasTest, AMonochromeBitmapDrawsBlackAndWhite) {
  TBitmap Mono(4, 1);
  Mono.SetMonochrome(true);
  Mono.Canvas()->SetPixels(1, 0, clBlack);
  Mono.Canvas()->SetPixels(2, 0, clBlack);
  Canvas.Font()->SetColor(clRed);    // text colour and background colour of the
  Canvas.Brush()->SetColor(clLime);  // target do not tint the picture
  Canvas.Draw(0, 0, &Mono);
  ExpectPixels(Surface, TPoint{0, 0}, {".##."}, kLegend);
}

TEST_F(CanvasTest, CopyRectStretchesThroughTheCopyMode) {
  std::unique_ptr<TBitmap> Bitmap = SmallBitmap();
  Canvas.CopyRect(TRect{0, 0, 2, 2}, Bitmap->Canvas(), TRect{1, 0, 3, 2});
  Canvas.CopyRect(TRect{2, 0, 6, 1}, Bitmap->Canvas(), TRect{0, 0, 2, 1});
  Canvas.SetCopyMode(cmSrcInvert);
  Canvas.CopyRect(TRect{6, 0, 7, 1}, Bitmap->Canvas(), TRect{0, 0, 1, 1});
  ExpectPixels(Surface, TPoint{0, 0},
               {"gbrrggy.",  // white xor red is aqua
                "mr......"},
               {{'.', clWhite},
                {'r', clRed},
                {'g', clLime},
                {'b', clBlue},
                {'m', clFuchsia},
                {'y', clAqua}});
}

TEST_F(CanvasTest, BrushCopyPaintsTheKeyColourWithTheBrush) {
  std::unique_ptr<TBitmap> Bitmap = SmallBitmap();
  Canvas.Brush()->SetColor(clYellow);
  Canvas.BrushCopy(TRect{0, 0, 3, 2}, Bitmap.get(), TRect{0, 0, 3, 2}, clFuchsia);
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.BrushCopy(TRect{4, 0, 7, 2}, Bitmap.get(), TRect{0, 0, 3, 2}, clFuchsia);
  ExpectPixels(Surface, TPoint{0, 0},
               {"rgb.rgb.",  //
                "yyr...r."},
               kLegend);
}

}  // namespace

namespace {

// A canvas that counts how often it was asked to give back a context of its
// own, as a control canvas that drew outside painting is.
class TCountingCanvas : public TCanvas {
public:
  void FreeHandle() override { ++Freed; }
  int Freed = 0;
};

TEST(CanvasBinding, DrawsOnTheContextForOneScopeOnly) {
  TSurface Surface(3, 2, 0xFFFFFF);
  TDeviceContext DC(Surface);
  TCountingCanvas Canvas;
  {
    TCanvasBinding Bound(Canvas, &DC);
    EXPECT_EQ(Canvas.Freed, 1);  // its own context went before the binding
    EXPECT_EQ(Canvas.Handle(), &DC);
    Canvas.Brush()->SetColor(clBlack);
    Canvas.FillRect(TRect{1, 0, 2, 2});
  }
  EXPECT_FALSE(Canvas.HandleAllocated());
  ExpectPixels(Surface, TPoint{0, 0}, {".#.", ".#."}, kLegend);
}

TEST(CanvasBinding, UnbindsWhenTheDrawingFails) {
  TSurface Surface(2, 2, 0xFFFFFF);
  TDeviceContext DC(Surface);
  TCanvas Canvas;
  EXPECT_THROW(
      {
        TCanvasBinding Bound(Canvas, &DC);
        throw EInvalidGraphicOperation("drawing failed");
      },
      EInvalidGraphicOperation);
  EXPECT_FALSE(Canvas.HandleAllocated());
}

}  // namespace
