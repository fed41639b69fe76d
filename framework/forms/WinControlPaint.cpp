// TWinControl: invalidating and painting, the windowless children after the
// control's own face.

#include <algorithm>
#include <optional>

#include "framework/forms/Controls.h"
#include "platform/gdi/Primitives.h"
#include "platform/window/PaintDC.h"

// ---- painting -----------------------------------------------------------------------

void TWinControl::Invalidate() {
  if (FHandle) ::InvalidateRect(FHandle, nullptr, !(FControlStyle & csOpaque));
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
  if (!DC) return;
  TDCStateSaver Saver(*DC);
  // The client area lies inside the frame by the frame's width.
  TPoint Inset{0, 0};
  if (FHandle) {
    TRect Window;
    GetWindowRect(FHandle, Window);
    const TPoint Client = ClientOrigin();
    Inset = TPoint{Client.X - Window.Left, Client.Y - Window.Top};
  }
  const TPoint Origin = DC->State().Origin;
  DC->SetViewportOrg(Origin.X + X + Inset.X, Origin.Y + Y + Inset.Y);
  if (!DC->IntersectClipRect(ClientRect())) return;
  FControlState |= csPaintCopy;
  struct TClear {
    TControlState& State;
    ~TClear() { State &= ~TControlState(csPaintCopy); }
  } Clear{FControlState};
  Perform(WM_ERASEBKGND, WPARAM(DC), 0);
  Perform(WM_PAINT, WPARAM(DC), 0);
  for (TWinControl* W : FWinControls)
    if (W->Visible()) W->PaintTo(DC, W->Left(), W->Top());
}

void TWinControl::WMPaint(TMessage& Message) {
  // Painting into a given context (PaintTo) is always the framework's.
  if (!Message.WParam && !(FControlState & csCustomPaint) && FControls.empty())
    DefaultHandler(Message);
  else
    PaintHandler(Message);
}

void TWinControl::PaintHandler(TMessage& Message) {
  HDC DC = reinterpret_cast<HDC>(Message.WParam);
  // Without a context given (PaintTo), the paint of this WM_PAINT.
  std::optional<TPaintDC> Own;
  if (!DC) DC = Own.emplace(FHandle);
  if (!DC) return;
  {
    // The face is not painted where opaque windowless children cover it.
    TDCStateSaver Saver(*DC);
    bool Visible = true;
    for (TControl* C : FControls)
      if (C->Visible() && (C->ControlStyle() & csOpaque) && !DC->ExcludeClipRect(C->BoundsRect())) {
        Visible = false;
        break;
      }
    if (Visible) PaintWindow(DC);
  }
  PaintControls(DC, nullptr);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  std::size_t Start = 0;
  if (First) {
    auto It = std::find(FControls.begin(), FControls.end(), First);
    if (It != FControls.end()) Start = std::size_t(It - FControls.begin());
  }
  TRect Box;
  if (!DC->GetClipBox(Box)) return;
  // A copy: a control's paint may not change the list under us.
  const std::vector<TControl*> List(FControls.begin() + long(Start), FControls.end());
  for (TControl* C : List) {
    if (!C->Visible()) continue;
    const TRect R = C->BoundsRect();
    if (R.IsEmpty() || R.Right <= Box.Left || R.Left >= Box.Right || R.Bottom <= Box.Top ||
        R.Top >= Box.Bottom)
      continue;
    TDCStateSaver Saver(*DC);
    const TPoint Origin = DC->State().Origin;
    DC->SetViewportOrg(Origin.X + R.Left, Origin.Y + R.Top);
    if (!DC->IntersectClipRect(TRect{0, 0, R.Width(), R.Height()})) continue;
    C->Perform(WM_PAINT, WPARAM(DC), 0);
  }
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  HDC DC = reinterpret_cast<HDC>(Message.WParam);
  if (!DC) {
    DefaultHandler(Message);
    return;
  }
  Message.Result = 1;
  // An opaque control paints every pixel itself.
  if (FControlStyle & csOpaque) return;
  TDCStateSaver Saver(*DC);
  for (TControl* C : FControls)
    if (C->Visible() && (C->ControlStyle() & csOpaque) && !DC->ExcludeClipRect(C->BoundsRect()))
      return;
  FillRect(*DC, ClientRect(), SolidBrush(Color()));
}
