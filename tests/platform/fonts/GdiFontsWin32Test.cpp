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

#include "PrivateFontFile.h"
#include "platform/PixelAssert.h"
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
  // Pages of the file itself, not a copy of it in the process.
  EXPECT_TRUE(gdifonts::IsInMappedFile(FromGdi.Data.get()));
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

// GDI weighs the character set above the name; a face the system has is
// still the one asked for, and one it lacks is replaced by a face that shows
// Japanese unless another character set is asked for, as on a Japanese
// Windows.
struct TResolutionCase {
  const char* Name;
  const char* Face;
  int Charset;
  const char* FamilyStart;
};

class GdiResolution : public testing::TestWithParam<TResolutionCase> {};

TEST_P(GdiResolution, LeadsToTheFamily) {
  const TFontFile File =
      fontresolver::Resolve(Request(GetParam().Face, -12, GetParam().Charset)).File;
  EXPECT_EQ(File.Family.rfind(GetParam().FamilyStart, 0), 0u) << File.Family;
}

INSTANTIATE_TEST_SUITE_P(
    Faces, GdiResolution,
    testing::Values(
        TResolutionCase{"LatinFaceAskedInShiftJis", "DejaVu Serif", SHIFTJIS_CHARSET,
                        "DejaVu Serif"},
        TResolutionCase{"JapaneseName", "IPA明朝", SHIFTJIS_CHARSET, "IPAMincho"},
        TResolutionCase{"MinchoAlias", "ＭＳ 明朝", DEFAULT_CHARSET, "IPAMincho"},
        TResolutionCase{"GothicAlias", "ＭＳ ゴシック", ANSI_CHARSET, "IPAGothic"},
        // An unknown face with Japanese text is the IPA gothic, as on Linux,
        // whatever other Japanese fonts Wine finds.
        TResolutionCase{"UnknownFaceDefaultSet", "No Such Face", DEFAULT_CHARSET, "IPAGothic"},
        TResolutionCase{"UnknownFaceShiftJis", "No Such Face", SHIFTJIS_CHARSET, "IPAGothic"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

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

// --- A collection written by the test ------------------------------------

std::uint32_t Read32(const std::string& B, std::size_t At) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(B[At])) << 24 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(B[At + 1])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(B[At + 2])) << 8 |
         static_cast<unsigned char>(B[At + 3]);
}

void Write32(std::string& B, std::size_t At, std::uint32_t Value) {
  for (int I = 0; I < 4; ++I) B[At + I] = static_cast<char>(Value >> (24 - 8 * I));
}

std::string FileOfFamily(const std::string& Family) {
  gdifonts::TGdiRequest Request;
  Request.Face = Family;
  Request.Height = -12;
  std::vector<unsigned char> Bytes;
  if (!gdifonts::ReadWholeFile(gdifonts::FontFileOf(Request), &Bytes)) return {};
  return std::string(Bytes.begin(), Bytes.end());
}

// A font file whose names say "Scoutl" where they said "DejaVu" (same
// length, so nothing moves), so it does not clash with the installed one.
std::string Renamed(std::string Font) {
  const std::size_t Tables =
      static_cast<unsigned char>(Font[4]) << 8 | static_cast<unsigned char>(Font[5]);
  for (std::size_t I = 0; I < Tables; ++I) {
    const std::size_t Record = 12 + 16 * I;
    if (Font.compare(Record, 4, "name") != 0) continue;
    const std::size_t Start = Read32(Font, Record + 8), End = Start + Read32(Font, Record + 12);
    for (const auto& [From, To] : std::vector<std::pair<std::string, std::string>>{
             {"DejaVu", "Scoutl"},
             {std::string("\0D\0e\0j\0a\0V\0u", 12), std::string("\0S\0c\0o\0u\0t\0l", 12)}})
      for (std::size_t At = Font.find(From, Start); At != std::string::npos && At < End;
           At = Font.find(From, At + 1))
        Font.replace(At, To.size(), To);
  }
  return Font;
}

// A TrueType collection of Members: their table directories one after the
// other, each pointing at its own copies of its tables.
std::string Collection(const std::vector<std::string>& Members) {
  std::string File = "ttcf";
  File.resize(12 + 4 * Members.size());
  Write32(File, 4, 0x00010000);
  Write32(File, 8, static_cast<std::uint32_t>(Members.size()));
  std::vector<std::size_t> Directories;
  for (std::size_t M = 0; M < Members.size(); ++M) {
    const std::string& Font = Members[M];
    const std::size_t Tables =
        static_cast<unsigned char>(Font[4]) << 8 | static_cast<unsigned char>(Font[5]);
    Write32(File, 12 + 4 * M, static_cast<std::uint32_t>(File.size()));
    Directories.push_back(File.size());
    File += Font.substr(0, 12 + 16 * Tables);
  }
  for (std::size_t M = 0; M < Members.size(); ++M) {
    const std::string& Font = Members[M];
    const std::size_t Tables =
        static_cast<unsigned char>(Font[4]) << 8 | static_cast<unsigned char>(Font[5]);
    for (std::size_t I = 0; I < Tables; ++I) {
      const std::size_t Record = 12 + 16 * I;
      while (File.size() % 4) File += '\0';
      Write32(File, Directories[M] + Record + 8, static_cast<std::uint32_t>(File.size()));
      File += Font.substr(Read32(Font, Record + 8), Read32(Font, Record + 12));
    }
  }
  return File;
}

