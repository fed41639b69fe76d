// Font requests resolved through GDI, for the same FreeType rasteriser as on
// Linux: GDI says which face a request leads to and hands over its bytes, so
// a font file draws the same pixels on both systems.

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_WINFONTS_H

#include <map>
#include <tuple>

#include "platform/core/Exception.h"
#include "platform/fonts/FaceNames.h"
#include "platform/fonts/FontResolver.h"
#include "platform/fonts/GdiFonts.h"
#include "platform/text/Cp932.h"

namespace {

// The ntmFlags of outline fonts that GDI does not report as TrueType: an
// OpenType font with PostScript outlines (reported as a device font, or as
// no kind at all) and a Type 1 font. FreeType draws them like TrueType
// fonts, and the Linux list counts every outline font as TrueType.
constexpr unsigned kNtmPsOpenType = 0x00020000;
constexpr unsigned kNtmTtOpenType = 0x00040000;
constexpr unsigned kNtmType1 = 0x00100000;

// GDI's pitch and family values for the generic family of an alias.
constexpr int kFixedPitch = 1, kFamilyRoman = 0x10, kFamilySwiss = 0x20, kFamilyModern = 0x30;

int PitchAndFamilyOf(const std::string& Generic) {
  if (Generic == "monospace") return kFamilyModern | kFixedPitch;
  if (Generic == "serif") return kFamilyRoman;
  return kFamilySwiss;
}

// What of a request decides the face. The height counts too: GDI picks a
// raster font's file and strike by it.
using TRequestKey = std::tuple<std::string, int, bool, int, int>;

TRequestKey KeyOf(const TLogFont& Request) {
  return {facenames::FaceKey(Request.Face), facenames::WeightOf(Request), Request.Italic,
          Request.Charset, Request.Height};
}

std::string Utf8Of(const std::string& Cp932) { return cp932::ToUtf8Lossy(Cp932); }

// The strike of a raster font file (a .fon holds one face per size and
// character set) that GDI chose: its height and character set.
int StrikeIndex(const std::vector<unsigned char>& File, int Height, int Charset) {
  static FT_Library Library = [] {
    FT_Library Made = nullptr;
    return FT_Init_FreeType(&Made) == 0 ? Made : nullptr;
  }();
  if (!Library) return 0;
  auto Open = [&](FT_Long Index, FT_Face* Face) {
    return FT_New_Memory_Face(Library, File.data(), static_cast<FT_Long>(File.size()), Index,
                              Face) == 0;
  };
  FT_Face Face = nullptr;
  if (!Open(-1, &Face)) return 0;
  FT_Long Count = Face->num_faces;
  FT_Done_Face(Face);
  int Best = 0, BestScore = -1;
  for (FT_Long Index = 0; Index < Count; ++Index) {
    if (!Open(Index, &Face)) continue;
    int Score = 0;
    if (Face->num_fixed_sizes > 0 && Face->available_sizes[0].height == Height) Score += 2;
    FT_WinFNT_HeaderRec Header{};
    if (FT_Get_WinFNT_Header(Face, &Header) == 0 && Header.charset == Charset) Score += 1;
    FT_Done_Face(Face);
    if (Score > BestScore) {
      Best = static_cast<int>(Index);
      BestScore = Score;
    }
  }
  return Best;
}

class TResolver {
public:
  // Never destroyed: fonts may still be asked for while other static objects
  // are torn down at exit.
  static TResolver& Instance() {
    static TResolver* Resolver = new TResolver;
    return *Resolver;
  }

  TResolvedFont Resolve(const TLogFont& Request) {
    TRequestKey Key = KeyOf(Request);
    auto Found = FResolved.find(Key);
    if (Found != FResolved.end()) return Found->second;
    TResolvedFont Resolved{FileFor(Choose(Request))};
    FResolved.emplace(Key, Resolved);
    return Resolved;
  }

  std::optional<TFontFile> FindFallback(const TLogFont& Request, char32_t Code) {
    // Code page 932 holds no character beyond the Basic Multilingual Plane.
    if (Code > 0xFFFF) return std::nullopt;
    auto Key = std::make_pair(KeyOf(Request), Code);
    auto Found = FFallbacks.find(Key);
    if (Found != FFallbacks.end()) return Found->second;
    std::optional<TFontFile> Result;
    for (const gdifonts::TGdiRequest& Candidate : FallbackCandidates(Request)) {
      if (gdifonts::HasGlyph(Candidate, static_cast<char16_t>(Code))) {
        Result = FileFor(Candidate);
        break;
      }
    }
    FFallbacks.emplace(Key, Result);
    return Result;
  }

