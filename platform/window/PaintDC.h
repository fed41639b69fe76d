#pragma once
// TPaintDC: the paint context of one WM_PAINT, from BeginPaint to EndPaint.
// The window is validated when the scope ends, also when an error leaves
// it, so a paint that fails is not asked for again and again.

#include "platform/window/WinUser.h"

class TPaintDC {
public:
  explicit TPaintDC(HWND Window) : FWindow(Window), FDC(BeginPaint(Window, FPaint)) {}
  ~TPaintDC() { EndPaint(FWindow, FPaint); }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;

  // Null when there is nothing to paint with (a window already gone).
  HDC Handle() const { return FDC; }
  operator HDC() const { return FDC; }
  const PAINTSTRUCT& Paint() const { return FPaint; }

private:
  HWND FWindow;
  PAINTSTRUCT FPaint;
  HDC FDC;
};
