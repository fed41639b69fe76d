#pragma once
// The device context: where drawing goes (a 32-bit surface, or a bitmap
// selected into the context) and the state drawing is done with (pen, brush,
// font, colours, background mode, mix mode, clip region, viewport origin).
//
// The state lives in one struct; TDCStateSaver saves it and puts it back when
// it goes out of scope. Drawing operations are free functions named after
// their GDI counterparts and take the context first (FillRect(DC, R, Brush),
// BitBlt(...), TextOut(...)); the context itself only holds state and offers
// the two services every operation needs: mapping logical coordinates to the
// target's pixels and cutting a target rectangle into the visible clip
// rectangles.
//
// Three kinds of coordinates meet here, as in Win32:
// - logical: what drawing calls take;
// - the context's device coordinates: logical plus the viewport origin.
//   (0, 0) is the context's own top-left corner: a bitmap's, or for a
//   window's context the window's (or its client area's) top-left. Clip
//   regions given to SelectClipRegion and answered by GetClipRegion are in
//   these;
// - target pixels: device coordinates plus the device origin, the pixels of
//   the surface actually written. ToDevice answers these, and ClipBoxes,
//   ForEachClipRect and FillDeviceRect work in them.
//
// A window's context draws on its top-level window's back buffer, so the
// window system gives it a device origin (where the window lies on that
// surface) and a system clip (the part of the surface the window may touch).
// Neither is part of the application's state: SetViewportOrg,
// SelectClipRegion, RestoreState and the state saver leave them alone, and
// the effective clip is always the system clip cut by the application's.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Types.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/LogFont.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/SysColors.h"

// Cosmetic pen styles. Dashes and dots follow GDI's cosmetic pens: dash 18 on
// 6 off, dot 3 on 3 off, dash-dot 9/6/3/6, dash-dot-dot 9/3/3/3/3/3;
// psAlternate sets every other pixel. A pen wider than 1 pixel always draws
// solid, as GDI's non-geometric pens do.
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psAlternate };

// A pen as GDI records it (LOGPEN).
struct TLogPen {
  TPenStyle Style = psSolid;
  int Width = 1;
  TColor Color = 0;  // black
  bool operator==(const TLogPen& O) const {
    return Style == O.Style && Width == O.Width && Color == O.Color;
  }
};

enum TBrushStyle { bsSolid, bsClear };

// A brush as GDI records it (LOGBRUSH).
struct TLogBrush {
  TBrushStyle Style = bsSolid;
  TColor Color = 0x00FFFFFF;  // white
  bool operator==(const TLogBrush& O) const { return Style == O.Style && Color == O.Color; }
};

inline TLogBrush SolidBrush(TColor Color) { return TLogBrush{bsSolid, Color}; }
inline TLogPen SolidPen(TColor Color, int Width = 1) { return TLogPen{psSolid, Width, Color}; }

// Background modes (SetBkMode).
enum TBkMode { TRANSPARENT = 1, OPAQUE = 2 };

// Mix modes of pens (SetROP2), with their GDI numbers.
enum TRop2 {
  R2_BLACK = 1,
  R2_NOTMERGEPEN = 2,
  R2_MASKNOTPEN = 3,
  R2_NOTCOPYPEN = 4,
  R2_MASKPENNOT = 5,
  R2_NOT = 6,
  R2_XORPEN = 7,
  R2_NOTMASKPEN = 8,
  R2_MASKPEN = 9,
  R2_NOTXORPEN = 10,
  R2_NOP = 11,
  R2_MERGENOTPEN = 12,
  R2_COPYPEN = 13,
  R2_MERGEPENNOT = 14,
  R2_MERGEPEN = 15,
  R2_WHITE = 16
};

// Text alignment flags (SetTextAlign): the reference point of TextOut.
enum TTextAlign : unsigned {
  TA_LEFT = 0,
  TA_TOP = 0,
  TA_UPDATECP = 1,
  TA_RIGHT = 2,
  TA_CENTER = 6,
  TA_BOTTOM = 8,
  TA_BASELINE = 24
};

struct TDCState {
  TLogPen Pen;
  TLogBrush Brush;
  TLogFont Font;
  TColor TextColor = 0;         // black
  TColor BkColor = 0x00FFFFFF;  // white
  TBkMode BkMode = OPAQUE;
  TRop2 Rop2 = R2_COPYPEN;
  unsigned TextAlign = TA_LEFT | TA_TOP;
  TPoint Origin;  // viewport origin: device = logical + Origin
  TPoint PenPos;  // current position of MoveTo/LineTo, logical
  // The application's clip region in device coordinates; without one
  // everything the system clip allows is visible.
  bool HasClip = false;
  TRegion Clip;
};

class TDeviceContext {
public:
  // A context with nothing to draw on until a bitmap is selected.
  TDeviceContext();
  // Draws on a colour surface (a window's back buffer, for example), which
  // must outlive the context.
  explicit TDeviceContext(TSurface& Target);
  // Draws on a bitmap, as if it were selected into a memory context.
  explicit TDeviceContext(TDeviceBitmap& Bitmap);

  // Selects a bitmap (or nothing, for nullptr) and answers the one selected
  // before. The clip regions are kept, as GDI keeps them.
  TDeviceBitmap* SelectBitmap(TDeviceBitmap* Bitmap);
  TDeviceBitmap* Bitmap() const { return FBitmap; }

