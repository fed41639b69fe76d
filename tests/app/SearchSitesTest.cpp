// The address rule: base, head, the keyword exactly as typed, tail.

#include <gtest/gtest.h>

#include "app/SearchSites.h"
#include "platform/core/Exception.h"

namespace {

struct TAddressCase {
  const char* Name;
  int Site;
  std::string Keyword;
  std::string Expected;
};

void PrintTo(const TAddressCase& Case, std::ostream* Out) { *Out << Case.Name; }

class SearchAddressTest : public testing::TestWithParam<TAddressCase> {};

TEST_P(SearchAddressTest, KeepsTheKeywordByteForByte) {
  EXPECT_EQ(SearchAddress(GetParam().Site, GetParam().Keyword), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, SearchAddressTest,
    testing::Values(
        TAddressCase{"GoogleWithTail", 0, "abc", "https://www.google.co.jp/search?q=abc&hl=ja"},
        TAddressCase{"WikipediaWithoutTail", 3, "abc", "https://ja.wikipedia.org/wiki/abc"},
        TAddressCase{"BlankAndAmpersandUnchanged", 6, "a b&c",
                     "https://maps.google.co.jp/maps?q=a b&c&hl="},
        TAddressCase{"ThreeBlanksNotTrimmed", 4, "   ", "https://twitter.com/search?q=   "},
        TAddressCase{"HashAndQuestionMarkUnchanged", 2, "c#?x",
                     "https://www.bing.com/search?q=c#?x&cc=jp"},
        TAddressCase{"UpperCaseKept", 1, "ABC",
                     "https://search.yahoo.co.jp/search?p=ABC&hc=0&hs=0"},
        // 検索 in code page 932: the bytes go into the address as they are.
        TAddressCase{"JapaneseBytesUnchanged", 8, "\x8C\x9F\x8D\xF5",
                     "https://www.nicovideo.jp/search/\x8C\x9F\x8D\xF5"},
        TAddressCase{"AmazonFixedParameterBeforeTheKeyword", 9, "k",
                     "https://www.amazon.co.jp/s?ie=UTF8&keywords=k&index=blended"},
        TAddressCase{"News", 5, "k", "https://news.google.co.jp/news?q=k&hl=ja&ned=jp"},
        TAddressCase{"YouTube", 7, "k",
                     "https://www.youtube.com/results?search_query=k&gl=JP&hl=ja"}),
    [](const testing::TestParamInfo<TAddressCase>& Info) { return Info.param.Name; });

TEST(SearchSites, TenSitesInPickerOrderAllOverHttps) {
  const char* Texts[] = {"Google",      "Yahoo! Japan", "bing",    "WikiPedia",    "twitter",
                         "Google News", "Google Maps",  "YouTube", "ニコニコ動画", "Amazon"};
  ASSERT_EQ(SearchSites().size(), 10u);
  for (int I = 0; I < kSearchSiteCount; ++I) {
    EXPECT_STREQ(SearchSites()[I].ItemText, Texts[I]) << I;
    // The keyword travels in the query: never in clear text.
    EXPECT_EQ(std::string(SearchSites()[I].Base).rfind("https://", 0), 0u) << I;
    // A host and nothing after it: the head brings the path.
    EXPECT_EQ(std::string(SearchSites()[I].Base).find('/', 8), std::string::npos) << I;
  }
}

TEST(SearchSites, AllTenAddressesAtOnceMatchOneByOne) {
  const auto All = SearchAddresses("x y");
  for (int I = 0; I < kSearchSiteCount; ++I) EXPECT_EQ(All[I], SearchAddress(I, "x y"));
}

TEST(SearchSites, AnIndexOutsideTheTableHasNoAddress) {
  EXPECT_THROW(SearchAddress(-1, "k"), EListError);
  EXPECT_THROW(SearchAddress(10, "k"), EListError);
}

}  // namespace
