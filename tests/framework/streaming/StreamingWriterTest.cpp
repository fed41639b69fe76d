// Writing components as layouts: what is left out, how values are spelled,
// nesting, extra properties, and the read -> write -> read round trip.

#include <gtest/gtest.h>

#include "framework/streaming/StreamingTestClasses.h"

namespace streamingtest {
namespace {

class StreamingWriter : public testing::Test {
protected:
  void SetUp() override {
    RegisterTestClasses();
    Form.SetName("Form1");
  }

  // Names of the properties written for the child named Name.
  static std::vector<std::string> PropertyNames(const TLayoutObject& Object) {
    std::vector<std::string> Names;
    for (const TLayoutProperty& Property : Object.Properties) Names.push_back(Property.Name);
    return Names;
  }
  static const TLayoutValue& Value(const TLayoutObject& Object, const std::string& Name) {
    for (const TLayoutProperty& Property : Object.Properties)
      if (Property.Name == Name) return Property.Value;
    ADD_FAILURE() << Name << " not written";
    static const TLayoutValue None;
    return None;
  }

  TTestForm Form;
};

using TNames = std::vector<std::string>;

TEST_F(StreamingWriter, LeavesOutDefaultsAndWritesAlwaysStoredOnes) {
  auto* Control = new TTestControl(&Form);
  Control->SetName("A");
  TLayoutObject Tree = WriteComponentTree(Form);
  EXPECT_EQ(PropertyNames(Tree), TNames{});  // the form is all defaults
  ASSERT_EQ(Tree.Children.size(), 1u);
  // Left and Height have no default: they are written even at 0.
  EXPECT_EQ(PropertyNames(Tree.Children[0]), (TNames{"Left", "Height"}));
}

TEST_F(StreamingWriter, WritesChangedValuesInTableOrderWithTheirNames) {
  auto* Control = new TTestControl(&Form);
  Control->SetName("A");
  Control->SetCaption("検索");
  Control->SetVisible(false);
  Control->SetStyle(tsSunken);
  Control->SetColor(16744448);
  Control->SetCursor(-21);
  Control->Font()->SetColor(0xFFFFFF);
  Control->Font()->SetCharset(128);
  Control->Font()->SetStyle(tfsBold | tfsUnderline);
  Control->SetTag(5);
  Form.SetColor(clHighlight);
  Form.SetFormStyle(tfStayOnTop);

  TLayoutObject Tree = WriteComponentTree(Form);
  EXPECT_EQ(PropertyNames(Tree), (TNames{"Color", "FormStyle"}));
  EXPECT_EQ(Value(Tree, "Color"), TLayoutValue::OfIdent("clHighlight"));
  const TLayoutObject& A = Tree.Children.at(0);
  EXPECT_EQ(PropertyNames(A),
            (TNames{"Tag", "Left", "Height", "Caption", "Visible", "Style", "Color", "Cursor",
                    "Font.Charset", "Font.Color", "Font.Style"}));
  EXPECT_EQ(Value(A, "Caption"), TLayoutValue::OfString("検索"));
  EXPECT_EQ(Value(A, "Visible"), TLayoutValue::OfBoolean(false));
  EXPECT_EQ(Value(A, "Style"), TLayoutValue::OfIdent("tsSunken"));
  EXPECT_EQ(Value(A, "Color"), TLayoutValue::OfInteger(16744448));  // no name for it
  EXPECT_EQ(Value(A, "Cursor"), TLayoutValue::OfIdent("crHandPoint"));
  EXPECT_EQ(Value(A, "Font.Charset"), TLayoutValue::OfIdent("SHIFTJIS_CHARSET"));
  EXPECT_EQ(Value(A, "Font.Color"), TLayoutValue::OfIdent("clWhite"));
  EXPECT_EQ(Value(A, "Font.Style"), TLayoutValue::OfSet({"fsBold", "fsUnderline"}));
}

TEST_F(StreamingWriter, ConditionallyStoredPropertyFollowsItsCondition) {
  Form.SetHint("検索の実行");
  EXPECT_EQ(PropertyNames(WriteComponentTree(Form)), TNames{});
  Form.SetShowHint(true);
  EXPECT_EQ(PropertyNames(WriteComponentTree(Form)), (TNames{"ShowHint", "Hint"}));
}

TEST_F(StreamingWriter, ColoursWithoutANameAreWrittenAsNumbersThatReadBack) {
  auto* Control = new TTestControl(&Form);
  Control->SetName("A");
  Control->SetColor(static_cast<TColor>(0x80000019u));  // a system colour index with no name
  const std::string Text = WriteComponentLayout(Form);
  TTestForm Copy;
  ReadComponentLayout(Copy, Text);
  EXPECT_EQ(dynamic_cast<TTestControl*>(Copy.FindComponent("A"))->Color(),
            static_cast<TColor>(0x80000019u));
}

TEST_F(StreamingWriter, ExtraPropertiesFollowThePublishedOnesAndHeightIsWrittenOnlyThere) {
  auto* List = new TTestList(&Form);
  List->SetName("L");
  TStringList Items;
  Items.Add("a");
  Items.Add("b");
  List->SetItems(&Items);
  List->SetChecked(1, true);
  List->SetImageIndex(0, 4);
  List->SetHeight(20);

  const TLayoutObject Tree = WriteComponentTree(Form);
  const TLayoutObject& L = Tree.Children.at(0);
  EXPECT_EQ(PropertyNames(L),
            (TNames{"Left", "Items.Strings", "ImageIndexes", "Checked", "Height"}));
  EXPECT_EQ(Value(L, "Checked"),
            TLayoutValue::OfList({TLayoutValue::OfBoolean(false), TLayoutValue::OfBoolean(true)}));
  EXPECT_EQ(Value(L, "ImageIndexes"),
            TLayoutValue::OfList({TLayoutValue::OfInteger(4), TLayoutValue::OfInteger(-1)}));
  EXPECT_EQ(Value(L, "Height"), TLayoutValue::OfInteger(20));
}

TEST_F(StreamingWriter, NestsByParentAndOtherwiseByOwner) {
  ReadComponentLayout(Form, kMainLayout);
  TLayoutObject Tree = WriteComponentTree(Form);
  ASSERT_EQ(Tree.Children.size(), 3u);
  EXPECT_EQ(Tree.Children[0].Name, "GradBox1");
  ASSERT_EQ(Tree.Children[0].Children.size(), 1u);
  EXPECT_EQ(Tree.Children[0].Children[0].Name, "Button1");
  EXPECT_EQ(Tree.Children[2].Children.at(0).Name, "N4");

  // Parents that point in a circle cannot nest: both go under the root.
  auto* X = new TTestControl(&Form);
  auto* Y = new TTestControl(&Form);
  X->SetName("X");
  Y->SetName("Y");
  X->SetParentComponent(Y);
  Y->SetParentComponent(X);
  EXPECT_EQ(WriteComponentTree(Form).Children.size(), 5u);
}

TEST_F(StreamingWriter, EventsAreWrittenByHandlerNameOnlyWhenBoundByName) {
  ReadComponentLayout(Form, kMainLayout);
  TLayoutObject Tree = WriteComponentTree(Form);
  EXPECT_EQ(Value(Tree.Children[0].Children[0], "OnClick"), TLayoutValue::OfIdent("Button1Click"));
  // A handler given in code has no name a layout could hold.
  auto* Grad = dynamic_cast<TTestControl*>(Form.FindComponent("GradBox1"));
  Grad->SetOnClick([](TObject*) {});
  EXPECT_EQ(PropertyNames(WriteComponentTree(Form).Children[0]),
            (TNames{"Left", "Width", "Height", "Color", "PopupMenu"}));
}

TEST_F(StreamingWriter, ReadWriteReadGivesTheSameLayout) {
  ReadComponentLayout(Form, kMainLayout);
  const std::string First = WriteComponentLayout(Form);
  TTestForm Copy;
  ReadComponentLayout(Copy, First);
  EXPECT_EQ(WriteComponentLayout(Copy), First);
  EXPECT_EQ(WriteComponentTree(Copy), ParseLayout(First));
  // The values that differ from their defaults all survived.
  auto* Button = dynamic_cast<TTestControl*>(Copy.FindComponent("Button1"));
  EXPECT_EQ(Button->Caption(), "検索");
  EXPECT_EQ(Button->PopupMenu(), Copy.FindComponent("PopupMenu1"));
  EXPECT_TRUE(dynamic_cast<TTestList*>(Copy.FindComponent("ComboBox1"))->Checked(2));
}

TEST_F(StreamingWriter, TheWrittenTextHasTheClassicShape) {
  auto* List = new TTestList(&Form);
  List->SetName("ComboBox1");
  TStringList Items;
  Items.Add("Google");
  Items.Add("ニコニコ動画");
  List->SetItems(&Items);
  List->SetHeight(20);
  EXPECT_EQ(WriteComponentLayout(Form),
            u8"object Form1: TTestForm\n"
            u8"  object ComboBox1: TTestList\n"
            u8"    Left = 0\n"
            u8"    Items.Strings = (\n"
            u8"      'Google'\n"
            u8"      'ニコニコ動画')\n"
            u8"    ImageIndexes = (\n"
            u8"      -1\n"
            u8"      -1)\n"
            u8"    Checked = (\n"
            u8"      False\n"
            u8"      False)\n"
            u8"    Height = 20\n"
            u8"  end\n"
            u8"end\n");
}

// ---- What cannot be written ---------------------------------------------------

class TUnregistered : public TComponent {
public:
  using TComponent::TComponent;
};

TEST_F(StreamingWriter, RefusesWhatCouldNotBeReadBack) {
  auto* Control = new TTestControl(&Form);
  Control->SetName("A");

  Control->SetStyle(static_cast<TTestStyle>(7));  // no member of that number
  EXPECT_THROW(WriteComponentTree(Form), EWriteError);
  Control->SetStyle(tsFlat);

  Control->Font()->SetStyle(0x80);  // a bit no member stands for
  EXPECT_THROW(WriteComponentTree(Form), EWriteError);
  Control->Font()->SetStyle(0);

  TTestMenu Outside(nullptr);  // not one of the form's components
  Outside.SetName("Menu9");
  Control->SetPopupMenu(&Outside);
  EXPECT_THROW(WriteComponentTree(Form), EWriteError);
  Control->SetPopupMenu(nullptr);

  new TUnregistered(&Form);
  EXPECT_THROW(WriteComponentTree(Form), EWriteError);
}

class TBadExtra : public TTestControl {
public:
  using TTestControl::TTestControl;
  bool CloseList = false;
  void DefineProperties(TFiler* Filer) override {
    Filer->DefineProperty(
        "Numbers", nullptr,
        [this](TWriter& Writer) {
          Writer.WriteListBegin();
          Writer.WriteInteger(1);
          if (CloseList) Writer.WriteListEnd();
          if (CloseList) Writer.WriteInteger(2);  // a second value outside the list
        },
        true);
    Filer->DefineProperty(
        "Never", nullptr, [](TWriter& Writer) { Writer.WriteInteger(1); }, false);
  }
  static const TPropList& PublishedProperties() { return TTestControl::PublishedProperties(); }
};

TEST_F(StreamingWriter, ExtraPropertyWritersMustWriteOneWholeValue) {
  RegisterClass<TBadExtra>("TBadExtra");
  auto* Bad = new TBadExtra(&Form);
  Bad->SetName("Bad");
  EXPECT_THROW(WriteComponentTree(Form), EWriteError);  // list left open
  Bad->CloseList = true;
  EXPECT_THROW(WriteComponentTree(Form), EWriteError);  // two values
}

}  // namespace
}  // namespace streamingtest
