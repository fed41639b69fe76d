// The face cache kept between runs: an answer comes back in a later run only
// while its font file and the font configuration are as they were, a damaged
// or foreign cache file counts as empty, and the resolver asks the cache
// before fontconfig.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/fonts/FaceCache.h"
#include "platform/fonts/FontResolver.h"

namespace fs = std::filesystem;

namespace {

class TEnvironmentKeeper {
public:
  explicit TEnvironmentKeeper(const char* Name) : FName(Name) {
    if (const char* Value = std::getenv(Name)) FValue = Value;
  }
  ~TEnvironmentKeeper() {
    if (FValue)
      setenv(FName, FValue->c_str(), 1);
    else
      unsetenv(FName);
  }

private:
  const char* FName;
  std::optional<std::string> FValue;
};

void WriteFile(const std::string& Path, const std::string& Bytes) {
  std::ofstream(Path, std::ios::binary | std::ios::trunc) << Bytes;
}

std::string ReadFile(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), {});
}

class FaceCacheTest : public ::testing::Test {
protected:
  void SetUp() override {
    char Template[] = "/tmp/face-cache-XXXXXX";
    ASSERT_NE(mkdtemp(Template), nullptr);
    FRoot = Template;
    FConfig = FRoot + "/fontconfig";
    fs::create_directory(FConfig);
    FFont = FRoot + "/font.ttf";
    WriteFile(FFont, "not really a font, but a file with an identity");
    FCache = FRoot + "/cache/scoutlane/faces";
  }
  void TearDown() override {
    facecache::Disable();
    fs::remove_all(FRoot);
  }

  // A new run: the cache read afresh from its file.
  void Restart() { facecache::Enable(FCache, {FConfig}); }

  TFontFile Font() const { return TFontFile{FFont, 2, "Some Family"}; }

  std::string FRoot, FConfig, FFont, FCache;
};

TEST_F(FaceCacheTest, AnAnswerComesBackInTheNextRun) {
  Restart();
  facecache::Remember("key\none", Font());
  Restart();
  std::optional<TFontFile> Found = facecache::Find("key\none");
  ASSERT_TRUE(Found.has_value());
  EXPECT_EQ(Found->Path, FFont);
  EXPECT_EQ(Found->Index, 2);
  EXPECT_EQ(Found->Family, "Some Family");
  EXPECT_FALSE(facecache::Find("key\ntwo").has_value());
  EXPECT_FALSE(fs::exists(FCache + ".XXXXXX")) << "no temporary file is left";
  // The folders are made private to the user.
  struct stat Info {};
  ASSERT_EQ(stat((FRoot + "/cache/scoutlane").c_str(), &Info), 0);
  EXPECT_EQ(Info.st_mode & 0777, 0700u);
}

TEST_F(FaceCacheTest, NamesWithAnyBytesSurvive) {
  const std::string Key = std::string("\x82\x6c\x82\x72 \t\n\r", 7) + std::string(1, '\0') + "end";
  const TFontFile File{FFont, 0, "Family with spaces\tand tabs"};
  Restart();
  facecache::Remember(Key, File);
  Restart();
  std::optional<TFontFile> Found = facecache::Find(Key);
  ASSERT_TRUE(Found.has_value());
  EXPECT_EQ(Found->Family, File.Family);
}

// What makes a remembered answer stale, each case one change between runs.
struct TStaleCase {
  const char* Name;
  void (*Change)(const std::string& Font, const std::string& Config);
};

class FaceCacheStaleTest : public FaceCacheTest,
                           public ::testing::WithParamInterface<TStaleCase> {};

