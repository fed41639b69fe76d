// TShineSpeedButton and TShineBtnColors as objects: what a new button holds,
// which setters repaint, the copy rules of the object-typed properties, and
// the button in layouts (what a default button writes, nested colour-set
// values, bad values).

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "controls/shine/Shinespdbtn.h"
#include "framework/core/SysUtils.h"
#include "framework/streaming/Streaming.h"
#include "framework/streaming/StreamingReader.h"
#include "framework/streaming/StreamingRegistry.h"
#include "framework/streaming/StreamingWriter.h"

namespace {

// A button that counts its repaint requests.
class TCountingButton : public TShineSpeedButton {
public:
  using TShineSpeedButton::TShineSpeedButton;
  void Invalidate() override {
    ++Invalidations;
    TShineSpeedButton::Invalidate();
  }
  int Invalidations = 0;
};

// The root of the layouts below.
class TShineHost : public TWinControl {
public:
  explicit TShineHost(TComponent* AOwner) : TWinControl(AOwner) {}
  ~TShineHost() override { DestroyComponents(); }
  static const TPropList& PublishedProperties() { return TWinControl::PublishedProperties(); }
};

// ---- a new button -------------------------------------------------------------------

TEST(ShineButton, StartsWithItsDefaults) {
  TShineSpeedButton B(nullptr);
  EXPECT_EQ(B.Width(), 25);
  EXPECT_EQ(B.Height(), 25);
  EXPECT_EQ(B.Caption(), "");
  EXPECT_EQ(B.FrameType(), ftNormalFrame);
  EXPECT_EQ(B.ActiveImage(), aiFrameLight);
  EXPECT_EQ(B.DisabledImage(), diDefault);
  EXPECT_EQ(B.Margin(), -1);
  EXPECT_EQ(B.Spacing(), 4);
  EXPECT_EQ(B.ShineColor(), clYellow);
  EXPECT_EQ(B.Layout(), blGlyphLeft);
  EXPECT_EQ(B.FontHighlight(), clNone);
  EXPECT_EQ(B.FontShadow(), clNone);
  EXPECT_EQ(B.DisabledHighlight(), clBtnHighlight);
  EXPECT_EQ(B.DisabledShadow(), clBtnShadow);
  EXPECT_TRUE(B.ActiveFrame() && B.UpFrame() && B.DownFrame());
  EXPECT_FALSE(B.Down() || B.AllowAllUp() || B.ClickDownHook() || B.AccelCharDown());
  EXPECT_EQ(B.GroupIndex(), 0);
  EXPECT_EQ(B.DrawState(), sdUp);
  EXPECT_TRUE(B.Glyph()->Empty());

  // The two colour sets differ only in their face colour.
  EXPECT_EQ(B.Colors()->Color(), clBtnFace);
  EXPECT_EQ(B.PressedColors()->Color(), clBtnHighlight);
  for (const TShineBtnColors* Set : {B.Colors(), B.PressedColors()}) {
    EXPECT_EQ(Set->Highlight(), clBtnHighlight);
    EXPECT_EQ(Set->Shadow(), clBtnShadow);
    EXPECT_EQ(Set->DarkShadow(), clWindowFrame);
    EXPECT_EQ(Set->GradColor(), clBlue);
    EXPECT_FALSE(Set->GradVertical());
    EXPECT_FALSE(Set->Gradation());
  }
  EXPECT_EQ(B.Font()->Color(), clBtnText);
  EXPECT_EQ(B.ActiveFont()->Color(), clHighlight);

  // Captures the mouse, opaque, double clicks; no clicks made by the
  // framework from button-up.
  EXPECT_EQ(B.ControlStyle(), TControlStyle(csCaptureMouse | csOpaque | csDoubleClicks));
  EXPECT_EQ(B.ActiveButtonTimer()->Interval(), 200u);
  EXPECT_FALSE(B.ActiveButtonTimer()->Enabled());
  // The timer is the one component the button owns; the colour sets, fonts
  // and glyph are its own objects, apart from the inherited control font.
  ASSERT_EQ(B.ComponentCount(), 1);
  EXPECT_EQ(B.Components(0), B.ActiveButtonTimer());
  EXPECT_NE(B.Font(), B.TControl::Font());
}

// ---- which setters repaint ----------------------------------------------------------

struct SetterCase {
  const char* Name;
  std::function<void(TShineSpeedButton&)> Change;
  int FirstRepaints;   // the first call
  int SecondRepaints;  // the same value again
};

class ShineButtonSetter : public testing::TestWithParam<SetterCase> {};

TEST_P(ShineButtonSetter, RepaintsAsItsRuleSays) {
  TCountingButton B(nullptr);
  B.Invalidations = 0;
  GetParam().Change(B);
  EXPECT_EQ(B.Invalidations, GetParam().FirstRepaints);
  B.Invalidations = 0;
  GetParam().Change(B);
  EXPECT_EQ(B.Invalidations, GetParam().SecondRepaints);
}

INSTANTIATE_TEST_SUITE_P(
    Properties, ShineButtonSetter,
    testing::Values(
        SetterCase{"ClickDownHook", [](auto& B) { B.SetClickDownHook(true); }, 1, 0},
        SetterCase{"AccelCharDown", [](auto& B) { B.SetAccelCharDown(true); }, 1, 0},
        SetterCase{"FrameType", [](auto& B) { B.SetFrameType(ftFlatFrame); }, 1, 0},
        SetterCase{"Transparent", [](auto& B) { B.SetTransparent(true); }, 1, 0},
        SetterCase{"ActiveFrame", [](auto& B) { B.SetActiveFrame(false); }, 1, 0},
        SetterCase{"UpFrame", [](auto& B) { B.SetUpFrame(false); }, 1, 0},
        SetterCase{"DownFrame", [](auto& B) { B.SetDownFrame(false); }, 1, 0},
        SetterCase{"ActiveImage", [](auto& B) { B.SetActiveImage(aiMaskLight); }, 1, 0},
        SetterCase{"DisabledImage", [](auto& B) { B.SetDisabledImage(diMaskTrans); }, 1, 0},
        SetterCase{"DisabledHighlight", [](auto& B) { B.SetDisabledHighlight(clRed); }, 1, 0},
        SetterCase{"DisabledShadow", [](auto& B) { B.SetDisabledShadow(clRed); }, 1, 0},
        SetterCase{"ShineColor", [](auto& B) { B.SetShineColor(clAqua); }, 1, 0},
        SetterCase{"SameShineColor", [](auto& B) { B.SetShineColor(clYellow); }, 0, 0},
        // Repaint even when the value is the one they hold.
        SetterCase{"FontHighlight", [](auto& B) { B.SetFontHighlight(clWhite); }, 1, 1},
        SetterCase{"SameFontShadow", [](auto& B) { B.SetFontShadow(clNone); }, 1, 1},
        SetterCase{"Layout", [](auto& B) { B.SetLayout(blGlyphTop); }, 1, 0},
        SetterCase{"Margin", [](auto& B) { B.SetMargin(0); }, 1, 0},
        SetterCase{"Spacing", [](auto& B) { B.SetSpacing(-1); }, 1, 0},
        // Stored, and the group hears of it, but the face does not change.
        SetterCase{"AllowAllUp", [](auto& B) { B.SetAllowAllUp(true); }, 0, 0},
        SetterCase{"ColorsValue", [](auto& B) { B.Colors()->SetGradColor(clRed); }, 1, 0},
        SetterCase{"SameColorsValue", [](auto& B) { B.Colors()->SetShadow(clBtnShadow); }, 0, 0},
        SetterCase{"PressedColorsValue", [](auto& B) { B.PressedColors()->SetGradation(true); }, 1,
                   0},
        SetterCase{"FontValue", [](auto& B) { B.Font()->SetColor(clRed); }, 1, 0},
        SetterCase{"ActiveFontValue", [](auto& B) { B.ActiveFont()->SetHeight(-20); }, 1, 0},
        // Copying a set or a font always counts as a change.
        SetterCase{"ColorsAssigned",
                   [](auto& B) {
                     TShineBtnColors Set;
                     B.SetColors(&Set);
                   },
                   1, 1}),
    [](const testing::TestParamInfo<SetterCase>& Info) { return std::string(Info.param.Name); });

// ---- copies and null arguments ------------------------------------------------------

TEST(ShineButton, ObjectSettersCopyAndKeepTheirOwnObjects) {
  TShineSpeedButton B(nullptr);
  TShineBtnColors Set;
  Set.SetColor(clRed);
  Set.SetHighlight(clLime);
  Set.SetShadow(clNavy);
  Set.SetDarkShadow(clTeal);
  Set.SetGradColor(clFuchsia);
  Set.SetGradVertical(true);
  Set.SetGradation(true);
  TShineBtnColors* Owned = B.PressedColors();
  B.SetPressedColors(&Set);
  EXPECT_EQ(B.PressedColors(), Owned);
  EXPECT_EQ(Owned->Color(), clRed);
  EXPECT_EQ(Owned->Highlight(), clLime);
  EXPECT_EQ(Owned->Shadow(), clNavy);
  EXPECT_EQ(Owned->DarkShadow(), clTeal);
  EXPECT_EQ(Owned->GradColor(), clFuchsia);
  EXPECT_TRUE(Owned->GradVertical());
  EXPECT_TRUE(Owned->Gradation());
  Set.SetColor(clBlack);  // the caller's object stays the caller's
  EXPECT_EQ(Owned->Color(), clRed);

  TFont Font;
  Font.SetColor(clMaroon);
  Font.SetHeight(-16);
  B.SetActiveFont(&Font);
  EXPECT_NE(B.ActiveFont(), &Font);
  EXPECT_EQ(B.ActiveFont()->Color(), clMaroon);
  EXPECT_EQ(B.ActiveFont()->Height(), -16);
}

TEST(ShineButton, NullArgumentsFollowEachPropertysRule) {
  TCountingButton B(nullptr);
  B.Font()->SetColor(clRed);
  B.Invalidations = 0;
  B.SetFont(nullptr);
  B.SetActiveFont(nullptr);
  EXPECT_EQ(B.Font()->Color(), clRed);
  EXPECT_EQ(B.Invalidations, 0);

  // A null colour set is the assignment error, and nothing changes.
  B.Colors()->SetColor(clLime);
  B.Invalidations = 0;
  EXPECT_THROW(B.SetColors(nullptr), EConvertError);
  EXPECT_THROW(B.SetPressedColors(nullptr), EConvertError);
  EXPECT_EQ(B.Colors()->Color(), clLime);
  EXPECT_EQ(B.Invalidations, 0);

  TBitmap Glyph;
  Glyph.SetSize(3, 2);
  B.SetGlyph(&Glyph);
  ASSERT_EQ(B.Glyph()->Width(), 3);
  B.SetGlyph(nullptr);
  EXPECT_EQ(B.Glyph()->Width(), 0);
  EXPECT_EQ(B.Glyph()->Height(), 0);
  EXPECT_EQ(B.CreateStateGlyph(), nullptr);
}

TEST(ShineBtnColors, AssignAcceptsOnlyAColourSet) {
  TShineBtnColors Set;
  int Changes = 0;
  Set.OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &Set);
    ++Changes;
  };
  TFont Font;
  EXPECT_THROW(Set.Assign(&Font), EConvertError);
  EXPECT_THROW(Font.Assign(&Set), EConvertError);
  EXPECT_EQ(Changes, 0);
  EXPECT_EQ(Set.Color(), clBtnFace);
}

