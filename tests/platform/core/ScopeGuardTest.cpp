#include "platform/core/ScopeGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ScopeGuardTest, RunsAtTheEndOfTheScopeAndOnAnError) {
  int Runs = 0;
  {
    TScopeGuard Guard([&] { ++Runs; });
  }
  EXPECT_EQ(Runs, 1);
  EXPECT_THROW(
      {
        TScopeGuard Guard([&] { ++Runs; });
        throw std::runtime_error("step failed");
      },
      std::runtime_error);
  EXPECT_EQ(Runs, 2);
}

TEST(ScopeGuardTest, DismissedGuardOnlyUndoesAFailedStep) {
  int Undone = 0;
  {
    TScopeGuard Undo([&] { ++Undone; });
    Undo.Dismiss();
  }
  EXPECT_EQ(Undone, 0);
  try {
    TScopeGuard Undo([&] { ++Undone; });
    throw std::runtime_error("step failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(Undone, 1);
}

TEST(ScopeGuardTest, CleanUpErrorPassesOnButNeverReplacesTheErrorInFlight) {
  // Without an error in flight the clean-up's own error reaches the caller
  // (a change notification that fails at the end of an update, say).
  EXPECT_THROW({ TScopeGuard Guard([] { throw std::logic_error("clean-up"); }); },
               std::logic_error);
  // With one in flight, the first error is the one the caller sees.
  try {
    TScopeGuard Guard([] { throw std::logic_error("clean-up"); });
    throw std::runtime_error("first");
  } catch (const std::runtime_error& E) {
    EXPECT_STREQ(E.what(), "first");
  } catch (...) {
    ADD_FAILURE() << "the clean-up's error replaced the first one";
  }
}

TEST(ScopeGuardTest, TemporaryChangePutsTheOldValueBack) {
  bool Flag = false;
  {
    TTemporaryChange<bool> Change(Flag, true);
    EXPECT_TRUE(Flag);
  }
  EXPECT_FALSE(Flag);
  std::string Text = "old";
  try {
    TTemporaryChange<std::string> Change(Text, "new");
    EXPECT_EQ(Text, "new");
    throw std::runtime_error("step failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(Text, "old");
}

}  // namespace
