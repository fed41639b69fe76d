// Where DrawText breaks lines, puts tab stops, prefix underlines and
// ellipses, with made-up widths: every single-byte character is 5 pixels
// wide, every double-byte character 10, tab stops are 40 apart.

#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/TextLayout.h"
#include "platform/text/Cp932.h"

namespace {

class TFixedMeasure : public TTextMeasure {
public:
  int Advance(std::string_view Text, std::size_t Pos, std::size_t* Length) override {
    *Length = cp932::CharLength(Text, Pos);
    return *Length == 2 ? 10 : 5;
  }
  int TabWidth() override { return 40; }
};

std::vector<TTextLine> Layout(std::string_view Text, unsigned Format, int MaxWidth,
                              int MaxLines = 0) {
  TFixedMeasure Measure;
  TTextLayoutRequest Request;
  Request.Format = Format;
  Request.MaxWidth = MaxWidth;
  Request.MaxLines = MaxLines;
  return LayoutText(Text, Request, Measure);
}

// The lines joined with '|'.
std::string Joined(const std::vector<TTextLine>& Lines) {
  std::string Result;
  for (std::size_t I = 0; I < Lines.size(); ++I) Result += (I ? "|" : "") + Lines[I].Text;
  return Result;
}

struct TBreakCase {
  const char* Name;
  const char* Text;
  unsigned Format;
  int MaxWidth;
  int MaxLines;
  const char* Lines;
};

class DrawTextLayout : public testing::TestWithParam<TBreakCase> {};

TEST_P(DrawTextLayout, BreaksLines) {
  const TBreakCase& Case = GetParam();
  EXPECT_EQ(Joined(Layout(Case.Text, Case.Format, Case.MaxWidth, Case.MaxLines)), Case.Lines);
}

constexpr unsigned WB = DT_WORDBREAK;
constexpr unsigned SL = DT_SINGLELINE;
constexpr unsigned EE = DT_END_ELLIPSIS;
constexpr unsigned NP = DT_NOPREFIX;

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawTextLayout,
    testing::Values(
        TBreakCase{"FitsWhole", "aaa bbb", WB, 35, 0, "aaa bbb"},
        TBreakCase{"BreaksAtBlank", "aaa bbb ccc", WB, 40, 0, "aaa bbb|ccc"},
        TBreakCase{"BlanksAtBreakDropped", "aa   bb", WB, 20, 0, "aa|bb"},
        TBreakCase{"LeadingBlanksKept", "  aa", WB, 50, 0, "  aa"},
        TBreakCase{"LongWordCutWhereItOverflows", "abcdefghij", WB, 22, 0, "abcd|efgh|ij"},
        TBreakCase{"WordBeforeLongWord", "ab cdefghijkl", WB, 30, 0, "ab|cdefgh|ijkl"},
        TBreakCase{"AtLeastOneCharacterPerLine", "abc", WB, 3, 0, "a|b|c"},
        TBreakCase{"JapaneseBreaksBetweenAnyTwo", "検索サイトの選択", WB, 35, 0,
                   "検索サ|イトの|選択"},
        TBreakCase{"BreakAfterDoubleByte", "ab検索cd", WB, 25, 0, "ab検|索cd"},
        TBreakCase{"DoubleByteNeverSplit", "検索", WB, 15, 0, "検|索"},
        TBreakCase{"HalfWidthKanaIsOneWord", "ｱｲｳｴｵ", WB, 12, 0, "ｱｲ|ｳｴ|ｵ"},
        TBreakCase{"HardLineEnds", "a\r\nb\nc\rd", 0, 100, 0, "a|b|c|d"},
        TBreakCase{"FinalLineEndOpensNoLine", "a\n", 0, 100, 0, "a"},
        TBreakCase{"EmptyLinesKept", "a\n\nb", 0, 100, 0, "a||b"},
        TBreakCase{"SingleLineKeepsLineEnds", "a\nb", SL | WB, 3, 0, "a\nb"},
        TBreakCase{"NoWordBreakNoWrap", "aaa bbb ccc", 0, 10, 0, "aaa bbb ccc"},
        TBreakCase{"PrefixRemoved", "&File", WB, 100, 0, "File"},
        TBreakCase{"DoublePrefixIsAmpersand", "a&&b", 0, 100, 0, "a&b"},
        TBreakCase{"TrailingPrefixDropped", "ab&", 0, 100, 0, "ab"},
        TBreakCase{"NoPrefixKeepsAmpersands", "&a&&b", NP, 100, 0, "&a&&b"},
        TBreakCase{"EllipsisSingleLine", "abcdefghij", SL | EE, 32, 0, "abc..."},
        TBreakCase{"EllipsisOnlyWhenTooWide", "abcdef", SL | EE, 30, 0, "abcdef"},
        TBreakCase{"EllipsisAloneWhenNothingFits", "abcdef", SL | EE, 4, 0, "..."},
        TBreakCase{"EllipsisKeepsDoubleByteWhole", "検索サイト", SL | EE, 44, 0, "検索..."},
        TBreakCase{"EllipsisPerLineWithoutWordBreak", "abcdefgh\nab", EE, 30, 0, "abc...|ab"},
        TBreakCase{"EllipsisWhereTextIsCutAtTheBottom", "aaa bbb ccc ddd", WB | EE, 20, 2,
                   "aaa|b..."},
        TBreakCase{"LastLineFitsWithEllipsis", "aaaaa bb ccccc", WB | EE, 30, 2, "aaaaa|bb..."},
        TBreakCase{"NoEllipsisWhenAllFits", "aaa bbb", WB | EE, 20, 2, "aaa|bbb"},
        TBreakCase{"NoEllipsisForTrailingBlankLines", "aaa\n\n", WB | EE, 20, 1, "aaa"},
        TBreakCase{"PickerRowFlags", "Google News Japan", 0x8850, 40, 1, "Googl..."}),
    [](const testing::TestParamInfo<TBreakCase>& Info) { return Info.param.Name; });