TEST(ShineButton, GlyphIsHeldAsA32BitImage) {
  TShineSpeedButton B(nullptr);
  TBitmap Mono;
  Mono.SetSize(4, 4);
  Mono.SetMonochrome(true);
  B.SetGlyph(&Mono);
  EXPECT_EQ(B.Glyph()->PixelFormat(), pf32bit);
  EXPECT_EQ(B.Glyph()->HandleType(), bmDIB);

  // Drawing on the glyph in place keeps it 32-bit too.
  B.Glyph()->SetPixelFormat(pfDevice);
  EXPECT_EQ(B.Glyph()->PixelFormat(), pf32bit);
  EXPECT_EQ(B.Glyph()->Width(), 4);
}

// ---- layouts ------------------------------------------------------------------------

class ShineButtonLayout : public testing::Test {
protected:
  static void SetUpTestSuite() {
    RegisterShineSpeedButton();
    RegisterShineSpeedButton();
    RegisterClass<TShineHost>("TShineHost");
  }
};

TEST_F(ShineButtonLayout, PublishesItsPropertiesInOrder) {
  const TPropList& Base = TControl::PublishedProperties();
  const TPropList& List = TShineSpeedButton::PublishedProperties();
  std::vector<std::string> Own;
  for (std::size_t I = Base.size(); I < List.size(); ++I) Own.push_back(List[I].Name);
  EXPECT_EQ(Own, (std::vector<std::string>{
                     "GroupIndex",     "Down",          "ClickDownHook", "AccelCharDown",
                     "FrameType",      "Transparent",   "ActiveFrame",   "UpFrame",
                     "DownFrame",      "ActiveImage",   "DisabledImage", "DisabledHighlight",
                     "DisabledShadow", "Colors",        "PressedColors", "ShineColor",
                     "Font",           "FontHighlight", "FontShadow",    "ActiveFont",
                     "AllowAllUp",     "Layout",        "Margin",        "Spacing",
                     "Glyph",          "OnMouseEnter",  "OnMouseLeave",  "Align",
                     "BiDiMode",       "Caption",       "Enabled",       "ParentBiDiMode",
                     "ParentShowHint", "ShowHint",      "Visible",       "OnClick",
                     "OnDblClick",     "OnMouseDown",   "OnMouseMove",   "OnMouseUp"}));
  std::vector<std::string> SetNames;
  for (const TPropInfo& P : TShineBtnColors::PublishedProperties()) SetNames.push_back(P.Name);
  EXPECT_EQ(SetNames, (std::vector<std::string>{"Highlight", "Shadow", "DarkShadow", "GradColor",
                                                "GradVertical", "Gradation", "Color"}));
}

