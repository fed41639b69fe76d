#pragma once
// Which mouse messages a message number is: the one place that knows the
// ranges, for routing, modal loops and every "close on a press elsewhere".
//
// Client messages run from WM_MOUSEMOVE to WM_MOUSEHWHEEL, frame (non-client)
// messages from WM_NCMOUSEMOVE to WM_NCMBUTTONDBLCLK; in both, the left,
// right and middle buttons each have down, up and double-click numbers in
// that order.

#include "platform/window/WinDefs.h"

// Any mouse message, of the client area or of the frame.
inline bool IsClientMouseMessage(UINT M) { return M >= WM_MOUSEFIRST && M <= WM_MOUSELAST; }
inline bool IsNonClientMouseMessage(UINT M) {
  return M >= WM_NCMOUSEMOVE && M <= WM_NCMBUTTONDBLCLK;
}
inline bool IsMouseMessage(UINT M) { return IsClientMouseMessage(M) || IsNonClientMouseMessage(M); }

// A left, right or middle button going down, coming up or double-clicking in
// the client area.
inline bool IsClientButtonMessage(UINT M) { return M >= WM_LBUTTONDOWN && M <= WM_MBUTTONDBLCLK; }

namespace mousemessages {
// Position of a button message within its button's three: 0 down, 1 up,
// 2 double click; -1 for any other message.
inline int ButtonStep(UINT M) {
  if (IsClientButtonMessage(M)) return int(M - WM_LBUTTONDOWN) % 3;
  if (M >= WM_NCLBUTTONDOWN && M <= WM_NCMBUTTONDBLCLK) return int(M - WM_NCLBUTTONDOWN) % 3;
  return -1;
}
}  // namespace mousemessages

// A button going down (not a double click), client area or frame.
inline bool IsButtonDown(UINT M) { return mousemessages::ButtonStep(M) == 0; }
// A button coming up, client area or frame.
inline bool IsButtonUp(UINT M) { return mousemessages::ButtonStep(M) == 1; }
// A press: a button going down or its double click, client area or frame.
inline bool IsButtonPress(UINT M) {
  const int Step = mousemessages::ButtonStep(M);
  return Step == 0 || Step == 2;
}
// A press in the client area only.
inline bool IsClientButtonPress(UINT M) { return IsClientButtonMessage(M) && IsButtonPress(M); }