std::vector<std::vector<std::uint8_t>> CoverageOf(TRealizedFont& Font, const std::string& Text) {
  std::vector<std::vector<std::uint8_t>> Glyphs;
  for (std::size_t Pos = 0, Length = 0; Pos < Text.size(); Pos += Length)
    Glyphs.push_back(Font.Glyph(Text, Pos, &Length).Coverage);
  return Glyphs;
}

// A face inside a collection: GDI gives the whole collection, and the
// member is found in it, so the second face draws as its own file does.
TEST(GdiCollections, MemberIsFoundInTheWholeCollection) {
  const std::string Sans = FileOfFamily("DejaVu Sans"), Serif = FileOfFamily("DejaVu Serif");
  ASSERT_FALSE(Sans.empty());
  ASSERT_FALSE(Serif.empty());
  const std::string Folder = privatefontfile::ScratchFolder();
  const std::string Path = Folder + "scoutl.ttc";
  const std::string Ttc = Collection({Renamed(Sans), Renamed(Serif)});
  ASSERT_TRUE(privatefontfile::Write(Path, Ttc));
  ASSERT_TRUE(privatefontfile::Add(Path));
  ReloadFontConfiguration();

  const TFontFile File = fontresolver::Resolve(Request("Scoutl Serif")).File;
  EXPECT_EQ(File.Family, "Scoutl Serif");
  facebytes::TFaceBytes Bytes;
  ASSERT_TRUE(facebytes::Load(File, &Bytes));
  EXPECT_EQ(Bytes.Index, 1);
  EXPECT_EQ(Bytes.Size, Ttc.size());
  EXPECT_TRUE(gdifonts::IsInMappedFile(Bytes.Data.get()));

  auto Member = TRealizedFont::Create(Request("Scoutl Serif", -17));
  auto Original = TRealizedFont::Create(Request("DejaVu Serif", -17));
  EXPECT_FALSE(Member->IsStandIn());
  EXPECT_EQ(Member->FamilyName(), "Scoutl Serif");
  EXPECT_TRUE(CoverageOf(*Member, "Wg&@") == CoverageOf(*Original, "Wg&@"));

  privatefontfile::Remove(Path);
  ReloadFontConfiguration();
}

// A face with no file of its own (a font added from memory) still has its
// bytes, copied from GDI.
TEST(GdiFaceBytesWithoutFile, AreCopiedFromGdi) {
  const std::string Font = Renamed(FileOfFamily("DejaVu Sans"));
  ASSERT_FALSE(Font.empty());
  void* Added = privatefontfile::AddFromMemory(Font);
  ASSERT_NE(Added, nullptr);
  gdifonts::TGdiRequest ByName;
  ByName.Face = "Scoutl Sans";
  ByName.Height = -12;
  TFontFile File;
  File.Path = gdifonts::EncodeFaceLocator("Scoutl Sans", ByName);
  facebytes::TFaceBytes Bytes;
  ASSERT_TRUE(facebytes::Load(File, &Bytes));
  ASSERT_EQ(Bytes.Size, Font.size());
  EXPECT_EQ(std::memcmp(Bytes.Data.get(), Font.data(), Font.size()), 0);
  EXPECT_FALSE(gdifonts::IsInMappedFile(Bytes.Data.get()));
  privatefontfile::RemoveFromMemory(Added);
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

// Faces read from GDI or from files follow the store's rules: shared while
// fonts use them, and of those nobody uses only the sixteen most recently
// let go stay open.
TEST_F(RasterFonts, FacesNobodyUsesAreClosedBeyondSixteen) {
  constexpr int kFonts = 24, kIdleFaces = 16;
  for (int I = 0; I < kFonts; ++I)
    Install("idle" + std::to_string(I) + ".fnt", "Scoutlane Idle " + std::to_string(I),
            ANSI_CHARSET);
  auto First = TRealizedFont::Create(Request("Scoutlane Idle 0", -8, DEFAULT_CHARSET));
  const int Open = fontfiles::OpenFaceCount();
  auto Again = TRealizedFont::Create(Request("Scoutlane Idle 0", -8, DEFAULT_CHARSET));
  Again->TextWidth("AB");
  EXPECT_EQ(fontfiles::OpenFaceCount(), Open) << "one face for both fonts";
  First.reset();
  Again.reset();
  for (int I = 0; I < kFonts; ++I) {
    auto Font =
        TRealizedFont::Create(Request("Scoutlane Idle " + std::to_string(I), -8, DEFAULT_CHARSET));
    EXPECT_FALSE(Font->IsStandIn()) << I;
    EXPECT_EQ(Font->TextWidth("AB"), 10) << I;
    Font.reset();
    TRealizedFont::ForgetRecentFonts();
  }
  EXPECT_LE(fontfiles::OpenFaceCount(), kIdleFaces);
  EXPECT_GE(fontfiles::OpenFaceCount(), kIdleFaces) << "the recently let go stay open";
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
