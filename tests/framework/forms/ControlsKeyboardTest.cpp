// The keyboard: focus on the first show, Tab order, key events in order,
// handlers that consume a key, the form's key preview, accelerators.

#include <gtest/gtest.h>

#include "framework/HeadlessFixture.h"
#include "framework/forms/ControlsTestClasses.h"

using namespace controlstest;

namespace {

constexpr const char* kLayout = R"(
object Form1: TCtlForm
  Left = 10
  Top = 10
  ClientWidth = 200
  ClientHeight = 60
  BorderStyle = bsToolWindow
  object A: TCtlWindowed
    Left = 10
    Top = 10
    TabOrder = 2
  end
  object B: TCtlWindowed
    Left = 50
    Top = 10
    TabOrder = 0
  end
  object C: TCtlWindowed
    Left = 90
    Top = 10
    TabOrder = 1
  end
  object Label1: TCtlGraphic
    Left = 130
    Top = 10
    Caption = '&Save'
  end
end
)";

class TControlsKeyboardTest : public THeadlessFixture {
protected:
  void SetUp() override {
    RegisterTestClasses();
    Form = MakeForm<TCtlForm>();
    Form->ReadLayoutText(kLayout);
    Form->AfterConstruction();
    Form->BindComponent(A, "A");
    Form->BindComponent(B, "B");
    Form->BindComponent(C, "C");
    Form->BindComponent(Label1, "Label1");
    Form->Show();
    Pump();
    Log().clear();
  }
  std::string FocusedName() {
    TWinControl* W = FindControl(GetFocus());
    return W ? W->Name() : "none";
  }

  TCtlForm* Form = nullptr;
  TCtlWindowed *A = nullptr, *B = nullptr, *C = nullptr;
  TCtlGraphic* Label1 = nullptr;
};

TEST_F(TControlsKeyboardTest, FirstShowFocusesTheFirstControlInTabOrder) {
  EXPECT_EQ(FocusedName(), "B");
  EXPECT_EQ(Form->ActiveControl(), B);
}

TEST_F(TControlsKeyboardTest, TabOrderFromTheLayout) {
  EXPECT_EQ(B->TabOrder(), 0);
  EXPECT_EQ(C->TabOrder(), 1);
  EXPECT_EQ(A->TabOrder(), 2);
}

TEST_F(TControlsKeyboardTest, TabAndShiftTabWalkTheTabOrderAround) {
  Key(VK_TAB);
  EXPECT_EQ(FocusedName(), "C");
  Key(VK_TAB);
  EXPECT_EQ(FocusedName(), "A");
  Key(VK_TAB);
  EXPECT_EQ(FocusedName(), "B");
  Key(VK_TAB, mkShift);
  EXPECT_EQ(FocusedName(), "A");
  // The control itself never saw the Tab as a key.
  EXPECT_EQ(A->Keys.find("D09"), std::string::npos);
}

TEST_F(TControlsKeyboardTest, TabSkipsHiddenDisabledAndNonStopControls) {
  C->SetEnabled(false);
  Key(VK_TAB);
  EXPECT_EQ(FocusedName(), "A");
  C->SetEnabled(true);
  B->Hide();
  A->SetTabStop(false);
  Key(VK_TAB);
  EXPECT_EQ(FocusedName(), "C");
}

TEST_F(TControlsKeyboardTest, ChangedTabOrderIsFollowed) {
  A->SetTabOrder(0);
  EXPECT_EQ(A->TabOrder(), 0);
  EXPECT_EQ(B->TabOrder(), 1);
  Key(VK_TAB);  // from B, now second
  EXPECT_EQ(FocusedName(), "C");
}

TEST_F(TControlsKeyboardTest, ControlThatWantsTabGetsItAsAKey) {
  B->DlgCode = DLGC_WANTTAB;
  Key(VK_TAB);
  EXPECT_EQ(FocusedName(), "B");
  EXPECT_NE(B->Keys.find("D09"), std::string::npos);
}

TEST_F(TControlsKeyboardTest, EnterAndExitFollowTheFocus) {
  std::vector<std::string> Events;
  for (TCtlWindowed* W : {A, B, C}) {
    W->OnEnter = [&Events](TObject* S) { Events.push_back("Enter " + NameOf(S)); };
    W->OnExit = [&Events](TObject* S) { Events.push_back("Exit " + NameOf(S)); };
  }
  Key(VK_TAB);
  EXPECT_EQ(Events, (std::vector<std::string>{"Exit B", "Enter C"}));
  EXPECT_GT(A->FocusChanges, 0);  // every control hears of it
}

