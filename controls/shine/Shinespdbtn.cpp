// TShineSpeedButton: construction, destruction, the property setters and
// the published-property table.

#include "controls/shine/Shinespdbtn.h"

#include "framework/streaming/StreamingFiler.h"
#include "framework/streaming/StreamingReader.h"
#include "framework/streaming/StreamingRegistry.h"
#include "framework/streaming/StreamingWriter.h"

namespace {

// The glyph's layout line, Glyph.Data: the bitmap file in hexadecimal.
class TGlyphLayoutData : public TPersistent {
public:
  explicit TGlyphLayoutData(TShineSpeedButton& Button) : FButton(Button) {}

  void DefineProperties(TFiler* Filer) override {
    Filer->DefineProperty(
        "Data", [this](TReader& Reader) { Read(Reader.ReadString()); },
        [this](TWriter& Writer) { Writer.WriteString(Write()); }, !FButton.Glyph()->Empty());
  }

  // The glyph's properties are its data alone.
  static const TPropList& PublishedProperties() {
    static const TPropList None;
    return None;
  }

private:
  void Read(const std::string& Hex) {
    auto Digit = [](char C) {
      if (C >= '0' && C <= '9') return C - '0';
      if (C >= 'A' && C <= 'F') return C - 'A' + 10;
      if (C >= 'a' && C <= 'f') return C - 'a' + 10;
      return -1;
    };
    if (Hex.size() % 2 != 0) throw EReadError(messages::kInvalidPropertyValue);
    std::vector<std::uint8_t> Bytes(Hex.size() / 2);
    for (std::size_t I = 0; I < Bytes.size(); ++I) {
      const int High = Digit(Hex[2 * I]), Low = Digit(Hex[2 * I + 1]);
      if (High < 0 || Low < 0) throw EReadError(messages::kInvalidPropertyValue);
      Bytes[I] = std::uint8_t(High * 16 + Low);
    }
    TBitmap Loaded;
    try {
      Loaded.LoadFromBytes(Bytes.data(), Bytes.size());
    } catch (const Exception&) {
      // Not a bitmap: the layout's value is wrong, and the reader names its line.
      throw EReadError(messages::kInvalidPropertyValue);
    }
    FButton.SetGlyph(&Loaded);
  }

  std::string Write() const {
    static const char kDigits[] = "0123456789ABCDEF";
    TBitmap Copy;
    Copy.Assign(FButton.Glyph());
    Copy.SetTransparent(false);
    std::string Hex;
    for (std::uint8_t Byte : Copy.SaveToBytes()) {
      Hex += kDigits[Byte >> 4];
      Hex += kDigits[Byte & 15];
    }
    return Hex;
  }

  TShineSpeedButton& FButton;
};

}  // namespace

TShineSpeedButton::TShineSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  // Replaces the inherited style: no clicks made from button-up (the button
  // raises Click itself), opaque while Transparent is off.
  SetControlStyle(csCaptureMouse | csOpaque | csDoubleClicks);

  FColors = std::make_unique<TShineBtnColors>();
  FColors->SetColor(clBtnFace);
  FColors->OnChange = [this](TObject* Sender) { FontsAndColorsOnChange(Sender); };

  FPressedColors = std::make_unique<TShineBtnColors>();
  FPressedColors->SetColor(clBtnHighlight);
  FPressedColors->OnChange = [this](TObject* Sender) { FontsAndColorsOnChange(Sender); };

  FFont = std::make_unique<TFont>();
  FFont->SetColor(clBtnText);
  FFont->OnChange = [this](TObject* Sender) { FontsAndColorsOnChange(Sender); };

  FActiveFont = std::make_unique<TFont>();
  FActiveFont->SetColor(clHighlight);
  FActiveFont->OnChange = [this](TObject* Sender) { FontsAndColorsOnChange(Sender); };

  FGlyph = std::make_unique<TBitmap>();
  FGlyph->OnChange = [this](TObject* Sender) { GlyphOnChange(Sender); };
  FGlyphData = std::make_unique<TGlyphLayoutData>(*this);

  SetBounds(Left(), Top(), 25, 25);
  SetCaption("");

  FActiveButtonTimer = new TTimer(this);
  FActiveButtonTimer->SetInterval(200);
  FActiveButtonTimer->SetEnabled(false);
  FActiveButtonTimer->SetOnTimer([this](TObject* Sender) { ActiveButtonTimerOnTimer(Sender); });
}

TShineSpeedButton::~TShineSpeedButton() {
  delete FActiveButtonTimer;
  FActiveButtonTimer = nullptr;
  FGlyph.reset();
  FColors.reset();
  FPressedColors.reset();
  FFont.reset();
  FActiveFont.reset();
}

void TShineSpeedButton::Loaded() { TGraphicControl::Loaded(); }

// ---- change notifications --------------------------------------------------------------

void TShineSpeedButton::FontsAndColorsOnChange(TObject*) { Invalidate(); }

