#include "platform/gdi/Primitives.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/Raster.h"

namespace {

using raster::kRgbMask;

// The on/off runs of the cosmetic pen styles, in pixels, starting with "on".
struct TDashPattern {
  const int* Runs;
  int Count;
};

constexpr int kDash[] = {18, 6};
constexpr int kDot[] = {3, 3};
constexpr int kDashDot[] = {9, 6, 3, 6};
constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};
constexpr int kAlternate[] = {1, 1};

TDashPattern PatternOf(TPenStyle Style) {
  switch (Style) {
    case psDash:
      return {kDash, 2};
    case psDot:
      return {kDot, 2};
    case psDashDot:
      return {kDashDot, 4};
    case psDashDotDot:
      return {kDashDotDot, 6};
    case psAlternate:
      return {kAlternate, 2};
    default:
      return {nullptr, 0};
  }
}

// Writes the pixels of a one-pixel pen, merging neighbouring pixels of the
// same kind into runs so that clipping is done per run, not per pixel. The
// dash position runs on for as long as the painter lives.
class TThinPenPainter {
public:
  explicit TThinPenPainter(TDeviceContext& DC)
      : FDC(DC),
        FPattern(PatternOf(DC.State().Pen.Style)),
        FPenPixel(DC.PixelOf(DC.State().Pen.Color)),
        FGapPixel(DC.PixelOf(DC.State().BkColor)),
        FOpaqueGaps(DC.State().BkMode == OPAQUE),
        FMode(DC.State().Rop2) {}
  ~TThinPenPainter() { Flush(); }

  // Plots one device pixel of the path.
  void Plot(int X, int Y) {
    const bool On = NextIsOn();
    if (!On && !FOpaqueGaps) {
      Flush();
      return;
    }
    if (FHasRun && On == FRunOn && Extends(X, Y)) {
      FRun.Left = std::min(FRun.Left, X);
      FRun.Right = std::max(FRun.Right, X + 1);
      FRun.Top = std::min(FRun.Top, Y);
      FRun.Bottom = std::max(FRun.Bottom, Y + 1);
      return;
    }
    Flush();
    FRun = TRect{X, Y, X + 1, Y + 1};
    FRunOn = On;
    FHasRun = true;
  }

  // Passes over Steps pixels of the path without painting them.
  void Skip(long long Steps) {
    if (Steps <= 0) return;
    Flush();
    if (!FPattern.Runs) return;
    int Period = 0;
    for (int I = 0; I < FPattern.Count; ++I) Period += FPattern.Runs[I];
    for (long long Left = Steps % Period; Left > 0; --Left) NextIsOn();
  }

  void Flush() {
    if (!FHasRun) return;
    raster::FillDeviceRectRop2(FDC, FRun, FRunOn ? FPenPixel : FGapPixel, FMode);
    FHasRun = false;
  }

private:
  bool NextIsOn() {
    if (!FPattern.Runs) return true;
    const bool On = (FRunIndex % 2) == 0;
    if (++FInRun >= FPattern.Runs[FRunIndex]) {
      FInRun = 0;
      FRunIndex = (FRunIndex + 1) % FPattern.Count;
    }
    return On;
  }

  // A pixel continues the run when it lies next to it on the run's own line.
  bool Extends(int X, int Y) const {
    const bool Horizontal =
        FRun.Height() == 1 && Y == FRun.Top && (X == FRun.Left - 1 || X == FRun.Right);
    const bool Vertical =
        FRun.Width() == 1 && X == FRun.Left && (Y == FRun.Top - 1 || Y == FRun.Bottom);
    return Horizontal || Vertical;
  }

  TDeviceContext& FDC;
  TDashPattern FPattern;
  std::uint32_t FPenPixel, FGapPixel;
  bool FOpaqueGaps;
  TRop2 FMode;
  int FRunIndex = 0, FInRun = 0;
  bool FHasRun = false, FRunOn = true;
  TRect FRun;
};