  std::vector<TEnumFontEntry> ListFamilies() {
    // GDI reports a family once per character set: each name is looked at
    // once, with the best kind it came in.
    std::map<std::string, int> Kinds;
    for (const gdifonts::TGdiFamily& Family : gdifonts::EnumFamilies()) {
      // "@" names the same font turned for vertical writing, which text
      // output here never does: listing it would promise what it cannot show.
      if (Family.Face.empty() || Family.Face[0] == '@') continue;
      int Kind = KindOf(Family);
      if (Kind == 0) continue;  // vector fonts are never listed
      int& Known = Kinds[Family.Face];
      if (Rank(Kind) > Rank(Known)) Known = Kind;
    }
    std::vector<TEnumFontEntry> Entries;
    for (const auto& [Face, Kind] : Kinds) {
      // A Japanese desktop shows a family by its Japanese name when it has
      // one, whatever language the system's own lists are in; a name code
      // page 932 cannot hold is passed over for the next one.
      std::optional<std::string> Name;
      auto Known = FJapaneseNames.find(Face);
      if (Known == FJapaneseNames.end())
        Known = FJapaneseNames.emplace(Face, gdifonts::JapaneseFamilyName(Face)).first;
      const std::string& Japanese = Known->second;
      if (!Japanese.empty()) Name = cp932::FromUtf8(Japanese);
      if (!Name) Name = cp932::FromUtf8(Face);
      if (Name) Entries.push_back({*Name, Kind});
    }
    return facenames::FinishFamilyList(
        std::move(Entries), [](const std::string& Family) { return gdifonts::HasFamily(Family); });
  }

  void Reload() {
    FResolved.clear();
    FFallbacks.clear();
    FFiles.clear();
    FJapaneseNames.clear();
  }

private:
  static int Rank(int FontType) {
    return FontType == TRUETYPE_FONTTYPE ? 3
           : FontType == RASTER_FONTTYPE ? 2
           : FontType == DEVICE_FONTTYPE ? 1
                                         : 0;
  }

  static int KindOf(const gdifonts::TGdiFamily& Family) {
    if ((Family.FontType & TRUETYPE_FONTTYPE) ||
        (Family.NtmFlags & (kNtmPsOpenType | kNtmTtOpenType | kNtmType1)))
      return TRUETYPE_FONTTYPE;
    if (Family.FontType & RASTER_FONTTYPE) return RASTER_FONTTYPE;
    if (Family.FontType & DEVICE_FONTTYPE) return DEVICE_FONTTYPE;
    return 0;
  }

  // Asks for Face by its name when GDI has it. GDI weighs the character
  // set above the name, so a face asked for in a character set it lacks
  // would be passed over for one that has it; a face asked for by name is
  // what the program wants to see, so it is then asked for in any set.
  static bool AskByName(const std::string& Face, gdifonts::TGdiRequest* Gdi) {
    if (gdifonts::HasFamily(Face, Gdi->Charset)) {
      Gdi->Face = Face;
      return true;
    }
    if (gdifonts::HasFamily(Face)) {
      Gdi->Face = Face;
      Gdi->Charset = DEFAULT_CHARSET;
      return true;
    }
    return false;
  }

  // The GDI request for a font request: the face by its name when GDI has
  // it; else its stand-in (facenames::StandInFor: a Japanese Windows face's
  // IPA font of the same design, the IPA gothic for any other face asked
  // for with Japanese text), before GDI's own mapper, which would take
  // whichever installed font of the character set it ranks first; anything
  // else as GDI itself maps it.
  static gdifonts::TGdiRequest Choose(const TLogFont& Request) {
    gdifonts::TGdiRequest Gdi;
    Gdi.Face = Utf8Of(Request.Face);
    Gdi.Height = Request.Height;
    Gdi.Weight = Request.Weight;
    Gdi.Italic = Request.Italic;
    Gdi.Charset = Request.Charset;
    if (AskByName(Gdi.Face, &Gdi)) return Gdi;
    if (const facenames::TFaceAlias* Alias = facenames::StandInFor(Request.Face, Request.Charset)) {
      for (const char* Family : Alias->Families)
        if (AskByName(Family, &Gdi)) return Gdi;
      Gdi.PitchAndFamily = PitchAndFamilyOf(Alias->Generic);
      Gdi.Charset = SHIFTJIS_CHARSET;
      return Gdi;
    }
    if (Gdi.Charset == DEFAULT_CHARSET) Gdi.Charset = SHIFTJIS_CHARSET;
    return Gdi;
  }

