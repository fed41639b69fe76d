#include "framework/forms/ModalLoop.h"

bool RunModalLoop(HWND Owner, HWND ModalWindow, WPARAM IdleKind, const std::function<bool()>& Done,
                  const TModalFilter& Filter) {
  MSG Msg;
  for (;;) {
    if (Done()) return true;
    if (!PeekMessage(Msg, nullptr, 0, 0, PM_REMOVE)) {
      if (Owner && IsWindow(Owner))
        SendMessage(Owner, WM_ENTERIDLE, IdleKind, reinterpret_cast<LPARAM>(ModalWindow));
      if (Done()) return true;
      // Blocks until something can be retrieved; false when nothing ever
      // will.
      if (!WaitMessage()) return false;
      continue;
    }
    if (Msg.message == WM_QUIT) {
      PostQuitMessage(int(Msg.wParam));
      return false;
    }
    if (Filter && Filter(Msg)) continue;
    TranslateMessage(Msg);
    DispatchMessage(Msg);
  }
}

void WakeModalLoop() {
  // A thread message: DispatchMessage ignores it, wherever it is retrieved.
  PostMessage(nullptr, WM_NULL, 0, 0);
}

TWindowDisabler::TWindowDisabler(HWND Except) {
  for (HWND W = GetTopWindow(nullptr); W; W = GetWindow(W, GW_HWNDNEXT))
    if (W != Except && IsWindowVisible(W) && IsWindowEnabled(W)) FDisabled.push_back(W);
  for (HWND W : FDisabled) EnableWindow(W, false);
}

TWindowDisabler::~TWindowDisabler() {
  for (auto It = FDisabled.rbegin(); It != FDisabled.rend(); ++It) EnableWindow(*It, true);
}
