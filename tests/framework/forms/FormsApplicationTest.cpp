// The application object: errors that escape handlers reach the error box
// and the loop goes on; the error text; hint timing through the presenter.

#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/HeadlessFixture.h"
#include "framework/forms/ControlsTestClasses.h"

using namespace controlstest;

namespace {

class TFormsApplicationTest : public THeadlessFixture {
protected:
  void SetUp() override {
    RegisterTestClasses();
    Log().clear();
    App.SetTitle("Scoutlane' 2010");
    Form = MakeForm<TCtlForm>();
    Form->SetName("Form1");
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(100, 100, 200, 100);
    First = new TCtlGraphic(Form);
    First->SetName("First");
    First->SetBounds(10, 10, 40, 40);
    First->SetParent(Form);
    Second = new TCtlGraphic(Form);
    Second->SetName("Second");
    Second->SetBounds(60, 10, 40, 40);
    Second->SetParent(Form);
    Form->Show();
    Pump();
  }

  TCtlForm* Form = nullptr;
  TCtlGraphic* First = nullptr;
  TCtlGraphic* Second = nullptr;
};

TEST_F(TFormsApplicationTest, ErrorInAHandlerIsShownAndTheLoopGoesOn) {
  int SecondClicks = 0;
  First->OnClick = [](TObject*) { throw Exception("検索できません"); };
  Second->OnClick = [&](TObject*) { ++SecondClicks; };
  // A user's clicks, handled by the program's loop.
  for (int X : {120, 170, 120}) {
    Display.MoveMouse(X, 120);
    Display.Click();
    Display.AdvanceTime(1000);
  }
  App.Run();
  ASSERT_EQ(Errors.size(), 2u);
  EXPECT_EQ(Errors[0], std::string("検索できません") + ".");
  EXPECT_EQ(ErrorCaptions[0], "Scoutlane' 2010");
  EXPECT_EQ(SecondClicks, 1);
  // The failed press left nothing behind: no capture, the form still works.
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TFormsApplicationTest, ErrorThatIsNoExceptionHasAnEmptyMessage) {
  First->OnClick = [](TObject*) { throw std::runtime_error("internal"); };
  ClickAt(Form, 20, 20);
  EXPECT_EQ(Errors, (std::vector<std::string>{""}));
}

TEST_F(TFormsApplicationTest, OnExceptionTakesTheErrorInsteadOfTheBox) {
  std::string Seen;
  App.OnException = [&](TObject* Sender, std::exception_ptr Error) {
    try {
      std::rethrow_exception(Error);
    } catch (const Exception& E) {
      Seen = NameOf(Sender) + ": " + E.Message();
    }
  };
  First->OnClick = [](TObject*) { throw Exception("x"); };
  ClickAt(Form, 20, 20);
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(Seen, "Form1: x");
}

struct TErrorText {
  const char* Message;
  const char* Shown;
};

class TErrorTextTest : public THeadlessFixture, public ::testing::WithParamInterface<TErrorText> {};

// A '.' follows a message whose last character's code is above '.'.
TEST_P(TErrorTextTest, ErrorBoxText) {
  App.ShowException(GetParam().Message);
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_EQ(Errors[0], GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, TErrorTextTest,
    ::testing::Values(TErrorText{"", ""}, TErrorText{"abc", "abc."}, TErrorText{"done.", "done."},
                      TErrorText{"(see log)", "(see log)"},  // ')' is below '.'
                      TErrorText{"wait!", "wait!"}, TErrorText{"a/b/", "a/b/."},
                      TErrorText{"設定ファイル", "設定ファイル."},  // double-byte last character
                      TErrorText{"ｻｲﾄ", "ｻｲﾄ."},                    // half-width kana
                      TErrorText{"ソ", "ソ."}));  // trail byte 0x5C is part of the character

// ---- hints

class TRecordingPresenter : public THintPresenter {
public:
  void ShowHint(const THintInfo& Info) override {
    Shown.push_back(Info.HintStr);
    LastPos = Info.HintPos;
    LastControl = Info.HintControl;
  }
  void HideHint() override { ++Hidden; }
  std::vector<std::string> Shown;
  TPoint LastPos;
  TControl* LastControl = nullptr;
  int Hidden = 0;
};

class THintTest : public TFormsApplicationTest {
protected:
  void SetUp() override {
    TFormsApplicationTest::SetUp();
    App.SetHintPresenter(&Presenter);
    First->SetHint("最初|長い説明");
    First->SetShowHint(true);
    Second->SetHint("二番目");
    Second->SetShowHint(true);
  }
  void TearDown() override { App.SetHintPresenter(nullptr); }
  TRecordingPresenter Presenter;
};

TEST_F(THintTest, HintShowsAfterTheUsualPauseBelowThePointer) {
  MoveTo(Form, 20, 20);
  Wait(499);
  EXPECT_TRUE(Presenter.Shown.empty());
  Wait(1);
  EXPECT_EQ(Presenter.Shown, (std::vector<std::string>{"最初"}));
  EXPECT_EQ(Presenter.LastControl, First);
  EXPECT_EQ(Presenter.LastPos.X, 120);
  EXPECT_EQ(Presenter.LastPos.Y, 120 + 20);
  EXPECT_TRUE(App.HintShowing());
}

TEST_F(THintTest, MovingOnTheControlStartsTheWaitAnew) {
  MoveTo(Form, 20, 20);
  Wait(400);
  MoveTo(Form, 22, 21);
  Wait(400);
  EXPECT_TRUE(Presenter.Shown.empty());
  Wait(100);
  EXPECT_EQ(Presenter.Shown.size(), 1u);
  EXPECT_EQ(Presenter.LastPos.X, 122);
  // Once shown, moving on the control keeps it.
  MoveTo(Form, 30, 30);
  EXPECT_EQ(Presenter.Hidden, 0);
}

TEST_F(THintTest, HintHidesAfterItsTimeAndDoesNotComeBackWhileThePointerStays) {
  MoveTo(Form, 20, 20);
  Wait(500);
  Wait(2499);
  EXPECT_EQ(Presenter.Hidden, 0);
  Wait(1);
  EXPECT_EQ(Presenter.Hidden, 1);
  MoveTo(Form, 25, 25);
  Wait(3000);
  EXPECT_EQ(Presenter.Shown.size(), 1u);
}

TEST_F(THintTest, PressHidesTheHint) {
  MoveTo(Form, 20, 20);
  Wait(500);
  Display.Press();
  Pump();
  EXPECT_EQ(Presenter.Hidden, 1);
  EXPECT_FALSE(App.HintShowing());
  Display.Release();
  Pump();
}

TEST_F(THintTest, LeavingTheFormHidesTheHintAndStopsTheWait) {
  MoveTo(Form, 20, 20);
  Wait(500);
  Display.MoveMouse(700, 700);
  Pump();
  EXPECT_EQ(Presenter.Hidden, 1);
  MoveTo(Form, 20, 20);
  Display.MoveMouse(700, 700);
  Pump();
  Wait(1000);
  EXPECT_EQ(Presenter.Shown.size(), 1u);
}

TEST_F(THintTest, MovingToAnotherHintControlWhileShowingTakesTheShortPause) {
  MoveTo(Form, 20, 20);
  Wait(500);
  MoveTo(Form, 70, 20);
  Wait(49);
  EXPECT_EQ(Presenter.Shown.size(), 1u);
  Wait(1);
  EXPECT_EQ(Presenter.Shown, (std::vector<std::string>{"最初", "二番目"}));
}

TEST_F(THintTest, ControlsWithoutHintOrShowHintShowNone) {
  Second->SetShowHint(false);
  MoveTo(Form, 70, 20);
  Wait(1000);
  First->SetHint("");
  MoveTo(Form, 20, 20);
  Wait(1000);
  EXPECT_TRUE(Presenter.Shown.empty());
}

TEST_F(THintTest, ApplicationWideSwitchTurnsHintsOff) {
  App.SetShowHint(false);
  MoveTo(Form, 20, 20);
  Wait(1000);
  EXPECT_TRUE(Presenter.Shown.empty());
  App.SetShowHint(true);
}

TEST_F(THintTest, ShowHintFollowsTheParent) {
  auto* Third = new TCtlGraphic(Form);
  Third->SetBounds(110, 10, 40, 40);
  Third->SetHint("三番目");
  Third->SetParent(Form);
  EXPECT_FALSE(Third->ShowHint());
  Form->SetShowHint(true);
  EXPECT_TRUE(Third->ShowHint());
  EXPECT_TRUE(First->ShowHint());  // set on its own: stays
  Form->SetShowHint(false);
  EXPECT_FALSE(Third->ShowHint());
  EXPECT_TRUE(First->ShowHint());
}

TEST_F(THintTest, DestroyingTheHintControlCancelsTheHint) {
  MoveTo(Form, 20, 20);
  Wait(500);
  delete First;
  EXPECT_EQ(Presenter.Hidden, 1);
  EXPECT_EQ(App.HintControl(), nullptr);
  Wait(3000);
}

}  // namespace
