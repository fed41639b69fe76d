// The site picker on a headless form: the face as the window shows it in
// its states (exact pixels), and what mouse and keys do: dropping down,
// closing, moving the selection, ticking with Space, the recently-used list
// at drop-down, and the editor's first-letter search and completion.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/picker/Dxfcombobox.h"
#include "controls/picker/Dxfpopup.h"
#include "framework/HeadlessFixture.h"
#include "framework/graphics/Bitmap.h"
#include "platform/PixelAssert.h"
#include "platform/gdi/FrameControls.h"

namespace {

class DxfcomboFace : public THeadlessFixture {
protected:
  // A borderless white form with a 160-pixel picker at (10, 10), laid out
  // as a layout would leave it.
  TdxfComboBox* Place(TdxfComboBoxStyle Style, std::initializer_list<const char*> Texts) {
    Form = MakeForm<TForm>();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(100, 100, 300, 120);
    Box = new TdxfComboBox(Form);
    Box->SetParent(Form);
    Box->SetBounds(10, 10, 160, 20);
    Box->Font()->SetHeight(-12);
    Box->SetColor(clWhite);
    for (const char* Text : Texts) Box->Items()->Add(Text);
    Box->SetStyle(Style);
    Box->Loaded();
    Form->Show();
    Pump();
    return Box;
  }
  // The picker's own client surface origin within the form's back buffer.
  TPoint FaceOrigin() const {
    const TPoint Screen = Box->ClientToScreen(TPoint{0, 0});
    const TPoint FormOrigin = Form->ClientToScreen(TPoint{0, 0});
    return TPoint{Screen.X - FormOrigin.X, Screen.Y - FormOrigin.Y};
  }
  const TSurface& Surface() { return *System.BackBufferOf(Form->Handle()); }
  std::uint32_t FacePixel(int X, int Y) {
    const TPoint O = FaceOrigin();
    return Surface().Row(O.Y + Y)[O.X + X];
  }
  // The drop button as the system draws it with State, for comparison.
  void ExpectButton(unsigned State) {
    const TRect R = Box->ButtonRect();
    TBitmap Reference;
    Reference.SetSize(R.Width(), R.Height());
    TRect Local{0, 0, R.Width(), R.Height()};
    DrawFrameControl(*Reference.Canvas()->Handle(), Local, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | State);
    int Wrong = 0;
    for (int Y = 0; Y < R.Height(); ++Y)
      for (int X = 0; X < R.Width(); ++X)
        if (FacePixel(R.Left + X, R.Top + Y) != (Reference.ScanLine(Y)[X] & 0xFFFFFF)) ++Wrong;
    EXPECT_EQ(Wrong, 0) << "pixels of the drop button differ from state " << State;
  }
  int PopupCount() const {
    int Count = 0;
    for (int I = 0; I < Box->ComponentCount(); ++I)
      if (dynamic_cast<TPopupWindow*>(Box->Components(I))) ++Count;
    return Count;
  }
  void Press(int X, int Y, TMouseButton Button = mbLeft) { PressAt(Box, X, Y, Button); }
  // A key that types a character, as a user presses it: the key goes down,
  // the character arrives, the key comes up.
  void Type(int VirtualKey, const char* Text, unsigned Modifiers = 0) {
    Display.KeyDown(VirtualKey, Modifiers);
    Display.TypeText(Text);
    Display.KeyUp(VirtualKey, Modifiers);
    Pump();
  }
  // Gives the focus to another control of the form.
  void FocusElsewhere() {
    auto* Other = new TEdit(Form);
    Other->SetParent(Form);
    Other->SetBounds(10, 80, 100, 20);
    Other->SetFocus();
    Pump();
  }

