#include "platform/gdi/DeviceContext.h"

#include "platform/gdi/Raster.h"

TDeviceContext::TDeviceContext() { UpdateClipBoxes(); }

TDeviceContext::TDeviceContext(TSurface& Target) : FTarget(&Target) { UpdateClipBoxes(); }

TDeviceContext::TDeviceContext(TDeviceBitmap& Bitmap)
    : FTarget(&Bitmap.Surface()), FBitmap(&Bitmap) {
  UpdateClipBoxes();
}

TDeviceBitmap* TDeviceContext::SelectBitmap(TDeviceBitmap* Bitmap) {
  TDeviceBitmap* Old = FBitmap;
  FBitmap = Bitmap;
  FTarget = Bitmap ? &Bitmap->Surface() : nullptr;
  UpdateClipBoxes();
  return Old;
}

void TDeviceContext::RestoreState(const TDCState& State) {
  // A saver around a drawing that never touched the clip is the common case:
  // the rectangles are recomputed only when the clip really differs.
  const bool SameClip =
      State.HasClip == FState.HasClip && (!State.HasClip || State.Clip == FState.Clip);
  FState = State;
  UpdateOffset();
  if (!SameClip) UpdateClipBoxes();
}

void TDeviceContext::SetDeviceOrigin(int X, int Y) {
  if (FDeviceOrigin.X == X && FDeviceOrigin.Y == Y) return;
  FDeviceOrigin = TPoint{X, Y};
  UpdateOffset();
  // The application's clip is fixed to the device origin and moves with it.
  if (FState.HasClip) UpdateClipBoxes();
}

void TDeviceContext::SetSystemClip(const TRegion* Region) {
  FHasSystemClip = Region != nullptr;
  if (Region)
    FSystemClip = *Region;
  else
    FSystemClip.SetRect(TRect{});
  UpdateClipBoxes();
}

TLogPen TDeviceContext::SetPen(const TLogPen& Pen) {
  TLogPen Old = FState.Pen;
  FState.Pen = Pen;
  if (FState.Pen.Width < 1) FState.Pen.Width = 1;
  return Old;
}

TLogBrush TDeviceContext::SetBrush(const TLogBrush& Brush) {
  TLogBrush Old = FState.Brush;
  FState.Brush = Brush;
  return Old;
}

TLogFont TDeviceContext::SetFont(const TLogFont& Font) {
  TLogFont Old = FState.Font;
  FState.Font = Font;
  return Old;
}

TColor TDeviceContext::SetTextColor(TColor Color) {
  TColor Old = FState.TextColor;
  FState.TextColor = Color;
  return Old;
}

TColor TDeviceContext::SetBkColor(TColor Color) {
  TColor Old = FState.BkColor;
  FState.BkColor = Color;
  return Old;
}

TBkMode TDeviceContext::SetBkMode(TBkMode Mode) {
  TBkMode Old = FState.BkMode;
  FState.BkMode = Mode;
  return Old;
}

TRop2 TDeviceContext::SetRop2(TRop2 Mode) {
  TRop2 Old = FState.Rop2;
  FState.Rop2 = Mode;
  return Old;
}

unsigned TDeviceContext::SetTextAlign(unsigned Align) {
  unsigned Old = FState.TextAlign;
  FState.TextAlign = Align;
  return Old;
}

TPoint TDeviceContext::SetViewportOrg(int X, int Y) {
  TPoint Old = FState.Origin;
  FState.Origin = TPoint{X, Y};
  UpdateOffset();
  return Old;
}

TPoint TDeviceContext::MoveTo(int X, int Y) {
  TPoint Old = FState.PenPos;
  FState.PenPos = TPoint{X, Y};
  return Old;
}

bool TDeviceContext::IntersectClipRect(const TRect& R) {
  const TRect D = R.Translated(FState.Origin.X, FState.Origin.Y);
  if (!FState.HasClip) {
    FState.HasClip = true;
    FState.Clip.SetRect(D);
  } else {
    FState.Clip.Intersect(D);
  }
  UpdateClipBoxes();
  return !FClipBoxes.empty();
}

