// Painting: windowless children over the parent's background in creation
// order, clipped to themselves; windowed children above all of them; what
// is repainted when a property changes.

#include <gtest/gtest.h>

#include "framework/HeadlessFixture.h"
#include "framework/forms/ControlsTestClasses.h"
#include "framework/graphics/Bitmap.h"
#include "platform/PixelAssert.h"

using namespace controlstest;

namespace {

// Three windowless blocks overlapping in creation order and one windowed
// block overlapping the last of them.
constexpr const char* kLayout = R"(
object Form1: TCtlForm
  Left = 100
  Top = 50
  ClientWidth = 16
  ClientHeight = 8
  BorderStyle = bsNone
  Color = clWhite
  object First: TCtlGraphic
    Left = 1
    Top = 1
    Width = 6
    Height = 4
    Color = clBlue
  end
  object Second: TCtlGraphic
    Left = 4
    Top = 2
    Width = 6
    Height = 4
    Color = clRed
  end
  object Box: TCtlWindowed
    Left = 8
    Top = 3
    Width = 6
    Height = 4
    Color = clLime
  end
end
)";

class TControlsPaintTest : public THeadlessFixture {
protected:
  void SetUp() override {
    RegisterTestClasses();
    Log().clear();
    Form = MakeForm<TCtlForm>();
    Form->ReadLayoutText(kLayout);
    Form->AfterConstruction();
    Form->BindComponent(First, "First");
    Form->BindComponent(Second, "Second");
    Form->BindComponent(Box, "Box");
    Form->Show();
    Pump();
  }
  const TSurface& Surface() { return *System.BackBufferOf(Form->Handle()); }

  TCtlForm* Form = nullptr;
  TCtlGraphic* First = nullptr;
  TCtlGraphic* Second = nullptr;
  TCtlWindowed* Box = nullptr;
};

const TPixelLegend kLegend = {{'.', clWhite}, {'b', clBlue}, {'r', clRed}, {'g', clLime}};

TEST_F(TControlsPaintTest, LaterChildrenPaintOverEarlierOnesAndWindowsOverAll) {
  ExpectPixels(Surface(), TPoint{0, 0},
               {"................",  //
                ".bbbbbb.........",  //
                ".bbbrrrrrr......",  // Second lies over First
                ".bbbrrrrgggggg..",  // the window lies over Second
                ".bbbrrrrgggggg..",  //
                "....rrrrgggggg..",  //
                "........gggggg..",  //
                "................"},
               kLegend);
}

TEST_F(TControlsPaintTest, ShownPixelsMatchThePaintedOnes) {
  EXPECT_EQ(Shown(Form, 5, 3), PixelOf(clRed));
  EXPECT_EQ(Shown(Form, 9, 4), PixelOf(clLime));
  EXPECT_EQ(Shown(Form, 0, 0), PixelOf(clWhite));
}

TEST_F(TControlsPaintTest, HidingAChildUncoversWhatLiesUnder) {
  Second->Hide();
  Pump();
  ExpectPixels(Surface(), TPoint{0, 1},
               {".bbbbbb.........",  //
                ".bbbbbb.........",  //
                ".bbbbbb.gggggg..",  //
                ".bbbbbb.gggggg..",  //
                "........gggggg.."},
               kLegend);
}

TEST_F(TControlsPaintTest, MovingAChildRepaintsBothPlaces) {
  Second->SetBounds(10, 0, 2, 2);
  Pump();
  ExpectPixels(Surface(), TPoint{0, 0},
               {"..........rr....",  //
                ".bbbbbb...rr....",  //
                ".bbbbbb.........",  //
                ".bbbbbb.gggggg..",  //
                ".bbbbbb.gggggg.."},
               kLegend);
}

TEST_F(TControlsPaintTest, ColorSetterRepaintsOnlyOnChange) {
  const int Before = Second->Paints;
  const int ChangesBefore = Second->ColorChanges;
  Second->SetColor(clRed);
  Pump();
  EXPECT_EQ(Second->Paints, Before);
  EXPECT_EQ(Second->ColorChanges, ChangesBefore);
  Second->SetColor(clBlue);
  Pump();
  EXPECT_GT(Second->Paints, Before);
  EXPECT_EQ(Second->ColorChanges, ChangesBefore + 1);
  EXPECT_EQ(Painted(Form, 5, 3), PixelOf(clBlue));
}

TEST_F(TControlsPaintTest, OpaqueChildIsNotErasedUnderAndRepaintsAtOnce) {
  Second->SetOpaque(true);
  // Drawn straight into the window, without waiting for a paint message.
  Second->SetColor(clLime);
  Second->Repaint();
  EXPECT_EQ(Painted(Form, 5, 3), PixelOf(clLime));
}

TEST_F(TControlsPaintTest, FormColorChangeRepaintsTheBackground) {
  Form->SetColor(clRed);
  Pump();
  EXPECT_EQ(Painted(Form, 0, 0), PixelOf(clRed));
  EXPECT_EQ(Painted(Form, 15, 7), PixelOf(clRed));
  EXPECT_EQ(Painted(Form, 2, 2), PixelOf(clBlue));
}

TEST_F(TControlsPaintTest, BringToFrontPutsAChildOverItsSiblings) {
  First->BringToFront();
  Pump();
  EXPECT_EQ(Painted(Form, 5, 3), PixelOf(clBlue));
  First->SendToBack();
  Pump();
  EXPECT_EQ(Painted(Form, 5, 3), PixelOf(clRed));
}

TEST_F(TControlsPaintTest, BringToFrontPutsAWindowedChildOverItsWindowedSiblings) {
  // A second windowed block over the first one's right half.
  auto* Cover = new TCtlWindowed(Form);
  Cover->SetParent(Form);
  Cover->SetBounds(11, 3, 4, 4);
  Cover->SetColor(clYellow);
  Pump();
  EXPECT_EQ(Painted(Form, 12, 4), PixelOf(clYellow));
  Box->BringToFront();
  Pump();
  EXPECT_EQ(Painted(Form, 12, 4), PixelOf(clLime));
  EXPECT_EQ(Form->Controls(Form->ControlCount() - 1), Box);
  Box->SendToBack();
  Pump();
  EXPECT_EQ(Painted(Form, 12, 4), PixelOf(clYellow));
  // Windowed children still paint over every windowless one.
  EXPECT_EQ(Painted(Form, 9, 4), PixelOf(clLime));
}

TEST_F(TControlsPaintTest, PaintToCopiesTheFormWithItsChildrenIntoABitmap) {
  TBitmap Copy;
  Copy.SetSize(18, 10);
  Copy.Canvas()->Brush()->SetColor(clBlack);
  Copy.Canvas()->FillRect(TRect{0, 0, 18, 10});
  Form->PaintTo(Copy.Canvas()->Handle(), 1, 1);
  for (int Y = 0; Y < 8; ++Y)
    for (int X = 0; X < 16; ++X)
      EXPECT_EQ(PixelOf(Copy.Canvas()->Pixels(X + 1, Y + 1)), Surface().Row(Y)[X]) << X << "," << Y;
  EXPECT_EQ(Copy.Canvas()->Pixels(0, 0), clBlack);
  EXPECT_EQ(Copy.Canvas()->Pixels(17, 9), clBlack);
}

}  // namespace