  // Where a character the face lacks is looked for: the Japanese faces
  // (most missing characters are kana and kanji), then the faces font
  // linking adds to the request's face. GDI answers whether each has it.
  std::vector<gdifonts::TGdiRequest> FallbackCandidates(const TLogFont& Request) {
    std::vector<gdifonts::TGdiRequest> Candidates;
    for (const char* Face : {"ＭＳ Ｐゴシック", "ＭＳ ゴシック", "ＭＳ Ｐ明朝", "ＭＳ 明朝"}) {
      TLogFont Japanese = Request;
      Japanese.Face = Face;
      Japanese.Charset = SHIFTJIS_CHARSET;
      Candidates.push_back(Choose(Japanese));
    }
    gdifonts::TGdiRequest Own = Choose(Request);
    gdifonts::TGdiFace Chosen;
    if (gdifonts::Realize(Own, &Chosen)) {
      for (const std::string& Linked : gdifonts::LinkedFaces(Chosen.Face)) {
        gdifonts::TGdiRequest Candidate = Own;
        Candidate.Face = Linked;
        Candidate.Charset = DEFAULT_CHARSET;
        Candidates.push_back(Candidate);
      }
    }
    return Candidates;
  }

  // The face GDI chose for a request: its bytes through GDI when it gives
  // them, else (raster fonts) its file and strike. A face with neither keeps
  // an empty path, and the default face stands in for it when it is drawn.
  TFontFile FileFor(const gdifonts::TGdiRequest& Request) {
    std::string Locator = gdifonts::EncodeFaceLocator("", Request);
    auto Found = FFiles.find(Locator);
    if (Found != FFiles.end()) return Found->second;
    gdifonts::TGdiFace Face;
    if (!gdifonts::Realize(Request, &Face)) throw Exception("フォントが見つかりません");
    TFontFile File;
    // Its own family name, as on Linux, not the (perhaps translated) name
    // it was asked by.
    File.Family = Face.Family.empty() ? Face.Face : Face.Family;
    if (Face.DataSize > 0) {
      File.Path = gdifonts::EncodeFaceLocator(
          (Face.FullName.empty() ? Face.Face : Face.FullName) + "|" + std::to_string(Face.DataSize),
          Request);
    } else {
      File.Path = gdifonts::FontFileOf(Request);
      std::vector<unsigned char> Bytes;
      if (!File.Path.empty() && gdifonts::ReadWholeFile(File.Path, &Bytes))
        File.Index = StrikeIndex(Bytes, Face.Height, Face.Charset);
    }
    FFiles.emplace(Locator, File);
    return File;
  }

  std::map<TRequestKey, TResolvedFont> FResolved;
  std::map<std::pair<TRequestKey, char32_t>, std::optional<TFontFile>> FFallbacks;
  std::map<std::string, TFontFile> FFiles;  // by the GDI request
  // The Japanese name of each family GDI listed (empty: none), read from the
  // family's name table once.
  std::map<std::string, std::string> FJapaneseNames;
};

}  // namespace

namespace fontresolver {

TResolvedFont Resolve(const TLogFont& Request) { return TResolver::Instance().Resolve(Request); }

std::optional<TFontFile> FindFallback(const TLogFont& Request, char32_t Code) {
  return TResolver::Instance().FindFallback(Request, Code);
}

std::vector<TEnumFontEntry> ListFamilies() { return TResolver::Instance().ListFamilies(); }

void ReloadConfiguration() { TResolver::Instance().Reload(); }

std::string NoUsableFontMessage() { return "表示に使えるフォントがありません"; }

}  // namespace fontresolver
