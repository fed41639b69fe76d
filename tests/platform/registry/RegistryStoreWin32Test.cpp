// The registry store on the real HKEY_CURRENT_USER, under a key of the
// test's own that it removes again.

#include <gtest/gtest.h>
#include <process.h>

#include <string>

#include "platform/core/Exception.h"
#include "platform/registry/RegistryNative.h"
#include "platform/registry/RegistryStore.h"
#include "platform/text/Utf16.h"

using registry::TKeyPath;
using registry::TRegistryStore;
using registry::TRegistryTree;
using registry::TRegistryValue;

namespace {

const std::string kWeather = "\x93\x56\x8B\x43";  // 天気

class RegistryStoreWin32Test : public ::testing::Test {
protected:
  void SetUp() override {
    FRoot = "Software\\ScoutlaneTests\\Store" + std::to_string(_getpid());
    FNativeRoot = cp932::ToUtf16Lossy(FRoot);
    registrynative::DeleteKey(FNativeRoot);
  }
  void TearDown() override {
    registrynative::DeleteKey(FNativeRoot);
    registrynative::TKeyContent Content;
    if (registrynative::ReadKey(u"Software\\ScoutlaneTests", Content) == registrynative::rrRead &&
        Content.SubKeys.empty() && Content.Values.empty())
      registrynative::DeleteKey(u"Software\\ScoutlaneTests");
  }

  static bool SetHistory(TRegistryTree& Tree) {
    Tree.SetValue(kHistory, "History0", TRegistryValue::FromText(kWeather));
    return Tree.SetValue(kHistory, "HistoryCount", TRegistryValue::FromNumber(1));
  }

  registrynative::TKeyContent Native(const std::u16string& Below) const {
    registrynative::TKeyContent Content;
    EXPECT_EQ(registrynative::ReadKey(FNativeRoot + u"\\" + Below, Content),
              registrynative::rrRead);
    return Content;
  }

  static const registrynative::TValue* Find(const registrynative::TKeyContent& Content,
                                            const std::u16string& Name) {
    for (const registrynative::TValue& Value : Content.Values)
      if (Value.Name == Name) return &Value;
    return nullptr;
  }

