#pragma once
// TTimer: a component that fires OnTimer every Interval milliseconds while it
// is enabled. The ticks are the window system's timers, delivered as messages
// on the user-interface thread; a tick that comes late is not made up for.

#include <cstdint>

#include "framework/core/Classes.h"
#include "framework/streaming/StreamingProperties.h"
#include "platform/window/WinDefs.h"

class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  // The timer runs while it is enabled, has a non-zero interval and an
  // OnTimer handler; changing any of them starts the interval anew.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);
  // The window system runs this timer now.
  bool Running() const { return FId != 0; }

  // Enabled (default True), Interval (default 1000), OnTimer.
  static const TPropList& PublishedProperties();

protected:
  // Fires OnTimer. An error it raises goes to the application's error box.
  virtual void Timer();

private:
  void UpdateTimer();

  bool FEnabled = true;
  unsigned FInterval = 1000;
  TNotifyEvent FOnTimer;
  UINT_PTR FId = 0;
};
