// The face a request resolves to does not depend on which other Japanese
// fonts the machine has, nor on which of them its fontconfig configuration
// ranks first: a configuration of the test's own puts IPAMincho before every
// family of every pattern, as distributions' files put VL Gothic, Noto or
// Droid before the IPA fonts.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/fonts/FontResolver.h"
#include "platform/fonts/PrivateFonts.h"
#include "platform/fonts/RealizedFont.h"

namespace {

namespace fs = std::filesystem;

TLogFont Request(const std::string& Face, int Charset) {
  TLogFont Font;
  Font.Face = Face;
  Font.Height = -12;
  Font.Charset = Charset;
  return Font;
}

class RivalConfiguration : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    Dir = fs::path(::testing::TempDir()) / ("rivalfonts-" + std::to_string(getpid()));
    fs::create_directories(Dir);
    privatefonts::WriteConfig(
        Dir,
        {"/usr/share/fonts/opentype/ipafont-gothic", "/usr/share/fonts/opentype/ipafont-mincho",
         "/usr/share/fonts/truetype/dejavu"},
        "  <match target=\"pattern\"><edit name=\"family\" "
        "mode=\"prepend_first\" binding=\"strong\">"
        "<string>IPAMincho</string></edit></match>\n");
    OldConfig = privatefonts::Use(Dir / "fonts.conf");
  }
  static void TearDownTestSuite() {
    privatefonts::Restore(OldConfig);
    std::error_code Ignored;
    fs::remove_all(Dir, Ignored);
  }

  static inline fs::path Dir;
  static inline std::string OldConfig;
};

struct TRuleCase {
  const char* Face;
  int Charset;
  const char* Family;
};

class StandInRule : public RivalConfiguration, public ::testing::WithParamInterface<TRuleCase> {};

TEST_P(StandInRule, DecidesBeforeTheConfiguration) {
  EXPECT_EQ(fontresolver::Resolve(Request(GetParam().Face, GetParam().Charset)).File.Family,
            GetParam().Family);
}

INSTANTIATE_TEST_SUITE_P(Faces, StandInRule,
                         testing::Values(TRuleCase{"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET,
                                                   "IPAPGothic"},
                                         TRuleCase{"ＭＳ ゴシック", ANSI_CHARSET, "IPAGothic"},
                                         TRuleCase{"ＭＳ Ｐ明朝", SHIFTJIS_CHARSET, "IPAPMincho"},
                                         TRuleCase{"", DEFAULT_CHARSET, "IPAPGothic"},
                                         TRuleCase{"IPA Pゴシック", SHIFTJIS_CHARSET, "IPAPGothic"},
                                         TRuleCase{"DejaVu Sans", SHIFTJIS_CHARSET, "DejaVu Sans"},
                                         TRuleCase{"No Such Face", SHIFTJIS_CHARSET, "IPAGothic"},
                                         TRuleCase{"No Such Face", DEFAULT_CHARSET, "IPAGothic"},
                                         // Another character set is left to the configuration.
                                         TRuleCase{"No Such Face", ANSI_CHARSET, "IPAMincho"}));

// A character the face lacks comes from the IPA faces in the Windows
// build's order, not from the configuration's favourite.
TEST_F(RivalConfiguration, MissingCharactersComeFromTheIpaGothicFirst) {
  std::optional<TFontFile> Fallback =
      fontresolver::FindFallback(Request("DejaVu Sans", ANSI_CHARSET), U'検');
  ASSERT_TRUE(Fallback.has_value());
  EXPECT_EQ(Fallback->Family, "IPAPGothic");
}

}  // namespace
