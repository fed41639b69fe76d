// The error box as the application's report of an error that escaped a
// handler: text with its ".", the title as caption, and the program goes on.

#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/dialogs/Dialogs.h"
#include "framework/forms/ModalLoop.h"
#include "framework/stdctrls/StdCtrlsTestSupport.h"

using namespace stocktest;

namespace {

class ErrorBoxTest : public THeadlessFixture {
protected:
  void SetUp() override {
    InstallErrorBox(App);
    App.SetTitle("Scoutlane' 2010");
    Form = MakeForm<TStockForm>();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(20, 20, 200, 40);
    Button = new TSpeedButton(Form);
    Button->SetParent(Form);
    Button->SetBounds(10, 10, 40, 20);
    Form->Show();
    Pump();
    HookIdle(Form->Handle(), [this](WPARAM Kind, HWND Box) {
      if (Kind != kIdleDialog) return;
      Boxes.push_back(GetWindowText(Box));
      for (HWND C = GetWindow(Box, GW_CHILD); C; C = GetWindow(C, GW_HWNDNEXT))
        if (GetWindowLong(C, GWL_ID) == kMsgBoxTextId) Texts.push_back(GetWindowText(C));
      Display.KeyPress(VK_RETURN);
    });
  }
  TStockForm* Form = nullptr;
  TSpeedButton* Button = nullptr;
  std::vector<std::string> Boxes, Texts;
};

TEST_F(ErrorBoxTest, ShowsTheMessageWithItsDotUnderTheTitleAndTheProgramGoesOn) {
  int Clicks = 0;
  Button->OnClick = [&](TObject*) {
    ++Clicks;
    throw Exception("Scoutlane.ini に書き込めません");
  };
  ClickAt(Button, 10, 10);
  EXPECT_EQ(Boxes, std::vector<std::string>{"Scoutlane' 2010"});
  EXPECT_EQ(Texts, std::vector<std::string>{"Scoutlane.ini に書き込めません."});
  EXPECT_EQ(Display.Beeps(), std::vector<unsigned>{MB_ICONHAND});
  // The next click runs the handler again: nothing was left broken.
  ClickAt(Button, 10, 10);
  EXPECT_EQ(Clicks, 2);
  EXPECT_EQ(Texts.size(), 2u);
  EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
}

TEST_F(ErrorBoxTest, AnErrorOfAnotherKindShowsAnEmptyMessage) {
  Button->OnClick = [](TObject*) { throw std::runtime_error("not ours"); };
  ClickAt(Button, 10, 10);
  EXPECT_EQ(Texts, std::vector<std::string>{""});
}

// The forms are destroyed after the loop has quit, and a control that
// cannot save what the user made reports it then: the box must still wait
// for the user, not be closed by the quit the loop was ended with.
TEST_F(ErrorBoxTest, AnErrorAfterTheLoopQuitStillWaitsForTheUser) {
  App.Terminate();
  App.Run();
  try {
    throw Exception("registry.txt に書き込めません");
  } catch (...) {
    App.HandleException(nullptr);
  }
  EXPECT_EQ(Texts, std::vector<std::string>{"registry.txt に書き込めません."});
}

}  // namespace
