// What TEdit shows: the sunken edge, a long text scrolled so that the caret
// and the end show, the selection colours, greyed text when disabled, the
// blinking caret and the redraw switch.

#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/StdCtrlsTestSupport.h"

using namespace stocktest;

namespace {

// A full block: its middle pixels carry the text colour exactly.
constexpr const char* kBlock = "■";

class EditPaintTest : public THeadlessFixture {
protected:
  void SetUp() override {
    Form = MakeForm<TForm>();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(100, 100, 200, 60);
    Form->SetColor(clBtnFace);
    Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(10, 10, 80, 21);
    Form->Show();
    Pump();
  }
  // The edit's client origin in the form.
  TPoint Origin() const {
    const TPoint E = Edit->ClientOrigin(), F = Form->ClientOrigin();
    return TPoint{E.X - F.X, E.Y - F.Y};
  }
  std::uint32_t ClientPixel(int X, int Y) {
    return Painted(Form, Origin().X + X, Origin().Y + Y) & 0xFFFFFF;
  }
  // The box of the edit's client pixels that are not the window colour.
  TRect Ink() {
    const TPoint O = Origin();
    TRect Box =
        InkBox(*System.BackBufferOf(Form->Handle()),
               Bounds(O.X, O.Y, Edit->ClientWidth(), Edit->ClientHeight()), PixelOf(clWindow));
    if (Box.Left < Box.Right)
      Box = Bounds(Box.Left - O.X, Box.Top - O.Y, Box.Width(), Box.Height());
    return Box;
  }

  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
};

TEST_F(EditPaintTest, SingleBorderIsTheSunkenEdgeAndNoneHasNoFrame) {
  EXPECT_EQ(Edit->ClientWidth(), 76);
  EXPECT_EQ(Painted(Form, 10, 10) & 0xFFFFFF, PixelOf(clBtnShadow));
  EXPECT_EQ(Painted(Form, 11, 11) & 0xFFFFFF, PixelOf(cl3DDkShadow));
  EXPECT_EQ(Painted(Form, 89, 30) & 0xFFFFFF, PixelOf(clBtnHighlight));
  EXPECT_EQ(Painted(Form, 12, 12) & 0xFFFFFF, PixelOf(clWindow));
  Edit->SetBorderStyle(bsNone);
  Pump();
  EXPECT_EQ(Edit->ClientWidth(), 80);
  EXPECT_EQ(Painted(Form, 10, 10) & 0xFFFFFF, PixelOf(clWindow));
  EXPECT_EQ(Painted(Form, 89, 30) & 0xFFFFFF, PixelOf(clWindow));
}

TEST_F(EditPaintTest, LongTextScrollsSoThatTheEndShows) {
  std::string Text;
  for (int I = 0; I < 12; ++I) Text += "長い";
  Text += "END";
  Edit->SetText(Text);
  Edit->SetFocus();
  Pump();
  Key(VK_END);
  const int Length = int(Text.size());
  // Scrolled just far enough: the caret stands on the last column but one.
  EXPECT_EQ(Edit->XFromChar(Length), Edit->ClientWidth() - 2);
  EXPECT_LT(Edit->XFromChar(0), 0);

  // The client shows exactly the text drawn at the scrolled place.
  const int W = Edit->ClientWidth(), H = Edit->ClientHeight();
  TBitmap Expected;
  Expected.SetSize(W, H);
  TCanvas& C = *Expected.Canvas();
  C.Brush()->SetColor(clWindow);
  C.FillRect(TRect{0, 0, W, H});
  C.SetFont(Edit->Font());
  const int TextHeight = C.TextHeight("0");
  const int Top = (H - TextHeight) / 2;
  C.TextOut(Edit->XFromChar(0), Top, Text);
  int Wrong = 0;
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X)
      if ((Expected.ScanLine(Y)[X] & 0xFFFFFF) != ClientPixel(X, Y)) ++Wrong;
  EXPECT_EQ(Wrong, 0);
  // The last letter has ink, left of the caret.
  const TRect Ink = this->Ink();
  EXPECT_GT(Ink.Right, Edit->XFromChar(Length - 1));
  EXPECT_LE(Ink.Right, Edit->XFromChar(Length));

