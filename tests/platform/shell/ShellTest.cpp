#include <gtest/gtest.h>

#include "platform/shell/Beep.h"
#include "platform/shell/Shell.h"

namespace {

constexpr int kShowCommand = 5;  // the window system's SW_SHOW

struct TRequestCase {
  const char* Verb;
  const char* File;
  const char* Parameters;
  const char* Directory;
  bool Opened;
  int Result;
};

void PrintTo(const TRequestCase& Case, std::ostream* Out) {
  *Out << "verb \"" << Case.Verb << "\" file \"" << Case.File << "\" parameters \""
       << Case.Parameters << '"';
}

class ShellExecuteRoutingTest : public ::testing::TestWithParam<TRequestCase> {};

TEST_P(ShellExecuteRoutingTest, OpensOnlyPlainOpenRequests) {
  const TRequestCase& Case = GetParam();
  TRecordingShellOpener Recorder;
  TShellOpenerGuard Guard(Recorder);

  int Handle = 0;
  int Result =
      ShellExecute(&Handle, Case.Verb, Case.File, Case.Parameters, Case.Directory, kShowCommand);
  EXPECT_EQ(Result, Case.Result);
  EXPECT_EQ(Result > 32, Case.Opened);
  if (Case.Opened) {
    ASSERT_EQ(Recorder.Requests().size(), 1u);
    EXPECT_EQ(Recorder.Requests()[0].File, Case.File);
    EXPECT_EQ(Recorder.Requests()[0].Directory, Case.Directory);
  } else {
    EXPECT_TRUE(Recorder.Requests().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Requests, ShellExecuteRoutingTest,
    ::testing::Values(
        TRequestCase{"OPEN", "http://example.invalid/", "", "", true, kShellExecuteStarted},
        TRequestCase{"open", "http://example.invalid/", "", "", true, kShellExecuteStarted},
        TRequestCase{"oPeN", "http://example.invalid/", "", "/tmp", true, kShellExecuteStarted},
        TRequestCase{"", "http://example.invalid/", "", "", true, kShellExecuteStarted},
        TRequestCase{"ＯＰＥＮ", "http://example.invalid/", "", "", false, SE_ERR_NOASSOC},
        TRequestCase{"print", "http://example.invalid/", "", "", false, SE_ERR_NOASSOC},
        TRequestCase{"opennew", "http://example.invalid/", "", "", false, SE_ERR_NOASSOC},
        TRequestCase{"open", "program", "--flag", "", false, SE_ERR_NOASSOC},
        TRequestCase{"open", "", "", "", false, SE_ERR_FNF}));

TEST(ShellExecuteTest, RecordsAddressesInOrderByteForByte) {
  TRecordingShellOpener Recorder;
  TShellOpenerGuard Guard(Recorder);
  const std::vector<std::string> Addresses = {
      "http://example.invalid/search?q=a b&c&hl=",
      "http://example.invalid/wiki/東京タワー",
      "http://example.invalid/s?k=$(touch x)`id`'\"",
  };
  for (const std::string& Address : Addresses)
    ShellExecute(nullptr, "OPEN", Address, "", "", kShowCommand);
  EXPECT_EQ(Recorder.Addresses(), Addresses);
}

TEST(ShellExecuteTest, GuardsNestAndRestoreThePreviousOpener) {
  TShellOpener* Default = &CurrentShellOpener();
  TRecordingShellOpener Outer, Inner;
  {
    TShellOpenerGuard OuterGuard(Outer);
    ShellExecute(nullptr, "OPEN", "one", "", "", kShowCommand);
    {
      TShellOpenerGuard InnerGuard(Inner);
      ShellExecute(nullptr, "OPEN", "two", "", "", kShowCommand);
    }
    ShellExecute(nullptr, "OPEN", "three", "", "", kShowCommand);
  }
  EXPECT_EQ(Outer.Addresses(), (std::vector<std::string>{"one", "three"}));
  EXPECT_EQ(Inner.Addresses(), std::vector<std::string>{"two"});
  EXPECT_EQ(&CurrentShellOpener(), Default);
}

TEST(MessageBeepTest, RingsTheInstalledBeeperAndRestoresThePrevious) {
  TBeeper* Default = &CurrentBeeper();
  TRecordingBeeper Outer, Inner;
  {
    TBeeperGuard OuterGuard(Outer);
    EXPECT_TRUE(MessageBeep(MB_OK));
    {
      TBeeperGuard InnerGuard(Inner);
      MessageBeep(MB_ICONEXCLAMATION);
    }
    MessageBeep(MB_ICONHAND);
  }
  EXPECT_EQ(Outer.Beeps(), (std::vector<unsigned>{MB_OK, MB_ICONHAND}));
  EXPECT_EQ(Inner.Beeps(), std::vector<unsigned>{MB_ICONEXCLAMATION});
  EXPECT_EQ(&CurrentBeeper(), Default);
}

}  // namespace
