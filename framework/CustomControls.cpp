// The painting controls: TGraphicControl (windowless, painted by its
// parent) and TCustomControl (its own window), and the canvas they share.

#include <algorithm>
#include <vector>

#include "framework/CanvasBinding.h"
#include "framework/Controls.h"

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

// ---- TGraphicControl ---------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      WMPaint(Message);
      break;
    default:
      TControl::Dispatch(Message);
      break;
  }
}

void TGraphicControl::WMPaint(TMessage& Message) {
  if (!Message.WParam || HasState(csDestroying)) return;
  TCanvasBinding Binding(*FCanvas, reinterpret_cast<HDC>(Message.WParam));
  Paint();
}

// ---- TCustomControl ----------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() {
  // The canvas may hold a context of the window that is about to go.
  FCanvas->FreeHandle();
}

void TCustomControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      WMPaint(Message);
      break;
    default:
      TWinControl::Dispatch(Message);
      break;
  }
}

void TCustomControl::WMPaint(TMessage& Message) {
  FControlState |= csCustomPaint;
  struct TClear {
    TControlState& State;
    ~TClear() { State &= ~TControlState(csCustomPaint); }
  } Clear{FControlState};
  TWinControl::WMPaint(Message);
}

void TCustomControl::PaintWindow(HDC DC) {
  TCanvasBinding Binding(*FCanvas, DC);
  Paint();
}
