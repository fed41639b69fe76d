// Reading layouts into components: values of every kind, events, references,
// the loading protocol, extra properties and the errors of bad layouts.

#include <gtest/gtest.h>

#include "framework/streaming/StreamingTestClasses.h"

namespace streamingtest {
namespace {

class StreamingReader : public testing::Test {
protected:
  void SetUp() override {
    RegisterTestClasses();
    Log().clear();
  }

  template <class T>
  T* Find(const char* Name) {
    T* Component = dynamic_cast<T*>(Form.FindComponent(Name));
    EXPECT_NE(Component, nullptr) << Name;
    return Component;
  }

  // Reads Utf8 into Form and answers the error's line, or 0 when it read.
  int ErrorLine(const char* Utf8, std::string* Detail = nullptr) {
    try {
      ReadComponentLayout(Form, Utf8);
    } catch (const ELayoutError& Error) {
      if (Detail) *Detail = Error.Detail();
      return Error.Line();
    }
    return 0;
  }

  TTestForm Form;
};

TEST_F(StreamingReader, SetsValuesOfEveryKind) {
  ReadComponentLayout(Form, kMainLayout);

  EXPECT_EQ(Form.Name(), "MainForm1");
  EXPECT_EQ(Form.Caption(), "Scoutlane' 2010");
  EXPECT_EQ(Form.Color(), clBtnFace);
  EXPECT_EQ(Form.FormStyle(), tfStayOnTop);
  EXPECT_EQ(Form.Font()->Charset(), 128);
  EXPECT_EQ(Form.Font()->Height(), -12);
  EXPECT_EQ(Form.Font()->Name(), "ＭＳ Ｐゴシック");

  auto* Grad = Find<TTestControl>("GradBox1");
  EXPECT_EQ(Grad->Width(), 500);
  EXPECT_EQ(Grad->Color(), 16744448);

  auto* Button = Find<TTestControl>("Button1");
  EXPECT_EQ(Button->Left(), 452);
  EXPECT_EQ(Button->Caption(), "検索");
  EXPECT_EQ(Button->Cursor(), -21);
  EXPECT_EQ(Button->Font()->Color(), 0xFFFFFF);
  EXPECT_EQ(Button->Font()->Style(), tfsUnderline);
  EXPECT_EQ(Button->Style(), tsRaised);
  EXPECT_FALSE(Button->Visible());
  EXPECT_EQ(Button->Depth(), 3);
  EXPECT_EQ(Button->Tag(), -7);

  auto* Combo = Find<TTestList>("ComboBox1");
  ASSERT_EQ(Combo->Items()->Count(), 3);
  EXPECT_EQ(Combo->Items()->Get(1), "ニコニコ動画");
  EXPECT_EQ(Combo->ItemsAssigned, 1);  // through the setter, once
  EXPECT_EQ(Combo->ImageIndex(2), 2);
  EXPECT_TRUE(Combo->Checked(0));
  EXPECT_FALSE(Combo->Checked(1));
  EXPECT_TRUE(Combo->Checked(2));
  EXPECT_EQ(Combo->Height(), 20);

  auto* N4 = Find<TTestMenuItem>("N4");
  EXPECT_TRUE(N4->Checked());
  EXPECT_EQ(N4->Caption(), "常に手前に表示(&S)");
}

TEST_F(StreamingReader, SubObjectSettersRunForEachValue) {
  ReadComponentLayout(Form, kMainLayout);
  EXPECT_EQ(Form.Font()->Changes, 4);
}

TEST_F(StreamingReader, BindsEventsToTheRootsHandlers) {
  ReadComponentLayout(Form, kMainLayout);
  auto* Button = Find<TTestControl>("Button1");
  auto* N4 = Find<TTestMenuItem>("N4");
  ASSERT_TRUE(Button->OnClick());
  Button->OnClick()(Button);
  N4->OnClick()(N4);
  EXPECT_EQ(Form.Clicks, (std::vector<std::string>{"Button1Click", "N4Click"}));
  EXPECT_EQ(Form.LastSender, N4);
  // Components without an OnClick line keep no handler.
  EXPECT_FALSE(Find<TTestControl>("GradBox1")->OnClick());
}

TEST_F(StreamingReader, ResolvesReferencesToLaterComponents) {
  ReadComponentLayout(Form, kMainLayout);
  TComponent* Menu = Form.FindComponent("PopupMenu1");
  ASSERT_NE(Menu, nullptr);
  EXPECT_EQ(Find<TTestControl>("GradBox1")->PopupMenu(), Menu);
  EXPECT_EQ(Find<TTestControl>("Button1")->PopupMenu(), Menu);
}

TEST_F(StreamingReader, ReferenceToTheRootItself) {
  ReadComponentLayout(Form,
                      u8"object Form1: TTestForm\n"
                      u8"  object A: TTestControl\n"
                      u8"    Buddy = form1\n"
                      u8"  end\n"
                      u8"end\n");
  EXPECT_EQ(Find<TTestControl>("A")->Buddy(), &Form);
}

TEST_F(StreamingReader, ComponentsAreOwnedByTheRootAndParentedByTheirEnclosingObject) {
  ReadComponentLayout(Form, kMainLayout);
  auto* Grad = Find<TTestControl>("GradBox1");
  auto* Button = Find<TTestControl>("Button1");
  EXPECT_EQ(Button->Owner(), &Form);
  EXPECT_EQ(Button->GetParentComponent(), Grad);
  EXPECT_EQ(Grad->GetParentComponent(), &Form);
  EXPECT_EQ(Find<TTestMenuItem>("N4")->GetParentComponent(), Form.FindComponent("PopupMenu1"));
  // Creation order is layout order, depth first.
  ASSERT_EQ(Form.ComponentCount(), 5);
  EXPECT_EQ(Form.Components(1), Button);
  EXPECT_EQ(Form.Components(4)->Name(), "N4");
}

TEST_F(StreamingReader, LoadingStatesWhileReadingAndLoadedInCreationOrderThenRoot) {
  ReadComponentLayout(Form, kMainLayout);
  std::vector<std::string> Loaded, Captions;
  for (const std::string& Entry : Log()) {
    if (Entry.rfind("Loaded ", 0) == 0) Loaded.push_back(Entry.substr(7));
    if (Entry.rfind("SetCaption ", 0) == 0) Captions.push_back(Entry);
  }
  EXPECT_EQ(Loaded, (std::vector<std::string>{"GradBox1", "Button1", "ComboBox1", "PopupMenu1",
                                              "N4", "MainForm1"}));
  EXPECT_EQ(Captions, (std::vector<std::string>{"SetCaption Button1 loading reading"}));
  for (int I = 0; I < Form.ComponentCount(); ++I)
    EXPECT_FALSE(Form.Components(I)->HasState(csLoading | csReading));
  EXPECT_FALSE(Form.HasState(csLoading | csReading));
}

TEST_F(StreamingReader, NameAndParentAreSetBeforeTheProperties) {
  ReadComponentLayout(Form, kMainLayout);
  EXPECT_LT(Log().IndexOf("SetParent Button1 GradBox1"),
            Log().IndexOf("SetCaption Button1 loading reading"));
}

// ---- Extra properties ---------------------------------------------------------

TEST_F(StreamingReader, ExtraListWithFewerValuesLeavesTheOtherItems) {
  ReadComponentLayout(Form,
                      u8"object Form1: TTestForm\n"
                      u8"  object L: TTestList\n"
                      u8"    Items.Strings = ('a' 'b' 'c')\n"
                      u8"    Checked = (True)\n"
                      u8"    ImageIndexes = ()\n"
                      u8"  end\n"
                      u8"end\n");
  auto* List = Find<TTestList>("L");
  EXPECT_TRUE(List->Checked(0));
  EXPECT_FALSE(List->Checked(1));
  EXPECT_FALSE(List->Checked(2));
  EXPECT_EQ(List->ImageIndex(0), -1);
}

TEST_F(StreamingReader, ExtraListWithMoreValuesThanItemsFailsAtTheListEnd) {
  std::string Detail;
  EXPECT_EQ(ErrorLine(u8"object Form1: TTestForm\n"
                      u8"  object L: TTestList\n"
                      u8"    Items.Strings = ('a' 'b')\n"
                      u8"    Checked = (\n"
                      u8"      True\n"
                      u8"      False\n"
                      u8"      True)\n"
                      u8"  end\n"
                      u8"end\n",
                      &Detail),
            7);
  EXPECT_EQ(Detail, messages::kInvalidPropertyValue);
}

struct TBadValue {
  const char* Name;
  const char* Property;  // one line inside "object L: TTestList"
};

class StreamingReaderBadValues : public StreamingReader,
                                 public testing::WithParamInterface<TBadValue> {};

// Each bad property sits on line 4 of the layout.
TEST_P(StreamingReaderBadValues, FailWithInvalidPropertyValueAtItsLine) {
  const std::string Layout = std::string(
                                 u8"object Form1: TTestForm\n"
                                 u8"  object L: TTestList\n"
                                 u8"    Items.Strings = ('a' 'b')\n    ") +
                             GetParam().Property + "\n  end\nend\n";
  std::string Detail;
  EXPECT_EQ(ErrorLine(Layout.c_str(), &Detail), 4);
  EXPECT_EQ(Detail, messages::kInvalidPropertyValue);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, StreamingReaderBadValues,
    testing::Values(
        TBadValue{"StringForInteger", "Left = '1'"},
        TBadValue{"NameForPlainInteger", "Left = clWhite"},
        TBadValue{"UnknownColourName", "Color = clNoSuchColour"},
        TBadValue{"IntegerForBoolean", "Visible = 1"},
        TBadValue{"IdentForString", "Caption = Hello"},
        TBadValue{"UnknownEnumMember", "Style = tsWavy"}, TBadValue{"IntegerForEnum", "Style = 1"},
        TBadValue{"UnknownSetMember", "Font.Style = [fsBold, fsShadow]"},
        TBadValue{"ByteOutOfRange", "Depth = 256"}, TBadValue{"NegativeByte", "Depth = -1"},
        TBadValue{"ListForStringList", "Items = ('x')"},
        TBadValue{"IntegerInStringList", "Items.Strings = ('x' 1)"},
        TBadValue{"ValueForSubObject", "Font = 1"},
        TBadValue{"StringForReference", "PopupMenu = 'Menu'"},
        TBadValue{"BooleanInIntegerList", "ImageIndexes = (True)"},
        TBadValue{"ScalarForList", "Checked = True"}, TBadValue{"ListForScalar", "Height = (20)"}),
    [](const testing::TestParamInfo<TBadValue>& Info) { return Info.param.Name; });

// ---- Names the reader cannot resolve -------------------------------------------

struct TBadName {
  const char* Name;
  const char* Layout;
  int Line;
};

class StreamingReaderBadNames : public StreamingReader,
                                public testing::WithParamInterface<TBadName> {};

TEST_P(StreamingReaderBadNames, FailAtTheirLine) {
  EXPECT_EQ(ErrorLine(GetParam().Layout), GetParam().Line);
}

INSTANTIATE_TEST_SUITE_P(
    Names, StreamingReaderBadNames,
    testing::Values(
        TBadName{"UnknownProperty", u8"object F: TTestForm\n  Left = 1\nend\n", 2},
        TBadName{"UnknownSubProperty", u8"object F: TTestForm\n\n  Font.Size = 9\nend\n", 3},
        TBadName{"PathThroughPlainProperty", u8"object F: TTestForm\n  Caption.X = 1\nend\n", 2},
        TBadName{"UnknownExtraProperty",
                 u8"object F: TTestForm\n  object L: TTestList\n    Ticks = (1)\n  end\nend\n", 3},
        TBadName{"UnknownClass", u8"object F: TTestForm\n  object B: TNoSuchButton\n  end\nend\n",
                 2},
        TBadName{"WrongRootClass", u8"object F: TTestControl\nend\n", 1},
        TBadName{"DuplicateName",
                 u8"object F: TTestForm\n  object A: TTestMenu\n  end\n  object a: TTestMenu\n"
                 u8"  end\nend\n",
                 4},
        TBadName{"NameOfTheRoot", u8"object F: TTestForm\n  object F: TTestMenu\n  end\nend\n", 2},
        TBadName{"UnknownReference",
                 u8"object F: TTestForm\n  object A: TTestControl\n    PopupMenu = Menu9\n"
                 u8"  end\nend\n",
                 3},
        TBadName{"ReferenceOfWrongClass",
                 u8"object F: TTestForm\n  object A: TTestMenuItem\n  end\n"
                 u8"  object B: TTestControl\n    PopupMenu = A\n  end\nend\n",
                 5},
        TBadName{"UnknownHandler",
                 u8"object F: TTestForm\n  object A: TTestControl\n    OnClick = Button2Click\n"
                 u8"  end\nend\n",
                 3},
        TBadName{"HandlerOfOtherSignature",
                 u8"object F: TTestForm\n  object A: TTestControl\n\n    OnClick = EditKeyPress\n"
                 u8"  end\nend\n",
                 4}),
    [](const testing::TestParamInfo<TBadName>& Info) { return Info.param.Name; });

TEST_F(StreamingReader, ReadsEmbeddedLayoutsByResourceName) {
  EXPECT_THROW(ReadComponentResource(Form, "NO_SUCH_LAYOUT"), EResNotFound);
}

TEST_F(StreamingReader, FailedReadLeavesNoComponentInTheReadingState) {
  EXPECT_NE(ErrorLine(u8"object F: TTestForm\n  object A: TTestControl\n    Left = x\n"
                      u8"  end\nend\n"),
            0);
  ASSERT_EQ(Form.ComponentCount(), 1);
  EXPECT_FALSE(Form.Components(0)->HasState(csReading));
  EXPECT_FALSE(Form.HasState(csReading));
}

}  // namespace
}  // namespace streamingtest
