#include "platform/text/Utf16.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cp932;

namespace {

// Code page 932 bytes written out, independent of the compiler's charset.
const std::string kTou = "\x93\x8C";   // 東 U+6771
const std::string kKyou = "\x8B\x9E";  // 京 U+4EAC
const std::string kSo = "\x83\x5C";    // ソ U+30BD: trail byte is "\"
const std::string kHalfA = "\xB1";     // ｱ U+FF71
const std::string kGeta = "\x81\xAC";  // 〓

struct TFromCase {
  const char* Name;
  std::u16string Utf16;
  TUtf16Controls Controls;
  std::string Cp932;
  int Refused;
};

class Utf16ToCp932 : public testing::TestWithParam<TFromCase> {};

TEST_P(Utf16ToCp932, ConvertsOrRefusesEachCharacter) {
  const TFromUtf16 Out = FromUtf16LeavingOut(GetParam().Utf16, GetParam().Controls);
  EXPECT_EQ(Out.Text, GetParam().Cp932);
  EXPECT_EQ(Out.Refused, GetParam().Refused);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf16ToCp932,
    testing::Values(
        TFromCase{"Ascii", u"abc", ucDrop, "abc", 0},
        TFromCase{"Kanji", u"\u6771\u4EAC", ucDrop, kTou + kKyou, 0},
        TFromCase{"TrailByteBackslash", u"\u30BD", ucDrop, kSo, 0},
        TFromCase{"HalfWidthKana", u"\uFF71", ucDrop, kHalfA, 0},
        // A character outside CP932 is left out and counted, never '?'.
        TFromCase{"LatinOutsideCp932", u"a\u00E9b", ucDrop, "ab", 1},
        // Surrogate pairs: CP932 has no character beyond the BMP.
        TFromCase{"PairOutsideCp932", u"\u6771\U00020BB7\u4EAC", ucDrop, kTou + kKyou, 1},
        TFromCase{"LoneHighSurrogate", std::u16string(u"a") + char16_t(0xD83D) + u"b", ucDrop, "ab",
                  1},
        TFromCase{"LoneLowSurrogate", std::u16string(1, char16_t(0xDE00)) + u"b", ucDrop, "b", 1},
        TFromCase{"HighSurrogateAtTheEnd", std::u16string(u"a") + char16_t(0xD83D), ucDrop, "a", 1},
        // Typed control characters come from the keys: dropped, no refusal.
        TFromCase{"TypedControlsDropped",
                  u"a\r\n\t\x7F"
                  u"b",
                  ucDrop, "ab", 0},
        TFromCase{"PastedControlsKept", u"a\r\n\tb", ucKeep, "a\r\n\tb", 0},
        TFromCase{"PastedOutsideCp932LeftOut", u"a\u00E9\r\n\u6771", ucKeep, "a\r\n" + kTou, 1},
        TFromCase{"Empty", u"", ucKeep, "", 0}),
    [](const testing::TestParamInfo<TFromCase>& Info) { return Info.param.Name; });

TEST(Utf16FromCp932, RoundTripsJapaneseText) {
  const std::string Text = "a" + kTou + kSo + kHalfA + kKyou + "\\";
  EXPECT_EQ(ToUtf16Lossy(Text), u"a\u6771\u30BD\uFF71\u4EAC\\");
  EXPECT_EQ(FromUtf16LeavingOut(ToUtf16Lossy(Text), ucKeep).Text, Text);
}

struct TValuedCase {
  const char* Name;
  std::u16string Utf16;
  std::vector<std::uint8_t> Values;
  int Caret;
  std::string Cp932;
  std::vector<std::uint8_t> ByteValues;
  int ByteCaret;
};

class Utf16WithValues : public testing::TestWithParam<TValuedCase> {};

TEST_P(Utf16WithValues, GivesEveryByteItsCharactersValue) {
  const TValuedText Out =
      FromUtf16WithValues(GetParam().Utf16, GetParam().Values, GetParam().Caret);
  EXPECT_EQ(Out.Text, GetParam().Cp932);
  EXPECT_EQ(Out.Values, GetParam().ByteValues);
  EXPECT_EQ(Out.Caret, GetParam().ByteCaret);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf16WithValues,
    testing::Values(
        // 東京a with the caret after 京: byte 4.
        TValuedCase{"CaretAfterTwoKanji",
                    u"\u6771\u4EAC"
                    u"a",
                    {1, 2, 0},
                    2,
                    kTou + kKyou + "a",
                    {1, 1, 2, 2, 0},
                    4},
        TValuedCase{"CaretAtStart", u"\u6771a", {0, 0}, 0, kTou + "a", {0, 0, 0}, 0},
        TValuedCase{"CaretAtEnd", u"a\u6771", {0, 3}, 2, "a" + kTou, {0, 3, 3}, 3},
        TValuedCase{"CaretPastTheEnd", u"a", {0}, 9, "a", {0}, 1},
        TValuedCase{"CaretNegative", u"a", {0}, -1, "a", {0}, 0},
        // A character CP932 cannot hold is shown as the geta mark.
        TValuedCase{"UnmappableShownAsGeta",
                    u"\u00E9"
                    u"b",
                    {1, 0},
                    1,
                    kGeta + "b",
                    {1, 1, 0},
                    2},
        // A pair is one character: its first unit's value, and a caret
        // inside it moves before it.
        TValuedCase{"PairInsideIsOneGeta",
                    u"a\U0001F600"
                    u"b",
                    {0, 1, 1, 2},
                    2,
                    "a" + kGeta + "b",
                    {0, 1, 1, 2},
                    1},
        TValuedCase{"CaretAfterPair",
                    u"\U0001F600"
                    u"b",
                    {1, 1, 0},
                    2,
                    kGeta + "b",
                    {1, 1, 0},
                    2},
        // Fewer values than units: the rest count as 0.
        TValuedCase{"MissingValues", u"ab", {2}, 1, "ab", {2, 0}, 1},
        TValuedCase{"Empty", u"", {}, 0, "", {}, 0}),
    [](const testing::TestParamInfo<TValuedCase>& Info) { return Info.param.Name; });

}  // namespace
