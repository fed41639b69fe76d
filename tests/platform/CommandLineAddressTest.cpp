#include "platform/shell/CommandLineAddress.h"

#include <gtest/gtest.h>

namespace {

struct TQuoteCase {
  const char* Name;
  std::u16string Address;
  std::u16string Expected;
};

class CommandLineAddressTest : public testing::TestWithParam<TQuoteCase> {};

TEST_P(CommandLineAddressTest, EncodesDoubleQuotesOnly) {
  EXPECT_EQ(shelladdress::QuotesEncoded(GetParam().Address), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, CommandLineAddressTest,
    testing::Values(TQuoteCase{"Plain", u"http://www.google.co.jp/search?q=abc&hl=ja",
                               u"http://www.google.co.jp/search?q=abc&hl=ja"},
                    TQuoteCase{"QuotesInTheKeyword", u"http://x.jp/s?q=say \"hi\" now&hl=ja",
                               u"http://x.jp/s?q=say %22hi%22 now&hl=ja"},
                    TQuoteCase{"QuoteFirstAndLast", u"\"a\"", u"%22a%22"},
                    TQuoteCase{"QuotesInARow", u"a\"\"\"b", u"a%22%22%22b"},
                    // Blanks, backslashes, other shell characters and Japanese stay.
                    TQuoteCase{"OthersStay",
                               u"http://ja.wikipedia.org/wiki/\u6771 \u4eac\\&|<>^%22'",
                               u"http://ja.wikipedia.org/wiki/\u6771 \u4eac\\&|<>^%22'"},
                    TQuoteCase{"Empty", u"", u""}),
    [](const testing::TestParamInfo<TQuoteCase>& Info) { return std::string(Info.param.Name); });

}  // namespace