  inline static const TKeyPath kHistory{"Software", "App", "History"};
  std::string FRoot;
  std::u16string FNativeRoot;
};

TEST_F(RegistryStoreWin32Test, RoundTripsTextsAndNumbers) {
  TRegistryStore Store(FRoot);
  const TRegistryTree Saved = Store.Update(SetHistory, kHistory);
  EXPECT_EQ(Saved.FindValue(kHistory, "History0")->Text, kWeather);

  const TRegistryTree Back = Store.Load(kHistory);
  const TRegistryValue* Text = Back.FindValue({"software", "APP", "history"}, "history0");
  ASSERT_NE(Text, nullptr);
  EXPECT_EQ(Text->Kind, registry::vkText);
  EXPECT_EQ(Text->Text, kWeather);
  const TRegistryValue* Number = Back.FindValue(kHistory, "HistoryCount");
  ASSERT_NE(Number, nullptr);
  EXPECT_EQ(Number->Kind, registry::vkNumber);
  EXPECT_EQ(Number->Number, 1);
}

TEST_F(RegistryStoreWin32Test, StoresUtf16TextsAndDwordNumbers) {
  TRegistryStore(FRoot).Update(SetHistory, kHistory);
  const registrynative::TKeyContent Content = Native(u"Software\\App\\History");
  const registrynative::TValue* Text = Find(Content, u"History0");
  ASSERT_NE(Text, nullptr);
  EXPECT_FALSE(Text->IsNumber);
  EXPECT_EQ(Text->Text, u"\u5929\u6C17");
  const registrynative::TValue* Number = Find(Content, u"HistoryCount");
  ASSERT_NE(Number, nullptr);
  EXPECT_TRUE(Number->IsNumber);
  EXPECT_EQ(Number->Number, 1);
}

TEST_F(RegistryStoreWin32Test, AnotherProgramsValueWrittenMeanwhileSurvives) {
  TRegistryStore Store(FRoot);
  Store.Update(SetHistory, kHistory);
  // Another program adds a value after this one read the key.
  const TRegistryTree Stale = Store.Load(kHistory);
  registrynative::TValue Other;
  Other.Name = u"Other";
  Other.Text = u"kept";
  ASSERT_TRUE(registrynative::WriteKey(FNativeRoot + u"\\Software\\App\\History", {Other}, {}, {}));

  Store.Update(
      [](TRegistryTree& Tree) {
        return Tree.SetValue(kHistory, "History1", TRegistryValue::FromText("b"));
      },
      kHistory);
  const registrynative::TKeyContent Content = Native(u"Software\\App\\History");
  ASSERT_NE(Find(Content, u"Other"), nullptr);
  EXPECT_EQ(Find(Content, u"Other")->Text, u"kept");
  EXPECT_NE(Find(Content, u"History1"), nullptr);
  EXPECT_NE(Find(Content, u"History0"), nullptr);
}

TEST_F(RegistryStoreWin32Test, AKeyErasedAndWrittenAgainLosesItsOldValues) {
  TRegistryStore Store(FRoot);
  Store.Update(SetHistory, kHistory);
  Store.Update(
      [](TRegistryTree& Tree) {
        Tree.DeleteKey(kHistory);
        return Tree.SetValue(kHistory, "History0", TRegistryValue::FromText("new"));
      },
      kHistory);
  const registrynative::TKeyContent Content = Native(u"Software\\App\\History");
  EXPECT_EQ(Content.Values.size(), 1u);
  ASSERT_NE(Find(Content, u"History0"), nullptr);
  EXPECT_EQ(Find(Content, u"History0")->Text, u"new");
}

TEST_F(RegistryStoreWin32Test, DeletingTheScopeRemovesItWithItsSubkeys) {
  TRegistryStore Store(FRoot);
  Store.Update(
      [](TRegistryTree& Tree) {
        Tree.SetValue({"Software", "App", "Deep", "Deeper"}, "x", TRegistryValue::FromNumber(2));
        return SetHistory(Tree);
      },
      {"Software", "App"});
  EXPECT_NE(Store.Load({"Software", "App"}).FindValue({"Software", "App", "Deep", "Deeper"}, "x"),
            nullptr);
  Store.Update(
      [](TRegistryTree& Tree) {
        return Tree.DeleteKey({"Software", "App"});
      },
      {"Software", "App"});
  registrynative::TKeyContent Content;
  EXPECT_EQ(registrynative::ReadKey(FNativeRoot + u"\\Software\\App", Content),
            registrynative::rrMissing);
  EXPECT_EQ(registrynative::ReadKey(FNativeRoot + u"\\Software", Content), registrynative::rrRead);
}

TEST_F(RegistryStoreWin32Test, LoadsOnlyTheScopeAndTheWayToIt) {
  TRegistryStore Store(FRoot);
  Store.Update(SetHistory, kHistory);
  Store.Update(
      [](TRegistryTree& Tree) {
        return Tree.SetValue({"Software", "Else"}, "y", TRegistryValue::FromNumber(3));
      },
      {"Software", "Else"});
  const TRegistryTree Scoped = Store.Load(kHistory);
  EXPECT_NE(Scoped.FindKey({"Software", "App"}), nullptr);
  EXPECT_EQ(Scoped.FindKey({"Software", "Else"}), nullptr);
  // A key beside the scope, absent from the tree, is not deleted by a save.
  Store.Update(SetHistory, kHistory);
  Store.Update(
      [](TRegistryTree& Tree) {
        return Tree.SetValue(kHistory, "History0", TRegistryValue::FromText("c"));
      },
      kHistory);
  EXPECT_NE(Store.Load({"Software", "Else"}).FindValue({"Software", "Else"}, "y"), nullptr);
}

TEST_F(RegistryStoreWin32Test, AMissingScopeLoadsAsMuchOfTheWayAsThereIs) {
  TRegistryStore Store(FRoot);
  Store.Update(SetHistory, kHistory);
  const TRegistryTree Tree = Store.Load({"Software", "App", "Missing", "Deeper"});
  EXPECT_NE(Tree.FindKey({"Software", "App"}), nullptr);
  EXPECT_EQ(Tree.FindKey({"Software", "App", "Missing"}), nullptr);
  EXPECT_EQ(TRegistryStore(FRoot + "\\Nothing").Load(kHistory).FindKey({"Software"}), nullptr);
}

TEST_F(RegistryStoreWin32Test, NamesAndTextsCodePage932CannotHoldAreLeftAloneNotMangled) {
  TRegistryStore Store(FRoot);
  Store.Update(SetHistory, kHistory);
  registrynative::TValue Latin, Astral;
  Latin.Name = u"caf\u00E9";
  Latin.Text = u"x";
  Astral.Name = u"Astral";
  Astral.Text = u"\U00020BB7";
  ASSERT_TRUE(
      registrynative::WriteKey(FNativeRoot + u"\\Software\\App\\History", {Latin, Astral}, {}, {}));
  const TRegistryTree Tree = Store.Load(kHistory);
  EXPECT_EQ(Tree.FindKey(kHistory)->ValueCount(), 2u);  // History0, HistoryCount
  EXPECT_EQ(Tree.FindValue(kHistory, "Astral"), nullptr);
  // A save of this program's values leaves them as they were.
  Store.Update(
      [](TRegistryTree& Tree) {
        return Tree.SetValue(kHistory, "History0", TRegistryValue::FromText("d"));
      },
      kHistory);
  const registrynative::TKeyContent Content = Native(u"Software\\App\\History");
  ASSERT_NE(Find(Content, u"Astral"), nullptr);
  EXPECT_EQ(Find(Content, u"Astral")->Text, u"\U00020BB7");
  EXPECT_NE(Find(Content, u"caf\u00E9"), nullptr);
}

TEST_F(RegistryStoreWin32Test, TheWholeUserRegistryIsNeverWrittenAsAWhole) {
  TRegistryStore Store(TRegistryStore::CurrentUserDirectory());
  EXPECT_EQ(Store.FilePath(), "HKEY_CURRENT_USER");
  EXPECT_THROW(
      Store.Update([](TRegistryTree& Tree) { return Tree.CreateKey({"ScoutlaneTestsStray"}); }),
      ERegistryException);
  registrynative::TKeyContent Content;
  EXPECT_EQ(registrynative::ReadKey(u"ScoutlaneTestsStray", Content), registrynative::rrMissing);
}

TEST_F(RegistryStoreWin32Test, ARedirectedUserRegistryIsReadWholeFromItsKey) {
  ASSERT_TRUE(registrynative::RedirectCurrentUser(FNativeRoot));
  TRegistryStore Store = TRegistryStore::ForCurrentUser();
  Store.Update(SetHistory, kHistory);
  const TRegistryTree Whole = Store.Load();
  ASSERT_TRUE(registrynative::RedirectCurrentUser(u""));
  ASSERT_EQ(Whole.Root().SubKeys().size(), 1u);
  EXPECT_EQ(Whole.FindValue(kHistory, "History0")->Text, kWeather);
  // The keys landed below the redirection's key of the real registry.
  EXPECT_NE(Find(Native(u"Software\\App\\History"), u"HistoryCount"), nullptr);
}

TEST_F(RegistryStoreWin32Test, TheCurrentUsersStoreReadsItsScopeUnderTheUserRoot) {
  TRegistryStore Store = TRegistryStore::ForCurrentUser();
  const TKeyPath Scope{"Software", "ScoutlaneTests", "Store" + std::to_string(_getpid()), "Own"};
  Store.Update(
      [&Scope](TRegistryTree& Tree) {
        return Tree.SetValue(Scope, "v", TRegistryValue::FromText(kWeather));
      },
      Scope);
  EXPECT_EQ(Native(u"Own").Values.size(), 1u);
  EXPECT_EQ(Store.Load(Scope).FindValue(Scope, "v")->Text, kWeather);
}

}  // namespace
