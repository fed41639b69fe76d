#pragma once
// TSpeedButton: a windowless push button with a caption, flat or raised,
// that can belong to a group of buttons of which at most one is down.
//
// Looks (classic, drawn with the GDI layer):
// - flat: no frame while idle; a thin raised edge (BDR_RAISEDINNER) while the
//   pointer is over it; a thin sunken edge (BDR_SUNKENOUTER) while it is
//   pressed or Down;
// - not flat: the raised push-button face, pushed while pressed or Down;
// - Transparent (the default) paints no background, so what lies under the
//   button shows through; an opaque button fills with the button face, and
//   a Down one with the light checkerboard of a latched button;
// - the caption is centred in the font of the button ("&" marks an
//   underlined access key), one pixel right and down while pressed or
//   Down, embossed grey when disabled.
//
// A press with the left button shows the pressed look; the click happens
// when the button is released over the button. Dragging off the button
// before releasing cancels the click.
//
// Groups: buttons of one parent with the same non-zero GroupIndex. When a
// button goes down it broadcasts CM_BUTTONPRESSED (WParam: the group index,
// LParam: the button) to the parent's controls; a member that is down and
// hears that another member went down releases itself, and every member
// takes the sender's AllowAllUp. Changing GroupIndex or AllowAllUp
// broadcasts too, so the group agrees on AllowAllUp. Clicking a grouped
// button makes it Down; clicking it again releases it only when AllowAllUp
// is set.

#include <string>

#include "framework/stdctrls/StdCtrls.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  // Only a grouped button can be down; a down button of a group without
  // AllowAllUp is released only by another member going down.
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);

  // What the button shows now.
  TButtonState State() const { return FState; }
  // The pointer is over the button (a flat button shows its edge).
  bool MouseInControl() const { return FMouseInControl; }

  void Loaded() override;
  void Dispatch(TMessage& Message) override;

  // Align, AllowAllUp, BiDiMode, GroupIndex, Down, Caption, Enabled, Flat,
  // Font (while not ParentFont), ParentFont, ParentShowHint, PopupMenu,
  // ShowHint, Transparent, Visible and the click and mouse events.
  static const TPropList& PublishedProperties();

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  // Tells the group about this button (CM_BUTTONPRESSED to the parent's
  // controls).
  void UpdateExclusive();
  // Re-synchronises the hover look with where the pointer is.
  void UpdateTracking();
  void CMButtonPressed(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);

  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FDown = false;
  bool FFlat = false;
  bool FTransparent = true;
  bool FDragging = false;
  bool FMouseInControl = false;
  TBiDiMode FBiDiMode = bdLeftToRight;
  TButtonState FState = bsUp;
};
