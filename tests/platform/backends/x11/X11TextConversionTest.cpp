#include "platform/backends/x11/X11TextConversion.h"

#include <gtest/gtest.h>

#include <string>

using namespace x11;

namespace {

// Code page 932 written out as bytes, independent of how literals compile;
// UTF-8 of characters code page 932 lacks is written out too, since the
// compiler checks even u8 literals against the execution character set.
const std::string kSo = "\x83\x5C";        // ソ
const std::string kKen = "\x8C\x9F";       // 検
const std::string kSaku = "\x8D\xF5";      // 索
const std::string kHalfA = "\xB1";         // ｱ (half-width katakana)
const std::string kWaveDash = "\x81\x60";  // 〜 / ～

struct TConversionCase {
  const char* Name;
  std::string Utf8;
  TControlChars Controls;
  std::string Cp932;
  int Refused;
};

class X11TypedText : public ::testing::TestWithParam<TConversionCase> {};

TEST_P(X11TypedText, ConvertsWhatCodePage932HoldsAndCountsTheRest) {
  const TConversionCase& C = GetParam();
  const TConvertedText Got = Utf8ToCp932(C.Utf8, C.Controls);
  EXPECT_EQ(Got.Cp932, C.Cp932) << C.Name;
  EXPECT_EQ(Got.Refused, C.Refused) << C.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, X11TypedText,
    ::testing::Values(TConversionCase{"ascii", "abc", ccDrop, "abc", 0},
                      TConversionCase{"kanji and katakana, lead byte first", u8"ソ検索", ccDrop,
                                      kSo + kKen + kSaku, 0},
                      TConversionCase{"half-width katakana is one byte", u8"ｱ", ccDrop, kHalfA, 0},
                      // Input methods type U+301C; Windows' own form is U+FF5E: both land on 81 60.
                      TConversionCase{"wave dash", "\xE3\x80\x9C", ccDrop, kWaveDash, 0},
                      TConversionCase{"euro sign refused", "\xE2\x82\xAC", ccDrop, "", 1},
                      TConversionCase{"a refused character costs only itself",
                                      u8"aソ"
                                      "\xE2\x82\xAC"
                                      "b",
                                      ccDrop, "a" + kSo + "b", 1},
                      TConversionCase{"a four-byte character is one refusal", "x\xF0\x9F\x98\x80y",
                                      ccDrop, "xy", 1},
                      // Typed control characters come from the keys; dropping them is no refusal.
                      TConversionCase{"typed controls dropped", "a\tb\r\x7F", ccDrop, "ab", 0},
                      TConversionCase{"pasted tabs and line breaks kept", "a\tb\r\n", ccKeep,
                                      "a\tb\r\n", 0},
                      // Malformed UTF-8: every bad byte is refused, the rest survives.
                      TConversionCase{"lone continuation byte", "a\x80z", ccDrop, "az", 1},
                      TConversionCase{"cut-off sequence", "a\xE6\xA4", ccDrop, "a", 2},
                      TConversionCase{"overlong slash", "\xC0\xAF", ccDrop, "", 2},
                      TConversionCase{"encoded surrogate", "\xED\xA0\x80", ccDrop, "", 3},
                      TConversionCase{"beyond U+10FFFF", "\xF4\x90\x80\x80", ccDrop, "", 4}),
    [](const ::testing::TestParamInfo<TConversionCase>& Info) {
      return "Case" + std::to_string(Info.index);
    });

TEST(X11Latin1, EveryByteIsACharacterAndBack) {
  const std::string Latin1 = "caf\xE9 \xA0\xFF";
  const std::string Utf8 = Latin1ToUtf8(Latin1);
  EXPECT_EQ(Utf8, "caf\xC3\xA9 \xC2\xA0\xC3\xBF");
  ASSERT_TRUE(Utf8ToLatin1(Utf8).has_value());
  EXPECT_EQ(*Utf8ToLatin1(Utf8), Latin1);
}

TEST(X11Latin1, TextLatin1CannotHoldIsRefusedNotMangled) {
  EXPECT_FALSE(Utf8ToLatin1(u8"ab検").has_value());
  EXPECT_FALSE(Utf8ToLatin1("ab\xFF").has_value());  // no valid UTF-8
  EXPECT_EQ(Utf8ToLatin1(""), std::string());
}

TEST(X11KeysymText, LatinAndUnicodeKeysymsTypeTheirCharacter) {
  EXPECT_EQ(KeysymToUtf8(0x61), "a");
  EXPECT_EQ(KeysymToUtf8(0xE9), "\xC3\xA9");
  EXPECT_EQ(KeysymToUtf8(0x10030BD), u8"ソ");
  EXPECT_EQ(KeysymToUtf8(0x101F600), "\xF0\x9F\x98\x80");
}

TEST(X11KeysymText, KeysymsOfNoCharacterTypeNothing) {
  EXPECT_EQ(KeysymToUtf8(0), "");
  EXPECT_EQ(KeysymToUtf8(0xFF08), "");     // BackSpace
  EXPECT_EQ(KeysymToUtf8(0x7F), "");       // not a Latin-1 keysym
  EXPECT_EQ(KeysymToUtf8(0x100D800), "");  // a surrogate is no character
  EXPECT_EQ(KeysymToUtf8(0x1110000), "");  // past Unicode
}

// ---- an input method's composition, as the edit draws it

struct TComposedCase {
  const char* Name;
  std::u32string Chars;
  std::vector<unsigned long> Feedback;
  int Caret;
  std::string Cp932;
  std::vector<std::uint8_t> Attributes;
  int CaretByte;
};

class X11Composition : public ::testing::TestWithParam<TComposedCase> {};

TEST_P(X11Composition, BytesCarryTheirCharactersAttributeAndTheCaretLandsOnACharacterStart) {
  const TComposedCase& C = GetParam();
  const TComposedText Got = ComposedToCp932(C.Chars, C.Feedback, C.Caret);
  EXPECT_EQ(Got.Cp932, C.Cp932) << C.Name;
  EXPECT_EQ(Got.Attributes, C.Attributes) << C.Name;
  EXPECT_EQ(Got.Caret, C.CaretByte) << C.Name;
}

// 0: typed, 1: the clause being converted, 2: a converted clause.
INSTANTIATE_TEST_SUITE_P(
    Compositions, X11Composition,
    ::testing::Values(
        TComposedCase{"typed kana, underlined, caret at the end",
                      U"\u30bd\u30bd",
                      {kFeedbackUnderline, kFeedbackUnderline},
                      2,
                      kSo + kSo,
                      {0, 0, 0, 0},
                      4},
        TComposedCase{"the reversed clause is the target, highlighted ones are converted",
                      U"\u691c\u7d22a",
                      {kFeedbackReverse, kFeedbackHighlight, kFeedbackUnderline},
                      1,
                      kKen + kSaku + "a",
                      {1, 1, 2, 2, 0},
                      2},
        TComposedCase{
            "half-width katakana is one byte", U"\uff71x", {}, 1, kHalfA + "x", {0, 0}, 1},
        TComposedCase{"an emoji shows as the geta mark, keeping the caret after it",
                      U"\U0001F5FC\u30bd",
                      {kFeedbackReverse, 0},
                      1,
                      "\x81\xAC" + kSo,
                      {1, 1, 0, 0},
                      2},
        TComposedCase{"a caret past the end is the end", U"ab", {}, 9, "ab", {0, 0}, 2},
        TComposedCase{"empty", U"", {}, 0, "", {}, 0}));

}  // namespace