TEST_F(ShineButtonLayout, ADefaultButtonWritesOnlyTheFaceColoursOfItsSets) {
  TShineHost Host(nullptr);
  Host.SetName("Host");
  auto* B = new TShineSpeedButton(&Host);
  B->SetName("Shine1");
  B->SetParent(&Host);
  const std::string Text = WriteComponentLayout(Host);
  EXPECT_NE(Text.find("    Colors.Color = clBtnFace\n"), std::string::npos) << Text;
  EXPECT_NE(Text.find("    PressedColors.Color = clBtnHighlight\n"), std::string::npos) << Text;
  for (const char* Left :
       {"Highlight", "Shadow", "GradColor", "Gradation", "GradVertical", "GroupIndex", "FrameType",
        "ActiveImage", "Margin", "Spacing", "ShineColor", "FontShadow", "Layout", "Transparent"})
    EXPECT_EQ(Text.find(std::string(Left) + " ="), std::string::npos) << Left << "\n" << Text;
}

TEST_F(ShineButtonLayout, ReadsNestedColourSetValuesAndWritesThemBack) {
  const std::string Layout =
      "object Host: TShineHost\n"
      "  object Shine1: TShineSpeedButton\n"
      "    Left = 4\n"
      "    Top = 5\n"
      "    Width = 75\n"
      "    Height = 25\n"
      "    FrameType = ftEnclosedFrame\n"
      "    ActiveImage = aiMaskLight\n"
      "    DisabledImage = diGrayscale\n"
      "    Colors.GradColor = clRed\n"
      "    Colors.GradVertical = True\n"
      "    Colors.Gradation = True\n"
      "    Colors.Color = clWhite\n"
      "    PressedColors.DarkShadow = clNavy\n"
      "    PressedColors.Color = clBtnHighlight\n"
      "    ShineColor = clAqua\n"
      "    FontShadow = clGray\n"
      "    ActiveFont.Color = clRed\n"
      "    Margin = 2\n"
      "    Spacing = -1\n"
      "    Caption = '&Go'\n"
      "  end\n"
      "end\n";
  TShineHost Host(nullptr);
  ReadComponentLayout(Host, Layout);
  auto* B = dynamic_cast<TShineSpeedButton*>(Host.FindComponent("Shine1"));
  ASSERT_NE(B, nullptr);
  EXPECT_EQ(B->FrameType(), ftEnclosedFrame);
  EXPECT_EQ(B->ActiveImage(), aiMaskLight);
  EXPECT_EQ(B->DisabledImage(), diGrayscale);
  EXPECT_EQ(B->Colors()->GradColor(), clRed);
  EXPECT_TRUE(B->Colors()->GradVertical());
  EXPECT_TRUE(B->Colors()->Gradation());
  EXPECT_EQ(B->Colors()->Color(), clWhite);
  EXPECT_EQ(B->PressedColors()->DarkShadow(), clNavy);
  EXPECT_EQ(B->ShineColor(), clAqua);
  EXPECT_EQ(B->FontShadow(), clGray);
  EXPECT_EQ(B->ActiveFont()->Color(), clRed);
  EXPECT_EQ(B->Margin(), 2);
  EXPECT_EQ(B->Spacing(), -1);
  EXPECT_EQ(B->Caption(), "&Go");

  const std::string Written = WriteComponentLayout(Host);
  TShineHost Again(nullptr);
  ReadComponentLayout(Again, Written);
  EXPECT_EQ(WriteComponentLayout(Again), Written);
  EXPECT_NE(Written.find("    Colors.GradColor = clRed\n"), std::string::npos) << Written;
  EXPECT_NE(Written.find("    PressedColors.DarkShadow = clNavy\n"), std::string::npos);
}

