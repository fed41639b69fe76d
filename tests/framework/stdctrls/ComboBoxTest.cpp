// The combo box on a headless form, driven as a user drives it: typing with
// the type-ahead, opening and choosing with keys and the mouse, closing, the
// text and ItemIndex, the window destruction hook and the pixels of the face
// and the list.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/HeadlessFixture.h"
#include "framework/forms/HintWindow.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/StdCtrlsTestSupport.h"
#include "framework/streaming/StreamingReader.h"
#include "framework/streaming/StreamingWriter.h"
#include "platform/MessageLog.h"
#include "platform/PixelAssert.h"
#include "platform/gdi/FrameControls.h"

namespace {

// A derived box that copies its items when its window goes, as the history
// box does.
class TSnapshotComboBox : public TComboBox {
public:
  using TComboBox::TComboBox;
  std::vector<std::vector<std::string>> Snapshots;

protected:
  void WMDestroy(TMessage& Message) override {
    std::vector<std::string> Copy;
    for (int I = 0; I < Items()->Count(); ++I) Copy.push_back(Items()->Get(I));
    Snapshots.push_back(Copy);
    TComboBox::WMDestroy(Message);
  }
};

class ComboBoxTest : public THeadlessFixture {
protected:
  void SetUp() override {
    Form = MakeForm<TForm>();
    Form->SetBounds(100, 100, 300, 200);
    Other = new TEdit(Form);
    Other->SetParent(Form);
    Other->SetBounds(10, 150, 100, 20);
    Box = new TSnapshotComboBox(Form);
    Box->SetParent(Form);
    Box->SetBounds(10, 10, 160, 20);
    Box->SetItemHeight(12);
    for (const char* S : {"weather", "train", "museum"}) Box->Items()->Add(S);
    Box->OnChange = [this](TObject*) { Events.push_back("change:" + Box->Text()); };
    Box->OnSelect = [this](TObject*) {
      Events.push_back("select:" + std::to_string(Box->ItemIndex()));
    };
    Box->OnDropDown = [this](TObject*) { Events.push_back("dropdown"); };
    Box->OnCloseUp = [this](TObject*) { Events.push_back("closeup"); };
    Form->Show();
    Pump();
    Box->SetFocus();
    Pump();
    Events.clear();
  }

