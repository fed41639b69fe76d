#pragma once
// TShineSpeedButton: a windowless speed button that computes a look for
// each of its states from one glyph.
//
// - Two colour sets: Colors for the up looks, PressedColors for the pressed
//   looks, each a flat face or a 256-step gradient in either direction.
// - Three frame styles (flat, normal, enclosed), each shown or hidden per
//   look by UpFrame, DownFrame and ActiveFrame.
// - A hover look ("active": ActiveFont, ActiveFrame and one of eight glyph
//   effects in ShineColor) that starts when the pointer enters and ends when
//   it leaves; a 200 ms timer ends it too when the leave notification never
//   comes (the pointer left the window straight from the button).
// - Disabled looks: an embossed edge mask or one of four glyph effects.
// - Groups: buttons of one parent with the same GroupIndex form a radio
//   group; shine buttons and stock speed buttons (TSpeedButton) share one
//   group and its AllowAllUp.
//
// The drawing state, the glyph effects, painting and input live in files of
// their own beside this one: Shinebtncolors (the colour sets),
// ShinespdbtnGlyph (the state images), ShinespdbtnPaint (layout and
// painting) and ShinespdbtnInput (pointer, keys, timer, groups).

#include <cstdint>
#include <memory>

#include "controls/shine/Shinebtncolors.h"
#include "controls/shine/Shinestateglyph.h"
#include "framework/forms/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/ExtCtrls.h"

enum TFrameType { ftFlatFrame, ftNormalFrame, ftEnclosedFrame };

class TShineSpeedButton : public TGraphicControl {
public:
  explicit TShineSpeedButton(TComponent* AOwner);
  ~TShineSpeedButton() override;

  // ---- group
  // Buttons of one parent with the same non-zero index form a group of which
  // at most one is down.
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  // Only a grouped button can be down. Without AllowAllUp a down button is
  // released only by another member going down.
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);

  // ---- behaviour
  // The button shows pressed while its click handler runs.
  bool ClickDownHook() const { return FClickDownHook; }
  void SetClickDownHook(bool Value);
  // The accelerator key toggles Down before it clicks.
  bool AccelCharDown() const { return FAccelCharDown; }
  void SetAccelCharDown(bool Value);

  // ---- looks
  TFrameType FrameType() const { return FFrameType; }
  void SetFrameType(TFrameType Value);
  // No background at all: the parent shows through.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool ActiveFrame() const { return FActiveFrame; }
  void SetActiveFrame(bool Value);
  bool UpFrame() const { return FUpFrame; }
  void SetUpFrame(bool Value);
  bool DownFrame() const { return FDownFrame; }
  void SetDownFrame(bool Value);
  TActiveImageType ActiveImage() const { return FActiveImage; }
  void SetActiveImage(TActiveImageType Value);
  TDisabledImageType DisabledImage() const { return FDisabledImage; }
  void SetDisabledImage(TDisabledImageType Value);
  TColor DisabledHighlight() const { return FDisabledHighlight; }
  void SetDisabledHighlight(TColor Value);
  TColor DisabledShadow() const { return FDisabledShadow; }
  void SetDisabledShadow(TColor Value);
  // The owned colour sets; the setters copy Value (null raises the
  // assignment error and changes nothing).
  TShineBtnColors* Colors() const { return FColors.get(); }
  void SetColors(const TShineBtnColors* Value);
  TShineBtnColors* PressedColors() const { return FPressedColors.get(); }
  void SetPressedColors(const TShineBtnColors* Value);
  // The colour of the hover effects of the glyph.
  TColor ShineColor() const { return FShineColor; }
  void SetShineColor(TColor Value);
  // The caption's font in the up and pressed looks: the button's own, not
  // the control font it inherits. The setters copy Value and ignore null.
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* Value);
  // The caption's copies one pixel up-left (highlight) and down-right
  // (shadow); clNone draws none. These setters repaint every time.
  TColor FontHighlight() const { return FFontHighlight; }
  void SetFontHighlight(TColor Value);
  TColor FontShadow() const { return FFontShadow; }
  void SetFontShadow(TColor Value);
  // The caption's font in the hover looks.
  TFont* ActiveFont() const { return FActiveFont.get(); }
  void SetActiveFont(const TFont* Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  // Distance from the edge on the glyph's side; negative centres.
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  // Gap between glyph and caption; negative overlaps them.
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  // The source of every state image, always held as a 32-bit image. The
  // setter copies Value; null empties the glyph.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap* Value);
  // The glyph as a layout holds it: one line "Glyph.Data = '424D...'", the
  // bitmap file's bytes in hexadecimal (32 bits per pixel), left out while
  // the glyph is empty.
  TPersistent* GlyphLayoutData() const { return FGlyphData.get(); }
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value) { FBiDiMode = Value; }
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value) { FParentBiDiMode = Value; }

  // What the button draws now.
  TShineDrawState DrawState() const { return FDrawState; }
  // The hover look is on.
  bool MouseInside() const { return FMouseInside; }
  // A left press on the button has not been released yet.
  bool Pressing() const { return FPressing; }
  // The hover timer (polls whether the pointer is still over the button).
  const TTimer* ActiveButtonTimer() const { return FActiveButtonTimer; }

  // The state image of the current state: a new bitmap the caller owns, or
  // null when the glyph is empty.
  std::unique_ptr<TBitmap> CreateStateGlyph() const;

  void Loaded() override;
  // Besides bounds and font: the caption fonts, the margin (when set) and
  // the spacing. The glyph is drawn at the largest whole factor not above
  // the scale (GlyphFactor), its pixels enlarged, never blended.
  void ChangeScale(const TScale& Scale) override;
  int GlyphFactor() const;
  void Dispatch(TMessage& Message) override;
  void Click() override;

  // Fired whenever the framework reports the pointer entering (leaving) the
  // button, before any state test.
  TMouseMoveEvent OnMouseEnter;
  TMouseMoveEvent OnMouseLeave;

  // The control's base properties, then GroupIndex to Glyph and the two
  // pointer events, then Align, BiDiMode, Caption, Enabled, ParentBiDiMode,
  // ParentShowHint, ShowHint, Visible and the click and mouse events.
  static const TPropList& PublishedProperties();

