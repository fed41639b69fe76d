#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/profile/ProfileDocument.h"

namespace {

using profile::TProfileDocument;

std::string Bytes(const char* Text, std::size_t Length) { return std::string(Text, Length); }

class ProfileRoundTripTest : public testing::TestWithParam<std::string> {};

TEST_P(ProfileRoundTripTest, SerializeGivesBackEveryByte) {
  EXPECT_EQ(TProfileDocument::Parse(GetParam()).Serialize(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Inputs, ProfileRoundTripTest,
                         testing::Values("", "a", "\r\n", "\n\n\r\r\n\r", "[S]\r\nk=v\r\n",
                                         "[S]\nk=v\n", "[S]\rk=v\r", "[S]\r\nk=v\na=b\rc=d",
                                         Bytes("[S\0]\r\nk=\0v\0\r\n\0", 13), "[S]\r\nk=\x83",
                                         "\xFF\x80\xA0[\x83]\r\n=\r\n==\r\n[", "  ; comment\r\n",
                                         "[A]\r\n[A]\r\nk=1\r\nk=2\r\n"));

struct TLookupCase {
  std::string File, Section, Key;
  std::optional<std::string> Expected;
};

void PrintTo(const TLookupCase& Case, std::ostream* Out) {
  *Out << testing::PrintToString(Case.File) << " [" << Case.Section << "] " << Case.Key;
}

class ProfileLookupTest : public testing::TestWithParam<TLookupCase> {};

TEST_P(ProfileLookupTest, FindsTheValueAsTheRulesSay) {
  const TLookupCase& Case = GetParam();
  TProfileDocument Document = TProfileDocument::Parse(Case.File);
  std::optional<std::string_view> Found = Document.FindValue(Case.Section, Case.Key);
  EXPECT_EQ(Found ? std::optional<std::string>(std::string(*Found)) : std::nullopt, Case.Expected)
      << "[" << Case.Section << "] " << Case.Key;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileLookupTest,
    testing::Values(TLookupCase{"[SET]\r\nFRON=1\r\n", "set", "fron", "1"},
                    TLookupCase{"  [ SET ]  \r\n\t FRON \t=1\r\n", "SET", "FRON", "1"},
                    TLookupCase{"[S]\r\nk= v \r\n", "S", "k", " v "},
                    TLookupCase{"[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
                    TLookupCase{"[S]\r\nk=\r\n", "S", "k", ""},
                    TLookupCase{"[S]\r\njunk\r\nk=v", "S", "junk", std::nullopt},
                    TLookupCase{"[S]\r\njunk\r\nk=v", "S", "k", "v"},
                    TLookupCase{"[S]\r\n;k=v\r\n", "S", ";k", std::nullopt},
                    TLookupCase{"k=v\r\n[S]\r\n", "S", "k", std::nullopt},
                    TLookupCase{"[S] ; note\r\nk=v\r\n", "S", "k", "v"},
                    TLookupCase{"[S]\rk=v\rj=w\r", "S", "j", "w"},
                    TLookupCase{"[S]\nk=v\nj=w", "S", "j", "w"},
                    TLookupCase{"[S]\r\nk=1\r\nK=2\r\n[S]\r\nj=3\r\n", "S", "k", "1"},
                    TLookupCase{"[S]\r\nk=1\r\n[s]\r\nj=3\r\n", "S", "j", std::nullopt},
                    TLookupCase{"[S]\r\nk=\x83", "S", "k", "\x83"},
                    TLookupCase{Bytes("[S]\r\nk=a\0b\r\n", 12), "S", "k", Bytes("a\0b", 3)},
                    // Trail bytes that look like ASCII: ゾ ends in "]", ソ in "\".
                    TLookupCase{"[ゾ]\r\nk=v\r\n", "ゾ", "k", "v"},
                    TLookupCase{"[ソ]\r\nソ=v\r\n", "ソ", "ソ", "v"},
                    TLookupCase{"[abゾ\r\nk=v\r\n", "ab\x83", "k", std::nullopt},
                    TLookupCase{"[ゾ]]\r\nk=v\r\n", "ゾ]", "k", "v"},
                    // ア (83 41) and ヂ (83 61) differ only by a letter's case in the
                    // trail byte, which must never fold.
                    TLookupCase{"[S]\r\nア=1\r\n", "S", "ヂ", std::nullopt},
                    TLookupCase{"[ア]\r\nk=1\r\n", "ヂ", "k", std::nullopt},
                    TLookupCase{"[S]\r\nア=1\r\n", "s", "ア", "1"},
                    TLookupCase{"[ｓｅｔ]\r\nｋ=1\r\n", "ＳＥＴ", "Ｋ", "1"},
                    TLookupCase{"", "S", "k", std::nullopt}));

struct TEditCase {
  const char* Name;
  std::string Before;
  std::function<void(TProfileDocument&)> Edit;
  std::string After;
};

void PrintTo(const TEditCase& Case, std::ostream* Out) { *Out << Case.Name; }

class ProfileEditTest : public testing::TestWithParam<TEditCase> {};

TEST_P(ProfileEditTest, ChangesOnlyWhatItMust) {
  TProfileDocument Document = TProfileDocument::Parse(GetParam().Before);
  GetParam().Edit(Document);
  EXPECT_EQ(Document.Serialize(), GetParam().After);
}

void Set(TProfileDocument& D, const char* S, const char* K, const char* V) { D.SetValue(S, K, V); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileEditTest,
    testing::Values(
        TEditCase{"ReplaceInPlace", "; head\n[A]\r\nx = 1\nk=old\r\ny=2\r\n[B]\r\nk=b\r\n",
                  [](auto& D) { Set(D, "A", "k", "new"); },
                  "; head\n[A]\r\nx = 1\nk=new\r\ny=2\r\n[B]\r\nk=b\r\n"},
        TEditCase{"ReplaceKeepsSpellingAndLineEnd", "[A]\r\n  Fron =0\n[B]",
                  [](auto& D) { Set(D, "a", "FRON", "1"); }, "[A]\r\n  Fron =1\n[B]"},
        TEditCase{"ReplaceFirstDuplicate", "[A]\r\nk=1\r\nk=2\r\n",
                  [](auto& D) { Set(D, "A", "k", "9"); }, "[A]\r\nk=9\r\nk=2\r\n"},
        TEditCase{"NewKeyAfterLastKey", "[A]\r\na=1\r\n\r\n; about B\r\n[B]\r\nb=1\r\n",
                  [](auto& D) { Set(D, "A", "c", "3"); },
                  "[A]\r\na=1\r\nc=3\r\n\r\n; about B\r\n[B]\r\nb=1\r\n"},
        TEditCase{"NewKeyInSectionWithoutKeys", "[A]\r\n; c\r\n[B]\r\n",
                  [](auto& D) { Set(D, "A", "k", "v"); }, "[A]\r\nk=v\r\n; c\r\n[B]\r\n"},
        TEditCase{"NewKeyAfterHeaderWithoutLineEnd", "[A]", [](auto& D) { Set(D, "A", "k", "v"); },
                  "[A]\r\nk=v\r\n"},
        TEditCase{"NewKeyAfterLastLineWithoutLineEnd", "[A]\r\na=1",
                  [](auto& D) { Set(D, "A", "b", "2"); }, "[A]\r\na=1\r\nb=2\r\n"},
        TEditCase{"NewSectionAtEnd", "[A]\r\na=1", [](auto& D) { Set(D, "N", "k", "v"); },
                  "[A]\r\na=1\r\n[N]\r\nk=v\r\n"},
        TEditCase{"NewSectionInEmptyFile", "", [](auto& D) { Set(D, "N", "k", "v"); },
                  "[N]\r\nk=v\r\n"},
        TEditCase{"LineBreakInValueCannotAddLines", "",
                  [](auto& D) { Set(D, "N", "k", "v\r\nInjected=1"); }, "[N]\r\nk=v\r\n"},
        TEditCase{"TrailByteSectionFound", "[ゾ]\r\nk=1\r\n",
                  [](auto& D) { Set(D, "ゾ", "k", "2"); }, "[ゾ]\r\nk=2\r\n"},
        TEditCase{"TrailByteNotFolded", "[S]\r\nア=1\r\n", [](auto& D) { Set(D, "S", "ヂ", "2"); },
                  "[S]\r\nア=1\r\nヂ=2\r\n"},
        TEditCase{"EraseKeepsOtherLines",
                  "top\r\n[A]\r\na=1\r\n; keep\r\nb=2\r\n\r\n[B]\r\nb=1\n[a]\r\nc=3",
                  [](auto& D) { D.EraseSection("A"); }, "top\r\n; keep\r\n\r\n[B]\r\nb=1\n"},
        TEditCase{"EraseKeepsALoneCrApartFromAnLfLine", "a\r[A]\r\nk=1\r\n\n[B]",
                  [](auto& D) { D.EraseSection("A"); }, "a\r\n\n[B]"},
        TEditCase{"EraseMissingSection", "[A]\r\na=1", [](auto& D) { D.EraseSection("Z"); },
                  "[A]\r\na=1"},
        TEditCase{"HistorySave",
                  "[History]\r\nHistoryCount=2\r\nHistory0=a\r\nHistory1=b\r\n[SET]\r\nFRON=1\r\n",
                  [](auto& D) {
                    D.EraseSection("History");
                    Set(D, "History", "HistoryCount", "1");
                    Set(D, "History", "History0", "x");
                  },
                  "[SET]\r\nFRON=1\r\n[History]\r\nHistoryCount=1\r\nHistory0=x\r\n"}),
    [](const testing::TestParamInfo<TEditCase>& Info) { return Info.param.Name; });

TEST(ProfileDocumentTest, EditsReadBackAfterAnotherParse) {
  TProfileDocument Document = TProfileDocument::Parse("[A]\r\nk=1\r\n; c\r\n[B]");
  Document.SetValue("A", "k", "2");
  Document.SetValue("A", "new", "3");
  Document.SetValue("B", "x", "4");
  Document.SetValue("C", "y", "5");
  Document.EraseSection("B");
  TProfileDocument Reread = TProfileDocument::Parse(Document.Serialize());
  for (const TProfileDocument* D : {&Document, &Reread}) {
    EXPECT_EQ(D->FindValue("A", "k"), "2");
    EXPECT_EQ(D->FindValue("A", "new"), "3");
    EXPECT_EQ(D->FindValue("B", "x"), std::nullopt);
    EXPECT_EQ(D->FindValue("C", "y"), "5");
    EXPECT_FALSE(D->SectionExists("B"));
  }
}

TEST(ProfileDocumentTest, KeysTheFormatCannotHoldAreNotWritten) {
  TProfileDocument Document = TProfileDocument::Parse("[A]\r\na=1\r\n");
  for (const char* Key : {"[x]", ";x", "a=b", " [x] "}) {
    EXPECT_FALSE(Document.SetValue("A", Key, "v")) << Key;
    EXPECT_FALSE(Document.SetValue("New", Key, "v")) << Key;
  }
  EXPECT_EQ(Document.Serialize(), "[A]\r\na=1\r\n");
  EXPECT_TRUE(Document.SetValue("A", "", "empty name"));
  EXPECT_TRUE(Document.SetValue("A", "[x", "no closing bracket"));
  TProfileDocument Reread = TProfileDocument::Parse(Document.Serialize());
  EXPECT_EQ(Reread.FindValue("A", "[x"), "no closing bracket");
}

TEST(ProfileDocumentTest, KeyNamesInFileOrderEachOnce) {
  TProfileDocument Document = TProfileDocument::Parse("[S]\r\nb=1\r\n a =2\r\nB=3\r\njunk\r\n");
  EXPECT_EQ(Document.KeyNames("s"), (std::vector<std::string>{"b", "a"}));
  EXPECT_TRUE(Document.KeyNames("missing").empty());
}

TEST(ProfileDocumentTest, TenMegabyteLine) {
  std::string Huge(10 << 20, 'x');
  std::string File = "[S]\r\nk=" + Huge + "\r\n[" + Huge + "\r\nj=1";
  TProfileDocument Document = TProfileDocument::Parse(File);
  EXPECT_EQ(Document.Serialize(), File);
  EXPECT_EQ(Document.FindValue("S", "k")->size(), Huge.size());
  EXPECT_EQ(Document.FindValue("S", "j"), "1");
}

}  // namespace
