// TWinControl: the window, its creation and destruction, children, showing
// and the dispatch. Bounds and alignment are in WinControlBounds.cpp,
// painting in WinControlPaint.cpp, input and focus in WinControlInput.cpp.

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "framework/forms/Controls.h"
#include "framework/forms/Forms.h"
#include "platform/core/ScopeGuard.h"
#include "platform/gdi/Primitives.h"
#include "platform/window/PaintDC.h"

namespace {

// Window -> control, for FindControl. A window is entered when its first
// message arrives and leaves with WM_NCDESTROY.
std::unordered_map<HWND, TWinControl*>& WindowControls() {
  static std::unordered_map<HWND, TWinControl*> Map;
  return Map;
}

}  // namespace

TWinControl* FindControl(HWND Window) {
  if (!Window) return nullptr;
  auto& Map = WindowControls();
  auto It = Map.find(Window);
  return It != Map.end() && IsWindow(Window) ? It->second : nullptr;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  Destroying();
  if (FParent) RemoveFocus(true);
  // The windows go first, so every control sees its window destroyed while
  // it is still whole; then the components this control owns.
  DestroyHandle();
  DestroyComponents();
  // Children this control does not own stay alive, without a parent.
  for (TControl* C : FControls) C->FParent = nullptr;
  for (TWinControl* W : FWinControls) W->FParent = nullptr;
  FControls.clear();
  FWinControls.clear();
  FTabList.clear();
}

// ---- the window -----------------------------------------------------------------

HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::CreateHandle() {
  if (!FHandle) CreateWnd();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = TCreateParams{};
  Params.Caption = Text();
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle & csAcceptsControls) {
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!Enabled()) Params.Style |= WS_DISABLED;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  Params.X = Left();
  Params.Y = Top();
  Params.Width = Width();
  Params.Height = Height();
  Params.WndParent = FParent ? FParent->Handle() : nullptr;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  // The control erases its own background (WMEraseBkgnd) in its Color.
  Params.WindowClass.hbrBackground = clNone;
  Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
  TCreateParams Params;
  CreateParams(Params);
  if ((Params.Style & WS_CHILD) && !Params.WndParent)
    throw EInvalidOperation(FormatMessage(messages::kParentRequired, {Name()}));
  FDefWndProc = Params.WindowClass.lpfnWndProc;
  {
    FControlState |= csCreating;
    TScopeGuard Created([this] { FControlState &= ~TControlState(csCreating); });
    CreateWindowHandle(Params);
  }
  if (!FHandle) throw EInvalidOperation(messages::kWindowCreate);
  // Later siblings lie above earlier ones, as their windowless kin do.
  if (FParent && (Params.Style & WS_CHILD))
    SetWindowPos(FHandle, FParent->PrecedingWindow(this), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  UpdateBounds();
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  WNDCLASS Class = Params.WindowClass;
  Class.lpszClassName = Params.WinClassName;
  const HWND Window = CreateWindowEx(
      Params.ExStyle, Class, Params.Caption, Params.Style, Params.X, Params.Y, Params.Width,
      Params.Height, Params.WndParent,
      [this](HWND H, UINT Msg, WPARAM WParam, LPARAM LParam) {
        return MainWndProc(H, Msg, WParam, LParam);
      },
      Params.Param);
  if (Window && FHandle != Window) {
    FHandle = Window;
    WindowControls()[Window] = this;
  }
}

HWND TWinControl::PrecedingWindow(TWinControl* Control) const {
  auto It = std::find(FWinControls.begin(), FWinControls.end(), Control);
  if (It != FWinControls.end())
    for (++It; It != FWinControls.end(); ++It)
      if ((*It)->FHandle) return (*It)->FHandle;
  return HWND_TOP;
}

LRESULT TWinControl::MainWndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (!FHandle) {
    // The messages of CreateWindowEx arrive before it returns the handle.
    FHandle = Window;
    WindowControls()[Window] = this;
  }
  TMessage Message{Msg, WParam, LParam, 0};
  try {
    WndProc(Message);
  } catch (...) {
    // A handler's error stops here: the application shows it and the
    // program goes on with the next message.
    if (!Application) throw;
    Application->HandleException(this);
  }
  return Message.Result;
}

void TWinControl::DestroyWnd() {
  FreeDeviceContexts();
  if (FHandle) DestroyWindow(FHandle);
  // Without a running window system nothing was destroyed: the handles are
  // dead all the same.
  if (FHandle) ForgetHandle();
}

void TWinControl::ForgetHandle() {
  for (TWinControl* W : FWinControls) W->ForgetHandle();
  HandleGone();
}

