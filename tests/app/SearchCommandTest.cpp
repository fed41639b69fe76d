// The search command against stand-ins of the two combo boxes: history
// first, then one open request per ticked site in index order, else the
// current item's site, else nothing.

#include <gtest/gtest.h>

#include "AppTestSupport.h"

using namespace apptest;

namespace {

class SearchCommandTest : public testing::Test {
protected:
  TLog Log;
  TFakeKeywordBox Keyword{Log};
  TFakeSitePicker Sites;
  TLoggingShellOpener Shell{Log};
  TShellOpenerGuard Guard{Shell};
};

TEST_F(SearchCommandTest, TickedSitesOpenInIndexOrderAfterTheHistory) {
  Keyword.Typed = "abc";
  Sites.Ticks[3] = Sites.Ticks[0] = true;
  Sites.Index = 5;  // ignored while something is ticked
  EXPECT_EQ(RunSearch(Keyword, Sites, nullptr), soTickedSites);
  EXPECT_EQ(Log, (TLog{"history abc", "open https://www.google.co.jp/search?q=abc&hl=ja",
                       "open https://ja.wikipedia.org/wiki/abc"}));
}

TEST_F(SearchCommandTest, EveryRequestIsAnOpenWithoutParametersOrFolder) {
  Keyword.Typed = "k";
  Sites.Ticks.fill(true);
  RunSearch(Keyword, Sites, nullptr);
  ASSERT_EQ(Shell.Requests.size(), 10u);
  for (int I = 0; I < kSearchSiteCount; ++I) {
    EXPECT_EQ(Shell.Requests[I].File, SearchAddress(I, "k"));
    EXPECT_EQ(Shell.Requests[I].Directory, "");
  }
}

TEST_F(SearchCommandTest, NoTickOpensTheCurrentItemOnly) {
  Keyword.Typed = "k";
  Sites.Index = 9;
  EXPECT_EQ(RunSearch(Keyword, Sites, nullptr), soCurrentSite);
  EXPECT_EQ(
      Log, (TLog{"history k", "open https://www.amazon.co.jp/s?ie=UTF8&keywords=k&index=blended"}));
}

TEST_F(SearchCommandTest, ATickAddedLaterReplacesTheCurrentItem) {
  Keyword.Typed = "k";
  Sites.Index = 1;
  RunSearch(Keyword, Sites, nullptr);
  Sites.Ticks[4] = true;
  RunSearch(Keyword, Sites, nullptr);
  ASSERT_EQ(Shell.Requests.size(), 2u);
  EXPECT_EQ(Shell.Requests[0].File, SearchAddress(1, "k"));
  EXPECT_EQ(Shell.Requests[1].File, SearchAddress(4, "k"));
}

class SearchWithoutSiteTest : public SearchCommandTest, public testing::WithParamInterface<int> {};

TEST_P(SearchWithoutSiteTest, RecordsTheKeywordButOpensNothing) {
  Keyword.Typed = "k";
  Sites.Index = GetParam();
  EXPECT_EQ(RunSearch(Keyword, Sites, nullptr), soNothingOpened);
  EXPECT_EQ(Log, TLog{"history k"});
}

// No current item, and indexes a stored setting may carry past the table.
INSTANTIATE_TEST_SUITE_P(Indexes, SearchWithoutSiteTest, testing::Values(-1, 10, -7));

class OutOfTablePicker : public TFakeSitePicker {
public:
  explicit OutOfTablePicker(int I) { Forced = I; }
  int ItemIndex() const override { return Forced; }
  int Forced;
};

TEST_F(SearchCommandTest, APickerThatKeepsAnIndexPastTheTableOpensNothing) {
  Keyword.Typed = "k";
  OutOfTablePicker Picker(10);
  EXPECT_EQ(RunSearch(Keyword, Picker, nullptr), soNothingOpened);
  EXPECT_TRUE(Shell.Requests.empty());
}

TEST_F(SearchCommandTest, EmptyKeywordTouchesNeitherHistoryNorShell) {
  Sites.Ticks.fill(true);
  Sites.Index = 0;
  EXPECT_EQ(RunSearch(Keyword, Sites, nullptr), soEmptyKeyword);
  EXPECT_TRUE(Log.empty());
  EXPECT_TRUE(Keyword.History.empty());
}

TEST_F(SearchCommandTest, BlanksAloneAreAKeyword) {
  Keyword.Typed = "   ";
  Sites.Ticks[0] = true;
  EXPECT_EQ(RunSearch(Keyword, Sites, nullptr), soTickedSites);
  EXPECT_EQ(Keyword.History, std::vector<std::string>{"   "});
  EXPECT_EQ(Shell.Requests.at(0).File, "https://www.google.co.jp/search?q=   &hl=ja");
}

class RefusingShellOpener : public TShellOpener {
public:
  bool Open(const TShellRequest& Request) override {
    Files.push_back(Request.File);
    return false;
  }
  std::vector<std::string> Files;
};

TEST_F(SearchCommandTest, AFailedOpenDoesNotStopTheOtherSites) {
  RefusingShellOpener Refusing;
  TShellOpenerGuard Inner(Refusing);
  Keyword.Typed = "k";
  Sites.Ticks[2] = Sites.Ticks[7] = true;
  EXPECT_EQ(RunSearch(Keyword, Sites, nullptr), soTickedSites);
  EXPECT_EQ(Refusing.Files,
            (std::vector<std::string>{SearchAddress(2, "k"), SearchAddress(7, "k")}));
}

}  // namespace
