// The font-name picker on fonts the test controls: a fontconfig
// configuration of its own with bitmap fonts written here (BDF is text), the
// IPA outline fonts, and scan rules that rename installed fonts. Through
// them the enumeration reports every kind, a symbol font named "Wingdings",
// a name code page 932 cannot hold and a font whose file is damaged after
// it was found. The popup's rows are checked pixel for pixel.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "controls/picker/Dxffontnamecombobox.h"
#include "controls/picker/Dxfpopup.h"
#include "controls/picker/Dxfres.h"
#include "framework/HeadlessFixture.h"
#include "platform/PixelAssert.h"
#include "platform/fonts/FontEnum.h"
#include "platform/fonts/PrivateFonts.h"
#include "platform/fonts/RealizedFont.h"

namespace {

namespace fs = std::filesystem;

using privatefonts::kGlyph;
using privatefonts::WriteBdf;

// The configuration: its own bitmap fonts and cache, the IPA fonts, and
// the renames. IPAMincho becomes the symbol font "Wingdings"; IPAPMincho
// becomes "Device Mincho", scalable but said to have no outlines (neither
// TrueType nor bitmap: a device font); one bitmap font gets a name with a
// snowman, which code page 932 has no code for.
void WriteConfig(const fs::path& Dir) {
  privatefonts::WriteConfig(
      Dir,
      {(Dir / "fonts").string(), "/usr/share/fonts/opentype/ipafont-gothic",
       "/usr/share/fonts/opentype/ipafont-mincho"},
      "  <match target=\"scan\">\n"
      "    <test name=\"family\"><string>IPAMincho</string></test>\n"
      "    <edit name=\"family\" mode=\"assign_replace\"><string>Wingdings</string></edit>\n"
      "  </match>\n"
      "  <match target=\"scan\">\n"
      "    <test name=\"family\"><string>IPAPMincho</string></test>\n"
      "    <edit name=\"family\" mode=\"assign_replace\"><string>Device Mincho</string></edit>\n"
      "    <edit name=\"outline\" mode=\"assign\"><bool>false</bool></edit>\n"
      "  </match>\n"
      "  <match target=\"scan\">\n"
      "    <test name=\"family\"><string>Snow Bitmap</string></test>\n"
      "    <edit name=\"family\" mode=\"assign_replace\"><string>Snow &#x2603;</string></edit>\n"
      "  </match>\n");
}

// A bitmap font like the others whose every glyph is empty: it opens, and
// draws nothing.
void WriteBlankBdf(const fs::path& Path, const std::string& Family) {
  WriteBdf(Path, Family);
  std::ifstream In(Path);
  std::string Text, Line;
  while (std::getline(In, Line)) Text += (Line == "F8" || Line == "88" ? "00" : Line) + "\n";
  In.close();
  std::ofstream(Path, std::ios::trunc) << Text;
}

class DxffontnamePrivateFonts : public THeadlessFixture {
protected:
  static void SetUpTestSuite() {
    Dir = fs::path(::testing::TempDir()) / ("fontkinds-" + std::to_string(getpid()));
    fs::create_directories(Dir / "fonts");
    WriteBdf(Dir / "fonts" / "scout.bdf", "Scout Bitmap");
    WriteBdf(Dir / "fonts" / "broken.bdf", "Broken Bitmap");
    WriteBdf(Dir / "fonts" / "snow.bdf", "Snow Bitmap");
    WriteBlankBdf(Dir / "fonts" / "blank.bdf", "Blank Bitmap");
    WriteConfig(Dir);
    OldConfig = privatefonts::Use(Dir / "fonts.conf");
    Fonts = ListFonts();
    // Damaged after it was found: the list still names it, but it cannot
    // be read any more.
    std::ofstream(Dir / "fonts" / "broken.bdf", std::ios::trunc) << "STARTFONT 2.1\nSIZE";
  }
  static void TearDownTestSuite() {
    privatefonts::Restore(OldConfig);
    std::error_code Ignored;
    fs::remove_all(Dir, Ignored);
  }