  Key(VK_HOME);
  EXPECT_EQ(Edit->XFromChar(0), 1);
  Edit->SetText("short");  // a short text is never left scrolled
  EXPECT_EQ(Edit->XFromChar(0), 1);
}

TEST_F(EditPaintTest, SelectionIsHighlightedWhileFocusedUnlessHideSelectionIsOff) {
  auto* Other = new TEdit(Form);
  Other->SetParent(Form);
  Other->SetBounds(100, 10, 80, 21);
  Other->SetFocus();
  Edit->SetText(std::string("a") + kBlock + "  b");
  Edit->SetSel(1, 5);
  Pump();
  const int Block = (Edit->XFromChar(1) + Edit->XFromChar(3)) / 2;
  const int Blanks = (Edit->XFromChar(3) + Edit->XFromChar(5)) / 2;
  const int Y = Edit->ClientHeight() / 2;
  // Not focused: no highlight.
  EXPECT_EQ(ClientPixel(Block, Y), PixelOf(clWindowText));
  EXPECT_EQ(ClientPixel(Blanks, Y), PixelOf(clWindow));
  Edit->SetFocus();
  Pump();
  EXPECT_EQ(Edit->SelLength(), 6);  // the focus from the program selects all
  Edit->SetSel(1, 5);
  Pump();
  EXPECT_EQ(ClientPixel(Block, Y), PixelOf(clHighlightText));
  EXPECT_EQ(ClientPixel(Blanks, Y), PixelOf(clHighlight));
  Other->SetFocus();
  Pump();
  EXPECT_EQ(ClientPixel(Blanks, Y), PixelOf(clWindow));
  Edit->SetHideSelection(false);
  Pump();
  EXPECT_EQ(ClientPixel(Block, Y), PixelOf(clHighlightText));
  EXPECT_EQ(ClientPixel(Blanks, Y), PixelOf(clHighlight));
}

TEST_F(EditPaintTest, DisabledTextIsGrey) {
  Edit->SetText(kBlock);
  Pump();
  const int Middle = (Edit->XFromChar(0) + Edit->XFromChar(2)) / 2;
  const int Y = Edit->ClientHeight() / 2;
  EXPECT_EQ(ClientPixel(Middle, Y), PixelOf(clWindowText));
  Edit->SetEnabled(false);
  Pump();
  EXPECT_EQ(ClientPixel(Middle, Y), PixelOf(clGrayText));
}

TEST_F(EditPaintTest, CaretBlinksAtTheCaretPosition) {
  Edit->SetText("ab");
  Edit->SetFocus();
  Pump();
  Key(VK_END);
  const TPoint O = Origin();
  const int X = O.X + Edit->XFromChar(2), Y = O.Y + Edit->ClientHeight() / 2;
  const std::uint32_t Inverted = ~PixelOf(clWindow) & 0xFFFFFF;
  EXPECT_EQ(Shown(Form, X, Y) & 0xFFFFFF, Inverted);
  EXPECT_EQ(Shown(Form, X + 1, Y) & 0xFFFFFF, PixelOf(clWindow));
  Wait(GetCaretBlinkTime());
  EXPECT_EQ(Shown(Form, X, Y) & 0xFFFFFF, PixelOf(clWindow));
  Wait(GetCaretBlinkTime());
  EXPECT_EQ(Shown(Form, X, Y) & 0xFFFFFF, Inverted);
}

TEST_F(EditPaintTest, NothingPaintsWhileRedrawIsOff) {
  Edit->SetFocus();
  Pump();
  Edit->Perform(WM_SETREDRAW, 0, 0);
  Edit->SetText(kBlock);
  Edit->Invalidate();
  Pump();
  EXPECT_FALSE(Edit->Redrawing());
  EXPECT_GE(Ink().Left, Ink().Right);  // still empty
  Edit->Perform(WM_SETREDRAW, 1, 0);
  Pump();
  EXPECT_LT(Ink().Left, Ink().Right);
}

}  // namespace
