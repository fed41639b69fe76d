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
  FState = State;
  UpdateClipBoxes();
}

TPen TDeviceContext::SetPen(const TPen& Pen) {
  TPen Old = FState.Pen;
  FState.Pen = Pen;
  if (FState.Pen.Width < 1) FState.Pen.Width = 1;
  return Old;
}

TBrush TDeviceContext::SetBrush(const TBrush& Brush) {
  TBrush Old = FState.Brush;
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
  return Old;
}

TPoint TDeviceContext::MoveTo(int X, int Y) {
  TPoint Old = FState.PenPos;
  FState.PenPos = TPoint{X, Y};
  return Old;
}

bool TDeviceContext::IntersectClipRect(const TRect& R) {
  const TRect D = ToDevice(R);
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
  const TRect D = ToDevice(R);
  if (!FState.HasClip) {
    // Without a clip region everything on the target is visible; start from
    // the target's bounds so there is something to cut the hole into.
    FState.HasClip = true;
    FState.Clip.SetRect(TRect{0, 0, Width(), Height()});
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
  Box = TRect{B.Left - FState.Origin.X, B.Top - FState.Origin.Y, B.Right - FState.Origin.X,
              B.Bottom - FState.Origin.Y};
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

void TDeviceContext::UpdateClipBoxes() {
  FClipBoxes.clear();
  const TRect Bounds{0, 0, Width(), Height()};
  if (Bounds.IsEmpty()) return;
  if (!FState.HasClip) {
    FClipBoxes.push_back(Bounds);
    return;
  }
  TRegion Visible = FState.Clip;
  Visible.Intersect(Bounds);
  FClipBoxes = Visible.Rects();
}
