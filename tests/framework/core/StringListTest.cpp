#include "framework/core/StringList.h"

#include <gtest/gtest.h>

#include "platform/text/Cp932.h"

#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts(const TStrings& List) {
  std::vector<std::string> Result;
  for (int I = 0; I < List.Count(); ++I) Result.push_back(List.Get(I));
  return Result;
}

std::vector<std::intptr_t> Words(const TStrings& List) {
  std::vector<std::intptr_t> Result;
  for (int I = 0; I < List.Count(); ++I) Result.push_back(List.Objects(I));
  return Result;
}

// Counts the list's notifications and checks that OnChanging comes before
// the change and OnChange after it.
struct TChangeCounter {
  explicit TChangeCounter(TStringList& AList) : List(AList) {
    List.OnChanging = [this](TObject* Sender) {
      EXPECT_EQ(Sender, &List);
      ++Changing;
      TextBefore = List.Text();
    };
    List.OnChange = [this](TObject* Sender) {
      EXPECT_EQ(Sender, &List);
      ++Changes;
      TextAfter = List.Text();
    };
  }
  TStringList& List;
  int Changing = 0;
  int Changes = 0;
  std::string TextBefore, TextAfter;
};

TEST(StringListTest, ObjectSlotsTravelWithAssignAndStayIndependent) {
  TStringList Source;
  Source.AddObject("google", 2);
  Source.AddObject("yahoo", 5);
  Source.Add("goo");
  TStringList Copy;
  Copy.Add("old entry");
  Copy.Assign(&Source);
  EXPECT_EQ(Texts(Copy), (std::vector<std::string>{"google", "yahoo", "goo"}));
  EXPECT_EQ(Words(Copy), (std::vector<std::intptr_t>{2, 5, 0}));
  Copy.PutObject(0, 9);
  EXPECT_EQ(Source.Objects(0), 2);
}

// Long enough that a sort which is not stable would reorder equal entries
// (small ranges are often sorted by insertion, which is stable by chance).
TEST(StringListTest, SortKeepsTheOrderOfEqualEntriesInALongList) {
  const char* Keys[] = {"Ｓｉｔｅ", "site", "ＳＩＴＥ", "SITE", "ａ",
                        "A",        "a",    "Ａ",       "電車", "Site"};
  TStringList List;
  for (int I = 0; I < 400; ++I) List.AddObject(Keys[(I * 7) % 10], I);
  List.Sort();
  ASSERT_EQ(List.Count(), 400);
  for (int I = 1; I < List.Count(); ++I) {
    int Order = cp932::AnsiCompareText(List.Get(I - 1), List.Get(I));
    ASSERT_LE(Order, 0) << I;
    if (Order == 0) {
      ASSERT_LT(List.Objects(I - 1), List.Objects(I)) << I;
    }
  }
  // Each entry still carries the word it was added with.
  for (int I = 0; I < List.Count(); ++I) EXPECT_EQ(List.Get(I), Keys[(List.Objects(I) * 7) % 10]);
}

TEST(StringListTest, SortedFlagOffKeepsTheOrder) {
  TStringList List;
  for (const char* S : {"c", "a", "b"}) List.Add(S);
  List.SetSorted(true);
  List.SetSorted(false);
  List.Add("0");
  EXPECT_EQ(Texts(List), (std::vector<std::string>{"a", "b", "c", "0"}));
}

TEST(StringListTest, AddToSortedListGoesAfterEqualEntries) {
  TStringList List;
  List.SetSorted(true);
  EXPECT_EQ(List.AddObject("m", 1), 0);
  EXPECT_EQ(List.AddObject("a", 2), 0);
  EXPECT_EQ(List.AddObject("z", 3), 2);
  EXPECT_EQ(List.AddObject("M", 4), 2);   // after the "m" that came first
  EXPECT_EQ(List.AddObject("ｍ", 5), 4);  // full-width sorts after ASCII
  EXPECT_EQ(Texts(List), (std::vector<std::string>{"a", "m", "M", "z", "ｍ"}));
  EXPECT_EQ(Words(List), (std::vector<std::intptr_t>{2, 1, 4, 3, 5}));
  EXPECT_EQ(List.IndexOf("M"), 1);  // the first of the equal entries
}

TEST(StringListTest, SortedListRefusesPlacingAtAChosenPosition) {
  TStringList List;
  List.Add("b");
  List.Add("a");
  List.SetSorted(true);
  TChangeCounter Counter(List);
  EXPECT_THROW(List.Insert(0, "z"), EStringListError);
  EXPECT_THROW(List.InsertObject(0, "z", 1), EStringListError);
  EXPECT_THROW(List.Put(0, "z"), EStringListError);
  EXPECT_THROW(List.Move(0, 1), EStringListError);
  EXPECT_THROW(List.Exchange(0, 1), EStringListError);
  EXPECT_EQ(Texts(List), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Counter.Changing + Counter.Changes, 0);
  List.PutObject(1, 7);  // the data word is no position
  EXPECT_EQ(List.Objects(1), 7);
}

