#include "framework/stdctrls/ExtCtrls.h"

#include "framework/forms/Forms.h"
#include "platform/window/WinUser.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer() {
  FEnabled = false;
  UpdateTimer();
}

void TTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
  if (FInterval == Value) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (FId) {
    KillTimer(nullptr, FId);
    FId = 0;
  }
  if (!FEnabled || FInterval == 0 || !FOnTimer) return;
  FId = SetTimer(nullptr, 0, FInterval, [this](HWND, UINT, UINT_PTR, DWORD) {
    try {
      Timer();
    } catch (...) {
      if (!Application) throw;
      Application->HandleException(this);
    }
  });
}

void TTimer::Timer() {
  // A copy: the handler may replace or clear the event, or destroy the timer.
  const TNotifyEvent Handler = FOnTimer;
  if (Handler) Handler(this);
}

const TPropList& TTimer::PublishedProperties() {
  static const TPropList List =
      TPropertyTable<TTimer>(ComponentPublishedProperties())
          .Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, DefaultIs(1))
          .Integer("Interval", &TTimer::Interval, &TTimer::SetInterval, DefaultIs(1000))
          .Event("OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer);
  return List;
}
