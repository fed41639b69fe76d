#include "platform/gdi/Blit.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/gdi/Raster.h"

namespace {

using raster::kRgbMask;

// One axis of a transfer, limited to the part that lies on the target:
// target coordinates [First, First + Source.size()) and for each the source
// coordinate it samples (-1 where that lies outside the source).
struct TAxis {
  int First = 0;
  std::vector<int> Source;
};

// Target extent (Pos, Len) and source extent (SrcPos, SrcLen), device
// coordinates, signs meaning direction; TargetSize and SrcSize bound the two.
// Only target pixels inside [0, TargetSize) are mapped, so a huge extent
// costs no more than the target's own size.
TAxis MapAxis(int Pos, int Len, int SrcPos, int SrcLen, int TargetSize, int SrcSize) {
  TAxis A;
  const long long N = std::llabs(static_cast<long long>(Len));
  const long long M = std::llabs(static_cast<long long>(SrcLen));
  if (N == 0 || M == 0) return A;
  // A negative extent covers Pos, Pos - 1, ..., Pos + Len + 1.
  const long long Start = Len > 0 ? Pos : static_cast<long long>(Pos) + Len + 1;
  const long long From = std::max(Start, 0LL);
  const long long To = std::min(Start + N, static_cast<long long>(TargetSize));
  if (From >= To) return A;
  A.First = static_cast<int>(From);
  A.Source.resize(static_cast<std::size_t>(To - From));
  for (long long T = From; T < To; ++T) {
    const long long I = T - Start;
    // Index along the target in drawing order: from Pos towards Pos + Len.
    const long long Along = Len > 0 ? I : N - 1 - I;
    const long long J = (2 * Along + 1) * M / (2 * N);
    const long long S = SrcLen > 0 ? SrcPos + J : SrcPos - J;
    A.Source[static_cast<std::size_t>(T - From)] = (S >= 0 && S < SrcSize) ? int(S) : -1;
  }
  return A;
}

// How a source pixel becomes a target pixel.
enum TConversion { cvNone, cvMonoToColor, cvColorToMono };

struct TSourceReader {
  const TSurface* Surface = nullptr;
  TConversion Conversion = cvNone;
  std::uint32_t Foreground = 0, Background = 0;  // monochrome 0 and 1 on a colour target
  std::uint32_t SourceBk = 0;                    // colour that becomes 1 on a monochrome target