void TShineSpeedButton::GlyphOnChange(TObject*) {
  // Every glyph is kept as a 32-bit image so the state images can work on
  // its rows directly.
  if (!FGlyph->Empty() && (FGlyph->PixelFormat() != pf32bit || FGlyph->HandleType() != bmDIB)) {
    TNotifyEvent Saved = std::move(FGlyph->OnChange);
    FGlyph->OnChange = nullptr;
    FGlyph->SetPixelFormat(pf32bit);
    FGlyph->OnChange = std::move(Saved);
  }
  Invalidate();
}

void TShineSpeedButton::SetGlyph(const TBitmap* Value) {
  TNotifyEvent Saved = std::move(FGlyph->OnChange);
  FGlyph->OnChange = nullptr;
  if (Value) {
    FGlyph->Assign(Value);
    FGlyph->OnChange = std::move(Saved);
    GlyphOnChange(FGlyph.get());
  } else {
    FGlyph->Assign(nullptr);
    FGlyph->SetSize(0, 0);
    FGlyph->OnChange = std::move(Saved);
  }
  Invalidate();
}

// ---- setters ---------------------------------------------------------------------------

namespace {
// The common rule: store a different value and repaint later.
template <class V>
bool Change(V& Field, const V& Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}
}  // namespace

void TShineSpeedButton::SetGroupIndex(int Value) {
  if (Value != FGroupIndex) GroupUpdateStatus(Value);
}

void TShineSpeedButton::SetAllowAllUp(bool Value) {
  if (!Change(FAllowAllUp, Value)) return;
  // The group adopts the new value; nothing on the face changes.
  GroupUpdateStatus(FGroupIndex);
}

void TShineSpeedButton::SetClickDownHook(bool Value) {
  if (Change(FClickDownHook, Value)) Invalidate();
}

void TShineSpeedButton::SetAccelCharDown(bool Value) {
  if (Change(FAccelCharDown, Value)) Invalidate();
}

void TShineSpeedButton::SetFrameType(TFrameType Value) {
  if (Change(FFrameType, Value)) Invalidate();
}

void TShineSpeedButton::SetTransparent(bool Value) {
  if (!Change(FTransparent, Value)) return;
  SetControlStyle(Value ? ControlStyle() & ~TControlStyle(csOpaque) : ControlStyle() | csOpaque);
  Invalidate();
}

void TShineSpeedButton::SetActiveFrame(bool Value) {
  if (Change(FActiveFrame, Value)) Invalidate();
}

void TShineSpeedButton::SetUpFrame(bool Value) {
  if (Change(FUpFrame, Value)) Invalidate();
}

void TShineSpeedButton::SetDownFrame(bool Value) {
  if (Change(FDownFrame, Value)) Invalidate();
}

void TShineSpeedButton::SetActiveImage(TActiveImageType Value) {
  if (Change(FActiveImage, Value)) Invalidate();
}

void TShineSpeedButton::SetDisabledImage(TDisabledImageType Value) {
  if (Change(FDisabledImage, Value)) Invalidate();
}

void TShineSpeedButton::SetDisabledHighlight(TColor Value) {
  if (Change(FDisabledHighlight, Value)) Invalidate();
}

void TShineSpeedButton::SetDisabledShadow(TColor Value) {
  if (Change(FDisabledShadow, Value)) Invalidate();
}

// Assign repaints through the set's OnChange; a null set is refused there.
void TShineSpeedButton::SetColors(const TShineBtnColors* Value) { FColors->Assign(Value); }

void TShineSpeedButton::SetPressedColors(const TShineBtnColors* Value) {
  FPressedColors->Assign(Value);
}

void TShineSpeedButton::SetShineColor(TColor Value) {
  if (Change(FShineColor, Value)) Invalidate();
}

void TShineSpeedButton::SetFont(const TFont* Value) {
  if (!Value) return;
  FFont->Assign(Value);
  Invalidate();
}

void TShineSpeedButton::SetActiveFont(const TFont* Value) {
  if (!Value) return;
  FActiveFont->Assign(Value);
  Invalidate();
}

// The caption's copies repaint even when set to the value they hold.
void TShineSpeedButton::SetFontHighlight(TColor Value) {
  FFontHighlight = Value;
  Invalidate();
}

void TShineSpeedButton::SetFontShadow(TColor Value) {
  FFontShadow = Value;
  Invalidate();
}

void TShineSpeedButton::SetLayout(TButtonLayout Value) {
  if (Change(FLayout, Value)) Invalidate();
}

void TShineSpeedButton::ChangeScale(const TScale& Scale) {
  TGraphicControl::ChangeScale(Scale);
  // -1 is "centred", not a length.
  if (FMargin > 0) FMargin = Scale.Apply(FMargin);
  FSpacing = Scale.Apply(FSpacing);
  FFont->SetHeight(Scale.Apply(FFont->Height()));
  FActiveFont->SetHeight(Scale.Apply(FActiveFont->Height()));
  Invalidate();
}

void TShineSpeedButton::SetMargin(int Value) {
  if (Change(FMargin, Value)) Invalidate();
}

void TShineSpeedButton::SetSpacing(int Value) {
  if (Change(FSpacing, Value)) Invalidate();
}

