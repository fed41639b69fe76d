// TCustomForm: a top-level window made from a layout; showing, closing,
// modality, the form's focus bookkeeping; and the screen object.

#include "framework/forms/Forms.h"

#include "platform/core/ScopeGuard.h"

#include <algorithm>

#include "framework/graphics/CanvasBinding.h"
#include "framework/streaming/StreamingReader.h"
#include "platform/gdi/SysColors.h"

namespace {
TScreen GScreen;
}  // namespace

TScreen* Screen = &GScreen;

TCustomForm* GetParentForm(TControl* Control) {
  for (; Control; Control = Control->Parent())
    if (auto* Form = dynamic_cast<TCustomForm*>(Control)) return Form;
  return nullptr;
}

// ---- TCustomForm ---------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this)) {
  FControlStyle =
      csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  SetVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  if (Application && Application->FMainForm == this) Application->FMainForm = nullptr;
  Screen->RemoveForm(this);
  FCanvas->FreeHandle();
  // Every control sees its window go while all controls still exist; then
  // the controls are destroyed.
  DestroyHandle();
  DestroyComponents();
  FActiveControl = nullptr;
  FFocusedControl = nullptr;
}

// Layouts are made at 96 pixels per inch and scaled as they are read.
void TCustomForm::ReadLayout(std::string_view ResourceName) {
  ReadComponentResource(*this, ResourceName);
  ChangeScale(TScale::FromDesign(GetScreenPixelsPerInch()));
}

void TCustomForm::ReadLayoutText(std::string_view LayoutText) {
  ReadComponentLayout(*this, LayoutText);
  ChangeScale(TScale::FromDesign(GetScreenPixelsPerInch()));
}

void TCustomForm::ChangeScale(const TScale& Scale) {
  ChangeScaleAt(Scale, Scale.Apply(TPoint{Left(), Top()}));
}

void TCustomForm::ChangeScaleAt(const TScale& Scale, TPoint Place) {
  if (Scale.IsIdentity()) {
    TWinControl::ChangeScale(Scale);
    return;
  }
  const TRect Client = Scale.Apply(TRect{0, 0, ClientWidth(), ClientHeight()});
  const int FrameWidth = Width() - ClientWidth();
  const int FrameHeight = Height() - ClientHeight();
  TWinControl::ChangeScale(Scale);
  SetBounds(Place.X, Place.Y, FrameWidth + Client.Width(), FrameHeight + Client.Height());
  // A frame of another width at the new scale.
  SetClientWidth(Client.Width());
  SetClientHeight(Client.Height());
}

void TCustomForm::WMDpiChanged(TMessage& Message) {
  const double Now = GetScreenPixelsPerInch();
  if (Now == PixelsPerInch()) return;
  const TScale Scale = TScale::Between(PixelsPerInch(), Now);
  // The desktop's scale changed under a form that stays where it is (X11);
  // moved to another screen, it takes the system's rectangle (Windows).
  if (Message.LParam) {
    const TRect& Suggested = *reinterpret_cast<const TRect*>(Message.LParam);
    ChangeScaleAt(Scale, TPoint{Suggested.Left, Suggested.Top});
    SetBounds(Suggested.Left, Suggested.Top, Suggested.Width(), Suggested.Height());
  } else {
    ChangeScaleAt(Scale, TPoint{Left(), Top()});
  }
}

void TCustomForm::AfterConstruction() {
  if (FCreated) return;
  FCreated = true;
  DoCreate();
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TCustomForm::ComponentMissing(const std::string& Name) const {
  throw EComponentError(FormatMessage(messages::kMissingComponent, {Name}));
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FActiveControl) FActiveControl = nullptr;
  if (AComponent == FFocusedControl) FFocusedControl = nullptr;
}

// ---- window ---------------------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style &= ~DWORD(WS_CHILD | WS_GROUP | WS_TABSTOP | WS_CLIPSIBLINGS);
  Params.Style |= WS_CLIPCHILDREN;
  Params.ExStyle &= ~DWORD(WS_EX_CONTROLPARENT);
  // Other forms stay above the main form.
  Params.WndParent = nullptr;
  if (Application && Application->MainForm() && Application->MainForm() != this &&
      Application->MainForm()->HandleAllocated())
    Params.WndParent = Application->MainForm()->WindowHandle();
  switch (FBorderStyle) {
    case bsNone:
      Params.Style |= WS_POPUP;
      break;
    case bsSingle:
    case bsToolWindow:
      Params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
    case bsSizeToolWin:
      Params.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION;
      Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
  }
  if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin)
    Params.ExStyle |= WS_EX_TOOLWINDOW;
  if (FBorderStyle != bsNone && (FBorderIcons & biSystemMenu)) {
    Params.Style |= WS_SYSMENU;
    if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable) {
      if (FBorderIcons & biMinimize) Params.Style |= WS_MINIMIZEBOX;
      if (FBorderIcons & biMaximize) Params.Style |= WS_MAXIMIZEBOX;
    }
  }
  if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  if (FPosition == poDefault || FPosition == poDefaultPosOnly) Params.X = Params.Y = CW_USEDEFAULT;
  if (FPosition == poDefault || FPosition == poDefaultSizeOnly)
    Params.Width = Params.Height = CW_USEDEFAULT;
  Params.WindowClass.style = CS_DBLCLKS;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  if (!HasState(csLoading)) RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (FBorderIcons == Value) return;
  FBorderIcons = Value;
  if (!HasState(csLoading)) RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (FFormStyle == Value) return;
  const TFormStyle Old = FFormStyle;
  FFormStyle = Value;
  if (!HandleAllocated() || HasState(csLoading)) return;
  if ((Old == fsStayOnTop) != (Value == fsStayOnTop)) {
    // Only the window's place in the z-order changes; its window (and the
    // windows of its controls) stay.
    SetWindowPos(WindowHandle(), Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    RecreateWnd();
  }
}

