// CP932 <-> UTF-16, what the Windows build hands the wide-character calls.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/text/Cp932.h"

namespace {

struct TUtf16Case {
  const char* Name;
  std::string Cp932;
  std::u16string Utf16;
};

class Cp932Utf16RoundTrip : public testing::TestWithParam<TUtf16Case> {};

}  // namespace

TEST_P(Cp932Utf16RoundTrip, ConvertsBothWays) {
  std::optional<std::u16string> Wide = cp932::ToUtf16(GetParam().Cp932);
  ASSERT_TRUE(Wide.has_value());
  EXPECT_EQ(*Wide, GetParam().Utf16);
  std::optional<std::string> Narrow = cp932::FromUtf16(GetParam().Utf16);
  ASSERT_TRUE(Narrow.has_value());
  EXPECT_EQ(*Narrow, GetParam().Cp932);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Cp932Utf16RoundTrip,
    testing::Values(TUtf16Case{"Empty", "", u""},
                    TUtf16Case{"Ascii", "C:\\Users\\a b.ini", u"C:\\Users\\a b.ini"},
                    // ソ and 表: their trail byte is 0x5C, the backslash
                    TUtf16Case{"TrailByteBackslash", "\x83\x5C\x95\x5C", u"\u30BD\u8868"},
                    TUtf16Case{"HalfWidthKatakana", "\xB1\xDF", u"\uFF71\uFF9F"},
                    TUtf16Case{"Kanji", "\x93\xFA\x96\x7B\x8C\xEA", u"\u65E5\u672C\u8A9E"},
                    TUtf16Case{"NecSpecial", "\x87\x40", u"\u2460"},
                    // Windows writes the IBM extension's bytes for characters both
                    // extensions hold.
                    TUtf16Case{"IbmExtension", "\xFA\x40", u"\u2170"},
                    TUtf16Case{"NulKept", std::string("a\0b", 3), std::u16string(u"a\0b", 3)}),
    [](const testing::TestParamInfo<TUtf16Case>& Info) { return Info.param.Name; });

TEST(Cp932Utf16, RefusesWhatCp932CannotHold) {
  EXPECT_FALSE(cp932::FromUtf16(u"\U0001F600").has_value());  // beyond the plane
  EXPECT_FALSE(cp932::FromUtf16(u"\u00E9").has_value());      // é
  EXPECT_FALSE(cp932::FromUtf16(std::u16string(1, u'\xD800')).has_value());
  EXPECT_FALSE(cp932::FromUtf16(std::u16string{u'\xDC00', u'a'}).has_value());
}

TEST(Cp932Utf16, NearTwinsFromOtherSystemsBecomeCp932) {
  EXPECT_EQ(cp932::FromUtf16(u"\u00A5"), std::optional<std::string>("\x5C"));      // yen sign
  EXPECT_EQ(cp932::FromUtf16(u"\u301C"), std::optional<std::string>("\x81\x60"));  // wave dash
}

TEST(Cp932Utf16, InvalidBytesAreRefusedOrShownAsReplacement) {
  const std::string Invalid =
      "a\x80"
      "b\x85\x30";  // 0x80 is no character; 85 30 neither
  EXPECT_FALSE(cp932::ToUtf16(Invalid).has_value());
  EXPECT_EQ(cp932::ToUtf16Lossy(Invalid), u"a\uFFFDb\uFFFD");
  EXPECT_EQ(cp932::ToUtf16Lossy("x\x83"), u"x\uFFFD");  // a lead byte cut off
}
