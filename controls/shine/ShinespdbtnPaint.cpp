// Painting a shine button: the face (flat or gradient), the glyph and
// caption placed by CalcDrawPosition, and the frame.

#include <algorithm>
#include <cstdint>

#include "controls/shine/Shinespdbtn.h"
#include "platform/gdi/Blit.h"
#include "platform/gdi/TextLayout.h"

namespace {

// Paints the brush where the source is white and leaves the target where it
// is black (destination ^ (source & (pattern ^ destination))).
constexpr std::uint32_t kMaskPaintRop = 0x00E20746;
constexpr TColor kNoColor = clNone;

void Line(TCanvas& C, TColor Color, int X1, int Y1, int X2, int Y2) {
  C.Pen()->SetColor(Color);
  C.MoveTo(X1, Y1);
  C.LineTo(X2, Y2);
}

void Offset(TRect& R, int DX, int DY) {
  R.Left += DX;
  R.Right += DX;
  R.Top += DY;
  R.Bottom += DY;
}

}  // namespace

void TShineSpeedButton::Paint() {
  if (!Enabled()) {
    FDrawState = sdDisabled;
    FPressing = false;
  }
  if (FTransparent) {
    // The parent has painted behind the button: draw straight on it.
    TCanvas& Target = *Canvas();
    BackDraw(Target);
    ImageDraw(Target);
    FrameDraw(Target);
    return;
  }
  // Opaque: the face is composed off-screen and reaches the screen in one
  // copy, so a hover change never shows half-drawn.
  TBitmap Buffer(Width(), Height());
  TCanvas& Target = *Buffer.Canvas();
  BackDraw(Target);
  ImageDraw(Target);
  FrameDraw(Target);
  Canvas()->Draw(0, 0, &Buffer);
}

void TShineSpeedButton::BackDraw(TCanvas& Target) {
  if (FTransparent) return;
  const TShineBtnColors& Set = IsPressedLook() ? *FPressedColors : *FColors;
  const TRect Client{0, 0, ClientWidth(), ClientHeight()};
  if (!Set.Gradation()) {
    Target.Brush()->SetStyle(bsSolid);
    Target.Brush()->SetColor(Set.Color());
    Target.FillRect(Client);
    return;
  }
  // 256 steps from Color to GradColor, stretched without smoothing: rows or
  // columns repeat or drop out, they never blend.
  const std::uint32_t From = ColorToDIBPixel(Set.Color());
  const std::uint32_t To = ColorToDIBPixel(Set.GradColor());
  TBitmap Strip;
  Strip.SetPixelFormat(pf32bit);
  if (Set.GradVertical())
    Strip.SetSize(1, 256);
  else
    Strip.SetSize(256, 1);
  auto Channel = [](std::uint32_t P, int Shift) { return int((P >> Shift) & 0xFF); };
  for (int I = 0; I < 256; ++I) {
    std::uint32_t Pixel = 0;
    for (int Shift : {16, 8, 0}) {
      const int C0 = Channel(From, Shift);
      const int C1 = Channel(To, Shift);
      Pixel |= std::uint32_t(C0 + (C1 - C0) * I / 255) << Shift;
    }
    if (Set.GradVertical())
      Strip.ScanLine(I)[0] = Pixel;
    else
      Strip.ScanLine(0)[I] = Pixel;
  }
  Target.StretchDraw(Client, &Strip);
}

void TShineSpeedButton::CalcDrawPosition(TCanvas& Target, TPoint& GlyphPos, TRect& TextRect) {
  const bool HasGlyph = !FGlyph->Empty();
  const int GW = FGlyph->Width() * GlyphFactor();
  const int GH = FGlyph->Height() * GlyphFactor();
  const std::string Text = Caption();
  const bool HasText = !Text.empty();
  const int CW = ClientWidth();
  const int CH = ClientHeight();

  // Several lines at line breaks, '&' prefixes, no word wrap.
  TRect Measured{0, 0, CW, 0};
  if (HasText) Target.DrawText(Text, Measured, DT_CALCRECT);
  const int TW = Measured.Right - Measured.Left;
  const int TH = Measured.Bottom - Measured.Top;

  int BW = 0, BH = 0, GX = 0, GY = 0, TX = 0, TY = 0;
  const bool Both = HasGlyph && HasText;
  // Glyph and text one after the other along the layout's axis, the
  // spacing between them, each centred across it.
  struct TPart {
    bool Present;
    int Along, Across;
    int *Pos, *Cross;
  };
  auto Stack = [&](const TPart& First, const TPart& Second, int& Length, int& Breadth) {
    for (const TPart* P : {&First, &Second}) {
      if (P == &Second && Both) Length += FSpacing;
      *P->Pos = Length;
      if (!P->Present) continue;
      Length += P->Along;
      Breadth = std::max(Breadth, P->Across);
    }
    for (const TPart* P : {&First, &Second})
      if (P->Present) *P->Cross = (Breadth - P->Across) / 2;
  };
  switch (FLayout) {
    case blGlyphLeft:
    case blGlyphRight: {
      const TPart GlyphPart{HasGlyph, GW, GH, &GX, &GY}, TextPart{HasText, TW, TH, &TX, &TY};
      if (FLayout == blGlyphLeft)
        Stack(GlyphPart, TextPart, BW, BH);
      else
        Stack(TextPart, GlyphPart, BW, BH);
      break;
    }
    case blGlyphTop:
    case blGlyphBottom: {
      const TPart GlyphPart{HasGlyph, GH, GW, &GY, &GX}, TextPart{HasText, TH, TW, &TY, &TX};
      if (FLayout == blGlyphTop)
        Stack(GlyphPart, TextPart, BH, BW);
      else
        Stack(TextPart, GlyphPart, BH, BW);
      break;
    }
  }

  // C++ division truncates toward zero, as the placement rules ask.
  int OX = (CW - BW) / 2;
  int OY = (CH - BH) / 2;
  if (FMargin >= 0) {
    switch (FLayout) {
      case blGlyphLeft:
        OX = FMargin;
        break;
      case blGlyphRight:
        OX = CW - BW - FMargin;
        break;
      case blGlyphTop:
        OY = FMargin;
        break;
      case blGlyphBottom:
        OY = CH - BH - FMargin;
        break;
    }
  }
  GlyphPos = TPoint{GX + OX, GY + OY};
  TextRect = TRect{TX + OX, TY + OY, TX + OX + TW, TY + OY + TH};
}