TEST_F(ShineButtonLayout, GlyphTravelsAsBitmapDataAndComesBackPixelForPixel) {
  TShineHost Host(nullptr);
  Host.SetName("Host");
  auto* B = new TShineSpeedButton(&Host);
  B->SetName("Shine1");
  B->SetParent(&Host);
  EXPECT_EQ(WriteComponentLayout(Host).find("Glyph"), std::string::npos) << "an empty glyph";

  TBitmap Glyph;
  Glyph.SetPixelFormat(pf32bit);
  Glyph.SetSize(3, 2);
  const std::uint32_t Pixels[2][3] = {{0x102030, 0xFFFFFF, 0xABCDEF},
                                      {0xFF00FF, 0x000001, 0x7F7F7F}};
  for (int Y = 0; Y < 2; ++Y)
    for (int X = 0; X < 3; ++X) Glyph.ScanLine(Y)[X] = Pixels[Y][X];
  B->SetGlyph(&Glyph);
  const std::string Written = WriteComponentLayout(Host);
  EXPECT_NE(Written.find("    Glyph.Data = '424D"), std::string::npos) << Written;

  TShineHost Again(nullptr);
  ReadComponentLayout(Again, Written);
  auto* Read = dynamic_cast<TShineSpeedButton*>(Again.FindComponent("Shine1"));
  ASSERT_NE(Read, nullptr);
  ASSERT_EQ(Read->Glyph()->Width(), 3);
  ASSERT_EQ(Read->Glyph()->Height(), 2);
  EXPECT_EQ(Read->Glyph()->PixelFormat(), pf32bit);
  for (int Y = 0; Y < 2; ++Y)
    for (int X = 0; X < 3; ++X)
      EXPECT_EQ(Read->Glyph()->ScanLine(Y)[X] & 0xFFFFFF, Pixels[Y][X]) << X << "," << Y;
  EXPECT_EQ(WriteComponentLayout(Again), Written);
}