  TCustomEdit* Field() const { return static_cast<TCustomEdit*>(Box->EditControl()); }
  void Type(const std::string& Text) {
    Display.TypeText(Text);
    Pump();
  }
  // The middle of a row of the open list, in the list's client coordinates
  // turned to the screen.
  void ClickRow(int Row) {
    TPoint P{20, Row * Box->ItemHeight() + Box->ItemHeight() / 2};
    ClientToScreen(Box->ListHandle(), P);
    Display.MoveMouse(P.X, P.Y);
    Display.Click();
    Pump();
  }
  void ClickButton() {
    const TRect B = Box->ButtonRect();
    ClickAt(Box, (B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2);
  }

  TForm* Form = nullptr;
  TEdit* Other = nullptr;
  TSnapshotComboBox* Box = nullptr;
  TMessageLog<std::string> Events;
};

// ---- Type-ahead in the field ----------------------------------------------------------------

TEST_F(ComboBoxTest, TypingCompletesFromTheListThenANonMatchingLetterReplacesTheTail) {
  Type("T");
  EXPECT_EQ(Box->Text(), "Train");
  EXPECT_EQ(Box->SelStart(), 1);
  EXPECT_EQ(Box->SelLength(), 4);
  EXPECT_EQ(Box->SelText(), "rain");
  EXPECT_EQ(Box->ItemIndex(), 1);
  Type("x");
  EXPECT_EQ(Box->Text(), "Tx");
  EXPECT_EQ(Box->SelLength(), 0);
  EXPECT_EQ(Box->ItemIndex(), -1);
  EXPECT_EQ(Events, (std::vector<std::string>{"change:Train", "change:Tx"}));
}

TEST_F(ComboBoxTest, BackspaceDeletesTheCompletedTailThenACharacter) {
  Type("mu");
  EXPECT_EQ(Box->Text(), "museum");
  Key(VK_BACK);
  EXPECT_EQ(Box->Text(), "mu");
  EXPECT_EQ(Box->SelStart(), 2);
  Key(VK_BACK);
  EXPECT_EQ(Box->Text(), "m");
  // Backspace never completes: the m is still alone.
  EXPECT_EQ(Box->SelLength(), 0);
}

TEST_F(ComboBoxTest, BackspaceDeletesADoubleByteCharacterWhole) {
  Box->SetText("a\x8C\x9F\x8D\xF5");  // a検索
  Field()->SetSelStart(5);
  Key(VK_BACK);
  EXPECT_EQ(Box->Text(), "a\x8C\x9F");
}

TEST_F(ComboBoxTest, EscapeAndTabAreNotCompleted) {
  Box->Items()->Add(
      "\x1B"
      "esc");
  Box->OnKeyPress = [this](TObject*, char& Key) {
    Events.push_back("key:" + std::to_string(int(static_cast<unsigned char>(Key))));
  };
  Key(VK_ESCAPE);
  EXPECT_EQ(Box->Text(), "");
  EXPECT_EQ(Events, (std::vector<std::string>{"key:27"}));
}

TEST_F(ComboBoxTest, AKeyTheOwnerConsumesIsNeitherCompletedNorTyped) {
  Box->OnKeyPress = [](TObject*, char& Key) {
    if (Key == 't') Key = 0;
  };
  Type("tm");
  EXPECT_EQ(Box->Text(), "museum");
  EXPECT_EQ(Box->SelText(), "useum");
}

TEST_F(ComboBoxTest, TheOwnerSeesTheKeyBeforeTheTypeAhead) {
  Box->OnKeyPress = [this](TObject*, char& Key) {
    Events.push_back("key:" + Box->Text());
    if (Key == 'w') Key = 'T';  // the owner may change the key too
  };
  Type("w");
  EXPECT_EQ(Events.front(), "key:");
  EXPECT_EQ(Box->Text(), "Train");
}

TEST_F(ComboBoxTest, DoubleByteCandidatesCompleteWithBothBytes) {
  const std::string Kensaku = "\x8C\x9F\x8D\xF5";  // 検索
  const std::string KenKyu = "\x8C\x9F\x8B\x86";   // 検究-like second entry
  Box->Items()->Clear();
  Box->Items()->Add(KenKyu);
  Box->Items()->Add(Kensaku);
  Type("\x8C\x9F");
  EXPECT_EQ(Box->Text(), KenKyu);
  EXPECT_EQ(Box->SelStart(), 2);
  Type("\x8D\xF5");
  EXPECT_EQ(Box->Text(), Kensaku);
  EXPECT_EQ(Box->SelText(), "");
  EXPECT_EQ(Box->ItemIndex(), 1);
}

TEST_F(ComboBoxTest, ADoubleByteCharacterWithoutMatchGoesToTheFieldWhole) {
  Type("\x8C\x9F");
  EXPECT_EQ(Box->Text(), "\x8C\x9F");
  Type("x\x8D\xF5");
  EXPECT_EQ(Box->Text(), "\x8C\x9Fx\x8D\xF5");
}

TEST_F(ComboBoxTest, TheOwnerConsumingALeadByteDropsItsTrailByteToo) {
  Box->OnKeyPress = [](TObject*, char& Key) {
    if (Key == '\x8C') Key = 0;
  };
  Type("\x8C\x9Fw");
  EXPECT_EQ(Box->Text(), "weather");
}

// ---- Opening, choosing, closing ------------------------------------------------------------

TEST_F(ComboBoxTest, AltDownAndF4OpenAndCloseTheList) {
  Key(VK_DOWN, mkAlt);
  EXPECT_TRUE(Box->DroppedDown());
  EXPECT_TRUE(IsWindowVisible(Box->ListHandle()));
  Key(VK_F4);
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_FALSE(IsWindowVisible(Box->ListHandle()));
  Key(VK_F4);
  EXPECT_TRUE(Box->DroppedDown());
  EXPECT_EQ(Events, (std::vector<std::string>{"dropdown", "closeup", "dropdown"}));
  // The focus stays in the field.
  EXPECT_EQ(GetFocus(), Field()->WindowHandle());
}

TEST_F(ComboBoxTest, TheListLiesBelowTheBoxWithDropDownCountRows) {
  Box->SetDropDownCount(2);
  Key(VK_F4);
  TRect List, Face;
  GetWindowRect(Box->ListHandle(), List);
  GetWindowRect(Box->Handle(), Face);
  EXPECT_EQ(List.Left, Face.Left);
  EXPECT_EQ(List.Top, Face.Bottom);
  EXPECT_EQ(List.Width(), Face.Width());
  EXPECT_EQ(List.Height(), 2 * 12 + 2);
  // Three items in two rows: the scroll bar shows.
  EXPECT_NE(GetWindowLong(Box->ListHandle(), GWL_STYLE) & WS_VSCROLL, 0);
  TRect Client;
  GetClientRect(Box->ListHandle(), Client);
  EXPECT_EQ(Client.Width(), Face.Width() - 2 - GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(ComboBoxTest, ClickingTheButtonOpensAndAClickOnARowChoosesAndCloses) {
  ClickButton();
  ASSERT_TRUE(Box->DroppedDown());
  ClickRow(2);
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->Text(), "museum");
  EXPECT_EQ(Box->ItemIndex(), 2);
  EXPECT_EQ(Events, (std::vector<std::string>{"dropdown", "change:museum", "select:2", "closeup"}));
  EXPECT_EQ(Box->SelText(), "museum");
}

TEST_F(ComboBoxTest, PressingTheButtonAndReleasingOverARowChoosesIt) {
  const TRect B = Box->ButtonRect();
  PressAt(Box, B.Left + 5, 10);
  ASSERT_TRUE(Box->DroppedDown());
  TPoint P{20, 1 * 12 + 6};
  ClientToScreen(Box->ListHandle(), P);
  Display.MoveMouse(P.X, P.Y);
  Pump();
  EXPECT_EQ(Box->ListHighlight(), 1);
  Release();
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->Text(), "train");
}

TEST_F(ComboBoxTest, ReleasingOnTheButtonLeavesTheListOpenAndASecondClickCloses) {
  ClickButton();
  EXPECT_TRUE(Box->DroppedDown());
  ClickButton();
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Events, (std::vector<std::string>{"dropdown", "closeup"}));
}

TEST_F(ComboBoxTest, TheHighlightFollowsThePointer) {
  Key(VK_F4);
  EXPECT_EQ(Box->ListHighlight(), -1);
  TPoint P{20, 2 * 12 + 3};
  ClientToScreen(Box->ListHandle(), P);
  Display.MoveMouse(P.X, P.Y);
  Pump();
  EXPECT_EQ(Box->ListHighlight(), 2);
  // Only a click chooses.
  EXPECT_EQ(Box->Text(), "");
}

TEST_F(ComboBoxTest, UpAndDownStepThroughTheItemsWithTheListClosed) {
  Key(VK_DOWN);
  EXPECT_EQ(Box->ItemIndex(), 0);
  EXPECT_EQ(Box->Text(), "weather");
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_DOWN);  // stays on the last
  EXPECT_EQ(Box->ItemIndex(), 2);
  Key(VK_UP);
  EXPECT_EQ(Box->Text(), "train");
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Events,
            (std::vector<std::string>{"change:weather", "select:0", "change:train", "select:1",
                                      "change:museum", "select:2", "change:train", "select:1"}));
}

