#include "controls/gradient/Gradbox.h"

#include <algorithm>

#include "framework/streaming/StreamingRegistry.h"

TGradBox::TGradBox(TComponent* AOwner) : TGraphicControl(AOwner) {
  // Not csOpaque: what the panel leaves unpainted shows the parent.
  FControlStyle |= csReplicatable;
  SetWidth(200);
  SetHeight(100);
}

void TGradBox::SetCaptionLeft(int Value) {
  if (Value == FCaptionLeft) return;
  FCaptionLeft = Value;
  Invalidate();
}

void TGradBox::SetCaptionTop(int Value) {
  if (Value == FCaptionTop) return;
  FCaptionTop = Value;
  Invalidate();
}

void TGradBox::SetTopColor(TColor Value) {
  if (Value == FTopColor) return;
  FTopColor = Value;
  Invalidate();
}

void TGradBox::SetLastColor(TColor Value) {
  if (Value == FLastColor) return;
  FLastColor = Value;
  Invalidate();
}

void TGradBox::SetOutLineColor(TColor Value) {
  if (Value == FOutLineColor) return;
  FOutLineColor = Value;
  // While designing the outline is drawn whatever DrawOutLine says, but the
  // colour repaints only when the panel draws it on its own account.
  if (FDrawOutLine) Invalidate();
}

void TGradBox::SetDrawOutLine(bool Value) {
  if (Value == FDrawOutLine) return;
  FDrawOutLine = Value;
  Invalidate();
}

void TGradBox::SetGradStyle(TGradStyle Value) {
  if (Value == FGradStyle) return;
  FGradStyle = Value;
  Invalidate();
}

void TGradBox::SetFont3D(bool Value) {
  if (Value == FFont3D) return;
  FFont3D = Value;
  Invalidate();
}

void TGradBox::SetFontDepth(std::uint8_t Value) {
  if (Value == FFontDepth) return;
  FFontDepth = Value;
  if (FFont3D) Invalidate();
}

void TGradBox::SetStyle3D(TFontStyle3D Value) {
  if (Value == FStyle3D) return;
  FStyle3D = Value;
  Invalidate();
}

void TGradBox::SetBackFont(TColor Value) {
  if (Value == FBackFont) return;
  FBackFont = Value;
  if (FFont3D) Invalidate();
}

void TGradBox::GetRGB(TColor Color, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B) const {
  ::GetRGB(Color, R, G, B);
}

void TGradBox::SetColarray(TColor Top, TColor Last, TGradStyle Style) {
  FillGradientColors(FColarray, Top, Last, Style);
}

void TGradBox::Paint() {
  TCanvas& C = *Canvas();
  SetColarray(FTopColor, FLastColor, FGradStyle);
  PaintGradientBands(C, FColarray, FGradStyle, Width(), Height());

  const bool Designing = HasState(csDesigning);
  C.SetFont(Font());
  C.Brush()->SetStyle(bsClear);
  C.Pen()->SetColor(FOutLineColor);
  C.Pen()->SetStyle(Designing ? psDash : psSolid);
  // A designer always sees where the panel is, dashed so it is not taken
  // for the outline the program will show.
  const int Line = ScaledStroke(1);
  if (Designing || (FDrawOutLine && Line == 1)) {
    C.Rectangle(0, 0, Width(), Height());
  } else if (FDrawOutLine) {
    // Wider than a pixel, the outline is whole pixels inside the panel,
    // never a pen centred on the edge with half of it cut off.
    C.Brush()->SetStyle(bsSolid);
    C.Brush()->SetColor(FOutLineColor);
    C.FillRect(TRect{0, 0, Width(), Line});
    C.FillRect(TRect{0, Height() - Line, Width(), Height()});
    C.FillRect(TRect{0, Line, Line, Height() - Line});
    C.FillRect(TRect{Width() - Line, Line, Width(), Height() - Line});
    C.Brush()->SetStyle(bsClear);
  }

  // The right and bottom edges are Left + Width and Top + Height, the
  // panel's edges in its parent's coordinates: a panel away from the
  // parent's origin wraps its caption further right than its own edge and
  // the clip cuts the text there. Forms were laid out against this.
  DrawCaptionText(TRect{FCaptionLeft, FCaptionTop, Left() + Width(), Top() + Height()});

  if (OnPaint) OnPaint(this);
}

void TGradBox::DrawCaptionText(const TRect& Rect) {
  TCaptionLook Look;
  Look.Enabled = Enabled();
  Look.Font3D = FFont3D;
  Look.Depth = FFontDepth;
  Look.Style3D = FStyle3D;
  Look.BackFont = FBackFont;
  DrawCaption(*Canvas(), *Font(), Caption(), Rect, Look);
}

void TGradBox::ChangeScale(const TScale& Scale) {
  TGraphicControl::ChangeScale(Scale);
  FCaptionLeft = Scale.Apply(FCaptionLeft);
  FCaptionTop = Scale.Apply(FCaptionTop);
  FFontDepth = std::uint8_t(std::min(255, Scale.Apply(FFontDepth)));
  Invalidate();
}

void TGradBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
      CMTextChanged(Message);
      break;
    default:
      TGraphicControl::Dispatch(Message);
  }
}

void TGradBox::CMTextChanged(TMessage& Message) {
  TGraphicControl::Dispatch(Message);
  Invalidate();
}

const TPropList& TGradBox::PublishedProperties() {
  static const TPropList List =
      TPropertyTable<TGradBox>(TGraphicControl::PublishedProperties())
          .Integer("CaptionLeft", &TGradBox::CaptionLeft, &TGradBox::SetCaptionLeft, DefaultIs(10))
          .Integer("CaptionTop", &TGradBox::CaptionTop, &TGradBox::SetCaptionTop, DefaultIs(10))
          .Color("TopColor", &TGradBox::TopColor, &TGradBox::SetTopColor, DefaultIs(clGreen))
          .Color("LastColor", &TGradBox::LastColor, &TGradBox::SetLastColor, DefaultIs(clLime))
          .Color("OutLineColor", &TGradBox::OutLineColor, &TGradBox::SetOutLineColor,
                 DefaultIs(clBlack))
          .Boolean("DrawOutLine", &TGradBox::DrawOutLine, &TGradBox::SetDrawOutLine)
          .Enum("GradStyle", &TGradBox::GradStyle, &TGradBox::SetGradStyle,
                {"gsTopBottom", "gsBottomTop", "gsLeftRight", "gsRightLeft", "gsNone"},
                DefaultIs(gsTopBottom))
          .Boolean("Font3D", &TGradBox::Font3D, &TGradBox::SetFont3D)
          .Integer("FontDepth", &TGradBox::FontDepth, &TGradBox::SetFontDepth, DefaultIs(1))
          .Enum("Style3D", &TGradBox::Style3D, &TGradBox::SetStyle3D,
                {"fsLowShadow", "fsRaiseShadow", "fsLow3D", "fsRaise3D"}, DefaultIs(fsRaise3D))
          .Color("BackFont", &TGradBox::BackFont, &TGradBox::SetBackFont, DefaultIs(clYellow))
          // What the panel publishes of its base classes.
          .Enum("Align", &TGradBox::Align, &TGradBox::SetAlign,
                {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, DefaultIs(alNone))
          .String("Caption", &TGradBox::Caption, &TGradBox::SetCaption)
          .Integer("DragCursor", &TGradBox::DragCursor, &TGradBox::SetDragCursor, DefaultIs(crDrag),
                   &CursorIdents())
          .Enum("DragMode", &TGradBox::DragMode, &TGradBox::SetDragMode,
                {"dmManual", "dmAutomatic"}, DefaultIs(dmManual))
          .Boolean("Enabled", &TGradBox::Enabled, &TGradBox::SetEnabled, DefaultIs(1))
          .Object<TFont>("Font", &TGradBox::Font)
          .StoredWhen([](TGradBox& Box) { return !Box.ParentFont(); })
          .Boolean("ParentFont", &TGradBox::ParentFont, &TGradBox::SetParentFont, DefaultIs(1))
          .Boolean("ParentShowHint", &TGradBox::ParentShowHint, &TGradBox::SetParentShowHint,
                   DefaultIs(1))
          .Component("PopupMenu", &TGradBox::PopupMenu, &TGradBox::SetPopupMenu)
          .Boolean("ShowHint", &TGradBox::ShowHint, &TGradBox::SetShowHint)
          .StoredWhen([](TGradBox& Box) { return !Box.ParentShowHint(); })
          .Boolean("Visible", &TGradBox::Visible, &TGradBox::SetVisible, DefaultIs(1))
          .Event("OnClick", &TGradBox::OnClick, EventSetter(&TGradBox::OnClick))
          .Event("OnDblClick", &TGradBox::OnDblClick, EventSetter(&TGradBox::OnDblClick))
          .Event("OnDragDrop", &TGradBox::OnDragDrop, EventSetter(&TGradBox::OnDragDrop))
          .Event("OnDragOver", &TGradBox::OnDragOver, EventSetter(&TGradBox::OnDragOver))
          .Event("OnEndDrag", &TGradBox::OnEndDrag, EventSetter(&TGradBox::OnEndDrag))
          .Event("OnMouseDown", &TGradBox::OnMouseDown, EventSetter(&TGradBox::OnMouseDown))
          .Event("OnMouseMove", &TGradBox::OnMouseMove, EventSetter(&TGradBox::OnMouseMove))
          .Event("OnMouseUp", &TGradBox::OnMouseUp, EventSetter(&TGradBox::OnMouseUp))
          .Event("OnPaint", &TGradBox::OnPaint, EventSetter(&TGradBox::OnPaint))
          .Event("OnStartDrag", &TGradBox::OnStartDrag, EventSetter(&TGradBox::OnStartDrag));
  return List;
}

void RegisterGradBox() { RegisterClass<TGradBox>("TGradBox"); }
