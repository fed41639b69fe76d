// TTimer on the window system's timers and the virtual clock.

#include <gtest/gtest.h>

#include "framework/HeadlessFixture.h"
#include "framework/forms/ControlsTestClasses.h"
#include "framework/stdctrls/ExtCtrls.h"

namespace {

class TTimerTest : public THeadlessFixture {
protected:
  TTimer* MakeTimer(unsigned Interval) {
    auto* Timer = new TTimer(&App);
    Timer->SetInterval(Interval);
    Timer->SetOnTimer([this](TObject*) { ++Ticks; });
    return Timer;
  }
  int Ticks = 0;
};

TEST_F(TTimerTest, FiresEveryInterval) {
  MakeTimer(200);
  Wait(199);
  EXPECT_EQ(Ticks, 0);
  Wait(1);
  EXPECT_EQ(Ticks, 1);
  Wait(200);
  EXPECT_EQ(Ticks, 2);
}

TEST_F(TTimerTest, LateTicksDoNotPileUp) {
  MakeTimer(200);
  Wait(1000);
  EXPECT_EQ(Ticks, 1);
}

TEST_F(TTimerTest, RunsOnlyWhenEnabledWithIntervalAndHandler) {
  auto* Timer = new TTimer(&App);
  EXPECT_FALSE(Timer->Running());  // no handler
  Timer->SetOnTimer([this](TObject*) { ++Ticks; });
  EXPECT_TRUE(Timer->Running());
  Timer->SetEnabled(false);
  EXPECT_FALSE(Timer->Running());
  Wait(5000);
  EXPECT_EQ(Ticks, 0);
  Timer->SetEnabled(true);
  Timer->SetInterval(0);
  EXPECT_FALSE(Timer->Running());
}

TEST_F(TTimerTest, ChangesStartTheIntervalAnew) {
  TTimer* Timer = MakeTimer(200);
  Wait(150);
  Timer->SetInterval(100);
  Wait(99);
  EXPECT_EQ(Ticks, 0);
  Wait(1);
  EXPECT_EQ(Ticks, 1);
  Wait(50);
  Timer->SetEnabled(false);
  Timer->SetEnabled(true);
  Wait(99);
  EXPECT_EQ(Ticks, 1);
  Wait(1);
  EXPECT_EQ(Ticks, 2);
}

TEST_F(TTimerTest, HandlerMayDestroyItsTimer) {
  auto* Timer = new TTimer(&App);
  Timer->SetInterval(50);
  Timer->SetOnTimer([&](TObject* Sender) {
    ++Ticks;
    delete Sender;
  });
  Wait(50);
  Wait(50);
  EXPECT_EQ(Ticks, 1);
  EXPECT_EQ(App.ComponentCount(), 0);
}

TEST_F(TTimerTest, AnErrorInTheHandlerIsShownAndTheTimerGoesOn) {
  auto* Timer = new TTimer(&App);
  Timer->SetInterval(100);
  Timer->SetOnTimer([&](TObject*) {
    ++Ticks;
    throw Exception("タイマーの失敗");
  });
  Wait(100);
  Wait(100);
  EXPECT_EQ(Ticks, 2);
  ASSERT_EQ(Errors.size(), 2u);
  EXPECT_EQ(Errors[0], std::string("タイマーの失敗") + ".");
}

TEST_F(TTimerTest, DestroyedTimerStopsFiring) {
  TTimer* Timer = MakeTimer(100);
  Wait(100);
  delete Timer;
  Wait(500);
  EXPECT_EQ(Ticks, 1);
}

TEST_F(TTimerTest, LayoutSetsIntervalAndBindsTheHandler) {
  controlstest::RegisterTestClasses();
  static bool Registered = false;
  if (!Registered) {
    RegisterClass<TTimer>("TTimer");
    Registered = true;
  }
  auto* Form = MakeForm<controlstest::TCtlForm>();
  Form->FMethods.AddFunction("Tick", TNotifyEvent([this](TObject*) { ++Ticks; }));
  Form->ReadLayoutText(R"(
object Form1: TCtlForm
  object Timer1: TTimer
    Interval = 300
    OnTimer = Tick
  end
end
)");
  TTimer* Timer = nullptr;
  Form->BindComponent(Timer, "Timer1");
  EXPECT_EQ(Timer->Interval(), 300u);
  Wait(300);
  EXPECT_EQ(Ticks, 1);
}

}  // namespace
