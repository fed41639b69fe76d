// The font-name picker's list with a stand-in font enumeration: which kinds
// are listed with which mark, the order, rebuilds when FontTypes changes and
// only then, the selection by name, bad names, and the layout text.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "controls/picker/Dxffontnamecombobox.h"
#include "controls/picker/Dxfpopup.h"
#include "controls/picker/Dxfres.h"
#include "framework/HeadlessFixture.h"
#include "framework/streaming/StreamingReader.h"
#include "framework/streaming/StreamingRegistry.h"
#include "framework/streaming/StreamingWriter.h"

namespace {

class TFontHost : public TWinControl {
public:
  explicit TFontHost(TComponent* AOwner) : TWinControl(AOwner) {}
  ~TFontHost() override { DestroyComponents(); }
  static const TPropList& PublishedProperties() { return TWinControl::PublishedProperties(); }
};

// Faces of every kind the enumeration can report, and some it should not:
// 0 is a vector font, 3 and 6 are combinations of kinds.
const std::vector<TEnumFontEntry> kFaces = {
    {"zeta Sans", TRUETYPE_FONTTYPE},
    {"Alpha Raster", RASTER_FONTTYPE},
    {"beta Device", DEVICE_FONTTYPE},
    {"Modern", 0},
    {"Mixed", 3},
    {"Gamma", TRUETYPE_FONTTYPE},
    {"alpha raster", RASTER_FONTTYPE},
    {"Wingdings", TRUETYPE_FONTTYPE},
    {"Odd", 6},
    {"ＭＳ Ｐゴシック", TRUETYPE_FONTTYPE},
};

class DxffontnameModel : public THeadlessFixture {
protected:
  DxffontnameModel() {
    Previous = SetFontEnumerator([this](const std::function<bool(const TEnumFontEntry&)>& Report) {
      ++Enumerations;
      bool Going = true;
      for (const TEnumFontEntry& Face : Faces)
        if (!(Going = Report(Face))) break;
      return Going;
    });
  }
  ~DxffontnameModel() override { SetFontEnumerator(std::move(Previous)); }

  static void SetUpTestSuite() { RegisterClass<TFontHost>("TFontHost"); }

  // The items as "name:image" entries.
  static std::vector<std::string> Listed(const TdxfFontNameComboBox& Box) {
    std::vector<std::string> Names;
    for (int I = 0; I < Box.Items()->Count(); ++I)
      Names.push_back(Box.Items()->Get(I) + ":" + std::to_string(Box.GetImageIndex(I)));
    return Names;
  }