TEST(StringListTest, DuplicatesInSortedList) {
  TStringList List;
  List.SetSorted(true);
  List.SetDuplicates(dupIgnore);
  List.AddObject("Weather", 1);
  EXPECT_EQ(List.AddObject("WEATHER", 2), 0);
  EXPECT_EQ(List.Count(), 1);
  EXPECT_EQ(List.Objects(0), 1);
  List.SetDuplicates(dupError);
  EXPECT_THROW(List.Add("weather"), EStringListError);
  EXPECT_EQ(List.Count(), 1);
}

// IndexOf with both the linear and the binary search.
class IndexOfTest : public ::testing::TestWithParam<bool> {};

TEST_P(IndexOfTest, IgnoresCaseOfAsciiAndFullWidthLettersOnly) {
  TStringList List;
  for (const char* S : {"Weather", "ＡＢＣ", "ヂ", "abc", "電車"}) List.Add(S);
  List.SetSorted(GetParam());
  auto Has = [&](const char* S) { return List.IndexOf(S) >= 0 ? List.Get(List.IndexOf(S)) : ""; };
  EXPECT_EQ(Has("weATHER"), "Weather");
  EXPECT_EQ(Has("ａｂｃ"), "ＡＢＣ");
  EXPECT_EQ(Has("aBc"), "abc");
  EXPECT_EQ(Has("電車"), "電車");
  // "ヂ" is 0x83 0x61: its trail byte looks like "a" but is no letter, so
  // it never matches "ア" (0x83 0x41).
  EXPECT_EQ(List.IndexOf("ア"), -1);
  EXPECT_EQ(Has("ヂ"), "ヂ");
  EXPECT_EQ(List.IndexOf("Weathe"), -1);
  EXPECT_EQ(List.IndexOf(""), -1);
  // ASCII and full-width letters are different characters.
  TStringList Only;
  Only.Add("ａｂｃ");
  Only.SetSorted(GetParam());
  EXPECT_EQ(Only.IndexOf("abc"), -1);
}

INSTANTIATE_TEST_SUITE_P(LinearAndSorted, IndexOfTest, ::testing::Bool());

// Every change is announced exactly once, after it is done.
struct TChangeCase {
  const char* Name;
  std::function<void(TStringList&)> Change;
  const char* TextAfter;
};

class ChangeNoticeTest : public ::testing::TestWithParam<TChangeCase> {};

TEST_P(ChangeNoticeTest, OneNoticeBeforeAndOneAfter) {
  TStringList List;
  List.AddObject("b", 1);
  List.AddObject("a", 2);
  List.AddObject("c", 3);
  TChangeCounter Counter(List);
  GetParam().Change(List);
  EXPECT_EQ(Counter.Changing, 1);
  EXPECT_EQ(Counter.Changes, 1);
  EXPECT_EQ(Counter.TextBefore, "b\r\na\r\nc\r\n");
  EXPECT_EQ(Counter.TextAfter, GetParam().TextAfter);
  EXPECT_EQ(List.Text(), GetParam().TextAfter);
}

TStringList* Other() {
  static TStringList List;
  List.Clear();
  List.AddObject("x", 8);
  List.AddObject("y", 9);
  return &List;
}

INSTANTIATE_TEST_SUITE_P(
    EveryChange, ChangeNoticeTest,
    ::testing::Values(
        TChangeCase{"Add", [](TStringList& L) { L.Add("d"); }, "b\r\na\r\nc\r\nd\r\n"},
        TChangeCase{"AddObject", [](TStringList& L) { L.AddObject("d", 4); },
                    "b\r\na\r\nc\r\nd\r\n"},
        TChangeCase{"Insert", [](TStringList& L) { L.Insert(0, "d"); }, "d\r\nb\r\na\r\nc\r\n"},
        TChangeCase{"InsertObject", [](TStringList& L) { L.InsertObject(3, "d", 4); },
                    "b\r\na\r\nc\r\nd\r\n"},
        TChangeCase{"Delete", [](TStringList& L) { L.Delete(1); }, "b\r\nc\r\n"},
        TChangeCase{"Clear", [](TStringList& L) { L.Clear(); }, ""},
        TChangeCase{"Put", [](TStringList& L) { L.Put(2, "z"); }, "b\r\na\r\nz\r\n"},
        TChangeCase{"PutObject", [](TStringList& L) { L.PutObject(0, 1); }, "b\r\na\r\nc\r\n"},
        TChangeCase{"Sort", [](TStringList& L) { L.Sort(); }, "a\r\nb\r\nc\r\n"},
        TChangeCase{"SetSorted", [](TStringList& L) { L.SetSorted(true); }, "a\r\nb\r\nc\r\n"},
        TChangeCase{"Move", [](TStringList& L) { L.Move(0, 2); }, "a\r\nc\r\nb\r\n"},
        TChangeCase{"Exchange", [](TStringList& L) { L.Exchange(0, 2); }, "c\r\na\r\nb\r\n"},
        TChangeCase{"Assign", [](TStringList& L) { L.Assign(Other()); }, "x\r\ny\r\n"},
        TChangeCase{"SetText", [](TStringList& L) { L.SetText("p\r\nq"); }, "p\r\nq\r\n"},
        TChangeCase{"AddStrings", [](TStringList& L) { L.AddStrings(Other()); },
                    "b\r\na\r\nc\r\nx\r\ny\r\n"}),
    [](const ::testing::TestParamInfo<TChangeCase>& Info) { return std::string(Info.param.Name); });

