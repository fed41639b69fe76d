// TControl: messages, parent, position, looks, mouse input and painting
// requests. Dragging is in ControlDrag.cpp, the program-wide mouse state in
// MouseState.cpp.

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "framework/forms/Controls.h"
#include "framework/forms/Forms.h"
#include "platform/gdi/SysColors.h"
#include "platform/text/Cp932.h"
#include "platform/window/MouseMessages.h"
#include "platform/window/WindowDC.h"

namespace {

bool SameFont(const TFont& A, const TFont& B) {
  return A.Name() == B.Name() && A.Height() == B.Height() && A.Color() == B.Color() &&
         A.Style() == B.Style() && A.Charset() == B.Charset();
}

}  // namespace

// ---- TControl -------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {
  FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
}

TControl::~TControl() {
  Destroying();
  if (Application) Application->ControlDestroyed(this);
  ControlGone(this);
  if (FParent) FParent->RemoveControl(this);
  FFont->OnChange = nullptr;
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage Message{Msg, WParam, LParam, 0};
  WndProc(Message);
  return Message.Result;
}

void TControl::WndProc(TMessage& Message) {
  if (IsClientMouseMessage(Message.Msg)) {
    if (Dragging()) {
      DragMouseMessage(Message);
      return;
    }
    if (!(FControlStyle & csDoubleClicks)) {
      switch (Message.Msg) {
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
          Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
          break;
        default:
          break;
      }
    }
    switch (Message.Msg) {
      case WM_MOUSEMOVE:
        if (Application) Application->HintMouseMessage(this, Message);
        break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (Application) Application->CancelHint();
        if (FDragMode == dmAutomatic) {
          BeginDrag(true);
          return;
        }
        FControlState |= csLButtonDown;
        break;
      case WM_RBUTTONDOWN:
      case WM_RBUTTONDBLCLK:
      case WM_MBUTTONDOWN:
      case WM_MBUTTONDBLCLK:
        if (Application) Application->CancelHint();
        break;
      case WM_LBUTTONUP:
        FControlState &= ~TControlState(csLButtonDown);
        break;
      default:
        break;
    }
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      WMLButtonDown(Message);
      break;
    case WM_LBUTTONUP:
      WMLButtonUp(Message);
      break;
    case WM_LBUTTONDBLCLK:
      WMLButtonDblClk(Message);
      break;
    case WM_RBUTTONDOWN:
      WMRButtonDown(Message);
      break;
    case WM_RBUTTONUP:
      WMRButtonUp(Message);
      break;
    case WM_RBUTTONDBLCLK:
      WMRButtonDblClk(Message);
      break;
    case WM_MBUTTONDOWN:
      WMMButtonDown(Message);
      break;
    case WM_MBUTTONUP:
      WMMButtonUp(Message);
      break;
    case WM_MBUTTONDBLCLK:
      WMMButtonDblClk(Message);
      break;
    case WM_MOUSEMOVE:
      WMMouseMove(Message);
      break;
    case WM_CANCELMODE:
      WMCancelMode(Message);
      break;
    case WM_SETTEXT:
      WMSetText(Message);
      break;
    case CM_VISIBLECHANGED:
      CMVisibleChanged(Message);
      break;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged(Message);
      break;
    case CM_COLORCHANGED:
      CMColorChanged(Message);
      break;
    case CM_FONTCHANGED:
      CMFontChanged(Message);
      break;
    case CM_PARENTCOLORCHANGED:
      CMParentColorChanged(Message);
      break;
    case CM_PARENTFONTCHANGED:
      CMParentFontChanged(Message);
      break;
    case CM_PARENTSHOWHINTCHANGED:
      CMParentShowHintChanged(Message);
      break;
    case CM_HITTEST:
      CMHitTest(Message);
      break;
    case CM_CURSORCHANGED:
      CMCursorChanged(Message);
      break;
    default:
      DefaultHandler(Message);
      break;
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXT: {
      char* Buffer = reinterpret_cast<char*>(Message.LParam);
      if (!Buffer || Message.WParam == 0) return;
      // Never a half double-byte character at the end.
      const std::size_t Count = cp932::FloorCharBoundary(
          FText, std::min<std::size_t>(std::size_t(Message.WParam) - 1, FText.size()));
      std::memcpy(Buffer, FText.data(), Count);
      Buffer[Count] = '\0';
      Message.Result = LRESULT(Count);
      return;
    }
    case WM_GETTEXTLENGTH:
      Message.Result = LRESULT(FText.size());
      return;
    case WM_SETTEXT:
      Message.Result = 1;
      return;
    default:
      return;
  }
}

