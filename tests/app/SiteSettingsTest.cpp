// Section "Sites": which addresses are accepted, how a slot is replaced,
// refused or left built in, how a long name is cut, and where the keyword
// goes in an address of the user's.

#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/SiteSettings.h"

using namespace apptest;

namespace {

struct TAddressCase {
  const char* Name;
  const char* Address;
  bool Accepted;
};

void PrintTo(const TAddressCase& Case, std::ostream* Out) { *Out << Case.Name; }

class SiteAddressTest : public testing::TestWithParam<TAddressCase> {};

TEST_P(SiteAddressTest, OnlyWebAddressesWithTheKeywordMark) {
  EXPECT_EQ(IsAcceptedSiteAddress(GetParam().Address), GetParam().Accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, SiteAddressTest,
    testing::Values(TAddressCase{"Https", "https://eow.alc.co.jp/search?q=%s", true},
                    TAddressCase{"Http", "http://example.jp/s/%s", true},
                    TAddressCase{"SchemeAnyCase", "HTTPS://example.jp/?q=%s", true},
                    TAddressCase{"MarkTwice", "https://example.jp/?q=%s&again=%s", true},
                    TAddressCase{"NoMark", "https://example.jp/?q=", false},
                    TAddressCase{"Javascript", "javascript:alert('%s')", false},
                    TAddressCase{"JavascriptLookingLikeHttp", "javascript://x/%0aalert(%s)", false},
                    TAddressCase{"File", "file:///etc/%s", false},
                    TAddressCase{"Ftp", "ftp://example.jp/%s", false},
                    TAddressCase{"NoHost", "https:///search?q=%s", false},
                    TAddressCase{"KeywordDecidesTheHost", "https://%s.example.jp/", false},
                    TAddressCase{"MarkOnlyInTheHost", "https://%s", false},
                    TAddressCase{"LineBreak", "https://example.jp/?q=%s\nx", false},
                    TAddressCase{"HalfACharacter", "https://example.jp/?q=%s\x82", false}),
    [](const testing::TestParamInfo<TAddressCase>& Info) { return Info.param.Name; });

TEST(SlotAddress, TheKeywordGoesInAtEveryMarkExactlyAsTyped) {
  const TSiteSlot Slot{"x", "https://example.jp/%s?q=%s&t=1"};
  EXPECT_EQ(SlotAddress(Slot, "a b&%s"), "https://example.jp/a b&%s?q=a b&%s&t=1");
  // The built-in slots give the built-in addresses.
  const TSiteSlots BuiltIn = BuiltInSiteSlots();
  for (int I = 0; I < kSearchSiteCount; ++I) {
    EXPECT_EQ(SlotAddress(BuiltIn[I], "k 1"), SearchAddress(I, "k 1")) << I;
    EXPECT_EQ(BuiltIn[I].ItemText, SearchSites()[I].ItemText) << I;
  }
}

class SiteSlotsFile : public testing::Test {
protected:
  TTempDir Dir;
  std::string Path = Dir.File("Scoutlane.ini");
};

TEST_F(SiteSlotsFile, NamedEntriesReplaceTheirSlotAndTheOthersStayBuiltIn) {
  // 英辞郎 in code page 932.
  WriteFileBytes(Path,
                 "[Sites]\r\nName3=\x89\x70\x8E\xAB\x98\x59\r\nURL3=https://eow.alc.co.jp/"
                 "search?q=%s\r\nURL0= http://example.jp/g?q=%s \r\nName9=Shop\r\n");
  const TSitesReading Reading = ReadSiteSlots(Path);
  EXPECT_TRUE(Reading.Notices.empty());
  const TSiteSlots BuiltIn = BuiltInSiteSlots();
  EXPECT_EQ(Reading.Slots[3].ItemText, "\x89\x70\x8E\xAB\x98\x59");
  EXPECT_EQ(Reading.Slots[3].Address, "https://eow.alc.co.jp/search?q=%s");
  // An address alone keeps the built-in name; a name alone the address.
  EXPECT_EQ(Reading.Slots[0].ItemText, "Google");
  EXPECT_EQ(Reading.Slots[0].Address, "http://example.jp/g?q=%s");
  EXPECT_EQ(Reading.Slots[9].ItemText, "Shop");
  EXPECT_EQ(Reading.Slots[9].Address, BuiltIn[9].Address);
  for (int I : {1, 2, 4, 5, 6, 7, 8}) {
    EXPECT_EQ(Reading.Slots[I].ItemText, BuiltIn[I].ItemText) << I;
    EXPECT_EQ(Reading.Slots[I].Address, BuiltIn[I].Address) << I;
  }
}

TEST_F(SiteSlotsFile, ARefusedEntryLeavesItsSlotBuiltInWithOneNoticeNamingIt) {
  WriteFileBytes(Path,
                 "[Sites]\r\nName2=Evil\r\nURL2=javascript:alert(%s)\r\n"
                 "Name5=A\x82 bc\r\nURL5=https://example.jp/?q=%s\r\n"
                 "URL7=https://example.jp/?q=\r\n");
  const TSitesReading Reading = ReadSiteSlots(Path);
  const TSiteSlots BuiltIn = BuiltInSiteSlots();
  for (int I : {2, 5, 7}) {
    EXPECT_EQ(Reading.Slots[I].ItemText, BuiltIn[I].ItemText) << I;
    EXPECT_EQ(Reading.Slots[I].Address, BuiltIn[I].Address) << I;
  }
  ASSERT_EQ(Reading.Notices.size(), 3u);
  EXPECT_NE(Reading.Notices[0].find("URL2"), std::string::npos) << Reading.Notices[0];
  EXPECT_NE(Reading.Notices[1].find("Name5"), std::string::npos) << Reading.Notices[1];
  EXPECT_NE(Reading.Notices[2].find("URL7"), std::string::npos) << Reading.Notices[2];
}

TEST_F(SiteSlotsFile, ReadingNeverWritesTheFile) {
  const std::string Before = "[Sites]\r\nname1 = X \r\nURL1=bad\r\n";
  WriteFileBytes(Path, Before);
  ReadSiteSlots(Path);
  EXPECT_EQ(ReadFileBytes(Path), Before);
}

TEST(FitItemText, CutsWithAnEllipsisOnACharacterBoundary) {
  // One pixel a byte.
  auto Bytes = [](std::string_view Text) { return int(Text.size()); };
  EXPECT_EQ(FitItemText("Dictionary", 10, Bytes), "Dictionary");
  EXPECT_EQ(FitItemText("Dictionary", 9, Bytes), "Dictio...");
  // あいう: a cut never leaves half of a double-byte character.
  EXPECT_EQ(FitItemText("\x82\xA0\x82\xA2\x82\xA4", 6, Bytes), "\x82\xA0\x82\xA2\x82\xA4");
  EXPECT_EQ(FitItemText("\x82\xA0\x82\xA2\x82\xA4", 5, Bytes), "\x82\xA0...");
  EXPECT_EQ(FitItemText("\x82\xA0\x82\xA2\x82\xA4", 4, Bytes), "...");
}

}  // namespace
