#pragma once
// The framework's program-wide mouse state, kept in one place: the
// windowless control holding the mouse (its parent window holds the window
// system's capture for it), the control the pointer was last announced to be
// over, and a drag under way. A control that goes leaves all three.

#include <memory>

#include "framework/forms/DragObject.h"
#include "platform/core/Types.h"
#include "platform/window/WinDefs.h"

// A drag under way: started by BeginDrag, ended by EndDrag.
struct TDragSession {
  TControl* Source = nullptr;
  TDragObject* Object = nullptr;
  std::unique_ptr<TDragObject> OwnedObject;
  bool Started = false;  // past the threshold
  TPoint StartPos;       // screen
  int Threshold = 0;
  TControl* Target = nullptr;
  bool Accepted = false;
  TPoint TargetPos;  // target client coordinates
};

// The control under a screen point across all windows of the program:
// a windowless child when one is there, else the windowed control.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// The control holding the mouse (see TControl::MouseCapture), or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The control the pointer is over, as last announced with CM_MOUSEENTER.
TControl* MouseControl();
// Finds the control under the pointer and announces a change with
// CM_MOUSELEAVE to the old and CM_MOUSEENTER to the new one. The framework
// calls it on pointer moves and when the pointer leaves a window.
void UpdateMouseControl(const TPoint& ScreenPos);
// The pointer left Window for no window of the program: the control under
// it, when it lies in Window, is told CM_MOUSELEAVE.
void LeaveMouseControlOf(TWinControl* Window);
// Window lost the window system's capture to NewCapture: a windowless child
// it held the mouse for holds it no more.
void CaptureLeftWindow(TWinControl* Window, HWND NewCapture);

// The drag under way, or null.
std::unique_ptr<TDragSession>& DragSession();
// Control is being destroyed: it holds the mouse no more, is no longer the
// control under the pointer, ends a drag it started and stops being the
// target of another.
void ControlGone(TControl* Control);
