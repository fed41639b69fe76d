// Layout text -> tree -> text, and where a bad layout is reported.

#include <gtest/gtest.h>

#include "framework/streaming/StreamingParser.h"

namespace {

// The layout text is UTF-8 (u8 literals); values compare with plain literals,
// which the compiler turns into code page 932, the system's text.
TLayoutObject Parse(const char* Utf8) { return ParseLayout(Utf8); }

const TLayoutValue& ValueOf(const TLayoutObject& Object, std::size_t Index) {
  return Object.Properties.at(Index).Value;
}

TEST(StreamingParser, ReadsObjectsPropertiesAndNesting) {
  TLayoutObject Root = Parse(
      u8"object MainForm1: TMainForm1\n"
      u8"  Left = 20\n"
      u8"  Font.Color = clWindowText\n"
      u8"  object PopupMenu1: TPopupMenu\n"
      u8"    object N8: TMenuItem\n"
      u8"      Caption = '検索履歴を削除する(&D)'\n"
      u8"    end\n"
      u8"  end\n"
      u8"  object TTimer\n"
      u8"  end\n"
      u8"end\n");
  EXPECT_EQ(Root.Name, "MainForm1");
  EXPECT_EQ(Root.ClassName, "TMainForm1");
  ASSERT_EQ(Root.Properties.size(), 2u);
  EXPECT_EQ(Root.Properties[1].Name, "Font.Color");
  EXPECT_EQ(Root.Properties[1].Line, 3);
  ASSERT_EQ(Root.Children.size(), 2u);
  const TLayoutObject& Item = Root.Children[0].Children.at(0);
  EXPECT_EQ(Item.Name, "N8");
  EXPECT_EQ(Item.Line, 5);
  EXPECT_EQ(ValueOf(Item, 0).Text, "検索履歴を削除する(&D)");
  // An unnamed component: only the class is given.
  EXPECT_EQ(Root.Children[1].Name, "");
  EXPECT_EQ(Root.Children[1].ClassName, "TTimer");
}

TEST(StreamingParser, ReadsEveryValueKind) {
  TLayoutObject Root = Parse(
      u8"object A: TA\n"
      u8"  I1 = 16744448\n"
      u8"  I2 = -12\n"
      u8"  I3 = $FF\n"
      u8"  I4 = $8000000F\n"
      u8"  I5 = -2147483648\n"
      u8"  S1 = 'It''s'\n"
      u8"  S2 = 'Line one'#13#10'Line two'\n"
      u8"  S3 = 'first ' +\n"
      u8"    'second'\n"
      u8"  S4 = #26908#32034\n"
      u8"  S5 = ''\n"
      u8"  B1 = True\n"
      u8"  B2 = false\n"
      u8"  E = bsToolWindow\n"
      u8"  Set1 = [fsBold, fsUnderline]\n"
      u8"  Set2 = []\n"
      u8"  L = (\n"
      u8"    'Google'\n"
      u8"    'Yahoo! Japan'\n"
      u8"    0 True (1 2))\n"
      u8"end\n");
  EXPECT_EQ(ValueOf(Root, 0).Integer, 16744448);
  EXPECT_EQ(ValueOf(Root, 1).Integer, -12);
  EXPECT_EQ(ValueOf(Root, 2).Integer, 255);
  EXPECT_EQ(ValueOf(Root, 3).Integer, static_cast<std::int32_t>(0x8000000Fu));
  EXPECT_EQ(ValueOf(Root, 4).Integer, INT32_MIN);
  EXPECT_EQ(ValueOf(Root, 5).Text, "It's");
  EXPECT_EQ(ValueOf(Root, 6).Text, "Line one\r\nLine two");
  EXPECT_EQ(ValueOf(Root, 7).Text, "first second");
  EXPECT_EQ(ValueOf(Root, 8).Text, "検索");  // character codes are Unicode
  EXPECT_EQ(ValueOf(Root, 9).Kind, TLayoutValueKind::lvString);
  EXPECT_EQ(ValueOf(Root, 9).Text, "");
  EXPECT_TRUE(ValueOf(Root, 10).Boolean);
  EXPECT_EQ(ValueOf(Root, 11).Kind, TLayoutValueKind::lvBoolean);
  EXPECT_FALSE(ValueOf(Root, 11).Boolean);
  EXPECT_EQ(ValueOf(Root, 12).Kind, TLayoutValueKind::lvIdent);
  EXPECT_EQ(ValueOf(Root, 12).Text, "bsToolWindow");
  EXPECT_EQ(ValueOf(Root, 13).Members, (std::vector<std::string>{"fsBold", "fsUnderline"}));
  EXPECT_TRUE(ValueOf(Root, 14).Members.empty());
  const TLayoutValue& List = ValueOf(Root, 15);
  ASSERT_EQ(List.Items.size(), 5u);
  EXPECT_EQ(List.Items[1].Text, "Yahoo! Japan");
  EXPECT_EQ(List.Items[1].Line, 20);
  EXPECT_EQ(List.Items[4].Items.size(), 2u);
}

TEST(StreamingParser, CountsEveryKindOfLineEndAndSkipsComments) {
  TLayoutObject Root = ParseLayout(
      "\xEF\xBB\xBFobject A: TA\r\n"
      "  // a note\r"
      "  X = 1 // trailing note\n"
      "  Y = 2\r\n"
      "end");
  EXPECT_EQ(Root.Properties.at(0).Line, 3);
  EXPECT_EQ(Root.Properties.at(1).Line, 4);
}

struct TBadLayout {
  const char* Name;
  const char* Utf8;
  int Line;
};

class StreamingParserErrors : public testing::TestWithParam<TBadLayout> {};

TEST_P(StreamingParserErrors, RaiseTheReadErrorWithTheLine) {
  try {
    ParseLayout(GetParam().Utf8);
    FAIL() << "no error";
  } catch (const ELayoutError& Error) {
    EXPECT_EQ(Error.Line(), GetParam().Line) << Error.Message();
    // The message names the line too, for the error box.
    EXPECT_NE(Error.Message().find(std::to_string(GetParam().Line)), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, StreamingParserErrors,
    testing::Values(
        TBadLayout{"UnterminatedString", u8"object A: TA\n  X = 1\n  S = 'abc\nend\n", 3},
        TBadLayout{"StrayCharacter", u8"object A: TA\n  X = 1 ;\nend\n", 2},
        TBadLayout{"MissingEquals", u8"object A: TA\n\n  X 1\nend\n", 3},
        TBadLayout{"MissingEnd", u8"object A: TA\n  X = 1\n", 3},
        TBadLayout{"MissingValue", u8"object A: TA\n  X =\nend\n", 3},
        TBadLayout{"TextAfterEnd", u8"object A: TA\nend\nobject B: TB\nend\n", 3},
        TBadLayout{"NoObject", u8"\n  X = 1\n", 2},
        TBadLayout{"NoClass", u8"object A:\n  X = 1\nend\n", 2},
        TBadLayout{"DecimalOutOfRange", u8"object A: TA\n  X = 2147483648\nend\n", 2},
        TBadLayout{"HexOutOfRange", u8"object A: TA\n  X = $100000000\nend\n", 2},
        TBadLayout{"NumberGluedToName", u8"object A: TA\n  X = 12px\nend\n", 2},
        TBadLayout{"ZeroCharCode", u8"object A: TA\n\n  S = 'a'#0\nend\n", 3},
        TBadLayout{"SurrogateCharCode", u8"object A: TA\n  S = #55296\nend\n", 2},
        TBadLayout{"NotInCodePage932", u8"object A: TA\n  S = 'ok'\n  T = '\U0001F600'\nend\n", 3},
        TBadLayout{"InvalidUtf8", "object A: TA\n  S = '\x82\xa0'\nend\n", 2},
        TBadLayout{"UnclosedSet", u8"object A: TA\n  S = [a, b\nend\n", 3},
        TBadLayout{"UnclosedList", u8"object A: TA\n  L = (1\n  2\n", 4},
        TBadLayout{"PlusWithoutString", u8"object A: TA\n  S = 'a' +\n  1\nend\n", 3}),
    [](const testing::TestParamInfo<TBadLayout>& Info) { return Info.param.Name; });

TEST(StreamingParser, RunawayNestingIsAnErrorNotACrash) {
  std::string Deep = "object A: TA\n  L = " + std::string(100000, '(');
  EXPECT_THROW(ParseLayout(Deep), ELayoutError);
  std::string Objects;
  for (int I = 0; I < 100000; ++I) Objects += "object TA\n";
  EXPECT_THROW(ParseLayout(Objects), ELayoutError);
  // Ordinary depths read.
  EXPECT_NO_THROW(ParseLayout("object A: TA\n  L = ((((1))))\nend\n"));
}

TEST(StreamingParser, FormattedTreeParsesBackToTheSameTree) {
  TLayoutObject Root;
  Root.Name = "Form1";
  Root.ClassName = "TForm1";
  Root.Properties = {
      {"Caption", TLayoutValue::OfString("検索の実行"), 0},
      {"Hint", TLayoutValue::OfString("It's\r\n'quoted'\t"), 0},
      {"Empty", TLayoutValue::OfString(""), 0},
      {"Left", TLayoutValue::OfInteger(-20), 0},
      {"Font.Style", TLayoutValue::OfSet({"fsUnderline"}), 0},
      {"Visible", TLayoutValue::OfBoolean(false), 0},
      {"Items.Strings",
       TLayoutValue::OfList({TLayoutValue::OfString("ニコニコ動画"),
                             TLayoutValue::OfList({TLayoutValue::OfInteger(1)})}),
       0},
  };
  TLayoutObject Child;
  Child.Name = "";
  Child.ClassName = "TTimer";
  Child.Properties = {{"Enabled", TLayoutValue::OfIdent("clBtnFace"), 0}};
  Root.Children = {Child};

  const std::string Text = FormatLayout(Root);
  EXPECT_EQ(ParseLayout(Text), Root) << Text;
  // Japanese text is written as UTF-8 inside the quotes, control characters
  // as codes between them.
  EXPECT_NE(Text.find(u8"Caption = '検索の実行'"), std::string::npos) << Text;
  EXPECT_NE(Text.find(u8"Hint = 'It''s'#13#10'''quoted'''#9"), std::string::npos) << Text;
}

TEST(StreamingParser, RefusesToFormatTextThatIsNoCodePage932) {
  TLayoutObject Root;
  Root.Name = "A";
  Root.ClassName = "TA";
  Root.Properties = {{"S", TLayoutValue::OfString("\x82"), 0}};  // a lone lead byte
  EXPECT_THROW(FormatLayout(Root), EWriteError);
}

TEST(StreamingParser, TreeEqualityIgnoresLinesAndNameCase) {
  TLayoutObject A = Parse(u8"object a: ta\n  font.color = CLWHITE\nend\n");
  TLayoutObject B = Parse(u8"\n\nobject A: TA\n  Font.Color = clWhite\nend\n");
  EXPECT_EQ(A, B);
  B.Properties[0].Value = TLayoutValue::OfString("clWhite");
  EXPECT_NE(A, B);
}

}  // namespace