TEST_F(TControlsKeyboardTest, KeyEventsArriveInOrder) {
  Display.KeyDown('A');
  Display.TypeText("a");
  Display.KeyUp('A');
  Pump();
  EXPECT_EQ(B->Keys, "D41 P61 U41 ");
}

TEST_F(TControlsKeyboardTest, KeyDownHandlerCanChangeTheKey) {
  B->OnKeyDown = [](TObject*, WORD& Key, TShiftState) {
    if (Key == VK_LEFT) Key = VK_RIGHT;
  };
  Key(VK_LEFT);
  // The control's own KeyDown runs after the event and sees the new key.
  EXPECT_EQ(B->Keys.substr(0, 3), "D27");
}

TEST_F(TControlsKeyboardTest, ConsumedKeyDownSkipsTheDefaultHandling) {
  // Alt+F4 is the window's default handling of a system key: it closes.
  bool Closed = false;
  Form->OnClose = [&](TObject*, TCloseAction& Action) {
    Closed = true;
    Action = caNone;
  };
  B->OnKeyDown = [](TObject*, WORD& Key, TShiftState Shift) {
    if (Key == VK_F4 && (Shift & ssAlt)) Key = 0;
  };
  Key(VK_F4, mkAlt);
  EXPECT_FALSE(Closed);
  B->OnKeyDown = nullptr;
  Key(VK_F4, mkAlt);
  EXPECT_TRUE(Closed);
}

TEST_F(TControlsKeyboardTest, ConsumedKeyPressIsNoAccelerator) {
  Label1->Accelerator = 's';
  B->OnKeyPress = [](TObject*, char& Key) {
    if (Key == 's') Key = 0;
  };
  Display.TypeText("s");
  Pump();
  EXPECT_TRUE(Log().empty());
  B->OnKeyPress = nullptr;
  Display.TypeText("s");
  Pump();
  EXPECT_EQ(Log(), (std::vector<std::string>{"Accelerator Label1"}));
}

TEST_F(TControlsKeyboardTest, ControlThatWantsCharactersKeepsThem) {
  Label1->Accelerator = 's';
  B->DlgCode = DLGC_WANTCHARS;
  Display.TypeText("s");
  Pump();
  EXPECT_TRUE(Log().empty());
}

TEST_F(TControlsKeyboardTest, AltLetterReachesTheAcceleratorOfAWindowlessControl) {
  Label1->Accelerator = 's';
  Key('S', mkAlt);
  EXPECT_EQ(Log(), (std::vector<std::string>{"Accelerator Label1"}));
}

TEST_F(TControlsKeyboardTest, KeyPreviewLetsTheFormSeeAndTakeKeysFirst) {
  std::string Seen;
  Form->SetKeyPreview(true);
  Form->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) {
    Seen += "F" + std::to_string(Key) + " ";
    if (Key == VK_F2) Key = 0;
  };
  Key(VK_F3);
  Key(VK_F2);
  EXPECT_EQ(Seen, "F114 F113 ");
  EXPECT_NE(B->Keys.find("D72"), std::string::npos);
  EXPECT_EQ(B->Keys.find("D71"), std::string::npos);
}

TEST_F(TControlsKeyboardTest, SetFocusMovesTheFocusAndRefusesHiddenControls) {
  A->SetFocus();
  EXPECT_EQ(FocusedName(), "A");
  EXPECT_TRUE(A->Focused());
  C->Hide();
  EXPECT_THROW(C->SetFocus(), EInvalidOperation);
  EXPECT_EQ(FocusedName(), "A");
}

TEST_F(TControlsKeyboardTest, HidingTheFocusedControlMovesTheFocusOff) {
  B->Hide();
  Pump();
  EXPECT_NE(FocusedName(), "B");
  EXPECT_EQ(Form->ActiveControl(), nullptr);
  Key(VK_TAB);
  EXPECT_EQ(FocusedName(), "C");
}

TEST_F(TControlsKeyboardTest, DestroyingTheFocusedControlLeavesNoDanglingActiveControl) {
  delete B;
  EXPECT_EQ(Form->ActiveControl(), nullptr);
  Key(VK_TAB);
  EXPECT_EQ(FocusedName(), "C");
}

TEST_F(TControlsKeyboardTest, ReactivatedFormGivesTheFocusBackToItsControl) {
  C->SetFocus();
  auto* Other = MakeForm<TForm>();
  Other->SetBounds(300, 300, 50, 50);
  Other->Show();
  Pump();
  EXPECT_EQ(Screen->ActiveForm(), Other);
  SetActiveWindow(Form->Handle());
  Pump();
  EXPECT_EQ(FocusedName(), "C");
}

}  // namespace
