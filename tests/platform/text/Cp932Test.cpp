#include "platform/text/Cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace cp932;

namespace {

// Bytes written out so that the tests do not depend on how the compiler
// converts literals.
const std::string kSo = "\x83\x5C";     // ソ: trail byte is "\"
const std::string kZo = "\x83\x5D";     // ゾ: trail byte is "]"
const std::string kA = "\x83\x41";      // ア: trail byte is "A"
const std::string kDi = "\x83\x61";     // ヂ: trail byte is "a"
const std::string kFullA = "\x82\x60";  // Ａ
const std::string kFulla = "\x82\x81";  // ａ

}  // namespace

TEST(Cp932Stepping, LeadBytesAreTheTwoWindowsRanges) {
  EXPECT_FALSE(IsLeadByte('\x80'));
  EXPECT_TRUE(IsLeadByte('\x81'));
  EXPECT_TRUE(IsLeadByte('\x9F'));
  EXPECT_FALSE(IsLeadByte('\xA0'));
  EXPECT_FALSE(IsLeadByte('\xDF'));  // half-width katakana are single bytes
  EXPECT_TRUE(IsLeadByte('\xE0'));
  EXPECT_TRUE(IsLeadByte('\xFC'));
  EXPECT_FALSE(IsLeadByte('\xFD'));
}

TEST(Cp932Stepping, NeverLandsOnATrailByte) {
  // a ソ ｱ ゾ: the trail bytes "\" and "]" must not be taken for characters.
  std::string Text = "a" + kSo + "\xB1" + kZo;
  EXPECT_EQ(NextCharPos(Text, 0), 1u);
  EXPECT_EQ(NextCharPos(Text, 1), 3u);
  EXPECT_EQ(NextCharPos(Text, 3), 4u);
  EXPECT_EQ(NextCharPos(Text, 4), 6u);
  EXPECT_EQ(PrevCharPos(Text, 6), 4u);
  EXPECT_EQ(PrevCharPos(Text, 4), 3u);
  EXPECT_EQ(PrevCharPos(Text, 3), 1u);
  EXPECT_FALSE(IsCharBoundary(Text, 2));
  EXPECT_FALSE(IsCharBoundary(Text, 5));
  EXPECT_EQ(FloorCharBoundary(Text, 2), 1u);
  EXPECT_EQ(FloorCharBoundary(Text, 5), 4u);
}

TEST(Cp932Stepping, ALeadByteCutOffAtTheEndIsOneCharacter) {
  std::string Text = "ab\x83";
  EXPECT_EQ(CharLength(Text, 2), 1u);
  EXPECT_EQ(NextCharPos(Text, 2), 3u);
  EXPECT_EQ(PrevCharPos(Text, 3), 2u);
}

TEST(Cp932Case, UpperCaseFoldsAsciiAndFullWidthButNotTrailBytes) {
  EXPECT_EQ(AnsiUpperCase("abcXYZ"), "ABCXYZ");
  EXPECT_EQ(AnsiUpperCase(kFulla), kFullA);
  // ヂ (83 61) must not become ア (83 41).
  EXPECT_EQ(AnsiUpperCase(kDi), kDi);
  EXPECT_EQ(AnsiUpperCase("a" + kDi + "b"), "A" + kDi + "B");
}

using CompareCase = std::tuple<std::string, std::string, int>;
class Cp932Compare : public ::testing::TestWithParam<CompareCase> {};

