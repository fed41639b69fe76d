// The list box as a user meets it: rows of their own heights measured once,
// where rows lie and which row is under a point as the list scrolls, the
// selection following clicks, drags and keys, the wheel and the scroll bar,
// keys a subclass takes for itself, and what the parent is told.

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/stdctrls/ListBoxTestSupport.h"

using namespace listboxtest;

namespace {

class ListBoxTest : public TListBoxFixture {};

// ---- measuring ------------------------------------------------------------------------

TEST_F(ListBoxTest, EachAddedRowIsMeasuredOnceWhenAdded) {
  MakeList();
  std::vector<int> Expected(12);
  for (int I = 0; I < 12; ++I) Expected[std::size_t(I)] = I;
  EXPECT_EQ(List->Measured, Expected);
  for (int I = 0; I < 12; ++I) EXPECT_EQ(List->RowHeight(I), RowHeights()[std::size_t(I)]) << I;

  // Painting, scrolling and selecting measure nothing again.
  List->Measured.clear();
  List->SetTopIndex(5);
  List->SetItemIndex(9);
  List->Repaint();
  Pump();
  EXPECT_TRUE(List->Measured.empty());

  // An inserted row is measured alone; the rows after it keep their heights.
  List->Items()->InsertObject(2, "New", 33);
  EXPECT_EQ(List->Measured, std::vector<int>{2});
  EXPECT_EQ(List->RowHeight(2), 33);
  EXPECT_EQ(List->RowHeight(3), 10);
  EXPECT_EQ(List->RowHeight(12), 15);
}

TEST_F(ListBoxTest, RowsAddedBeforeTheWindowAreMeasuredOnceWhenItIsMade) {
  MakeList(/*AddBeforeShowing=*/true);
  std::vector<int> Expected(12);
  for (int I = 0; I < 12; ++I) Expected[std::size_t(I)] = I;
  EXPECT_EQ(List->Measured, Expected);
  EXPECT_EQ(List->RowHeight(3), 40);
}

TEST_F(ListBoxTest, FixedAndStandardRowsTakeOneHeight) {
  MakeList();
  List->SetStyle(lbOwnerDrawFixed);
  List->SetItemHeight(18);
  Pump();
  EXPECT_EQ(List->RowHeight(0), 18);
  EXPECT_EQ(List->RowHeight(3), 18);
  EXPECT_EQ(List->ItemRect(2), (TRect{0, 36, 103, 54}));
  List->SetStyle(lbStandard);
  Pump();
  // A plain row is as high as the font's text.
  TCanvas* C = List->Canvas();
  C->SetFont(List->Font());
  EXPECT_EQ(List->RowHeight(5), C->TextHeight("Wg"));
}

// ---- geometry across scrolling --------------------------------------------------------

struct TPosCase {
  int Top;
  TPoint Point;
  bool Existing;
  int Expected;
};

class ListBoxItemAtPos : public TListBoxFixture, public ::testing::WithParamInterface<TPosCase> {};

TEST_P(ListBoxItemAtPos, FindsTheRowUnderThePoint) {
  MakeList();
  const TPosCase& C = GetParam();
  List->SetTopIndex(C.Top);
  ASSERT_EQ(List->TopIndex(), C.Top);
  EXPECT_EQ(List->ItemAtPos(C.Point, C.Existing), C.Expected);
}

// Heights 20 30 10 40 25 15 20 30 10 40 25 15; the client area is 103 x 100;
// the furthest top row is 8 (rows 8 to 11 take 90 pixels).
INSTANTIATE_TEST_SUITE_P(
    Rows, ListBoxItemAtPos,
    ::testing::Values(TPosCase{0, {5, 0}, true, 0}, TPosCase{0, {5, 19}, true, 0},
                      TPosCase{0, {5, 20}, true, 1}, TPosCase{0, {102, 55}, true, 2},
                      TPosCase{0, {5, 99}, true, 3}, TPosCase{3, {5, 0}, true, 3},
                      TPosCase{3, {5, 45}, true, 4}, TPosCase{3, {5, 99}, true, 6},
                      TPosCase{8, {5, 89}, true, 11},
                      // The space under the last row.
                      TPosCase{8, {5, 90}, true, -1}, TPosCase{8, {5, 90}, false, 12},
                      TPosCase{8, {5, 99}, false, 12},
                      // Outside the client area, with or without that space.
                      TPosCase{0, {103, 10}, false, -1}, TPosCase{0, {5, 100}, false, -1},
                      TPosCase{0, {-1, 10}, true, -1}, TPosCase{8, {5, -1}, false, -1}));

TEST_F(ListBoxTest, ItemRectFollowsTheTopRow) {
  MakeList();
  EXPECT_EQ(List->ItemRect(0), (TRect{0, 0, 103, 20}));
  EXPECT_EQ(List->ItemRect(3), (TRect{0, 60, 103, 100}));
  EXPECT_EQ(List->ItemRect(4), (TRect{0, 100, 103, 125}));
  List->SetTopIndex(3);
  EXPECT_EQ(List->ItemRect(3), (TRect{0, 0, 103, 40}));
  // Rows above the top lie above the client area.
  EXPECT_EQ(List->ItemRect(1), (TRect{0, -40, 103, -10}));
  EXPECT_EQ(List->ItemRect(0), (TRect{0, -60, 103, -40}));
  // The row count answers the last row moved down by its own height.
  List->SetTopIndex(100);
  EXPECT_EQ(List->TopIndex(), 8);
  EXPECT_EQ(List->ItemRect(11), (TRect{0, 75, 103, 90}));
  EXPECT_EQ(List->ItemRect(12), (TRect{0, 90, 103, 105}));
  EXPECT_EQ(List->ItemRect(13), (TRect{}));
  EXPECT_EQ(List->ItemRect(-1), (TRect{}));
}

TEST_F(ListBoxTest, SettingTheSelectionScrollsItIntoView) {
  MakeList();
  List->SetItemIndex(5);
  // The top row moves just enough: rows 2 to 5 take 90 pixels, 1 to 5 120.
  EXPECT_EQ(List->TopIndex(), 2);
  EXPECT_EQ(List->ItemRect(5).Bottom, 90);
  List->SetItemIndex(0);
  EXPECT_EQ(List->TopIndex(), 0);
  List->SetItemIndex(12);
  EXPECT_EQ(List->ItemIndex(), -1);
  EXPECT_TRUE(Form->Commands.empty());  // set in code: nobody is told
}

// ---- mouse ----------------------------------------------------------------------------

TEST_F(ListBoxTest, AClickSelectsTheRowAndTellsTheParentOnRelease) {
  MakeList();
  int Clicks = 0;
  List->OnClick = [&](TObject*) { ++Clicks; };
  PressAt(List, 30, 55);  // row 2
  EXPECT_EQ(List->ItemIndex(), 2);
  EXPECT_EQ(GetCapture(), List->Handle());
  EXPECT_TRUE(List->Focused());
  EXPECT_TRUE(Form->Commands.empty());
  Release();
  EXPECT_EQ(GetCapture(), nullptr);
  ASSERT_EQ(Form->Commands.size(), 1u);
  EXPECT_EQ(Form->Commands[0].first, LBN_SELCHANGE);
  EXPECT_EQ(Form->Commands[0].second, List->Handle());
  EXPECT_EQ(Clicks, 1);
}

TEST_F(ListBoxTest, AClickUnderTheLastRowKeepsTheSelection) {
  MakeList();
  List->SetTopIndex(8);
  List->SetItemIndex(9);
  ClickAt(List, 30, 95);
  EXPECT_EQ(List->ItemIndex(), 9);
}

TEST_F(ListBoxTest, DraggingMovesTheSelectionAndScrollsPastTheEdge) {
  MakeList();
  PressAt(List, 30, 5);
  MoveTo(List, 30, 70);  // row 3
  EXPECT_EQ(List->ItemIndex(), 3);
  MoveTo(List, 200, 25);  // beside the list: the row at that height
  EXPECT_EQ(List->ItemIndex(), 1);
  MoveTo(List, 30, 130);  // below it: the row after the page, one per move
  EXPECT_EQ(List->ItemIndex(), 4);
  EXPECT_EQ(List->TopIndex(), 2);
  MoveTo(List, 30, 131);
  EXPECT_EQ(List->ItemIndex(), 6);
  EXPECT_EQ(List->TopIndex(), 3);
  EXPECT_TRUE(Form->Commands.empty());
  Release();
  EXPECT_EQ(List->ItemIndex(), 6);
  ASSERT_EQ(Form->Commands.size(), 1u);
  // Moving afterwards selects nothing.
  MoveTo(List, 30, 5);
  EXPECT_EQ(List->ItemIndex(), 6);
}

TEST_F(ListBoxTest, ADoubleClickOnARowTellsTheParent) {
  MakeList();
  int DblClicks = 0;
  List->OnDblClick = [&](TObject*) { ++DblClicks; };
  ClickAt(List, 30, 25);
  ClickAt(List, 30, 25);
  EXPECT_EQ(DblClicks, 1);
  ASSERT_EQ(Form->Commands.size(), 3u);
  EXPECT_EQ(Form->Commands[0].first, LBN_SELCHANGE);
  EXPECT_EQ(Form->Commands[1].first, LBN_DBLCLK);
  EXPECT_EQ(Form->Commands[2].first, LBN_SELCHANGE);
}

TEST_F(ListBoxTest, WithoutNotifyStyleNothingIsToldAndNoClickFires) {
  MakeList(false, LBS_NOTIFY);
  int Clicks = 0;
  List->OnClick = [&](TObject*) { ++Clicks; };
  ClickAt(List, 30, 25);
  ClickAt(List, 30, 25);
  List->SetFocus();
  Key(VK_DOWN);
  EXPECT_EQ(List->ItemIndex(), 2);
  EXPECT_TRUE(Form->Commands.empty());
  EXPECT_EQ(Clicks, 0);
}

TEST_F(ListBoxTest, AListToldOfTheFocusOnItsOwnLeavesTheKeyboardWhereItIs) {
  MakeList();
  auto* Other = new TListBox(Form);
  Other->SetBounds(150, 10, 50, 50);
  Other->SetParent(Form);
  Other->SetFocus();
  Pump();
  // What a drop-down list does so that its selection shows as focused.
  CallWindowProc(List->DefWndProc(), List->Handle(), WM_SETFOCUS, 0, 0);
  List->Drawn.clear();
  ClickAt(List, 30, 25);
  EXPECT_EQ(List->ItemIndex(), 1);
  EXPECT_TRUE(Other->Focused());
  auto Row1 = std::find_if(List->Drawn.begin(), List->Drawn.end(),
                           [](const TMeasuredList::TDrawCall& D) { return D.Index == 1; });
  ASSERT_NE(Row1, List->Drawn.end());
  EXPECT_EQ(Row1->State, TOwnerDrawState(odSelected | odFocused));
}

// ---- wheel and scroll bar ------------------------------------------------------------------

TEST_F(ListBoxTest, TheWheelScrollsThreeRowsANotch) {
  MakeList();
  List->SetFocus();
  Pump();
  Display.Wheel(-WHEEL_DELTA);
  Pump();
  EXPECT_EQ(List->TopIndex(), 3);
  Display.Wheel(-WHEEL_DELTA / 2);
  Pump();
  EXPECT_EQ(List->TopIndex(), 3);  // half a notch waits for the other half
  Display.Wheel(-WHEEL_DELTA / 2);
  Pump();
  EXPECT_EQ(List->TopIndex(), 6);
  Display.Wheel(-WHEEL_DELTA);
  Pump();
  EXPECT_EQ(List->TopIndex(), 8);  // no further than the last page
  Display.Wheel(2 * WHEEL_DELTA);
  Pump();
  EXPECT_EQ(List->TopIndex(), 2);
  EXPECT_EQ(List->ItemIndex(), -1);  // scrolling selects nothing
}

TEST_F(ListBoxTest, TheScrollBarRangesOverTheRows) {
  MakeList();
  SCROLLINFO Info;
  Info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(List->Handle(), SB_VERT, Info));
  EXPECT_EQ(Info.nMin, 0);
  EXPECT_EQ(Info.nMax, 11);
  EXPECT_EQ(Info.nPage, 4u);
  EXPECT_TRUE(GetWindowLong(List->Handle(), GWL_STYLE) & WS_VSCROLL);
  // Nothing to scroll sideways: that bar goes.
  EXPECT_FALSE(GetWindowLong(List->Handle(), GWL_STYLE) & WS_HSCROLL);
  // Few rows: no vertical bar either, and the rows take the whole width.
  while (List->Count() > 3) List->Items()->Delete(3);
  Pump();
  EXPECT_FALSE(GetWindowLong(List->Handle(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(List->ItemRect(0), (TRect{0, 0, 120, 20}));
}

// The bar lies at x 103..119 of the list; its arrows take 17 pixels each,
// and with 12 rows and a page of 4 the thumb is 22 long (17..39 at the top).
TEST_F(ListBoxTest, ScrollBarArrowsAndPageAreasScroll) {
  MakeList();
  ClickAt(List, 110, 90);  // down arrow
  EXPECT_EQ(List->TopIndex(), 1);
  ClickAt(List, 110, 5);  // up arrow
  EXPECT_EQ(List->TopIndex(), 0);
  ClickAt(List, 110, 70);  // under the thumb: the row after the page comes to the top
  EXPECT_EQ(List->TopIndex(), 4);
  ClickAt(List, 110, 20);  // above it: the row before the page ends the page
  EXPECT_EQ(List->TopIndex(), 0);
  EXPECT_EQ(List->ItemIndex(), -1);
  EXPECT_TRUE(Form->Commands.empty());
}

TEST_F(ListBoxTest, DraggingTheThumbScrollsAsItMoves) {
  MakeList();
  const TPoint Grab = ScreenPoint(List, 110, 25);
  const TPoint Middle = ScreenPoint(List, 110, 47);
  const TPoint End = ScreenPoint(List, 110, 90);
  Display.MoveMouse(Grab.X, Grab.Y);
  Display.Press();
  Display.MoveMouse(Middle.X, Middle.Y);
  Display.Release();
  Pump();
  EXPECT_EQ(List->TopIndex(), 4);
  const TPoint Grab2 = ScreenPoint(List, 110, 45);
  Display.MoveMouse(Grab2.X, Grab2.Y);
  Display.Press();
  Display.MoveMouse(End.X, End.Y);
  Display.Release();
  Pump();
  EXPECT_EQ(List->TopIndex(), 8);
  EXPECT_EQ(GetScrollPos(List->Handle(), SB_VERT), 8);
}

TEST_F(ListBoxTest, AHorizontalBarScrollsOverTheScrollWidth) {
  MakeList();
  List->SetScrollWidth(250);
  Pump();
  ASSERT_TRUE(GetWindowLong(List->Handle(), GWL_STYLE) & WS_HSCROLL);
  // The bar takes 17 pixels of the height; the rows are as wide as the scroll width.
  EXPECT_EQ(List->ClientHeight(), 83);
  EXPECT_EQ(List->ItemRect(0), (TRect{0, 0, 250, 20}));
  // A line is half the font's height, about a character.
  List->Canvas()->SetFont(List->Font());
  const int Line = List->Canvas()->TextHeight("Wg") / 2;
  ClickAt(List, 90, 90);  // right arrow
  EXPECT_EQ(List->ItemRect(0).Left, -Line);
  SendMessage(List->Handle(), WM_HSCROLL, SB_RIGHT, 0);
  EXPECT_EQ(List->ItemRect(0), (TRect{-147, 0, 103, 20}));
  List->SetScrollWidth(0);
  Pump();
  EXPECT_FALSE(GetWindowLong(List->Handle(), GWL_STYLE) & WS_HSCROLL);
  EXPECT_EQ(List->ItemRect(0), (TRect{0, 0, 103, 20}));
}

// ---- keys --------------------------------------------------------------------------------

struct TKeyCase {
  const char* Name;
  int Selected;  // before the key
  int Top;
  int KeyCode;
  int ExpectedSelected;
  int ExpectedTop;
};

class ListBoxKeys : public TListBoxFixture, public ::testing::WithParamInterface<TKeyCase> {};

TEST_P(ListBoxKeys, MoveTheSelectionAndKeepItInView) {
  MakeList();
  const TKeyCase& C = GetParam();
  List->SetItemIndex(C.Selected);
  List->SetTopIndex(C.Top);
  List->SetFocus();
  Pump();
  Key(C.KeyCode);
  EXPECT_EQ(List->ItemIndex(), C.ExpectedSelected);
  EXPECT_EQ(List->TopIndex(), C.ExpectedTop);
  const bool Changed = C.ExpectedSelected != C.Selected;
  ASSERT_EQ(Form->Commands.size(), Changed ? 1u : 0u);
  if (Changed) {
    EXPECT_EQ(Form->Commands[0].first, LBN_SELCHANGE);
  }
}

// Heights 20 30 10 40 | 25 15 20 30 10 40 25 15; 100 pixels of list.
INSTANTIATE_TEST_SUITE_P(
    Navigation, ListBoxKeys,
    ::testing::Values(TKeyCase{"DownNext", 2, 0, VK_DOWN, 3, 0},
                      TKeyCase{"DownScrolls", 3, 0, VK_DOWN, 4, 2},
                      TKeyCase{"DownAtEnd", 11, 8, VK_DOWN, 11, 8},
                      TKeyCase{"UpScrolls", 3, 3, VK_UP, 2, 2},
                      TKeyCase{"UpAtStart", 0, 0, VK_UP, 0, 0},
                      TKeyCase{"NoneDownTakesFirst", -1, 0, VK_DOWN, 0, 0},
                      TKeyCase{"Home", 7, 5, VK_HOME, 0, 0}, TKeyCase{"End", 1, 0, VK_END, 11, 8},
                      // Page Down: to the last row shown whole, then a page on from there.
                      TKeyCase{"PageDownToPageEnd", 0, 0, VK_NEXT, 3, 0},
                      TKeyCase{"PageDownFromPageEnd", 3, 0, VK_NEXT, 6, 3},
                      TKeyCase{"PageDownAgain", 6, 3, VK_NEXT, 9, 6},
                      TKeyCase{"PageDownToLast", 9, 6, VK_NEXT, 11, 8},
                      TKeyCase{"PageDownAtEnd", 11, 8, VK_NEXT, 11, 8},
                      TKeyCase{"PageDownFromOutOfView", 1, 5, VK_NEXT, 3, 1},
                      // Page Up: to the top row, then the page before ends with the old top.
                      TKeyCase{"PageUpToTop", 11, 8, VK_PRIOR, 8, 8},
                      TKeyCase{"PageUpFromTop", 8, 8, VK_PRIOR, 4, 4},
                      TKeyCase{"PageUpToFirst", 3, 3, VK_PRIOR, 0, 0},
                      TKeyCase{"OtherKeysDoNothing", 4, 2, 'X', 4, 2}),
    [](const ::testing::TestParamInfo<TKeyCase>& Info) { return std::string(Info.param.Name); });

TEST_F(ListBoxTest, ASubclassConsumesAKeyInKeyDown) {
  MakeList();
  List->ConsumedKey = VK_DOWN;
  List->SetItemIndex(4);
  List->SetFocus();
  Pump();
  Key(VK_DOWN);
  EXPECT_EQ(List->ItemIndex(), 4);
  Key(VK_UP);
  EXPECT_EQ(List->ItemIndex(), 3);
  EXPECT_EQ(List->KeysSeen, (std::vector<WORD>{VK_DOWN, VK_UP}));
  ASSERT_EQ(Form->Commands.size(), 1u);
}

TEST_F(ListBoxTest, OnKeyDownCanConsumeTooAndTheListWantsArrows) {
  MakeList();
  List->OnKeyDown = [](TObject*, WORD& Key, TShiftState) {
    if (Key == VK_END) Key = 0;
  };
  List->SetFocus();
  Pump();
  Key(VK_END);
  EXPECT_EQ(List->ItemIndex(), -1);
  EXPECT_EQ(List->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, LRESULT(DLGC_WANTARROWS));
}

TEST_F(ListBoxTest, IntegralHeightCutsFixedRowsToWholeOnes) {
  Form = MakeForm<TNotifiedForm>();
  Form->SetBorderStyle(bsNone);
  Form->SetBounds(100, 100, 300, 200);
  auto Make = [&](bool Integral) {
    auto* L = new TListBox(Form);
    L->SetStyle(lbOwnerDrawFixed);
    L->SetItemHeight(18);
    L->SetBorderStyle(bsNone);
    L->SetIntegralHeight(Integral);
    L->SetBounds(0, 0, 100, 100);
    L->SetParent(Form);
    return L;
  };
  TListBox* Whole = Make(true);
  TListBox* Free = Make(false);
  Form->Show();
  Pump();
  EXPECT_EQ(Whole->Height(), 90);
  EXPECT_EQ(Free->Height(), 100);
  Whole->SetHeight(130);
  EXPECT_EQ(Whole->Height(), 126);
}

TEST_F(ListBoxTest, TypingALetterStepsThroughTheRowsItStarts) {
  MakeList();
  List->Clear();
  for (const char* S : {"Apple", "banana", "avocado", "Cherry", "漢字", "Apricot"})
    List->Items()->AddObject(S, 10);
  List->SetFocus();
  Pump();
  auto Type = [&](const std::string& Text) {
    Display.TypeText(Text);
    Pump();
  };
  Type("a");
  EXPECT_EQ(List->ItemIndex(), 0);
  Type("A");
  EXPECT_EQ(List->ItemIndex(), 2);
  Type("a");
  EXPECT_EQ(List->ItemIndex(), 5);
  Type("a");
  EXPECT_EQ(List->ItemIndex(), 0);  // round again
  Type("c");
  EXPECT_EQ(List->ItemIndex(), 3);
  Type("z");
  EXPECT_EQ(List->ItemIndex(), 3);
  EXPECT_EQ(Form->Commands.size(), 5u);
  // A double-byte character, which arrives as its two bytes.
  Type("漢");
  EXPECT_EQ(List->ItemIndex(), 4);
  Type("ｱ");  // a single-byte kana starts no row
  EXPECT_EQ(List->ItemIndex(), 4);
}

TEST_F(ListBoxTest, TheRowsAndTheSelectionOutliveANewWindow) {
  MakeList();
  List->SetItemIndex(10);
  List->Measured.clear();
  List->SetStyle(lbOwnerDrawFixed);  // a new window
  List->SetStyle(lbOwnerDrawVariable);
  Pump();
  EXPECT_EQ(List->Count(), 12);
  EXPECT_EQ(List->Measured.size(), 12u);  // measured again, once each, for the new window
  EXPECT_EQ(List->ItemIndex(), 10);
  EXPECT_EQ(List->TopIndex(), 8);
  EXPECT_EQ(List->RowHeight(9), 40);
}

TEST_F(ListBoxTest, AFocusedListGoesWhileItsFormStays) {
  MakeList();
  PressAt(List, 30, 25);  // focused and holding the mouse
  delete List;
  List = nullptr;
  Release();
  Key(VK_DOWN);
  ClickAt(Form, 200, 150);
  EXPECT_EQ(Form->ActiveControl(), nullptr);
  EXPECT_TRUE(Errors.empty());
}

// ---- editing the rows --------------------------------------------------------------------

TEST_F(ListBoxTest, InsertAndDeleteKeepTheSelectionOnItsRow) {
  MakeList();
  List->SetItemIndex(5);
  List->Items()->Insert(0, "First");
  EXPECT_EQ(List->ItemIndex(), 6);
  EXPECT_EQ(List->Items()->Strings(6), "Row5");
  List->Items()->Delete(8);
  EXPECT_EQ(List->ItemIndex(), 6);
  List->Items()->Delete(0);
  EXPECT_EQ(List->ItemIndex(), 5);
  List->Items()->Delete(5);
  EXPECT_EQ(List->ItemIndex(), -1);
  // Data words travel with their rows.
  EXPECT_EQ(List->Items()->Objects(5), 20);
  List->SetItemIndex(5);
  List->Items()->Put(5, "Renamed");
  EXPECT_EQ(List->ItemIndex(), 5);
  EXPECT_EQ(List->Items()->Objects(5), 20);
  EXPECT_THROW(List->Items()->Delete(40), EStringListError);
}

TEST_F(ListBoxTest, DeletingRowsAtTheEndPullsTheTopRowBack) {
  MakeList();
  List->SetTopIndex(8);
  for (int I = 0; I < 3; ++I) List->Items()->Delete(List->Count() - 1);
  // Rows 4 to 8 take exactly the 100 pixels.
  EXPECT_EQ(List->TopIndex(), 4);
  List->Clear();
  EXPECT_EQ(List->Count(), 0);
  EXPECT_EQ(List->TopIndex(), 0);
  EXPECT_EQ(List->ItemIndex(), -1);
  EXPECT_EQ(List->ItemAtPos(TPoint{5, 5}, false), 0);
  EXPECT_EQ(List->ItemAtPos(TPoint{5, 5}, true), -1);
}

TEST_F(ListBoxTest, AnUpdateBracketHoldsTheRepaint) {
  MakeList();
  List->Drawn.clear();
  List->Items()->BeginUpdate();
  List->Items()->Clear();
  for (int I = 0; I < 5; ++I) List->Items()->AddObject("Later", 10);
  Pump();
  EXPECT_TRUE(List->Drawn.empty());
  TRect Update;
  EXPECT_FALSE(GetUpdateRect(List->Handle(), &Update, false));
  List->Items()->EndUpdate();
  Pump();
  EXPECT_EQ(List->Drawn.size(), 5u);
  EXPECT_FALSE(GetWindowLong(List->Handle(), GWL_STYLE) & WS_VSCROLL);
}

TEST_F(ListBoxTest, ItemsAssignedFromAnotherListKeepTheirDataWords) {
  MakeList();
  TStringList Source;
  Source.AddObject("a", 11);
  Source.AddObject("b", 12);
  List->Measured.clear();
  List->SetItems(&Source);
  EXPECT_EQ(List->Count(), 2);
  EXPECT_EQ(List->Items()->Objects(1), 12);
  EXPECT_EQ(List->Measured, (std::vector<int>{0, 1}));
  EXPECT_EQ(List->RowHeight(1), 12);
}

}  // namespace
