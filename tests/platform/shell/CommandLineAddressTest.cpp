#include "platform/shell/CommandLineAddress.h"

#include <gtest/gtest.h>

namespace {

struct TAddressCase {
  const char* Name;
  std::u16string Address;
  std::u16string Expected;
};

class CommandLineAddressTest : public testing::TestWithParam<TAddressCase> {};

TEST_P(CommandLineAddressTest, EncodesQuotesAndLonePercentSigns) {
  EXPECT_EQ(shelladdress::ForCommandLine(GetParam().Address), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, CommandLineAddressTest,
    testing::Values(TAddressCase{"Plain", u"http://www.google.co.jp/search?q=abc&hl=ja",
                                 u"http://www.google.co.jp/search?q=abc&hl=ja"},
                    TAddressCase{"QuotesInTheKeyword", u"http://x.jp/s?q=say \"hi\" now&hl=ja",
                                 u"http://x.jp/s?q=say %22hi%22 now&hl=ja"},
                    TAddressCase{"QuoteFirstAndLast", u"\"a\"", u"%22a%22"},
                    TAddressCase{"QuotesInARow", u"a\"\"\"b", u"a%22%22%22b"},
                    // An escape stays one, in either letter case.
                    TAddressCase{"Escapes", u"q=%E6%9d%B1%41", u"q=%E6%9d%B1%41"},
                    TAddressCase{"PercentBeforeABlank", u"q=50% off&hl=ja", u"q=50%25 off&hl=ja"},
                    TAddressCase{"PercentAtTheEnd", u"q=50%", u"q=50%25"},
                    TAddressCase{"PercentAndOneDigitAtTheEnd", u"q=%4", u"q=%254"},
                    TAddressCase{"PercentAndANonDigit", u"q=%4G%%41", u"q=%254G%25%41"},
                    // Blanks, backslashes, other shell characters and Japanese stay.
                    TAddressCase{"OthersStay",
                                 u"http://ja.wikipedia.org/wiki/\u6771 \u4eac\\&|<>^'#+",
                                 u"http://ja.wikipedia.org/wiki/\u6771 \u4eac\\&|<>^'#+"},
                    TAddressCase{"Empty", u"", u""}),
    [](const testing::TestParamInfo<TAddressCase>& Info) { return std::string(Info.param.Name); });

}  // namespace
