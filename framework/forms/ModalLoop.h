#pragma once
// The nested message loop that menus and message boxes run while they are
// up, as Windows runs one inside TrackPopupMenu and MessageBox.
//
// Each round takes one message and offers it to Filter first (a menu eats
// keys, a dialog handles Enter and Escape); what Filter leaves is translated
// and dispatched as usual, so the program's other windows keep painting and
// timers keep running. When the queue is empty the owner window gets
// WM_ENTERIDLE (WParam: kIdleDialog or kIdleMenu, LParam: the modal window),
// again as on Windows; tests act there, the way a user acts while a box is
// shown.
//
// The loop ends when Done answers true, when WM_QUIT arrives (it is posted
// again so the outer loop ends too), or when no more input can ever come
// (the headless backend with an empty queue). It answers whether it ended
// because Done said so.

#include <functional>
#include <vector>

#include "platform/window/WinUser.h"

// The WParam of WM_ENTERIDLE: who is idle.
constexpr WPARAM kIdleDialog = 0;  // MSGF_DIALOGBOX
constexpr WPARAM kIdleMenu = 2;    // MSGF_MENU

// Answers true when it handled the message itself.
using TModalFilter = std::function<bool(MSG& Msg)>;

bool RunModalLoop(HWND Owner, HWND ModalWindow, WPARAM IdleKind, const std::function<bool()>& Done,
                  const TModalFilter& Filter);

// Wakes a modal loop that waits for input: a window procedure that ends the
// loop (sets what Done reads) while input is being sorted out, where no
// message results (the capture taken away as the program loses the focus),
// calls it so the loop looks at Done again instead of waiting on.
void WakeModalLoop();

// The program's shown, enabled top-level windows other than Except, disabled
// while the object lives and enabled again (in reverse order) when it goes:
// what a modal window does to the rest of the program.
class TWindowDisabler {
public:
  explicit TWindowDisabler(HWND Except);
  ~TWindowDisabler();
  TWindowDisabler(const TWindowDisabler&) = delete;
  TWindowDisabler& operator=(const TWindowDisabler&) = delete;

private:
  std::vector<HWND> FDisabled;
};
