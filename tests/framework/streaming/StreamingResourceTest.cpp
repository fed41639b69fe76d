// Resources embedded at build time and layouts read from them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "framework/streaming/StreamingTestClasses.h"
#include "platform/resources/Resources.h"

namespace streamingtest {
namespace {

std::string ReadTestFile(const std::string& Name) {
  const char* Dir = std::getenv("SCOUTLANE_TEST_DATA");
  std::ifstream File(std::string(Dir ? Dir : "tests") + "/framework/streaming/" + Name,
                     std::ios::binary);
  std::ostringstream Bytes;
  Bytes << File.rdbuf();
  return Bytes.str();
}

TEST(StreamingResource, EmbeddedFileKeepsEveryByte) {
  const std::string Expected = ReadTestFile("StreamingSample.layout");
  ASSERT_FALSE(Expected.empty());
  EXPECT_EQ(FindResource("STREAMINGSAMPLE"), Expected);
  EXPECT_EQ(FindResource("StreamingSample"), Expected);  // names ignore case
}

TEST(StreamingResource, MissingResourceRaisesResNotFoundNamingIt) {
  EXPECT_FALSE(HasResource("NO_SUCH_RESOURCE"));
  try {
    FindResource("NO_SUCH_RESOURCE");
    FAIL() << "no error";
  } catch (const EResNotFound& Error) {
    EXPECT_EQ(Error.Message(), FormatMessage(messages::kResourceNotFound, {"NO_SUCH_RESOURCE"}));
  }
}

TEST(StreamingResource, LaterRegistrationReplacesTheEarlierOne) {
  static const unsigned char First[] = {'a', 0, 'b'}, Second[] = {'c'};
  RegisterResource("TwiceRegistered", First, sizeof First);
  EXPECT_EQ(FindResource("TWICEREGISTERED"), std::string_view("a\0b", 3));
  RegisterResource("twiceregistered", Second, sizeof Second);
  EXPECT_EQ(FindResource("TwiceRegistered"), "c");
}

TEST(StreamingResource, FormReadsItsEmbeddedLayout) {
  RegisterTestClasses();
  TTestForm Form;
  ReadComponentResource(Form, "STREAMINGSAMPLE");
  EXPECT_EQ(Form.Name(), "SampleForm");
  EXPECT_EQ(Form.Caption(), "検索サイト");
  auto* Label = dynamic_cast<TTestControl*>(Form.FindComponent("Label1"));
  ASSERT_NE(Label, nullptr);
  EXPECT_EQ(Label->Caption(), "ｷｰﾜｰﾄﾞ ：");
}

}  // namespace
}  // namespace streamingtest