TEST(DrawTextLayout, EmptyTextHasNoLine) { EXPECT_TRUE(Layout("", WB, 100).empty()); }

TEST(DrawTextLayout, LineWidthsCountTheShownText) {
  auto Lines = Layout("aaa bbb ccc", WB, 40);
  ASSERT_EQ(Lines.size(), 2u);
  EXPECT_EQ(Lines[0].Width, 35);
  EXPECT_EQ(Lines[1].Width, 15);
  EXPECT_EQ(Layout("abcdefghij", SL | EE, 32)[0].Width, 30);
}

struct TPrefixCase {
  const char* Text;
  unsigned Format;
  int MaxWidth;
  std::size_t Line;
  int UnderlineX, UnderlineWidth;
};

class DrawTextPrefix : public testing::TestWithParam<TPrefixCase> {};

TEST_P(DrawTextPrefix, UnderlinesTheMarkedCharacter) {
  const TPrefixCase& Case = GetParam();
  auto Lines = Layout(Case.Text, Case.Format, Case.MaxWidth);
  ASSERT_GT(Lines.size(), Case.Line);
  EXPECT_EQ(Lines[Case.Line].UnderlineX, Case.UnderlineX);
  EXPECT_EQ(Lines[Case.Line].UnderlineWidth, Case.UnderlineWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawTextPrefix,
    testing::Values(TPrefixCase{"&File", 0, 100, 0, 0, 5}, TPrefixCase{"E&xit", 0, 100, 0, 5, 5},
                    TPrefixCase{"検&索", 0, 100, 0, 10, 10},  // a whole double-byte character
                    TPrefixCase{"a&&b", 0, 100, 0, -1, 0},    // "&&" marks nothing
                    TPrefixCase{"&a&b", 0, 100, 0, 5, 5},     // the last mark of a line wins
                    TPrefixCase{"&File", NP, 100, 0, -1, 0},  // no prefix processing
                    TPrefixCase{"aa b&c", WB, 12, 1, 5, 5},   // on the wrapped line
                    TPrefixCase{"abcde&fgh", SL | EE, 32, 0, -1, 0},  // cut by the ellipsis
                    TPrefixCase{"a\t&b", DT_EXPANDTABS, 100, 0, 40, 5}));

TEST(DrawTextLayout, TabsExpandToStopsAndSplitTheLine) {
  auto Lines = Layout("a\tbb\tc", DT_EXPANDTABS, 200);
  ASSERT_EQ(Lines.size(), 1u);
  const TTextLine& Line = Lines[0];
  ASSERT_EQ(Line.Segments.size(), 3u);
  EXPECT_EQ(Line.Segments[0].X, 0);
  EXPECT_EQ(Line.Segments[1].X, 40);
  EXPECT_EQ(Line.Segments[2].X, 80);
  EXPECT_EQ(Line.Text.substr(Line.Segments[1].Offset, Line.Segments[1].Length), "bb");
  EXPECT_EQ(Line.Width, 85);
  // A tab right at a stop goes on to the next one.
  EXPECT_EQ(Layout("aaaaaaaa\tb", DT_EXPANDTABS, 200)[0].Segments[1].X, 80);
}

TEST(DrawTextLayout, TabsWithoutExpansionAreCharacters) {
  auto Lines = Layout("a\tb", 0, 200);
  ASSERT_EQ(Lines[0].Segments.size(), 1u);
  EXPECT_EQ(Lines[0].Width, 15);
}

TEST(DrawTextLayout, ExpandedTabsCountWhenBreaking) {
  // "a" + tab reaches 40, "bcd" would end at 55.
  EXPECT_EQ(Joined(Layout("a\tbcd", WB | DT_EXPANDTABS, 50)), "a\tbc|d");
}

}  // namespace
