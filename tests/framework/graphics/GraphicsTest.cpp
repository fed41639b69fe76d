// The font, pen and brush: defaults, size and height, change notification,
// copying, and the font's layout lines.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/graphics/Graphics.h"
#include "framework/streaming/StreamingReader.h"
#include "framework/streaming/StreamingRegistry.h"
#include "framework/streaming/StreamingWriter.h"

namespace {

TEST(Font, DefaultsAreTheJapaneseUserInterfaceFont) {
  TFont Font;
  EXPECT_EQ(Font.Name(), "ＭＳ Ｐゴシック");
  EXPECT_EQ(Font.Height(), -12);
  EXPECT_EQ(Font.Size(), 9);
  EXPECT_EQ(Font.Charset(), SHIFTJIS_CHARSET);
  EXPECT_EQ(Font.Color(), clWindowText);
  EXPECT_EQ(Font.Style(), 0);
}

struct TSizeCase {
  int Size;
  int Height;
};

class FontSize : public testing::TestWithParam<TSizeCase> {};

// Height = -MulDiv(Size, 96, 72) and back, rounding halves away from zero.
TEST_P(FontSize, ConvertsAtNinetySixPixelsPerInch) {
  TFont Font;
  Font.SetSize(GetParam().Size);
  EXPECT_EQ(Font.Height(), GetParam().Height);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FontSize,
                         testing::Values(TSizeCase{9, -12}, TSizeCase{8, -11}, TSizeCase{10, -13},
                                         TSizeCase{11, -15}, TSizeCase{12, -16}, TSizeCase{-12, 16},
                                         TSizeCase{0, 0}));

TEST(Font, SizeOfAHeightRoundsHalvesAwayFromZero) {
  TFont Font;
  Font.SetHeight(-11);  // 8.25 points
  EXPECT_EQ(Font.Size(), 8);
  Font.SetHeight(-14);  // 10.5 points
  EXPECT_EQ(Font.Size(), 11);
  Font.SetHeight(14);  // a cell height gives a negative size
  EXPECT_EQ(Font.Size(), -11);
}

TEST(MulDiv, RoundsAndRefusesWhatItCannotAnswer) {
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(5, -1, 2), -3);
  EXPECT_EQ(MulDiv(7, 1, 3), 2);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(MulDiv(1 << 30, 8, 1), -1);
  EXPECT_EQ(MulDiv(1 << 30, 8, 8), 1 << 30);  // the product itself may exceed 32 bits
}

// One change of each property of each object, and the same value again.
struct TChangeCase {
  const char* Name;
  std::function<void(TGraphicsObject&)> Change;
};

std::unique_ptr<TGraphicsObject> MakeObjectFor(const std::string& Name) {
  if (Name.rfind("Font", 0) == 0) return std::make_unique<TFont>();
  if (Name.rfind("Pen", 0) == 0) return std::make_unique<TPen>();
  return std::make_unique<TBrush>();
}

class GraphicsObjectChange : public testing::TestWithParam<TChangeCase> {};

TEST_P(GraphicsObjectChange, FiresOnceForAChangeAndNotForTheSameValue) {
  std::unique_ptr<TGraphicsObject> Object = MakeObjectFor(GetParam().Name);
  int Changes = 0;
  TObject* Sender = nullptr;
  Object->OnChange = [&](TObject* S) { ++Changes, Sender = S; };
  GetParam().Change(*Object);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Sender, Object.get());
  GetParam().Change(*Object);
  EXPECT_EQ(Changes, 1) << "setting the value it already has";
}

template <class T>
T& As(TGraphicsObject& Object) {
  return static_cast<T&>(Object);
}

INSTANTIATE_TEST_SUITE_P(
    Properties, GraphicsObjectChange,
    testing::Values(
        TChangeCase{"FontName", [](TGraphicsObject& O) { As<TFont>(O).SetName("IPAGothic"); }},
        TChangeCase{"FontHeight", [](TGraphicsObject& O) { As<TFont>(O).SetHeight(-16); }},
        TChangeCase{"FontSize", [](TGraphicsObject& O) { As<TFont>(O).SetSize(14); }},
        TChangeCase{"FontColor", [](TGraphicsObject& O) { As<TFont>(O).SetColor(clRed); }},
        TChangeCase{"FontStyle", [](TGraphicsObject& O) { As<TFont>(O).SetStyle(fsBold); }},
        TChangeCase{"FontCharset", [](TGraphicsObject& O) { As<TFont>(O).SetCharset(0); }},
        TChangeCase{"PenColor", [](TGraphicsObject& O) { As<TPen>(O).SetColor(clRed); }},
        TChangeCase{"PenWidth", [](TGraphicsObject& O) { As<TPen>(O).SetWidth(3); }},
        TChangeCase{"PenStyle", [](TGraphicsObject& O) { As<TPen>(O).SetStyle(psDot); }},
        TChangeCase{"PenMode", [](TGraphicsObject& O) { As<TPen>(O).SetMode(pmXor); }},
        TChangeCase{"BrushColor", [](TGraphicsObject& O) { As<TBrush>(O).SetColor(clRed); }},
        TChangeCase{"BrushStyle", [](TGraphicsObject& O) { As<TBrush>(O).SetStyle(bsClear); }}),
    [](const testing::TestParamInfo<TChangeCase>& Info) { return std::string(Info.param.Name); });

