// The gallery's window on the headless screen: every control its layout
// places, the buttons that set the font picker's kinds and preview and the
// gradient panel's caption look, the sample line following the chosen font,
// and Escape, which closes an open list first and the window after.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "controls/gradient/Gradbox.h"
#include "controls/history/Historycombobox.h"
#include "controls/picker/Dxfcombobox.h"
#include "controls/picker/Dxffontnamecombobox.h"
#include "framework/HeadlessFixture.h"
#include "framework/graphics/ImageList.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/StdCtrls.h"
#include "gallery/GalleryForm1.h"
#include "platform/ScratchFiles.h"
#include "platform/ScratchRegistry.h"

namespace {

namespace fs = std::filesystem;

class GalleryForm : public THeadlessFixture {
protected:
  GalleryForm() {
    // The history box reads and writes the registry store: one of its own.
    Config = testfiles::MakeScratchDirectory("gallery-config");
    ConfigGuard.emplace("XDG_CONFIG_HOME", Config);
    Registry.emplace(Config);
    RegisterGalleryClasses();
    Form = MakeForm<TGalleryForm1>();
    Form->Show();
    Pump();
  }
  ~GalleryForm() override {
    // The history box saves as the form goes: while the scratch store is
    // still the one XDG_CONFIG_HOME names, never the user's own.
    delete Form;
    Form = nullptr;
    Registry.reset();
    ConfigGuard.reset();
    testfiles::RemoveTree(Config);
  }

  std::string Config;
  std::optional<testfiles::TEnvironmentGuard> ConfigGuard;
  std::optional<testfiles::TScratchRegistry> Registry;
  TGalleryForm1* Form = nullptr;
};

TEST_F(GalleryForm, TheLayoutPlacesEveryControlAsTheGalleryShowsIt) {
  EXPECT_EQ(Form->ClientWidth(), 520);
  // The shine buttons' panel lies below the pickers.
  EXPECT_EQ(Form->ClientHeight(), 416);
  EXPECT_TRUE(Form->FontComboBox1->PreviewFont());
  EXPECT_EQ(Form->FontComboBox1->FontTypes(), kAllFontTypes);
  EXPECT_GT(Form->FontComboBox1->Items()->Count(), 0);
  EXPECT_EQ(Form->SiteComboBox1->Style(), dcsDropDown);
  EXPECT_EQ(Form->SiteComboBox1->Items()->Count(), 10);
  EXPECT_EQ(Form->SiteComboBox1->MRUListCount(), 3);
  ASSERT_EQ(Form->SiteComboBox1->Images(), Form->SiteImages);
  EXPECT_EQ(Form->SiteImages->Count(), 10);
  EXPECT_EQ(Form->SiteComboBox1->GetImageIndex(9), 9);
  EXPECT_EQ(Form->HistoryComboBox1->SaveKeyName(), "Software\\Scoutlane\\Gallery");
  EXPECT_EQ(Form->HistoryComboBox1->SaveFileName(), "");
  EXPECT_TRUE(Form->GradBox1->Font3D());
  EXPECT_EQ(Form->SampleLabel->Caption(), "あいうえお ABC abc 123");
}

struct TKindsCase {
  const char* Name;
  bool TrueType, Raster, Device;
  TdxfFontTypes Expected;
};
class GalleryFontKinds : public GalleryForm, public ::testing::WithParamInterface<TKindsCase> {};

TEST_P(GalleryFontKinds, TheKindButtonsThatAreDownAreTheKindsListed) {
  const TKindsCase& Case = GetParam();
  // A click on a grouped button that allows all up switches it.
  auto Set = [this](TSpeedButton* Button, bool Down) {
    if (Button->Down() != Down) ClickAt(Button, 10, 10);
    ASSERT_EQ(Button->Down(), Down);
  };
  Set(Form->TrueTypeButton, Case.TrueType);
  Set(Form->RasterButton, Case.Raster);
  Set(Form->DeviceButton, Case.Device);
  EXPECT_EQ(Form->FontComboBox1->FontTypes(), Case.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, GalleryFontKinds,
    ::testing::Values(TKindsCase{"All", true, true, true, kAllFontTypes},
                      TKindsCase{"NoTrueType", false, true, true,
                                 FontTypeBit(ftRaster) | FontTypeBit(ftDevice)},
                      TKindsCase{"OnlyTrueType", true, false, false, FontTypeBit(ftTrueType)},
                      TKindsCase{"None", false, false, false, 0}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(GalleryForm, ThePreviewButtonSwitchesThePreview) {
  ClickAt(Form->PreviewButton, 10, 10);
  EXPECT_FALSE(Form->FontComboBox1->PreviewFont());
  ClickAt(Form->PreviewButton, 10, 10);
  EXPECT_TRUE(Form->FontComboBox1->PreviewFont());
}

TEST_F(GalleryForm, TheCaptionButtonsSetTheCaptionsLook) {
  ClickAt(Form->FlatCaptionButton, 10, 10);
  EXPECT_FALSE(Form->GradBox1->Font3D());
  ClickAt(Form->ShadowCaptionButton, 10, 10);
  EXPECT_TRUE(Form->GradBox1->Font3D());
  EXPECT_EQ(Form->GradBox1->Style3D(), fsRaiseShadow);
  ClickAt(Form->SunkenCaptionButton, 10, 10);
  EXPECT_EQ(Form->GradBox1->Style3D(), fsLow3D);
  ClickAt(Form->RaisedCaptionButton, 10, 10);
  EXPECT_EQ(Form->GradBox1->Style3D(), fsRaise3D);
}

TEST_F(GalleryForm, TheSampleLineTakesAListedFontAndIgnoresAHalfTypedName) {
  TdxfFontNameComboBox* Box = Form->FontComboBox1;
  const std::string Chosen = Box->Items()->Get(Box->Items()->Count() - 1);
  Box->SetFontName(Chosen);
  EXPECT_EQ(Form->SampleLabel->Font()->Name(), Chosen);
  Box->SetFontName("No Such Fo");
  EXPECT_EQ(Form->SampleLabel->Font()->Name(), Chosen);
}

TEST_F(GalleryForm, EscapeClosesAnOpenListFirstThenTheWindow) {
  Form->FontComboBox1->SetFocus();
  Pump();
  Key(VK_F4);
  ASSERT_TRUE(Form->FontComboBox1->DroppedDown());
  Key(VK_ESCAPE);
  EXPECT_FALSE(Form->FontComboBox1->DroppedDown());
  EXPECT_TRUE(Form->Visible());
  Key(VK_ESCAPE);
  EXPECT_FALSE(Form->Visible());
}

}  // namespace
