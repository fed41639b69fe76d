#pragma once
// The control classes: TControl (every visual component), TWinControl (a
// control with its own platform window), TGraphicControl (a windowless
// control painted by its parent) and TCustomControl (a windowed control
// that paints itself on a canvas), plus the small abstract popup-menu base
// that controls open on a right click.
//
// Parents and children: a control's Parent lists it (windowless children in
// creation order, windowed children in creation order), but never owns it;
// the Owner destroys it. A TWinControl's window is made on demand (Handle,
// HandleNeeded) and bound to the object: the window procedure forwards every
// message to WndProc, which dispatches it; what no handler takes goes to
// DefaultHandler and from there to the window system's DefWindowProc.
//
// Windowless children get their mouse messages through the parent: the
// parent finds the topmost windowless child under the pointer (the last
// created one first) and hands it the message in the child's coordinates.
// They are painted by the parent after its own face, in creation order, each
// with the origin moved to the child and the drawing clipped to it.
//
// The pointer entering and leaving controls is announced with CM_MOUSEENTER
// and CM_MOUSELEAVE, for windowless and windowed controls alike; the window
// system's leave tracking tells when the pointer leaves a window altogether.
//
// An exception that escapes a message handler stops at the window procedure
// and goes to Application->HandleException; with no application object it
// passes on to whoever sent the message.

//
// Each class has its header; this one brings them all.

#include "framework/forms/Control.h"
#include "framework/forms/ControlCanvas.h"
#include "framework/forms/ControlTypes.h"
#include "framework/forms/CustomControl.h"
#include "framework/forms/DragObject.h"
#include "framework/forms/GraphicControl.h"
#include "framework/forms/MouseState.h"
#include "framework/forms/PopupMenuBase.h"
#include "framework/forms/WinControl.h"