TEST_F(ComboBoxTest, KeysInTheOpenListMoveTheHighlightAndEnterKeepsTheChoice) {
  Box->SetItemIndex(0);
  Key(VK_F4);
  EXPECT_EQ(Box->ListHighlight(), 0);
  Key(VK_DOWN);
  EXPECT_EQ(Box->ListHighlight(), 1);
  EXPECT_EQ(Box->Text(), "train");
  Events.clear();
  std::vector<int> Chars;
  Box->OnKeyPress = [&Chars](TObject*, char& Key) { Chars.push_back(Key); };
  Key(VK_RETURN);
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->Text(), "train");
  EXPECT_EQ(Box->ItemIndex(), 1);
  EXPECT_EQ(Events, (std::vector<std::string>{"closeup"}));
  // The Enter that closed the list is not typed on.
  EXPECT_TRUE(Chars.empty());
}

TEST_F(ComboBoxTest, EscapeClosesTheListAndRestoresTextAndItemIndex) {
  Box->SetText("tr");
  Key(VK_F4);
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(Box->Text(), "train");
  Events.clear();
  Key(VK_ESCAPE);
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->Text(), "tr");
  EXPECT_EQ(Box->ItemIndex(), -1);
  EXPECT_EQ(Events, (std::vector<std::string>{"change:tr", "closeup"}));
}

