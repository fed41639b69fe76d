#include <gtest/gtest.h>

#include <random>

#include "platform/core/Exception.h"
#include "platform/registry/RegistryFormat.h"
#include "platform/registry/RegistryMessages.h"

using registry::ParseRegistry;
using registry::SerializeRegistry;
using registry::TRegistryTree;
using registry::TRegistryValue;

namespace {

std::string AllBytes() {
  std::string Text;
  for (int Byte = 0; Byte < 256; ++Byte) Text += static_cast<char>(Byte);
  return Text;
}

// Texts that a naive format would lose or damage.
std::vector<std::string> AwkwardTexts() {
  return {"weather",
          "天気予報 ソフト 表示",  // trail bytes 5C
          "two trailing blanks  ",
          " leading blank",
          "%41 is not A",
          "a=b=c",
          "[section]",
          ";comment",
          "\\back\\slash\\",
          "line\r\nbreak\n",
          std::string("nul\0inside", 10),
          "\x87\x90 and \xED\x40",  // NEC duplicates of ≒ and 纊: two codes, one character
          "\x80\xA0\xFD\xFE\xFF",   // bytes that are no CP932 character
          "ends with a lead byte \x81",
          "lead byte before LF \x81\n",
          "dword:12",
          "text:",
          AllBytes()};
}

TRegistryTree RoundTrip(const TRegistryTree& Tree) {
  return ParseRegistry(SerializeRegistry(Tree), "registry.txt");
}

class RegistryFormatRoundTripTest : public ::testing::TestWithParam<std::string> {};

TEST_P(RegistryFormatRoundTripTest, EveryByteOfKeyNamesValueNamesAndTextsComesBack) {
  const std::string& Text = GetParam();
  TRegistryTree Tree;
  Tree.SetValue({"Software", Text}, Text, TRegistryValue::FromText(Text));
  Tree.SetValue({"Software", Text}, "after", TRegistryValue::FromNumber(-1));

  TRegistryTree Back = RoundTrip(Tree);
  const registry::TRegistryKey* Key = Back.FindKey({"Software", Text});
  ASSERT_NE(Key, nullptr);
  EXPECT_EQ(Key->Name(), Text);
  ASSERT_EQ(Key->ValueCount(), 2u);
  EXPECT_EQ(Key->ValueName(0), Text);
  EXPECT_EQ(Key->Value(0), TRegistryValue::FromText(Text));
  EXPECT_EQ(Key->Value(1), TRegistryValue::FromNumber(-1));
}

INSTANTIATE_TEST_SUITE_P(Texts, RegistryFormatRoundTripTest, ::testing::ValuesIn(AwkwardTexts()));

TEST(RegistryFormatTest, RandomBytesRoundTrip) {
  std::mt19937 Random(20100401);
  std::uniform_int_distribution<int> Byte(0, 255), Length(0, 40);
  TRegistryTree Tree;
  std::vector<std::string> Texts;
  for (int Index = 0; Index < 400; ++Index) {
    std::string Text;
    for (int Count = Length(Random); Count > 0; --Count) Text += static_cast<char>(Byte(Random));
    Texts.push_back(Text);
    Tree.SetValue({"R"}, "v" + std::to_string(Index) + Text, TRegistryValue::FromText(Text));
  }
  TRegistryTree Back = RoundTrip(Tree);
  for (std::size_t Index = 0; Index < Texts.size(); ++Index) {
    const TRegistryValue* Value = Back.FindValue({"R"}, "v" + std::to_string(Index) + Texts[Index]);
    ASSERT_NE(Value, nullptr) << Index;
    EXPECT_EQ(Value->Text, Texts[Index]) << Index;
  }
}

TEST(RegistryFormatTest, WritesReadableUtf8WithOneLinePerKeyAndValue) {
  TRegistryTree Tree;
  Tree.CreateKey({"Software", "Vendor"});
  Tree.SetValue({"Software", "Vendor", "History"}, "HistoryCount", TRegistryValue::FromNumber(2));
  Tree.SetValue({"Software", "Vendor", "History"}, "History0", TRegistryValue::FromText("天気"));
  Tree.SetValue({"Software", "Vendor", "History"}, "History1", TRegistryValue::FromText("a%b "));
  Tree.SetValue({"Software", "Other"}, "Min", TRegistryValue::FromNumber(-2147483647 - 1));

  std::string Expected = std::string("ScoutlaneRegistry 1\n") +
                         "[Software]\n"
                         "[Software\\Vendor]\n"
                         "[Software\\Vendor\\History]\n"
                         "HistoryCount=dword:2\n"
                         "History0=text:" +
                         u8"天気" +
                         "\n"
                         "History1=text:a%25b%20\n"
                         "[Software\\Other]\n"
                         "Min=dword:-2147483648\n";
  EXPECT_EQ(SerializeRegistry(Tree), Expected);
}

TEST(RegistryFormatTest, ToleratesCommentsBlankLinesCrLfAndAnEmptyFile) {
  EXPECT_TRUE(ParseRegistry("", "r").Root().SubKeys().empty());
  TRegistryTree Tree =
      ParseRegistry("ScoutlaneRegistry 1\r\n; hand-written\r\n\r\n[App]\r\nN=dword:$10\r\n", "r");
  EXPECT_EQ(*Tree.FindValue({"App"}, "N"), TRegistryValue::FromNumber(16));
}

struct TCorruptCase {
  const char* Text;
  int Line;
};

void PrintTo(const TCorruptCase& Case, std::ostream* Out) {
  *Out << ::testing::PrintToString(std::string(Case.Text));
}

class RegistryFormatCorruptTest : public ::testing::TestWithParam<TCorruptCase> {};

TEST_P(RegistryFormatCorruptTest, NamesTheFileAndTheLine) {
  const char* FileName = "/home/ユーザー/.config/Scoutlane/registry.txt";
  try {
    ParseRegistry(GetParam().Text, FileName);
    FAIL() << "parsed " << GetParam().Text;
  } catch (const ERegistryException& Error) {
    EXPECT_EQ(Error.Message(), FormatMessage(registry::kCorruptStoreMessage,
                                             {FileName, std::to_string(GetParam().Line)}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, RegistryFormatCorruptTest,
    ::testing::Values(TCorruptCase{"garbage\n[App]\n", 1}, TCorruptCase{"ScoutlaneRegistry 2\n", 1},
                      TCorruptCase{"ScoutlaneRegistry 1\nName=text:x\n", 2},
                      TCorruptCase{"ScoutlaneRegistry 1\n[App]\nNoEquals\n", 3},
                      TCorruptCase{"ScoutlaneRegistry 1\n[App]\nX=float:1.5\n", 3},
                      TCorruptCase{"ScoutlaneRegistry 1\n[App]\nX=dword:12abc\n", 3},
                      TCorruptCase{"ScoutlaneRegistry 1\n[App]\nX=dword:2147483648\n", 3},
                      TCorruptCase{"ScoutlaneRegistry 1\n[App]\nX=dword:\n", 3},
                      TCorruptCase{"ScoutlaneRegistry 1\n[App]\nX=text:%4\n", 3},
                      TCorruptCase{"ScoutlaneRegistry 1\n[App]\nX=text:%G0\n", 3},
                      TCorruptCase{"ScoutlaneRegistry 1\n[App]\nX=text:\xFF\xFE\n", 3},
                      TCorruptCase{"ScoutlaneRegistry 1\n[App]\n[App\\\\Sub]\n", 3},
                      TCorruptCase{"ScoutlaneRegistry 1\n[]\n", 2},
                      TCorruptCase{"ScoutlaneRegistry 1\n[App\n", 2},
                      TCorruptCase{"ScoutlaneRegistry 1\n[App]\n%ZZ=text:\n", 3}));

}  // namespace
