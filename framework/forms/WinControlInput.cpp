// TWinControl input: routing mouse messages to windowless children, the
// pointer entering and leaving, the keyboard focus, tab order and keys.

#include <algorithm>

#include "framework/forms/Controls.h"
#include "framework/forms/Forms.h"
#include "platform/window/MouseMessages.h"

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      if (TCustomForm* Form = GetParentForm(this); Form && !Form->SetFocusedControl(this)) return;
      break;
    case WM_KILLFOCUS:
      if (FControlState & csFocusing) return;
      break;
    case WM_MOUSEMOVE:
      if (FHandle && !FTrackingLeave) {
        // The window system tells when the pointer leaves this window.
        TRACKMOUSEEVENT Track;
        Track.dwFlags = TME_LEAVE;
        Track.hwndTrack = FHandle;
        FTrackingLeave = TrackMouseEvent(Track);
      }
      UpdateMouseControl(ClientToScreen(PointFromLParam(Message.LParam)));
      if (IsControlMouseMsg(Message)) return;
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (Application) Application->CancelHint();
      if (Dragging() || (GetCaptureControl() && GetCaptureControl()->Dragging())) {
        if (Message.WParam == VK_ESCAPE) GetCaptureControl()->EndDrag(false);
        return;
      }
      break;
    case WM_CANCELMODE: {
      TControl* Capture = GetCaptureControl();
      if (Capture && Capture != this && Capture->Parent() == this)
        Capture->Perform(WM_CANCELMODE, 0, 0);
      break;
    }
    default:
      if (IsClientButtonMessage(Message.Msg) && IsControlMouseMsg(Message)) return;
      break;
  }
  TControl::WndProc(Message);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  TControl* Control = nullptr;
  if (FHandle && GetCapture() == FHandle) {
    // Held for a windowless child: everything goes to it, wherever the
    // pointer is.
    TControl* Capture = GetCaptureControl();
    if (Capture && Capture != this && Capture->Parent() == this) Control = Capture;
  } else {
    Control = ControlAtPos(PointFromLParam(Message.LParam), false);
  }
  if (!Control) return false;
  TPoint P = PointFromLParam(Message.LParam);
  P.X -= Control->Left();
  P.Y -= Control->Top();
  Message.Result = Control->Perform(Message.Msg, Message.WParam, PointToLParam(P));
  return true;
}

void TWinControl::WMMouseLeave(TMessage& Message) {
  FTrackingLeave = false;
  TPoint P;
  GetCursorPos(P);
  // Left for a window of the program: announce what is there. Left with the
  // pointer still seemingly here: it left the program altogether.
  const HWND Under = WindowFromPoint(P);
  if (Under && Under != FHandle)
    UpdateMouseControl(P);
  else
    LeaveMouseControlOf(this);
  DefaultHandler(Message);
}

void TWinControl::WMCaptureChanged(TMessage& Message) {
  // The capture went elsewhere: a windowless child no longer holds it.
  CaptureLeftWindow(this, reinterpret_cast<HWND>(Message.LParam));
  DefaultHandler(Message);
}

void TWinControl::WMNCLButtonDown(TMessage& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
}

