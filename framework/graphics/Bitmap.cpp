#include "framework/graphics/Bitmap.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/files/Path.h"
#include "platform/gdi/SysColors.h"
#include "platform/image/Bmp.h"
#include "platform/resources/Resources.h"

namespace {

constexpr std::uint32_t kRgb = 0x00FFFFFF;
// 2^28 pixels is a gigabyte of 32-bit pixels: far beyond any image a control
// draws, and the point past which a size is a mistake rather than a request.
constexpr std::int64_t kMaxPixels = std::int64_t(1) << 28;

bool IsLight(std::uint32_t Pixel) {
  return int(Pixel & 0xFF) + int((Pixel >> 8) & 0xFF) + int((Pixel >> 16) & 0xFF) >= 384;
}

void CheckSize(int Width, int Height) {
  if (static_cast<std::int64_t>(Width) * Height > kMaxPixels)
    throw EInvalidGraphicOperation(
        FormatMessage(messages::kBitmapTooLarge, {std::to_string(Width), std::to_string(Height)}));
}

}  // namespace

// The bitmap's canvas draws on the bitmap's own context and tells the bitmap
// after every drawing call.
class TBitmap::TBitmapCanvas : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap& Owner) : FOwner(Owner) {}

protected:
  void CreateHandle() override { SetHandle(&FOwner.FContext); }
  void Changed() override {
    TCanvas::Changed();
    FOwner.Changed();
  }

private:
  TBitmap& FOwner;
};

TBitmap::TBitmap() : FContext(FImage), FCanvas(std::make_unique<TBitmapCanvas>(*this)) {}

TBitmap::TBitmap(int Width, int Height) : TBitmap() { SetSize(Width, Height); }

TBitmap::~TBitmap() = default;

TCanvas* TBitmap::Canvas() const { return FCanvas.get(); }

void TBitmap::Changed() {
  if (OnChange) OnChange(this);
}

void TBitmap::ReplaceImage(TDeviceBitmap&& NewImage) {
  FImage = std::move(NewImage);
  // A new image means a fresh context: GDI state set on the old one (clip,
  // origin, modes) does not carry over, and the canvas selects its objects
  // again.
  FContext.SelectBitmap(&FImage);
  FContext.RestoreState(TDCState{});
  FCanvas->Refresh();
}

std::uint32_t* TBitmap::RowFor(int Y) const { return FImage.Surface().Row(Y); }

TColor TBitmap::PixelColor(int X, int Y) const { return PixelToColor(RowFor(Y)[X] & kRgb); }

void TBitmap::Assign(const TPersistent* Source) {
  if (Source == nullptr) {
    ReplaceImage(TDeviceBitmap());
    FPixelFormat = pfDevice;
    FHandleType = bmDDB;
    Changed();
    return;
  }
  const TBitmap* Other = dynamic_cast<const TBitmap*>(Source);
  if (!Other) {
    TPersistent::Assign(Source);
    return;
  }
  if (Other == this) return;
  TDeviceBitmap Copy = Other->FImage;
  ReplaceImage(std::move(Copy));
  FPixelFormat = Other->FPixelFormat;
  FHandleType = Other->FHandleType;
  FTransparent = Other->FTransparent;
  FTransparentColor = Other->FTransparentColor;
  FTransparentMode = Other->FTransparentMode;
  Changed();
}

void TBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == Width() && AHeight == Height()) return;
  CheckSize(AWidth, AHeight);
  TDeviceBitmap Resized(AWidth, AHeight, FImage.Format());
  // New pixels take the canvas's brush, as a fresh sheet does; a clear brush
  // leaves them black (0).
  const TBrush& Brush = *FCanvas->Brush();
  if (Brush.Style() != bsClear) {
    const std::uint32_t Fill = FContext.PixelOf(Brush.Color());
    std::fill(Resized.Surface().Data(),
              Resized.Surface().Data() + static_cast<std::size_t>(AWidth) * AHeight, Fill);
  }
  const int KeepWidth = std::min(AWidth, Width());
  const int KeepHeight = std::min(AHeight, Height());
  for (int Y = 0; Y < KeepHeight; ++Y)
    std::copy(RowFor(Y), RowFor(Y) + KeepWidth, Resized.Surface().Row(Y));
  ReplaceImage(std::move(Resized));
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  const bool Mono = Value == pf1bit;
  if (Value == FPixelFormat && Mono == Monochrome()) return;
  switch (Value) {
    case pfDevice:
    case pf1bit:
    case pf24bit:
    case pf32bit:
      break;
    default:
      throw EInvalidGraphicOperation(messages::kUnsupportedPixelFormat);
  }
  if (Mono != Monochrome()) {
    TDeviceBitmap Converted = FImage;
    if (Mono) {
      std::uint32_t* P = Converted.Surface().Data();
      const std::size_t N = static_cast<std::size_t>(Width()) * Height();
      for (std::size_t I = 0; I < N; ++I) P[I] = IsLight(P[I]) ? kRgb : 0;
    }
    Converted.SetFormat(Mono ? bfMonochrome : bfColor32);
    ReplaceImage(std::move(Converted));
  }
  if (Value == pf24bit) {
    // Three bytes a pixel have no room for a fourth.
    std::uint32_t* P = FImage.Surface().Data();
    const std::size_t N = static_cast<std::size_t>(Width()) * Height();
    for (std::size_t I = 0; I < N; ++I) P[I] &= kRgb;
  }
  FPixelFormat = Value;
  FHandleType = Value == pfDevice ? bmDDB : bmDIB;
  Changed();
}