// ---- layouts ---------------------------------------------------------------------------

const TPropList& TShineSpeedButton::PublishedProperties() {
  using B = TShineSpeedButton;
  static const TPropList List =
      TPropertyTable<B>(TGraphicControl::PublishedProperties())
          .Integer("GroupIndex", &B::GroupIndex, &B::SetGroupIndex, DefaultIs(0))
          .Boolean("Down", &B::Down, &B::SetDown, DefaultIs(0))
          .Boolean("ClickDownHook", &B::ClickDownHook, &B::SetClickDownHook, DefaultIs(0))
          .Boolean("AccelCharDown", &B::AccelCharDown, &B::SetAccelCharDown, DefaultIs(0))
          .Enum("FrameType", &B::FrameType, &B::SetFrameType,
                {"ftFlatFrame", "ftNormalFrame", "ftEnclosedFrame"}, DefaultIs(ftNormalFrame))
          .Boolean("Transparent", &B::Transparent, &B::SetTransparent, DefaultIs(0))
          .Boolean("ActiveFrame", &B::ActiveFrame, &B::SetActiveFrame, DefaultIs(1))
          .Boolean("UpFrame", &B::UpFrame, &B::SetUpFrame, DefaultIs(1))
          .Boolean("DownFrame", &B::DownFrame, &B::SetDownFrame, DefaultIs(1))
          .Enum("ActiveImage", &B::ActiveImage, &B::SetActiveImage,
                {"aiNormal", "aiXorLight", "aiHalfLight", "aiQuaterLight", "aiAddLight",
                 "aiFrameLight", "aiFrameLight2", "aiMaskLight"},
                DefaultIs(aiFrameLight))
          .Enum(
              "DisabledImage", &B::DisabledImage, &B::SetDisabledImage,
              {"diDefault", "diGrayscale", "diAlphaHalfTrans", "diAlphaQuaterTrans", "diMaskTrans"},
              DefaultIs(diDefault))
          .Color("DisabledHighlight", &B::DisabledHighlight, &B::SetDisabledHighlight,
                 DefaultIs(clBtnHighlight))
          .Color("DisabledShadow", &B::DisabledShadow, &B::SetDisabledShadow,
                 DefaultIs(clBtnShadow))
          .Object<TShineBtnColors>("Colors", &B::Colors)
          .Object<TShineBtnColors>("PressedColors", &B::PressedColors)
          .Color("ShineColor", &B::ShineColor, &B::SetShineColor, DefaultIs(clYellow))
          .Object<TFont>("Font", &B::Font)
          .Color("FontHighlight", &B::FontHighlight, &B::SetFontHighlight, DefaultIs(clNone))
          .Color("FontShadow", &B::FontShadow, &B::SetFontShadow, DefaultIs(clNone))
          .Object<TFont>("ActiveFont", &B::ActiveFont)
          .Boolean("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp, DefaultIs(0))
          .Enum("Layout", &B::Layout, &B::SetLayout,
                {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"},
                DefaultIs(blGlyphLeft))
          .Integer("Margin", &B::Margin, &B::SetMargin, DefaultIs(-1))
          .Integer("Spacing", &B::Spacing, &B::SetSpacing, DefaultIs(4))
          .Object<TGlyphLayoutData>("Glyph", &B::GlyphLayoutData)
          .Event("OnMouseEnter", &B::OnMouseEnter, EventSetter(&B::OnMouseEnter))
          .Event("OnMouseLeave", &B::OnMouseLeave, EventSetter(&B::OnMouseLeave))
          // What the button publishes again of its base classes.
          .Enum("Align", &TControl::Align, &TControl::SetAlign,
                {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, DefaultIs(alNone))
          .Enum("BiDiMode", &B::BiDiMode, &B::SetBiDiMode,
                {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                 "bdRightToLeftReadingOnly"},
                DefaultIs(bdLeftToRight))
          .String("Caption", &TControl::Caption, &TControl::SetCaption)
          .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled, DefaultIs(1))
          .Boolean("ParentBiDiMode", &B::ParentBiDiMode, &B::SetParentBiDiMode, DefaultIs(1))
          .Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint,
                   DefaultIs(1))
          .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, DefaultIs(0))
          .StoredWhen([](B& Button) { return !Button.ParentShowHint(); })
          .Boolean("Visible", &TControl::Visible, &TControl::SetVisible, DefaultIs(1))
          .Event("OnClick", &TControl::OnClick, EventSetter(&TControl::OnClick))
          .Event("OnDblClick", &TControl::OnDblClick, EventSetter(&TControl::OnDblClick))
          .Event("OnMouseDown", &TControl::OnMouseDown, EventSetter(&TControl::OnMouseDown))
          .Event("OnMouseMove", &TControl::OnMouseMove, EventSetter(&TControl::OnMouseMove))
          .Event("OnMouseUp", &TControl::OnMouseUp, EventSetter(&TControl::OnMouseUp));
  return List;
}

void RegisterShineSpeedButton() { RegisterClass<TShineSpeedButton>("TShineSpeedButton"); }