// Visits the pixels of the line from A to B in order, B itself excluded.
// Bresenham's walk: the minor coordinate at step i is the exact one rounded
// to nearest, a half rounding back toward the start. Only the steps whose
// major coordinate lies inside Bounds are visited, so a line far longer than
// the target costs no more than one across it; Skip(n) is told how many
// steps were passed over (before and after), so a dash pattern stays in
// phase.
template <class F, class G>
void WalkLine(TPoint A, TPoint B, const TRect& Bounds, F&& Plot, G&& Skip) {
  const long long DX = std::llabs(static_cast<long long>(B.X) - A.X);
  const long long DY = std::llabs(static_cast<long long>(B.Y) - A.Y);
  const int SX = B.X >= A.X ? 1 : -1, SY = B.Y >= A.Y ? 1 : -1;
  const bool XMajor = DX >= DY;
  const long long Major = XMajor ? DX : DY, Minor = XMajor ? DY : DX;
  const long long Start = XMajor ? A.X : A.Y;
  const int Step = XMajor ? SX : SY;
  const long long Low = XMajor ? Bounds.Left : Bounds.Top;
  const long long High = XMajor ? Bounds.Right : Bounds.Bottom;  // exclusive
  // Steps i in [First, Last) have their major coordinate inside the bounds.
  long long First = Step > 0 ? Low - Start : Start - (High - 1);
  long long Last = Step > 0 ? High - Start : Start - Low + 1;
  First = std::max(0LL, First);
  Last = std::min(Major, Last);
  if (First >= Last) {
    Skip(Major);
    return;
  }
  Skip(First);
  // The walk's state after First steps: k minor steps taken, and the error
  // term DX/2 - i*DY + k*DX kept in [0, Major).
  const long long Half = Major / 2;
  const long long K = First * Minor > Half ? (First * Minor - Half + Major - 1) / Major : 0;
  long long Err = Half - First * Minor + K * Major;
  long long X = A.X + (XMajor ? SX * First : SX * K);
  long long Y = A.Y + (XMajor ? SY * K : SY * First);
  for (long long I = First; I < Last; ++I) {
    Plot(static_cast<int>(X), static_cast<int>(Y));
    if (XMajor)
      X += SX;
    else
      Y += SY;
    Err -= Minor;
    if (Err < 0) {
      if (XMajor)
        Y += SY;
      else
        X += SX;
      Err += Major;
    }
  }
  Skip(Major - Last);
}

// The device area a primitive can touch: the bounds of the clip, grown by a
// pen's reach.
TRect ReachableBounds(const TDeviceContext& DC, int PenWidth) {
  TRect B{0, 0, 0, 0};
  bool Any = false;
  for (const TRect& Box : DC.ClipBoxes()) {
    if (!Any) {
      B = Box;
      Any = true;
      continue;
    }
    B.Left = std::min(B.Left, Box.Left);
    B.Top = std::min(B.Top, Box.Top);
    B.Right = std::max(B.Right, Box.Right);
    B.Bottom = std::max(B.Bottom, Box.Bottom);
  }
  return TRect{B.Left - PenWidth, B.Top - PenWidth, B.Right + PenWidth, B.Bottom + PenWidth};
}

// The square a wide pen covers around one path pixel.
TRect PenSquare(int X, int Y, int Width) {
  const int L = X - Width / 2, T = Y - Width / 2;
  return TRect{L, T, L + Width, T + Width};
}

// Adds to Area what a wide pen covers along the line A -> B (B excluded),
// as far as it lies inside Bounds.
void AddWideSegment(TRegion& Area, TPoint A, TPoint B, int Width, const TRect& Bounds) {
  if (A == B) return;
  if (A.Y == B.Y || A.X == B.X) {
    // Straight segments cover one rectangle: the squares of the first and the
    // last painted pixel and everything between.
    const TPoint Last{B.X - (B.X > A.X) + (B.X < A.X), B.Y - (B.Y > A.Y) + (B.Y < A.Y)};
    const TRect S1 = PenSquare(A.X, A.Y, Width), S2 = PenSquare(Last.X, Last.Y, Width);
    const TRect Covered{std::min(S1.Left, S2.Left), std::min(S1.Top, S2.Top),
                        std::max(S1.Right, S2.Right), std::max(S1.Bottom, S2.Bottom)};
    Area.Union(TRect{std::max(Covered.Left, Bounds.Left), std::max(Covered.Top, Bounds.Top),
                     std::min(Covered.Right, Bounds.Right),
                     std::min(Covered.Bottom, Bounds.Bottom)});
    return;
  }
  WalkLine(
      A, B, Bounds, [&](int X, int Y) { Area.Union(PenSquare(X, Y, Width)); }, [](long long) {});
}

void FillRegionRop2(TDeviceContext& DC, const TRegion& Area, std::uint32_t Pixel, TRop2 Mode) {
  for (const TRect& R : Area.Rects()) raster::FillDeviceRectRop2(DC, R, Pixel, Mode);
}

// Strokes a chain of device points with the current pen (last point excluded).
void StrokePath(TDeviceContext& DC, const TPoint* Points, int Count) {
  const TLogPen& Pen = DC.State().Pen;
  if (Pen.Style == psClear || Count < 2 || !DC.Target()) return;
  if (Pen.Width > 1) {
    // Wide cosmetic pens draw solid, whatever their style. Collecting the
    // squares in one region keeps a mix mode such as XOR from touching a
    // pixel twice where squares overlap.
    const TRect Bounds = ReachableBounds(DC, Pen.Width);
    TRegion Area;
    for (int I = 0; I + 1 < Count; ++I)
      AddWideSegment(Area, Points[I], Points[I + 1], Pen.Width, Bounds);
    FillRegionRop2(DC, Area, DC.PixelOf(Pen.Color), DC.State().Rop2);
    return;
  }
  const TRect Bounds = ReachableBounds(DC, 1);
  TThinPenPainter Painter(DC);
  for (int I = 0; I + 1 < Count; ++I)
    WalkLine(
        Points[I], Points[I + 1], Bounds, [&](int X, int Y) { Painter.Plot(X, Y); },
        [&](long long Steps) { Painter.Skip(Steps); });
}

}  // namespace

