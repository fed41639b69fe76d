// Fonts on Windows: faces found and listed by GDI, their bytes read from GDI
// for FreeType, raster fonts read from their files, names code page 932
// cannot hold left out of the list. Runs under Wine with the host's fonts
// (the IPA fonts, DejaVu, the URW fonts in OpenType with PostScript
// outlines) and raster fonts the tests write themselves.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "PixelAssert.h"
#include "PrivateFontFile.h"
#include "platform/fonts/FaceBytes.h"
#include "platform/fonts/FontEnum.h"
#include "platform/fonts/FontFiles.h"
#include "platform/fonts/GdiFonts.h"
#include "platform/fonts/RealizedFont.h"
#include "platform/gdi/Text.h"

namespace {

TLogFont Request(const std::string& Face, int Height = -12, int Charset = SHIFTJIS_CHARSET) {
  TLogFont Font;
  Font.Face = Face;
  Font.Height = Height;
  Font.Charset = Charset;
  return Font;
}

// --- Faces whose bytes GDI gives -------------------------------------------

struct TGdiFaceCase {
  const char* Name;
  const char* Face;    // code page 932
  const char* Family;  // the face's own family name
};

class GdiFaceBytes : public testing::TestWithParam<TGdiFaceCase> {};

// The bytes GetFontData gives are the font file itself, so FreeType draws
// exactly what it draws from the same file on Linux.
TEST_P(GdiFaceBytes, AreTheFontFileItself) {
  const TFontFile File = fontresolver::Resolve(Request(GetParam().Face)).File;
  EXPECT_EQ(File.Family, GetParam().Family);
  ASSERT_EQ(File.Path.rfind("gdi:", 0), 0u) << File.Path;
  facebytes::TFaceBytes FromGdi;
  ASSERT_TRUE(facebytes::Load(File, &FromGdi));
  EXPECT_EQ(FromGdi.Index, 0);

  gdifonts::TGdiRequest ByName;
  ByName.Face = GetParam().Family;
  ByName.Height = -12;
  const std::string Path = gdifonts::FontFileOf(ByName);
  ASSERT_FALSE(Path.empty());
  std::vector<unsigned char> FromFile;
  ASSERT_TRUE(gdifonts::ReadWholeFile(Path, &FromFile)) << Path;
  ASSERT_EQ(FromGdi.Size, FromFile.size()) << Path;
  EXPECT_EQ(std::memcmp(FromGdi.Data.get(), FromFile.data(), FromFile.size()), 0) << Path;
}

INSTANTIATE_TEST_SUITE_P(
    Faces, GdiFaceBytes,
    testing::Values(TGdiFaceCase{"LayoutFace", "ＭＳ Ｐゴシック", "IPAPGothic"},
                    TGdiFaceCase{"IpaMincho", "IPAMincho", "IPAMincho"},
                    TGdiFaceCase{"DejaVu", "DejaVu Sans", "DejaVu Sans"},
                    TGdiFaceCase{"PostScriptOutlines", "Nimbus Sans", "Nimbus Sans"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

// However a face is asked for, its bytes are read and opened once.
TEST(GdiFaces, OneFaceForEveryNameOfIt) {
  const std::string Identity =
      facebytes::IdentityOf(fontresolver::Resolve(Request("ＭＳ Ｐゴシック")).File);
  for (const char* Face : {"IPAPGothic", "IPA Pゴシック", "ipapgothic", "MS PGothic"})
    EXPECT_EQ(facebytes::IdentityOf(fontresolver::Resolve(Request(Face, -15)).File), Identity)
        << Face;
  EXPECT_NE(facebytes::IdentityOf(fontresolver::Resolve(Request("IPAGothic")).File), Identity);

  std::vector<std::shared_ptr<TRealizedFont>> Fonts;
  Fonts.push_back(TRealizedFont::Create(Request("ＭＳ Ｐゴシック", -31)));
  const int Open = fontfiles::OpenFaceCount();
  Fonts.push_back(TRealizedFont::Create(Request("IPAPGothic", -32)));
  Fonts.push_back(TRealizedFont::Create(Request("IPA Pゴシック", -33)));
  EXPECT_EQ(fontfiles::OpenFaceCount(), Open);
  for (const auto& Font : Fonts) EXPECT_FALSE(Font->IsStandIn());
}

// A character the face lacks comes from a Japanese face, as on Linux.
TEST(GdiFaces, MissingCharactersComeFromAJapaneseFace) {
  std::optional<TFontFile> Fallback = fontresolver::FindFallback(Request("DejaVu Sans"), U'検');
  ASSERT_TRUE(Fallback.has_value());
  EXPECT_EQ(Fallback->Family.rfind("IPA", 0), 0u) << Fallback->Family;
  // The font stays DejaVu and takes the kanji, at its width, from IPA.
  auto Font = TRealizedFont::Create(Request("DejaVu Sans", -12));
  auto Japanese = TRealizedFont::Create(Request("ＭＳ Ｐゴシック", -12));
  EXPECT_EQ(Font->FamilyName(), "DejaVu Sans");
  EXPECT_EQ(Font->TextWidth("検"), Japanese->TextWidth("検"));
}

// --- Raster fonts written by the tests -------------------------------------

// A Windows 2.x raster font file (.fnt) of one 8-pixel strike holding the
// characters ' ' to 'B': 'A' and 'B' drawn below, every other character
// blank and 3 pixels wide.
std::string RasterFont(const std::string& FaceName, int Charset) {
  const std::vector<std::string> A = {"..#..", ".#.#.", "#...#", "#...#",
                                      "#####", "#...#", "#...#", "....."};
  const std::vector<std::string> B = {"####.", "#...#", "####.", "#...#",
                                      "#...#", "#...#", "####.", "....."};
  const int First = ' ', Last = 'B', Height = 8;
  const int Count = Last - First + 2;  // and the closing entry
  const std::size_t HeaderSize = 118, TableSize = 4 * Count;
  std::string Bitmaps;
  std::vector<std::pair<int, std::size_t>> Table;  // width, offset
  for (int Code = First; Code <= Last + 1; ++Code) {
    const std::vector<std::string>* Rows = Code == 'A' ? &A : Code == 'B' ? &B : nullptr;
    const int Width = Rows ? 5 : 3;
    Table.push_back({Width, HeaderSize + TableSize + Bitmaps.size()});
    // One byte column (width <= 8), rows top-down, the leftmost pixel in
    // the high bit.
    for (int Y = 0; Y < Height; ++Y) {
      unsigned char Byte = 0;
      for (int X = 0; Rows && X < Width; ++X)
        if ((*Rows)[Y][X] == '#') Byte |= 0x80 >> X;
      Bitmaps += static_cast<char>(Byte);
    }
  }
  const std::size_t FaceOffset = HeaderSize + TableSize + Bitmaps.size();
  const std::size_t FileSize = FaceOffset + FaceName.size() + 1;

  std::string File(HeaderSize, '\0');
  auto Put16 = [&](std::size_t At, unsigned Value) {
    File[At] = static_cast<char>(Value & 0xFF);
    File[At + 1] = static_cast<char>(Value >> 8);
  };
  auto Put32 = [&](std::size_t At, unsigned long Value) {
    Put16(At, Value & 0xFFFF);
    Put16(At + 2, (Value >> 16) & 0xFFFF);
  };
  Put16(0, 0x200);                   // version 2
  Put32(2, FileSize);                // size
  std::memcpy(&File[6], "test", 4);  // copyright
  Put16(66, 0);                      // raster
  Put16(68, 6);                      // points: 8 pixels at 96 dpi
  Put16(70, 96);
  Put16(72, 96);
  Put16(74, 7);  // ascent
  Put16(76, 0);  // internal leading
  Put16(78, 0);  // external leading
  Put16(83, 400);
  File[85] = static_cast<char>(Charset);
  Put16(86, 0);  // variable width
  Put16(88, Height);
  File[90] = 0x21;  // variable pitch, swiss
  Put16(91, 5);     // average width
  Put16(93, 5);     // maximum width
  File[95] = static_cast<char>(First);
  File[96] = static_cast<char>(Last);
  File[97] = 0;                        // default: ' '
  File[98] = 0;                        // break: ' '
  Put16(99, Count);                    // bytes of one row of every glyph
  Put32(105, FaceOffset);              // the face name
  Put32(113, HeaderSize + TableSize);  // the bitmaps
  for (const auto& [Width, Offset] : Table) {
    File.resize(File.size() + 4);
    Put16(File.size() - 4, Width);
    Put16(File.size() - 2, static_cast<unsigned>(Offset));
  }
  File += Bitmaps;
  File += FaceName;
  File += '\0';
  return File;
}

class RasterFonts : public testing::Test {
protected:
  void SetUp() override {
    FFolder = privatefontfile::ScratchFolder();
    ASSERT_FALSE(FFolder.empty());
  }
  void TearDown() override {
    for (const std::string& Path : FAdded) privatefontfile::Remove(Path);
    ReloadFontConfiguration();
  }
  // Installs a raster font for this process; the next enumeration and
  // resolution see it.
  void Install(const std::string& FileName, const std::string& FaceName, int Charset) {
    const std::string Path = FFolder + FileName;
    ASSERT_TRUE(privatefontfile::Write(Path, RasterFont(FaceName, Charset)));
    ASSERT_TRUE(privatefontfile::Add(Path)) << Path;
    FAdded.push_back(Path);
    ReloadFontConfiguration();
  }
  static std::map<std::string, int> Listed() {
    std::map<std::string, int> Kinds;
    for (const TEnumFontEntry& Entry : ListFonts()) Kinds[Entry.FaceName] = Entry.FontType;
    return Kinds;
  }

  std::string FFolder;
  std::vector<std::string> FAdded;
};

TEST_F(RasterFonts, AreListedAsRasterAndGoWhenRemoved) {
  EXPECT_EQ(Listed().count("Scoutlane Raster"), 0u);
  Install("raster.fnt", "Scoutlane Raster", ANSI_CHARSET);
  std::map<std::string, int> Kinds = Listed();
  ASSERT_EQ(Kinds.count("Scoutlane Raster"), 1u);
  EXPECT_EQ(Kinds["Scoutlane Raster"], RASTER_FONTTYPE);
  // The outline fonts beside it: TrueType, and OpenType with PostScript
  // outlines (which GDI reports as a device font) counted as TrueType too.
  EXPECT_EQ(Kinds["DejaVu Sans"], TRUETYPE_FONTTYPE);
  EXPECT_EQ(Kinds["Nimbus Sans"], TRUETYPE_FONTTYPE);
  EXPECT_EQ(Kinds["IPA Pゴシック"], TRUETYPE_FONTTYPE);
  EXPECT_EQ(Kinds["ＭＳ Ｐゴシック"], TRUETYPE_FONTTYPE);
  for (const auto& [Name, Kind] : Kinds) EXPECT_NE(Name[0], '@') << Name;

  privatefontfile::Remove(FAdded.back());
  FAdded.pop_back();
  ReloadFontConfiguration();
  EXPECT_EQ(Listed().count("Scoutlane Raster"), 0u);
}

TEST_F(RasterFonts, DrawTheirOwnBitmapsFromTheirFile) {
  Install("raster.fnt", "Scoutlane Raster", ANSI_CHARSET);
  auto Font = TRealizedFont::Create(Request("Scoutlane Raster", -8, DEFAULT_CHARSET));
  EXPECT_FALSE(Font->IsStandIn());
  EXPECT_EQ(Font->FamilyName(), "Scoutlane Raster");
  EXPECT_EQ(Font->TextMetric().tmHeight, 8);
  EXPECT_EQ(Font->TextMetric().tmAscent, 7);
  EXPECT_EQ(Font->TextWidth("AB"), 10);

  TSurface Surface(14, 10, ColorToPixel(RGB(255, 255, 255)));
  TDeviceContext DC(Surface);
  DC.SetFont(Request("Scoutlane Raster", -8, DEFAULT_CHARSET));
  DC.SetBkMode(TRANSPARENT);
  DC.SetTextColor(RGB(0, 0, 0));
  TextOut(DC, 1, 1, "AB");
  ExpectPixels(Surface, TPoint{0, 0},
               {
                   "..............",
                   "...#..####....",
                   "..#.#.#...#...",
                   ".#...#####....",
                   ".#...##...#...",
                   ".######...#...",
                   ".#...##...#...",
                   ".#...#####....",
                   "..............",
                   "..............",
               },
               {{'#', RGB(0, 0, 0)}, {'.', RGB(255, 255, 255)}});
}

// A family whose name code page 932 cannot hold ("é" is no character of
// it) is left out of the list, while GDI has it.
TEST_F(RasterFonts, NamesCodePage932CannotHoldAreLeftOut) {
  Install("cafe.fnt", "Scoutlane Caf\xE9", ANSI_CHARSET);
  bool GdiHasIt = false;
  for (const gdifonts::TGdiFamily& Family : gdifonts::EnumFamilies())
    GdiHasIt = GdiHasIt || Family.Face == u8"Scoutlane Café";
  ASSERT_TRUE(GdiHasIt);
  for (const auto& [Name, Kind] : Listed())
    EXPECT_EQ(Name.rfind("Scoutlane Caf", 0), std::string::npos) << Name;
}

}  // namespace
