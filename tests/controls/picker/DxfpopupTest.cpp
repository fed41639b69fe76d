// The popup list as a window on the headless screen: created by the
// picker's DropDown, placed, framed, hooked, and closed the ways a user
// closes it.

#include <gtest/gtest.h>

#include "controls/picker/Dxfcombobox.h"
#include "controls/picker/Dxfpopup.h"
#include "controls/picker/Dxfres.h"
#include "framework/HeadlessFixture.h"
#include "platform/PixelAssert.h"

namespace {

// The search bar's picker: ten sites with style-10 check boxes, a 160 by
// 182 list that cannot be resized.
class DxfpopupWindow : public THeadlessFixture {
protected:
  void Place(int FormLeft, int FormTop, int PickerTop = 10) {
    Form = MakeForm<TForm>();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(FormLeft, FormTop, 300, 60);
    Box = new TdxfComboBox(Form);
    Box->SetParent(Form);
    Box->SetBounds(10, PickerTop, 145, 20);
    Box->SetStyle(dcsDropDownList);
    for (int I = 0; I < 10; ++I) Box->Items()->Add("Site" + std::to_string(I));
    Box->SetShowCheckBoxes(true);
    Box->SetCheckBoxStyle(10);
    Box->SetResizePopup(false);
    Box->SetPopupWidth(160);
    Box->SetPopupHeight(182);
    Form->Show();
    Pump();
  }
  TPopupWindow* Drop() {
    Box->DropDown();
    Pump();
    return Box->Popup();
  }
  const TSurface& PopupSurface() { return *System.BackBufferOf(Box->Popup()->Handle()); }