  TForm* Form = nullptr;
  TdxfComboBox* Box = nullptr;
};

// ---- Geometry

TEST_F(DxfcomboFace, FaceSitsInsideTheSunkenBorder) {
  Place(dcsDropDownList, {"Google"});
  EXPECT_EQ(Box->Height(), 20);
  EXPECT_EQ(Box->ClientRect(), (TRect{0, 0, 156, 16}));
  EXPECT_EQ(Box->ButtonRect(), (TRect{156 - Box->ButtonWidth(), 0, 156, 16}));
  EXPECT_EQ(Box->EditRect(), (TRect{2, 2, 160 - Box->ButtonWidth() - 6, 16}));
  // The editor is there for the focus and the text, but takes no room.
  EXPECT_EQ(Box->Edit()->BoundsRect(), (TRect{0, 0, 0, 0}));
}

TEST_F(DxfcomboFace, EditableStylePutsTheEditorOnTheTextArea) {
  Place(dcsDropDown, {"Google"});
  EXPECT_EQ(Box->Edit()->BoundsRect(), Box->EditRect());
  EXPECT_FALSE(Box->Edit()->ReadOnly());
}

TEST_F(DxfcomboFace, FontChangeRecomputesTheHeight) {
  Place(dcsDropDown, {});
  Box->Font()->SetHeight(-16);
  EXPECT_GT(Box->Height(), 20);
  Box->SetResizeHeight(true);
  Box->Font()->SetHeight(-12);
  EXPECT_GT(Box->Height(), 20);  // kept: the user sizes it now
}

// ---- Painting

TEST_F(DxfcomboFace, ClosedUnfocusedListShowsTheTextOnTheFaceColour) {
  Place(dcsDropDownList, {"Google"});
  FocusElsewhere();
  ExpectButton(0);
  // No text yet: the whole text area is the face colour.
  const TPoint O = FaceOrigin();
  ExpectPixels(Surface(), TPoint{O.X + 1, O.Y + 1},
               std::vector<std::string>(14, std::string(137, 'w')), {{'w', clWhite}});
}

TEST_F(DxfcomboFace, FocusedListHighlightsTheTextAreaWithAFocusRectangle) {
  Place(dcsDropDownList, {"Google"});
  Box->SetFocus();
  Pump();
  // Text area (1, 1)-(138, 15): highlight inside, dotted inverted frame.
  const TPoint O = FaceOrigin();
  std::vector<std::string> Rows(14, std::string(137, 'h'));
  for (int X = 0; X < 137; X += 2) Rows[0][X] = 'x';
  // The dots run on round the frame, so the bottom row starts on a gap.
  for (int X = 1; X < 137; X += 2) Rows[13][X] = 'x';
  for (int Y = 0; Y < 14; Y += 2) Rows[Y][0] = Rows[Y][136] = 'x';
  const TColor Inverted = TColor(ColorToPixel(clHighlight) ^ 0x00FFFFFF);
  // The inverted colour as the surface stores it (RGB), back to BGR.
  const std::uint32_t P = std::uint32_t(Inverted);
  const TColor InvertedBGR = TColor(((P & 0xFF) << 16) | (P & 0xFF00) | ((P >> 16) & 0xFF));
  ExpectPixels(Surface(), TPoint{O.X + 1, O.Y + 1}, Rows, {{'h', clHighlight}, {'x', InvertedBGR}});
}

TEST_F(DxfcomboFace, DroppedDownFaceShowsTheTextAreaWithoutHighlight) {
  Place(dcsDropDownList, {"Google"});
  Box->DropDown();
  Pump();
  ASSERT_TRUE(Box->Edit()->Focused());
  const TPoint O = FaceOrigin();
  ExpectPixels(Surface(), TPoint{O.X + 1, O.Y + 1},
               std::vector<std::string>(14, std::string(137, 'w')), {{'w', clWhite}});
  Box->CloseUp();
  Pump();
  EXPECT_EQ(FacePixel(5, 5), ColorToPixel(clHighlight));  // focused again, closed
}

TEST_F(DxfcomboFace, SelectedTextIsDrawnInTheFontColour) {
  Place(dcsDropDownList, {"Google"});
  FocusElsewhere();
  Box->Font()->SetColor(clBlue);
  Box->SetItemIndex(0);
  Pump();
  // Glyph edges are smoothed: every pixel is a blend of blue over white,
  // and many are nearly pure blue.
  int Blue = 0, Other = 0;
  for (int Y = 2; Y < 15; ++Y)
    for (int X = 2; X < 60; ++X) {
      const std::uint32_t P = FacePixel(X, Y);
      const unsigned R = (P >> 16) & 0xFF, G = (P >> 8) & 0xFF, B = P & 0xFF;
      if (B != 0xFF || R != G) ++Other;
      if (B == 0xFF && R == G && R < 0x40) ++Blue;
    }
  EXPECT_GT(Blue, 20);
  EXPECT_EQ(Other, 0);
  // Nothing of the text spills past the text area.
  for (int X = 0; X < 138; ++X) EXPECT_EQ(FacePixel(X, 15), ColorToPixel(clWhite)) << X;
}

TEST_F(DxfcomboFace, DisabledPickerGreysItsButton) {
  Place(dcsDropDownList, {"Google"});
  Box->SetEnabled(false);
  Pump();
  ExpectButton(DFCS_INACTIVE);
}

TEST_F(DxfcomboFace, PressOnTheButtonPushesItUntilRelease) {
  Place(dcsDropDown, {"Google"});
  const TRect B = Box->ButtonRect();
  Press(B.Left + 3, 5);
  EXPECT_TRUE(Box->ButtonPressed());
  ExpectButton(DFCS_PUSHED | DFCS_FLAT);
  Release();
  EXPECT_FALSE(Box->ButtonPressed());
  ExpectButton(0);
}

TEST_F(DxfcomboFace, ImageOfTheListSizeIsDrawnUnscaled) {
  Place(dcsDropDownList, {"Google"});
  auto* Images = new TImageList(Form, 12, 12);
  TBitmap Red;
  Red.SetSize(12, 12);
  Red.Canvas()->Brush()->SetColor(clRed);
  Red.Canvas()->FillRect(TRect{0, 0, 12, 12});
  Red.Canvas()->Brush()->SetColor(clLime);
  Red.Canvas()->FillRect(TRect{0, 0, 6, 12});
  Images->Add(&Red, nullptr);
  Box->SetImages(Images);
  Box->SetImageIndex(0, 0);
  Box->SetItemIndex(0);
  Pump();
  ASSERT_EQ(Box->ImageRect(), (TRect{2, 2, 14, 14}));
  const TPoint O = FaceOrigin();
  std::vector<std::string> Rows(12, "llllllrrrrrr");
  ExpectPixels(Surface(), TPoint{O.X + 2, O.Y + 2}, Rows, {{'l', clLime}, {'r', clRed}});
}

TEST_F(DxfcomboFace, LargerImageIsScaledDownKeepingItsShape) {
  Place(dcsDropDownList, {"Google"});
  auto* Images = new TImageList(Form, 24, 24);
  TBitmap Red;
  Red.SetSize(24, 24);
  Red.Canvas()->Brush()->SetColor(clRed);
  Red.Canvas()->FillRect(TRect{0, 0, 24, 24});
  Images->Add(&Red, nullptr);
  Box->SetImages(Images);
  Box->SetImageIndex(0, 0);
  Box->SetItemIndex(0);
  Pump();
  ASSERT_EQ(Box->ImageRect(), (TRect{2, 2, 14, 14}));
  const TPoint O = FaceOrigin();
  ExpectPixels(Surface(), TPoint{O.X + 2, O.Y + 2}, std::vector<std::string>(12, "rrrrrrrrrrrr"),
               {{'r', clRed}});
  EXPECT_EQ(FacePixel(14, 7), ColorToPixel(clWhite));
}

TEST_F(DxfcomboFace, MultiLineTextWrapsOverTheWholeHeight) {
  Place(dcsDropDownList, {"Google News and more words than fit on one line"});
  Box->SetResizeHeight(true);
  Box->SetHeight(40);
  Box->SetMultiLineText(true);
  Box->SetItemIndex(0);
  Pump();
  EXPECT_EQ(Box->EditRect().Top, 2);
  EXPECT_EQ(Box->EditRect().Bottom, 36);
  // Text on the second line too.
  int Lower = 0;
  for (int Y = 18; Y < 32; ++Y)
    for (int X = 0; X < 130; ++X)
      if (FacePixel(X, Y) != ColorToPixel(clWhite)) ++Lower;
  EXPECT_GT(Lower, 10);
}

// ---- Mouse

TEST_F(DxfcomboFace, EditableStyleOpensOnlyFromTheButton) {
  Place(dcsDropDown, {"Google", "bing"});
  Press(20, 5);
  Release();
  EXPECT_FALSE(Box->DroppedDown());
  Press(Box->ButtonRect().Left + 3, 5);
  Release();
  EXPECT_TRUE(Box->DroppedDown());
  ASSERT_NE(Box->Popup(), nullptr);
  EXPECT_EQ(ActivePopupWindow(), Box->Popup());
  EXPECT_EQ(Box->Popup()->Items()->Count(), 2);
}

TEST_F(DxfcomboFace, ListStyleOpensAnywhereAndASecondPressCloses) {
  Place(dcsDropDownList, {"Google", "bing"});
  Press(20, 5);
  Release();
  ASSERT_TRUE(Box->DroppedDown());
  Press(20, 5);
  Release();
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->Popup(), nullptr);
  EXPECT_EQ(ActivePopupWindow(), nullptr);
  EXPECT_EQ(PopupMouseHook(), nullptr);
  EXPECT_EQ(PopupCount(), 0);  // freed once the closing press was handled
}