// ---- parent

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation(messages::kControlParentSelf);
  if (auto* Self = dynamic_cast<TWinControl*>(this);
      Self && AParent && Self->ContainsControl(AParent))
    throw EInvalidOperation(messages::kControlParentSelf);
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* Parent = dynamic_cast<TWinControl*>(Value)) SetParent(Parent);
}

// ---- bounds

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  // What the control covered is uncovered now.
  InvalidateControl(FVisible, false);
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  Invalidate();
  RequestAlign();
  if (!HasState(csLoading)) Resize();
}

void TControl::ChangeScale(const TScale& Scale) {
  FPixelsPerInch = Scale.To();
  if (Scale.IsIdentity()) return;
  ScaleOwnBounds(Scale);
  if (!FParentFont || !FParent) FFont->SetHeight(Scale.Apply(FFont->Height()));
}

void TControl::ScaleOwnBounds(const TScale& Scale) {
  // Edges, not sizes: controls that touch keep touching.
  const TRect R = Scale.Apply(TRect{FLeft, FTop, FLeft + FWidth, FTop + FHeight});
  SetBounds(R.Left, R.Top, R.Width(), R.Height());
}

TRect TControl::ClientRect() const { return TRect{0, 0, FWidth, FHeight}; }

void TControl::SetClientWidth(int Value) { SetWidth(FWidth - ClientWidth() + Value); }
void TControl::SetClientHeight(int Value) { SetHeight(FHeight - ClientHeight() + Value); }

TPoint TControl::ClientOrigin() const {
  if (!FParent) return TPoint{FLeft, FTop};
  const TPoint P = FParent->ClientOrigin();
  return TPoint{P.X + FLeft, P.Y + FTop};
}

TPoint TControl::ClientToScreen(const TPoint& Point) const {
  const TPoint O = ClientOrigin();
  return TPoint{Point.X + O.X, Point.Y + O.Y};
}

TPoint TControl::ScreenToClient(const TPoint& Point) const {
  const TPoint O = ClientOrigin();
  return TPoint{Point.X - O.X, Point.Y - O.Y};
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  FAlign = Value;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (FParent) FParent->Realign();
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

// ---- state and looks

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  VisibleChanging();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
  RequestAlign();
}

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) { SetOwnValue(FColor, Value, FParentColor, CM_COLORCHANGED); }

void TControl::SetParentColor(bool Value) {
  SetFollowsParent(FParentColor, Value, CM_PARENTCOLORCHANGED);
}

void TControl::SetFollowsParent(bool& Flag, bool Value, UINT ParentChanged) {
  if (Flag == Value) return;
  Flag = Value;
  if (FParent && !HasState(csReading)) Perform(ParentChanged, 0, 0);
}

void TControl::SetFont(const TFont* Value) {
  if (!Value || SameFont(*FFont, *Value)) return;
  FFont->Assign(Value);
}

