#include "framework/forms/OutsidePress.h"

#include "platform/window/MouseMessages.h"

TOutsidePress::TOutsidePress(TInsideTest Inside, std::function<void()> OnOutside,
                             TOutsidePressPassing Passing)
    : FInside(std::move(Inside)), FOnOutside(std::move(OnOutside)), FPassing(Passing) {}

void TOutsidePress::Install() {
  if (FHook) return;
  FHook = SetWindowsHookEx(WH_MOUSE, [this](int Code, WPARAM WParam, LPARAM LParam) {
    return HookProc(Code, WParam, LParam);
  });
}

void TOutsidePress::Remove() {
  if (FHook) UnhookWindowsHookEx(FHook);
  FHook = nullptr;
}

bool TOutsidePress::Counts(UINT Msg) const {
  if (IsButtonPress(Msg)) return true;
  return FFrameReleasesToo && IsNonClientMouseMessage(Msg) && IsButtonUp(Msg);
}

LRESULT TOutsidePress::HookProc(int Code, WPARAM WParam, LPARAM LParam) {
  // Read before OnOutside runs: closing usually removes this hook, and may
  // free the owner with it.
  const HHOOK Self = FHook;
  const TOutsidePressPassing Passing = FPassing;
  if (Code == HC_ACTION && Counts(UINT(WParam))) {
    const auto* Info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam);
    if (!FInside(Info->hwnd, Info->pt)) {
      FOnOutside();
      if (Passing == pmSwallow) return 1;
    }
  }
  return CallNextHookEx(Self, Code, WParam, LParam);
}