TEST(StringListTest, AssignAnnouncesOnceAtTheEndEvenForAnEmptyList) {
  TStringList Source;
  for (int I = 0; I < 50; ++I) Source.AddObject("item" + std::to_string(I), I);
  TStringList List;
  int Changes = 0, CountSeen = -1;
  List.OnChange = [&](TObject*) {
    ++Changes;
    CountSeen = List.Count();
  };
  List.Assign(&Source);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(CountSeen, 50);
  EXPECT_EQ(List.Objects(49), 49);

  TStringList Empty;
  List.Clear();
  Changes = 0;
  List.Assign(&Empty);  // callers rely on one notice per assignment
  EXPECT_EQ(Changes, 1);

  List.Assign(&List);  // to itself: nothing happens
  EXPECT_EQ(Changes, 1);
}

TEST(StringListTest, ClearingAnEmptyListIsNoChange) {
  TStringList List;
  TChangeCounter Counter(List);
  List.Clear();
  List.Move(0, 0);
  EXPECT_EQ(Counter.Changes, 0);
}

TEST(StringListTest, UpdateBracketIsCountedAndAnnouncesOnceIfAnythingChanged) {
  TStringList List;
  TChangeCounter Counter(List);
  List.BeginUpdate();
  List.BeginUpdate();
  for (int I = 0; I < 100; ++I) List.Add(std::to_string(I));
  List.Delete(0);
  List.EndUpdate();
  EXPECT_EQ(Counter.Changes, 0);  // still inside the outer bracket
  EXPECT_EQ(Counter.Changing, 1);
  List.EndUpdate();
  EXPECT_EQ(Counter.Changes, 1);
  EXPECT_EQ(List.Count(), 99);

  List.BeginUpdate();
  List.EndUpdate();
  EXPECT_EQ(Counter.Changes, 1);  // nothing changed, nothing said

  List.EndUpdate();  // unbalanced: ignored, the next bracket still works
  EXPECT_EQ(List.UpdateCount(), 0);
  List.BeginUpdate();
  List.Add("x");
  EXPECT_EQ(Counter.Changes, 1);
  List.EndUpdate();
  EXPECT_EQ(Counter.Changes, 2);
  List.Add("y");
  EXPECT_EQ(Counter.Changes, 3);
}

TEST(StringListTest, AssignInsideABracketWaitsForTheBracket) {
  TStringList Source;
  Source.Add("a");
  TStringList List;
  TChangeCounter Counter(List);
  List.BeginUpdate();
  List.Assign(&Source);
  List.Add("b");
  EXPECT_EQ(Counter.Changes, 0);
  List.EndUpdate();
  EXPECT_EQ(Counter.Changes, 1);
}

// Positions outside the list raise the list index error naming the position.
struct TIndexCase {
  const char* Name;
  std::function<void(TStringList&)> Call;
  int Index;
};

class IndexErrorTest : public ::testing::TestWithParam<TIndexCase> {};

TEST_P(IndexErrorTest, RaisesWithThePosition) {
  TStringList List;
  List.AddObject("a", 1);
  List.AddObject("b", 2);
  TChangeCounter Counter(List);
  try {
    GetParam().Call(List);
    FAIL() << "no error";
  } catch (const EStringListError& E) {
    EXPECT_EQ(E.Message(),
              FormatMessage(messages::kListIndexOutOfBounds, {std::to_string(GetParam().Index)}));
  }
  EXPECT_EQ(Texts(List), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Counter.Changing + Counter.Changes, 0);
}