TEST_F(ComboBoxTest, APressElsewhereClosesTheListAndReachesItsTarget) {
  Key(VK_F4);
  ClickAt(Other, 5, 5);
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_TRUE(Other->Focused());
}

TEST_F(ComboBoxTest, FocusLossClosesTheList) {
  Key(VK_F4);
  Other->SetFocus();
  Pump();
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Events, (std::vector<std::string>{"dropdown", "closeup"}));
}

TEST_F(ComboBoxTest, AClickInTheFieldClosesTheList) {
  Key(VK_F4);
  ClickAt(Field(), 5, 5);
  EXPECT_FALSE(Box->DroppedDown());
}

TEST_F(ComboBoxTest, TheWheelScrollsTheOpenList) {
  for (int I = 0; I < 20; ++I) Box->Items()->Add("item" + std::to_string(I));
  Box->SetDropDownCount(5);
  Key(VK_F4);
  EXPECT_EQ(GetScrollPos(Box->ListHandle(), SB_VERT), 0);
  Display.Wheel(-120);
  Pump();
  EXPECT_EQ(GetScrollPos(Box->ListHandle(), SB_VERT), 3);
}

TEST_F(ComboBoxTest, TheScrollBarArrowScrollsTheListWithoutClosingIt) {
  for (int I = 0; I < 20; ++I) Box->Items()->Add("item" + std::to_string(I));
  Box->SetDropDownCount(5);
  Key(VK_F4);
  TRect List;
  GetWindowRect(Box->ListHandle(), List);
  const int Bar = GetSystemMetrics(SM_CXVSCROLL);
  Display.MoveMouse(List.Right - 1 - Bar / 2, List.Bottom - 1 - Bar / 2);
  Display.Click();
  Pump();
  EXPECT_TRUE(Box->DroppedDown());
  EXPECT_EQ(GetScrollPos(Box->ListHandle(), SB_VERT), 1);
  // The row under the pointer is now the one after the first visible row.
  TPoint P{20, 6};
  ClientToScreen(Box->ListHandle(), P);
  Display.MoveMouse(P.X, P.Y);
  Display.Click();
  Pump();
  EXPECT_EQ(Box->Text(), "train");
}

TEST_F(ComboBoxTest, OnDropDownMayFillTheListBeforeItShows) {
  Box->Items()->Clear();
  Box->OnDropDown = [this](TObject*) {
    for (int I = 0; I < 4; ++I) Box->Items()->Add("entry" + std::to_string(I));
  };
  Key(VK_F4);
  TRect List;
  GetWindowRect(Box->ListHandle(), List);
  EXPECT_EQ(List.Height(), 4 * 12 + 2);
  EXPECT_EQ(GetWindowLong(Box->ListHandle(), GWL_STYLE) & WS_VSCROLL, 0);
}

TEST_F(ComboBoxTest, DisabledBoxDoesNotOpen) {
  Box->SetEnabled(false);
  Box->SetDroppedDown(true);
  EXPECT_FALSE(Box->DroppedDown());
}