int TShineSpeedButton::GlyphFactor() const {
  const int Factor = int(PixelsPerInch() / 96.0 + 1e-9);
  return Factor < 1 ? 1 : Factor;
}

// Each pixel of the glyph as a square of Factor pixels: a glyph is
// enlarged, never blended with its transparent colour.
static std::unique_ptr<TBitmap> Enlarged(std::unique_ptr<TBitmap> Image, int Factor) {
  if (!Image || Factor <= 1 || Image->Width() == 0) return Image;
  auto Big = std::make_unique<TBitmap>();
  Big->SetMonochrome(Image->Monochrome());
  if (!Image->Monochrome()) Big->SetPixelFormat(Image->PixelFormat());
  Big->SetSize(Image->Width() * Factor, Image->Height() * Factor);
  StretchBlt(*Big->Canvas()->Handle(), 0, 0, Big->Width(), Big->Height(),
             *Image->Canvas()->Handle(), 0, 0, Image->Width(), Image->Height(), SRCCOPY);
  Big->SetTransparentColor(Image->TransparentColor());
  Big->SetTransparent(Image->Transparent());
  return Big;
}

void TShineSpeedButton::ImageDraw(TCanvas& Target) {
  Target.SetFont(IsActiveLook() ? FActiveFont.get() : FFont.get());
  std::unique_ptr<TBitmap> Image = Enlarged(CreateStateGlyph(), GlyphFactor());
  TPoint GlyphPos;
  TRect TextRect;
  CalcDrawPosition(Target, GlyphPos, TextRect);
  const bool Pressed = IsPressedLook();

  if (Image) {
    if (Pressed) GlyphPos = TPoint{GlyphPos.X + 1, GlyphPos.Y + 1};
    if (FDrawState == sdDisabled && FDisabledImage == diDefault) {
      // Embossed: the mask's white pixels in the highlight one pixel
      // down-right, then in the shadow on top.
      TDeviceContext& Mask = *Image->Canvas()->Handle();
      auto PaintMask = [&](TColor Color, int X, int Y) {
        Target.Brush()->SetStyle(bsSolid);
        Target.Brush()->SetColor(Color);
        TDeviceContext& DC = *Target.Handle();
        DC.SetTextColor(clBlack);
        DC.SetBkColor(clWhite);
        BitBlt(DC, X, Y, Image->Width(), Image->Height(), Mask, 0, 0, kMaskPaintRop);
      };
      PaintMask(FDisabledHighlight, GlyphPos.X + 1, GlyphPos.Y + 1);
      PaintMask(FDisabledShadow, GlyphPos.X, GlyphPos.Y);
    } else {
      Target.Brush()->SetStyle(bsClear);
      Target.Draw(GlyphPos.X, GlyphPos.Y, Image.get());
    }
  }

  const std::string Text = Caption();
  if (Text.empty()) return;
  if (Pressed) Offset(TextRect, 1, 1);
  Target.Brush()->SetStyle(bsClear);
  const unsigned Format = DT_CENTER | DT_VCENTER;
  auto DrawAt = [&](TColor Color, int DX, int DY) {
    TRect R = TextRect;
    Offset(R, DX, DY);
    Target.Font()->SetColor(Color);
    Target.DrawText(Text, R, Format);
  };
  if (FDrawState == sdDisabled) {
    DrawAt(FDisabledHighlight, 1, 1);
    DrawAt(FDisabledShadow, 0, 0);
    return;
  }
  const TColor Main = Target.Font()->Color();
  if (FFontShadow != kNoColor) DrawAt(FFontShadow, 1, 1);
  if (FFontHighlight != kNoColor) DrawAt(FFontHighlight, -1, -1);
  DrawAt(Main, 0, 0);
}

