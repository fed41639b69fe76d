#include "platform/fonts/RealizedFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <list>
#include <unordered_map>

#include "platform/core/Exception.h"
#include "platform/fonts/FaceStore.h"
#include "platform/fonts/FontResolver.h"
#include "platform/text/Cp932.h"

namespace {

// Windows answers height 0 with its default size; a 12-pixel em is the size of
// the Japanese dialog font.
constexpr int kDefaultEmHeight = 12;
// Larger requests are held to this em height: a glyph of a 1024-pixel em is
// already a megabyte of coverage.
constexpr int kMaxEmHeight = 1024;
// Realised fonts kept alive after their last user lets go, so fonts created
// and dropped again for every paint keep their glyphs. A font list that
// shows every name in its own face needs one per visible row.
constexpr std::size_t kRecentFonts = 64;

// FreeType's light hinting snaps only vertically; it keeps the shapes of the
// design and is what fontconfig's default "hintslight" asks for. Outline faces
// never use their embedded bitmaps, so every size is anti-aliased alike.
FT_Int32 LoadFlags(FT_Face Face) {
  return FT_LOAD_TARGET_LIGHT | (FT_IS_SCALABLE(Face) ? FT_LOAD_NO_BITMAP : 0);
}

int Round(double Value) { return static_cast<int>(std::lround(Value)); }

// A face at the font's pixel size. The size object belongs to the realised
// font; the face is shared with every other size of the same file.
struct TSizedFace {
  TFontFile File;
  FT_Face Face = nullptr;
  FT_Size Size = nullptr;
  bool Usable = false;  // a fallback face that opened at its size

  TSizedFace() = default;
  TSizedFace(const TSizedFace&) = delete;
  TSizedFace& operator=(const TSizedFace&) = delete;
  ~TSizedFace() {
    if (Size) FT_Done_Size(Size);
    facestore::ReleaseFace(Face);
  }

  // Takes a use of the file's face; false when FreeType cannot read it.
  bool Attach(const TFontFile& FontFile) {
    File = FontFile;
    Face = facestore::OpenFace(File);
    return Face != nullptr;
  }

  // Opens the face at an em height of Ppem pixels; for a face made only of
  // bitmaps, at its strike nearest to that height. False when FreeType cannot
  // use the file.
  bool Open(const TFontFile& FontFile, int Ppem) { return Attach(FontFile) && SetPixelSize(Ppem); }

  bool SetPixelSize(int Ppem) {
    if (!Face || FT_New_Size(Face, &Size) != 0) {
      Size = nullptr;
      return false;
    }
    FT_Activate_Size(Size);
    if (FT_IS_SCALABLE(Face)) return FT_Set_Pixel_Sizes(Face, 0, Ppem) == 0;
    if (Face->num_fixed_sizes <= 0) return false;
    int Best = 0;
    for (int I = 1; I < Face->num_fixed_sizes; ++I)
      if (std::abs(Face->available_sizes[I].height - Ppem) <
          std::abs(Face->available_sizes[Best].height - Ppem))
        Best = I;
    return FT_Select_Size(Face, Best) == 0;
  }

  void Activate() const { FT_Activate_Size(Size); }
};

}  // namespace

struct TRealizedFont::TImpl {
  TLogFont Request;
  TResolvedFont Resolved;
  TSizedFace Primary;
  std::vector<std::unique_ptr<TSizedFace>> Fallbacks;
  int Ppem = kDefaultEmHeight;
  bool SynthesizeBold = false, SynthesizeItalic = false;
  bool StandIn = false;
  // A glyph failed because a face's file changed under it: requests no
  // longer get this font, and the next one opens the file anew.
  mutable bool FileChanged = false;
  TTextMetric Metric;
  int UnderlineTop = 0, UnderlineThickness = 1;
  int StrikeOutTop = 0, StrikeOutThickness = 1;

