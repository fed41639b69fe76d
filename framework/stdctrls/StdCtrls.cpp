#include "framework/stdctrls/StdCtrls.h"

#include "framework/graphics/CanvasBinding.h"
#include "framework/menus/MenuLook.h"
#include "platform/window/WindowDC.h"

namespace {

unsigned AlignmentFlag(TAlignment Alignment) {
  switch (Alignment) {
    case taRightJustify:
      return DT_RIGHT;
    case taCenter:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

}  // namespace

bool IsAccel(unsigned Char, const std::string& Caption) {
  const char Key = AccessKeyOf(Caption);
  if (Key == 0 || Char > 0xFF) return false;
  const unsigned Upper = (Char >= 'a' && Char <= 'z') ? Char - 'a' + 'A' : Char;
  return Upper == static_cast<unsigned char>(Key);
}

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() | csOpaque | csReplicatable);
  SetBounds(0, 0, 65, 17);
}

TLabel::~TLabel() = default;

unsigned TLabel::DrawTextFlags() const {
  TAlignment Alignment = FAlignment;
  if (FBiDiMode == bdRightToLeft) {
    if (Alignment == taLeftJustify)
      Alignment = taRightJustify;
    else if (Alignment == taRightJustify)
      Alignment = taLeftJustify;
  }
  unsigned Flags = DT_EXPANDTABS | AlignmentFlag(Alignment);
  if (FWordWrap) Flags |= DT_WORDBREAK;
  if (!FShowAccelChar) Flags |= DT_NOPREFIX;
  if (FBiDiMode != bdLeftToRight) Flags |= DT_RTLREADING;
  return Flags;
}

void TLabel::DoDrawText(TCanvas& C, TRect& R, unsigned Flags) {
  std::string Text = Caption();
  // An empty caption still measures as high as a line.
  if ((Flags & DT_CALCRECT) && (Text.empty() || (FShowAccelChar && Text == "&"))) Text += ' ';
  C.SetFont(Font());
  if (!(Flags & DT_CALCRECT) && !Enabled()) {
    TRect Light{R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1};
    C.Font()->SetColor(clBtnHighlight);
    C.DrawText(Text, Light, Flags);
    C.Font()->SetColor(clBtnShadow);
  }
  C.DrawText(Text, R, Flags);
}

void TLabel::Paint() {
  TCanvas& C = *Canvas();
  const TRect Client = ClientRect();
  if (!Transparent()) {
    C.Brush()->SetColor(Color());
    C.Brush()->SetStyle(bsSolid);
    C.FillRect(Client);
  }
  C.Brush()->SetStyle(bsClear);
  TRect R = Client;
  const unsigned Flags = DrawTextFlags();
  if (FLayout != tlTop) {
    TRect Calc = R;
    DoDrawText(C, Calc, Flags | DT_CALCRECT);
    const int Free = Height() - Calc.Bottom;
    const int Shift = FLayout == tlBottom ? Free : Free / 2;
    R.Top += Shift;
    R.Bottom += Shift;
  }
  DoDrawText(C, R, Flags);
}

void TLabel::AdjustBounds() {
  if (!FAutoSize || HasState(csReading | csLoading)) return;
  TRect R = ClientRect();
  if (!FWordWrap) R.Right = R.Left;
  {
    // Measured on a screen context: the label may have no window yet.
    TWindowDC DC(nullptr);
    if (!DC) return;
    TCanvas Measure;
    TCanvasBinding Bound(Measure, DC);
    DoDrawText(Measure, R, DrawTextFlags() | DT_CALCRECT);
  }
  int X = Left();
  TAlignment Alignment = FAlignment;
  if (FBiDiMode == bdRightToLeft && Alignment != taCenter)
    Alignment = Alignment == taLeftJustify ? taRightJustify : taLeftJustify;
  if (Alignment == taRightJustify) X += Width() - R.Right;
  SetBounds(X, Top(), R.Right, R.Bottom);
}

void TLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TLabel::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TLabel::SetLayout(TTextLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TLabel::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  Invalidate();
  AdjustBounds();
}

void TLabel::SetTransparent(bool Value) {
  if (Transparent() == Value) return;
  // Opaque labels paint their whole rectangle; transparent ones need the
  // parent to paint what lies under them.
  SetControlStyle(Value ? ControlStyle() & ~TControlStyle(csOpaque) : ControlStyle() | csOpaque);
  Invalidate();
}