bool TDeviceContext::ExcludeClipRect(const TRect& R) {
  const TRect D = R.Translated(FState.Origin.X, FState.Origin.Y);
  if (!FState.HasClip) {
    // Without a clip region of its own the application sees the whole
    // visible area; start from that, in device coordinates, so there is
    // something to cut the hole into.
    FState.HasClip = true;
    FState.Clip.SetRect(TRect{0, 0, Width(), Height()});
    if (FHasSystemClip) FState.Clip.Intersect(FSystemClip);
    FState.Clip.Offset(-FDeviceOrigin.X, -FDeviceOrigin.Y);
  }
  FState.Clip.Subtract(D);
  UpdateClipBoxes();
  return !FClipBoxes.empty();
}

bool TDeviceContext::SelectClipRegion(const TRegion* Region) {
  FState.HasClip = Region != nullptr;
  if (Region)
    FState.Clip = *Region;
  else
    FState.Clip.SetRect(TRect{});
  UpdateClipBoxes();
  return !FClipBoxes.empty();
}

bool TDeviceContext::GetClipRegion(TRegion& Region) const {
  if (!FState.HasClip) return false;
  Region = FState.Clip;
  return true;
}

bool TDeviceContext::GetClipBox(TRect& Box) const {
  if (FClipBoxes.empty()) {
    Box = TRect{};
    return false;
  }
  TRect B = FClipBoxes.front();
  for (const TRect& R : FClipBoxes) {
    if (R.Left < B.Left) B.Left = R.Left;
    if (R.Top < B.Top) B.Top = R.Top;
    if (R.Right > B.Right) B.Right = R.Right;
    if (R.Bottom > B.Bottom) B.Bottom = R.Bottom;
  }
  Box = B.Translated(-FOffset.X, -FOffset.Y);
  return true;
}

std::uint32_t TDeviceContext::PixelOf(TColor Color) const {
  const std::uint32_t Pixel = ColorToPixel(Color);
  if (!IsMonochrome()) return Pixel;
  const int Sum = int(Pixel & 0xFF) + int((Pixel >> 8) & 0xFF) + int((Pixel >> 16) & 0xFF);
  return Sum >= 384 ? 0x00FFFFFFu : 0u;
}

bool TDeviceContext::IsVisible(int DeviceX, int DeviceY) const {
  for (const TRect& Box : FClipBoxes)
    if (Box.Contains(DeviceX, DeviceY)) return true;
  return false;
}

void TDeviceContext::FillDeviceRect(const TRect& R, std::uint32_t Pixel) {
  ForEachClipRect(R, [&](const TRect& Part) {
    for (int Y = Part.Top; Y < Part.Bottom; ++Y)
      raster::FillPixels(FTarget->Row(Y) + Part.Left, Part.Width(), Pixel);
  });
}

void TDeviceContext::UpdateOffset() {
  FOffset = TPoint{FState.Origin.X + FDeviceOrigin.X, FState.Origin.Y + FDeviceOrigin.Y};
}

void TDeviceContext::UpdateClipBoxes() {
  FClipBoxes.clear();
  const TRect Bounds{0, 0, Width(), Height()};
  if (Bounds.IsEmpty()) return;
  if (!FState.HasClip && !FHasSystemClip) {
    FClipBoxes.push_back(Bounds);
    return;
  }
  TRegion Visible;
  if (FState.HasClip) {
    Visible = FState.Clip;
    Visible.Offset(FDeviceOrigin.X, FDeviceOrigin.Y);
    if (FHasSystemClip) Visible.Intersect(FSystemClip);
  } else {
    Visible = FSystemClip;
  }
  Visible.Intersect(Bounds);
  FClipBoxes = Visible.Rects();
}