void TWinControl::HandleGone() {
  if (FHandle) {
    auto& Map = WindowControls();
    auto It = Map.find(FHandle);
    if (It != Map.end() && It->second == this) Map.erase(It);
  }
  FHandle = nullptr;
  FShowing = false;
  FTrackingLeave = false;
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  FControlState |= csDestroyingHandle;
  TScopeGuard Destroyed([this] { FControlState &= ~TControlState(csDestroyingHandle); });
  DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (FHandle) Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage&) {
  const bool WasFocused = Focused();
  DestroyHandle();
  UpdateControlState();
  if (WasFocused && FHandle) ::SetFocus(FHandle);
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!FHandle) {
    TControl::DefaultHandler(Message);
    return;
  }
  Message.Result =
      CallWindowProc(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TWinControl::WMNCCreate(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMNCDestroy(TMessage& Message) {
  DefaultHandler(Message);
  HandleGone();
}

// ---- showing ----------------------------------------------------------------------

void TWinControl::UpdateShowing() {
  const bool ShowControl = Visible() && !HasState(csReading);
  if (ShowControl) {
    if (!FHandle) CreateHandle();
    const std::vector<TWinControl*> Children = FWinControls;
    for (TWinControl* W : Children) W->UpdateShowing();
  }
  if (FHandle && FShowing != ShowControl) {
    FShowing = ShowControl;
    TScopeGuard Undo([this, ShowControl] { FShowing = !ShowControl; });
    Perform(CM_SHOWINGCHANGED, 0, 0);
    Undo.Dismiss();
  }
}

void TWinControl::UpdateControlState() {
  TWinControl* Control = this;
  while (Control->FParent) {
    Control = Control->FParent;
    if (!Control->Showing()) return;
  }
  if (dynamic_cast<TCustomForm*>(Control)) UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                   (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChanged(TMessage&) {
  if (!Visible() && FParent) RemoveFocus(false);
  UpdateControlState();
}

void TWinControl::RemoveFocus(bool Removing) {
  if (TCustomForm* Form = GetParentForm(this)) Form->DefocusControl(this, Removing);
}

// ---- children ---------------------------------------------------------------------

TControl* TWinControl::Controls(int Index) const {
  if (Index >= 0 && Index < int(FControls.size())) return FControls[std::size_t(Index)];
  const int W = Index - int(FControls.size());
  if (W >= 0 && W < int(FWinControls.size())) return FWinControls[std::size_t(W)];
  throw EListError(FormatMessage(messages::kListIndexOutOfBounds, {std::to_string(Index)}));
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (; Control; Control = Control->Parent())
    if (Control == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled,
                                    bool AllowWinControls) const {
  auto Hit = [&](TControl* C) {
    if (!C->Visible() || (!C->Enabled() && !AllowDisabled)) return false;
    const TRect R = C->BoundsRect();
    if (!R.Contains(Pos.X, Pos.Y)) return false;
    return C->Perform(CM_HITTEST, 0, MAKELPARAM(Pos.X - R.Left, Pos.Y - R.Top)) != 0;
  };
  if (AllowWinControls)
    for (auto It = FWinControls.rbegin(); It != FWinControls.rend(); ++It)
      if (Hit(*It)) return *It;
  for (auto It = FControls.rbegin(); It != FControls.rend(); ++It)
    if (Hit(*It)) return *It;
  return nullptr;
}

void TWinControl::InsertChild(TControl* AControl) {
  if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
    FWinControls.push_back(W);
    FTabList.push_back(W);
  } else {
    FControls.push_back(AControl);
  }
  AControl->FParent = this;
}

void TWinControl::RemoveChild(TControl* AControl) {
  // By address, not by class: a windowed control leaving from its base
  // destructor is no longer a TWinControl to dynamic_cast.
  FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
  auto Same = [AControl](TWinControl* W) { return static_cast<TControl*>(W) == AControl; };
  FWinControls.erase(std::remove_if(FWinControls.begin(), FWinControls.end(), Same),
                     FWinControls.end());
  FTabList.erase(std::remove_if(FTabList.begin(), FTabList.end(), Same), FTabList.end());
  AControl->FParent = nullptr;
}

void TWinControl::InsertControl(TControl* AControl) {
  if (!AControl || AControl->FParent == this) return;
  if (AControl == this) throw EInvalidOperation(messages::kControlParentSelf);
  Perform(CM_CONTROLLISTCHANGE, WPARAM(AControl), 1);
  InsertChild(AControl);
  // While a layout is read, what the parent hands down waits for Loaded.
  if (!AControl->HasState(csReading)) {
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
      W->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
      W->UpdateControlState();
    } else if (HandleAllocated()) {
      AControl->Invalidate();
    }
    Realign();
  }
  Perform(CM_CONTROLCHANGE, WPARAM(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (!AControl || AControl->FParent != this) return;
  Perform(CM_CONTROLLISTCHANGE, WPARAM(AControl), 0);
  if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
    W->RemoveFocus(true);
    W->DestroyHandle();
  } else if (HandleAllocated()) {
    AControl->InvalidateControl(AControl->Visible(), false);
  }
  if (GetCaptureControl() == AControl) SetCaptureControl(nullptr);
  RemoveChild(AControl);
  Perform(CM_CONTROLCHANGE, WPARAM(AControl), 0);
  Realign();
}

void TWinControl::Broadcast(TMessage& Message) {
  for (int I = 0; I < ControlCount(); ++I) {
    Controls(I)->WndProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT Msg) {
  TMessage Message{Msg, 0, 0, 0};
  Broadcast(Message);
}

// ---- notifications that go down to the children ---------------------------------------

void TWinControl::CMColorChanged(TMessage& Message) {
  TControl::CMColorChanged(Message);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& Message) {
  TControl::CMFontChanged(Message);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMShowHintChanged(TMessage&) { NotifyControls(CM_PARENTSHOWHINTCHANGED); }

void TWinControl::CMEnabledChanged(TMessage&) {
  if (!Enabled() && FParent) RemoveFocus(false);
  if (FHandle) EnableWindow(FHandle, Enabled());
}

void TWinControl::CMCursorChanged(TMessage& Message) { TControl::CMCursorChanged(Message); }

void TWinControl::SetCtl3D(bool Value) {
  SetOwnValue(FCtl3D, Value, FParentCtl3D, CM_CTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool Value) {
  SetFollowsParent(FParentCtl3D, Value, CM_PARENTCTL3DCHANGED);
}

void TWinControl::CMCtl3DChanged(TMessage&) { NotifyControls(CM_PARENTCTL3DCHANGED); }

void TWinControl::CMParentCtl3DChanged(TMessage& Message) {
  if (!FParentCtl3D) return;
  if (Message.WParam)
    SetCtl3D(Message.LParam != 0);
  else if (FParent)
    SetCtl3D(FParent->FCtl3D);
  FParentCtl3D = true;
}

void TWinControl::CMSysColorChange(TMessage& Message) {
  Invalidate();
  Broadcast(Message);
  Message.Result = 0;
}

// ---- the dispatch ---------------------------------------------------------------------

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      WMPaint(Message);
      break;
    case WM_ERASEBKGND:
      WMEraseBkgnd(Message);
      break;
    case WM_NCCREATE:
      WMNCCreate(Message);
      break;
    case WM_NCDESTROY:
      WMNCDestroy(Message);
      break;
    case WM_WINDOWPOSCHANGED:
      WMWindowPosChanged(Message);
      break;
    case WM_SIZE:
      WMSize(Message);
      break;
    case WM_MOVE:
      WMMove(Message);
      break;
    case WM_SETFOCUS:
      WMSetFocus(Message);
      break;
    case WM_KILLFOCUS:
      WMKillFocus(Message);
      break;
    case WM_KEYDOWN:
      WMKeyDown(Message);
      break;
    case WM_KEYUP:
      WMKeyUp(Message);
      break;
    case WM_CHAR:
      WMChar(Message);
      break;
    case WM_SYSKEYDOWN:
      WMSysKeyDown(Message);
      break;
    case WM_SYSKEYUP:
      WMSysKeyUp(Message);
      break;
    case WM_SYSCHAR:
      WMSysChar(Message);
      break;
    case WM_SETCURSOR:
      WMSetCursor(Message);
      break;
    case WM_NCLBUTTONDOWN:
      WMNCLButtonDown(Message);
      break;
    case WM_MOUSELEAVE:
      WMMouseLeave(Message);
      break;
    case WM_CAPTURECHANGED:
      WMCaptureChanged(Message);
      break;
    case WM_SYSCOLORCHANGE:
      Perform(CM_SYSCOLORCHANGE, 0, 0);
      DefaultHandler(Message);
      break;
    default:
      DispatchNotification(Message);
      break;
  }
}

// The framework's own notifications (CM_).
void TWinControl::DispatchNotification(TMessage& Message) {
  switch (Message.Msg) {
    case CM_COLORCHANGED:
      CMColorChanged(Message);
      break;
    case CM_FONTCHANGED:
      CMFontChanged(Message);
      break;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged(Message);
      break;
    case CM_VISIBLECHANGED:
      CMVisibleChanged(Message);
      break;
    case CM_SHOWINGCHANGED:
      CMShowingChanged(Message);
      break;
    case CM_SHOWHINTCHANGED:
      CMShowHintChanged(Message);
      break;
    case CM_CURSORCHANGED:
      CMCursorChanged(Message);
      break;
    case CM_CTL3DCHANGED:
      CMCtl3DChanged(Message);
      break;
    case CM_PARENTCTL3DCHANGED:
      CMParentCtl3DChanged(Message);
      break;
    case CM_FOCUSCHANGED:
      CMFocusChanged(Message);
      break;
    case CM_DIALOGKEY:
      CMDialogKey(Message);
      break;
    case CM_DIALOGCHAR:
      CMDialogChar(Message);
      break;
    case CM_ENTER:
      CMEnter(Message);
      break;
    case CM_EXIT:
      CMExit(Message);
      break;
    case CM_RECREATEWND:
      CMRecreateWnd(Message);
      break;
    case CM_SYSCOLORCHANGE:
      CMSysColorChange(Message);
      break;
    default:
      TControl::Dispatch(Message);
      break;
  }
}