  // A picker on a form, its popup as tall as the list.
  TdxfFontNameComboBox* Place(bool Preview) {
    auto* Form = MakeForm<TForm>();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(20, 20, 320, 60);
    auto* Box = new TdxfFontNameComboBox(Form);
    Box->SetParent(Form);
    Box->SetBounds(10, 10, 220, 20);
    Box->SetPopupWidth(300);
    Box->SetPopupHeight(400);
    Box->SetPreviewFont(Preview);
    Form->Show();
    Pump();
    return Box;
  }
  TPopupWindow* Drop(TdxfFontNameComboBox* Box) {
    Box->DropDown();
    Pump();
    return Box->Popup();
  }
  // A row of the popup's client area as a surface of its own.
  TSurface RowPixels(TdxfFontNameComboBox* Box, int Row) {
    TPopupWindow* Popup = Box->Popup();
    const TRect R = Popup->ItemRect(Row);
    const TPoint Origin = Popup->ClientOrigin();
    TRect Window;
    GetWindowRect(Popup->Handle(), Window);
    const TSurface* S = System.BackBufferOf(Popup->Handle());
    TSurface Out(R.Width(), R.Height());
    for (int Y = 0; Y < R.Height(); ++Y)
      for (int X = 0; X < R.Width(); ++X)
        Out.Row(Y)[X] =
            S->Row(Origin.Y - Window.Top + R.Top + Y)[Origin.X - Window.Left + X] & 0xFFFFFF;
    return Out;
  }
  static int RowOf(TdxfFontNameComboBox* Box, const std::string& Name) {
    return Box->Items()->IndexOf(Name);
  }
  // Whether two areas hold the same pixels; names the first that differs.
  static ::testing::AssertionResult SameArea(const TSurface& A, int AX, int AY, const TSurface& B,
                                             int BX, int BY, int W, int H) {
    for (int Y = 0; Y < H; ++Y)
      for (int X = 0; X < W; ++X)
        if ((A.Row(AY + Y)[AX + X] & 0xFFFFFF) != (B.Row(BY + Y)[BX + X] & 0xFFFFFF))
          return ::testing::AssertionFailure()
                 << "(" << X << "," << Y << ") of the area: " << std::hex
                 << (A.Row(AY + Y)[AX + X] & 0xFFFFFF) << " and "
                 << (B.Row(BY + Y)[BX + X] & 0xFFFFFF);
    return ::testing::AssertionSuccess();
  }