  std::unordered_map<std::uint16_t, TGlyph> Glyphs;
  std::size_t GlyphBytes = 0;
  TGlyph LargeGlyph;  // one glyph too large for the cache, kept until the next such glyph
  std::unordered_map<std::uint16_t, int> Advances;

  // Where a character's glyph comes from: a face and its glyph index, or no
  // face at all (drawn as a box).
  struct TSource {
    const TSizedFace* Face = nullptr;
    FT_UInt Index = 0;
  };

  void Realise(const TLogFont& ARequest) {
    Request = ARequest;
    Resolved = fontresolver::Resolve(Request);
    if (!Primary.Attach(Resolved.File)) {
      // A font file that cannot be read or parsed: as GDI never fails to
      // realise a font, the default face of the same style stands in.
      StandIn = true;
      TLogFont Default = Request;
      Default.Face.clear();
      Resolved = fontresolver::Resolve(Default);
      if (!Primary.Attach(Resolved.File)) throw Exception(fontresolver::NoUsableFontMessage());
    }
    FT_Face Face = Primary.Face;
    // Styles the chosen file lacks are drawn by hand, as Windows simulates
    // bold and italic for faces that have neither.
    SynthesizeBold = Request.Weight >= 600 && !(Face->style_flags & FT_STYLE_FLAG_BOLD);
    SynthesizeItalic = Request.Italic && !(Face->style_flags & FT_STYLE_FLAG_ITALIC);
    if (FT_IS_SCALABLE(Face))
      MeasureScalable(Face);
    else
      MeasureBitmapFace(Face);
    if (!Primary.SetPixelSize(Ppem)) throw Exception("フォントを開けません");
    if (!FT_IS_SCALABLE(Face)) TakeStrikeMetrics();
    FinishMetrics(Face);
  }

  void MeasureScalable(FT_Face Face) {
    double Upem = Face->units_per_EM > 0 ? Face->units_per_EM : 2048;
    // The typographic ascent and descent (hhea), not the Windows clipping
    // metrics: for the IPA fonts they span exactly the em, as the ascent and
    // descent of the Windows Japanese fonts do, so a -12 font is 12 pixels
    // high and the controls keep their heights.
    double Ascent = Face->ascender, Descent = -Face->descender;
    if (Ascent + Descent <= 0) {
      Ascent = Face->bbox.yMax;
      Descent = -Face->bbox.yMin;
    }
    double Cell = std::max(1.0, Ascent + Descent);
    if (Request.Height < 0)
      Ppem = -static_cast<long>(Request.Height) > kMaxEmHeight ? kMaxEmHeight : -Request.Height;
    else if (Request.Height > 0)
      Ppem = Round(std::min<double>(Request.Height, kMaxEmHeight * 4) * Upem / Cell);
    else
      Ppem = kDefaultEmHeight;
    Ppem = std::clamp(Ppem, 1, kMaxEmHeight);
    double Scale = Ppem / Upem;
    Metric.tmHeight = std::max(1, Round(Cell * Scale));
    Metric.tmAscent = std::clamp(Round(Ascent * Scale), 0, Metric.tmHeight);
    Metric.tmDescent = Metric.tmHeight - Metric.tmAscent;
    Metric.tmInternalLeading = std::max(0, Metric.tmHeight - Ppem);
    Metric.tmExternalLeading = std::max(0, Round(Face->height * Scale) - Metric.tmHeight);
    Metric.tmMaxCharWidth = std::max(1, Round(Face->max_advance_width * Scale));
    const TT_OS2* Os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(Face, FT_SFNT_OS2));
    if (Os2 && Os2->version != 0xFFFF && Os2->xAvgCharWidth > 0)
      Metric.tmAveCharWidth = std::max(1, Round(Os2->xAvgCharWidth * Scale));

