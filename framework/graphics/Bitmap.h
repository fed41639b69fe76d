#pragma once
// TBitmap: an image the program draws on and draws with.
//
// Pixels are kept as the GDI layer's bitmap: 32-bit 0x00RRGGBB words, or one
// bit per pixel for a monochrome bitmap. PixelFormat and HandleType say which
// form the bitmap is in, the way the controls ask for it:
//
//   pfDevice   device-dependent (bmDDB), the screen's 32-bit format
//   pf32bit    device-independent (bmDIB), 32 bits per pixel
//   pf24bit    device-independent, 24 bits per pixel (the fourth byte is 0)
//   pf1bit     monochrome: black and white only
//   pf4bit, pf8bit, pf16bit
//              a palette or 16-bit image as loaded from a file; the colours
//              are kept exactly, and setting these forms is refused
//
// ScanLine gives direct access to the rows of the 32-bit forms. Resizing
// keeps the top-left content as far as it fits and fills new pixels with the
// canvas's brush. OnChange fires after every change of the image or its
// properties, including drawing through the bitmap's canvas (but not raw
// calls on the canvas handle nor writes through ScanLine).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Graphics.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DeviceContext.h"

namespace image {
struct TBmpImage;
}  // namespace image

enum TPixelFormat {
  pfDevice,
  pf1bit,
  pf4bit,
  pf8bit,
  pf15bit,
  pf16bit,
  pf24bit,
  pf32bit,
  pfCustom
};
enum TBitmapHandleType { bmDIB, bmDDB };
// tmAuto: the transparent colour is the bottom-left pixel's; tmFixed: the
// colour given to SetTransparentColor.
enum TTransparentMode { tmAuto, tmFixed };

namespace messages {
inline constexpr const char* kBitmapTooLarge = "ビットマップが大きすぎます (%s x %s)";
}  // namespace messages

class TBitmap : public TPersistent {
public:
  TBitmap();
  // A bitmap of that size in the device form, filled with white.
  TBitmap(int Width, int Height);
  ~TBitmap() override;

  // Copies another bitmap completely: pixels, form and transparency. A null
  // Source empties this bitmap. Other classes raise the assignment error.
  void Assign(const TPersistent* Source) override;

  int Width() const { return FImage.Width(); }
  int Height() const { return FImage.Height(); }
  bool Empty() const { return Width() == 0 || Height() == 0; }
  // Negative sizes count as 0. A size beyond what memory can hold raises
  // EInvalidGraphicOperation and leaves the bitmap as it was.
  void SetWidth(int Value) { SetSize(Value, Height()); }
  void SetHeight(int Value) { SetSize(Width(), Value); }
  void SetSize(int AWidth, int AHeight);

  TPixelFormat PixelFormat() const { return FPixelFormat; }
  // Converts the pixels: to pf1bit each pixel becomes the nearer of black
  // and white (R + G + B of 384 and more is white); to the colour forms 0
  // bits become black and 1 bits white. pf4bit, pf8bit, pf15bit, pf16bit and
  // pfCustom raise EInvalidGraphicOperation.
  void SetPixelFormat(TPixelFormat Value);
  TBitmapHandleType HandleType() const { return FHandleType; }
  // bmDDB turns the colour forms into pfDevice; bmDIB turns pfDevice into
  // pf32bit. The pixels do not change.
  void SetHandleType(TBitmapHandleType Value);
  bool Monochrome() const { return FImage.IsMonochrome(); }
  // true converts to a monochrome device bitmap by GDI's rule for such
  // copies: white stays white (1), every other colour becomes black (0).
  // false converts back to the device colour form.
  void SetMonochrome(bool Value);

  // Row Y (0 at the top) of a pfDevice or pf32bit bitmap as Width()
  // 0x00RRGGBB words, writable. The pointer stays valid until the bitmap's
  // size or form changes. Raises EInvalidGraphicOperation for a row outside
  // the bitmap or another form.
  std::uint32_t* ScanLine(int Y);
  const std::uint32_t* ScanLine(int Y) const;

  // Whether Draw leaves the pixels of the transparent colour unpainted.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // tmAuto: the colour of the bottom-left pixel (clNone for an empty
  // bitmap); tmFixed: the colour set.
  TColor TransparentColor() const;
  // Any colour but clDefault fixes the colour (tmFixed); clDefault returns to
  // tmAuto.
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  // tmFixed keeps the colour that is transparent now.
  void SetTransparentMode(TTransparentMode Value);

  // The canvas that draws on this bitmap. It lives as long as the bitmap;
  // its font, pen and brush survive resizing, while raw state set on its
  // handle (clip, origin, background mode) is reset when the image is
  // replaced.
  TCanvas* Canvas() const;

  // Loads a bitmap resource of the program (a .bmp file or a packed DIB).
  // EResNotFound when there is none of that name; EInvalidGraphic when its
  // data is not a readable bitmap. On failure the bitmap stays as it was.
  void LoadFromResourceName(std::string_view Name);
  // A .bmp file (Path in system text); EInvalidGraphic when unreadable.
  void LoadFromFile(const std::string& Path);
  // The bytes of a .bmp file, or of a packed DIB when they do not start with
  // "BM".
  void LoadFromBytes(const std::uint8_t* Data, std::size_t Size);
  // The bitmap as a .bmp file: 1 bit per pixel when monochrome, 32 for the
  // pfDevice and pf32bit forms, 24 otherwise.
  std::vector<std::uint8_t> SaveToBytes() const;
  // Raises Exception ("... に書き込めません") when the file cannot be written.
  void SaveToFile(const std::string& Path) const;

  // The pixels, for drawing code that reads them directly.
  const TDeviceBitmap& Image() const { return FImage; }

  TNotifyEvent OnChange;

protected:
  void Changed();

private:
  class TBitmapCanvas;
  friend class TBitmapCanvas;

  // Takes NewImage as the bitmap's pixels; the canvas's context is bound
  // to them afresh.
  void ReplaceImage(TDeviceBitmap&& NewImage);
  // Takes a decoded file's pixels and form.
  void TakeDecoded(image::TBmpImage&& Decoded);
  std::uint32_t* RowFor(int Y) const;
  // The colour of a pixel (0x00BBGGRR).
  TColor PixelColor(int X, int Y) const;

  mutable TDeviceBitmap FImage;
  mutable TDeviceContext FContext;
  std::unique_ptr<TBitmapCanvas> FCanvas;
  TPixelFormat FPixelFormat = pfDevice;
  TBitmapHandleType FHandleType = bmDDB;
  bool FTransparent = false;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
};
