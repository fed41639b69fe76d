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

TEST(RegistryTreeTest, KeyNamesIgnoreLetterCaseButKeepTheirSpelling) {
  TRegistryTree Tree;
  EXPECT_TRUE(Tree.CreateKey({"Software", "ＡＢ"}));
  EXPECT_FALSE(Tree.CreateKey({"SOFTWARE", "ａｂ"}));
  ASSERT_EQ(Tree.Root().SubKeys().size(), 1u);
  EXPECT_EQ(Tree.Root().SubKeys()[0].Name(), "Software");
  EXPECT_EQ(Tree.Root().SubKeys()[0].SubKeys().size(), 1u);
  EXPECT_NE(Tree.FindKey({"software", "ａＢ"}), nullptr);
}

TEST(RegistryTreeTest, TrailBytesAndWidthsAreNeverFolded) {
  TRegistryTree Tree;
  Tree.CreateKey({"ア"});  // 83 41; ヂ is 83 61, "a" folded would make them one
  EXPECT_EQ(Tree.FindKey({"ヂ"}), nullptr);
  Tree.CreateKey({"s"});
  EXPECT_EQ(Tree.FindKey({"ｓ"}), nullptr);
  EXPECT_EQ(Tree.FindKey({"Ｓ"}), nullptr);
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

TEST(RegistryTreeTest, StoringTheSameValueAgainChangesNothing) {
  TRegistryTree Tree;
  Tree.SetValue({"App"}, "N", TRegistryValue::FromNumber(0));
  EXPECT_FALSE(Tree.SetValue({"App"}, "n", TRegistryValue::FromNumber(0)));
  // The kind is part of the value: the text "0" is not the number 0.
  EXPECT_TRUE(Tree.SetValue({"App"}, "N", TRegistryValue::FromText("0")));
  EXPECT_FALSE(Tree.SetValue({"App"}, "N", TRegistryValue::FromText("0")));
}

TEST(RegistryTreeTest, DeletingAKeyTakesEverythingBelowItAndNothingElse) {
  TRegistryTree Tree;
  Tree.SetValue({"App", "History"}, "HistoryCount", TRegistryValue::FromNumber(1));
  Tree.SetValue({"App", "History", "Deeper"}, "X", TRegistryValue::FromNumber(1));
  Tree.SetValue({"App", "Other"}, "Y", TRegistryValue::FromNumber(2));

  EXPECT_TRUE(Tree.DeleteKey({"app", "HISTORY"}));
  EXPECT_EQ(Tree.FindKey({"App", "History"}), nullptr);
  EXPECT_EQ(Tree.FindKey({"App", "History", "Deeper"}), nullptr);
  EXPECT_NE(Tree.FindKey({"App"}), nullptr);
  EXPECT_EQ(*Tree.FindValue({"App", "Other"}, "Y"), TRegistryValue::FromNumber(2));
  EXPECT_FALSE(Tree.DeleteKey({"App", "History"}));
  EXPECT_FALSE(Tree.DeleteKey({"Missing", "History"}));
}

TEST(RegistryTreeTest, AnEmptyPathNamesNothing) {
  TRegistryTree Tree;
  Tree.CreateKey({"App"});
  EXPECT_FALSE(Tree.CreateKey({}));
  EXPECT_FALSE(Tree.SetValue({}, "X", TRegistryValue::FromNumber(1)));
  EXPECT_FALSE(Tree.DeleteKey({}));
  EXPECT_EQ(Tree.FindValue({}, "X"), nullptr);
  EXPECT_EQ(Tree.Root().ValueCount(), 0u);
  EXPECT_EQ(Tree.Root().SubKeys().size(), 1u);
}

TEST(RegistryTreeTest, ManyValuesKeepTheirOrderAndStayFindable) {
  TRegistryTree Tree;
  for (int Index = 0; Index < 3000; ++Index)
    Tree.SetValue({"H"}, "History" + std::to_string(Index),
                  TRegistryValue::FromText(std::to_string(Index)));
  const registry::TRegistryKey* Key = Tree.FindKey({"H"});
  ASSERT_EQ(Key->ValueCount(), 3000u);
  EXPECT_EQ(Key->ValueName(2999), "History2999");
  EXPECT_EQ(Key->FindValue("HISTORY1234")->Text, "1234");
}

}  // namespace