  std::uint32_t Convert(std::uint32_t Raw) const {
    Raw &= kRgbMask;
    switch (Conversion) {
      case cvMonoToColor:
        return Raw ? Background : Foreground;
      case cvColorToMono:
        return Raw == SourceBk ? kRgbMask : 0;
      default:
        return Raw;
    }
  }
};

TSourceReader MakeReader(const TDeviceContext& Dest, const TDeviceContext& Src,
                         const TSurface* Pixels) {
  TSourceReader R;
  R.Surface = Pixels;
  if (Src.IsMonochrome() && !Dest.IsMonochrome()) {
    R.Conversion = cvMonoToColor;
    R.Foreground = Dest.PixelOf(Dest.State().TextColor);
    R.Background = Dest.PixelOf(Dest.State().BkColor);
  } else if (!Src.IsMonochrome() && Dest.IsMonochrome()) {
    R.Conversion = cvColorToMono;
    R.SourceBk = ColorToPixel(Src.State().BkColor);
  }
  return R;
}

// The common walk of every transfer: maps the target rectangle onto the
// source, clips the target once against its clip rectangles, and calls
// Combine(converted source pixel, raw source pixel, target pixel) for each
// visible target pixel whose source pixel exists; Combine answers the new
// target pixel. Without a source, both source arguments are 0.
template <class F>
void Transfer(TDeviceContext& Dest, int X, int Y, int W, int H, const TDeviceContext* Src, int XSrc,
              int YSrc, int WSrc, int HSrc, F&& Combine) {
  TSurface* Target = Dest.Target();
  if (!Target || W == 0 || H == 0) return;
  const TPoint D = Dest.ToDevice(X, Y);

  TSurface Copy;
  TSourceReader Reader;
  TAxis Cols, Rows;
  if (Src) {
    if (!Src->Target() || WSrc == 0 || HSrc == 0) return;
    const TSurface* Pixels = Src->Target();
    // Copying within one surface reads a snapshot, so overlapping source and
    // target areas give the same result as between two surfaces.
    if (Pixels == Target) {
      Copy = *Pixels;
      Pixels = &Copy;
    }
    Reader = MakeReader(Dest, *Src, Pixels);
    const TPoint S = Src->ToDevice(XSrc, YSrc);
    Cols = MapAxis(D.X, W, S.X, WSrc, Target->Width(), Pixels->Width());
    Rows = MapAxis(D.Y, H, S.Y, HSrc, Target->Height(), Pixels->Height());
  } else {
    // No source: every target pixel maps to "something" (column 0).
    Cols = MapAxis(D.X, W, 0, 1, Target->Width(), 1);
    Rows = MapAxis(D.Y, H, 0, 1, Target->Height(), 1);
  }
  if (Cols.Source.empty() || Rows.Source.empty()) return;
  const TRect Area{Cols.First, Rows.First, Cols.First + int(Cols.Source.size()),
                   Rows.First + int(Rows.Source.size())};

  Dest.ForEachClipRect(Area, [&](const TRect& Part) {
    for (int TY = Part.Top; TY < Part.Bottom; ++TY) {
      const int SY = Rows.Source[static_cast<std::size_t>(TY - Area.Top)];
      if (SY < 0) continue;
      std::uint32_t* Out = Target->Row(TY);
      const std::uint32_t* In = Src ? Reader.Surface->Row(SY) : nullptr;
      for (int TX = Part.Left; TX < Part.Right; ++TX) {
        const int SX = Cols.Source[static_cast<std::size_t>(TX - Area.Left)];
        if (SX < 0) continue;
        const std::uint32_t Raw = In ? (In[SX] & kRgbMask) : 0;
        Out[TX] = Combine(In ? Reader.Convert(Raw) : 0, Raw, Out[TX] & kRgbMask);
      }
    }
  });
}

// Far beyond any surface, and small enough that no int arithmetic on it
// overflows.
constexpr long long kFar = 1LL << 30;

// A plain copy between two surfaces of the same kind, one to one: whole row
// pieces are copied at once.
bool TryDirectCopy(TDeviceContext& Dest, int X, int Y, int W, int H, const TDeviceContext& Src,
                   int XSrc, int YSrc) {
  TSurface* Target = Dest.Target();
  const TSurface* Pixels = Src.Target();
  if (!Target || !Pixels || Pixels == Target || Src.IsMonochrome() != Dest.IsMonochrome())
    return false;
  const TPoint D = Dest.ToDevice(X, Y), S = Src.ToDevice(XSrc, YSrc);
  // The target rectangle, cut to the part whose source lies inside the source.
  const long long DX = static_cast<long long>(D.X) - S.X, DY = static_cast<long long>(D.Y) - S.Y;
  const auto Clamp = [](long long V) {
    return static_cast<int>(std::max(-kFar, std::min(V, kFar)));
  };
  const TRect Area{
      Clamp(std::max<long long>(D.X, DX)), Clamp(std::max<long long>(D.Y, DY)),
      Clamp(std::min<long long>(static_cast<long long>(D.X) + W, DX + Pixels->Width())),
      Clamp(std::min<long long>(static_cast<long long>(D.Y) + H, DY + Pixels->Height()))};
  Dest.ForEachClipRect(Area, [&](const TRect& Part) {
    for (int TY = Part.Top; TY < Part.Bottom; ++TY) {
      const std::uint32_t* In = Pixels->Row(TY - DY) + (Part.Left - DX);
      std::copy(In, In + Part.Width(), Target->Row(TY) + Part.Left);
    }
  });
  return true;
}

void RasterTransfer(TDeviceContext& Dest, int X, int Y, int W, int H, const TDeviceContext* Src,
                    int XSrc, int YSrc, int WSrc, int HSrc, std::uint32_t Rop) {
  const unsigned Code = (Rop >> 16) & 0xFF;
  const bool UsesSource = raster::Rop3UsesSource(Code);
  if (raster::Rop3UsesPattern(Code) && Dest.State().Brush.Style == bsClear) return;
  if (UsesSource && !Src) return;
  const std::uint32_t P = Dest.PixelOf(Dest.State().Brush.Color);
  const TDeviceContext* Source = UsesSource ? Src : nullptr;
  // The usual operations get a loop of their own; the rest go through the
  // truth table.
  switch (Code) {
    case 0xCC:
      if (Source && W == WSrc && H == HSrc && W > 0 && H > 0 &&
          TryDirectCopy(Dest, X, Y, W, H, *Source, XSrc, YSrc))
        break;
      Transfer(Dest, X, Y, W, H, Source, XSrc, YSrc, WSrc, HSrc,
               [](std::uint32_t S, std::uint32_t, std::uint32_t) { return S; });
      break;
    case 0xF0:
      Transfer(Dest, X, Y, W, H, nullptr, 0, 0, 0, 0,
               [P](std::uint32_t, std::uint32_t, std::uint32_t) { return P; });
      break;
    default:
      Transfer(Dest, X, Y, W, H, Source, XSrc, YSrc, WSrc, HSrc,
               [P, Code](std::uint32_t S, std::uint32_t, std::uint32_t D) {
                 return raster::ApplyRop3(Code, P, S, D);
               });
      break;
  }
}

}  // namespace

void BitBlt(TDeviceContext& Dest, int X, int Y, int W, int H, const TDeviceContext* Src, int XSrc,
            int YSrc, std::uint32_t Rop) {
  if (W <= 0 || H <= 0) return;
  RasterTransfer(Dest, X, Y, W, H, Src, XSrc, YSrc, W, H, Rop);
}

void StretchBlt(TDeviceContext& Dest, int X, int Y, int W, int H, const TDeviceContext& Src,
                int XSrc, int YSrc, int WSrc, int HSrc, std::uint32_t Rop) {
  RasterTransfer(Dest, X, Y, W, H, &Src, XSrc, YSrc, WSrc, HSrc, Rop);
}

void BrushCopy(TDeviceContext& Dest, const TRect& DestRect, const TDeviceContext& Src,
               const TRect& SrcRect, TColor Transparent) {
  const std::uint32_t Key = Src.PixelOf(Transparent);
  const bool ClearBrush = Dest.State().Brush.Style == bsClear;
  const std::uint32_t Brush = Dest.PixelOf(Dest.State().Brush.Color);
  Transfer(Dest, DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(), &Src,
           SrcRect.Left, SrcRect.Top, SrcRect.Width(), SrcRect.Height(),
           [=](std::uint32_t S, std::uint32_t Raw, std::uint32_t D) {
             if (Raw != Key) return S;
             return ClearBrush ? D : Brush;
           });
}

void TransparentBlt(TDeviceContext& Dest, const TRect& DestRect, const TDeviceContext& Src,
                    const TRect& SrcRect, TColor Transparent) {
  const std::uint32_t Key = Src.PixelOf(Transparent);
  Transfer(Dest, DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(), &Src,
           SrcRect.Left, SrcRect.Top, SrcRect.Width(), SrcRect.Height(),
           [=](std::uint32_t S, std::uint32_t Raw, std::uint32_t D) { return Raw == Key ? D : S; });
}