TEST_P(FaceCacheStaleTest, AnswerIsNotUsedAfterTheChange) {
  Restart();
  facecache::Remember("key", Font());
  GetParam().Change(FFont, FConfig);
  Restart();
  EXPECT_FALSE(facecache::Find("key").has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Changes, FaceCacheStaleTest,
    ::testing::Values(
        TStaleCase{"FontRewritten",
                   [](const std::string& Font, const std::string&) {
                     WriteFile(Font, "another font of another size");
                   }},
        TStaleCase{"FontRemoved",
                   [](const std::string& Font, const std::string&) { fs::remove(Font); }},
        TStaleCase{"FontReplacedByRename",
                   [](const std::string& Font, const std::string&) {
                     WriteFile(Font + ".new", "not really a font, but a file with an identity");
                     fs::rename(Font + ".new", Font);
                   }},
        TStaleCase{"FontMadeUnreadable",
                   [](const std::string& Font, const std::string&) { chmod(Font.c_str(), 0); }},
        TStaleCase{"FontInstalledInTheConfiguration",
                   [](const std::string&, const std::string& Config) {
                     WriteFile(Config + "/new-font.ttf", "x");
                   }},
        TStaleCase{"ConfigurationRemoved",
                   [](const std::string&, const std::string& Config) { fs::remove_all(Config); }}),
    [](const ::testing::TestParamInfo<TStaleCase>& Info) { return Info.param.Name; });

TEST_F(FaceCacheTest, ChangedLocaleIsStale) {
  TEnvironmentKeeper Lang("LANG");
  Restart();
  facecache::Remember("key", Font());
  setenv("LANG", "xx_YY.UTF-8", 1);
  Restart();
  EXPECT_FALSE(facecache::Find("key").has_value());
}

TEST_F(FaceCacheTest, DamagedOrForeignFilesCountAsEmptyAndAreReplaced) {
  for (const std::string& Bytes :
       {std::string("garbage"), std::string(4096, '\0'), std::string("scoutlane-faces 1\n"),
        std::string("scoutlane-faces 2\nstamp x\n"), std::string()}) {
    fs::create_directories(fs::path(FCache).parent_path());
    WriteFile(FCache, Bytes);
    Restart();
    EXPECT_FALSE(facecache::Find("key").has_value());
    facecache::Remember("key", Font());
    Restart();
    EXPECT_TRUE(facecache::Find("key").has_value())
        << "after a file of " << Bytes.size() << " bytes";
  }
  // A cut-off entry after a valid stamp: the file is given up as a whole.
  std::string Text = ReadFile(FCache);
  WriteFile(FCache, Text.substr(0, Text.size() - 5));
  Restart();
  EXPECT_FALSE(facecache::Find("key").has_value());
}

TEST_F(FaceCacheTest, WithoutEnablingNothingIsReadOrWritten) {
  facecache::Disable();
  facecache::Remember("key", Font());
  EXPECT_FALSE(facecache::Find("key").has_value());
  EXPECT_FALSE(fs::exists(FCache));
}

TEST_F(FaceCacheTest, AFontconfigPointedElsewhereTurnsTheCacheOff) {
  TEnvironmentKeeper File("FONTCONFIG_FILE");
  setenv("FONTCONFIG_FILE", (FConfig + "/fonts.conf").c_str(), 1);
  Restart();
  facecache::Remember("key", Font());
  EXPECT_FALSE(fs::exists(FCache));
  EXPECT_FALSE(facecache::Find("key").has_value());
}

TEST_F(FaceCacheTest, AnUnwritableFolderOnlyMeansNoCache) {
  fs::create_directories(FRoot + "/cache");
  chmod((FRoot + "/cache").c_str(), 0500);
  Restart();
  facecache::Remember("key", Font());
  chmod((FRoot + "/cache").c_str(), 0700);
  if (geteuid() != 0) {
    EXPECT_FALSE(fs::exists(FCache));
  }
  // In this run the answer is still known.
  EXPECT_TRUE(facecache::Find("key").has_value());
}

TEST_F(FaceCacheTest, TheResolverAsksTheCacheBeforeFontconfig) {
  // A request fontconfig answers with IPAPGothic; the cache says a Mincho
  // file, and the cache wins. Bold italic, so that no other test of this
  // process has asked for it already.
  TLogFont Request;
  Request.Face = "ＭＳ Ｐゴシック";
  Request.Height = -12;
  Request.Weight = 700;
  Request.Italic = true;
  Request.Charset = SHIFTJIS_CHARSET;
  const TResolvedFont Mincho = fontresolver::Resolve([] {
    TLogFont R;
    R.Face = "ＭＳ 明朝";
    R.Height = -12;
    R.Charset = SHIFTJIS_CHARSET;
    return R;
  }());
  Restart();
  facecache::Remember(fontresolver::FaceCacheKey(Request), Mincho.File);
  Restart();
  EXPECT_EQ(fontresolver::Resolve(Request).File.Family, Mincho.File.Family);

  // And a request the cache does not know is remembered for the next run.
  TLogFont Other = Request;
  Other.Weight = 300;
  const TResolvedFont Resolved = fontresolver::Resolve(Other);
  Restart();
  std::optional<TFontFile> Cached = facecache::Find(fontresolver::FaceCacheKey(Other));
  ASSERT_TRUE(Cached.has_value());
  EXPECT_EQ(Cached->Path, Resolved.File.Path);
}

}  // namespace