protected:
  void Paint() override;
  // The three layers of a paint, each on the canvas given.
  void BackDraw(TCanvas& Target);
  void ImageDraw(TCanvas& Target);
  void FrameDraw(TCanvas& Target);
  // Where the glyph and the caption go, measuring the caption in the
  // canvas's current font.
  void CalcDrawPosition(TCanvas& Target, TPoint& GlyphPos, TRect& TextRect);

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  virtual void MouseEnter(TShiftState Shift, int X, int Y);
  virtual void MouseLeave(TShiftState Shift, int X, int Y);
  // Brings the hover look in line with where the pointer is.
  void UpdateTracking();
  // Stores the group index and tells the group about this button through a
  // stock speed button standing in for it.
  void GroupUpdateStatus(int Index);

  void WMLButtonDblClick(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMButtonPressed(TMessage& Message);

  TShineDrawState FDrawState = sdUp;
  bool FMouseInside = false;
  bool FPressing = false;

private:
  void FontsAndColorsOnChange(TObject* Sender);
  void GlyphOnChange(TObject* Sender);
  void ActiveButtonTimerOnTimer(TObject* Sender);
  bool IsPressedLook() const { return FDrawState == sdDownActive || FDrawState == sdDown; }
  bool IsActiveLook() const { return FDrawState == sdDownActive || FDrawState == sdUpActive; }

  int FGroupIndex = 0;
  bool FDown = false;
  bool FClickDownHook = false;
  bool FAccelCharDown = false;
  TFrameType FFrameType = ftNormalFrame;
  bool FTransparent = false;
  bool FActiveFrame = true;
  bool FUpFrame = true;
  bool FDownFrame = true;
  TActiveImageType FActiveImage = aiFrameLight;
  TDisabledImageType FDisabledImage = diDefault;
  TColor FDisabledHighlight = clBtnHighlight;
  TColor FDisabledShadow = clBtnShadow;
  std::unique_ptr<TShineBtnColors> FColors;
  std::unique_ptr<TShineBtnColors> FPressedColors;
  TColor FShineColor = clYellow;
  std::unique_ptr<TFont> FFont;
  TColor FFontHighlight = clNone;
  TColor FFontShadow = clNone;
  std::unique_ptr<TFont> FActiveFont;
  bool FAllowAllUp = false;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  std::unique_ptr<TBitmap> FGlyph;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  TSpeedButton* FGroupProxy = nullptr;
  TTimer* FActiveButtonTimer = nullptr;  // owned through the component tree
  std::unique_ptr<TPersistent> FGlyphData;
};

// The live shift state: Shift, Alt, Ctrl and the left, right and middle
// mouse buttons as the key-state query reports them now.
TShiftState CurrentShiftState();

// Makes TShineSpeedButton known to the layout reader and writer. Calling it
// again does nothing.
void RegisterShineSpeedButton();
