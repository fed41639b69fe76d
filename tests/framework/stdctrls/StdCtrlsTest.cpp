// TLabel: alignment, transparency over its parent, the access key
// underline, the disabled look, auto-sizing and reading from a layout.

#include <gtest/gtest.h>

#include "framework/stdctrls/StdCtrlsTestSupport.h"
#include "platform/PixelAssert.h"

using namespace stocktest;

namespace {

constexpr const char* kLayout =
    u8R"(
object Form1: TStockForm
  Left = 100
  Top = 100
  ClientWidth = 240
  ClientHeight = 60
  BorderStyle = bsNone
  Color = clNavy
  object Label1: TLabel
    Left = 8
    Top = 12
    Width = 55
    Height = 12
    Alignment = taRightJustify
    Caption = '検索ｻｲﾄ ：'
    Font.Color = clWhite
    ParentFont = False
    Transparent = True
  end
  object Right: TLabel
    Left = 100
    Top = 10
    Width = 80
    Height = 14
    Alignment = taRightJustify
    AutoSize = False
    Caption = 'Ab'
    Font.Color = clWhite
    ParentFont = False
    Transparent = True
  end
  object Opaque: TLabel
    Left = 100
    Top = 30
    Width = 80
    Height = 14
    AutoSize = False
    Caption = 'Ab'
    Color = clYellow
    Font.Color = clBlack
    ParentFont = False
  end
end
)";

class LabelTest : public THeadlessFixture {
protected:
  void SetUp() override {
    RegisterStockTestClasses();
    Form = MakeForm<TStockForm>();
    Form->ReadLayoutText(kLayout);
    Form->AfterConstruction();
    Form->BindComponent(Label1, "Label1");
    Form->BindComponent(Right, "Right");
    Form->BindComponent(Opaque, "Opaque");
    Form->Show();
    Pump();
  }
  const TSurface& Surface() { return *System.BackBufferOf(Form->Handle()); }
  int TextWidth(const std::string& Text, unsigned Flags = 0) {
    TRect R{0, 0, 0, 0};
    Form->Canvas()->SetFont(Label1->Font());
    Form->Canvas()->DrawText(Text, R, DT_CALCRECT | DT_SINGLELINE | Flags);
    return R.Width();
  }

  TStockForm* Form = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Right = nullptr;
  TLabel* Opaque = nullptr;
};

TEST_F(LabelTest, ReadFromTheLayout) {
  EXPECT_EQ(Label1->Alignment(), taRightJustify);
  EXPECT_TRUE(Label1->Transparent());
  EXPECT_EQ(Label1->Font()->Color(), clWhite);
  EXPECT_EQ(Label1->Caption(), "検索ｻｲﾄ ：");
  EXPECT_FALSE(Opaque->Transparent());
  EXPECT_EQ(Opaque->Color(), clYellow);
}

TEST_F(LabelTest, AutoSizeFitsTheCaptionAndKeepsTheRightEdgeOfARightAlignedLabel) {
  EXPECT_EQ(Label1->Width(), TextWidth("検索ｻｲﾄ ："));
  EXPECT_EQ(Label1->Height(), 12);
  EXPECT_EQ(Label1->Left() + Label1->Width(), 63);
  Label1->SetCaption("ｷｰﾜｰﾄﾞ ：");
  EXPECT_EQ(Label1->Width(), TextWidth("ｷｰﾜｰﾄﾞ ："));
  EXPECT_EQ(Label1->Left() + Label1->Width(), 63);
  // Left-aligned labels grow to the right.
  Label1->SetAlignment(taLeftJustify);
  const int Left = Label1->Left();
  Label1->SetCaption("検索ｻｲﾄ ：");
  EXPECT_EQ(Label1->Left(), Left);
}

TEST_F(LabelTest, TransparentRightAlignedTextOverTheParentBackground) {
  const TRect Area = Right->BoundsRect();
  const TRect Ink = InkBox(Surface(), Area, PixelOf(clNavy));
  ASSERT_FALSE(Ink.IsEmpty());
  const int Width = TextWidth("Ab");
  // Right-aligned: the ink ends at the right edge and begins no earlier
  // than the text's width before it.
  EXPECT_GE(Ink.Left, Area.Right - Width - 1);
  EXPECT_LE(Ink.Right, Area.Right);
  EXPECT_GE(Ink.Right, Area.Right - 2);
  // Around the glyphs the parent shows: the left part is all background.
  EXPECT_EQ(
      CountPixels(Surface(), TRect{Area.Left, Area.Top, Ink.Left, Area.Bottom}, PixelOf(clNavy)),
      (Ink.Left - Area.Left) * Area.Height());
  // Glyphs are blended: their cores are near the white of the font.
  int Light = 0;
  for (int Y = Ink.Top; Y < Ink.Bottom; ++Y)
    for (int X = Ink.Left; X < Ink.Right; ++X) Light += (Surface().Row(Y)[X] & 0xFF0000) > 0xC00000;
  EXPECT_GT(Light, 5);
  EXPECT_EQ(CountPixels(Surface(), Area, PixelOf(clBtnFace)), 0);
}

