#include <gtest/gtest.h>

#include "platform/registry/RegistryTree.h"

using registry::SplitKeyPath;
using registry::TKeyPath;
using registry::TRegistryTree;
using registry::TRegistryValue;

namespace {

struct TSplitCase {
  const char* Path;
  TKeyPath Expected;
};

void PrintTo(const TSplitCase& Case, std::ostream* Out) { *Out << '"' << Case.Path << '"'; }

class SplitKeyPathTest : public ::testing::TestWithParam<TSplitCase> {};

TEST_P(SplitKeyPathTest, SplitsAtBackslashCharactersOnly) {
  EXPECT_EQ(SplitKeyPath(GetParam().Path), GetParam().Expected);
}

// ソ is 83 5C and 表 is 95 5C: their trail byte is the backslash's byte.
INSTANTIATE_TEST_SUITE_P(
    Paths, SplitKeyPathTest,
    ::testing::Values(TSplitCase{"Software\\Vendor\\App", {"Software", "Vendor", "App"}},
                      TSplitCase{"\\\\Software\\\\\\App\\\\", {"Software", "App"}},
                      TSplitCase{"App\\", {"App"}}, TSplitCase{"\\\\\\", {}}, TSplitCase{"", {}},
                      TSplitCase{"ソフト\\設定", {"ソフト", "設定"}},
                      TSplitCase{"表\\x", {"表", "x"}}, TSplitCase{"表", {"表"}},
                      TSplitCase{"a b\\ c ", {"a b", " c "}}));

TEST(RegistryTreeTest, NamesIgnoreLetterCaseButKeepTheirSpelling) {
  TRegistryTree Tree;
  EXPECT_TRUE(Tree.CreateKey({"Software", "ＡＢ"}));
  EXPECT_FALSE(Tree.CreateKey({"SOFTWARE", "ａｂ"}));
  ASSERT_EQ(Tree.Root().SubKeys().size(), 1u);
  EXPECT_EQ(Tree.Root().SubKeys()[0].Name(), "Software");
  EXPECT_EQ(Tree.Root().SubKeys()[0].SubKeys().size(), 1u);
  EXPECT_NE(Tree.FindKey({"software", "ａＢ"}), nullptr);

  // Trail bytes and widths never fold: ア is 83 41 and ヂ 83 61.
  Tree.CreateKey({"ア"});
  EXPECT_EQ(Tree.FindKey({"ヂ"}), nullptr);
  Tree.CreateKey({"s"});
  EXPECT_EQ(Tree.FindKey({"ｓ"}), nullptr);
}

TEST(RegistryTreeTest, ValueNamesIgnoreLetterCaseAndReplaceInPlace) {
  TRegistryTree Tree;
  EXPECT_TRUE(Tree.SetValue({"App"}, "HistoryCount", TRegistryValue::FromNumber(3)));
  EXPECT_TRUE(Tree.SetValue({"App"}, "History0", TRegistryValue::FromText("weather")));
  EXPECT_TRUE(Tree.SetValue({"APP"}, "HISTORYCOUNT", TRegistryValue::FromNumber(4)));

  const registry::TRegistryKey* Key = Tree.FindKey({"app"});
  ASSERT_NE(Key, nullptr);
  ASSERT_EQ(Key->ValueCount(), 2u);
  EXPECT_EQ(Key->ValueName(0), "HistoryCount");
  EXPECT_EQ(Key->Value(0), TRegistryValue::FromNumber(4));
  EXPECT_EQ(*Tree.FindValue({"App"}, "history0"), TRegistryValue::FromText("weather"));
}

}  // namespace