TEST_F(ComboBoxTest, KeyEventsFireOnTheBoxAndAConsumedKeyDoesNothing) {
  Box->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState) {
    Events.push_back(std::string("down:") + (Sender == Box ? "box" : "other"));
    if (Key == VK_F4) Key = 0;
  };
  Box->OnKeyUp = [this](TObject*, WORD&, TShiftState) { Events.push_back("up"); };
  Key(VK_F4);
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Events, (std::vector<std::string>{"down:box", "up"}));
}

TEST_F(ComboBoxTest, ChoosingAnItemClicksTheBox) {
  int Clicks = 0;
  Box->OnClick = [&Clicks](TObject*) { ++Clicks; };
  Key(VK_DOWN);
  ClickButton();
  ClickRow(0);  // the same item again: no click
  EXPECT_EQ(Clicks, 1);
}

TEST_F(ComboBoxTest, TheBoxHintShowsOverTheField) {
  THintWindow* Hint = InstallHintWindow(App);
  Box->SetHint("keyword");
  Box->SetShowHint(true);
  MoveTo(Field(), 10, 5);
  Wait(App.HintPause() + 50);
  ASSERT_TRUE(Hint->Showing());
  EXPECT_EQ(Hint->Text(), "keyword");
  delete Hint;
}

// ---- Text and ItemIndex ---------------------------------------------------------------------

TEST_F(ComboBoxTest, ItemIndexAndTextAgree) {
  Box->SetItemIndex(1);
  EXPECT_EQ(Box->Text(), "train");
  EXPECT_EQ(Field()->Text(), "train");
  Box->SetText("MUSEUM");  // equal ignoring case
  EXPECT_EQ(Box->ItemIndex(), 2);
  EXPECT_EQ(Field()->Text(), "MUSEUM");
  Box->SetText("park");
  EXPECT_EQ(Box->ItemIndex(), -1);
  Box->SetItemIndex(0);
  Box->SetItemIndex(-1);
  EXPECT_EQ(Box->Text(), "");
  Box->SetItemIndex(7);  // out of range: none
  EXPECT_EQ(Box->ItemIndex(), -1);
  // The program's changes are no user changes.
  EXPECT_TRUE(Events.empty());
}

TEST_F(ComboBoxTest, FindExactIgnoresCaseAndWantsTheWholeText) {
  EXPECT_EQ(Box->FindExact("WEATHER"), 0);
  EXPECT_EQ(Box->FindExact("Train"), 1);
  EXPECT_EQ(Box->FindExact("train "), -1);
  EXPECT_EQ(Box->FindExact("trai"), -1);
  Box->Items()->Add("\x82\x60");             // full-width A
  EXPECT_EQ(Box->FindExact("\x82\x81"), 3);  // full-width a
  EXPECT_EQ(Box->FindExact("A"), -1);        // never the half-width letter
}

TEST_F(ComboBoxTest, ItemsChangingUnderTheIndexKeepTextAndIndexInAgreement) {
  Box->SetItemIndex(2);
  Box->Items()->Insert(0, "park");
  EXPECT_EQ(Box->ItemIndex(), 3);
  Box->Items()->Clear();
  EXPECT_EQ(Box->ItemIndex(), -1);
  EXPECT_EQ(Box->Text(), "museum");
}

// ---- Window destruction ---------------------------------------------------------------------

TEST_F(ComboBoxTest, ADerivedBoxSeesItsWindowDestroyedWithItemsIntact) {
  Box->RecreateWnd();
  Pump();
  ASSERT_EQ(Box->Snapshots.size(), 1u);
  EXPECT_EQ(Box->Snapshots[0], (std::vector<std::string>{"weather", "train", "museum"}));
  EXPECT_TRUE(Box->HandleAllocated());
  // The re-created box still works.
  Box->Items()->Add("park");
  Type("p");
  EXPECT_EQ(Box->Text(), "park");

  // The form's window takes the box's with it while the box is whole.
  Box->Snapshots.clear();
  Form->DestroyHandle();
  ASSERT_EQ(Box->Snapshots.size(), 1u);
  EXPECT_EQ(Box->Snapshots[0].size(), 4u);
}