TEST_F(LabelTest, OpaqueLabelFillsItsRectangleWithItsColour) {
  const TRect Area = Opaque->BoundsRect();
  const TRect Ink = InkBox(Surface(), Area, PixelOf(clYellow));
  ASSERT_FALSE(Ink.IsEmpty());
  EXPECT_EQ(Ink.Left, Area.Left + (Ink.Left - Area.Left));  // left-aligned...
  EXPECT_LE(Ink.Left, Area.Left + 1);                       // ...from the left edge
  EXPECT_EQ(CountPixels(Surface(), Area, PixelOf(clNavy)), 0);
  EXPECT_GT(CountPixels(Surface(), Area, PixelOf(clYellow)), Area.Width() * Area.Height() / 2);
}

TEST_F(LabelTest, AccessKeyIsUnderlinedUnlessShowAccelCharIsOff) {
  Opaque->SetCaption("Ab");
  Pump();
  const TSurface Plain = Surface();
  Opaque->SetCaption("&Ab");
  Pump();
  const TSurface& Marked = Surface();
  const TRect Area = Opaque->BoundsRect();
  int Row = -1, Count = 0, First = -1, Last = -1;
  for (int Y = Area.Top; Y < Area.Bottom; ++Y)
    for (int X = Area.Left; X < Area.Right; ++X)
      if (Plain.Row(Y)[X] != Marked.Row(Y)[X]) {
        if (Row < 0) Row = Y, First = X;
        EXPECT_EQ(Y, Row) << "only the underline differs";
        EXPECT_EQ(Marked.Row(Y)[X] & 0xFFFFFF, PixelOf(clBlack));
        Last = X;
        ++Count;
      }
  ASSERT_GT(Count, 2);
  EXPECT_EQ(Count, Last - First + 1);
  EXPECT_EQ(First, Area.Left);
  EXPECT_LE(Last - First + 1, TextWidth("A"));
  // Without access keys the "&" is drawn as it is.
  Opaque->SetShowAccelChar(false);
  Pump();
  EXPECT_GT(InkBox(Surface(), Area, PixelOf(clYellow)).Width(), TextWidth("Ab"));
}

TEST_F(LabelTest, DisabledLabelIsEmbossed) {
  const TRect Area = Opaque->BoundsRect();
  const TRect Enabled = InkBox(Surface(), Area, PixelOf(clYellow));
  Opaque->SetEnabled(false);
  Pump();
  // A light copy one pixel down and right under a grey one: the ink grows
  // by a pixel that way, and nothing is as dark as the black font.
  const TRect Disabled = InkBox(Surface(), Area, PixelOf(clYellow));
  EXPECT_EQ(Disabled, (TRect{Enabled.Left, Enabled.Top, Enabled.Right + 1, Enabled.Bottom + 1}));
  int Dark = 0, Bluish = 0;
  for (int Y = Area.Top; Y < Area.Bottom; ++Y)
    for (int X = Area.Left; X < Area.Right; ++X) {
      const std::uint32_t P = Surface().Row(Y)[X];
      Dark += ((P >> 16) & 0xFF) < 0x90;
      Bluish += (P & 0xFF) > 0x80;  // yellow has no blue; white and grey do
    }
  EXPECT_EQ(Dark, 0);
  EXPECT_GT(Bluish, 5);
}

TEST_F(LabelTest, BecomingOpaqueRepaintsWithTheColour) {
  Right->SetColor(clRed);
  Right->SetTransparent(false);
  Pump();
  EXPECT_EQ(CountPixels(Surface(), Right->BoundsRect(), PixelOf(clNavy)), 0);
  Right->SetTransparent(true);
  Pump();
  EXPECT_EQ(CountPixels(Surface(), Right->BoundsRect(), PixelOf(clRed)), 0);
}

TEST_F(LabelTest, CentredAndBottomLayout) {
  Opaque->SetAlignment(taCenter);
  Opaque->SetHeight(30);
  Opaque->SetLayout(tlBottom);
  Pump();
  const TRect Area = Opaque->BoundsRect();
  const TRect Ink = InkBox(Surface(), Area, PixelOf(clYellow));
  const int Width = TextWidth("Ab");
  EXPECT_NEAR(Ink.Left - Area.Left, (Area.Width() - Width) / 2, 1);
  EXPECT_GT(Ink.Top, Area.Top + 15);
  EXPECT_LE(Ink.Bottom, Area.Bottom);
}

TEST_F(LabelTest, AccessKeyFocusesTheFocusControl) {
  auto* Edit = new TWinControl(Form);
  Edit->SetParent(Form);
  Edit->SetBounds(10, 40, 50, 16);
  Edit->SetTabStop(true);
  Opaque->SetCaption("&Name");
  Opaque->SetFocusControl(Edit);
  Pump();
  EXPECT_EQ(Opaque->Perform(CM_DIALOGCHAR, 'n', 0), 1);
  EXPECT_TRUE(Edit->Focused());
  EXPECT_EQ(Opaque->Perform(CM_DIALOGCHAR, 'x', 0), 0);
  delete Edit;
  EXPECT_EQ(Opaque->FocusControl(), nullptr);
}

TEST(LabelAccel, MatchesTheAccessKeyIgnoringCase) {
  EXPECT_TRUE(IsAccel('d', "検索履歴を削除する(&D)"));
  EXPECT_TRUE(IsAccel('D', "検索履歴を削除する(&D)"));
  EXPECT_FALSE(IsAccel('e', "検索履歴を削除する(&D)"));
  EXPECT_FALSE(IsAccel('&', "a && b"));
  EXPECT_FALSE(IsAccel(0x8C9F, "&検索"));
}

}  // namespace