void TControl::FontChanged(TObject*) {
  FParentFont = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
  SetFollowsParent(FParentFont, Value, CM_PARENTFONTCHANGED);
}

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
  SetOwnValue(FShowHint, Value, FParentShowHint, CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value) {
  SetFollowsParent(FParentShowHint, Value, CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetPopupMenu(TPopupMenuBase* Value) {
  if (FPopupMenu == Value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

std::string TControl::Text() const { return FText; }

void TControl::SetText(const std::string& Value) {
  if (Value == FText) return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::Loaded() {
  TComponent::Loaded();
  // Reading skipped what the parent hands down; it is all read now.
  if (FParent) {
    Perform(CM_PARENTCOLORCHANGED, 0, 0);
    Perform(CM_PARENTFONTCHANGED, 0, 0);
    Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    if (auto* Self = dynamic_cast<TWinControl*>(this)) Self->Perform(CM_PARENTCTL3DCHANGED, 0, 0);
  }
}

// ---- painting

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
  if (!IsVisible || !FParent || !FParent->HandleAllocated()) return;
  const TRect R = BoundsRect();
  ::InvalidateRect(FParent->WindowHandle(), &R,
                   !(IsOpaque || (FParent->ControlStyle() & csOpaque)));
}

void TControl::Invalidate() { InvalidateControl(FVisible, (FControlStyle & csOpaque) != 0); }

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
  if (!(FControlStyle & csOpaque)) {
    Invalidate();
    Update();
    return;
  }
  // An opaque control paints over everything under it: it (and whatever
  // lies above it) is drawn at once, without erasing.
  TWindowDC DC(FParent->WindowHandle());
  if (!DC) return;
  TDCStateSaver Saver(*DC.Handle());
  DC.Handle()->IntersectClipRect(BoundsRect());
  FParent->PaintControls(DC, this);
}

void TControl::PaintTo(HDC DC, int X, int Y) {
  if (!DC) return;
  TDCStateSaver Saver(*DC);
  const TPoint Origin = DC->State().Origin;
  DC->SetViewportOrg(Origin.X + X, Origin.Y + Y);
  if (!DC->IntersectClipRect(TRect{0, 0, FWidth, FHeight})) return;
  FControlState |= csPaintCopy;
  struct TClear {
    TControlState& State;
    ~TClear() { State &= ~TControlState(csPaintCopy); }
  } Clear{FControlState};
  Perform(WM_PAINT, WPARAM(DC), 0);
}

void TControl::BringToFront() { MoveInZOrder(true); }

void TControl::SendToBack() { MoveInZOrder(false); }

// To the end of the parent's list of its kind (in front) or its start
// (behind); a windowed control's window follows.
void TControl::MoveInZOrder(bool ToFront) {
  if (!FParent) return;
  auto MoveIn = [ToFront](auto& List, auto* Item) {
    auto It = std::find(List.begin(), List.end(), Item);
    if (It == List.end()) return false;
    List.erase(It);
    if (ToFront)
      List.push_back(Item);
    else
      List.insert(List.begin(), Item);
    return true;
  };
  if (MoveIn(FParent->FControls, this)) {
    Invalidate();
    return;
  }
  auto* Self = static_cast<TWinControl*>(this);
  if (!MoveIn(FParent->FWinControls, Self)) return;
  if (Self->HandleAllocated())
    SetWindowPos(Self->WindowHandle(), ToFront ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// ---- mouse

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value) {
  if (MouseCapture() == Value) return;
  SetCaptureControl(Value ? this : nullptr);
}

void TControl::SendCancelMode(TControl* Sender) {
  for (TControl* Control = this; Control; Control = Control->FParent)
    if (auto* Form = dynamic_cast<TCustomForm*>(Control)) Form->SendCancelMode(Sender);
}

void TControl::DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift) {
  if (FControlStyle & csNoStdEvents) return;
  MouseDown(Button, KeysToShiftState(Message.WParam) | Shift, GET_X_LPARAM(Message.LParam),
            GET_Y_LPARAM(Message.LParam));
}

void TControl::DoMouseUp(TMessage& Message, TMouseButton Button) {
  if (FControlStyle & csNoStdEvents) return;
  MouseUp(Button, KeysToShiftState(Message.WParam), GET_X_LPARAM(Message.LParam),
          GET_Y_LPARAM(Message.LParam));
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::WMLButtonDown(TMessage& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
  if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
  if (FControlStyle & csClickEvents) FControlState |= csClicked;
  DoMouseDown(Message, mbLeft, 0);
}

void TControl::WMLButtonDblClk(TMessage& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
  if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
  if (FControlStyle & csClickEvents) DblClick();
  DoMouseDown(Message, mbLeft, ssDouble);
}

void TControl::WMLButtonUp(TMessage& Message) {
  DefaultHandler(Message);
  if (FControlStyle & csCaptureMouse) SetMouseCapture(false);
  if (FControlState & csClicked) {
    FControlState &= ~TControlState(csClicked);
    // A click is a press and a release inside: released elsewhere, the press
    // is abandoned.
    if (ClientRect().Contains(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam))) Click();
  }
  DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonDown(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseDown(Message, mbRight, 0);
}

void TControl::WMRButtonUp(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseUp(Message, mbRight);
  const TPoint P = ClientToScreen(PointFromLParam(Message.LParam));
  if (ContextPopup(P)) Message.Result = 1;
}

void TControl::WMRButtonDblClk(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseDown(Message, mbRight, ssDouble);
}

void TControl::WMMButtonDown(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseDown(Message, mbMiddle, 0);
}

void TControl::WMMButtonUp(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseUp(Message, mbMiddle);
}

void TControl::WMMButtonDblClk(TMessage& Message) {
  DefaultHandler(Message);
  DoMouseDown(Message, mbMiddle, ssDouble);
}

void TControl::WMMouseMove(TMessage& Message) {
  DefaultHandler(Message);
  if (!(FControlStyle & csNoStdEvents))
    MouseMove(KeysToShiftState(Message.WParam), GET_X_LPARAM(Message.LParam),
              GET_Y_LPARAM(Message.LParam));
}

void TControl::WMCancelMode(TMessage& Message) {
  DefaultHandler(Message);
  if (MouseCapture()) {
    SetMouseCapture(false);
    // The press ends outside the control: no click.
    if (FControlState & csLButtonDown) Perform(WM_LBUTTONUP, 0, MAKELPARAM(-1, -1));
  } else {
    FControlState &= ~TControlState(csLButtonDown);
  }
}

void TControl::WMSetText(TMessage& Message) {
  FText = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
  DefaultHandler(Message);
  Message.Result = 1;
}

bool TControl::ContextPopup(const TPoint& ScreenPos) {
  // The control's own menu, or the nearest parent's: a control without a
  // menu of its own never opens the menu of a sibling it lies on.
  for (TControl* Control = this; Control; Control = Control->FParent) {
    TPopupMenuBase* Menu = Control->FPopupMenu;
    if (!Menu || !Menu->AutoPopup()) continue;
    SendCancelMode(nullptr);
    Menu->SetPopupComponent(Control);
    Menu->Popup(ScreenPos.X, ScreenPos.Y);
    return true;
  }
  return false;
}

// ---- notifications

void TControl::CMVisibleChanged(TMessage&) {
  // Shown or hidden, the area needs painting (erased when it uncovers).
  InvalidateControl(true, FVisible && (FControlStyle & csOpaque));
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }

void TControl::CMParentColorChanged(TMessage& Message) {
  if (!FParentColor) return;
  if (Message.WParam)
    SetColor(TColor(Message.LParam));
  else if (FParent)
    SetColor(FParent->FColor);
  FParentColor = true;
}

void TControl::CMParentFontChanged(TMessage& Message) {
  if (!FParentFont) return;
  const TFont* Source = Message.WParam ? reinterpret_cast<const TFont*>(Message.LParam)
                                       : (FParent ? FParent->Font() : nullptr);
  if (Source) SetFont(Source);
  FParentFont = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!FParentShowHint || !FParent) return;
  SetShowHint(FParent->FShowHint);
  FParentShowHint = true;
}

void TControl::CMHitTest(TMessage& Message) { Message.Result = HTCLIENT; }

void TControl::CMCursorChanged(TMessage&) {
  // Show the new cursor at once when the pointer is over the control.
  TPoint P;
  if (!GetCursorPos(P) || FindDragTarget(P, true) != this) return;
  TWinControl* Window = dynamic_cast<TWinControl*>(this);
  if (!Window) Window = FParent;
  if (!Window || !Window->HandleAllocated()) return;
  Window->Perform(WM_SETCURSOR, WPARAM(Window->WindowHandle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}
