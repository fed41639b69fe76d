// The desktop's scale: a layout made at 96 pixels per inch is scaled as it
// is read, by edges, so that neighbours stay neighbours; a change of the
// scale while the program runs rescales the form in place.

#include <gtest/gtest.h>

#include <ostream>

#include "framework/HeadlessFixture.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/StdCtrls.h"
#include "framework/streaming/StreamingRegistry.h"

namespace {

// Two labels that touch (the second starts where the first ends) and an
// edit below them, on the search bar's 500 by 35 client area.
constexpr const char* kLayout =
    u8R"(
object ScaleForm: TForm
  Left = 20
  Top = 20
  BorderStyle = bsToolWindow
  ClientHeight = 35
  ClientWidth = 500
  Font.Height = -12
  object First: TLabel
    Left = 8
    Top = 12
    Width = 55
    Height = 12
    AutoSize = False
    Caption = 'a'
    Font.Height = -12
    ParentFont = False
  end
  object Second: TLabel
    Left = 63
    Top = 12
    Width = 53
    Height = 13
    AutoSize = False
    Caption = 'b'
  end
  object Field: TEdit
    Left = 120
    Top = 8
    Width = 101
    Height = 21
  end
end
)";

struct TExpected {
  double PixelsPerInch;
  TRect Form;   // Left, Top and the client area's size (as Right, Bottom)
  TRect First;  // edges in the form's client area
  TRect Second;
  TRect Field;
  int FontHeight;
  int FieldClientWidth;  // inside the window layer's 3D client edge
};

// Worked by hand: each edge times the ratio, halves away from zero.
const TExpected kCases[] = {
    // The client edge is two lines, each one line's width at the scale: 1
    // pixel up to 1.5 times (excluded), then 2 (1.5 rounds up).
    {96, {20, 20, 500, 35}, {8, 12, 63, 24}, {63, 12, 116, 25}, {120, 8, 221, 29}, -12, 97},
    // 35 * 1.25 = 43.75; 116 * 1.25 = 145; 25 * 1.25 = 31.25; 221 * 1.25 = 276.25
    {120, {25, 25, 625, 44}, {10, 15, 79, 30}, {79, 15, 145, 31}, {150, 10, 276, 36}, -15, 122},
    // 63 * 1.5 = 94.5 -> 95 on both sides of the shared edge; 35 * 1.5 = 52.5 -> 53
    {144, {30, 30, 750, 53}, {12, 18, 95, 36}, {95, 18, 174, 38}, {180, 12, 332, 44}, -18, 144},
    {192, {40, 40, 1000, 70}, {16, 24, 126, 48}, {126, 24, 232, 50}, {240, 16, 442, 58}, -24, 194},
    // a fractional figure is used as it is: ratio 1.2552083
    {120.5, {25, 25, 628, 44}, {10, 15, 79, 30}, {79, 15, 146, 31}, {151, 10, 277, 36}, -15, 122},
};

void PrintTo(const TExpected& E, std::ostream* Out) { *Out << E.PixelsPerInch << " dpi"; }

TRect EdgesOf(const TControl* C) {
  return TRect{C->Left(), C->Top(), C->Left() + C->Width(), C->Top() + C->Height()};
}

class TScaleTest : public THeadlessFixture, public ::testing::WithParamInterface<TExpected> {
protected:
  void SetUp() override {
    RegisterStockControls();
    RegisterClass<TForm>("TForm");
  }
  TForm* LoadAt(double PixelsPerInch) {
    Display.SetPixelsPerInch(PixelsPerInch);
    Pump();
    auto* Form = MakeForm<TForm>();
    Form->ReadLayoutText(kLayout);
    return Form;
  }
};

TEST_P(TScaleTest, LayoutIsScaledByItsEdgesAsItLoads) {
  const TExpected& E = GetParam();
  TForm* Form = LoadAt(E.PixelsPerInch);
  Form->Show();
  Pump();
  EXPECT_EQ(Form->Left(), E.Form.Left);
  EXPECT_EQ(Form->Top(), E.Form.Top);
  EXPECT_EQ(Form->ClientWidth(), E.Form.Right);
  EXPECT_EQ(Form->ClientHeight(), E.Form.Bottom);
  EXPECT_EQ(NativeOf(Form)->Params.ScreenRect.Width(), E.Form.Right);
  EXPECT_EQ(NativeOf(Form)->Params.ScreenRect.Height(), E.Form.Bottom);
  EXPECT_EQ(EdgesOf(dynamic_cast<TControl*>(Form->FindComponent("First"))), E.First);
  EXPECT_EQ(EdgesOf(dynamic_cast<TControl*>(Form->FindComponent("Second"))), E.Second);
  EXPECT_EQ(EdgesOf(dynamic_cast<TControl*>(Form->FindComponent("Field"))), E.Field);
  // Own fonts and fonts that follow the form's alike.
  EXPECT_EQ(dynamic_cast<TControl*>(Form->FindComponent("First"))->Font()->Height(), E.FontHeight);
  EXPECT_EQ(dynamic_cast<TControl*>(Form->FindComponent("Second"))->Font()->Height(), E.FontHeight);
  EXPECT_EQ(dynamic_cast<TControl*>(Form->FindComponent("Field"))->PixelsPerInch(),
            E.PixelsPerInch);
  EXPECT_EQ(dynamic_cast<TControl*>(Form->FindComponent("Field"))->ClientWidth(),
            E.FieldClientWidth);
}

