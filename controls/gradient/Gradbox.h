#pragma once
// TGradBox: the gradient caption panel. A windowless control that fills its
// area with a two-colour gradient of 256 steps, can frame itself with a
// one-pixel outline, and draws its caption at a fixed offset: flat, greyed
// when disabled, or with a shadow or a stepped relief in a second colour.
// The search bar lays one behind all its other controls as the window's
// background.
//
// The panel is not opaque: a gsNone panel, or anything a gradient leaves
// unpainted, shows the parent's background. Every paint rebuilds the colour
// array and issues exactly 256 fills; nothing is cached between paints.

#include <cstdint>

#include "controls/gradient/Gradboxpaint.h"
#include "framework/forms/Controls.h"

class TGradBox : public TGraphicControl {
public:
  explicit TGradBox(TComponent* AOwner);

  // Where the caption starts, in the panel's coordinates.
  int CaptionLeft() const { return FCaptionLeft; }
  void SetCaptionLeft(int Value);
  int CaptionTop() const { return FCaptionTop; }
  void SetCaptionTop(int Value);
  // The gradient's first and last colours (system colours allowed).
  TColor TopColor() const { return FTopColor; }
  void SetTopColor(TColor Value);
  TColor LastColor() const { return FLastColor; }
  void SetLastColor(TColor Value);
  // Repaints only while the outline is drawn.
  TColor OutLineColor() const { return FOutLineColor; }
  void SetOutLineColor(TColor Value);
  bool DrawOutLine() const { return FDrawOutLine; }
  void SetDrawOutLine(bool Value);
  TGradStyle GradStyle() const { return FGradStyle; }
  void SetGradStyle(TGradStyle Value);
  bool Font3D() const { return FFont3D; }
  void SetFont3D(bool Value);
  // The depth and the colour of the 3D copies repaint only while Font3D is
  // on: until then they are not on the screen.
  std::uint8_t FontDepth() const { return FFontDepth; }
  void SetFontDepth(std::uint8_t Value);
  TFontStyle3D Style3D() const { return FStyle3D; }
  void SetStyle3D(TFontStyle3D Value);
  TColor BackFont() const { return FBackFont; }
  void SetBackFont(TColor Value);

  // The colour steps of the last paint.
  const TGradColors& Colarray() const { return FColarray; }

  void Dispatch(TMessage& Message) override;
  // Besides bounds and font: the caption's offsets and the back font.
  void ChangeScale(const TScale& Scale) override;

  // The control's base properties, the panel's own (CaptionLeft to
  // BackFont), then Align, Caption, DragCursor, DragMode, Enabled, Font,
  // ParentFont, ParentShowHint, PopupMenu, ShowHint, Visible and the events
  // OnClick to OnStartDrag with OnPaint among them.
  static const TPropList& PublishedProperties();

  // Fired at the end of every paint, after the gradient, the outline and the
  // caption, with the canvas still bound: a handler may draw on top.
  TNotifyEvent OnPaint;

protected:
  void Paint() override;
  // Splits a colour into channels, resolving system colours 0 to 24.
  void GetRGB(TColor Color, std::uint8_t& R, std::uint8_t& G, std::uint8_t& B) const;
  // Rebuilds the colour array for the style; gsNone leaves it as it is.
  void SetColarray(TColor Top, TColor Last, TGradStyle Style);
  // Draws the caption into Rect in the look the properties give.
  void DrawCaptionText(const TRect& Rect);
  // A new caption repaints the panel.
  void CMTextChanged(TMessage& Message);

private:
  int FCaptionLeft = 10;
  int FCaptionTop = 10;
  TColor FBackFont = clYellow;
  TColor FTopColor = clGreen;
  TColor FLastColor = clLime;
  TColor FOutLineColor = clBlack;
  bool FFont3D = false;
  bool FDrawOutLine = false;
  std::uint8_t FFontDepth = 1;
  TFontStyle3D FStyle3D = fsRaise3D;
  TGradStyle FGradStyle = gsTopBottom;
  TGradColors FColarray{};
};

// Makes TGradBox known to the layout reader and writer. The program calls it
// once before it reads a layout that places a panel; calling it again does
// nothing.
void RegisterGradBox();
