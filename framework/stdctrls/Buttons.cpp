#include "framework/stdctrls/Buttons.h"

#include "platform/gdi/FrameControls.h"
#include "platform/gdi/Primitives.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 23, 22);
  // The button makes its clicks itself, on the release over it.
  SetControlStyle(csCaptureMouse | csDoubleClicks);
  SetParentFont(true);
  SetColor(clBtnFace);
}

TSpeedButton::~TSpeedButton() = default;

// ---- painting -----------------------------------------------------------------------

void TSpeedButton::Paint() {
  if (!Enabled()) {
    FState = bsDisabled;
    FDragging = false;
  } else if (FState == bsDisabled) {
    FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
  }
  TCanvas& C = *Canvas();
  C.SetFont(Font());
  const bool Pushed = FState == bsDown || FState == bsExclusive;
  TRect PaintRect = ClientRect();
  if (FFlat) {
    if (Pushed || (FMouseInControl && FState != bsDisabled)) {
      TRect Edge = PaintRect;
      DrawEdge(*C.Handle(), Edge, Pushed ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
               BF_RECT | (FTransparent ? 0u : unsigned(BF_MIDDLE)), ScaledStroke(1));
    } else if (!FTransparent) {
      C.Brush()->SetColor(Color());
      C.FillRect(PaintRect);
    }
    PaintRect.Inflate(-ScaledStroke(1), -ScaledStroke(1));
  } else {
    DrawFrameControl(*C.Handle(), PaintRect, DFC_BUTTON,
                     DFCS_BUTTONPUSH | (Pushed ? unsigned(DFCS_PUSHED) : 0u));
    PaintRect.Inflate(-2 * ScaledStroke(1), -2 * ScaledStroke(1));
  }
  if (FState == bsExclusive && !FTransparent && (!FFlat || !FMouseInControl)) {
    // The latched look: a checkerboard of face and highlight.
    TDeviceContext& DC = *C.Handle();
    const TLogBrush Face = SolidBrush(clBtnFace), Light = SolidBrush(clBtnHighlight);
    for (int Y = PaintRect.Top; Y < PaintRect.Bottom; ++Y)
      for (int X = PaintRect.Left; X < PaintRect.Right; ++X)
        FillRect(DC, Bounds(X, Y, 1, 1), (X + Y) % 2 ? Light : Face);
  }

  const std::string Text = Caption();
  if (Text.empty()) return;
  const unsigned BiDi = FBiDiMode != bdLeftToRight ? unsigned(DT_RTLREADING) : 0u;
  TRect Measure{0, 0, PaintRect.Width(), 0};
  C.DrawText(Text, Measure, DT_CALCRECT | BiDi);
  // Centred in what the frame leaves; an odd spare pixel goes right and,
  // vertically, up.
  int X = PaintRect.Left + (PaintRect.Width() - Measure.Width()) / 2;
  int Y = PaintRect.Top + (PaintRect.Height() - Measure.Height() + 1) / 2;
  if (Pushed) ++X, ++Y;
  TRect TextRect = Bounds(X, Y, Measure.Width(), Measure.Height());
  C.Brush()->SetStyle(bsClear);
  const unsigned Format = DT_CENTER | DT_VCENTER | BiDi;
  if (FState == bsDisabled) {
    TRect Light{TextRect.Left + 1, TextRect.Top + 1, TextRect.Right + 1, TextRect.Bottom + 1};
    C.Font()->SetColor(clBtnHighlight);
    C.DrawText(Text, Light, Format);
    C.Font()->SetColor(clBtnShadow);
  }
  C.DrawText(Text, TextRect, Format);
}

// ---- mouse ----------------------------------------------------------------------------

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Enabled()) {
    if (!FDown) {
      FState = bsDown;
      Invalidate();
    }
    FDragging = true;
  }
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (FDragging) {
    TButtonState NewState = FDown ? bsExclusive : bsUp;
    if (ClientRect().Contains(X, Y)) NewState = FDown ? bsExclusive : bsDown;
    if (NewState != FState) {
      FState = NewState;
      Invalidate();
    }
  } else if (!FMouseInControl) {
    UpdateTracking();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  const bool DoClick = ClientRect().Contains(X, Y);
  if (FGroupIndex == 0) {
    FState = bsUp;
    FMouseInControl = false;
    Invalidate();
  } else if (DoClick) {
    SetDown(!FDown);
    if (FDown) Repaint();
  } else {
    if (FDown) FState = bsExclusive;
    Repaint();
  }
  if (DoClick) Click();
  UpdateTracking();
}

void TSpeedButton::UpdateTracking() {
  if (!FFlat || !Enabled()) return;
  TPoint P;
  if (!GetCursorPos(P)) return;
  // Primed the wrong way, so the notification below does its work.
  FMouseInControl = FindDragTarget(P, true) != this;
  Perform(FMouseInControl ? CM_MOUSELEAVE : CM_MOUSEENTER, 0, 0);
}