// The window layer's own parts at 192 dpi: the edit's sunken client edge is
// two lines of two whole pixels each, no blended pixel between them.
TEST_F(TScaleTest, ClientEdgeLinesAreWholePixelsAt192) {
  TForm* Form = LoadAt(192);
  Form->Show();
  Pump();
  // The field's left side at x 240..243, half-way down (y 36).
  const std::uint32_t Outer = Painted(Form, 240, 36), Inner = Painted(Form, 242, 36);
  EXPECT_EQ(Painted(Form, 241, 36), Outer);
  EXPECT_EQ(Painted(Form, 243, 36), Inner);
  EXPECT_NE(Outer, Inner);
  EXPECT_NE(Painted(Form, 244, 36), Inner);
}

INSTANTIATE_TEST_SUITE_P(Figures, TScaleTest, ::testing::ValuesIn(kCases));

class TScaleChangeTest : public TScaleTest {};

// X11: Xft.dpi changes while the program runs. The form keeps its place,
// its window and its text, and grows to the new scale.
TEST_F(TScaleChangeTest, DesktopScaleChangeRescalesInPlace) {
  TForm* Form = LoadAt(96);
  Form->Show();
  Pump();
  auto* Field = dynamic_cast<TEdit*>(Form->FindComponent("Field"));
  Field->SetFocus();
  Display.TypeText("keyword");
  Pump();
  const HWND Window = Form->Handle();
  const HWND FieldWindow = Field->Handle();
  const TNativeWindow Native = System.NativeWindowOf(Window);
  const std::size_t RequestsBefore = Display.Native(Native)->BoundsRequests.size();
  const TRect Before = Display.Native(Native)->Params.ScreenRect;

  Display.SetPixelsPerInch(192);
  Pump();
  // One request, at the old place: a window manager given a step at another
  // place may keep the window there.
  const std::vector<TRect>& Requests = Display.Native(Native)->BoundsRequests;
  ASSERT_EQ(Requests.size(), RequestsBefore + 1);
  EXPECT_EQ(Requests.back().Left, Before.Left);
  EXPECT_EQ(Requests.back().Top, Before.Top);
  EXPECT_EQ(Form->Handle(), Window);
  EXPECT_EQ(Field->Handle(), FieldWindow);
  EXPECT_EQ(Form->Left(), 20);
  EXPECT_EQ(Form->ClientWidth(), 1000);
  EXPECT_EQ(Form->ClientHeight(), 70);
  EXPECT_EQ(EdgesOf(Field), (TRect{240, 16, 442, 58}));
  EXPECT_EQ(Field->Text(), "keyword");
  EXPECT_EQ(Field->Font()->Height(), -24);
  // Painted at the new size: the back buffer is the client area's.
  EXPECT_NE(Painted(Form, 999, 69), 0xFFFFFFFFu);

  // And back: the same edges as at the start.
  Display.SetPixelsPerInch(96);
  Pump();
  EXPECT_EQ(Form->ClientWidth(), 500);
  EXPECT_EQ(EdgesOf(Field), (TRect{120, 8, 221, 29}));
  EXPECT_EQ(Field->Font()->Height(), -12);
}

// Windows: the window moved to a monitor of another scale, and the system
// suggests where it goes.
TEST_F(TScaleChangeTest, MoveToScreenOfOtherScaleTakesSuggestedRectangle) {
  TForm* Form = LoadAt(96);
  Form->Show();
  Pump();
  Display.MoveToScreenOfDpi(System.NativeWindowOf(Form->Handle()), 144, TRect{1100, 30, 1850, 83});
  Pump();
  EXPECT_EQ(Form->Left(), 1100);
  EXPECT_EQ(Form->Top(), 30);
  EXPECT_EQ(Form->ClientWidth(), 750);
  EXPECT_EQ(Form->ClientHeight(), 53);
  EXPECT_EQ(EdgesOf(dynamic_cast<TControl*>(Form->FindComponent("Second"))),
            (TRect{95, 18, 174, 38}));
}

}  // namespace
