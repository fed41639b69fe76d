#pragma once
// The one log of what reached the objects under test, in order: window
// messages by window, notifications and calls of test controls, requests
// of stand-ins. Every layer's tests record into it and compare it whole with
// the sequence they expect; a failure names the first entry that differs,
// with what came instead, rather than two long lists to tell apart by eye.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <sstream>
#include <utility>
#include <vector>

template <class TEntry>
class TMessageLog {
public:
  using value_type = TEntry;
  using iterator = typename std::vector<TEntry>::const_iterator;
  using const_iterator = iterator;

  TMessageLog() = default;
  TMessageLog(std::initializer_list<TEntry> Entries) : FEntries(Entries) {}

  void push_back(TEntry Entry) { FEntries.push_back(std::move(Entry)); }
  void clear() { FEntries.clear(); }
  bool empty() const { return FEntries.empty(); }
  std::size_t size() const { return FEntries.size(); }
  const TEntry& front() const { return FEntries.front(); }
  const TEntry& back() const { return FEntries.back(); }
  const TEntry& operator[](std::size_t I) const { return FEntries[I]; }
  iterator begin() const { return FEntries.begin(); }
  iterator end() const { return FEntries.end(); }
  const std::vector<TEntry>& Entries() const { return FEntries; }

  bool Contains(const TEntry& Entry) const { return IndexOf(Entry) != npos; }
  // Where Entry was first logged, or npos.
  std::size_t IndexOf(const TEntry& Entry) const {
    const auto It = std::find(FEntries.begin(), FEntries.end(), Entry);
    return It == FEntries.end() ? npos : std::size_t(It - FEntries.begin());
  }
  // The entries Keep accepts, in order.
  template <class TPredicate>
  std::vector<TEntry> Filtered(TPredicate Keep) const {
    std::vector<TEntry> Out;
    for (const TEntry& E : FEntries)
      if (Keep(E)) Out.push_back(E);
    return Out;
  }

  friend bool operator==(const TMessageLog& A, const TMessageLog& B) {
    return A.FEntries == B.FEntries;
  }
  friend bool operator==(const TMessageLog& A, const std::vector<TEntry>& B) {
    return A.FEntries == B;
  }
  // What GoogleTest prints for a failed EXPECT_EQ: the first difference,
  // then the whole log.
  friend void PrintTo(const TMessageLog& Log, std::ostream* Out) {
    *Out << Log.size() << " entries {";
    for (std::size_t I = 0; I < Log.size(); ++I)
      *Out << (I ? ", " : " ") << testing::PrintToString(Log[I]);
    *Out << " }";
  }

  static constexpr std::size_t npos = std::size_t(-1);

private:
  std::vector<TEntry> FEntries;
};

// EXPECT_TRUE(IsSequence(Log, {...})): the log holds exactly Expected, in
// order. A failure says at which entry the two part and what each holds
// there.
template <class TEntry>
testing::AssertionResult IsSequence(const TMessageLog<TEntry>& Log,
                                    const std::vector<TEntry>& Expected) {
  const std::size_t Common = std::min(Log.size(), Expected.size());
  std::size_t I = 0;
  while (I < Common && Log[I] == Expected[I]) ++I;
  if (I == Log.size() && I == Expected.size()) return testing::AssertionSuccess();
  std::ostringstream Why;
  Why << "the sequence parts at entry " << I << ": expected "
      << (I < Expected.size() ? testing::PrintToString(Expected[I]) : std::string("the end"))
      << ", logged " << (I < Log.size() ? testing::PrintToString(Log[I]) : std::string("the end"))
      << "; the whole log: " << testing::PrintToString(Log);
  return testing::AssertionFailure() << Why.str();
}