void TLabel::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetBiDiMode(TBiDiMode Value) {
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  Invalidate();
}

void TLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl == Value) return;
  if (FFocusControl) RemoveFreeNotification(FFocusControl);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TLabel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
      CMTextChanged(Message);
      break;
    case CM_FONTCHANGED:
      CMFontChanged(Message);
      break;
    case CM_DIALOGCHAR:
      CMDialogChar(Message);
      break;
    default:
      TGraphicControl::Dispatch(Message);
      break;
  }
}

void TLabel::CMTextChanged(TMessage& Message) {
  Invalidate();
  AdjustBounds();
}

void TLabel::CMFontChanged(TMessage& Message) {
  TGraphicControl::Dispatch(Message);
  AdjustBounds();
}

void TLabel::CMDialogChar(TMessage& Message) {
  if (FFocusControl && Enabled() && FShowAccelChar &&
      IsAccel(unsigned(Message.WParam), Caption()) && FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    Message.Result = 1;
    return;
  }
  TGraphicControl::Dispatch(Message);
}

const TPropList& TLabel::PublishedProperties() {
  static const TPropList List =
      TPropertyTable<TLabel>(TGraphicControl::PublishedProperties())
          .Enum("Align", &TControl::Align, &TControl::SetAlign,
                {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, DefaultIs(alNone))
          .Enum("Alignment", &TLabel::Alignment, &TLabel::SetAlignment,
                {"taLeftJustify", "taRightJustify", "taCenter"}, DefaultIs(taLeftJustify))
          .Boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, DefaultIs(1))
          .Enum("BiDiMode", &TLabel::BiDiMode, &TLabel::SetBiDiMode,
                {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                 "bdRightToLeftReadingOnly"},
                DefaultIs(bdLeftToRight))
          .String("Caption", &TControl::Caption, &TControl::SetCaption)
          .Color("Color", &TControl::Color, &TControl::SetColor, DefaultIs(clBtnFace))
          .StoredWhen([](TLabel& L) { return !L.ParentColor(); })
          .Integer("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor, DefaultIs(crDrag),
                   &CursorIdents())
          .Enum("DragMode", &TControl::DragMode, &TControl::SetDragMode,
                {"dmManual", "dmAutomatic"}, DefaultIs(dmManual))
          .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled, DefaultIs(1))
          .Component("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl)
          .Object<TFont>("Font", &TControl::Font)
          .StoredWhen([](TLabel& L) { return !L.ParentFont(); })
          .Enum("Layout", &TLabel::Layout, &TLabel::SetLayout, {"tlTop", "tlCenter", "tlBottom"},
                DefaultIs(tlTop))
          .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, DefaultIs(1))
          .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, DefaultIs(1))
          .Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint,
                   DefaultIs(1))
          .Component("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
          .Boolean("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar, DefaultIs(1))
          .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, DefaultIs(0))
          .StoredWhen([](TLabel& L) { return !L.ParentShowHint(); })
          .Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent, DefaultIs(0))
          .Boolean("Visible", &TControl::Visible, &TControl::SetVisible, DefaultIs(1))
          .Boolean("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap, DefaultIs(0))
          .Event("OnClick", &TControl::OnClick, EventSetter(&TControl::OnClick))
          .Event("OnDblClick", &TControl::OnDblClick, EventSetter(&TControl::OnDblClick))
          .Event("OnDragDrop", &TControl::OnDragDrop, EventSetter(&TControl::OnDragDrop))
          .Event("OnDragOver", &TControl::OnDragOver, EventSetter(&TControl::OnDragOver))
          .Event("OnEndDrag", &TControl::OnEndDrag, EventSetter(&TControl::OnEndDrag))
          .Event("OnMouseDown", &TControl::OnMouseDown, EventSetter(&TControl::OnMouseDown))
          .Event("OnMouseMove", &TControl::OnMouseMove, EventSetter(&TControl::OnMouseMove))
          .Event("OnMouseUp", &TControl::OnMouseUp, EventSetter(&TControl::OnMouseUp))
          .Event("OnStartDrag", &TControl::OnStartDrag, EventSetter(&TControl::OnStartDrag));
  return List;
}