struct BadLayoutCase {
  const char* Name;
  const char* Line;
};

class ShineButtonBadLayout : public ShineButtonLayout,
                             public testing::WithParamInterface<BadLayoutCase> {};

TEST_P(ShineButtonBadLayout, FailsWithTheLineNumber) {
  const std::string Layout = std::string(
                                 "object Host: TShineHost\n"
                                 "  object Shine1: TShineSpeedButton\n"
                                 "    Left = 4\n    ") +
                             GetParam().Line +
                             "\n"
                             "  end\n"
                             "end\n";
  TShineHost Host(nullptr);
  try {
    ReadComponentLayout(Host, Layout);
    FAIL() << "read without error";
  } catch (const EReadError& E) {
    EXPECT_NE(std::string(E.what()).find(" 4 "), std::string::npos) << E.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, ShineButtonBadLayout,
    testing::Values(BadLayoutCase{"UnknownFrameType", "FrameType = ftRoundFrame"},
                    BadLayoutCase{"ActiveImageOutOfRange", "ActiveImage = 8"},
                    BadLayoutCase{"UnknownColourSetValue", "Colors.Glow = clRed"},
                    BadLayoutCase{"ColourSetValueOfWrongKind", "PressedColors.Gradation = 3"},
                    BadLayoutCase{"UnknownProperty", "Flat = True"},
                    BadLayoutCase{"InheritedColorIsNotPublished", "Color = clRed"},
                    BadLayoutCase{"ColourName", "ShineColor = clShiny"},
                    BadLayoutCase{"GlyphDataNotHex", "Glyph.Data = '424X'"},
                    BadLayoutCase{"GlyphDataOddLength", "Glyph.Data = '424'"},
                    BadLayoutCase{"GlyphDataNotABitmap", "Glyph.Data = '0102030405'"},
                    BadLayoutCase{"GlyphHasNoOtherValues", "Glyph.Width = 3"}),
    [](const testing::TestParamInfo<BadLayoutCase>& Info) { return std::string(Info.param.Name); });

}  // namespace