TEST(Font, AssignCopiesEveryPropertyWithOneChange) {
  TFont Source;
  Source.SetName("IPAGothic");
  Source.SetHeight(-16);
  Source.SetColor(clBlue);
  Source.SetStyle(fsBold | fsUnderline);
  Source.SetCharset(ANSI_CHARSET);
  TFont Target;
  int Changes = 0;
  Target.OnChange = [&](TObject*) { ++Changes; };
  Target.Assign(&Source);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Target.Name(), "IPAGothic");
  EXPECT_EQ(Target.Height(), -16);
  EXPECT_EQ(Target.Color(), clBlue);
  EXPECT_EQ(Target.Style(), fsBold | fsUnderline);
  EXPECT_EQ(Target.Charset(), ANSI_CHARSET);
  EXPECT_EQ(Target.LogFont(), Source.LogFont());
}

TEST(Font, AssignRefusesOtherClassesAndNull) {
  TFont Font;
  TPen Pen;
  EXPECT_THROW(Font.Assign(&Pen), EConvertError);
  EXPECT_THROW(Font.Assign(nullptr), EConvertError);
  EXPECT_EQ(Font.Height(), -12);
}

TEST(Pen, AssignCopiesAndNegativeWidthsAreIgnored) {
  TPen Source;
  Source.SetColor(clRed);
  Source.SetWidth(3);
  Source.SetStyle(psDash);
  Source.SetMode(pmNot);
  TPen Target;
  int Changes = 0;
  Target.OnChange = [&](TObject*) { ++Changes; };
  Target.Assign(&Source);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Target.Color(), clRed);
  EXPECT_EQ(Target.Width(), 3);
  EXPECT_EQ(Target.Style(), psDash);
  EXPECT_EQ(Target.Mode(), pmNot);
  Target.SetWidth(-2);
  EXPECT_EQ(Target.Width(), 3);
  EXPECT_EQ(Changes, 1);
  Target.SetWidth(0);
  EXPECT_EQ(Target.LogPen().Width, 1) << "a zero-width pen draws one pixel wide";
}

TEST(Brush, SettingAColourMakesAClearBrushSolid) {
  TBrush Brush;
  Brush.SetStyle(bsClear);
  int Changes = 0;
  Brush.OnChange = [&](TObject*) { ++Changes; };
  Brush.SetColor(Brush.Color());  // the same colour still asks for a fill
  EXPECT_EQ(Brush.Style(), bsSolid);
  EXPECT_EQ(Changes, 1);
  Brush.SetStyle(bsClear);
  Brush.SetColor(clYellow);
  EXPECT_EQ(Brush.Style(), bsSolid);
  EXPECT_EQ(Brush.LogBrush(), (TLogBrush{bsSolid, clYellow}));
}

// ---- The font in layouts ------------------------------------------------------

class TFontHolder : public TComponent {
public:
  using TComponent::TComponent;
  TFont* Font() { return &FFont; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value) { FParentFont = Value; }
  static const TPropList& PublishedProperties() {
    static const TPropList List = TPropertyTable<TFontHolder>(ComponentPublishedProperties())
                                      .Object<TFont>("Font", &TFontHolder::Font)
                                      .StoredWhen([](TFontHolder& H) { return !H.ParentFont(); })
                                      .Boolean("ParentFont", &TFontHolder::ParentFont,
                                               &TFontHolder::SetParentFont, DefaultIs(1));
    return List;
  }

private:
  TFont FFont;
  bool FParentFont = true;
};

class FontLayout : public testing::Test {
protected:
  void SetUp() override { RegisterClass<TFontHolder>("TFontHolder"); }
};

TEST_F(FontLayout, ReadsEveryFontLine) {
  TFontHolder Holder(nullptr);
  ReadComponentLayout(Holder,
                      u8"object Holder1: TFontHolder\n"
                      u8"  Font.Charset = ANSI_CHARSET\n"
                      u8"  Font.Color = clWhite\n"
                      u8"  Font.Height = -16\n"
                      u8"  Font.Name = 'ＭＳ ゴシック'\n"
                      u8"  Font.Style = [fsBold, fsUnderline]\n"
                      u8"  ParentFont = False\n"
                      u8"end\n");
  TFont* Font = Holder.Font();
  EXPECT_EQ(Font->Charset(), ANSI_CHARSET);
  EXPECT_EQ(Font->Color(), clWhite);
  EXPECT_EQ(Font->Height(), -16);
  EXPECT_EQ(Font->Name(), "ＭＳ ゴシック");
  EXPECT_EQ(Font->Style(), fsBold | fsUnderline);
}

TEST_F(FontLayout, ReadsASizeAsAHeight) {
  TFontHolder Holder(nullptr);
  ReadComponentLayout(Holder,
                      u8"object Holder1: TFontHolder\n"
                      u8"  Font.Size = 12\n"
                      u8"end\n");
  EXPECT_EQ(Holder.Font()->Height(), -16);
}

TEST_F(FontLayout, WritesTheWholeFontButNeverTheSize) {
  TFontHolder Holder(nullptr);
  Holder.SetName("Holder1");
  Holder.SetParentFont(false);
  Holder.Font()->SetColor(clBlue);
  const TLayoutObject Tree = WriteComponentTree(Holder);
  std::vector<std::string> Names;
  for (const TLayoutProperty& Property : Tree.Properties) Names.push_back(Property.Name);
  EXPECT_EQ(Names, (std::vector<std::string>{"Font.Charset", "Font.Color", "Font.Height",
                                             "Font.Name", "Font.Style", "ParentFont"}));

  TFontHolder Copy(nullptr);
  ReadComponentLayout(Copy, Tree);
  EXPECT_EQ(Copy.Font()->LogFont(), Holder.Font()->LogFont());
  EXPECT_EQ(Copy.Font()->Color(), clBlue);
}

}  // namespace