void TCustomForm::PaintWindow(HDC DC) {
  if (!OnPaint) return;
  TCanvasBinding Bound(*FCanvas, DC);
  OnPaint(this);
}

// ---- showing and closing ------------------------------------------------------------------

void TCustomForm::Show() {
  SetVisible(true);
  if (HandleAllocated())
    SetWindowPos(WindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::CMVisibleChanged(TMessage& Message) { TWinControl::CMVisibleChanged(Message); }

void TCustomForm::PlaceOnFirstShow() {
  if (FPlaced) return;
  FPlaced = true;
  TCustomForm* Center = nullptr;
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
      break;
    case poMainFormCenter:
    case poOwnerFormCenter:
      Center = Application ? Application->MainForm() : nullptr;
      if (Center == this || (Center && !Center->HandleAllocated())) Center = nullptr;
      break;
    default:
      return;
  }
  TRect Around = Center ? Center->BoundsRect() : Screen->DesktopRect();
  int X = Around.Left + (Around.Width() - Width()) / 2;
  int Y = Around.Top + (Around.Height() - Height()) / 2;
  X = std::max(0, std::min(X, Screen->Width() - Width()));
  Y = std::max(0, std::min(Y, Screen->Height() - Height()));
  SetBounds(X, Y, Width(), Height());
}

void TCustomForm::CMShowingChanged(TMessage&) {
  if (Showing()) {
    PlaceOnFirstShow();
    DoShow();
    ShowWindow(WindowHandle(), SW_SHOW);
  } else {
    DoHide();
    ShowWindow(WindowHandle(), SW_HIDE);
  }
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

bool TCustomForm::CloseQuery() {
  bool CanClose = true;
  if (OnCloseQuery) OnCloseQuery(this, CanClose);
  return CanClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction Action = caHide;
  DoClose(Action);
  if (Action == caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  switch (Action) {
    case caHide:
      Hide();
      break;
    case caMinimize:
      SetWindowState(wsMinimized);
      break;
    case caFree:
      Release();
      break;
    default:
      break;
  }
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::Release() {
  if (FReleasing) return;
  FReleasing = true;
  PostMessage(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CMRelease(TMessage&) { delete this; }

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || FModal) throw EInvalidOperation(messages::kCannotShowModal);
  if (HWND Capture = GetCapture()) {
    SendMessage(Capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
  }
  const HWND ActiveBefore = GetActiveWindow();
  std::vector<HWND> Disabled;
  for (int I = 0; I < Screen->FormCount(); ++I) {
    TCustomForm* Form = Screen->Forms(I);
    if (Form == this || !Form->HandleAllocated()) continue;
    const HWND H = Form->WindowHandle();
    if (IsWindowVisible(H) && IsWindowEnabled(H)) {
      EnableWindow(H, false);
      Disabled.push_back(H);
    }
  }
  FModal = true;
  FModalResult = mrNone;
  {
    TScopeGuard Restore([&] {
      FModal = false;
      for (HWND H : Disabled) EnableWindow(H, true);
      if (IsWindowVisible(WindowHandle())) Hide();
      if (ActiveBefore && IsWindow(ActiveBefore)) SetActiveWindow(ActiveBefore);
    });
    Show();
    while (FModalResult == mrNone) {
      bool More;
      if (Application) {
        More = Application->HandleMessage();
        if (Application->Terminated()) FModalResult = mrCancel;
      } else {
        MSG Msg;
        More = true;
        if (PeekMessage(Msg, nullptr, 0, 0, PM_REMOVE)) {
          TranslateMessage(Msg);
          DispatchMessage(Msg);
        } else {
          More = WaitMessage();
        }
      }
      if (FModalResult != mrNone) {
        // A close request may still be refused.
        TCloseAction Action = caNone;
        if (CloseQuery()) {
          Action = caHide;
          DoClose(Action);
        }
        if (Action == caNone) FModalResult = mrNone;
      }
      if (!More) break;
    }
  }
  return FModalResult;
}

// ---- activation and focus -----------------------------------------------------------------

bool TCustomForm::Active() const {
  return HandleAllocated() && GetActiveWindow() == WindowHandle();
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (Control == FActiveControl) return;
  if (Control && !HasState(csLoading) &&
      (Control == this || GetParentForm(Control) != this || !Control->CanFocus()))
    throw EInvalidOperation(messages::kCannotFocus);
  FActiveControl = Control;
  if (!HasState(csLoading) && Active()) ::SetFocus(Control ? Control->Handle() : WindowHandle());
}

void TCustomForm::FocusControl(TWinControl* Control) {
  if (!Control->CanFocus()) throw EInvalidOperation(messages::kCannotFocus);
  if (Control != this) FActiveControl = Control;
  // A hidden form remembers the control and focuses it when it is shown.
  if (HandleAllocated() && IsWindowVisible(WindowHandle())) ::SetFocus(Control->Handle());
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  TWinControl* Old = FFocusedControl;
  if (Control != this) FActiveControl = Control;
  FFocusedControl = Control;
  if (Old == Control) return true;
  if (Old && Old != this) Old->Perform(CM_EXIT, 0, 0);
  if (Control != this && FFocusedControl == Control) Control->Perform(CM_ENTER, 0, 0);
  if (FFocusedControl == Control) Perform(CM_FOCUSCHANGED, 0, LPARAM(Control));
  return true;
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  if (Removing && FFocusedControl && Control->ContainsControl(FFocusedControl))
    FFocusedControl = nullptr;
  if (FActiveControl && Control->ContainsControl(FActiveControl)) {
    FActiveControl = nullptr;
    // The focus must not stay in a window that goes or hides.
    if (HandleAllocated() && Control->HandleAllocated()) {
      const HWND Focus = GetFocus();
      if (Focus && (Focus == Control->WindowHandle() || IsChild(Control->WindowHandle(), Focus)))
        ::SetFocus(WindowHandle());
    }
  }
}

void TCustomForm::SendCancelMode(TControl* Sender) {
  if (Active() && FActiveControl) FActiveControl->Perform(CM_CANCELMODE, 0, LPARAM(Sender));
}

void TCustomForm::SelectFirstControl() {
  if (TWinControl* First = FindNextControl(nullptr, true, true, false)) {
    FActiveControl = First;
    ::SetFocus(First->Handle());
  }
}

void TCustomForm::WMActivate(TMessage& Message) {
  if (LOWORD(Message.WParam) == WA_INACTIVE) {
    if (OnDeactivate) OnDeactivate(this);
    DefaultHandler(Message);
    return;
  }
  if (OnActivate) OnActivate(this);
  if (!Active()) return;  // the handler moved on
  if (FActiveControl && FActiveControl->CanFocus() && FActiveControl->HandleAllocated()) {
    ::SetFocus(FActiveControl->WindowHandle());
    return;
  }
  if (!FActiveControl) {
    // First activation: the first control in tab order takes the focus.
    SelectFirstControl();
    if (FActiveControl) return;
  }
  DefaultHandler(Message);
}

void TCustomForm::WMSetFocus(TMessage& Message) { TWinControl::WMSetFocus(Message); }

void TCustomForm::CMDialogKey(TMessage& Message) {
  if (GetKeyState(VK_MENU) >= 0 && Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
    SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
    Message.Result = 1;
    return;
  }
  TWinControl::CMDialogKey(Message);
}

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE:
      WMClose(Message);
      break;
    case WM_ACTIVATE:
      WMActivate(Message);
      break;
    case WM_PAINT:
      // The form paints through OnPaint, so always by the framework.
      FControlState |= csCustomPaint;
      TWinControl::WMPaint(Message);
      FControlState &= ~TControlState(csCustomPaint);
      break;
    case CM_SHOWINGCHANGED:
      CMShowingChanged(Message);
      break;
    case CM_DIALOGKEY:
      CMDialogKey(Message);
      break;
    case CM_RELEASE:
      CMRelease(Message);
      break;
    case WM_DPICHANGED:
      WMDpiChanged(Message);
      break;
    default:
      TWinControl::Dispatch(Message);
      break;
  }
}

// ---- TScreen -------------------------------------------------------------------------

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

void TScreen::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  TPoint P;
  if (Value != crDefault) {
    ::SetCursor(CursorHandle(Value));
  } else if (GetCursorPos(P)) {
    // Back to each control's own cursor: ask the window under the pointer.
    if (HWND Window = WindowFromPoint(P))
      SendMessage(Window, WM_SETCURSOR, WPARAM(Window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }
}

TCustomForm* TScreen::Forms(int Index) const {
  if (Index < 0 || Index >= FormCount())
    throw EListError(FormatMessage(messages::kListIndexOutOfBounds, {std::to_string(Index)}));
  return FForms[std::size_t(Index)];
}

TCustomForm* TScreen::ActiveForm() const {
  const HWND Active = GetActiveWindow();
  for (TCustomForm* F : FForms)
    if (F->HandleAllocated() && F->WindowHandle() == Active) return F;
  return nullptr;
}

TWinControl* TScreen::ActiveControl() const { return FindControl(GetFocus()); }

void TScreen::AddForm(TCustomForm* Form) { FForms.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
}
