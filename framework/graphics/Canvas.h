#pragma once
// TCanvas: drawing with a font, a pen and a brush on a device context.
//
// The canvas holds the three drawing objects; the device context holds what
// is actually selected. A change to an object only marks it stale, and the
// next drawing call that needs it selects it (font: face and text colour;
// pen: pen and mix mode; brush: brush, background colour and mode, opaque for
// a solid brush and transparent for a clear one). Raw calls made on Handle()
// in between keep their effect until an object they touch is selected again:
// a SetBkMode(TRANSPARENT) on the handle survives the next TextOut as long as
// the brush has not changed since it was last selected, which is what code
// that mixes the two relies on.
//
// A canvas draws on a device context it does not own: a control's paint
// context (SetHandle) or, for TBitmap's canvas, the bitmap's own context,
// which the canvas asks for when it first needs one (CreateHandle).

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Text.h"

class TBitmap;

// Copy modes of CopyRect and Draw: raster operation codes.
using TCopyMode = std::uint32_t;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

// What of the canvas is selected into its device context.
enum TCanvasStateFlag : unsigned {
  csHandleValid = 1,
  csFontValid = 2,
  csPenValid = 4,
  csBrushValid = 8,
  csAllValid = 15
};

class TCanvas : public TPersistent {
public:
  TCanvas();
  ~TCanvas() override;

  // The drawing objects. The setters copy the given object (Assign); the
  // canvas keeps its own.
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(Value); }
  TPen* Pen() const { return FPen.get(); }
  void SetPen(const TPen* Value) { FPen->Assign(Value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TBrush* Value) { FBrush->Assign(Value); }

  // The raster operation of CopyRect and of Draw/StretchDraw for bitmaps that
  // are not transparent (default cmSrcCopy).
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }

  // The device context with the font, pen and brush selected, for raw GDI
  // calls. Raises EInvalidGraphicOperation when the canvas has none.
  TDeviceContext* Handle();
  // Binds the canvas to a device context it does not own (nullptr unbinds);
  // everything is selected again before the next drawing.
  void SetHandle(TDeviceContext* Value);
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Gives back a context the canvas took for itself (a control canvas's
  // GetDC); a context bound with SetHandle is left alone.
  virtual void FreeHandle() {}
  // Marks the font, pen and brush as not selected, so the next drawing
  // selects them again (after the context's state was reset).
  void Refresh();

  // The current position of MoveTo/LineTo.
  TPoint PenPos();
  void SetPenPos(const TPoint& Value) { MoveTo(Value.X, Value.Y); }

  // Fills with the brush; right and bottom exclusive.
  void FillRect(const TRect& R);
  // A one-pixel frame inside R in the brush colour.
  void FrameRect(const TRect& R);
  // Outlined with the pen, filled with the brush.
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  void MoveTo(int X, int Y);
  // The end point itself is not painted.
  void LineTo(int X, int Y);
  void Polyline(const std::vector<TPoint>& Points);
  // The colour at a point (0x00BBGGRR), CLR_INVALID outside the clip.
  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Color);

  // Text at (X, Y), its cell filled with the brush unless the brush is clear;
  // moves the current position to the end of the text.
  void TextOut(int X, int Y, std::string_view Text);
  // Text at (X, Y) clipped to R; R is filled with the brush first unless the
  // brush is clear.
  void TextRect(const TRect& R, int X, int Y, std::string_view Text);
  // DrawText with the canvas's font and brush (DT_ flags); answers the text
  // height. With DT_CALCRECT it only measures, moving R's right and bottom.
  int DrawText(std::string_view Text, TRect& R, unsigned Format);
  TTextExtent TextExtent(std::string_view Text);
  int TextWidth(std::string_view Text) { return TextExtent(Text).cx; }
  int TextHeight(std::string_view Text) { return TextExtent(Text).cy; }

  // The dotted focus frame, inverted: drawing it twice removes it.
  void DrawFocusRect(const TRect& R);

  // Draws the whole bitmap with its top-left corner at (X, Y). A transparent
  // bitmap leaves the pixels of its transparent colour unpainted; any other
  // is copied through CopyMode. A monochrome bitmap draws black and white.
  void Draw(int X, int Y, const TBitmap* Bitmap);
  // The same, stretched (nearest pixel) to fill R.
  void StretchDraw(const TRect& R, const TBitmap* Bitmap);
  // Copies (stretching) Source of another canvas to Dest through CopyMode.
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
  // Copies Source of the bitmap to Dest with every pixel of Color replaced
  // by this canvas's brush (left alone when the brush is clear).
  void BrushCopy(const TRect& Dest, const TBitmap* Bitmap, const TRect& Source, TColor Color);

  // The visible area in logical coordinates; empty when nothing is visible.
  TRect ClipRect();

  // Fired before and after each drawing call made through the canvas (not
  // around raw calls on Handle()).
  TNotifyEvent OnChanging;
  TNotifyEvent OnChange;

protected:
  // Called when a drawing call needs a context and there is none; a canvas
  // that can make its own (a bitmap's) binds it here with SetHandle.
  virtual void CreateHandle() {}
  // Selects into the context what State names and is not yet selected.
  void RequiredState(unsigned State);
  virtual void Changing();
  virtual void Changed();

private:
  TDeviceContext& Context(unsigned State);

  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  TDeviceContext* FHandle = nullptr;
  unsigned FState = 0;
  TCopyMode FCopyMode = cmSrcCopy;
};