TEST_P(Cp932Compare, FoldsByCharacter) {
  const auto& [A, B, Expected] = GetParam();
  int Result = AnsiCompareText(A, B);
  EXPECT_EQ(Result < 0 ? -1 : Result > 0 ? 1 : 0, Expected) << A << " vs " << B;
  int Reverse = AnsiCompareText(B, A);
  EXPECT_EQ(Reverse < 0 ? -1 : Reverse > 0 ? 1 : 0, -Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Cp932Compare,
    ::testing::Values(CompareCase{"weather", "WEATHER", 0}, CompareCase{"Museum", "museum", 0},
                      CompareCase{kFulla, kFullA, 0},
                      CompareCase{"a", kFulla, -1},  // half- and full-width stay apart
                      CompareCase{kA, kDi, -1},      // kana compare as they are
                      CompareCase{"ab", "abc", -1}, CompareCase{"", "", 0},
                      CompareCase{"b", "A", 1},
                      // a lead byte cut off at the end is not the character 81 00
                      CompareCase{"\x81", std::string("\x81\0", 2), -1}));

TEST(Cp932Case, StartsTextNeverMatchesHalfACharacter) {
  EXPECT_TRUE(AnsiStartsText("T", "train"));
  EXPECT_TRUE(AnsiStartsText("TR", "Train"));
  EXPECT_FALSE(AnsiStartsText("x", "train"));
  EXPECT_TRUE(AnsiStartsText(kSo, kSo + "a"));
  // The lead byte alone is no prefix of ソ.
  EXPECT_FALSE(AnsiStartsText("\x83", kSo));
  EXPECT_FALSE(AnsiStartsText("train!", "train"));
}

struct RoundTrip {
  const char* Name;
  std::string Cp932;
  std::string Utf8;
};
class Cp932Conversion : public ::testing::TestWithParam<RoundTrip> {};

// The mappings Windows uses for code page 932.
TEST_P(Cp932Conversion, MatchesWindowsBothWays) {
  const RoundTrip& Case = GetParam();
  EXPECT_EQ(ToUtf8(Case.Cp932).value_or("<refused>"), Case.Utf8) << Case.Name;
  EXPECT_EQ(FromUtf8(Case.Utf8).value_or("<refused>"), Case.Cp932) << Case.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Cp932Conversion,
    ::testing::Values(RoundTrip{"backslash stays backslash", "\x5C", "\\"},
                      RoundTrip{"tilde stays tilde", "\x7E", "~"},
                      RoundTrip{"wave dash is the full-width tilde", "\x81\x60", u8"\uFF5E"},
                      RoundTrip{"minus is the full-width hyphen-minus", "\x81\x7C", u8"\uFF0D"},
                      RoundTrip{"NEC circled one", "\x87\x40", u8"\u2460"},
                      RoundTrip{"IBM small roman one", "\xFA\x40", u8"\u2170"},
                      RoundTrip{"half-width katakana", "\xB1", u8"\uFF71"},
                      RoundTrip{"kana", "\x83\x5C", u8"ソ"}));

TEST(Cp932Conversion, DuplicatesMapToTheCodeWindowsPrefers) {
  // NEC row 13 and NEC-selected IBM characters have twins; Windows writes the
  // JIS or IBM form back.
  EXPECT_EQ(ToUtf8("\x87\x90").value(), u8"\u2252");
  EXPECT_EQ(FromUtf8(u8"\u2252").value(), "\x81\xE0");
  EXPECT_EQ(ToUtf8("\xED\x40").value(), u8"\u7E8A");
  EXPECT_EQ(FromUtf8(u8"\u7E8A").value(), "\xFA\x5C");
  // U+301C WAVE DASH (what other converters use for 81 60) is accepted too.
  EXPECT_EQ(FromUtf8(u8"\u301C").value(), "\x81\x60");
}

TEST(Cp932Conversion, InputThatCannotBeHeldIsRefused) {
  EXPECT_FALSE(FromUtf8(u8"\U0001F600").has_value());  // an emoji
  EXPECT_FALSE(FromUtf8(u8"\u00E9").has_value());      // é
  EXPECT_FALSE(FromUtf8("\xFF\xFE").has_value());      // no UTF-8 at all
  EXPECT_FALSE(ToUtf8("\x83").has_value());            // lead byte at the end
  EXPECT_FALSE(ToUtf8("\xFD").has_value());
}

TEST(Cp932Conversion, DisplayShowsAReplacementAndGoesOn) {
  EXPECT_EQ(ToUtf8Lossy("a\xFD"
                        "b"),
            u8"a\uFFFDb");
  EXPECT_EQ(ToUtf8Lossy("ab\x83"), u8"ab\uFFFD");
  EXPECT_EQ(ToUtf8Lossy("\x83\x5C\x80\x83\x41"), u8"ソ\uFFFDア");
  EXPECT_EQ(ToUtf8Lossy(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp932Conversion, DecodeGivesCodePoints) {
  std::size_t Length = 0;
  EXPECT_EQ(DecodeChar("A", 0, &Length), U'A');
  EXPECT_EQ(Length, 1u);
  EXPECT_EQ(DecodeChar(kSo, 0, &Length), U'\u30BD');
  EXPECT_EQ(Length, 2u);
  EXPECT_EQ(DecodeChar("\xFD", 0, &Length), U'\uFFFD');
}

// The system's own texts are written in UTF-8 sources and must be code page
// 932 bytes at run time.
TEST(Cp932Literals, OwnTextsAreCp932AtRunTime) {
  const std::string Literal = "検索";
  EXPECT_EQ(Literal, "\x8C\x9F\x8D\xF5");
  EXPECT_EQ(FromUtf8(u8"キーワードを入力してください。").value(),
            std::string("キーワードを入力してください。"));
  EXPECT_EQ(std::string("\\"), "\x5C");
}
