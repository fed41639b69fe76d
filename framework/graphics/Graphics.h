#pragma once
// The drawing objects a canvas draws with: the font, the pen and the brush.
// Each is a small value object that tells its owner (a canvas, a control)
// through OnChange after every change, so the owner can select the new values
// into its device context before it next draws, or repaint.
// The plain records they select into a device context are the GDI layer's
// TLogPen and TLogBrush (platform/gdi/DeviceContext.h).

#include <cstdint>
#include <string>

#include "framework/core/Classes.h"
#include "framework/streaming/StreamingProperties.h"
#include "platform/core/Exception.h"
#include "platform/core/Types.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SysColors.h"

// A drawing operation the object cannot do: a canvas with nothing to draw
// on, a row of a bitmap that does not exist, an image list index out of
// range.
class EInvalidGraphicOperation : public Exception {
public:
  using Exception::Exception;
};

namespace messages {
inline constexpr const char* kNoCanvasHandle = "キャンバスに描画できません";
inline constexpr const char* kScanLineIndex =
    "スキャンラインのインデックスが範囲を超えています (%s)";
inline constexpr const char* kScanLineFormat =
    "このピクセル形式のビットマップには行単位で直接アクセスできません";
inline constexpr const char* kUnsupportedPixelFormat = "サポートされていないピクセル形式です";
inline constexpr const char* kImageIndexError = "イメージリストのインデックスが不正です (%s)";
inline constexpr const char* kInvalidImageSize = "イメージのサイズが不正です";
}  // namespace messages

// The sixteen basic colours and the four extra named ones, 0x00BBGGRR.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clLtGray = clSilver;
constexpr TColor clDkGray = clGray;

// Common base of the font, pen and brush: the change notification.
class TGraphicsObject : public TPersistent {
public:
  // Fired after every change of a property, with the object as Sender.
  TNotifyEvent OnChange;

protected:
  void Changed();
};

// Font styles; TFontStyles holds any combination (bit i is member i, as the
// layouts write the set).
enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;

// The framework's default font: the Japanese user-interface face at a
// character height of 12 pixels, Shift-JIS, in the window-text colour.
inline constexpr const char* kDefaultFontName = "ＭＳ Ｐゴシック";
constexpr int kDefaultFontHeight = -12;
// Sizes (points) and heights (pixels) convert at 96 pixels per inch.
constexpr int kScreenPixelsPerInch = 96;

class TFont : public TGraphicsObject {
public:
  TFont() = default;

  // Copies every property from another font and fires OnChange once.
  void Assign(const TPersistent* Source) override;

  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value);
  // GDI's convention: negative is the character height, positive the cell
  // height in pixels.
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  // Points: -MulDiv(Height, 72, 96); setting it sets Height = -MulDiv(Size, 96, 72).
  int Size() const;
  void SetSize(int Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  std::uint8_t Charset() const { return FCharset; }
  void SetCharset(std::uint8_t Value);

  // The request the fonts layer resolves (the colour is not part of it).
  TLogFont LogFont() const;

  // Charset, Color, Height, Name, Size (read only from layouts, never
  // written) and Style, as a control's Font.* lines.
  static const TPropList& PublishedProperties();

private:
  std::string FName = kDefaultFontName;
  int FHeight = kDefaultFontHeight;
  TColor FColor = clWindowText;
  TFontStyles FStyle = 0;
  std::uint8_t FCharset = SHIFTJIS_CHARSET;
};

// Pen mix modes, in the framework's order; each maps to a GDI R2_ mode.
enum TPenMode {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};
TRop2 PenModeToRop2(TPenMode Mode);

// Round a * b / c to the nearest whole number, halves away from zero (the
// Windows MulDiv); 0 divisor answers -1 as it does.
int MulDiv(int A, int B, int C);

// Pen styles (psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear) are
// the GDI layer's TPenStyle.
class TPen : public TGraphicsObject {
public:
  TPen() = default;
  void Assign(const TPersistent* Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // Negative widths are ignored; 0 draws as 1 pixel, as in GDI.
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);

  // The GDI record for this pen (the mix mode is selected apart).
  TLogPen LogPen() const;

private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

// Brush styles (bsSolid, bsClear) are the GDI layer's TBrushStyle.
class TBrush : public TGraphicsObject {
public:
  TBrush() = default;
  void Assign(const TPersistent* Source) override;

  // Setting a colour makes a clear brush solid: whoever picks a fill colour
  // wants it filled.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);

  TLogBrush LogBrush() const;

private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};
