#include "framework/graphics/Graphics.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

int MulDiv(int A, int B, int C) {
  if (C == 0) return -1;
  const std::int64_t Product = static_cast<std::int64_t>(A) * B;
  const std::int64_t Magnitude = (std::llabs(Product) + std::llabs(C) / 2) / std::llabs(C);
  const std::int64_t Result = ((Product < 0) != (C < 0)) ? -Magnitude : Magnitude;
  if (Result > std::numeric_limits<int>::max() || Result < std::numeric_limits<int>::min())
    return -1;
  return static_cast<int>(Result);
}

TRop2 PenModeToRop2(TPenMode Mode) {
  switch (Mode) {
    case pmBlack:
      return R2_BLACK;
    case pmWhite:
      return R2_WHITE;
    case pmNop:
      return R2_NOP;
    case pmNot:
      return R2_NOT;
    case pmCopy:
      return R2_COPYPEN;
    case pmNotCopy:
      return R2_NOTCOPYPEN;
    case pmMergePenNot:
      return R2_MERGEPENNOT;
    case pmMaskPenNot:
      return R2_MASKPENNOT;
    case pmMergeNotPen:
      return R2_MERGENOTPEN;
    case pmMaskNotPen:
      return R2_MASKNOTPEN;
    case pmMerge:
      return R2_MERGEPEN;
    case pmNotMerge:
      return R2_NOTMERGEPEN;
    case pmMask:
      return R2_MASKPEN;
    case pmNotMask:
      return R2_NOTMASKPEN;
    case pmXor:
      return R2_XORPEN;
    case pmNotXor:
      return R2_NOTXORPEN;
  }
  return R2_COPYPEN;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// ---- TFont ------------------------------------------------------------------

void TFont::Assign(const TPersistent* Source) {
  const TFont* Other = dynamic_cast<const TFont*>(Source);
  if (!Other) {
    TGraphicsObject::Assign(Source);
    return;
  }
  if (Other == this) return;
  FName = Other->FName;
  FHeight = Other->FHeight;
  FColor = Other->FColor;
  FStyle = Other->FStyle;
  FCharset = Other->FCharset;
  Changed();
}

void TFont::SetName(const std::string& Value) {
  if (Value == FName) return;
  FName = Value;
  Changed();
}

void TFont::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, kScreenPixelsPerInch); }

void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, kScreenPixelsPerInch, 72)); }

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  Value &= fsBold | fsItalic | fsUnderline | fsStrikeOut;
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TFont::SetCharset(std::uint8_t Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Changed();
}

TLogFont TFont::LogFont() const {
  TLogFont Font;
  Font.Face = FName;
  Font.Height = FHeight;
  Font.Weight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
  Font.Italic = (FStyle & fsItalic) != 0;
  Font.Underline = (FStyle & fsUnderline) != 0;
  Font.StrikeOut = (FStyle & fsStrikeOut) != 0;
  Font.Charset = FCharset;
  return Font;
}

const TPropList& TFont::PublishedProperties() {
  // Every line is written whenever a control writes its font at all (that is
  // the control's ParentFont decision), so a layout never depends on what the
  // reading program thinks the default font is.
  static const TPropList List =
      TPropertyTable<TFont>()
          .Integer("Charset", &TFont::Charset, &TFont::SetCharset, AlwaysStored(), &CharsetIdents())
          .Color("Color", &TFont::Color, &TFont::SetColor, AlwaysStored())
          .Integer("Height", &TFont::Height, &TFont::SetHeight, AlwaysStored())
          .String("Name", &TFont::Name, &TFont::SetName, AlwaysStored())
          .Integer("Size", &TFont::Size, &TFont::SetSize, NeverStored())
          .Set("Style", &TFont::Style, &TFont::SetStyle,
               {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, AlwaysStored());
  return List;
}

// ---- TPen -------------------------------------------------------------------

void TPen::Assign(const TPersistent* Source) {
  const TPen* Other = dynamic_cast<const TPen*>(Source);
  if (!Other) {
    TGraphicsObject::Assign(Source);
    return;
  }
  if (Other == this) return;
  FColor = Other->FColor;
  FWidth = Other->FWidth;
  FStyle = Other->FStyle;
  FMode = Other->FMode;
  Changed();
}

void TPen::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}

void TPen::SetWidth(int Value) {
  if (Value < 0 || Value == FWidth) return;
  FWidth = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

void TPen::SetMode(TPenMode Value) {
  if (Value == FMode) return;
  FMode = Value;
  Changed();
}

TLogPen TPen::LogPen() const { return TLogPen{FStyle, FWidth < 1 ? 1 : FWidth, FColor}; }

// ---- TBrush -----------------------------------------------------------------

void TBrush::Assign(const TPersistent* Source) {
  const TBrush* Other = dynamic_cast<const TBrush*>(Source);
  if (!Other) {
    TGraphicsObject::Assign(Source);
    return;
  }
  if (Other == this) return;
  FColor = Other->FColor;
  FStyle = Other->FStyle;
  Changed();
}

void TBrush::SetColor(TColor Value) {
  if (Value == FColor && FStyle != bsClear) return;
  FColor = Value;
  FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

TLogBrush TBrush::LogBrush() const { return TLogBrush{FStyle, FColor}; }
