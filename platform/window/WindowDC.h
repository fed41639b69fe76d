#pragma once
// TWindowDC: a client-area context taken with GetDC for one scope and given
// back with ReleaseDC when the scope ends, also when an error leaves it.
// TWindowDC(nullptr) is the surface-less screen context used for measuring.

#include "platform/window/WinUser.h"

class TWindowDC {
public:
  explicit TWindowDC(HWND Window) : FWindow(Window), FDC(GetDC(Window)) {}
  ~TWindowDC() {
    if (FDC) ReleaseDC(FWindow, FDC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;

  // Null when the window system gave no context (a window already gone).
  HDC Handle() const { return FDC; }
  operator HDC() const { return FDC; }

private:
  HWND FWindow;
  HDC FDC;
};