TEST_F(ComboBoxTest, TheListWindowGoesWithTheBoxWindow) {
  Key(VK_F4);
  const HWND List = Box->ListHandle();
  ASSERT_TRUE(IsWindow(List));
  Box->RecreateWnd();
  Pump();
  EXPECT_FALSE(IsWindow(List));
  EXPECT_FALSE(Box->DroppedDown());
  Key(VK_F4);
  EXPECT_TRUE(Box->DroppedDown());
}

TEST_F(ComboBoxTest, DeletingAnOpenBoxTakesTheListAndItsHookAway) {
  Key(VK_F4);
  const HWND List = Box->ListHandle();
  delete Box;
  Box = nullptr;
  EXPECT_FALSE(IsWindow(List));
  // A press after the box went finds no hook of it.
  ClickAt(Other, 5, 5);
  EXPECT_TRUE(Other->Focused());
}

// ---- Pixels ---------------------------------------------------------------------------------

TEST_F(ComboBoxTest, TheClosedFaceHasTheSunkenEdgeAndTheDropButtonAtTheRight) {
  Other->SetFocus();  // no caret in the field
  Pump();
  const TSurface& S = *System.BackBufferOf(Form->Handle());
  const TPoint O = Box->ClientToScreen(TPoint{0, 0});
  const TPoint F = Form->ClientToScreen(TPoint{0, 0});
  const TPoint At{O.X - F.X, O.Y - F.Y};
  // Top-right corner of the face: the edge's two lines (shadow and dark
  // shadow over highlight and 3D light) and the button's raised frame
  // (3D light and highlight at its top-left, dark shadow and shadow at its
  // right), one pixel of the box's colour left of it.
  ExpectPixels(S, TPoint{At.X + 160 - 20, At.Y},
               {
                   "SSSSSSSSSSSSSSSSSSSH",
                   "DDDDDDDDDDDDDDDDDDLH",
                   "wLLLLLLLLLLLLLLLLkLH",
                   "wLhhhhhhhhhhhhhhskLH",
               },
               {{'S', clBtnShadow},
                {'H', clBtnHighlight},
                {'D', cl3DDkShadow},
                {'L', cl3DLight},
                {'w', clWindow},
                {'h', clBtnHighlight},
                {'s', clBtnShadow},
                {'k', cl3DDkShadow}});
  // The arrow: a black triangle in the middle of the button.
  const TRect B = Box->ButtonRect();
  const int MidX = At.X + (B.Left + B.Right) / 2;
  const int MidY = At.Y + (B.Top + B.Bottom) / 2;
  int Black = 0;
  for (int Y = MidY - 4; Y <= MidY + 4; ++Y)
    for (int X = MidX - 5; X <= MidX + 5; ++X) Black += (S.Row(Y)[X] & 0xFFFFFF) == 0;
  EXPECT_EQ(Black, 7 + 5 + 3 + 1);
}