void TShineSpeedButton::FrameDraw(TCanvas& Target) {
  Target.Pen()->SetStyle(psSolid);
  Target.Pen()->SetWidth(1);
  Target.Pen()->SetMode(pmCopy);

  const bool Pressed = IsPressedLook();
  bool Draw;
  if (Pressed)
    Draw = (FDownFrame && FDrawState == sdDown) || (FActiveFrame && FDrawState == sdDownActive);
  else
    Draw = (FUpFrame && FDrawState != sdUpActive) || (FActiveFrame && FDrawState == sdUpActive);
  if (!Draw) return;

  const int W = Width();
  const int H = Height();
  const TShineBtnColors& P = *FPressedColors;
  const TShineBtnColors& C = *FColors;
  // The frame's lines are one line's width at the button's scale. At 96
  // dpi they are pen lines; scaled, each is a run of whole pixels: a place
  // given near the far edge (W - 1, W - 2) is counted in lines from it.
  const int S = ScaledStroke(1);
  const auto Place = [S](int V, int Size) { return V <= Size / 2 ? V * S : Size - (Size - V) * S; };
  const auto Line = [&](TColor Color, int X1, int Y1, int X2, int Y2) {
    if (S == 1) {
      ::Line(Target, Color, X1, Y1, X2, Y2);
      return;
    }
    // LineTo's pixels: from the start to just before the end.
    const int PX1 = Place(X1, W), PX2 = Place(X2, W), PY1 = Place(Y1, H), PY2 = Place(Y2, H);
    TRect R;
    if (Y1 == Y2)
      R = PX1 <= PX2 ? TRect{PX1, PY1, PX2, PY1 + S} : TRect{PX2 + S, PY1, PX1 + S, PY1 + S};
    else
      R = PY1 <= PY2 ? TRect{PX1, PY1, PX1 + S, PY2} : TRect{PX1, PY2 + S, PX1 + S, PY1 + S};
    Target.Brush()->SetStyle(bsSolid);
    Target.Brush()->SetColor(Color);
    Target.FillRect(R);
  };
  // LineTo never paints its end point: the flat and normal frames leave the
  // top-right and bottom-left corner pixels unpainted.
  switch (FFrameType) {
    case ftFlatFrame:
      if (Pressed) {
        Line(P.Shadow(), 0, 0, W - 1, 0);
        Line(P.Shadow(), 0, 0, 0, H - 1);
        Line(P.Highlight(), W - 1, H - 1, 0, H - 1);
        Line(P.Highlight(), W - 1, H - 1, W - 1, 0);
      } else {
        Line(C.Highlight(), 0, 0, W - 1, 0);
        Line(C.Highlight(), 0, 0, 0, H - 1);
        Line(C.Shadow(), W - 1, H - 1, 0, H - 1);
        Line(C.Shadow(), W - 1, H - 1, W - 1, 0);
      }
      break;
    case ftNormalFrame:
      if (Pressed) {
        Line(P.Shadow(), 1, 1, W - 1, 1);
        Line(P.Shadow(), 1, 1, 1, H - 1);
        Line(P.DarkShadow(), 0, 0, W - 1, 0);
        Line(P.DarkShadow(), 0, 0, 0, H - 1);
        Line(P.Highlight(), W - 1, H - 1, 0, H - 1);
        Line(P.Highlight(), W - 1, H - 1, W - 1, 0);
      } else {
        Line(C.Shadow(), W - 2, H - 2, 0, H - 2);
        Line(C.Shadow(), W - 2, H - 2, W - 2, 0);
        Line(C.DarkShadow(), W - 1, H - 1, 0, H - 1);
        Line(C.DarkShadow(), W - 1, H - 1, W - 1, 0);
        Line(C.Highlight(), 0, 0, W - 1, 0);
        Line(C.Highlight(), 0, 0, 0, H - 1);
      }
      break;
    case ftEnclosedFrame:
      if (Pressed) {
        Line(P.Shadow(), 1, 1, W - 2, 1);
        Line(P.Shadow(), 1, 1, 1, H - 2);
        Line(P.Highlight(), W - 2, H - 2, 1, H - 2);
        Line(P.Highlight(), W - 2, H - 2, W - 2, 1);
      } else {
        Line(C.Highlight(), 1, 1, W - 2, 1);
        Line(C.Highlight(), 1, 1, 1, H - 2);
        Line(C.Shadow(), W - 2, H - 2, 1, H - 2);
        Line(C.Shadow(), W - 2, H - 2, W - 2, 1);
      }
      // The outline round the whole button, in the up colours in every look.
      Target.Pen()->SetColor(C.DarkShadow());
      Target.Brush()->SetStyle(bsClear);
      if (S == 1) {
        Target.Rectangle(0, 0, W, H);
      } else {
        Line(C.DarkShadow(), 0, 0, W, 0);
        Line(C.DarkShadow(), 0, H - 1, W, H - 1);
        Line(C.DarkShadow(), 0, 0, 0, H);
        Line(C.DarkShadow(), W - 1, 0, W - 1, H);
      }
      break;
  }
}