TEST_F(DxfcomboFace, RightPressOnTheButtonOnlyFocuses) {
  Place(dcsDropDown, {"Google"});
  Press(Box->ButtonRect().Left + 3, 5, mbRight);
  Release(mbRight);
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_FALSE(Box->ButtonPressed());
  EXPECT_TRUE(Box->Focused() || Box->Edit()->Focused());
}

TEST_F(DxfcomboFace, PopupIsFreedOnlyAfterTheClosingMessage) {
  Place(dcsDropDownList, {"Google"});
  Box->DropDown();
  TPopupWindow* Old = Box->Popup();
  ASSERT_NE(Old, nullptr);
  Box->CloseUp();
  Box->CloseUp();  // harmless
  EXPECT_EQ(Box->Popup(), nullptr);
  EXPECT_EQ(PopupCount(), 1);
  EXPECT_FALSE(IsWindowVisible(Old->WindowHandle()));
  Pump();
  EXPECT_EQ(PopupCount(), 0);
}

TEST_F(DxfcomboFace, DestroyingADroppedDownPickerTakesThePopupAlong) {
  Place(dcsDropDownList, {"Google"});
  Box->DropDown();
  ASSERT_NE(ActivePopupWindow(), nullptr);
  delete Box;
  Box = nullptr;
  EXPECT_EQ(ActivePopupWindow(), nullptr);
  EXPECT_EQ(PopupMouseHook(), nullptr);
  Pump();
}