INSTANTIATE_TEST_SUITE_P(
    EveryAccess, IndexErrorTest,
    ::testing::Values(TIndexCase{"GetPastEnd", [](TStringList& L) { L.Get(2); }, 2},
                      TIndexCase{"GetNegative", [](TStringList& L) { L.Get(-1); }, -1},
                      TIndexCase{"Put", [](TStringList& L) { L.Put(5, "x"); }, 5},
                      TIndexCase{"Objects", [](TStringList& L) { L.Objects(2); }, 2},
                      TIndexCase{"PutObject", [](TStringList& L) { L.PutObject(-3, 1); }, -3},
                      TIndexCase{"Delete", [](TStringList& L) { L.Delete(2); }, 2},
                      TIndexCase{"InsertPastEnd", [](TStringList& L) { L.Insert(3, "x"); }, 3},
                      TIndexCase{"InsertNegative", [](TStringList& L) { L.Insert(-1, "x"); }, -1},
                      TIndexCase{"MoveFrom", [](TStringList& L) { L.Move(2, 0); }, 2},
                      TIndexCase{"MoveTo", [](TStringList& L) { L.Move(0, 2); }, 2},
                      TIndexCase{"Exchange", [](TStringList& L) { L.Exchange(0, 7); }, 7},
                      TIndexCase{"Names", [](TStringList& L) { L.Names(2); }, 2}),
    [](const ::testing::TestParamInfo<TIndexCase>& Info) { return std::string(Info.param.Name); });

TEST(StringListTest, MoveAndExchangeCarryObjects) {
  TStringList List;
  for (int I = 0; I < 5; ++I) List.AddObject(std::string(1, char('a' + I)), I);
  List.Move(4, 0);  // the history's "move to the top"
  EXPECT_EQ(Texts(List), (std::vector<std::string>{"e", "a", "b", "c", "d"}));
  List.Move(1, 3);
  EXPECT_EQ(Texts(List), (std::vector<std::string>{"e", "b", "c", "a", "d"}));
  EXPECT_EQ(Words(List), (std::vector<std::intptr_t>{4, 1, 2, 0, 3}));
  List.Exchange(0, 4);
  EXPECT_EQ(Texts(List), (std::vector<std::string>{"d", "b", "c", "a", "e"}));
  EXPECT_EQ(Words(List), (std::vector<std::intptr_t>{3, 1, 2, 0, 4}));
}

TEST(StringListTest, TextSplitsOnEveryLineBreakKind) {
  TStringList List;
  List.SetText("one\r\ntwo\nthree\rfour");
  EXPECT_EQ(Texts(List), (std::vector<std::string>{"one", "two", "three", "four"}));
  List.SetText("a\r\n\r\nb\r\n");
  EXPECT_EQ(Texts(List), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(List.Text(), "a\r\n\r\nb\r\n");
  List.SetText("\n");
  EXPECT_EQ(Texts(List), (std::vector<std::string>{""}));
  List.SetText("");
  EXPECT_EQ(List.Count(), 0);
  EXPECT_EQ(List.Text(), "");
  List.SetText("表示\r\n検索");  // double-byte texts split only at real breaks
  EXPECT_EQ(Texts(List), (std::vector<std::string>{"表示", "検索"}));
}

TEST(StringListTest, NamesAndValues) {
  TStringList List;
  List.Add("SITE0=1");
  List.Add("Top=");
  List.Add("plain");
  List.Add("Key=a=b");
  EXPECT_EQ(List.Values("site0"), "1");
  EXPECT_EQ(List.Values("TOP"), "");
  EXPECT_EQ(List.IndexOfName("top"), 1);
  EXPECT_EQ(List.IndexOfName("plain"), -1);
  EXPECT_EQ(List.Values("key"), "a=b");
  EXPECT_EQ(List.Names(2), "");
  EXPECT_EQ(List.Names(3), "Key");
}

TEST(StringListTest, AddStringsOfItselfAppendsOneCopy) {
  TStringList List;
  List.AddObject("a", 1);
  List.AddObject("b", 2);
  List.AddStrings(&List);
  EXPECT_EQ(Texts(List), (std::vector<std::string>{"a", "b", "a", "b"}));
  EXPECT_EQ(Words(List), (std::vector<std::intptr_t>{1, 2, 1, 2}));
}

TEST(StringListTest, AssignIntoASortedListSortsTheCopy) {
  TStringList Source;
  Source.AddObject("c", 3);
  Source.AddObject("a", 1);
  Source.AddObject("C", 4);
  TStringList List;
  List.SetSorted(true);
  List.Assign(&Source);
  EXPECT_EQ(Texts(List), (std::vector<std::string>{"a", "c", "C"}));
  EXPECT_EQ(Words(List), (std::vector<std::intptr_t>{1, 3, 4}));
  EXPECT_FALSE(Source.Sorted());
}

}  // namespace
