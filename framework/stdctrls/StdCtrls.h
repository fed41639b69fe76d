#pragma once
// TLabel: a windowless text on its parent.
//
// The caption is drawn with DrawText in the label's font: aligned left,
// right or centred, at the top, middle or bottom, wrapped at blanks when
// WordWrap is set, and with "&" marking an underlined access key unless
// ShowAccelChar is off ("&&" draws one "&"). A disabled label draws its text
// embossed (a highlight copy one pixel down and right, the shadow on top).
//
// Transparent labels paint no background: the parent (and the windowless
// controls below the label) show around the glyphs. Opaque ones fill their
// rectangle with Color first.
//
// AutoSize (on by default) sizes the label to its caption whenever the
// caption, the font or the wrapping changes and when a layout has been read;
// a right-aligned label keeps its right edge, any other its left edge.
//
// A right click opens the label's (or its parent's) popup menu, as for any
// control. With FocusControl set, the access key gives that control the
// focus.

#include <string>

#include "framework/forms/Controls.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
// Reading order. The right-to-left modes swap a label's left and right
// alignment and ask DrawText for right-to-left reading.
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// Whether Char (a character code) is the access key of Caption, ignoring the
// case of letters.
bool IsAccel(unsigned Char, const std::string& Caption);

class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent* AOwner);
  ~TLabel() override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  bool Transparent() const { return (ControlStyle() & csOpaque) == 0; }
  void SetTransparent(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

  // The DrawText format Paint uses (without DT_CALCRECT).
  unsigned DrawTextFlags() const;

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

  // Align, Alignment, AutoSize, BiDiMode, Caption, Color (while not
  // ParentColor), DragCursor, DragMode, Enabled, FocusControl, Font (while
  // not ParentFont), Layout, ParentColor, ParentFont, ParentShowHint,
  // PopupMenu, ShowAccelChar, ShowHint, Transparent, Visible, WordWrap and
  // the mouse, click and drag events.
  static const TPropList& PublishedProperties();

protected:
  void Paint() override;
  // Sizes the label to its caption when AutoSize is on and no layout is
  // being read.
  void AdjustBounds();

private:
  void DoDrawText(TCanvas& C, TRect& R, unsigned Flags);
  void CMTextChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMDialogChar(TMessage& Message);

  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  TTextLayout FLayout = tlTop;
  bool FShowAccelChar = true;
  bool FWordWrap = false;
  TBiDiMode FBiDiMode = bdLeftToRight;
  TWinControl* FFocusControl = nullptr;
};

// Registers the stock controls for layouts: TLabel, TSpeedButton, TPopupMenu
// and TMenuItem. Call it before reading a layout that uses them; calling it
// again does nothing.
void RegisterStockControls();
