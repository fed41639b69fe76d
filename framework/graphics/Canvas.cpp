#include "framework/graphics/Canvas.h"

#include "framework/graphics/Bitmap.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/Primitives.h"

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()),
      FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>()) {
  FFont->OnChange = [this](TObject*) { FState &= ~csFontValid; };
  FPen->OnChange = [this](TObject*) { FState &= ~csPenValid; };
  FBrush->OnChange = [this](TObject*) { FState &= ~csBrushValid; };
}

TCanvas::~TCanvas() = default;

TDeviceContext* TCanvas::Handle() {
  RequiredState(csAllValid);
  return FHandle;
}

void TCanvas::SetHandle(TDeviceContext* Value) {
  if (Value == FHandle) return;
  FHandle = Value;
  FState = Value ? unsigned(csHandleValid) : 0u;
}

void TCanvas::Refresh() { FState &= csHandleValid; }

void TCanvas::RequiredState(unsigned State) {
  const unsigned Needed = State & ~FState;
  if (Needed == 0) return;
  if (Needed & csHandleValid) {
    CreateHandle();
    if (!FHandle) throw EInvalidGraphicOperation(messages::kNoCanvasHandle);
    FState |= csHandleValid;
  }
  TDeviceContext& DC = *FHandle;
  if (Needed & csFontValid) {
    DC.SetFont(FFont->LogFont());
    DC.SetTextColor(ColorToRGB(FFont->Color()));
    FState |= csFontValid;
  }
  if (Needed & csPenValid) {
    DC.SetPen(FPen->LogPen());
    DC.SetRop2(PenModeToRop2(FPen->Mode()));
    FState |= csPenValid;
  }
  if (Needed & csBrushValid) {
    DC.SetBrush(FBrush->LogBrush());
    const TColor Rgb = ColorToRGB(FBrush->Color());
    if (FBrush->Style() == bsClear) {
      // The complement keeps a colour-to-monochrome copy from matching the
      // brush colour while nothing is filled.
      DC.SetBkColor(~Rgb & 0x00FFFFFF);
      DC.SetBkMode(TRANSPARENT);
    } else {
      DC.SetBkColor(Rgb);
      DC.SetBkMode(OPAQUE);
    }
    FState |= csBrushValid;
  }
}

TDeviceContext& TCanvas::Context(unsigned State) {
  RequiredState(State | csHandleValid);
  return *FHandle;
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos() { return Context(csHandleValid).State().PenPos; }

void TCanvas::FillRect(const TRect& R) {
  Changing();
  TDeviceContext& DC = Context(csBrushValid);
  ::FillRect(DC, R, DC.State().Brush);
  Changed();
}

void TCanvas::FrameRect(const TRect& R) {
  Changing();
  TDeviceContext& DC = Context(csBrushValid);
  ::FrameRect(DC, R, DC.State().Brush);
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Changing();
  ::Rectangle(Context(csPenValid | csBrushValid), X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::MoveTo(int X, int Y) { Context(csHandleValid).MoveTo(X, Y); }

void TCanvas::LineTo(int X, int Y) {
  Changing();
  ::LineTo(Context(csPenValid | csBrushValid), X, Y);
  Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
  Changing();
  ::Polyline(Context(csPenValid | csBrushValid), Points);
  Changed();
}

TColor TCanvas::Pixels(int X, int Y) { return ::GetPixel(Context(csHandleValid), X, Y); }

void TCanvas::SetPixels(int X, int Y, TColor Color) {
  Changing();
  ::SetPixel(Context(csPenValid), X, Y, ColorToRGB(Color));
  Changed();
}

void TCanvas::TextOut(int X, int Y, std::string_view Text) {
  Changing();
  TDeviceContext& DC = Context(csFontValid | csBrushValid);
  ::TextOut(DC, X, Y, Text);
  DC.MoveTo(X + ::GetTextExtentPoint(DC, Text).cx, Y);
  Changed();
}

void TCanvas::TextRect(const TRect& R, int X, int Y, std::string_view Text) {
  Changing();
  TDeviceContext& DC = Context(csFontValid | csBrushValid);
  unsigned Options = ETO_CLIPPED;
  if (FBrush->Style() != bsClear) Options |= ETO_OPAQUE;
  ::ExtTextOut(DC, X, Y, Options, &R, Text);
  Changed();
}

int TCanvas::DrawText(std::string_view Text, TRect& R, unsigned Format) {
  const bool Measuring = (Format & DT_CALCRECT) != 0;
  if (!Measuring) Changing();
  const int Height = ::DrawText(Context(csFontValid | csBrushValid), Text, R, Format);
  if (!Measuring) Changed();
  return Height;
}

TTextExtent TCanvas::TextExtent(std::string_view Text) {
  return ::GetTextExtentPoint(Context(csFontValid), Text);
}

void TCanvas::DrawFocusRect(const TRect& R) {
  Changing();
  ::DrawFocusRect(Context(csBrushValid), R);
  Changed();
}

namespace {

// Draws Bitmap's whole image into the device rectangle Dest of DC.
void DrawBitmap(TDeviceContext& DC, const TRect& Dest, const TBitmap& Bitmap, TCopyMode Mode) {
  if (Bitmap.Empty()) return;
  const TDeviceContext& Source = *Bitmap.Canvas()->Handle();
  const TRect Whole{0, 0, Bitmap.Width(), Bitmap.Height()};
  TDCStateSaver Saver(DC);
  if (Bitmap.Monochrome()) {
    // A monochrome bitmap takes the target's text and background colours for
    // its 0 and 1 bits; drawn as a picture it should show black and white.
    DC.SetTextColor(clBlack);
    DC.SetBkColor(clWhite);
  }
  if (Bitmap.Transparent())
    ::TransparentBlt(DC, Dest, Source, Whole, Bitmap.TransparentColor());
  else
    ::StretchBlt(DC, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Source, 0, 0, Whole.Right,
                 Whole.Bottom, Mode);
}

}  // namespace

void TCanvas::Draw(int X, int Y, const TBitmap* Bitmap) {
  if (!Bitmap) return;
  StretchDraw(TRect{X, Y, X + Bitmap->Width(), Y + Bitmap->Height()}, Bitmap);
}

void TCanvas::StretchDraw(const TRect& R, const TBitmap* Bitmap) {
  if (!Bitmap) return;
  Changing();
  DrawBitmap(Context(csAllValid), R, *Bitmap, FCopyMode);
  Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
  if (!Canvas) return;
  Changing();
  TDeviceContext& DC = Context(csBrushValid);
  const TDeviceContext& From = *Canvas->Handle();
  ::StretchBlt(DC, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), From, Source.Left, Source.Top,
               Source.Width(), Source.Height(), FCopyMode);
  Changed();
}

void TCanvas::BrushCopy(const TRect& Dest, const TBitmap* Bitmap, const TRect& Source,
                        TColor Color) {
  if (!Bitmap) return;
  Changing();
  TDeviceContext& DC = Context(csBrushValid);
  ::BrushCopy(DC, Dest, *Bitmap->Canvas()->Handle(), Source, Color);
  Changed();
}

TRect TCanvas::ClipRect() {
  TRect Box;
  Context(csHandleValid).GetClipBox(Box);
  return Box;
}
