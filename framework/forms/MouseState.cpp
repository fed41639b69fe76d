// The program-wide mouse state (see MouseState.h).

#include "framework/forms/MouseState.h"

#include "framework/forms/Forms.h"
#include "framework/forms/WinControl.h"

namespace {

// A windowless control holding the mouse: its parent window holds the
// window system's capture for it.
TControl* GCaptureControl = nullptr;
// The control the pointer was last announced to be over.
TControl* GMouseControl = nullptr;
// A drag under way.
std::unique_ptr<TDragSession> GDrag;

}  // namespace

std::unique_ptr<TDragSession>& DragSession() { return GDrag; }

void ControlGone(TControl* Control) {
  if (GMouseControl == Control) GMouseControl = nullptr;
  if (GCaptureControl == Control) {
    GCaptureControl = nullptr;
    TWinControl* Parent = Control->Parent();
    if (Parent && Parent->HandleAllocated() && GetCapture() == Parent->WindowHandle())
      ReleaseCapture();
  }
  if (GDrag && (GDrag->Source == Control || GDrag->Target == Control)) {
    if (GDrag->Source == Control)
      GDrag.reset();
    else
      GDrag->Target = nullptr;
  }
}

TControl* GetCaptureControl() {
  TWinControl* Holder = FindControl(GetCapture());
  if (Holder && GCaptureControl && GCaptureControl->Parent() == Holder) return GCaptureControl;
  return Holder;
}

void SetCaptureControl(TControl* Control) {
  ReleaseCapture();
  GCaptureControl = nullptr;
  if (!Control) return;
  auto* Windowed = dynamic_cast<TWinControl*>(Control);
  if (!Windowed) {
    if (!Control->Parent()) return;
    Windowed = Control->Parent();
    GCaptureControl = Control;
  }
  SetCapture(Windowed->Handle());
}

void CaptureLeftWindow(TWinControl* Window, HWND NewCapture) {
  if (GCaptureControl && GCaptureControl->Parent() == Window &&
      NewCapture != Window->WindowHandle())
    GCaptureControl = nullptr;
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
  HWND Window = WindowFromPoint(Pos);
  TWinControl* Control = FindControl(Window);
  // A window that is no control of ours (made by other code inside one of
  // ours) counts as its nearest control parent.
  while (!Control && Window) {
    Window = GetAncestor(Window, GA_PARENT);
    Control = FindControl(Window);
  }
  if (!Control) return nullptr;
  if (TControl* Child = Control->ControlAtPos(Control->ScreenToClient(Pos), AllowDisabled))
    return Child;
  return Control;
}

TControl* MouseControl() { return GMouseControl; }

void UpdateMouseControl(const TPoint& ScreenPos) {
  TControl* New = FindDragTarget(ScreenPos, true);
  if (New == GMouseControl) return;
  TControl* Old = GMouseControl;
  GMouseControl = New;
  if (Old) Old->Perform(CM_MOUSELEAVE, 0, 0);
  // The leave handler may have destroyed New (which clears GMouseControl)
  // or moved the pointer on.
  if (New && GMouseControl == New) New->Perform(CM_MOUSEENTER, 0, 0);
  if (!GMouseControl && Application) Application->CancelHint();
}

// The pointer left a window for none of ours (or for another program):
// the control under it, if it was in that window, is left.
void LeaveMouseControlOf(TWinControl* Window) {
  TControl* Old = GMouseControl;
  if (!Old || !Window->ContainsControl(Old)) return;
  GMouseControl = nullptr;
  Old->Perform(CM_MOUSELEAVE, 0, 0);
  if (Application) Application->CancelHint();
}