// ---- Drop-down and close-up

TEST_F(DxfcomboFace, DropDownRequestsThePopupSizeBelowThePicker) {
  Place(dcsDropDownList, {"Google", "bing"});
  Box->SetPopupWidth(160);
  Box->SetPopupHeight(182);
  Box->SetResizePopup(false);
  int DropDowns = 0;
  Box->OnDropDown = [&](TObject* Sender) {
    EXPECT_EQ(Sender, Box);
    EXPECT_EQ(Box->Popup(), nullptr);
    ++DropDowns;
  };
  Box->DropDown();
  Box->DropDown();  // already down: nothing
  EXPECT_EQ(DropDowns, 1);
  const TPoint Corner = Form->ClientToScreen(TPoint{10, 10});
  EXPECT_EQ(Box->PopupRect(), (TRect{Corner.X, Corner.Y + 20, Corner.X + 160, Corner.Y + 202}));
  EXPECT_EQ(Box->Popup()->Width(), 160);
  EXPECT_EQ(Box->Popup()->Height(), 182);
  EXPECT_TRUE(Box->Edit()->Focused());
}

TEST_F(DxfcomboFace, ChoosingWhileDroppedPutsTheItemFirstUntilTheNextDropDown) {
  Place(dcsDropDownList, {"a", "b", "c"});
  Box->DropDown();
  Box->SetItemIndex(2);
  Box->SetItemIndex(1);
  ASSERT_EQ(Box->MRUList()->Count(), 2);
  EXPECT_EQ(Box->MRUList()->Get(0), 1);
  Box->CloseUp();
  Box->SetMRUListCount(1);
  Box->DropDown();
  ASSERT_EQ(Box->MRUList()->Count(), 1);
  // Rows: "b" (recent), then all three; the selection is the recent row.
  EXPECT_EQ(Box->Popup()->Items()->Text(), "b\r\na\r\nb\r\nc\r\n");
  EXPECT_EQ(Box->Popup()->ItemIndex(), 0);
}