  std::vector<TEnumFontEntry> Faces = kFaces;
  int Enumerations = 0;
  TFontEnumerator Previous;
};

struct TKindsCase {
  TdxfFontTypes Types;
  std::vector<std::string> Expected;
};

class DxffontnameKinds : public DxffontnameModel,
                         public ::testing::WithParamInterface<TKindsCase> {};

TEST_P(DxffontnameKinds, ListsTheChosenKindsSortedWithTheirMarks) {
  TdxfFontNameComboBox Box(nullptr);
  Box.SetFontTypes(GetParam().Types);
  EXPECT_EQ(Listed(Box), GetParam().Expected);
}

constexpr TdxfFontTypes TT = FontTypeBit(ftTrueType);
constexpr TdxfFontTypes RA = FontTypeBit(ftRaster);
constexpr TdxfFontTypes DE = FontTypeBit(ftDevice);

INSTANTIATE_TEST_SUITE_P(
    Kinds, DxffontnameKinds,
    ::testing::Values(
        // Sorted ignoring case; the two spellings of one raster name both stay.
        TKindsCase{kAllFontTypes,
                   {"Alpha Raster:1", "alpha raster:1", "beta Device:1", "Gamma:0", "Wingdings:0",
                    "zeta Sans:0", "ＭＳ Ｐゴシック:0"}},
        TKindsCase{TT, {"Gamma:0", "Wingdings:0", "zeta Sans:0", "ＭＳ Ｐゴシック:0"}},
        TKindsCase{RA, {"Alpha Raster:1", "alpha raster:1"}}, TKindsCase{DE, {"beta Device:1"}},
        TKindsCase{RA | DE, {"Alpha Raster:1", "alpha raster:1", "beta Device:1"}},
        TKindsCase{0, {}}));

TEST_F(DxffontnameModel, StartsWithEveryKindTheMarksAndCompletion) {
  TdxfFontNameComboBox Box(nullptr);
  EXPECT_EQ(Box.FontTypes(), kAllFontTypes);
  EXPECT_TRUE(Box.AutoSearch());
  EXPECT_TRUE(Box.ShowImage());
  EXPECT_FALSE(Box.PreviewFont());
  EXPECT_EQ(Box.Style(), dcsDropDown);
  EXPECT_EQ(Box.Images(), ImageList());
  EXPECT_TRUE(static_cast<bool>(Box.OnDrawItem));
  EXPECT_EQ(Box.Items()->Count(), 7);
  EXPECT_EQ(Enumerations, 1);
}

TEST_F(DxffontnameModel, TheSameFontTypesDoNotRebuild) {
  TdxfFontNameComboBox Box(nullptr);
  Box.SetFontTypes(kAllFontTypes);
  EXPECT_EQ(Enumerations, 1);
  // Bits beyond the three kinds mean nothing and change nothing.
  Box.SetFontTypes(kAllFontTypes | 0x80);
  EXPECT_EQ(Enumerations, 1);
  Box.SetFontTypes(TT);
  EXPECT_EQ(Enumerations, 2);
  Box.SetFontTypes(TT);
  EXPECT_EQ(Enumerations, 2);
}

TEST_F(DxffontnameModel, ARebuildFindsNewFontsEmptiesTheRecentListAndKeepsTheChosenFace) {
  TdxfFontNameComboBox Box(nullptr);
  Box.SetFontTypes(TT);
  Box.SetMRUListCount(3);
  Box.InsertInMRUList(1);
  Box.SetItemIndex(1);
  ASSERT_EQ(Box.GetFontName(), "Wingdings");
  Faces.push_back({"Aardvark", TRUETYPE_FONTTYPE});
  Box.SetFontTypes(TT | RA);
  EXPECT_EQ(Box.MRUList()->Count(), 0);
  EXPECT_EQ(Box.Items()->Get(0), "Aardvark");
  // Still listed, the chosen face stays chosen at its new row.
  EXPECT_EQ(Box.GetFontName(), "Wingdings");
  EXPECT_EQ(Box.ItemIndex(), Box.Items()->IndexOf("Wingdings"));
  // Gone from the list, the selection keeps its position...
  Box.SetItemIndex(1);
  ASSERT_EQ(Box.GetFontName(), "Alpha Raster");
  Box.SetFontTypes(TT);
  EXPECT_EQ(Box.ItemIndex(), 1);
  EXPECT_EQ(Box.GetFontName(), "Gamma");
  // ...and is cleared when that position is beyond the new list.
  Box.SetItemIndex(4);
  Box.SetFontTypes(DE);
  EXPECT_EQ(Box.ItemIndex(), -1);
  EXPECT_EQ(Box.GetFontName(), "");
}

TEST_F(DxffontnameModel, AnEmptySetGivesAnEmptyListAndThePopupStillOpensAndCloses) {
  auto* Form = MakeForm<TForm>();
  Form->SetBounds(50, 50, 300, 80);
  auto* Box = new TdxfFontNameComboBox(Form);
  Box->SetParent(Form);
  Box->SetBounds(10, 10, 200, 20);
  Box->SetPreviewFont(true);
  Form->Show();
  Pump();
  Box->SetFontTypes(0);
  EXPECT_EQ(Box->Items()->Count(), 0);
  // A press on the drop button opens the list, Escape closes it.
  ClickAt(Box, Box->Width() - 8, 10);
  ASSERT_NE(Box->Popup(), nullptr);
  EXPECT_TRUE(Box->DroppedDown());
  EXPECT_EQ(Box->Popup()->Count(), 0);
  Key(VK_ESCAPE);
  EXPECT_FALSE(Box->DroppedDown());
  Box->SetFontTypes(kAllFontTypes);
  EXPECT_EQ(Box->Items()->Count(), 7);
}

struct TNameCase {
  const char* Name;
  std::string Set;
  int ItemIndex;
  std::string Shown;
};

class DxffontnameNames : public DxffontnameModel,
                         public ::testing::WithParamInterface<TNameCase> {};

TEST_P(DxffontnameNames, FontNameSelectsIgnoringCaseOrShowsTheText) {
  TdxfFontNameComboBox Box(nullptr);
  Box.SetFontName(GetParam().Set);
  EXPECT_EQ(Box.ItemIndex(), GetParam().ItemIndex);
  EXPECT_EQ(Box.GetFontName(), GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Names, DxffontnameNames,
    ::testing::Values(
        TNameCase{"Listed", "Gamma", 3, "Gamma"},
        TNameCase{"OtherCase", "WINGDINGS", 4, "Wingdings"},
        TNameCase{"FullWidthCase", "ｍｓ ｐゴシック", 6, "ＭＳ Ｐゴシック"},
        TNameCase{"NotListed", "Helvetica", -1, "Helvetica"}, TNameCase{"Empty", "", -1, ""},
        TNameCase{"ThreeHundredBytes", std::string(300, 'x'), -1, std::string(300, 'x')},
        // "ゴ" is 0x83 0x53: its lead byte alone at the end is left out.
        TNameCase{"CutOffDoubleByte", std::string("Gamma\x83", 6), 3, "Gamma"},
        TNameCase{"CutOffAfterADoubleByte", std::string("\x83\x53\x83", 3), -1, "\x83\x53"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(DxffontnameModel, SymbolFontsAreFoundIgnoringCase) {
  EXPECT_EQ(FindSymbolFontPreview("Wingdings"), 9);
  EXPECT_EQ(FindSymbolFontPreview("wINGDINGS"), 9);
  EXPECT_EQ(FindSymbolFontPreview("ｗｉｎｇｄｉｎｇｓ"), -1);  // another name altogether
  EXPECT_EQ(FindSymbolFontPreview("bookshelf symbol 1"), 0);
  EXPECT_EQ(FindSymbolFontPreview("ms outlook"), 6);
  EXPECT_EQ(FindSymbolFontPreview("Symbol "), -1);
  EXPECT_EQ(FindSymbolFontPreview(""), -1);
  EXPECT_STREQ(SymbolFontPreviews[9].Sample, "1267890-][a/IO:JC");
  EXPECT_STREQ(SymbolFontPreviews[7].Sample, "Symbol");
}

TEST_F(DxffontnameModel, PublishesItsOwnPropertiesAfterTheBaseOnes) {
  const TPropList& Base = TdxfCustomComboBox::PublishedProperties();
  const TPropList& List = TdxfFontNameComboBox::PublishedProperties();
  ASSERT_EQ(List.size(), Base.size() + 5);
  std::vector<std::string> Own;
  for (std::size_t I = Base.size(); I < List.size(); ++I) Own.push_back(List[I].Name);
  EXPECT_EQ(Own, (std::vector<std::string>{"ShowImage", "AutoSearch", "FontTypes", "FontName",
                                           "PreviewFont"}));
  for (const char* Hidden : {"Items", "ItemIndex", "Images", "Text", "OnDrawItem"})
    EXPECT_EQ(FindProperty(List, Hidden), nullptr) << Hidden;
}

TEST_F(DxffontnameModel, LayoutsCarryNoItemsAndOnlyHeightAfterTheProperties) {
  RegisterDxfFontNameComboBox();
  TFontHost Host(nullptr);
  Host.SetName("Host");
  auto* Box = new TdxfFontNameComboBox(&Host);
  Box->SetName("FontBox");
  Box->SetParent(&Host);
  // A height of its own, not the one the font gives, so reading it back shows.
  Box->SetResizeHeight(true);
  Box->SetHeight(22);
  Box->SetFontName("gamma");
  std::string Layout = WriteComponentLayout(Host);
  const auto Start = Layout.find("    ShowImage = True\n");
  ASSERT_NE(Start, std::string::npos) << Layout;
  // FontTypes holds all three kinds, its default: not written.
  EXPECT_EQ(Layout.substr(Start),
            "    ShowImage = True\n"
            "    AutoSearch = True\n"
            "    FontName = 'Gamma'\n"
            "    PreviewFont = False\n"
            "    Height = 22\n"
            "  end\n"
            "end\n");

  Box->SetFontTypes(TT | RA);
  Box->SetFontName("gamma");
  Box->SetPreviewFont(true);
  Layout = WriteComponentLayout(Host);
  EXPECT_NE(Layout.find("    FontTypes = [ftRaster, ftTrueType]\n"), std::string::npos) << Layout;

  TFontHost Copy(nullptr);
  ReadComponentLayout(Copy, Layout);
  auto* Read = dynamic_cast<TdxfFontNameComboBox*>(Copy.FindComponent("FontBox"));
  ASSERT_NE(Read, nullptr);
  EXPECT_EQ(Read->FontTypes(), TT | RA);
  EXPECT_TRUE(Read->PreviewFont());
  EXPECT_EQ(Read->GetFontName(), "Gamma");
  EXPECT_EQ(Read->ItemIndex(), 2);
  EXPECT_EQ(Read->Height(), 22);
  EXPECT_EQ(WriteComponentLayout(Copy), Layout);
}

}  // namespace