// ---- group ----------------------------------------------------------------------------

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent()) return;
  TMessage Message;
  Message.Msg = CM_BUTTONPRESSED;
  Message.WParam = WPARAM(FGroupIndex);
  Message.LParam = reinterpret_cast<LPARAM>(static_cast<TControl*>(this));
  Parent()->Broadcast(Message);
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  if (Value) {
    if (FState == bsUp) Invalidate();
    FState = bsExclusive;
  } else {
    FState = bsUp;
    Repaint();
  }
  if (Value) UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TSpeedButton::CMButtonPressed(TMessage& Message) {
  if (Message.WParam != WPARAM(FGroupIndex) || FGroupIndex == 0) return;
  auto* Sender = dynamic_cast<TSpeedButton*>(reinterpret_cast<TControl*>(Message.LParam));
  if (!Sender || Sender == this) return;
  if (Sender->Down() && FDown) {
    FDown = false;
    FState = bsUp;
    Invalidate();
  }
  FAllowAllUp = Sender->AllowAllUp();
}

// ---- other properties and messages ----------------------------------------------------

void TSpeedButton::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  SetControlStyle(Value ? ControlStyle() & ~TControlStyle(csOpaque) : ControlStyle() | csOpaque);
  Invalidate();
}

void TSpeedButton::SetBiDiMode(TBiDiMode Value) {
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  Invalidate();
}

void TSpeedButton::Loaded() {
  TGraphicControl::Loaded();
  FState = Enabled() ? (FDown ? bsExclusive : bsUp) : bsDisabled;
}

void TSpeedButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_BUTTONPRESSED:
      CMButtonPressed(Message);
      break;
    case CM_DIALOGCHAR:
      CMDialogChar(Message);
      break;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged(Message);
      break;
    case CM_MOUSEENTER:
      CMMouseEnter(Message);
      break;
    case CM_MOUSELEAVE:
      CMMouseLeave(Message);
      break;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case CM_SYSCOLORCHANGE:
      TGraphicControl::Dispatch(Message);
      Invalidate();
      break;
    case WM_LBUTTONDBLCLK:
      WMLButtonDblClk(Message);
      break;
    default:
      TGraphicControl::Dispatch(Message);
      break;
  }
}

void TSpeedButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(unsigned(Message.WParam), Caption()) && Enabled() && Visible() && Parent() &&
      Parent()->Showing()) {
    Click();
    Message.Result = 1;
    return;
  }
  TGraphicControl::Dispatch(Message);
}

void TSpeedButton::CMEnabledChanged(TMessage& Message) {
  TGraphicControl::Dispatch(Message);
  FState = Enabled() ? (FDown && FGroupIndex != 0 ? bsExclusive : bsUp) : bsDisabled;
  UpdateTracking();
  Repaint();
}

void TSpeedButton::CMMouseEnter(TMessage& Message) {
  TGraphicControl::Dispatch(Message);
  if (FFlat && !FMouseInControl && Enabled() && DragMode() != dmAutomatic && !GetCapture()) {
    FMouseInControl = true;
    Repaint();
  }
}

void TSpeedButton::CMMouseLeave(TMessage& Message) {
  TGraphicControl::Dispatch(Message);
  if (FFlat && FMouseInControl && Enabled() && !FDragging) {
    FMouseInControl = false;
    Invalidate();
  }
}

void TSpeedButton::WMLButtonDblClk(TMessage& Message) {
  // The second press of a double click presses the button again; only a
  // latched button reports the double click itself.
  TGraphicControl::Dispatch(Message);
  if (FDown) DblClick();
}

const TPropList& TSpeedButton::PublishedProperties() {
  static const TPropList List =
      TPropertyTable<TSpeedButton>(TGraphicControl::PublishedProperties())
          .Enum("Align", &TControl::Align, &TControl::SetAlign,
                {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, DefaultIs(alNone))
          .Boolean("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp,
                   DefaultIs(0))
          .Enum("BiDiMode", &TSpeedButton::BiDiMode, &TSpeedButton::SetBiDiMode,
                {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                 "bdRightToLeftReadingOnly"},
                DefaultIs(bdLeftToRight))
          .Integer("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex,
                   DefaultIs(0))
          .Boolean("Down", &TSpeedButton::Down, &TSpeedButton::SetDown, DefaultIs(0))
          .String("Caption", &TControl::Caption, &TControl::SetCaption)
          .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled, DefaultIs(1))
          .Boolean("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat, DefaultIs(0))
          .Object<TFont>("Font", &TControl::Font)
          .StoredWhen([](TSpeedButton& B) { return !B.ParentFont(); })
          .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, DefaultIs(1))
          .Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint,
                   DefaultIs(1))
          .Component("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
          .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, DefaultIs(0))
          .StoredWhen([](TSpeedButton& B) { return !B.ParentShowHint(); })
          .Boolean("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent,
                   DefaultIs(1))
          .Boolean("Visible", &TControl::Visible, &TControl::SetVisible, DefaultIs(1))
          .Event("OnClick", &TControl::OnClick, EventSetter(&TControl::OnClick))
          .Event("OnDblClick", &TControl::OnDblClick, EventSetter(&TControl::OnDblClick))
          .Event("OnMouseDown", &TControl::OnMouseDown, EventSetter(&TControl::OnMouseDown))
          .Event("OnMouseMove", &TControl::OnMouseMove, EventSetter(&TControl::OnMouseMove))
          .Event("OnMouseUp", &TControl::OnMouseUp, EventSetter(&TControl::OnMouseUp));
  return List;
}
