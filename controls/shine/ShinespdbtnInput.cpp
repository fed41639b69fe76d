// How a shine button reacts: the pointer entering and leaving (with the
// hover timer behind the leave notification), presses, clicks, double
// clicks, the accelerator key, enable changes and the button group.

#include <memory>

#include "controls/shine/Shinespdbtn.h"
#include "framework/stdctrls/StdCtrls.h"
#include "platform/core/ScopeGuard.h"

TShiftState CurrentShiftState() {
  auto Held = [](int Key) { return (GetKeyState(Key) & 0x8000) != 0; };
  TShiftState Shift = 0;
  if (Held(VK_SHIFT)) Shift |= ssShift;
  if (Held(VK_MENU)) Shift |= ssAlt;
  if (Held(VK_CONTROL)) Shift |= ssCtrl;
  if (Held(VK_LBUTTON)) Shift |= ssLeft;
  if (Held(VK_RBUTTON)) Shift |= ssRight;
  if (Held(VK_MBUTTON)) Shift |= ssMiddle;
  return Shift;
}

namespace {
TPoint PointerIn(const TControl& Control) {
  TPoint P;
  if (!GetCursorPos(P)) return TPoint{-1, -1};
  return Control.ScreenToClient(P);
}

bool Inside(const TControl& Control, int X, int Y) {
  return X >= 0 && X < Control.ClientWidth() && Y >= 0 && Y < Control.ClientHeight();
}
}  // namespace

void TShineSpeedButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDBLCLK:
      WMLButtonDblClick(Message);
      break;
    case CM_DIALOGCHAR:
      CMDialogChar(Message);
      break;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged(Message);
      break;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case CM_SYSCOLORCHANGE:
      Invalidate();
      break;
    case CM_MOUSEENTER:
      CMMouseEnter(Message);
      break;
    case CM_MOUSELEAVE:
      CMMouseLeave(Message);
      break;
    case CM_BUTTONPRESSED:
      CMButtonPressed(Message);
      break;
    default:
      TGraphicControl::Dispatch(Message);
  }
}

// ---- hover -----------------------------------------------------------------------------

void TShineSpeedButton::CMMouseEnter(TMessage&) {
  const TPoint P = PointerIn(*this);
  MouseEnter(CurrentShiftState(), P.X, P.Y);
}

void TShineSpeedButton::CMMouseLeave(TMessage&) {
  const TPoint P = PointerIn(*this);
  MouseLeave(CurrentShiftState(), P.X, P.Y);
}

void TShineSpeedButton::MouseEnter(TShiftState Shift, int X, int Y) {
  if (OnMouseEnter) OnMouseEnter(this, Shift, X, Y);
  // While another control holds the mouse (a press elsewhere being dragged
  // over the button) the button does not light up.
  if (FMouseInside || !Enabled() || DragMode() == dmAutomatic || GetCapture()) return;
  FMouseInside = true;
  if (FDrawState == sdUp) FDrawState = sdUpActive;
  if (FDrawState == sdDown) FDrawState = sdDownActive;
  Repaint();
  FActiveButtonTimer->SetEnabled(true);
}

void TShineSpeedButton::MouseLeave(TShiftState Shift, int X, int Y) {
  if (OnMouseLeave) OnMouseLeave(this, Shift, X, Y);
  if (!FMouseInside || !Enabled() || FPressing) return;
  FActiveButtonTimer->SetEnabled(false);
  FMouseInside = false;
  if (FDrawState == sdUpActive) FDrawState = sdUp;
  if (FDrawState == sdDownActive) FDrawState = sdDown;
  Repaint();
}

void TShineSpeedButton::ActiveButtonTimerOnTimer(TObject*) {
  if (!FMouseInside || !Enabled() || FPressing) {
    FActiveButtonTimer->SetEnabled(false);
    return;
  }
  const TPoint P = PointerIn(*this);
  if (Inside(*this, P.X, P.Y)) return;
  // The pointer left without a leave notification (straight out of the
  // window, say): end the hover look now.
  MouseLeave(CurrentShiftState(), P.X, P.Y);
}

void TShineSpeedButton::UpdateTracking() {
  if (!Enabled()) return;
  TPoint P;
  const bool Over = GetCursorPos(P) && FindDragTarget(P, true) == this;
  // Primed the wrong way, so that the notification below makes its change.
  FMouseInside = !Over;
  Perform(Over ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
}

// ---- pressing --------------------------------------------------------------------------

void TShineSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  FDrawState = sdDownActive;
  if (!FDown) Invalidate();
  FPressing = true;
}

void TShineSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (FPressing) {
    const TShineDrawState State = Inside(*this, X, Y) ? sdDownActive : FDown ? sdDown : sdUp;
    if (State != FDrawState) {
      FDrawState = State;
      Invalidate();
    }
  } else if (!FMouseInside) {
    UpdateTracking();
  }
}

void TShineSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FPressing) return;
  const bool In = Inside(*this, X, Y);
  if (FGroupIndex == 0) {
    FDrawState = sdUp;
    FMouseInside = false;
    FDown = false;
    if (In) Repaint();
  } else if (In) {
    SetDown(!FDown);
    if (FDown) Repaint();
  } else {
    // Provisional: UpdateTracking below settles it by where the pointer is.
    FDrawState = FDown ? sdDownActive : sdUpActive;
    Repaint();
  }
  FPressing = false;
  if (In) Click();
  UpdateTracking();
}

void TShineSpeedButton::Click() {
  const TShineDrawState Before = FDrawState;
  if (FClickDownHook) {
    FDrawState = sdDownActive;
    Repaint();
  }
  TGraphicControl::Click();
  if (FClickDownHook) {
    FDrawState = Before;
    Repaint();
  }
}

void TShineSpeedButton::WMLButtonDblClick(TMessage& Message) {
  // The framework turns the double click into a press (MouseDown runs);
  // only a down button reports the double click itself.
  TGraphicControl::Dispatch(Message);
  if (FDown) DblClick();
}

// ---- keys and enabling -----------------------------------------------------------------

void TShineSpeedButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(unsigned(Message.WParam), Caption()) && Enabled() && Visible() && Parent() &&
      Parent()->Showing()) {
    if (FAccelCharDown) SetDown(!FDown);
    Click();
    Message.Result = 1;
    return;
  }
  TGraphicControl::Dispatch(Message);
}

void TShineSpeedButton::CMEnabledChanged(TMessage&) {
  // Released without telling the group: it is out of play while disabled.
  FDown = false;
  FDrawState = Enabled() ? sdUp : sdDisabled;
  UpdateTracking();
  Invalidate();
}

// ---- groups ----------------------------------------------------------------------------

void TShineSpeedButton::SetDown(bool Value) {
  if (Value == FDown || FGroupIndex == 0) return;
  if (FAllowAllUp) {
    FDown = Value;
    GroupUpdateStatus(FGroupIndex);
    FDrawState = FDown ? sdDown : sdUp;
    Repaint();
    return;
  }
  // A down button of a group without AllowAllUp is released only when
  // another member goes down.
  if (FDown) return;
  FDown = true;
  GroupUpdateStatus(FGroupIndex);
  FDrawState = sdDown;
  Repaint();
}

void TShineSpeedButton::GroupUpdateStatus(int Index) {
  FGroupIndex = Index;
  if (FGroupIndex == 0 || !Parent()) return;
  // The group's receivers read Down and AllowAllUp from a stock speed
  // button, so one stands in for this button while the group hears of it.
  // It is hidden: it exists only for the length of this call.
  TWinControl* Host = Parent();
  auto* Proxy = new TSpeedButton(Host);
  FGroupProxy = Proxy;
  // The stand-in goes when the call ends, also when a receiver fails.
  TScopeGuard Gone([this, Host, Proxy] {
    Host->RemoveControl(Proxy);
    FGroupProxy = nullptr;
    delete Proxy;
  });
  Proxy->SetVisible(false);
  Host->InsertControl(Proxy);
  Proxy->SetGroupIndex(FGroupIndex);
  Proxy->SetAllowAllUp(FAllowAllUp);
  Proxy->SetDown(FDown);
  TMessage Message;
  Message.Msg = CM_BUTTONPRESSED;
  Message.WParam = WPARAM(FGroupIndex);
  Message.LParam = reinterpret_cast<LPARAM>(static_cast<TControl*>(Proxy));
  Host->Broadcast(Message);
}

void TShineSpeedButton::CMButtonPressed(TMessage& Message) {
  if (Message.WParam != WPARAM(FGroupIndex)) return;
  auto* Sender = dynamic_cast<TSpeedButton*>(reinterpret_cast<TControl*>(Message.LParam));
  if (!Sender || Sender == FGroupProxy) return;
  if (Sender->Down() && FDown) {
    FDown = false;
    FDrawState = sdUp;
    Invalidate();
  }
  FAllowAllUp = Sender->AllowAllUp();
}