TEST_F(DxfcomboFace, RecentEntriesThatNameNoItemAreDropped) {
  Place(dcsDropDownList, {"a", "b", "c"});
  Box->SetMRUListCount(3);
  Box->InsertInMRUList(2);
  Box->InsertInMRUList(0);
  Box->Items()->Delete(2);
  Box->DropDown();
  ASSERT_EQ(Box->MRUList()->Count(), 1);
  EXPECT_EQ(Box->MRUList()->Get(0), 0);
  EXPECT_EQ(Box->Popup()->Items()->Text(), "a\r\na\r\nb\r\n");
  EXPECT_TRUE(Errors.empty());
}

TEST_F(DxfcomboFace, CloseUpHandlerMayReplaceTheText) {
  Place(dcsDropDownList, {"Google", "bing"});
  Box->SetItemIndex(1);
  Box->OnCloseUp = [&](TObject* Sender, std::string& Value) {
    EXPECT_EQ(Sender, Box);
    EXPECT_EQ(Value, "bing");
    EXPECT_EQ(Box->Popup(), nullptr);
    Value = "Bing!";
  };
  Box->DropDown();
  Box->CloseUp();
  EXPECT_EQ(Box->GetText(), "Bing!");
  EXPECT_EQ(Box->Edit()->LastText, "Bing!");
  EXPECT_EQ(Box->ItemIndex(), 1);
}

TEST_F(DxfcomboFace, PopupSizeTheUserLeftIsKept) {
  Place(dcsDropDownList, {"Google"});
  Box->DropDown();
  Box->Popup()->SetBounds(Box->Popup()->Left(), Box->Popup()->Top(), 220, 130);
  Box->CloseUp();
  EXPECT_EQ(Box->PopupWidth(), 220);
  EXPECT_EQ(Box->PopupHeight(), 130);
}

// ---- Keys

struct ToggleCase {
  const char* Name;
  int Key;
  unsigned Modifiers;
  bool Toggles;
};

class DxfcomboToggle : public DxfcomboFace, public testing::WithParamInterface<ToggleCase> {};

TEST_P(DxfcomboToggle, OpensAndClosesFromTheKeyboard) {
  Place(dcsDropDownList, {"Google", "bing"});
  Box->Edit()->SetFocus();
  Pump();
  Key(GetParam().Key, GetParam().Modifiers);
  EXPECT_EQ(Box->DroppedDown(), GetParam().Toggles);
  Key(GetParam().Key, GetParam().Modifiers);
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->ItemIndex(), -1);
}

INSTANTIATE_TEST_SUITE_P(Keys, DxfcomboToggle,
                         testing::Values(ToggleCase{"F4", VK_F4, 0, true},
                                         ToggleCase{"ShiftF4", VK_F4, mkShift, false},
                                         ToggleCase{"AltDown", VK_DOWN, mkAlt, true},
                                         ToggleCase{"AltUp", VK_UP, mkAlt, true}),
                         [](const testing::TestParamInfo<ToggleCase>& Info) {
                           return std::string(Info.param.Name);
                         });

TEST_F(DxfcomboFace, EscapeCloses) {
  Place(dcsDropDownList, {"Google"});
  Box->DropDown();
  Key(VK_ESCAPE);
  EXPECT_FALSE(Box->DroppedDown());
}

TEST_F(DxfcomboFace, UpAndDownMoveTheSelectionWhileClosed) {
  Place(dcsDropDownList, {"a", "b"});
  Box->Edit()->SetFocus();
  Pump();
  WORD Seen = 0;
  Key(VK_DOWN);
  EXPECT_EQ(Box->ItemIndex(), 0);
  Key(VK_DOWN);
  EXPECT_EQ(Box->ItemIndex(), 1);
  Key(VK_DOWN);
  EXPECT_EQ(Box->ItemIndex(), 1);
  Key(VK_UP);
  EXPECT_EQ(Box->ItemIndex(), 0);
  // At the first item Up is left for whoever handles keys after the picker.
  Box->OnKeyDown = [&](TObject*, WORD& K, TShiftState) { Seen = K; };
  Key(VK_UP);
  EXPECT_EQ(Box->ItemIndex(), 0);
  EXPECT_EQ(Seen, VK_UP);
}

TEST_F(DxfcomboFace, DownWhileDroppedMovesThePopupSelection) {
  Place(dcsDropDownList, {"a", "b", "c"});
  Box->DropDown();
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(Box->ItemIndex(), -1);
  EXPECT_EQ(Box->Popup()->ItemIndex(), 1);
  Key(VK_RETURN);
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->ItemIndex(), 1);
}