  TForm* Form = nullptr;
  TdxfComboBox* Box = nullptr;
};

// The middle of a screen rectangle.
TPoint Centre(const TRect& R) { return TPoint{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }

TEST_F(DxfpopupWindow, FloatsOnTheDesktopTopmostAndNeverActive) {
  Place(100, 100);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  const HWND Window = Popup->Handle();
  TRect R;
  GetWindowRect(Window, R);
  EXPECT_EQ(R, (TRect{110, 130, 270, 312}));  // under the picker at (110, 110)
  EXPECT_EQ(GetAncestor(Window, GA_PARENT), nullptr);
  EXPECT_EQ(Popup->Parent(), Form);
  EXPECT_TRUE(GetWindowLong(Window, GWL_STYLE) & WS_BORDER);
  EXPECT_EQ(GetWindowLong(Window, GWL_EXSTYLE), LONG_PTR(WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
  EXPECT_TRUE(GetClassLong(Window, GCL_STYLE) & CS_SAVEBITS);
  EXPECT_TRUE(GetClassLong(Window, GCL_STYLE) & CS_DBLCLKS);
  const auto* Native = Display.Native(System.NativeWindowOf(Window));
  ASSERT_NE(Native, nullptr);
  EXPECT_TRUE(Native->Params.Topmost);
  EXPECT_TRUE(Native->Params.NoActivate);
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
  EXPECT_EQ(ActivePopupWindow(), Popup);
  EXPECT_NE(PopupMouseHook(), nullptr);
  // The strip lies below the list, away from the picker.
  EXPECT_EQ(Popup->Corner, coBottomRight);
  EXPECT_EQ(Popup->ClientRect(), (TRect{0, 0, 158, 180 - kPopupStripHeight}));

  Box->CloseUp();
  Pump();
  EXPECT_EQ(ActivePopupWindow(), nullptr);
  EXPECT_EQ(PopupMouseHook(), nullptr);
  EXPECT_FALSE(IsWindow(Window));
}

TEST_F(DxfpopupWindow, OpensAboveAPickerNearTheBottomWithTheStripOnTop) {
  Place(100, 680, 20);  // picker at y 700, 20 high
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  TRect R;
  GetWindowRect(Popup->Handle(), R);
  EXPECT_EQ(R, (TRect{110, 518, 270, 700}));
  EXPECT_EQ(Popup->Corner, coTopRight);
  // The close button at the strip's left end, the rows under the strip.
  EXPECT_EQ(Popup->CloseButtonRect, (TRect{112, 520, 129, 535}));
  EXPECT_EQ(Popup->ClientOrigin(), (TPoint{111, 519 + kPopupStripHeight}));
}

TEST_F(DxfpopupWindow, AFrameChangeAfterThePickerMovedRecordsTheNewPlacement) {
  Place(100, 100);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  EXPECT_EQ(Box->PopupRect(), (TRect{110, 130, 270, 312}));
  // The form goes near the bottom of the screen while the list is down; the
  // next frame recalculation places the list above the picker and says so.
  Form->SetTop(680);
  Pump();
  ASSERT_EQ(Box->Popup(), Popup);
  SetWindowPos(Popup->Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  EXPECT_EQ(Box->PopupRect(), (TRect{110, 508, 270, 690}));
  EXPECT_EQ(Popup->Corner, coTopRight);
  // The size the picker asks for next time is untouched.
  EXPECT_EQ(Box->PopupWidth(), 160);
  EXPECT_EQ(Box->PopupHeight(), 182);
}

// ---- the close button -------------------------------------------------------------------

class DxfpopupCloseButton : public DxfpopupWindow {
protected:
  // The button's top-left pixel: button face when flat, highlight when
  // raised, shadow when sunken.
  std::uint32_t Corner() {
    TRect Window;
    GetWindowRect(Popup->Handle(), Window);
    const TRect& B = Popup->CloseButtonRect;
    return PopupSurface().Row(B.Top - Window.Top)[B.Left - Window.Left] & 0xFFFFFF;
  }
  void SetUp() override {
    Place(100, 100);
    Popup = Drop();
    ASSERT_NE(Popup, nullptr);
    Button = Centre(Popup->CloseButtonRect);
  }
  TPopupWindow* Popup = nullptr;
  TPoint Button;
};

TEST_F(DxfpopupCloseButton, FlatRaisedSunkenAndRaisedAgainWhenThePointerLeaves) {
  EXPECT_EQ(Corner(), PixelOf(clBtnFace));
  Display.MoveMouse(Button.X, Button.Y);
  Pump();
  EXPECT_TRUE(Popup->CloseButtonHot);
  EXPECT_EQ(Corner(), PixelOf(clBtnHighlight));

  Display.Press();
  Pump();
  EXPECT_TRUE(Popup->CloseButtonPressed);
  EXPECT_EQ(GetCapture(), Popup->Handle());
  EXPECT_EQ(Corner(), PixelOf(clBtnShadow));

  // Off the list, the button held: raised.
  Display.MoveMouse(50, 50);
  Pump();
  EXPECT_FALSE(Popup->CloseButtonHot);
  EXPECT_TRUE(Popup->CloseButtonPressed);
  EXPECT_EQ(Corner(), PixelOf(clBtnHighlight));

  // Released there: the list stays open and the button is flat again.
  Display.Release();
  Pump();
  EXPECT_TRUE(Box->DroppedDown());
  EXPECT_EQ(Box->Popup(), Popup);
  EXPECT_FALSE(Popup->CloseButtonPressed);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Corner(), PixelOf(clBtnFace));
}

TEST_F(DxfpopupCloseButton, BackOnTheButtonItSinksAgainAndTheReleaseCloses) {
  Display.MoveMouse(Button.X, Button.Y);
  Display.Press();
  Display.MoveMouse(Button.X, Button.Y - 40);  // over the rows
  Pump();
  EXPECT_FALSE(Popup->CloseButtonHot);
  Display.MoveMouse(Button.X, Button.Y);
  Pump();
  EXPECT_TRUE(Popup->CloseButtonHot);
  EXPECT_TRUE(Popup->CloseButtonPressed);
  EXPECT_EQ(Corner(), PixelOf(clBtnShadow));
  Display.Release();
  Pump();
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->Popup(), nullptr);
  EXPECT_EQ(ActivePopupWindow(), nullptr);
  EXPECT_EQ(PopupMouseHook(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  // Nothing was chosen.
  EXPECT_EQ(Box->ItemIndex(), -1);
}

// ---- the mouse hook -------------------------------------------------------------------

TEST_F(DxfpopupWindow, APressElsewhereClosesTheListAndIsSwallowed) {
  Place(100, 100);
  int FormPresses = 0;
  Form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++FormPresses; };
  ASSERT_NE(Drop(), nullptr);
  ClickAt(Form, 250, 40);
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->Popup(), nullptr);
  EXPECT_EQ(PopupMouseHook(), nullptr);
  EXPECT_EQ(FormPresses, 0);
  // With the list closed the form hears its clicks again.
  ClickAt(Form, 250, 40);
  EXPECT_EQ(FormPresses, 1);
}

TEST_F(DxfpopupWindow, APressOnThePickersFaceClosesTheListWithoutReopeningIt) {
  Place(100, 100);
  ASSERT_NE(Drop(), nullptr);
  ClickAt(Box, 40, 10);
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->Popup(), nullptr);
}

TEST_F(DxfpopupWindow, ARightClickOnARowOnlyReleasesTheDropButton) {
  Place(100, 100);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  Box->SetButtonPressed(true);
  ClickAt(Popup, 80, 16 * 3 + 8, mbRight);
  EXPECT_TRUE(Box->DroppedDown());
  EXPECT_EQ(Box->ItemIndex(), -1);
  EXPECT_FALSE(Box->GetChecked(3));
  EXPECT_FALSE(Box->ButtonPressed());
}

// ---- sizing -------------------------------------------------------------------------------

TEST_F(DxfpopupWindow, DraggingTheGripStopsAtTheMinimumSizeWhichTheNextDropKeeps) {
  Place(100, 100);
  Box->SetResizePopup(true);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  const TPoint Grip = Centre(Popup->SizeGripRect);
  EXPECT_EQ(SendMessage(Popup->Handle(), WM_NCHITTEST, 0, MAKELPARAM(Grip.X, Grip.Y)),
            HTBOTTOMRIGHT);
  Display.MoveMouse(Grip.X, Grip.Y);
  Display.Press();
  Display.MoveMouse(Grip.X - 120, Grip.Y - 150);
  Display.Release();
  Pump();
  TRect R;
  GetWindowRect(Popup->Handle(), R);
  EXPECT_EQ(R, (TRect{110, 130, 210, 230}));  // 100 by 100
  EXPECT_TRUE(Box->DroppedDown());

  Box->CloseUp();
  Pump();
  EXPECT_EQ(Box->PopupWidth(), 100);
  EXPECT_EQ(Box->PopupHeight(), 100);
  Popup = Drop();
  GetWindowRect(Popup->Handle(), R);
  EXPECT_EQ(R, (TRect{110, 130, 210, 230}));
}

TEST_F(DxfpopupWindow, WithoutResizingTheGripAreaGivesNoSizingCode) {
  Place(100, 100);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  TRect R;
  GetWindowRect(Popup->Handle(), R);
  // Where the grip would be, the frame answers as a plain frame part.
  const LRESULT Hit =
      SendMessage(Popup->Handle(), WM_NCHITTEST, 0, MAKELPARAM(R.Right - 8, R.Bottom - 8));
  EXPECT_NE(Hit, HTBOTTOMRIGHT);
  EXPECT_FALSE(Popup->OverSizeGrip);
}

// ---- rows: mouse and keys ---------------------------------------------------------------

TEST_F(DxfpopupWindow, AClickOnABoxTicksAndKeepsTheListOpenAClickOnTheTextChooses) {
  Place(100, 100);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  const int RowHeight = Popup->RowHeight(0);
  ClickAt(Popup, 3 + 9, RowHeight * 2 + RowHeight / 2);
  EXPECT_TRUE(Box->GetChecked(2));
  ASSERT_TRUE(Box->DroppedDown());
  ASSERT_EQ(Box->Popup(), Popup);
  EXPECT_EQ(Box->ItemIndex(), -1);
  ClickAt(Popup, 3 + 9, RowHeight * 2 + RowHeight / 2);
  EXPECT_FALSE(Box->GetChecked(2));
  EXPECT_TRUE(Box->DroppedDown());

  ClickAt(Popup, 80, RowHeight * 3 + RowHeight / 2);
  EXPECT_EQ(Box->ItemIndex(), 3);
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->Popup(), nullptr);
  EXPECT_FALSE(Box->GetChecked(3));
}

TEST_F(DxfpopupWindow, TheSelectionFollowsThePointerAndEnterChoosesIt) {
  Place(100, 100);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  const int RowHeight = Popup->RowHeight(0);
  MoveTo(Popup, 80, RowHeight * 5 + 3);
  EXPECT_EQ(Popup->ItemIndex(), 5);
  Key(VK_RETURN);
  EXPECT_EQ(Box->ItemIndex(), 5);
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->GetText(), "Site5");
}

