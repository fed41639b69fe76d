// How the list box draws: the owner-draw dispatch prepares the canvas
// (font, brush, highlight colours of the selected row) and inverts the focus
// rectangle after DrawItem; plain rows; TListBox read from a layout.

#include <gtest/gtest.h>

#include "framework/stdctrls/ListBoxTestSupport.h"
#include "framework/stdctrls/StdCtrlsTestSupport.h"
#include "platform/PixelAssert.h"
#include "platform/gdi/FrameControls.h"

using namespace listboxtest;

namespace {

// Rows 4 pixels high that only fill themselves with the canvas's brush, or
// also draw their own focus frame as the site picker's rows do.
class TFillingList : public TCustomListBox {
public:
  explicit TFillingList(TComponent* AOwner) : TCustomListBox(AOwner) {
    SetStyle(lbOwnerDrawFixed);
    SetItemHeight(4);
    SetBorderStyle(bsNone);
  }
  bool OwnFocusFrame = false;

protected:
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override {
    Canvas()->FillRect(Rect);
    if (OwnFocusFrame && (State & odFocused)) Canvas()->DrawFocusRect(Rect);
  }
};

class ListBoxDrawTest : public TListBoxFixture {
protected:
  TFillingList* MakeFillingList() {
    Form = MakeForm<TNotifiedForm>();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(100, 100, 60, 40);
    auto* L = new TFillingList(Form);
    L->SetBounds(10, 10, 6, 14);
    L->SetColor(clYellow);
    L->SetParent(Form);
    for (const char* S : {"a", "b", "c"}) L->Items()->Add(S);
    // Another control to give the focus to.
    Other = new TFillingList(Form);
    Other->SetBounds(30, 10, 6, 14);
    Other->SetParent(Form);
    Form->Show();
    Pump();
    return L;
  }
  const TSurface& Surface() { return *System.BackBufferOf(Form->Handle()); }
  TFillingList* Other = nullptr;
};

const TPixelLegend kLegend{
    {'Y', clYellow}, {'H', clHighlight}, {'I', TColor(0x0066CC)}};  // I: highlight inverted

TEST_F(ListBoxDrawTest, TheFocusFrameIsInvertedOnTheSelectedRowAfterItIsDrawn) {
  TFillingList* L = MakeFillingList();
  L->SetItemIndex(1);
  L->SetFocus();
  Pump();
  ExpectPixels(Surface(), TPoint{10, 10},
               {
                   "YYYYYY",
                   "YYYYYY",
                   "YYYYYY",
                   "YYYYYY",
                   "IHIHIH",  // row 1: highlight, the dotted frame inverted on it
                   "HHHHHI",
                   "IHHHHH",
                   "HIHIHI",
                   "YYYYYY",
                   "YYYYYY",
                   "YYYYYY",
                   "YYYYYY",
                   "YYYYYY",  // under the last row: the background in the list's colour
                   "YYYYYY",
               },
               kLegend);
}

TEST_F(ListBoxDrawTest, ARowThatDrawsItsOwnFocusFrameCancelsTheDispatchs) {
  TFillingList* L = MakeFillingList();
  L->OwnFocusFrame = true;
  L->SetItemIndex(2);
  L->SetFocus();
  Pump();
  ExpectPixels(Surface(), TPoint{10, 14},
               {
                   "YYYYYY",
                   "YYYYYY",
                   "YYYYYY",
                   "YYYYYY",
                   "HHHHHH",
                   "HHHHHH",
                   "HHHHHH",
                   "HHHHHH",
               },
               kLegend);
}

TEST_F(ListBoxDrawTest, WithoutTheFocusNoFrameAndTheFocusLeavesWithIt) {
  TFillingList* L = MakeFillingList();
  // Showing the form gave the list the focus first.
  Other->SetFocus();
  L->SetItemIndex(0);
  Pump();
  ExpectPixels(Surface(), TPoint{10, 10}, {"HHHHHH", "HHHHHH", "HHHHHH", "HHHHHH", "YYYYYY"},
               kLegend);
  L->SetFocus();
  Pump();
  ExpectPixels(Surface(), TPoint{10, 10}, {"IHIHIH", "HHHHHI"}, kLegend);
  Other->SetFocus();
  Pump();
  ExpectPixels(Surface(), TPoint{10, 10}, {"HHHHHH", "HHHHHH"}, kLegend);
}

TEST_F(ListBoxDrawTest, TheDispatchPreparesFontAndBrushForEachRow) {
  MakeList();
  List->SetColor(clYellow);
  List->Font()->SetColor(clRed);
  List->SetItemIndex(1);
  List->SetFocus();
  Pump();
  List->Drawn.clear();
  List->Repaint();
  ASSERT_EQ(List->Drawn.size(), 4u);  // rows 0 to 3 fill the 100 pixels
  const auto& Row0 = List->Drawn[0];
  EXPECT_EQ(Row0.Index, 0);
  EXPECT_EQ(Row0.Rect, (TRect{0, 0, 103, 20}));
  EXPECT_EQ(Row0.State, 0u);
  EXPECT_EQ(Row0.BrushColor, clYellow);
  EXPECT_EQ(Row0.FontColor, clRed);
  const auto& Row1 = List->Drawn[1];
  EXPECT_EQ(Row1.Rect, (TRect{0, 20, 103, 50}));
  EXPECT_EQ(Row1.State, TOwnerDrawState(odSelected | odFocused));
  EXPECT_EQ(Row1.BrushColor, clHighlight);
  EXPECT_EQ(Row1.FontColor, clHighlightText);
  // The next row starts from the control's own font and colour again.
  EXPECT_EQ(List->Drawn[2].BrushColor, clYellow);
  EXPECT_EQ(List->Drawn[2].FontColor, clRed);

  // Scrolled: the rows drawn start at the top row.
  List->SetTopIndex(5);
  List->Drawn.clear();
  List->Repaint();
  ASSERT_FALSE(List->Drawn.empty());
  EXPECT_EQ(List->Drawn[0].Index, 5);
  EXPECT_EQ(List->Drawn[0].Rect, (TRect{0, 0, 103, 15}));
}

TEST_F(ListBoxDrawTest, PlainRowsFillWithTheirColours) {
  MakeList();
  List->SetStyle(lbStandard);
  List->SetColor(clYellow);
  List->SetItemIndex(1);
  Pump();
  const int H = List->RowHeight(0);
  const TRect Row1 = List->ItemRect(1);
  ASSERT_EQ(Row1.Top, H);
  // Right of the text: the row's background.
  EXPECT_EQ(Painted(Form, 10 + 100, 10 + 1), PixelOf(clYellow));
  EXPECT_EQ(Painted(Form, 10 + 100, 10 + H + 1), PixelOf(clHighlight));
  EXPECT_EQ(Painted(Form, 10 + 100, 10 + 2 * H + 1), PixelOf(clYellow));
}

TEST_F(ListBoxDrawTest, OnDrawItemAndOnMeasureItemServeAPlainListBox) {
  Form = MakeForm<TNotifiedForm>();
  Form->SetBorderStyle(bsNone);
  Form->SetBounds(100, 100, 200, 200);
  auto* L = new TListBox(Form);
  L->SetStyle(lbOwnerDrawVariable);
  L->SetBounds(0, 0, 100, 100);
  L->SetParent(Form);
  std::vector<std::pair<int, TRect>> Calls;
  L->OnMeasureItem = [](TWinControl*, int Index, int& Height) { Height = 10 + Index; };
  L->OnDrawItem = [&](TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState) {
    EXPECT_EQ(Control, L);
    Calls.emplace_back(Index, Rect);
  };
  Form->Show();
  Pump();
  L->Items()->Add("a");
  L->Items()->Add("b");
  Pump();
  ASSERT_EQ(Calls.size(), 2u);
  // The sunken edge takes 2 pixels on each side.
  EXPECT_EQ(Calls[1], std::make_pair(1, TRect{0, 10, 96, 21}));
}

TEST_F(ListBoxDrawTest, AListBoxIsReadFromALayout) {
  stocktest::RegisterStockTestClasses();
  auto* F = MakeForm<stocktest::TStockForm>();
  F->ReadLayoutText(R"(
object Form1: TStockForm
  Left = 0
  Top = 0
  ClientWidth = 200
  ClientHeight = 150
  BorderStyle = bsNone
  object List1: TListBox
    Left = 8
    Top = 8
    Width = 120
    Height = 90
    ItemHeight = 18
    Items.Strings = (
      'One'
      'Two')
    Style = lbOwnerDrawFixed
    TabOrder = 0
  end
end
)");
  F->AfterConstruction();
  TListBox* L = nullptr;
  F->BindComponent(L, "List1");
  ASSERT_NE(L, nullptr);
  F->Show();
  Pump();
  EXPECT_EQ(L->Style(), lbOwnerDrawFixed);
  EXPECT_EQ(L->ItemHeight(), 18);
  EXPECT_EQ(L->Count(), 2);
  EXPECT_EQ(L->Items()->Strings(1), "Two");
  EXPECT_EQ(L->ItemRect(1), (TRect{0, 18, 116, 36}));
}

}  // namespace
