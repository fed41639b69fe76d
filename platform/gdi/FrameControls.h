#pragma once
// The system's own parts of controls, drawn in the classic (unthemed) look:
// 3D edges, frame controls (arrow buttons, check boxes, radio buttons,
// caption buttons, the size grip), the focus rectangle and the predefined
// check-box bitmap. All colours come from the system colours.

#include "platform/core/Types.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"

// Edge kinds (DrawEdge).
enum : unsigned {
  BDR_RAISEDOUTER = 0x0001,
  BDR_SUNKENOUTER = 0x0002,
  BDR_RAISEDINNER = 0x0004,
  BDR_SUNKENINNER = 0x0008,
  BDR_OUTER = 0x0003,
  BDR_INNER = 0x000C,
  EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
  EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
  EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
  EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER
};

// Edge flags (DrawEdge).
enum : unsigned {
  BF_LEFT = 0x0001,
  BF_TOP = 0x0002,
  BF_RIGHT = 0x0004,
  BF_BOTTOM = 0x0008,
  BF_TOPLEFT = BF_TOP | BF_LEFT,
  BF_TOPRIGHT = BF_TOP | BF_RIGHT,
  BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT,
  BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT,
  BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
  BF_DIAGONAL = 0x0010,
  BF_MIDDLE = 0x0800,
  BF_SOFT = 0x1000,
  BF_ADJUST = 0x2000,
  BF_FLAT = 0x4000,
  BF_MONO = 0x8000
};

// Frame-control types and states (DrawFrameControl).
enum : unsigned {
  DFC_CAPTION = 1,
  DFC_MENU = 2,
  DFC_SCROLL = 3,
  DFC_BUTTON = 4,

  DFCS_CAPTIONCLOSE = 0x0000,

  DFCS_SCROLLUP = 0x0000,
  DFCS_SCROLLDOWN = 0x0001,
  DFCS_SCROLLLEFT = 0x0002,
  DFCS_SCROLLRIGHT = 0x0003,
  DFCS_SCROLLCOMBOBOX = 0x0005,
  DFCS_SCROLLSIZEGRIP = 0x0008,
  DFCS_SCROLLSIZEGRIPRIGHT = 0x0010,

  DFCS_BUTTONCHECK = 0x0000,
  DFCS_BUTTONRADIO = 0x0004,
  DFCS_BUTTON3STATE = 0x0008,
  DFCS_BUTTONPUSH = 0x0010,

  DFCS_INACTIVE = 0x0100,
  DFCS_PUSHED = 0x0200,
  DFCS_CHECKED = 0x0400,
  DFCS_HOT = 0x1000,
  DFCS_FLAT = 0x4000,
  DFCS_MONO = 0x8000
};

// Draws the edges Edge asks for on the sides Flags names. The outer line runs
// along R's border, the inner one a pixel further in; the top and left lines
// are drawn first, so the top-right and bottom-left corner pixels take the
// bottom/right colour. Colours, by edge (top-left / bottom-right):
//   raised outer: 3D light / 3D dark shadow;  raised inner: highlight / shadow
//   sunken outer: shadow / highlight;         sunken inner: 3D dark shadow / 3D light
// A lone inner edge is drawn on R's border with the colours GDI gives it
// (raised inner alone: highlight / shadow). BF_SOFT changes the top-left
// colours: raised edges become highlight outside and 3D light inside, sunken
// ones 3D dark shadow outside and shadow inside (the caption-button look);
// BF_FLAT draws a shadow outline with a button-face inner line; BF_MONO a
// window-frame outline with a window-colour inner line. BF_MIDDLE fills what
// is inside with the button face (window colour with BF_MONO); BF_ADJUST
// narrows R to that inside. Diagonal edges are not supported: with
// BF_DIAGONAL nothing is drawn and the answer is false. Stroke is the width
// of each line in whole pixels (the desktop's scale: 2 at 192 dpi); the
// corners keep the same rule at every width.
bool DrawEdge(TDeviceContext& DC, TRect& R, unsigned Edge, unsigned Flags, int Stroke = 1);

// Draws a frame control into R; see FrameControls.cpp for the exact geometry
// of each glyph. Answers false for a type or state this system does not draw.
bool DrawFrameControl(TDeviceContext& DC, const TRect& R, unsigned Type, unsigned State);

// Inverts every other pixel of R's one-pixel border, starting with its
// top-left pixel: a dotted frame that a second call removes again.
void DrawFocusRect(TDeviceContext& DC, const TRect& R);

// Predefined system bitmaps.
constexpr int OBM_CHECKBOXES = 32759;
// The check-box glyph size of OBM_CHECKBOXES.
constexpr int kCheckBoxGlyphSize = 13;
// Fills Bitmap with a predefined bitmap; false for an unknown one.
// OBM_CHECKBOXES is 4 by 3 glyphs of 13 by 13 (52 by 39): rows check box,
// radio button, three-state box; columns unchecked, checked, pushed,
// pushed and checked.
bool LoadSystemBitmap(int Id, TDeviceBitmap& Bitmap);
