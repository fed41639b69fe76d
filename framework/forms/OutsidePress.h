#pragma once
// TOutsidePress: "close when the user presses elsewhere", written once for
// every window that floats over the others while it is up (a menu, a combo
// box's list, a picker's popup).
//
// While installed it is a mouse hook of the thread. A button press (down or
// double click, client area or frame; frame releases too when asked) that
// the owner's Inside test does not claim calls OnOutside; the press then goes
// on to where it was aimed (pmLetThrough) or is swallowed (pmSwallow).
// Everything else is handed to the next hook untouched. The hook is removed
// by Remove or when the object goes, so it never outlives its owner.

#include <functional>

#include "platform/core/Types.h"
#include "platform/window/WinUser.h"

enum TOutsidePressPassing { pmLetThrough, pmSwallow };

class TOutsidePress {
public:
  // Whether a press belongs to the owner: the window the message is aimed at
  // and the pointer on the screen.
  using TInsideTest = std::function<bool(HWND Window, const TPoint& Screen)>;

  TOutsidePress(TInsideTest Inside, std::function<void()> OnOutside, TOutsidePressPassing Passing);
  ~TOutsidePress() { Remove(); }
  TOutsidePress(const TOutsidePress&) = delete;
  TOutsidePress& operator=(const TOutsidePress&) = delete;

  // Frame button releases outside count as presses too (a release on
  // another window's title bar).
  void SetFrameReleasesToo(bool Value) { FFrameReleasesToo = Value; }

  // Installing twice keeps the one hook.
  void Install();
  void Remove();
  bool Installed() const { return FHook != nullptr; }
  HHOOK Hook() const { return FHook; }

private:
  bool Counts(UINT Msg) const;
  LRESULT HookProc(int Code, WPARAM WParam, LPARAM LParam);

  TInsideTest FInside;
  std::function<void()> FOnOutside;
  TOutsidePressPassing FPassing;
  bool FFrameReleasesToo = false;
  HHOOK FHook = nullptr;
};
