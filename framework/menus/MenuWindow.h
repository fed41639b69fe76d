#pragma once
// The window of a shown popup menu and the loop that runs while it is up.
//
// TrackMenu shows the rows at a screen point and returns once the menu has
// closed: with the index of the chosen row, or -1 when it was closed without
// a choice. Like Windows' TrackPopupMenu it runs its own message loop:
//
// - The menu holds the mouse capture. Moving over a row highlights it
//   (separators are never highlighted); releasing a button (left or right)
//   over an enabled row chooses it. A press outside the menu closes it
//   without a choice, and that press is consumed: the window under it never
//   sees it.
// - Keys go to the menu whichever window has the focus: Up and Down move the
//   highlight (wrapping, skipping separators), Home and End go to the first
//   and last row, Enter chooses the highlighted row when it is enabled,
//   Escape, Alt and F10 close the menu. A character chooses the row whose
//   access key it is; when several rows share it, each press moves to the
//   next of them instead, and a character no row has sounds the beep.
// - The menu closes without a choice when it loses the capture (another
//   program takes the pointer), when the program quits, or when no more
//   input can come.
//
// The menu is kept on the screen: where it would run past the right or the
// bottom edge it opens to the left of or above the point, and it never
// starts off the top-left.

#include <vector>

#include "framework/graphics/Graphics.h"
#include "framework/menus/MenuLook.h"
#include "platform/window/WinUser.h"

// Owner: the window the menu belongs to (kept below the menu, told
// WM_ENTERIDLE); may be null. Font: the captions' font (the colour is the
// menu's own).
int TrackMenu(const std::vector<TMenuRow>& Rows, int X, int Y, HWND Owner, const TFont& Font);

// Where a menu of the given size opens for the point on the screen.
TPoint MenuPosition(int X, int Y, int Width, int Height, int ScreenWidth, int ScreenHeight);
