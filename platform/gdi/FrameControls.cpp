#include "platform/gdi/FrameControls.h"

#include <algorithm>

#include "platform/gdi/Primitives.h"
#include "platform/gdi/Raster.h"

namespace {

// ---------------------------------------------------------------------------
// Edges. The tables are indexed by the edge kind's four bits: column = outer
// bits (1 raised, 2 sunken), row = inner bits (1 raised, 2 sunken). -1 means
// that line is not drawn. Both bits of one pair set is no valid edge.

constexpr int N = -1;

constexpr int kLTOuterNormal[16] = {N,
                                    COLOR_3DLIGHT,
                                    COLOR_BTNSHADOW,
                                    N,  //
                                    COLOR_BTNHIGHLIGHT,
                                    COLOR_3DLIGHT,
                                    COLOR_BTNSHADOW,
                                    N,
                                    COLOR_3DDKSHADOW,
                                    COLOR_3DLIGHT,
                                    COLOR_BTNSHADOW,
                                    N,  //
                                    N,
                                    COLOR_3DLIGHT,
                                    COLOR_BTNSHADOW,
                                    N};
constexpr int kLTInnerNormal[16] = {N,
                                    N,
                                    N,
                                    N,  //
                                    N,
                                    COLOR_BTNHIGHLIGHT,
                                    COLOR_BTNHIGHLIGHT,
                                    N,
                                    N,
                                    COLOR_3DDKSHADOW,
                                    COLOR_3DDKSHADOW,
                                    N,  //
                                    N,
                                    N,
                                    N,
                                    N};
constexpr int kRBOuterNormal[16] = {N,
                                    COLOR_3DDKSHADOW,
                                    COLOR_BTNHIGHLIGHT,
                                    N,  //
                                    COLOR_BTNSHADOW,
                                    COLOR_3DDKSHADOW,
                                    COLOR_BTNHIGHLIGHT,
                                    N,
                                    COLOR_3DLIGHT,
                                    COLOR_3DDKSHADOW,
                                    COLOR_BTNHIGHLIGHT,
                                    N,  //
                                    N,
                                    COLOR_3DDKSHADOW,
                                    COLOR_BTNHIGHLIGHT,
                                    N};
constexpr int kRBInnerNormal[16] = {N,
                                    N,
                                    N,
                                    N,  //
                                    N,
                                    COLOR_BTNSHADOW,
                                    COLOR_BTNSHADOW,
                                    N,
                                    N,
                                    COLOR_3DLIGHT,
                                    COLOR_3DLIGHT,
                                    N,  //
                                    N,
                                    N,
                                    N,
                                    N};
constexpr int kLTOuterSoft[16] = {N,
                                  COLOR_BTNHIGHLIGHT,
                                  COLOR_3DDKSHADOW,
                                  N,  //
                                  COLOR_3DLIGHT,
                                  COLOR_BTNHIGHLIGHT,
                                  COLOR_3DDKSHADOW,
                                  N,
                                  COLOR_BTNSHADOW,
                                  COLOR_BTNHIGHLIGHT,
                                  COLOR_3DDKSHADOW,
                                  N,  //
                                  N,
                                  COLOR_BTNHIGHLIGHT,
                                  COLOR_3DDKSHADOW,
                                  N};
constexpr int kLTInnerSoft[16] = {N,
                                  N,
                                  N,
                                  N,  //
                                  N,
                                  COLOR_3DLIGHT,
                                  COLOR_3DLIGHT,
                                  N,
                                  N,
                                  COLOR_BTNSHADOW,
                                  COLOR_BTNSHADOW,
                                  N,  //
                                  N,
                                  N,
                                  N,
                                  N};
// Flat and mono edges are one colour all round; an inner line only exists
// where the kind has both an inner and an outer part.
constexpr int kOuterMono[16] = {N,
                                COLOR_WINDOWFRAME,
                                COLOR_WINDOWFRAME,
                                COLOR_WINDOWFRAME,
                                COLOR_WINDOW,
                                COLOR_WINDOWFRAME,
                                COLOR_WINDOWFRAME,
                                COLOR_WINDOWFRAME,
                                COLOR_WINDOW,
                                COLOR_WINDOWFRAME,
                                COLOR_WINDOWFRAME,
                                COLOR_WINDOWFRAME,
                                COLOR_WINDOW,
                                COLOR_WINDOWFRAME,
                                COLOR_WINDOWFRAME,
                                COLOR_WINDOWFRAME};
constexpr int kInnerMono[16] = {N,
                                N,
                                N,
                                N,  //
                                N,
                                COLOR_WINDOW,
                                COLOR_WINDOW,
                                COLOR_WINDOW,
                                N,
                                COLOR_WINDOW,
                                COLOR_WINDOW,
                                COLOR_WINDOW,  //
                                N,
                                COLOR_WINDOW,
                                COLOR_WINDOW,
                                COLOR_WINDOW};
constexpr int kOuterFlat[16] = {N,
                                COLOR_BTNSHADOW,
                                COLOR_BTNSHADOW,
                                COLOR_BTNSHADOW,
                                COLOR_BTNFACE,
                                COLOR_BTNSHADOW,
                                COLOR_BTNSHADOW,
                                COLOR_BTNSHADOW,
                                COLOR_BTNFACE,
                                COLOR_BTNSHADOW,
                                COLOR_BTNSHADOW,
                                COLOR_BTNSHADOW,
                                COLOR_BTNFACE,
                                COLOR_BTNSHADOW,
                                COLOR_BTNSHADOW,
                                COLOR_BTNSHADOW};

void Line(TDeviceContext& DC, int Color, int Left, int Top, int Right, int Bottom) {
  if (Color != N) FillRect(DC, TRect{Left, Top, Right, Bottom}, GetSysColorBrush(Color));
}

// ---------------------------------------------------------------------------
// Glyph helpers.

// Paints the cells of an ASCII mask ('#' painted) at (X, Y), each cell a
// square of Cell pixels (one line's width at the program's scale).
template <std::size_t Rows>
void PaintMask(TDeviceContext& DC, int X, int Y, const char* const (&Mask)[Rows], TColor Color,
               int Cell = 1) {
  const TLogBrush Brush = SolidBrush(Color);
  for (std::size_t Row = 0; Row < Rows; ++Row) {
    const char* Line = Mask[Row];
    const int Top = Y + int(Row) * Cell;
    for (int Col = 0; Line[Col]; ++Col) {
      if (Line[Col] != '#') continue;
      int End = Col;
      while (Line[End] == '#') ++End;
      FillRect(DC, TRect{X + Col * Cell, Top, X + End * Cell, Top + Cell}, Brush);
      Col = End - 1;
    }
  }
}

// Draws a glyph in the glyph colour, or embossed when inactive: highlight one
// line down and right, shadow on top of it.
template <class F>
void PaintGlyph(unsigned State, F&& Draw) {
  if (State & DFCS_INACTIVE) {
    const int S = GetScaledStroke();
    Draw(S, S, clBtnHighlight);
    Draw(0, 0, clBtnShadow);
  } else {
    Draw(0, 0, clBtnText);
  }
}

// A filled triangle pointing in Direction (DFCS_SCROLLUP .. RIGHT): for
// up/down, rows of 2n+1, 2n-1, ..., 1 pixels (n + 1 rows); left/right the same
// turned. n = (min(width, height) - 4) / 4, at least 1, so a 17-pixel button
// carries the classic 7 by 4 arrow. The triangle is centred in R (halves
// rounded down, so a spare pixel goes right and below) and moves one pixel
// right and down when pushed.
void PaintArrow(TDeviceContext& DC, const TRect& R, unsigned Direction, unsigned State) {
  const int Size = std::min(R.Width(), R.Height());
  const int Half = std::max(1, (Size - 4) / 4);
  const bool Vertical = Direction == DFCS_SCROLLUP || Direction == DFCS_SCROLLDOWN;
  const int GW = Vertical ? 2 * Half + 1 : Half + 1;
  const int GH = Vertical ? Half + 1 : 2 * Half + 1;
  int X0 = R.Left + (R.Width() - GW) / 2, Y0 = R.Top + (R.Height() - GH) / 2;
  if (State & DFCS_PUSHED) X0 += GetScaledStroke(), Y0 += GetScaledStroke();
  PaintGlyph(State, [&](int DX, int DY, TColor Color) {
    const TLogBrush Brush = SolidBrush(Color);
    for (int I = 0; I <= Half; ++I) {
      // Step I from the arrow's wide base: the line is 2(Half - I) + 1 long.
      const int Len = 2 * (Half - I) + 1;
      TRect Piece;
      switch (Direction) {
        case DFCS_SCROLLDOWN:
          Piece = Bounds(X0 + I, Y0 + I, Len, 1);
          break;
        case DFCS_SCROLLUP:
          Piece = Bounds(X0 + I, Y0 + Half - I, Len, 1);
          break;
        case DFCS_SCROLLRIGHT:
          Piece = Bounds(X0 + I, Y0 + I, 1, Len);
          break;
        default:
          Piece = Bounds(X0 + Half - I, Y0 + I, 1, Len);
          break;
      }
      FillRect(DC, Bounds(Piece.Left + DX, Piece.Top + DY, Piece.Width(), Piece.Height()), Brush);
    }
  });
}

// The face of a button-like control: raised, or sunken when pushed; a flat
// control has a one-pixel shadow outline instead.
void PaintButtonFace(TDeviceContext& DC, const TRect& R, unsigned State, unsigned ExtraFlags) {
  TRect Face = R;
  const unsigned Edge = (State & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED;
  unsigned Flags = BF_RECT | BF_MIDDLE | ExtraFlags;
  if (State & DFCS_FLAT) Flags |= BF_FLAT;
  if (State & DFCS_MONO) Flags |= BF_MONO;
  DrawEdge(DC, Face, Edge, Flags, GetScaledStroke());
}

bool DrawScroll(TDeviceContext& DC, const TRect& R, unsigned State) {
  const unsigned Kind = State & 0xFF;
  switch (Kind) {
    case DFCS_SCROLLUP:
    case DFCS_SCROLLDOWN:
    case DFCS_SCROLLLEFT:
    case DFCS_SCROLLRIGHT:
    case DFCS_SCROLLCOMBOBOX:
      PaintButtonFace(DC, R, State, 0);
      PaintArrow(DC, R, Kind == DFCS_SCROLLCOMBOBOX ? DFCS_SCROLLDOWN : Kind, State);
      return true;
    case DFCS_SCROLLSIZEGRIP:
    case DFCS_SCROLLSIZEGRIPRIGHT: {
      // The grip: R filled with the button face, then three ridges of
      // anti-diagonal lines in the bottom-right corner (bottom-left for the
      // right-to-left grip). Counting lines d = 0, 1, 2, ... away from the
      // corner pixel (d = distance in x plus distance in y), each ridge is
      // face, shadow, shadow, highlight: d = 1, 2, 5, 6, 9, 10 are shadow,
      // d = 3, 7, 11 highlight, the rest face. A 12-pixel square holds all.
      // Scaled, each pixel is a square of one line's width.
      FillRect(DC, R, GetSysColorBrush(COLOR_BTNFACE));
      const bool Left = Kind == DFCS_SCROLLSIZEGRIPRIGHT;
      const TLogBrush Shadow = GetSysColorBrush(COLOR_BTNSHADOW);
      const TLogBrush Highlight = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
      const int S = GetScaledStroke();
      TDCStateSaver Saver(DC);
      DC.IntersectClipRect(R);
      for (int D = 1; D <= 11; ++D) {
        if (D % 4 == 0) continue;
        const TLogBrush& Brush = (D % 4 == 3) ? Highlight : Shadow;
        for (int A = 0; A <= D; ++A) {
          const int X = Left ? R.Left + A * S : R.Right - (A + 1) * S;
          const int Y = R.Bottom - (D - A + 1) * S;
          FillRect(DC, TRect{X, Y, X + S, Y + S}, Brush);
        }
      }
      return true;
    }
    default:
      return false;
  }
}

// The classic check mark, 7 by 7, three pixels thick.
constexpr const char* kCheckMark[7] = {
    "......#",  //
    ".....##",  //
    "#...###",  //
    "##.###.",  //
    "#####..",  //
    ".###...",  //
    "..#....",
};

// The radio button, 12 by 12: 'o' outer ring, 'i' inner ring, 'n' inside.
// Ring pixels above the anti-diagonal (x + y < 11) take the top-left colours
// of a sunken edge, the others the bottom-right ones.
constexpr const char* kRadio[12] = {
    "....oooo....",  //
    "..ooiiiioo..",  //
    ".oiinnnniio.",  //
    ".oinnnnnnio.",  //
    "oinnnnnnnnio",  //
    "oinnnnnnnnio",  //
    "oinnnnnnnnio",  //
    "oinnnnnnnnio",  //
    ".oinnnnnnio.",  //
    ".oiinnnniio.",  //
    "..ooiiiioo..",  //
    "....oooo....",
};
constexpr const char* kRadioDot[4] = {
    ".##.",  //
    "####",  //
    "####",  //
    ".##.",
};

// The square a check box or radio button occupies: the largest square that
// fits, centred in R (spare pixels go right and below).
TRect GlyphSquare(const TRect& R) {
  const int Side = std::min(R.Width(), R.Height());
  return Bounds(R.Left + (R.Width() - Side) / 2, R.Top + (R.Height() - Side) / 2, Side, Side);
}

// A check box: a sunken edge around the square, the inside filled with the
// window colour (button face when pushed or inactive), and when checked the
// 7 by 7 mark centred inside (rounded toward the top-left), in the text
// colour, grey (shadow) when inactive or for a checked three-state box. The
// 13 by 13 system box: edge 2 pixels, inside 9 by 9, mark at (3, 3); the 26
// by 26 box of 192 dpi the same at twice the size.
void PaintCheckBox(TDeviceContext& DC, const TRect& R, unsigned State) {
  TRect Box = GlyphSquare(R);
  unsigned Flags = BF_RECT | BF_ADJUST;
  if (State & DFCS_FLAT) Flags |= BF_FLAT;
  if (State & DFCS_MONO) Flags |= BF_MONO;
  // A box of a whole multiple of the 13-pixel box is that box enlarged:
  // lines and mark cells of the multiple.
  const int S = std::max(1, Box.Width() / 13);
  DrawEdge(DC, Box, EDGE_SUNKEN, Flags, S);
  const bool Greyed = State & (DFCS_PUSHED | DFCS_INACTIVE);
  FillRect(DC, Box, GetSysColorBrush(Greyed ? COLOR_BTNFACE : COLOR_WINDOW));
  if (!(State & DFCS_CHECKED)) return;
  TDCStateSaver Saver(DC);
  DC.IntersectClipRect(Box);
  const bool GreyMark = (State & DFCS_INACTIVE) || (State & 0xFF) == DFCS_BUTTON3STATE;
  PaintMask(DC, Box.Left + (Box.Width() - 7 * S) / 2, Box.Top + (Box.Height() - 7 * S) / 2,
            kCheckMark, GreyMark ? clBtnShadow : clWindowText, S);
}

// A radio button: the 12 by 12 circle centred in R (rounded toward the
// top-left), the inside window-coloured (button face when pushed or
// inactive), with a 4 by 4 dot at (4, 4) of the circle when checked.
void PaintRadio(TDeviceContext& DC, const TRect& R, unsigned State) {
  const int X0 = R.Left + (R.Width() - 12) / 2, Y0 = R.Top + (R.Height() - 12) / 2;
  const bool Greyed = State & (DFCS_PUSHED | DFCS_INACTIVE);
  const TLogBrush Inside = GetSysColorBrush(Greyed ? COLOR_BTNFACE : COLOR_WINDOW);
  for (int Y = 0; Y < 12; ++Y)
    for (int X = 0; X < 12; ++X) {
      const char C = kRadio[Y][X];
      int Color;
      const bool TopLeft = X + Y < 11;
      if (C == 'o')
        Color = TopLeft ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
      else if (C == 'i')
        Color = TopLeft ? COLOR_3DDKSHADOW : COLOR_3DLIGHT;
      else if (C == 'n')
        Color = -2;
      else
        continue;
      FillRect(DC, Bounds(X0 + X, Y0 + Y, 1, 1), Color == -2 ? Inside : GetSysColorBrush(Color));
    }
  if (State & DFCS_CHECKED)
    PaintMask(DC, X0 + 4, Y0 + 4, kRadioDot, (State & DFCS_INACTIVE) ? clBtnShadow : clWindowText);
}

bool DrawButton(TDeviceContext& DC, const TRect& R, unsigned State) {
  switch (State & 0xFF) {
    case DFCS_BUTTONCHECK:
    case DFCS_BUTTON3STATE:
      PaintCheckBox(DC, R, State);
      return true;
    case DFCS_BUTTONRADIO:
      PaintRadio(DC, R, State);
      return true;
    case DFCS_BUTTONPUSH:
      PaintButtonFace(DC, R, State, BF_SOFT);
      return true;
    default:
      return false;
  }
}

// The caption close button: a soft raised face (sunken when pushed, a shadow
// outline when flat) with an X of two-pixel strokes. The X is k rows high
// and k + 1 wide, k = min(width, height) / 2: row i has pixels i, i + 1 and
// k - 1 - i, k - i. It is centred (halves rounded down) and moves one pixel
// right and down when pushed. A classic 16 by 14 button gets the 8 by 7 X at
// (4, 3).
bool DrawCaption(TDeviceContext& DC, const TRect& R, unsigned State) {
  if ((State & 0xFF) != DFCS_CAPTIONCLOSE) return false;
  PaintButtonFace(DC, R, State, BF_SOFT);
  const int K = std::max(1, std::min(R.Width(), R.Height()) / 2);
  int X0 = R.Left + (R.Width() - (K + 1)) / 2, Y0 = R.Top + (R.Height() - K) / 2;
  if (State & DFCS_PUSHED) ++X0, ++Y0;
  PaintGlyph(State, [&](int DX, int DY, TColor Color) {
    const TLogBrush Brush = SolidBrush(Color);
    for (int I = 0; I < K; ++I) {
      const int Y = Y0 + DY + I;
      const int A = I, B = K - 1 - I;
      if (std::abs(A - B) <= 1) {
        // The strokes meet: one run covering both.
        FillRect(DC, TRect{X0 + DX + std::min(A, B), Y, X0 + DX + std::max(A, B) + 2, Y + 1},
                 Brush);
      } else {
        FillRect(DC, TRect{X0 + DX + A, Y, X0 + DX + A + 2, Y + 1}, Brush);
        FillRect(DC, TRect{X0 + DX + B, Y, X0 + DX + B + 2, Y + 1}, Brush);
      }
    }
  });
  return true;
}

}  // namespace

bool DrawEdge(TDeviceContext& DC, TRect& R, unsigned Edge, unsigned Flags, int Stroke) {
  const int S = Stroke < 1 ? 1 : Stroke;
  if (Flags & BF_DIAGONAL) return false;
  const unsigned Kind = Edge & (BDR_INNER | BDR_OUTER);
  int LTOuter, LTInner, RBOuter, RBInner;
  if (Flags & BF_MONO) {
    LTOuter = RBOuter = kOuterMono[Kind];
    LTInner = RBInner = kInnerMono[Kind];
  } else if (Flags & BF_FLAT) {
    LTOuter = RBOuter = kOuterFlat[Kind];
    LTInner = RBInner = kInnerMono[Kind] != N ? COLOR_BTNFACE : N;
  } else if (Flags & BF_SOFT) {
    LTOuter = kLTOuterSoft[Kind];
    LTInner = kLTInnerSoft[Kind];
    RBOuter = kRBOuterNormal[Kind];
    RBInner = kRBInnerNormal[Kind];
  } else {
    LTOuter = kLTOuterNormal[Kind];
    LTInner = kLTInnerNormal[Kind];
    RBOuter = kRBOuterNormal[Kind];
    RBInner = kRBInnerNormal[Kind];
  }

  const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  // Inner lines stop short of a corner where both of its sides are drawn, so
  // the outer lines keep the corner.
  // Lines are Stroke pixels wide, whole pixels each (a scaled edge).
  const int LTPlus = ((Flags & BF_TOPLEFT) == BF_TOPLEFT) * S;
  const int RTPlus = ((Flags & BF_TOPRIGHT) == BF_TOPRIGHT) * S;
  const int LBPlus = ((Flags & BF_BOTTOMLEFT) == BF_BOTTOMLEFT) * S;
  const int RBPlus = ((Flags & BF_BOTTOMRIGHT) == BF_BOTTOMRIGHT) * S;

  if (Flags & BF_TOP) Line(DC, LTOuter, L, T, Rt, T + S);
  if (Flags & BF_LEFT) Line(DC, LTOuter, L, T, L + S, B);
  if (Flags & BF_BOTTOM) Line(DC, RBOuter, L, B - S, Rt, B);
  if (Flags & BF_RIGHT) Line(DC, RBOuter, Rt - S, T, Rt, B);
  if (Flags & BF_TOP) Line(DC, LTInner, L + LTPlus, T + S, Rt - RTPlus, T + 2 * S);
  if (Flags & BF_LEFT) Line(DC, LTInner, L + S, T + LTPlus, L + 2 * S, B - LBPlus);
  if (Flags & BF_BOTTOM) Line(DC, RBInner, L + LBPlus, B - 2 * S, Rt - RBPlus, B - S);
  if (Flags & BF_RIGHT) Line(DC, RBInner, Rt - 2 * S, T + RTPlus, Rt - S, B - RBPlus);

  if (Flags & (BF_MIDDLE | BF_ADJUST)) {
    const int Add = ((kInnerMono[Kind] != N) + (kOuterMono[Kind] != N)) * S;
    TRect Inside = R;
    if (Flags & BF_LEFT) Inside.Left += Add;
    if (Flags & BF_RIGHT) Inside.Right -= Add;
    if (Flags & BF_TOP) Inside.Top += Add;
    if (Flags & BF_BOTTOM) Inside.Bottom -= Add;
    if (Flags & BF_MIDDLE)
      FillRect(DC, Inside, GetSysColorBrush((Flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    if (Flags & BF_ADJUST) R = Inside;
  }
  return true;
}

bool DrawFrameControl(TDeviceContext& DC, const TRect& R, unsigned Type, unsigned State) {
  switch (Type) {
    case DFC_SCROLL:
      return DrawScroll(DC, R, State);
    case DFC_BUTTON:
      return DrawButton(DC, R, State);
    case DFC_CAPTION:
      return DrawCaption(DC, R, State);
    default:
      return false;
  }
}

void DrawFocusRect(TDeviceContext& DC, const TRect& R) {
  TSurface* Target = DC.Target();
  if (!Target || R.IsEmpty()) return;
  const TRect D = DC.ToDevice(R);
  // Lines and dots one line's width at the program's scale (squares of two
  // pixels at 192 dpi), never wider than half the rectangle.
  const int S = std::max(1, std::min({GetScaledStroke(), D.Width() / 2, D.Height() / 2}));
  // Each border pixel once: full top and bottom rows, the sides between.
  const TRect Sides[4] = {
      TRect{D.Left, D.Top, D.Right, D.Top + S},
      TRect{D.Left, D.Bottom - S, D.Right, D.Height() > S ? D.Bottom : D.Bottom - S},
      TRect{D.Left, D.Top + S, D.Left + S, D.Bottom - S},
      TRect{D.Right - S, D.Top + S, D.Width() > S ? D.Right : D.Right - S, D.Bottom - S},
  };
  for (const TRect& Side : Sides)
    DC.ForEachClipRect(Side, [&](const TRect& Part) {
      for (int Y = Part.Top; Y < Part.Bottom; ++Y) {
        std::uint32_t* Row = Target->Row(Y);
        for (int X = Part.Left; X < Part.Right; ++X)
          if (((X - D.Left) / S + (Y - D.Top) / S) % 2 == 0) Row[X] = ~Row[X] & raster::kRgbMask;
      }
    });
}

bool LoadSystemBitmap(int Id, TDeviceBitmap& Bitmap) {
  if (Id != OBM_CHECKBOXES) return false;
  const int S = kCheckBoxGlyphSize;
  Bitmap = TDeviceBitmap(4 * S, 3 * S, bfColor32);
  TDeviceContext DC(Bitmap);
  FillRect(DC, TRect{0, 0, 4 * S, 3 * S}, GetSysColorBrush(COLOR_BTNFACE));
  const unsigned Kinds[3] = {DFCS_BUTTONCHECK, DFCS_BUTTONRADIO, DFCS_BUTTON3STATE};
  const unsigned States[4] = {0, DFCS_CHECKED, DFCS_PUSHED, DFCS_PUSHED | DFCS_CHECKED};
  for (int Row = 0; Row < 3; ++Row)
    for (int Col = 0; Col < 4; ++Col)
      DrawFrameControl(DC, Bounds(Col * S, Row * S, S, S), DFC_BUTTON, Kinds[Row] | States[Col]);
  return true;
}