  static inline fs::path Dir;
  static inline std::string OldConfig;
  static inline std::vector<TEnumFontEntry> Fonts;
};

TEST_F(DxffontnamePrivateFonts,
       OutlinesAreTrueTypeBitmapsRasterTheRestDeviceAndUnshowableNamesLeftOut) {
  std::vector<std::string> Seen;
  for (const TEnumFontEntry& Font : Fonts)
    Seen.push_back(Font.FaceName + ":" + std::to_string(Font.FontType));
  // The IPA fonts by their Japanese names, with the Windows faces that
  // stand for them; no "Snow" font and no IPA Mincho under its own name.
  EXPECT_EQ(Seen,
            (std::vector<std::string>{"Blank Bitmap:1", "Broken Bitmap:1", "Device Mincho:2",
                                      "IPA Pゴシック:4", "IPAゴシック:4", "Scout Bitmap:1",
                                      "Wingdings:4", "ＭＳ Ｐゴシック:4", "ＭＳ ゴシック:4"}));
}

struct TTypesCase {
  TdxfFontTypes Types;
  std::vector<std::string> Expected;
};
class DxffontnamePrivateFontTypes : public DxffontnamePrivateFonts,
                                    public ::testing::WithParamInterface<TTypesCase> {};

TEST_P(DxffontnamePrivateFontTypes, ThePickerListsTheKindsWithTheirMarks) {
  TdxfFontNameComboBox Box(nullptr);
  Box.SetFontTypes(GetParam().Types);
  std::vector<std::string> Listed;
  for (int I = 0; I < Box.Items()->Count(); ++I)
    Listed.push_back(Box.Items()->Get(I) + ":" + std::to_string(Box.GetImageIndex(I)));
  EXPECT_EQ(Listed, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Types, DxffontnamePrivateFontTypes,
    ::testing::Values(TTypesCase{FontTypeBit(ftTrueType),
                                 {"IPA Pゴシック:0", "IPAゴシック:0", "Wingdings:0",
                                  "ＭＳ Ｐゴシック:0", "ＭＳ ゴシック:0"}},
                      TTypesCase{FontTypeBit(ftRaster),
                                 {"Blank Bitmap:1", "Broken Bitmap:1", "Scout Bitmap:1"}},
                      TTypesCase{FontTypeBit(ftDevice), {"Device Mincho:1"}}));

// The row of "Scout Bitmap" with the name in its own face: the frames of
// the bitmap font, in the list's text colour on the picker's colour, from
// 3 pixels after the 13-pixel mark, centred in the 15-pixel row (the
// 13-pixel marks and 1 above and below; text height 8: top at 3).
TEST_F(DxffontnamePrivateFonts, APreviewRowShowsTheNameInItsOwnFace) {
  TdxfFontNameComboBox* Box = Place(true);
  ASSERT_NE(Drop(Box), nullptr);
  const int Row = RowOf(Box, "Scout Bitmap");
  ASSERT_GE(Row, 0);
  const TSurface Pixels = RowPixels(Box, Row);
  ASSERT_EQ(ImageList()->Width(), 13);
  ASSERT_EQ(Pixels.Height(), 15);
  const std::string Name = "Scout Bitmap";
  std::vector<std::string> Mask;
  for (int Y = 1; Y < 12; ++Y) {
    std::string Line = "..";  // columns 14 and 15
    for (char C : Name)
      for (int X = 0; X < 6; ++X)
        Line += (C != ' ' && X < 5 && Y >= 3 && Y < 10 && kGlyph[Y - 3][X] == '#') ? '#' : '.';
    Line += "..";
    Mask.push_back(Line);
  }
  ExpectPixels(Pixels, TPoint{14, 1}, Mask, {{'#', clWindowText}, {'.', clWindow}});
}

TEST_F(DxffontnamePrivateFonts, WithoutPreviewEveryRowUsesThePopupsFont) {
  TdxfFontNameComboBox* Plain = Place(false);
  ASSERT_NE(Drop(Plain), nullptr);
  const TSurface Without = RowPixels(Plain, RowOf(Plain, "Scout Bitmap"));
  Plain->CloseUp();
  Pump();
  TdxfFontNameComboBox* Preview = Place(true);
  ASSERT_NE(Drop(Preview), nullptr);
  const TSurface With = RowPixels(Preview, RowOf(Preview, "Scout Bitmap"));
  // The popup's font is taller than the 8-pixel bitmap face: the rows differ.
  EXPECT_FALSE(SameArea(Without, 0, 0, With, 0, 0, With.Width(), With.Height()));
}

// A font that was listed but whose file cannot be read any more, and one
// that opens but draws nothing: the row is the row the popup draws without
// preview, the name in the popup's font.
class DxffontnameUnusableFace : public DxffontnamePrivateFonts,
                                public testing::WithParamInterface<const char*> {};

TEST_P(DxffontnameUnusableFace, ShowsItsNameInThePopupsFont) {
  TdxfFontNameComboBox* Plain = Place(false);
  ASSERT_NE(Drop(Plain), nullptr);
  const int Row = RowOf(Plain, GetParam());
  ASSERT_GE(Row, 0);
  const TSurface Without = RowPixels(Plain, Row);
  Plain->CloseUp();
  Pump();
  TdxfFontNameComboBox* Preview = Place(true);
  ASSERT_NE(Drop(Preview), nullptr);
  const TSurface With = RowPixels(Preview, Row);
  EXPECT_TRUE(SameArea(Without, 0, 0, With, 0, 0, With.Width(), With.Height()));
}

INSTANTIATE_TEST_SUITE_P(Faces, DxffontnameUnusableFace,
                         testing::Values("Broken Bitmap", "Blank Bitmap"),
                         [](const auto& Info) { return std::string(Info.param, 5); });

TEST_F(DxffontnamePrivateFonts, OnlyAFaceThatCannotBeReadIsAStandIn) {
  TLogFont Broken;
  Broken.Face = "Broken Bitmap";
  Broken.Height = -12;
  EXPECT_TRUE(TRealizedFont::Create(Broken)->IsStandIn());
  Broken.Face = "Scout Bitmap";
  EXPECT_FALSE(TRealizedFont::Create(Broken)->IsStandIn());
}

// "Wingdings": the name in the popup's font, a pixel higher than a plain
// row puts it (the row's middle less 2, halved), then 7 pixels of the row's
// colour, then the sample in the symbol font.
TEST_F(DxffontnamePrivateFonts, ASymbolFontRowShowsTheNameThenASampleInTheSymbolFont) {
  TdxfFontNameComboBox* Plain = Place(false);
  ASSERT_NE(Drop(Plain), nullptr);
  const int Row = RowOf(Plain, "Wingdings");
  ASSERT_GE(Row, 0);
  const TSurface Without = RowPixels(Plain, Row);
  TBitmap Probe(1, 1);
  Probe.Canvas()->SetFont(Plain->Popup()->Font());
  const int NameWidth = Probe.Canvas()->TextWidth("Wingdings");
  Plain->CloseUp();
  Pump();

  TdxfFontNameComboBox* Preview = Place(true);
  ASSERT_NE(Drop(Preview), nullptr);
  const TSurface With = RowPixels(Preview, Row);
  const int NameEnd = ImageList()->Width() + 3 + NameWidth;
  const int H = With.Height();
  EXPECT_TRUE(SameArea(Without, 0, 1, With, 0, 0, NameEnd, H - 1));
  const int SampleX = ImageList()->Width() + 10 + NameWidth;
  std::vector<std::string> Gap(H, std::string(SampleX - NameEnd, '.'));
  ExpectPixels(With, TPoint{NameEnd, 0}, Gap, {{'.', clWindow}});
  int Ink = 0;
  for (int Y = 0; Y < H; ++Y)
    for (int X = SampleX; X < With.Width(); ++X) Ink += (With.Row(Y)[X] & 0xFFFFFF) != 0xFFFFFF;
  EXPECT_GT(Ink, 30) << "the sample is drawn";
}

// As the last recently-used row, the symbol row ends in the double line:
// black at its last row and two rows above, the picker's colour between.
TEST_F(DxffontnamePrivateFonts, ASymbolFontRowLastInTheRecentSectionEndsInTheDoubleLine) {
  TdxfFontNameComboBox* Box = Place(true);
  Box->SetMRUListCount(1);
  Box->InsertInMRUList(RowOf(Box, "Wingdings"));
  ASSERT_NE(Drop(Box), nullptr);
  ASSERT_EQ(Box->PopupRowToItem(0), RowOf(Box, "Wingdings"));
  const TSurface Pixels = RowPixels(Box, 0);
  ASSERT_EQ(Pixels.Height(), 18);
  const std::string Line(Pixels.Width(), '#'), Between(Pixels.Width(), '.');
  ExpectPixels(Pixels, TPoint{0, 15}, {Line, Between, Line}, {{'#', clBlack}, {'.', Box->Color()}});
}

}  // namespace