    int UnderlineCentre = Metric.tmAscent - Round(Face->underline_position * Scale);
    UnderlineThickness = std::max(1, Round(Face->underline_thickness * Scale));
    if (Face->underline_thickness <= 0) UnderlineCentre = Metric.tmAscent + 1;
    UnderlineTop = UnderlineCentre - UnderlineThickness / 2;
    if (Os2 && Os2->version != 0xFFFF && Os2->yStrikeoutSize > 0) {
      StrikeOutThickness = std::max(1, Round(Os2->yStrikeoutSize * Scale));
      StrikeOutTop = Metric.tmAscent - Round(Os2->yStrikeoutPosition * Scale);
    } else {
      StrikeOutThickness = UnderlineThickness;
      StrikeOutTop = Metric.tmAscent - Round(Ppem * 0.3);
    }
  }

  // The strike is chosen by the requested height, em or cell alike: bitmap
  // faces come in few sizes and the nearest is the best there is.
  void MeasureBitmapFace(FT_Face) {
    long Height = std::labs(static_cast<long>(Request.Height));
    Ppem = Height == 0 ? kDefaultEmHeight : static_cast<int>(std::min<long>(Height, kMaxEmHeight));
  }

  // A bitmap face's metrics are those of the strike it was opened at.
  void TakeStrikeMetrics() {
    const FT_Size_Metrics& M = Primary.Size->metrics;
    Metric.tmAscent = std::max<int>(0, (M.ascender + 63) >> 6);
    Metric.tmDescent = std::max<int>(0, (-M.descender + 63) >> 6);
    Metric.tmHeight = std::max(1, Metric.tmAscent + Metric.tmDescent);
    Ppem = std::max<int>(1, M.y_ppem);
    Metric.tmInternalLeading = std::max(0, Metric.tmHeight - Ppem);
    Metric.tmExternalLeading = std::max<int>(0, ((M.height + 32) >> 6) - Metric.tmHeight);
    Metric.tmMaxCharWidth = std::max<int>(1, (M.max_advance + 32) >> 6);
    UnderlineThickness = 1;
    UnderlineTop = Metric.tmAscent + 1;
    StrikeOutThickness = 1;
    StrikeOutTop = Metric.tmAscent - Round(Ppem * 0.3);
  }

  void FinishMetrics(FT_Face Face) {
    // A simulated bold glyph is one pixel wider (the advance of "x" already
    // counts it).
    if (Metric.tmAveCharWidth <= 0)
      Metric.tmAveCharWidth = std::max(1, Advance("x", 0, nullptr));
    else if (SynthesizeBold)
      Metric.tmAveCharWidth += 1;
    if (SynthesizeBold) Metric.tmMaxCharWidth += 1;
    Metric.tmWeight = Request.Weight == FW_DONTCARE ? FW_NORMAL : Request.Weight;
    Metric.tmItalic = Request.Italic;
    Metric.tmUnderlined = Request.Underline;
    Metric.tmStruckOut = Request.StrikeOut;
    if (facestore::HasSymbolCharmap(Face))
      Metric.tmCharSet = SYMBOL_CHARSET;
    else if (FT_Get_Char_Index(Face, U'\u3042') != 0)  // covers hiragana
      Metric.tmCharSet = SHIFTJIS_CHARSET;
    else
      Metric.tmCharSet = ANSI_CHARSET;
    // Both strokes stay inside the cell: a caption clipped to its text height
    // still shows its underline.
    UnderlineThickness = std::min(UnderlineThickness, Metric.tmHeight);
    UnderlineTop = std::clamp(UnderlineTop, 0, Metric.tmHeight - UnderlineThickness);
    StrikeOutThickness = std::min(StrikeOutThickness, Metric.tmHeight);
    StrikeOutTop = std::clamp(StrikeOutTop, 0, Metric.tmHeight - StrikeOutThickness);
  }

  static std::uint16_t KeyOf(std::string_view Text, std::size_t Pos, std::size_t Length) {
    auto Byte = [&](std::size_t I) { return static_cast<unsigned char>(Text[I]); };
    return Length == 2 ? static_cast<std::uint16_t>(Byte(Pos) << 8 | Byte(Pos + 1)) : Byte(Pos);
  }

  TSource FindSource(std::string_view Text, std::size_t Pos, std::size_t Length) {
    char32_t Code = cp932::DecodeChar(Text, Pos, nullptr);
    if (facestore::HasSymbolCharmap(Primary.Face)) {
      // A symbol font is addressed by the bytes of the text, as Windows does.
      if (Length == 1) {
        unsigned char Byte = static_cast<unsigned char>(Text[Pos]);
        FT_UInt Index = FT_Get_Char_Index(Primary.Face, 0xF000 | Byte);
        if (!Index) Index = FT_Get_Char_Index(Primary.Face, Byte);
        if (Index) return {&Primary, Index};
      }
    } else if (FT_UInt Index = FT_Get_Char_Index(Primary.Face, Code)) {
      return {&Primary, Index};
    }
    std::optional<TFontFile> File = fontresolver::FindFallback(Request, Code);
    if (!File) return {};
    const TSizedFace* Face = FallbackFace(*File);
    if (!Face) return {};
    FT_UInt Index = FT_Get_Char_Index(Face->Face, Code);
    if (!Index) return {};
    return {Face, Index};
  }

  const TSizedFace* FallbackFace(const TFontFile& File) {
    if (File == Primary.File) return &Primary;
    for (const auto& Face : Fallbacks)
      if (Face->File == File) return Face->Usable ? Face.get() : nullptr;
    auto Face = std::make_unique<TSizedFace>();
    bool Opened = Face->Open(File, Ppem);
    Face->Usable = Opened;
    Fallbacks.push_back(std::move(Face));
    return Opened ? Fallbacks.back().get() : nullptr;
  }

  int BoxAdvance() const { return std::max(3, Round(Ppem * 0.5)); }

  int Advance(std::string_view Text, std::size_t Pos, std::size_t* Length) {
    std::size_t Bytes = cp932::CharLength(Text, Pos);
    if (Length) *Length = Bytes;
    if (Bytes == 0) return 0;
    std::uint16_t Key = KeyOf(Text, Pos, Bytes);
    auto Found = Advances.find(Key);
    if (Found != Advances.end()) return Found->second;
    TSource Source = FindSource(Text, Pos, Bytes);
    int Width = BoxAdvance();
    if (Source.Face && LoadGlyph(Source))
      Width = static_cast<int>((Source.Face->Face->glyph->advance.x + 32) >> 6);
    if (SynthesizeBold) Width += 1;
    Advances.emplace(Key, Width);
    return Width;
  }

  // An empty box standing on the baseline, for characters no face can show.
  TGlyph MakeBox() const {
    TGlyph Box;
    Box.Advance = BoxAdvance();
    Box.Left = 1;
    Box.Width = std::max(1, Box.Advance - 2);
    Box.Height = std::max(3, std::min(Round(Ppem * 0.75), std::max(3, Metric.tmAscent)));
    Box.Top = Box.Height;
    Box.Coverage.assign(static_cast<std::size_t>(Box.Width) * Box.Height, 0);
    for (int Y = 0; Y < Box.Height; ++Y)
      for (int X = 0; X < Box.Width; ++X)
        if (Y == 0 || Y == Box.Height - 1 || X == 0 || X == Box.Width - 1)
          Box.Coverage[static_cast<std::size_t>(Y) * Box.Width + X] = 255;
    return Box;
  }

  // Loads the glyph into its face's slot. One that cannot be read is drawn
  // as missing; when that is because the font file was shortened or
  // rewritten since the face was opened, this font is given up.
  bool LoadGlyph(const TSource& Source) const {
    Source.Face->Activate();
    if (FT_Load_Glyph(Source.Face->Face, Source.Index, LoadFlags(Source.Face->Face)) == 0)
      return true;
    if (facestore::ForgetIfChanged(Source.Face->Face)) FileChanged = true;
    return false;
  }

  TGlyph Render(const TSource& Source) const {
    if (!Source.Face || !LoadGlyph(Source)) return MakeBox();
    FT_Face Face = Source.Face->Face;
    FT_GlyphSlot Slot = Face->glyph;
    if (SynthesizeItalic && Slot->format == FT_GLYPH_FORMAT_OUTLINE) FT_GlyphSlot_Oblique(Slot);
    if (Slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(Slot, FT_RENDER_MODE_NORMAL) != 0)
      return MakeBox();
    TGlyph Glyph;
    Glyph.Advance = static_cast<int>((Slot->advance.x + 32) >> 6);
    Glyph.Left = Slot->bitmap_left;
    Glyph.Top = Slot->bitmap_top;
    const FT_Bitmap& Bitmap = Slot->bitmap;
    Glyph.Width = static_cast<int>(Bitmap.width);
    Glyph.Height = static_cast<int>(Bitmap.rows);
    Glyph.Coverage.assign(static_cast<std::size_t>(Glyph.Width) * Glyph.Height, 0);
    for (int Y = 0; Y < Glyph.Height; ++Y) {
      const unsigned char* Row = Bitmap.buffer + static_cast<std::ptrdiff_t>(Y) * Bitmap.pitch;
      std::uint8_t* Out = Glyph.Coverage.data() + static_cast<std::size_t>(Y) * Glyph.Width;
      for (int X = 0; X < Glyph.Width; ++X) {
        switch (Bitmap.pixel_mode) {
          case FT_PIXEL_MODE_GRAY:
            Out[X] =
                Bitmap.num_grays == 256
                    ? Row[X]
                    : static_cast<std::uint8_t>(Row[X] * 255 / std::max(1, Bitmap.num_grays - 1));
            break;
          case FT_PIXEL_MODE_MONO:
            Out[X] = (Row[X >> 3] & (0x80 >> (X & 7))) ? 255 : 0;
            break;
          case FT_PIXEL_MODE_BGRA:
            Out[X] = Row[X * 4 + 3];
            break;
          default:
            Out[X] = 0;
            break;
        }
      }
    }
    if (SynthesizeBold) Embolden(Glyph);
    return Glyph;
  }

  // Windows' simulated bold: the glyph drawn twice, one pixel apart.
  static void Embolden(TGlyph& Glyph) {
    Glyph.Advance += 1;
    if (Glyph.Width == 0 || Glyph.Height == 0) return;
    int Width = Glyph.Width + 1;
    std::vector<std::uint8_t> Wide(static_cast<std::size_t>(Width) * Glyph.Height, 0);
    for (int Y = 0; Y < Glyph.Height; ++Y) {
      const std::uint8_t* In = Glyph.Coverage.data() + static_cast<std::size_t>(Y) * Glyph.Width;
      std::uint8_t* Out = Wide.data() + static_cast<std::size_t>(Y) * Width;
      for (int X = 0; X < Width; ++X) {
        std::uint8_t Here = X < Glyph.Width ? In[X] : 0;
        std::uint8_t Left = X > 0 ? In[X - 1] : 0;
        Out[X] = std::max(Here, Left);
      }
    }
    Glyph.Width = Width;
    Glyph.Coverage = std::move(Wide);
  }

  const TGlyph& GlyphAt(std::string_view Text, std::size_t Pos, std::size_t* Length) {
    std::size_t Bytes = cp932::CharLength(Text, Pos);
    if (Length) *Length = Bytes;
    if (Bytes == 0) {
      LargeGlyph = TGlyph{};
      return LargeGlyph;
    }
    std::uint16_t Key = KeyOf(Text, Pos, Bytes);
    auto Found = Glyphs.find(Key);
    if (Found != Glyphs.end()) return Found->second;
    TGlyph Glyph = Render(FindSource(Text, Pos, Bytes));
    std::size_t Size = Glyph.Coverage.size() + sizeof(TGlyph);
    if (Size > kGlyphCacheLimit) {
      LargeGlyph = std::move(Glyph);
      return LargeGlyph;
    }
    if (GlyphBytes + Size > kGlyphCacheLimit) {
      Glyphs.clear();
      GlyphBytes = 0;
    }
    GlyphBytes += Size;
    return Glyphs.emplace(Key, std::move(Glyph)).first->second;
  }
};