TEST_F(DxfcomboFace, SpaceTicksTheHighlightedRowsItemWithoutCheckBoxes) {
  Place(dcsDropDownList, {"a", "b"});
  Box->SetItemIndex(1);
  Box->DropDown();
  Key(VK_SPACE);
  EXPECT_TRUE(Box->GetChecked(1));
  EXPECT_TRUE(Box->DroppedDown());
  Key(VK_SPACE);
  EXPECT_FALSE(Box->GetChecked(1));
}

TEST_F(DxfcomboFace, SpaceWithoutAHighlightedRowDoesNothing) {
  Place(dcsDropDownList, {"a", "b"});
  Box->Edit()->SetFocus();
  Key(VK_F4);
  ASSERT_EQ(Box->Popup()->ItemIndex(), -1);
  Key(VK_SPACE);
  EXPECT_FALSE(Box->GetChecked(0));
  EXPECT_FALSE(Box->GetChecked(1));
}

TEST_F(DxfcomboFace, SpaceInTheEditableStyleTypesInsteadOfTicking) {
  Place(dcsDropDown, {"a", "b"});
  Box->SetItemIndex(0);
  Box->DropDown();
  Key(VK_SPACE);
  EXPECT_FALSE(Box->GetChecked(0));
}

TEST_F(DxfcomboFace, FocusLeavingClosesThePopup) {
  Place(dcsDropDownList, {"a"});
  auto* Other = new TdxfComboBox(Form);
  Other->SetParent(Form);
  Other->SetBounds(10, 60, 100, 20);
  Box->DropDown();
  Other->SetFocus();
  Pump();
  EXPECT_FALSE(Box->DroppedDown());
}

// ---- The editor's search

TEST_F(DxfcomboFace, FirstLetterSelectsTheFirstMatchingItem) {
  Place(dcsDropDownList, {"Google", "Yahoo! Japan", "bing"});
  Box->Edit()->SetFocus();
  Key('B');
  EXPECT_EQ(Box->ItemIndex(), 2);
  Key('G');
  EXPECT_EQ(Box->ItemIndex(), 0);
  Key('G');
  EXPECT_EQ(Box->ItemIndex(), 0);  // no cycling
  Key('Q');
  EXPECT_EQ(Box->ItemIndex(), 0);
}

TEST_F(DxfcomboFace, CompletionSelectsTheTailAndBackspaceTakesATypedLetter) {
  Place(dcsDropDown, {"Google", "Google News"});
  Box->SetAutoSearch(true);
  Box->Edit()->SetFocus();
  Type('G', "G", mkShift);
  EXPECT_EQ(Box->GetText(), "Google");
  EXPECT_EQ(Box->ItemIndex(), 0);
  EXPECT_EQ(Box->Edit()->SelStart(), 1);
  EXPECT_EQ(Box->Edit()->SelLength(), 5);
  Type('O', "o");
  EXPECT_EQ(Box->GetText(), "Google");
  EXPECT_EQ(Box->Edit()->SelStart(), 2);
  EXPECT_EQ(Box->Edit()->SelLength(), 4);
  Key(VK_BACK);
  EXPECT_EQ(Box->GetText(), "Google");
  EXPECT_EQ(Box->Edit()->SelStart(), 1);
  EXPECT_EQ(Box->Edit()->SelLength(), 5);
}

TEST_F(DxfcomboFace, WithoutAutoSearchOnlyTheExactTextSelects) {
  Place(dcsDropDown, {"bing", "Google"});
  Box->Edit()->SetFocus();
  int Changes = 0;
  Box->OnChange = [&](TObject*) { ++Changes; };
  Type('B', "b");
  Type('I', "i");
  Type('N', "n");
  Type('G', "g");
  EXPECT_EQ(Box->GetText(), "bing");
  EXPECT_EQ(Box->ItemIndex(), 0);
  EXPECT_EQ(Changes, 4);
  Type('X', "x");
  EXPECT_EQ(Box->ItemIndex(), -1);
}

TEST_F(DxfcomboFace, EnterAndEscapeReachTheKeyPressHandlerButNotTheText) {
  Place(dcsDropDown, {});
  Box->Edit()->SetFocus();
  std::vector<int> Seen;
  Box->OnKeyPress = [&](TObject* Sender, char& K) {
    EXPECT_EQ(Sender, Box);
    Seen.push_back(K);
  };
  Type('A', "a");
  Key(VK_RETURN);
  Key(VK_ESCAPE);
  EXPECT_EQ(Seen, (std::vector<int>{'a', 13, 27}));
  EXPECT_EQ(Box->GetText(), "a");
}