void TWinControl::WMSetCursor(TMessage& Message) {
  const HWND CursorWindow = reinterpret_cast<HWND>(Message.WParam);
  if (CursorWindow != FHandle && FindControl(CursorWindow)) {
    // Asked first on behalf of a child control: let the child choose, so
    // its own Cursor shows.
    Message.Result = 0;
    return;
  }
  if (CursorWindow == FHandle && std::int16_t(LOWORD(Message.LParam)) == HTCLIENT) {
    TCursor Cursor = Screen ? Screen->Cursor() : crDefault;
    if (Cursor == crDefault) {
      TPoint P;
      GetCursorPos(P);
      if (TControl* Child = ControlAtPos(ScreenToClient(P), false))
        if (Child->Cursor() != crDefault) Cursor = Child->Cursor();
      if (Cursor == crDefault) Cursor = TControl::Cursor();
    }
    if (Cursor != crDefault) {
      ::SetCursor(CursorHandle(Cursor));
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

// ---- focus ------------------------------------------------------------------------------

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

bool TWinControl::CanFocus() const {
  const TCustomForm* Form = GetParentForm(const_cast<TWinControl*>(this));
  for (const TControl* C = this; C && C != Form; C = C->Parent())
    if (!C->Visible() || !C->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (TCustomForm* Form = GetParentForm(this)) {
    Form->FocusControl(this);
    return;
  }
  if (!CanFocus()) throw EInvalidOperation(messages::kCannotFocus);
  ::SetFocus(Handle());
}

void TWinControl::WMSetFocus(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::WMKillFocus(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::CMFocusChanged(TMessage& Message) { Broadcast(Message); }

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

// ---- tab order --------------------------------------------------------------------------

int TWinControl::TabOrder() const {
  if (!FParent) return -1;
  const auto& List = FParent->FTabList;
  auto It = std::find(List.begin(), List.end(), this);
  return It == List.end() ? -1 : int(It - List.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (!FParent) return;
  auto& List = FParent->FTabList;
  auto It = std::find(List.begin(), List.end(), this);
  if (It == List.end()) return;
  List.erase(It);
  const int Position = std::clamp(Value, 0, int(List.size()));
  List.insert(List.begin() + Position, this);
}

void TWinControl::SetTabStop(bool Value) {
  if (FTabStop == Value) return;
  FTabStop = Value;
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
  for (TWinControl* W : FTabList) {
    List.push_back(W);
    W->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward,
                                          bool CheckTabStop, bool CheckParent) const {
  std::vector<TWinControl*> List;
  GetTabOrderList(List);
  if (List.empty()) return nullptr;
  const int Count = int(List.size());
  auto It = std::find(List.begin(), List.end(), CurControl);
  int Start = It == List.end() ? (GoForward ? Count - 1 : 0) : int(It - List.begin());
  int I = Start;
  do {
    I = GoForward ? (I + 1) % Count : (I + Count - 1) % Count;
    TWinControl* C = List[std::size_t(I)];
    if (C != CurControl && C->CanFocus() && (!CheckTabStop || C->FTabStop) &&
        (!CheckParent || C->FParent == this))
      return C;
  } while (I != Start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* Next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop))
    Next->SetFocus();
}

// ---- keys -------------------------------------------------------------------------------

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

bool TWinControl::DoKeyDown(TMessage& Message) {
  TCustomForm* Form = GetParentForm(this);
  if (Form && Form != this && Form->KeyPreview() && Form->DoKeyDown(Message)) return true;
  WORD Key = WORD(Message.WParam);
  const TShiftState Shift = KeyDataToShiftState(Message.LParam);
  if (!(FControlStyle & csNoStdEvents)) {
    KeyDown(Key, Shift);
    Message.WParam = Key;
    if (Key == 0) return true;
  }
  // The context-menu key and Shift+F10 open the popup menu at the control.
  if (Key == VK_APPS || (Key == VK_F10 && (Shift & ssShift) && !(Shift & (ssCtrl | ssAlt))))
    if (ContextPopup(ClientToScreen(TPoint{0, 0}))) return true;
  return false;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
  TCustomForm* Form = GetParentForm(this);
  if (Form && Form != this && Form->KeyPreview() && Form->DoKeyUp(Message)) return true;
  WORD Key = WORD(Message.WParam);
  if (!(FControlStyle & csNoStdEvents)) {
    KeyUp(Key, KeyDataToShiftState(Message.LParam));
    Message.WParam = Key;
    if (Key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
  TCustomForm* Form = GetParentForm(this);
  if (Form && Form != this && Form->KeyPreview() && Form->DoKeyPress(Message)) return true;
  char Key = char(Message.WParam);
  if (!(FControlStyle & csNoStdEvents)) {
    KeyPress(Key);
    Message.WParam = WPARAM(static_cast<unsigned char>(Key));
    if (Key == 0) return true;
  }
  return false;
}

void TWinControl::WMKeyDown(TMessage& Message) {
  // Tab, Enter and Escape are the form's (navigation, default buttons)
  // unless the control asks for them.
  const WORD Key = WORD(Message.WParam);
  UINT Mask = 0;
  if (Key == VK_TAB) Mask = DLGC_WANTTAB;
  if (Key == VK_RETURN || Key == VK_ESCAPE) Mask = DLGC_WANTALLKEYS;
  if (Mask && !(Perform(WM_GETDLGCODE, 0, 0) & Mask)) {
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form->Perform(CM_DIALOGKEY, Key, Message.LParam) != 0) return;
  }
  if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyDown(TMessage& Message) {
  if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
  if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyUp(TMessage& Message) {
  if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
  if (DoKeyPress(Message)) return;
  // A character the control does not take may be an accelerator.
  if (!(Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS)) {
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0) return;
  }
  DefaultHandler(Message);
}

void TWinControl::WMSysChar(TMessage& Message) {
  // Alt with a key: the accelerators of the form's controls.
  TCustomForm* Form = GetParentForm(this);
  if (Form && Message.WParam != ' ' &&
      Form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
    return;
  DefaultHandler(Message);
}

void TWinControl::CMDialogKey(TMessage& Message) { Broadcast(Message); }
void TWinControl::CMDialogChar(TMessage& Message) { Broadcast(Message); }