  // What is drawn on; nullptr when nothing is selected.
  TSurface* Target() const { return FTarget; }
  bool IsMonochrome() const { return FBitmap && FBitmap->IsMonochrome(); }
  int Width() const { return FTarget ? FTarget->Width() : 0; }
  int Height() const { return FTarget ? FTarget->Height() : 0; }

  const TDCState& State() const { return FState; }
  // Replaces the application's whole state (what TDCStateSaver does on
  // leaving). The device origin and the system clip stay.
  void RestoreState(const TDCState& State);

  // The window system's part, never touched by the application's calls.
  // The device origin is where device (0, 0) lies on the target.
  void SetDeviceOrigin(int X, int Y);
  // The system clip, in target pixels (copied); nullptr removes it, and then
  // the whole target is open to the application's clip.
  void SetSystemClip(const TRegion* Region);

  // The state setters answer the previous value, like their GDI namesakes.
  TLogPen SetPen(const TLogPen& Pen);
  TLogBrush SetBrush(const TLogBrush& Brush);
  TLogFont SetFont(const TLogFont& Font);
  TColor SetTextColor(TColor Color);
  TColor SetBkColor(TColor Color);
  TBkMode SetBkMode(TBkMode Mode);
  TRop2 SetRop2(TRop2 Mode);
  unsigned SetTextAlign(unsigned Align);
  TPoint SetViewportOrg(int X, int Y);
  // Moves the current position (logical coordinates); answers the old one.
  TPoint MoveTo(int X, int Y);

  // The application's clipping. Rectangles are logical, mapped by the
  // viewport origin; the region given to SelectClipRegion is in device
  // coordinates and copied, and nullptr removes the application's clip (the
  // system clip stays). Without an application clip, IntersectClipRect
  // starts from its rectangle and ExcludeClipRect from the whole visible
  // area, as GDI does. Each answers whether anything is left visible.
  bool IntersectClipRect(const TRect& R);
  bool ExcludeClipRect(const TRect& R);
  bool SelectClipRegion(const TRegion* Region);
  // Copies the application's clip region (device coordinates) into Region;
  // false, and Region untouched, when the application set none, even where
  // the system clip limits drawing. With SelectClipRegion this saves and
  // restores a clip around a drawing that clips further.
  bool GetClipRegion(TRegion& Region) const;
  // The logical bounds of what is visible (the system clip cut by the
  // application's); false when nothing is.
  bool GetClipBox(TRect& Box) const;

  // Logical coordinates to target pixels.
  TPoint ToDevice(int X, int Y) const { return TPoint{X + FOffset.X, Y + FOffset.Y}; }
  TRect ToDevice(const TRect& R) const {
    return TRect{R.Left + FOffset.X, R.Top + FOffset.Y, R.Right + FOffset.X, R.Bottom + FOffset.Y};
  }

  // The pixel a colour is written as on this target: the colour's RGB on a
  // colour target; on a monochrome one white (bit 1) for light colours
  // (R + G + B of at least 384) and black (bit 0) for the others.
  std::uint32_t PixelOf(TColor Color) const;

  // Calls Fn(const TRect&) for every part of the target rectangle R that is
  // visible: inside the target, the system clip and the application's clip.
  // The parts do not overlap.
  template <class F>
  void ForEachClipRect(const TRect& R, F&& Fn) const {
    for (const TRect& Box : FClipBoxes) {
      const TRect Part{R.Left > Box.Left ? R.Left : Box.Left, R.Top > Box.Top ? R.Top : Box.Top,
                       R.Right < Box.Right ? R.Right : Box.Right,
                       R.Bottom < Box.Bottom ? R.Bottom : Box.Bottom};
      if (!Part.IsEmpty()) Fn(Part);
    }
  }
  // The visible target rectangles (target bounds cut by both clips).
  const std::vector<TRect>& ClipBoxes() const { return FClipBoxes; }
  bool IsVisible(int DeviceX, int DeviceY) const;

  // Sets the visible part of the target rectangle R to Pixel.
  void FillDeviceRect(const TRect& R, std::uint32_t Pixel);

private:
  // Recomputes the visible rectangles. Only a change of the target, of
  // either clip or of the device origin calls it: primitives read the cached
  // rectangles and never intersect regions themselves.
  void UpdateClipBoxes();
  void UpdateOffset();

  TSurface* FTarget = nullptr;
  TDeviceBitmap* FBitmap = nullptr;
  TDCState FState;
  TPoint FDeviceOrigin;
  bool FHasSystemClip = false;
  TRegion FSystemClip;  // target pixels
  TPoint FOffset;       // viewport origin + device origin
  std::vector<TRect> FClipBoxes;
};

// Saves the application's state of a context and restores it when leaving
// the scope; the window system's device origin and system clip are not part
// of it.
class TDCStateSaver {
public:
  explicit TDCStateSaver(TDeviceContext& DC) : FDC(DC), FSaved(DC.State()) {}
  ~TDCStateSaver() { FDC.RestoreState(FSaved); }
  TDCStateSaver(const TDCStateSaver&) = delete;
  TDCStateSaver& operator=(const TDCStateSaver&) = delete;

private:
  TDeviceContext& FDC;
  TDCState FSaved;
};
