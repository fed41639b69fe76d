// TControl: dragging. The drag under way is part of the mouse state
// (MouseState.h): it starts at BeginDrag, passes its threshold on a move,
// asks the controls under the pointer whether they accept it and ends at the
// release (dropped) or a right press (cancelled).

#include <cstdlib>

#include "framework/forms/MouseState.h"
#include "framework/forms/WinControl.h"

bool TControl::Dragging() const { return DragSession() && DragSession()->Source == this; }

void TControl::BeginDrag(bool Immediate, int Threshold) {
  if (DragSession()) return;
  DragSession() = std::make_unique<TDragSession>();
  DragSession()->Source = this;
  DragSession()->Threshold = Threshold >= 0 ? Threshold : GetSystemMetrics(SM_CXDRAG);
  GetCursorPos(DragSession()->StartPos);
  SetCaptureControl(this);
  if (!Immediate) return;
  // Started at once: the object is made now and the pointer is over the
  // source itself.
  DragSession()->Started = true;
  MakeDragObject();
}

bool TControl::MakeDragObject() {
  TDragObject* Object = nullptr;
  DoStartDrag(Object);
  std::unique_ptr<TDragSession>& Drag = DragSession();
  if (!Drag) return false;  // the handler ended it
  if (!Object) {
    Drag->OwnedObject = std::make_unique<TDragObject>();
    Object = Drag->OwnedObject.get();
  }
  Object->Control = this;
  Drag->Object = Object;
  return true;
}

void TControl::DoStartDrag(TDragObject*& DragObject) {
  if (OnStartDrag) OnStartDrag(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) {
  if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = false;
  if (OnDragOver) {
    Accept = true;
    OnDragOver(this, Source, X, Y, State, Accept);
  }
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
  if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TControl::DragMouseMessage(TMessage& Message) {
  TPoint P;
  GetCursorPos(P);
  TDragSession& Drag = *DragSession();
  if (!Drag.Started) {
    if (Message.Msg == WM_MOUSEMOVE && (std::abs(P.X - Drag.StartPos.X) >= Drag.Threshold ||
                                        std::abs(P.Y - Drag.StartPos.Y) >= Drag.Threshold)) {
      Drag.Started = true;
      if (!MakeDragObject()) return;
    } else if (Message.Msg == WM_LBUTTONUP || Message.Msg == WM_RBUTTONDOWN) {
      // Released before it became a drag.
      EndDrag(false);
      return;
    } else {
      return;
    }
  }
  switch (Message.Msg) {
    case WM_MOUSEMOVE: {
      TControl* Target = FindDragTarget(P, false);
      TObject* Source = DragSession()->Object == DragSession()->OwnedObject.get()
                            ? static_cast<TObject*>(this)
                            : static_cast<TObject*>(DragSession()->Object);
      if (Target != DragSession()->Target && DragSession()->Target) {
        bool Ignored = false;
        const TPoint L = DragSession()->Target->ScreenToClient(P);
        DragSession()->Target->DragOver(Source, L.X, L.Y, dsDragLeave, Ignored);
        if (!DragSession()) return;
      }
      const bool Entering = Target != DragSession()->Target;
      DragSession()->Target = Target;
      DragSession()->Accepted = false;
      if (Target) {
        const TPoint L = Target->ScreenToClient(P);
        bool Accept = false;
        Target->DragOver(Source, L.X, L.Y, Entering ? dsDragEnter : dsDragMove, Accept);
        if (!DragSession()) return;
        DragSession()->Accepted = Accept;
        DragSession()->TargetPos = L;
      }
      ::SetCursor(CursorHandle(DragSession()->Accepted ? FDragCursor : crNoDrop));
      break;
    }
    case WM_LBUTTONUP:
      EndDrag(true);
      break;
    case WM_RBUTTONDOWN:
      EndDrag(false);
      break;
    default:
      break;
  }
}

void TControl::EndDrag(bool Drop) {
  if (!DragSession() || DragSession()->Source != this) return;
  std::unique_ptr<TDragSession> Drag = std::move(DragSession());
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  if (!Drag->Started) return;
  TControl* Target = Drop && Drag->Accepted ? Drag->Target : nullptr;
  TObject* Source = Drag->Object == Drag->OwnedObject.get() ? static_cast<TObject*>(this)
                                                            : static_cast<TObject*>(Drag->Object);
  if (Drag->Object) Drag->Object->Dropped = Target != nullptr;
  if (Target) Target->DragDrop(Source, Drag->TargetPos.X, Drag->TargetPos.Y);
  int X = 0, Y = 0;
  if (Target) {
    X = Drag->TargetPos.X;
    Y = Drag->TargetPos.Y;
  }
  DoEndDrag(Target, X, Y);
}
