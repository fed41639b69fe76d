// The input method's composition inside TEdit, injected through the
// headless backend as an input method composing on the spot would: drawn at
// the caret with its underlines, kept out of Text until committed, dropped
// when the focus leaves, and the input method told where the caret is.

#include <gtest/gtest.h>

#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/StdCtrlsTestSupport.h"
#include "platform/PixelAssert.h"

using namespace stocktest;

namespace {

// A full block: every pixel inside its ink box has the text colour, so the
// underlines below it are easy to tell apart.
constexpr const char* kBlock = "■";

class EditCompositionTest : public THeadlessFixture {
protected:
  void SetUp() override {
    Form = MakeForm<TForm>();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(100, 100, 240, 60);
    Form->SetColor(clBtnFace);
    Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(10, 10, 120, 21);
    Edit->OnChange = [this](TObject*) { Changes.push_back(Edit->Text()); };
    Other = new TEdit(Form);
    Other->SetParent(Form);
    Other->SetBounds(140, 10, 80, 21);
    Form->Show();
    Edit->SetFocus();
    Pump();
    // Measured apart from the edit: the font's own advance and height.
    TCanvas C;
    C.SetHandle(GetDC(nullptr));
    C.SetFont(Edit->Font());
    BlockWidth = C.TextWidth(kBlock);
    LineHeight = C.TextHeight("0");
    ReleaseDC(nullptr, C.Handle());
    C.SetHandle(nullptr);
  }
  TPoint Origin(TCustomEdit* E) const {
    const TPoint P = E->ClientOrigin(), F = Form->ClientOrigin();
    return TPoint{P.X - F.X, P.Y - F.Y};
  }
  const TSurface& Surface() const { return *System.BackBufferOf(Form->Handle()); }
  TRect ClientArea(TCustomEdit* E) const {
    const TPoint O = Origin(E);
    return Bounds(O.X, O.Y, E->ClientWidth(), E->ClientHeight());
  }
  TRect Ink(TCustomEdit* E) { return InkBox(Surface(), ClientArea(E), PixelOf(clWindow)); }
  int TextTop() const { return (Edit->ClientHeight() - LineHeight) / 2; }

  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
  TEdit* Other = nullptr;
  std::vector<std::string> Changes;
  int BlockWidth = 0;
  int LineHeight = 0;
};

TEST_F(EditCompositionTest, ClausesAreUnderlinedThinAndTheTargetThickWhileTextStaysEmpty) {
  ASSERT_GT(BlockWidth, 3);
  // Three clauses: converted, the target being converted, still typed.
  Display.StartComposition();
  Display.Compose(
      std::string(kBlock) + kBlock + kBlock,
      {caConverted, caConverted, caTargetConverted, caTargetConverted, caInput, caInput}, 6);
  Pump();
  EXPECT_EQ(Edit->Text(), "");
  EXPECT_TRUE(Changes.empty());

  // The underlines, on the two rows below the text line, from the text's
  // first column (one pixel of margin) on; each stops a pixel short of the
  // next clause. '?' is the blocks' ink above.
  const int W = BlockWidth;
  const std::string Gap = ".";
  const std::string Thin = std::string(W - 1, '#') + Gap;
  const std::string None = std::string(W, '.');
  const TPoint O = Origin(Edit);
  const int Y = TextTop() + LineHeight;
  ExpectPixels(Surface(), TPoint{O.X, O.Y + Y},
               {
                   "." + Thin + Thin + Thin + "....",  // thin, thick, thin
                   "." + None + Thin + None + "....",  // the thick one's second row
                   "." + None + None + None + "....",
               },
               {{'#', clWindowText}, {'.', clWindow}});
  // The blocks themselves in the text colour, side by side from column 1.
  const int Middle = O.Y + TextTop() + LineHeight / 2;
  for (int I = 0; I < 3; ++I)
    EXPECT_EQ(Surface().Row(Middle)[O.X + 1 + I * W + W / 2] & 0xFFFFFF, PixelOf(clWindowText));
  // The caret (and the input method's spot) at the composition's cursor.
  TPoint Caret;
  ASSERT_TRUE(GetCaretPos(Caret));
  EXPECT_EQ(Caret.X, 1 + 3 * W);
  EXPECT_EQ(NativeOf(Form)->InputSpot.Left, O.X + 1 + 3 * W);
  EXPECT_EQ(NativeOf(Form)->InputSpot.Top, O.Y + TextTop());

  // The commit is typed text: it goes in and fires OnChange; the end
  // leaves no underline behind.
  Display.EndComposition("東京");
  Pump();
  EXPECT_EQ(Edit->Text(), "東京");
  ASSERT_FALSE(Changes.empty());
  EXPECT_EQ(Changes.back(), "東京");
  EXPECT_EQ(Edit->SelStart(), 4);
  const TRect Text = Ink(Edit);
  EXPECT_LE(Text.Bottom, O.Y + TextTop() + LineHeight);
}

TEST_F(EditCompositionTest, CursorInsideTheCompositionPlacesTheCaretAndTheSpot) {
  Edit->SetText("ab");
  Edit->SetSelStart(1);
  Pump();
  const int AWidth = Edit->XFromChar(1) - Edit->XFromChar(0);
  const int BWidth = Edit->XFromChar(2) - Edit->XFromChar(1);
  Display.StartComposition();
  Display.Compose(std::string(kBlock) + kBlock, {}, 2);  // after the first block
  Pump();
  TPoint Caret;
  ASSERT_TRUE(GetCaretPos(Caret));
  EXPECT_EQ(Caret.X, 1 + AWidth + BlockWidth);
  // What follows the caret moves right by the composition's width: the
  // ink of "b" ends where the composition's and its own widths end.
  EXPECT_EQ(Edit->XFromChar(2), 1 + AWidth + 2 * BlockWidth + BWidth);
  const TRect Shown = Ink(Edit);
  EXPECT_GT(Shown.Right - Origin(Edit).X, 1 + AWidth + 2 * BlockWidth);
  EXPECT_LE(Shown.Right - Origin(Edit).X, 1 + AWidth + 2 * BlockWidth + BWidth);
  EXPECT_EQ(Edit->Text(), "ab");
}

TEST_F(EditCompositionTest, LongCompositionScrollsTheTextLikeTypedText) {
  std::string Long;
  for (int I = 0; I < 20; ++I) Long += kBlock;
  Display.StartComposition();
  Display.Compose(Long);
  Pump();
  EXPECT_EQ(Edit->Text(), "");
  EXPECT_GT(Edit->ScrollOffset(), 0);
  // Scrolled just far enough: the caret on the last column but one.
  TPoint Caret;
  ASSERT_TRUE(GetCaretPos(Caret));
  EXPECT_EQ(Caret.X, Edit->ClientWidth() - 2);
  EXPECT_EQ(Edit->ScrollOffset(), 20 * BlockWidth - (Edit->ClientWidth() - 3));
  // Ending it without a commit scrolls back.
  Display.EndComposition();
  Pump();
  EXPECT_EQ(Edit->ScrollOffset(), 0);
  EXPECT_TRUE(Ink(Edit).IsEmpty());
}

TEST_F(EditCompositionTest, CompositionCoversTheSelectionThatTheCommitReplaces) {
  Edit->SetText(std::string("a") + kBlock + "c");
  Edit->SetSel(1, 3);
  Pump();
  Display.StartComposition();
  Display.Compose("x");
  Pump();
  // The selected block is not shown while "x" is composed in its place.
  const TPoint O = Origin(Edit);
  const int Middle = O.Y + TextTop() + LineHeight / 2;
  const int XWidth = Edit->XFromChar(3) - Edit->XFromChar(1);
  EXPECT_LT(XWidth, BlockWidth);
  EXPECT_EQ(Edit->Text(), std::string("a") + kBlock + "c");
  EXPECT_EQ(
      CountPixels(Surface(), Bounds(O.X, Middle, Edit->ClientWidth(), 1), PixelOf(clHighlight)), 0);
  Display.EndComposition("x");
  Pump();
  EXPECT_EQ(Edit->Text(), "axc");
}

TEST_F(EditCompositionTest, FocusLeavingDropsTheCompositionAndLateUpdatesShowNowhere) {
  Display.StartComposition();
  Display.Compose(std::string(kBlock) + kBlock);
  Pump();
  ASSERT_FALSE(Ink(Edit).IsEmpty());
  const int ResetsBefore = NativeOf(Form)->CompositionResets;
  Other->SetFocus();
  Pump();
  EXPECT_EQ(NativeOf(Form)->CompositionResets, ResetsBefore + 1);
  EXPECT_TRUE(Ink(Edit).IsEmpty());
  EXPECT_EQ(Edit->Text(), "");
  EXPECT_TRUE(Changes.empty());
  // The input method's end of it, already on its way, changes nothing.
  Display.Compose("");
  Display.EndComposition();
  Pump();
  EXPECT_TRUE(Ink(Other).IsEmpty());
  EXPECT_EQ(Other->Text(), "");
}

TEST_F(EditCompositionTest, PressInTheEditCommitsTheCompositionWhereItStands) {
  Edit->SetText("ab");
  Edit->SetSelStart(1);
  Pump();
  Display.StartComposition();
  Display.Compose(kBlock);
  Pump();
  ClickAt(Edit, Edit->ClientWidth() - 3, Edit->ClientHeight() / 2);
  EXPECT_EQ(Edit->Text(), std::string("a") + kBlock + "b");
  EXPECT_EQ(Edit->SelStart(), int(Edit->Text().size()));  // the press put the caret at the end
  EXPECT_EQ(Changes.back(), Edit->Text());
}

TEST_F(EditCompositionTest, ReadOnlyEditShowsNoComposition) {
  Edit->SetReadOnly(true);
  Display.StartComposition();
  Display.Compose(kBlock);
  Pump();
  EXPECT_TRUE(Ink(Edit).IsEmpty());
  Display.EndComposition(kBlock);
  Pump();
  EXPECT_EQ(Edit->Text(), "");
}

TEST_F(EditCompositionTest, TheInputMethodLearnsTheFontAndFollowsTheFocus) {
  const int Asked = Edit->Font()->LogFont().Height;
  EXPECT_EQ(NativeOf(Form)->InputFontHeight, Asked ? std::abs(Asked) : 12);
  Other->Font()->SetHeight(-20);
  Other->SetFocus();
  Pump();
  EXPECT_EQ(NativeOf(Form)->InputFontHeight, 20);
  EXPECT_EQ(NativeOf(Form)->InputSpot.Left, Origin(Other).X + 1);
}

}  // namespace
