// Font resolution, metrics, extents and glyphs on this machine's fonts (the
// IPA fonts of fonts-ipafont-gothic / -mincho, DejaVu). The numbers are
// pinned: the layouts size their controls from them.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "platform/fonts/FaceNames.h"
#include "platform/fonts/FontEnum.h"
#include "platform/fonts/RealizedFont.h"
#include "platform/text/Cp932.h"

namespace {

TLogFont Request(const std::string& Face, int Height, int Charset = SHIFTJIS_CHARSET) {
  TLogFont Font;
  Font.Face = Face;
  Font.Height = Height;
  Font.Charset = Charset;
  return Font;
}

// The layouts' font: "ＭＳ Ｐゴシック", height -12, Shift-JIS.
std::shared_ptr<TRealizedFont> LayoutFont() {
  return TRealizedFont::Create(Request("ＭＳ Ｐゴシック", -12));
}

TEST(FontMetrics, LayoutFontIsTwelvePixelsHigh) {
  auto Font = LayoutFont();
  EXPECT_EQ(Font->FamilyName(), "IPAPGothic");
  const TTextMetric& M = Font->TextMetric();
  // Text height 12 keeps the pickers and the keyword box at 20 pixels
  // (text height + 8 border pixels).
  EXPECT_EQ(M.tmHeight, 12);
  EXPECT_EQ(M.tmAscent, 11);
  EXPECT_EQ(M.tmDescent, 1);
  EXPECT_EQ(M.tmInternalLeading, 0);
  EXPECT_EQ(M.tmExternalLeading, 0);
  EXPECT_EQ(M.tmAveCharWidth, 6);
  EXPECT_EQ(M.tmMaxCharWidth, 12);
  EXPECT_EQ(M.tmCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(Font->EmHeight(), 12);
}

TEST(FontMetrics, LayoutFontExtents) {
  auto Font = LayoutFont();
  EXPECT_EQ(Font->TextWidth("Wg"), 18);
  EXPECT_EQ(Font->TextWidth("検索"), 24);
  EXPECT_EQ(Font->TextWidth("検索サイトの選択"), 90);
  EXPECT_EQ(Font->TextWidth("ｷｰﾜｰﾄﾞ ："), 45);
  EXPECT_EQ(Font->TextWidth(""), 0);
}

TEST(FontMetrics, CharacterLengthsFollowCodePage932) {
  auto Font = LayoutFont();
  std::size_t Length = 0;
  Font->CharAdvance("検a", 0, &Length);
  EXPECT_EQ(Length, 2u);
  Font->CharAdvance("ｱ", 0, &Length);  // half-width katakana: one byte
  EXPECT_EQ(Length, 1u);
  // A lead byte cut off at the end is one character of its own, not a read
  // past the end.
  Font->CharAdvance("a\x88", 1, &Length);
  EXPECT_EQ(Length, 1u);
}

struct TFaceCase {
  const char* Face;
  int Charset;
  const char* Family;
};

class FontResolution : public testing::TestWithParam<TFaceCase> {};

TEST_P(FontResolution, MapsFaceToInstalledFamily) {
  const TFaceCase& Case = GetParam();
  EXPECT_EQ(TRealizedFont::Create(Request(Case.Face, -12, Case.Charset))->FamilyName(),
            Case.Family);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, FontResolution,
    testing::Values(TFaceCase{"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, "IPAPGothic"},
                    TFaceCase{"ＭＳ ゴシック", SHIFTJIS_CHARSET, "IPAGothic"},
                    TFaceCase{"ＭＳ 明朝", SHIFTJIS_CHARSET, "IPAMincho"},
                    TFaceCase{"ＭＳ Ｐ明朝", SHIFTJIS_CHARSET, "IPAPMincho"},
                    // Windows compares face names ignoring case, full-width too.
                    TFaceCase{"ｍｓ ｐゴシック", SHIFTJIS_CHARSET, "IPAPGothic"},
                    TFaceCase{"ＭＳ　Ｐゴシック", SHIFTJIS_CHARSET, "IPAPGothic"},
                    TFaceCase{"MS PGothic", DEFAULT_CHARSET, "IPAPGothic"},
                    TFaceCase{"", DEFAULT_CHARSET, "IPAPGothic"},
                    TFaceCase{"IPA Pゴシック", SHIFTJIS_CHARSET, "IPAPGothic"},
                    TFaceCase{"DejaVu Sans", ANSI_CHARSET, "DejaVu Sans"},
                    TFaceCase{"dejavu sans", DEFAULT_CHARSET, "DejaVu Sans"},
                    // A face that is not installed: a Japanese face for
                    // Japanese text, a Latin one for an ANSI request.
                    TFaceCase{"No Such Face", SHIFTJIS_CHARSET, "IPAGothic"},
                    TFaceCase{"No Such Face", DEFAULT_CHARSET, "IPAGothic"},
                    TFaceCase{"No Such Face", ANSI_CHARSET, "DejaVu Sans"}));

struct THeightCase {
  const char* Face;
  int Height;
  int EmHeight, TextHeight, InternalLeading;
};

class FontHeight : public testing::TestWithParam<THeightCase> {};

// Negative heights ask for the em, positive ones for the cell; the IPA fonts'
// cell is their em, DejaVu's is larger.
TEST_P(FontHeight, FollowsTheGdiSignConvention) {
  const THeightCase& Case = GetParam();
  auto Font = TRealizedFont::Create(Request(Case.Face, Case.Height, ANSI_CHARSET));
  EXPECT_EQ(Font->EmHeight(), Case.EmHeight);
  EXPECT_EQ(Font->TextMetric().tmHeight, Case.TextHeight);
  EXPECT_EQ(Font->TextMetric().tmInternalLeading, Case.InternalLeading);
  EXPECT_EQ(Font->TextMetric().tmAscent + Font->TextMetric().tmDescent,
            Font->TextMetric().tmHeight);
}

INSTANTIATE_TEST_SUITE_P(Heights, FontHeight,
                         testing::Values(THeightCase{"ＭＳ Ｐゴシック", -12, 12, 12, 0},
                                         THeightCase{"ＭＳ Ｐゴシック", 12, 12, 12, 0},
                                         THeightCase{"ＭＳ Ｐゴシック", -24, 24, 24, 0},
                                         THeightCase{"ＭＳ Ｐゴシック", 0, 12, 12, 0},
                                         THeightCase{"DejaVu Sans", -12, 12, 14, 2},
                                         THeightCase{"DejaVu Sans", 12, 10, 12, 2},
                                         THeightCase{"DejaVu Sans", 20, 17, 20, 3},
                                         // Absurd sizes are held to a sane em.
                                         THeightCase{"ＭＳ Ｐゴシック", -100000, 1024, 1024, 0}));

TEST(FontStyles, SimulatedBoldIsOnePixelWiderPerCharacter) {
  TLogFont Bold = Request("ＭＳ Ｐゴシック", -12);
  Bold.Weight = FW_BOLD;
  auto Font = TRealizedFont::Create(Bold);
  EXPECT_EQ(Font->TextWidth("Wg"), 20);
  EXPECT_EQ(Font->TextMetric().tmAveCharWidth, 7);
  EXPECT_EQ(Font->TextMetric().tmMaxCharWidth, 13);
  EXPECT_EQ(Font->TextMetric().tmWeight, FW_BOLD);
  EXPECT_EQ(Font->TextMetric().tmHeight, 12);
  const TGlyph& Regular = LayoutFont()->Glyph("l", 0);
  const int RegularWidth = Regular.Width;
  EXPECT_EQ(Font->Glyph("l", 0).Width, RegularWidth + 1);
}

TEST(FontStyles, SimulatedItalicSlantsTheGlyph) {
  TLogFont Italic = Request("ＭＳ Ｐゴシック", -12);
  Italic.Italic = true;
  auto Font = TRealizedFont::Create(Italic);
  EXPECT_TRUE(Font->TextMetric().tmItalic);
  EXPECT_EQ(Font->TextWidth("Wg"), 18);  // advances do not change
  const TGlyph& Upright = LayoutFont()->Glyph("l", 0);
  const int UprightWidth = Upright.Width;
  EXPECT_GT(Font->Glyph("l", 0).Width, UprightWidth);
}

TEST(FontStyles, UnderlineAndStrikeoutLieInsideTheCell) {
  auto Font = LayoutFont();
  EXPECT_EQ(Font->UnderlineTop(), 11);
  EXPECT_EQ(Font->UnderlineThickness(), 1);
  EXPECT_EQ(Font->StrikeOutTop(), 6);
  EXPECT_EQ(Font->StrikeOutThickness(), 1);
}

TEST(FontGlyphs, CharactersTheFaceLacksComeFromAnotherFace) {
  // DejaVu Sans has no kanji: the glyph comes from a Japanese face.
  auto Latin = TRealizedFont::Create(Request("DejaVu Sans", -12, ANSI_CHARSET));
  const TGlyph& Kanji = Latin->Glyph("検", 0);
  EXPECT_EQ(Kanji.Advance, 12);
  int Ink = 0;
  for (std::uint8_t C : Kanji.Coverage) Ink += C > 0;
  EXPECT_GT(Ink, 20);
}

TEST(FontGlyphs, InvalidBytesShowSomething) {
  auto Font = LayoutFont();
  for (const char* Bad : {"\x80", "\xA0", "\xFD", "\x81\x20"}) {
    std::size_t Length = 0;
    const TGlyph& Glyph = Font->Glyph(Bad, 0, &Length);
    EXPECT_GT(Glyph.Advance, 0) << Bad;
    int Ink = 0;
    for (std::uint8_t C : Glyph.Coverage) Ink += C > 0;
    EXPECT_GT(Ink, 0) << "invalid byte " << int(static_cast<unsigned char>(Bad[0]));
  }
}

TEST(FontGlyphs, CacheStaysWithinItsBoundAndRerendersAlike) {
  // A face and size of its own, so the cache starts empty.
  auto Font = TRealizedFont::Create(Request("ＭＳ 明朝", -40));
  const std::vector<std::uint8_t> First = Font->Glyph("亜", 0).Coverage;
  std::size_t Largest = 0;
  // Every kanji of the first JIS level: far more than the cache holds.
  for (int Lead = 0x88; Lead <= 0x98; ++Lead)
    for (int Trail = 0x40; Trail <= 0xFC; ++Trail) {
      if (Trail == 0x7F) continue;
      const char Char[3] = {static_cast<char>(Lead), static_cast<char>(Trail), 0};
      Font->Glyph(Char, 0);
      Largest = std::max(Largest, Font->GlyphCacheBytes());
    }
  EXPECT_LE(Largest, TRealizedFont::kGlyphCacheLimit);
  EXPECT_GT(Largest, TRealizedFont::kGlyphCacheLimit / 2);
  EXPECT_EQ(Font->Glyph("亜", 0).Coverage, First);
}

TEST(FontCache, EqualRequestsShareOneFont) {
  EXPECT_EQ(LayoutFont().get(), LayoutFont().get());
  TLogFont Underlined = Request("ＭＳ Ｐゴシック", -12);
  Underlined.Underline = true;
  EXPECT_NE(TRealizedFont::Create(Underlined).get(), LayoutFont().get());
}

TEST(FontEnumeration, ListsInstalledFamiliesSortedAndUnique) {
  std::vector<TEnumFontEntry> Fonts = ListFonts();
  ASSERT_FALSE(Fonts.empty());
  std::set<std::string> Names;
  for (std::size_t I = 0; I < Fonts.size(); ++I) {
    EXPECT_TRUE(cp932::ToUtf8(Fonts[I].FaceName).has_value()) << "not CP932: " << I;
    if (I > 0) {
      EXPECT_LT(cp932::AnsiCompareText(Fonts[I - 1].FaceName, Fonts[I].FaceName), 0);
    }
    Names.insert(Fonts[I].FaceName);
  }
  // The IPA fonts under their Japanese names, and the Windows faces they
  // stand in for; all outline fonts.
  for (const char* Name :
       {"IPA Pゴシック", "IPAゴシック", "ＭＳ Ｐゴシック", "ＭＳ ゴシック", "DejaVu Sans"})
    EXPECT_EQ(Names.count(Name), 1u) << Name;
  for (const TEnumFontEntry& Entry : Fonts)
    if (Entry.FaceName == "IPA Pゴシック" || Entry.FaceName == "ＭＳ Ｐゴシック") {
      EXPECT_EQ(Entry.FontType, TRUETYPE_FONTTYPE);
    }
  // A picked name gets that font back, not a fallback, whatever other
  // fonts the machine has: a Windows face or an IPA name an IPA font, a
  // Latin name the family of that name, and a Japanese name (VL ゴシック,
  // Takao Pゴシック...) its own font, not the IPA gothic every unknown face
  // gets.
  for (const TEnumFontEntry& Entry : Fonts) {
    const std::string Family = TRealizedFont::Create(Request(Entry.FaceName, -12))->FamilyName();
    const bool Latin = std::all_of(Entry.FaceName.begin(), Entry.FaceName.end(),
                                   [](char C) { return static_cast<unsigned char>(C) < 0x80; });
    if (facenames::FindAlias(Entry.FaceName) || Entry.FaceName.find("IPA") != std::string::npos)
      EXPECT_EQ(Family.rfind("IPA", 0), 0u) << Family;
    else if (Latin)
      EXPECT_EQ(Family, Entry.FaceName);
    else
      EXPECT_NE(Family, "IPAGothic") << Entry.FaceName;
  }
}

TEST(FontEnumeration, StopsWhenTheCallbackSaysSo) {
  int Calls = 0;
  EXPECT_FALSE(EnumFonts([&](const TEnumFontEntry&) { return ++Calls < 3; }));
  EXPECT_EQ(Calls, 3);
  std::vector<std::string> Seen;
  EXPECT_TRUE(EnumFonts([&](const TEnumFontEntry& Entry) {
    Seen.push_back(Entry.FaceName);
    return true;
  }));
  EXPECT_EQ(Seen.size(), ListFonts().size());
}

}  // namespace