TEST_F(DxfpopupWindow, EscapeClosesWithoutChoosing) {
  Place(100, 100);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  MoveTo(Popup, 80, Popup->RowHeight(0) * 4 + 3);
  Key(VK_ESCAPE);
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->ItemIndex(), -1);
}

TEST_F(DxfpopupWindow, ThePointerUnderTheLastRowLeavesNoRowSelected) {
  Place(100, 100);
  Box->SetPopupHeight(250);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  MoveTo(Popup, 80, 5);
  EXPECT_EQ(Popup->ItemIndex(), 0);
  MoveTo(Popup, 80, Popup->RowHeight(0) * 10 + 20);
  EXPECT_EQ(Popup->ItemIndex(), -1);
}

// ---- activation, focus, erase -------------------------------------------------------------

TEST_F(DxfpopupWindow, AClickNeverActivatesTheListAndTheRowsCoverTheBackground) {
  Place(100, 100);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  const HWND Window = Popup->Handle();
  EXPECT_EQ(SendMessage(Window, WM_MOUSEACTIVATE, WPARAM(Form->Handle()),
                        MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  HDC DC = GetDC(Window);
  // With rows the erase is skipped: the rows and the filler paint it all.
  EXPECT_EQ(SendMessage(Window, WM_ERASEBKGND, WPARAM(DC), 0), 1);
  ReleaseDC(Window, DC);
  // The editor keeps the keyboard while rows are ticked and hovered.
  const HWND Focus = GetFocus();
  ClickAt(Popup, 12, Popup->RowHeight(0) / 2);
  EXPECT_EQ(GetFocus(), Focus);
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
}

TEST_F(DxfpopupWindow, LosingTheFocusClosesTheList) {
  Place(100, 100);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  SendMessage(Popup->Handle(), WM_KILLFOCUS, 0, 0);
  Pump();
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->Popup(), nullptr);
}

TEST_F(DxfpopupWindow, AHandlerThatDrawsTheRowItselfKeepsTheDefaultDrawingOut) {
  Place(100, 100);
  Box->OnDrawItem = [](TObject*, int Index, bool, bool, int&, bool&, TOwnerDrawState, std::string&,
                       TCanvas* ACanvas, const TRect& ARect, TColor&, TFont*, bool& ADone) {
    EXPECT_EQ(ARect.Left, 0);
    EXPECT_EQ(ARect.Top, 0);
    ACanvas->Brush()->SetColor(clRed);
    ACanvas->FillRect(TRect{5, 2, 15 + Index, 8});
    ADone = false;
  };
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  const TRect Row = Popup->ItemRect(3);
  const TPoint Origin = Popup->ClientOrigin();
  TRect Window;
  GetWindowRect(Popup->Handle(), Window);
  const int DX = Origin.X - Window.Left, DY = Origin.Y - Window.Top + Row.Top;
  const TSurface& S = PopupSurface();
  for (int Y = 0; Y < Row.Height(); ++Y)
    for (int X = 0; X < Row.Width(); ++X) {
      const bool Red = X >= 5 && X < 18 && Y >= 2 && Y < 8;
      ASSERT_EQ(S.Row(DY + Y)[DX + X] & 0xFFFFFF, PixelOf(Red ? clRed : clWindow)) << X << "," << Y;
    }
  // Nothing of the default row: no check box was stored.
  EXPECT_EQ(Box->CheckBoxRects()->Count(), 0);
}

TEST_F(DxfpopupWindow, BothScrollBarsSitAboveTheStripWithTheirCornerInButtonFace) {
  Place(100, 100);
  // A popup made as DropDown makes one, with thirty rows and a scroll width
  // beyond its own, so that it shows both scroll bars.
  auto* Popup = new TPopupWindow(Box);
  Popup->SetParent(Form);
  Popup->SetScrollWidth(400);
  for (int I = 0; I < 30; ++I) Popup->Items()->Add("Row" + std::to_string(I));
  Popup->SetBounds(110, 130, 160, 182);
  Popup->Show();
  Pump();
  const LONG_PTR Style = GetWindowLong(Popup->Handle(), GWL_STYLE);
  ASSERT_TRUE((Style & WS_VSCROLL) && (Style & WS_HSCROLL));
  // The window is 160 by 182: inside the border the strip body is rows 163
  // to 180, the separator row 162, and the square 17 by 17 right above it
  // at the right.
  const TSurface& S = *System.BackBufferOf(Popup->Handle());
  for (int Y = 162 - 17; Y < 162; ++Y)
    for (int X = 159 - 17; X < 159; ++X)
      ASSERT_EQ(S.Row(Y)[X] & 0xFFFFFF, PixelOf(clBtnFace)) << X << "," << Y;
  // The separator runs whole under the horizontal bar, the strip below it.
  for (int X = 1; X < 159; ++X) ASSERT_EQ(S.Row(162)[X] & 0xFFFFFF, PixelOf(clWindowFrame)) << X;
  EXPECT_EQ(S.Row(170)[150] & 0xFFFFFF, PixelOf(clBtnFace));
  EXPECT_NE(PopupMouseHook(), nullptr);
  // Freed while shown, it takes its hook with it.
  delete Popup;
  EXPECT_EQ(PopupMouseHook(), nullptr);
}

// ---- the frame in the four corners ---------------------------------------------------

const TPixelLegend kFrameLegend = {
    {'f', clWindowFrame}, {'.', clBtnFace}, {'w', clWindow}, {'s', clBtnShadow}, {'k', clBtnText}};

struct TFrameCase {
  const char* Name;
  TPoint Form;  // where the form with the picker at (10, 10) lies
  TdxfCorner Corner;
  TRect Window;
  // 22 by 21 pixels at the strip's left and right ends, from the list's
  // last (or first) pixel row across the separator and the body to the
  // border: grip and close button swap ends with the corner.
  std::vector<std::string> LeftEnd, RightEnd;
};

class DxfpopupFrame : public DxfpopupWindow, public ::testing::WithParamInterface<TFrameCase> {};

// A resizable list in each of its four placements: the strip away from the
// picker, the grip in the free corner pointing into it, the flat close
// button at the other end, the separator line between strip and list.
TEST_P(DxfpopupFrame, StripGripAndCloseButton) {
  const TFrameCase& C = GetParam();
  Place(C.Form.X, C.Form.Y);
  Box->SetResizePopup(true);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  TRect R;
  GetWindowRect(Popup->Handle(), R);
  EXPECT_EQ(R, C.Window);
  EXPECT_EQ(Popup->Corner, C.Corner);
  const TSurface& S = PopupSurface();
  const bool Top = C.Corner == coTopLeft || C.Corner == coTopRight;
  const int Y0 = Top ? 0 : S.Height() - 21;
  ExpectPixels(S, TPoint{0, Y0}, C.LeftEnd, kFrameLegend);
  ExpectPixels(S, TPoint{S.Width() - 22, Y0}, C.RightEnd, kFrameLegend);
}

INSTANTIATE_TEST_SUITE_P(Corners, DxfpopupFrame,
                         ::testing::Values(TFrameCase{"BottomRight",
                                                      {100, 100},
                                                      coBottomRight,
                                                      {110, 130, 270, 312},
                                                      {"fwwwwwwwwwwwwwwwwwwwww",  //
                                                       "ffffffffffffffffffffff",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....kk....kk........",  //
                                                       "f......kk..kk.........",  //
                                                       "f.......kkkk..........",  //
                                                       "f........kk...........",  //
                                                       "f.......kkkk..........",  //
                                                       "f......kk..kk.........",  //
                                                       "f.....kk....kk........",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "ffffffffffffffffffffff"},
                                                      {"wwwwwwwwwwwwwwwwwwwwwf",  //
                                                       "ff.................fff",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       "..................w..f",  //
                                                       ".................ws..f",  //
                                                       "................wss..f",  //
                                                       "...............wss...f",  //
                                                       "..............wss.w..f",  //
                                                       ".............wss.ws..f",  //
                                                       "............wss.wss..f",  //
                                                       "...........wss.wss...f",  //
                                                       "..........wss.wss.w..f",  //
                                                       ".........wss.wss.ws..f",  //
                                                       "........wss.wss.wss..f",  //
                                                       ".......wss.wss.wss...f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       "ffffffffffffffffffffff"}},
                                           TFrameCase{"TopRight",
                                                      {100, 700},
                                                      coTopRight,
                                                      {110, 528, 270, 710},
                                                      {"ffffffffffffffffffffff",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....kk....kk........",  //
                                                       "f......kk..kk.........",  //
                                                       "f.......kkkk..........",  //
                                                       "f........kk...........",  //
                                                       "f.......kkkk..........",  //
                                                       "f......kk..kk.........",  //
                                                       "f.....kk....kk........",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "ffffffffffffffffffffff",  //
                                                       "fwwwwwwwwwwwwwwwwwwwww"},
                                                      {"ffffffffffffffffffffff",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".......wss.wss.wss...f",  //
                                                       "........wss.wss.wss..f",  //
                                                       ".........wss.wss.ws..f",  //
                                                       "..........wss.wss.w..f",  //
                                                       "...........wss.wss...f",  //
                                                       "............wss.wss..f",  //
                                                       ".............wss.ws..f",  //
                                                       "..............wss.w..f",  //
                                                       "...............wss...f",  //
                                                       "................wss..f",  //
                                                       ".................ws..f",  //
                                                       "..................w..f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       "ff.................fff",  //
                                                       "wwwwwwwwwwwwwwwwwwwwwf"}},
                                           TFrameCase{"BottomLeft",
                                                      {900, 100},
                                                      coBottomLeft,
                                                      {864, 130, 1024, 312},
                                                      {"fwwwwwwwwwwwwwwwwwwwww",  //
                                                       "fff.................ff",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f..w..................",  //
                                                       "f..sw.................",  //
                                                       "f..ssw................",  //
                                                       "f...ssw...............",  //
                                                       "f..w.ssw..............",  //
                                                       "f..sw.ssw.............",  //
                                                       "f..ssw.ssw............",  //
                                                       "f...ssw.ssw...........",  //
                                                       "f..w.ssw.ssw..........",  //
                                                       "f..sw.ssw.ssw.........",  //
                                                       "f..ssw.ssw.ssw........",  //
                                                       "f...ssw.ssw.ssw.......",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "ffffffffffffffffffffff"},
                                                      {"wwwwwwwwwwwwwwwwwwwwwf",  //
                                                       "ffffffffffffffffffffff",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".......kk....kk......f",  //
                                                       "........kk..kk.......f",  //
                                                       ".........kkkk........f",  //
                                                       "..........kk.........f",  //
                                                       ".........kkkk........f",  //
                                                       "........kk..kk.......f",  //
                                                       ".......kk....kk......f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       "ffffffffffffffffffffff"}},
                                           TFrameCase{"TopLeft",
                                                      {900, 700},
                                                      coTopLeft,
                                                      {864, 528, 1024, 710},
                                                      {"ffffffffffffffffffffff",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f...ssw.ssw.ssw.......",  //
                                                       "f..ssw.ssw.ssw........",  //
                                                       "f..sw.ssw.ssw.........",  //
                                                       "f..w.ssw.ssw..........",  //
                                                       "f...ssw.ssw...........",  //
                                                       "f..ssw.ssw............",  //
                                                       "f..sw.ssw.............",  //
                                                       "f..w.ssw..............",  //
                                                       "f...ssw...............",  //
                                                       "f..ssw................",  //
                                                       "f..sw.................",  //
                                                       "f..w..................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "f.....................",  //
                                                       "fff.................ff",  //
                                                       "fwwwwwwwwwwwwwwwwwwwww"},
                                                      {"ffffffffffffffffffffff",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".......kk....kk......f",  //
                                                       "........kk..kk.......f",  //
                                                       ".........kkkk........f",  //
                                                       "..........kk.........f",  //
                                                       ".........kkkk........f",  //
                                                       "........kk..kk.......f",  //
                                                       ".......kk....kk......f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       ".....................f",  //
                                                       "ffffffffffffffffffffff",  //
                                                       "wwwwwwwwwwwwwwwwwwwwwf"}}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

}  // namespace