TRealizedFont::TRealizedFont(std::unique_ptr<TImpl> Impl) : FImpl(std::move(Impl)) {}
TRealizedFont::~TRealizedFont() = default;

namespace {
// Most recent first. Never destroyed, like the faces the fonts point into.
std::list<std::shared_ptr<TRealizedFont>>& RecentFonts() {
  static auto* Recent = new std::list<std::shared_ptr<TRealizedFont>>;
  return *Recent;
}
}  // namespace

void TRealizedFont::ForgetRecentFonts() { RecentFonts().clear(); }

std::shared_ptr<TRealizedFont> TRealizedFont::Create(const TLogFont& Request) {
  auto* Recent = &RecentFonts();
  Recent->remove_if([](const auto& Font) { return Font->FImpl->FileChanged; });
  for (auto It = Recent->begin(); It != Recent->end(); ++It) {
    if ((*It)->LogFont() == Request) {
      Recent->splice(Recent->begin(), *Recent, It);
      return Recent->front();
    }
  }
  auto Impl = std::make_unique<TImpl>();
  Impl->Realise(Request);
  std::shared_ptr<TRealizedFont> Font(new TRealizedFont(std::move(Impl)));
  Recent->push_front(Font);
  if (Recent->size() > kRecentFonts) Recent->pop_back();
  return Font;
}