TEST_F(DxfcomboFace, ClickInTheEditorIsTheClickOfThePicker) {
  Place(dcsDropDown, {});
  int Clicks = 0;
  Box->OnClick = [&](TObject* Sender) {
    EXPECT_EQ(Sender, Box);
    ++Clicks;
  };
  ClickAt(Box->Edit(), 5, 5);
  EXPECT_EQ(Clicks, 1);
}

// ---- Which setters repaint

struct RepaintCase {
  const char* Name;
  std::function<void(TdxfComboBox&)> Set;
  enum { None, Whole, Strip, TextArea } Area;
};

class DxfcomboRepaint : public DxfcomboFace, public testing::WithParamInterface<RepaintCase> {};

TEST_P(DxfcomboRepaint, QueuesExactlyTheAreaThatChanges) {
  Place(dcsDropDownList, {"a", "b"});
  TRect R;
  ASSERT_FALSE(GetUpdateRect(Box->Handle(), &R, false));
  GetParam().Set(*Box);
  const bool Pending = GetUpdateRect(Box->Handle(), &R, false);
  switch (GetParam().Area) {
    case RepaintCase::None:
      EXPECT_FALSE(Pending) << R.Left << "," << R.Top << "," << R.Right << "," << R.Bottom;
      break;
    case RepaintCase::Whole:
      EXPECT_EQ(R, (TRect{0, 0, 156, 16}));
      break;
    case RepaintCase::Strip:  // from the image's right edge to the button
      EXPECT_EQ(R, (TRect{0, 0, 160 - Box->ButtonWidth(), 16}));
      break;
    case RepaintCase::TextArea:
      EXPECT_EQ(R, (TRect{1, 1, 160 - Box->ButtonWidth() - 5, 15}));
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Setters, DxfcomboRepaint,
    testing::Values(
        RepaintCase{"MRUListCount", [](TdxfComboBox& B) { B.SetMRUListCount(3); },
                    RepaintCase::None},
        RepaintCase{"MRUListColor", [](TdxfComboBox& B) { B.SetMRUListColor(clRed); },
                    RepaintCase::None},
        RepaintCase{"PopupWidth", [](TdxfComboBox& B) { B.SetPopupWidth(200); }, RepaintCase::None},
        RepaintCase{"PopupHeight", [](TdxfComboBox& B) { B.SetPopupHeight(200); },
                    RepaintCase::None},
        RepaintCase{"MinPopupWidth", [](TdxfComboBox& B) { B.SetMinPopupWidth(170); },
                    RepaintCase::None},
        RepaintCase{"ResizePopup", [](TdxfComboBox& B) { B.SetResizePopup(false); },
                    RepaintCase::None},
        RepaintCase{"ShowCheckBoxes", [](TdxfComboBox& B) { B.SetShowCheckBoxes(true); },
                    RepaintCase::None},
        RepaintCase{"CheckBoxStyle", [](TdxfComboBox& B) { B.SetCheckBoxStyle(1); },
                    RepaintCase::None},
        RepaintCase{"AutoSearch", [](TdxfComboBox& B) { B.SetAutoSearch(true); },
                    RepaintCase::None},
        RepaintCase{"Checked", [](TdxfComboBox& B) { B.SetChecked(0, true); }, RepaintCase::None},
        RepaintCase{"ImageIndex", [](TdxfComboBox& B) { B.SetImageIndex(0, 3); },
                    RepaintCase::None},
        RepaintCase{"SameShowImage", [](TdxfComboBox& B) { B.SetShowImage(true); },
                    RepaintCase::None},
        RepaintCase{"ResizeHeightOn", [](TdxfComboBox& B) { B.SetResizeHeight(true); },
                    RepaintCase::None},
        RepaintCase{"ShowImage", [](TdxfComboBox& B) { B.SetShowImage(false); },
                    RepaintCase::Whole},
        RepaintCase{"ResizeHeightOff", [](TdxfComboBox& B) { B.SetResizeHeight(false); },
                    RepaintCase::Whole},
        RepaintCase{"MultiLineText", [](TdxfComboBox& B) { B.SetMultiLineText(true); },
                    RepaintCase::Strip},
        RepaintCase{"SameStyle", [](TdxfComboBox& B) { B.SetStyle(dcsDropDownList); },
                    RepaintCase::Strip},
        RepaintCase{"ItemIndex", [](TdxfComboBox& B) { B.SetItemIndex(1); },
                    RepaintCase::TextArea}),
    [](const testing::TestParamInfo<RepaintCase>& Info) { return std::string(Info.param.Name); });

// ---- Reactions to the framework's notifications

TEST_F(DxfcomboFace, PickerMadeInCodeLaysOutOnceItHasAWindow) {
  Form = MakeForm<TForm>();
  Form->SetBounds(100, 100, 300, 120);
  Box = new TdxfComboBox(Form);
  Box->SetParent(Form);
  Box->Font()->SetHeight(-12);
  Box->SetBounds(10, 10, 200, 50);
  Form->Show();
  Pump();
  EXPECT_FALSE(Box->IsLoading());
  EXPECT_EQ(Box->Height(), 20);
  Box->SetWidth(180);
  EXPECT_EQ(Box->EditRect().Right, 180 - Box->ButtonWidth() - 6);
  EXPECT_EQ(Box->Edit()->BoundsRect(), Box->EditRect());
}

TEST_F(DxfcomboFace, EditorFollowsColourAndEnabledState) {
  Place(dcsDropDown, {});
  Box->SetColor(clYellow);
  EXPECT_EQ(Box->Edit()->Color(), clYellow);
  Box->SetEnabled(false);
  EXPECT_FALSE(Box->Edit()->Enabled());
  Box->SetParentColor(true);
  EXPECT_TRUE(Box->Edit()->ParentColor());
}

TEST_F(DxfcomboFace, FontChangeWhileDroppedGivesThePopupThePickersFont) {
  Place(dcsDropDownList, {"a"});
  TFont Small;
  Small.SetHeight(-10);
  Box->SetPopupWindowFont(&Small);
  Box->DropDown();
  EXPECT_EQ(Box->Popup()->Font()->Height(), -10);
  Box->Font()->SetHeight(-14);
  EXPECT_EQ(Box->Popup()->Font()->Height(), -14);
}

TEST_F(DxfcomboFace, AnotherControlStartingAMouseActionCloses) {
  Place(dcsDropDownList, {"a"});
  Box->DropDown();
  Box->Perform(CM_CANCELMODE, 0, LPARAM(static_cast<TControl*>(Box)));
  EXPECT_TRUE(Box->DroppedDown());
  Box->Perform(CM_CANCELMODE, 0, LPARAM(static_cast<TControl*>(Box->Popup())));
  EXPECT_TRUE(Box->DroppedDown());
  Box->Perform(CM_CANCELMODE, 0, LPARAM(static_cast<TControl*>(Form)));
  EXPECT_FALSE(Box->DroppedDown());
}

TEST_F(DxfcomboFace, PressDraggedOntoTheListChoosesTheRowReleasedOn) {
  Place(dcsDropDownList, {"a", "b", "c"});
  Press(20, 5);
  ASSERT_TRUE(Box->DroppedDown());
  TPopupWindow* Popup = Box->Popup();
  const TRect Row = Popup->ItemRect(2);
  MoveTo(Popup, Row.Left + 5, Row.Top + 2);
  Release();
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->ItemIndex(), 2);
  EXPECT_EQ(Box->GetText(), "c");
}

TEST_F(DxfcomboFace, DragsInTheEditorArriveAsThePickersOwn) {
  Place(dcsDropDown, {});
  TObject* SeenSender = nullptr;
  TObject* SeenSource = nullptr;
  TPoint At{};
  Box->OnDragOver = [&](TObject* Sender, TObject* Source, int X, int Y, TDragState, bool& Accept) {
    SeenSender = Sender;
    SeenSource = Source;
    At = TPoint{X, Y};
    Accept = true;
  };
  bool Accept = false;
  Box->Edit()->DragOver(Form, 3, 4, dsDragMove, Accept);
  EXPECT_TRUE(Accept);
  EXPECT_EQ(SeenSender, Box);
  EXPECT_EQ(SeenSource, Box);
  EXPECT_EQ(At, (TPoint{Box->EditRect().Left + 3, Box->EditRect().Top + 4}));
}

}  // namespace