void TBitmap::SetHandleType(TBitmapHandleType Value) {
  if (Value == FHandleType) return;
  if (Value == bmDDB)
    FPixelFormat = Monochrome() ? pf1bit : pfDevice;
  else if (FPixelFormat == pfDevice)
    FPixelFormat = pf32bit;
  FHandleType = Value;
  Changed();
}

void TBitmap::SetMonochrome(bool Value) {
  if (Value == Monochrome()) return;
  TDeviceBitmap Converted = FImage;
  Converted.SetFormat(Value ? bfMonochrome : bfColor32);
  ReplaceImage(std::move(Converted));
  FPixelFormat = Value ? pf1bit : pfDevice;
  FHandleType = bmDDB;
  Changed();
}

std::uint32_t* TBitmap::ScanLine(int Y) {
  return const_cast<std::uint32_t*>(static_cast<const TBitmap*>(this)->ScanLine(Y));
}

const std::uint32_t* TBitmap::ScanLine(int Y) const {
  if (Monochrome() || (FPixelFormat != pfDevice && FPixelFormat != pf32bit))
    throw EInvalidGraphicOperation(messages::kScanLineFormat);
  if (Y < 0 || Y >= Height())
    throw EInvalidGraphicOperation(FormatMessage(messages::kScanLineIndex, {std::to_string(Y)}));
  return RowFor(Y);
}

void TBitmap::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  if (Empty()) return clNone;
  return PixelColor(0, Height() - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor) return;
  FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
  FTransparentColor = Value;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  SetTransparentColor(Value == tmAuto ? clDefault : TransparentColor());
}

void TBitmap::TakeDecoded(image::TBmpImage&& Decoded) {
  // A 1-bit image in black and white is a monochrome bitmap; one with other
  // colours in its table keeps them, in colour.
  bool BlackAndWhite = Decoded.BitsPerPixel == 1;
  for (std::uint32_t Entry : Decoded.Palette)
    if ((Entry & kRgb) != 0 && (Entry & kRgb) != kRgb) BlackAndWhite = false;

  TDeviceBitmap Loaded;
  Loaded.Surface() = std::move(Decoded.Surface);
  std::uint32_t* P = Loaded.Surface().Data();
  const std::size_t N = static_cast<std::size_t>(Loaded.Width()) * Loaded.Height();
  for (std::size_t I = 0; I < N; ++I) P[I] &= kRgb;
  if (BlackAndWhite) Loaded.SetFormat(bfMonochrome);

  TPixelFormat Format = pf32bit;
  switch (Decoded.BitsPerPixel) {
    case 1:
      Format = pf1bit;
      break;
    case 4:
      Format = pf4bit;
      break;
    case 8:
      Format = pf8bit;
      break;
    case 16:
      Format = pf16bit;
      break;
    case 24:
      Format = pf24bit;
      break;
    default:
      Format = pf32bit;
      break;
  }
  ReplaceImage(std::move(Loaded));
  FPixelFormat = Format;
  FHandleType = bmDIB;
  Changed();
}

void TBitmap::LoadFromBytes(const std::uint8_t* Data, std::size_t Size) {
  const bool FileForm = Size >= 2 && Data[0] == 'B' && Data[1] == 'M';
  TakeDecoded(FileForm ? image::DecodeBmp(Data, Size) : image::DecodeDib(Data, Size));
}

void TBitmap::LoadFromResourceName(std::string_view Name) {
  const std::string_view Bytes = FindResource(Name);
  LoadFromBytes(reinterpret_cast<const std::uint8_t*>(Bytes.data()), Bytes.size());
}

void TBitmap::LoadFromFile(const std::string& Path) { TakeDecoded(image::LoadBmpFile(Path)); }

std::vector<std::uint8_t> TBitmap::SaveToBytes() const {
  image::TBmpImage Out;
  Out.Surface = FImage.Surface();
  std::uint32_t* P = Out.Surface.Data();
  const std::size_t N = static_cast<std::size_t>(Width()) * Height();
  for (std::size_t I = 0; I < N; ++I) P[I] &= kRgb;
  if (Monochrome()) {
    Out.BitsPerPixel = 1;
    Out.Palette = {0x000000, kRgb};
    Out.Indices.resize(N);
    for (std::size_t I = 0; I < N; ++I) Out.Indices[I] = P[I] == kRgb ? 1 : 0;
  } else {
    Out.BitsPerPixel = (FPixelFormat == pfDevice || FPixelFormat == pf32bit) ? 32 : 24;
  }
  return image::EncodeBmp(Out);
}

void TBitmap::SaveToFile(const std::string& Path) const {
  const std::vector<std::uint8_t> Bytes = SaveToBytes();
  std::FILE* File = std::fopen(files::ToFileSystem(Path).c_str(), "wb");
  bool Written = File && std::fwrite(Bytes.data(), 1, Bytes.size(), File) == Bytes.size();
  if (File) Written = std::fclose(File) == 0 && Written;
  if (!Written) throw Exception(FormatMessage(messages::kCannotWrite, {Path}));
}