void FillRect(TDeviceContext& DC, const TRect& R, const TLogBrush& Brush) {
  if (Brush.Style == bsClear || !DC.Target()) return;
  DC.FillDeviceRect(DC.ToDevice(R), DC.PixelOf(Brush.Color));
}

void FrameRect(TDeviceContext& DC, const TRect& R, const TLogBrush& Brush) {
  if (R.IsEmpty() || Brush.Style == bsClear || !DC.Target()) return;
  const TRect D = DC.ToDevice(R);
  const std::uint32_t Pixel = DC.PixelOf(Brush.Color);
  // Top and bottom rows span the full width; the sides fill in between, so no
  // pixel is written twice.
  DC.FillDeviceRect(TRect{D.Left, D.Top, D.Right, D.Top + 1}, Pixel);
  if (D.Height() > 1) DC.FillDeviceRect(TRect{D.Left, D.Bottom - 1, D.Right, D.Bottom}, Pixel);
  if (D.Height() > 2) {
    DC.FillDeviceRect(TRect{D.Left, D.Top + 1, D.Left + 1, D.Bottom - 1}, Pixel);
    if (D.Width() > 1)
      DC.FillDeviceRect(TRect{D.Right - 1, D.Top + 1, D.Right, D.Bottom - 1}, Pixel);
  }
}

void InvertRect(TDeviceContext& DC, const TRect& R) {
  if (!DC.Target()) return;
  raster::FillDeviceRectRop2(DC, DC.ToDevice(R), 0, R2_NOT);
}

void Rectangle(TDeviceContext& DC, int Left, int Top, int Right, int Bottom) {
  if (!DC.Target()) return;
  if (Left > Right) std::swap(Left, Right);
  if (Top > Bottom) std::swap(Top, Bottom);
  if (Left == Right || Top == Bottom) return;
  const TRect D = DC.ToDevice(TRect{Left, Top, Right, Bottom});
  const TDCState& S = DC.State();
  const TRop2 Mode = S.Rop2;
  const bool HasBrush = S.Brush.Style != bsClear;
  const std::uint32_t BrushPixel = DC.PixelOf(S.Brush.Color);

  if (S.Pen.Style == psClear) {
    if (HasBrush)
      raster::FillDeviceRectRop2(DC, TRect{D.Left, D.Top, D.Right - 1, D.Bottom - 1}, BrushPixel,
                                 Mode);
    return;
  }

  const int W = S.Pen.Width;
  const TRect Outer{D.Left - W / 2, D.Top - W / 2, D.Right - 1 - W / 2 + W,
                    D.Bottom - 1 - W / 2 + W};
  const TRect Inner{Outer.Left + W, Outer.Top + W, Outer.Right - W, Outer.Bottom - W};
  if (HasBrush && !Inner.IsEmpty()) raster::FillDeviceRectRop2(DC, Inner, BrushPixel, Mode);

  if (W > 1 || S.Pen.Style == psSolid) {
    TRegion Frame(Outer);
    Frame.Subtract(Inner);
    FillRegionRop2(DC, Frame, DC.PixelOf(S.Pen.Color), Mode);
    return;
  }
  // A styled pen walks the outline clockwise from the top-left corner, so the
  // dashes run on round the corners. Each pixel is visited once, also for
  // rectangles one pixel wide or high.
  TThinPenPainter Painter(DC);
  const int L = D.Left, T = D.Top, R = D.Right - 1, B = D.Bottom - 1;
  for (int X = L; X <= R; ++X) Painter.Plot(X, T);
  for (int Y = T + 1; Y <= B; ++Y) Painter.Plot(R, Y);
  if (B > T)
    for (int X = R - 1; X >= L; --X) Painter.Plot(X, B);
  if (R > L)
    for (int Y = B - 1; Y > T; --Y) Painter.Plot(L, Y);
}

void LineTo(TDeviceContext& DC, int X, int Y) {
  const TPoint From = DC.ToDevice(DC.State().PenPos.X, DC.State().PenPos.Y);
  const TPoint Path[2] = {From, DC.ToDevice(X, Y)};
  StrokePath(DC, Path, 2);
  DC.MoveTo(X, Y);
}

void Polyline(TDeviceContext& DC, const TPoint* Points, int Count) {
  if (Count < 2) return;
  std::vector<TPoint> Device(static_cast<std::size_t>(Count));
  for (int I = 0; I < Count; ++I) Device[I] = DC.ToDevice(Points[I].X, Points[I].Y);
  StrokePath(DC, Device.data(), Count);
}

void SetPixel(TDeviceContext& DC, int X, int Y, TColor Color) {
  if (!DC.Target()) return;
  const TPoint P = DC.ToDevice(X, Y);
  DC.FillDeviceRect(TRect{P.X, P.Y, P.X + 1, P.Y + 1}, DC.PixelOf(Color));
}

TColor GetPixel(const TDeviceContext& DC, int X, int Y) {
  const TPoint P = DC.ToDevice(X, Y);
  if (!DC.Target() || !DC.IsVisible(P.X, P.Y)) return CLR_INVALID;
  return PixelToColor(DC.Target()->Row(P.Y)[P.X] & kRgbMask);
}