TEST_F(ComboBoxTest, TheOpenListShowsTheHighlightedRowInTheHighlightColours) {
  Box->SetItemIndex(1);
  Key(VK_F4);
  Pump();
  const TSurface& S = *System.BackBufferOf(Box->ListHandle());
  // The frame, then rows of 12 pixels: row 1 filled with clHighlight.
  const std::uint32_t Highlight = ColorToPixel(clHighlight);
  const std::uint32_t Window = ColorToPixel(clWindow);
  EXPECT_EQ(S.Row(0)[0] & 0xFFFFFF, ColorToPixel(clWindowFrame));
  EXPECT_EQ(S.Row(1 + 12)[1] & 0xFFFFFF, Highlight);
  EXPECT_EQ(S.Row(1 + 23)[1] & 0xFFFFFF, Highlight);
  EXPECT_EQ(S.Row(1 + 11)[1] & 0xFFFFFF, Window);
  EXPECT_EQ(S.Row(1 + 24)[1] & 0xFFFFFF, Window);
  // The text of the highlighted row is light (the highlight text colour,
  // smoothed at its edges), that of the others dark.
  auto Count = [&S](const TRect& Area, bool Light) {
    int N = 0;
    for (int Y = Area.Top; Y < Area.Bottom; ++Y)
      for (int X = Area.Left; X < Area.Right; ++X) {
        const std::uint32_t P = S.Row(Y)[X];
        const int R = (P >> 16) & 0xFF, G = (P >> 8) & 0xFF, B = P & 0xFF;
        N += Light ? (R > 0xC0 && G > 0xC0 && B > 0xC0) : (R < 0x40 && G < 0x40 && B < 0x40);
      }
    return N;
  };
  EXPECT_GT(Count(TRect{3, 13, 60, 25}, true), 5);
  EXPECT_EQ(Count(TRect{3, 13, 60, 25}, false), 0);
  EXPECT_GT(Count(TRect{3, 1, 60, 13}, false), 5);
  // Moving the pointer moves the highlight.
  TPoint P{20, 2 * 12 + 6};
  ClientToScreen(Box->ListHandle(), P);
  Display.MoveMouse(P.X, P.Y);
  Pump();
  EXPECT_EQ(S.Row(1 + 12)[1] & 0xFFFFFF, Window);
  EXPECT_EQ(S.Row(1 + 24)[1] & 0xFFFFFF, Highlight);
}

TEST_F(ComboBoxTest, TheButtonLooksPushedWhileTheButtonIsHeld) {
  const TRect B = Box->ButtonRect();
  PressAt(Box, B.Left + 5, 10);
  const TSurface& S = *System.BackBufferOf(Form->Handle());
  const TPoint O = Box->ClientToScreen(TPoint{0, 0});
  const TPoint F = Form->ClientToScreen(TPoint{0, 0});
  // A flat button: a shadow outline.
  EXPECT_EQ(S.Row(O.Y - F.Y + B.Top)[O.X - F.X + B.Left] & 0xFFFFFF, ColorToPixel(clBtnShadow));
  Release();
  EXPECT_EQ(S.Row(O.Y - F.Y + B.Top)[O.X - F.X + B.Left] & 0xFFFFFF, ColorToPixel(cl3DLight));
}

// ---- Layouts --------------------------------------------------------------------------------

TEST_F(ComboBoxTest, PublishedPropertiesRoundTripThroughALayout) {
  stocktest::RegisterStockTestClasses();
  stocktest::TStockForm Root(nullptr);
  Root.SetName("Form1");
  auto* Source = new TComboBox(&Root);
  Source->SetParent(&Root);
  Source->SetName("ComboBox1");
  Source->SetDropDownCount(20);
  Source->SetItemHeight(12);
  Source->SetColor(clWhite);
  Source->SetMaxLength(40);
  Source->Items()->Add("weather");
  Source->Items()->Add("\x8C\x9F\x8D\xF5");
  Source->SetText("train");
  const std::string Text = WriteComponentLayout(Root);
  EXPECT_NE(Text.find("DropDownCount = 20"), std::string::npos) << Text;
  EXPECT_NE(Text.find("Items.Strings = ("), std::string::npos) << Text;
  EXPECT_EQ(Text.find("Sorted"), std::string::npos) << Text;

  stocktest::TStockForm Copy(nullptr);
  ReadComponentLayout(Copy, Text);
  auto* Read = dynamic_cast<TComboBox*>(Copy.FindComponent("ComboBox1"));
  ASSERT_NE(Read, nullptr);
  EXPECT_EQ(Read->DropDownCount(), 20);
  EXPECT_EQ(Read->ItemHeight(), 12);
  EXPECT_EQ(Read->Color(), clWhite);
  EXPECT_EQ(Read->MaxLength(), 40);
  EXPECT_EQ(Read->Items()->Text(), Source->Items()->Text());
  EXPECT_EQ(Read->Text(), "train");
  EXPECT_EQ(WriteComponentLayout(Copy), Text);
}

}  // namespace