const TLogFont& TRealizedFont::LogFont() const { return FImpl->Request; }
const TTextMetric& TRealizedFont::TextMetric() const { return FImpl->Metric; }
const std::string& TRealizedFont::FamilyName() const { return FImpl->Resolved.File.Family; }
int TRealizedFont::EmHeight() const { return FImpl->Ppem; }
bool TRealizedFont::IsStandIn() const { return FImpl->StandIn; }
int TRealizedFont::UnderlineTop() const { return FImpl->UnderlineTop; }
int TRealizedFont::UnderlineThickness() const { return FImpl->UnderlineThickness; }
int TRealizedFont::StrikeOutTop() const { return FImpl->StrikeOutTop; }
int TRealizedFont::StrikeOutThickness() const { return FImpl->StrikeOutThickness; }

int TRealizedFont::CharAdvance(std::string_view Text, std::size_t Pos, std::size_t* Length) {
  return FImpl->Advance(Text, Pos, Length);
}

int TRealizedFont::TextWidth(std::string_view Text) {
  int Width = 0;
  for (std::size_t Pos = 0; Pos < Text.size();) {
    std::size_t Length = 1;
    Width += FImpl->Advance(Text, Pos, &Length);
    Pos += Length;
  }
  return Width;
}

bool TRealizedFont::DrawsInk(std::string_view Text) {
  for (std::size_t Pos = 0, Length = 1; Pos < Text.size();
       Pos += std::max<std::size_t>(Length, 1)) {
    const TGlyph& G = FImpl->GlyphAt(Text, Pos, &Length);
    for (std::uint8_t Coverage : G.Coverage)
      if (Coverage != 0) return true;
  }
  return false;
}

const TGlyph& TRealizedFont::Glyph(std::string_view Text, std::size_t Pos, std::size_t* Length) {
  return FImpl->GlyphAt(Text, Pos, Length);
}

std::size_t TRealizedFont::GlyphCacheBytes() const { return FImpl->GlyphBytes; }
