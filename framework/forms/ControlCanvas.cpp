// TControlCanvas: the canvas a control draws with, on the paint context or
// on a window context it takes for itself.

#include "framework/forms/ControlCanvas.h"

#include <algorithm>
#include <vector>

#include "framework/forms/WinControl.h"

namespace {

// Canvases that hold a window context of their own, to give back at
// FreeDeviceContexts.
std::vector<TControlCanvas*>& CanvasesWithContext() {
  static std::vector<TControlCanvas*> List;
  return List;
}

}  // namespace

// ---- TControlCanvas ------------------------------------------------------------

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  if (!FControl || FOwnDC) return;
  auto* Windowed = dynamic_cast<TWinControl*>(FControl);
  TWinControl* Window = Windowed ? Windowed : FControl->Parent();
  if (!Window) return;
  const HWND Handle = Window->Handle();
  HDC DC = GetDC(Handle);
  if (!DC) return;
  if (!Windowed) {
    // A windowless control draws in its parent's window, at its own place
    // and no further.
    const TPoint O = DC->State().Origin;
    DC->SetViewportOrg(O.X + FControl->Left(), O.Y + FControl->Top());
    DC->IntersectClipRect(TRect{0, 0, FControl->Width(), FControl->Height()});
  }
  FOwnDC = DC;
  FOwnWindow = Handle;
  CanvasesWithContext().push_back(this);
  SetHandle(DC);
}

void TControlCanvas::FreeHandle() {
  if (!FOwnDC) return;
  SetHandle(nullptr);
  ReleaseDC(FOwnWindow, FOwnDC);
  FOwnDC = nullptr;
  FOwnWindow = nullptr;
  auto& List = CanvasesWithContext();
  List.erase(std::remove(List.begin(), List.end(), this), List.end());
}

void FreeDeviceContexts() {
  const std::vector<TControlCanvas*> List = CanvasesWithContext();
  for (TControlCanvas* Canvas : List) Canvas->FreeHandle();
}
