// Font faces are shared while fonts use them and closed when nobody has for
// a while, so a list drawn in hundreds of faces keeps only the faces it
// shows. A hundred bitmap fonts of a private configuration stand in for them.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/fonts/FontFiles.h"
#include "platform/fonts/PrivateFonts.h"
#include "platform/fonts/RealizedFont.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFonts = 100;

class FaceRelease : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    Dir = fs::path(::testing::TempDir()) / ("facerelease-" + std::to_string(getpid()));
    fs::create_directories(Dir / "fonts");
    for (int I = 0; I < kFonts; ++I)
      privatefonts::WriteBdf(Dir / "fonts" / ("f" + std::to_string(I) + ".bdf"), Family(I));
    privatefonts::WriteConfig(Dir, {(Dir / "fonts").string()});
    OldConfig = privatefonts::Use(Dir / "fonts.conf");
  }
  static void TearDownTestSuite() {
    privatefonts::Restore(OldConfig);
    std::error_code Ignored;
    fs::remove_all(Dir, Ignored);
  }
  void SetUp() override { TRealizedFont::ForgetRecentFonts(); }

  static std::string Family(int I) { return "Face Number " + std::to_string(I); }
  static std::shared_ptr<TRealizedFont> Realise(int I) {
    TLogFont Request;
    Request.Face = Family(I);
    Request.Height = -8;
    return TRealizedFont::Create(Request);
  }

  static inline fs::path Dir;
  static inline std::string OldConfig;
};

TEST_F(FaceRelease, FacesInUseStayOpenAndTheOthersAreClosedBeyondTheIdleFew) {
  // Faces idle from earlier tests are closed first, so count from none.
  for (int I = 0; I < kFonts; ++I) Realise(I);
  TRealizedFont::ForgetRecentFonts();
  const int Before = fontfiles::OpenFaceCount() - 16;
  std::vector<std::shared_ptr<TRealizedFont>> Held;
  for (int I = 0; I < kFonts; ++I) {
    Held.push_back(Realise(I));
    ASSERT_EQ(Held.back()->FamilyName(), Family(I));
    ASSERT_FALSE(Held.back()->IsStandIn());
  }
  EXPECT_EQ(fontfiles::OpenFaceCount(), Before + kFonts);
  Held.clear();
  TRealizedFont::ForgetRecentFonts();
  // The faces only those fonts used: sixteen stay open, the rest are closed.
  EXPECT_EQ(fontfiles::OpenFaceCount(), Before + 16);
}

TEST_F(FaceRelease, AFaceLetGoOfRecentlyIsTakenUpAgainWithoutOpeningAnother) {
  { auto Font = Realise(3); }
  TRealizedFont::ForgetRecentFonts();
  const int Idle = fontfiles::OpenFaceCount();
  auto Again = Realise(3);
  EXPECT_EQ(fontfiles::OpenFaceCount(), Idle);
  EXPECT_EQ(Again->TextWidth("abc"), 18);
}

TEST_F(FaceRelease, ScrollingThroughManyFacesKeepsTheCountBounded) {
  const int Before = fontfiles::OpenFaceCount();
  int Most = 0;
  for (int Round = 0; Round < 3; ++Round)
    for (int I = 0; I < kFonts; ++I) {
      // Twelve rows on the screen at a time, as a list scrolled row by row.
      std::vector<std::shared_ptr<TRealizedFont>> Shown;
      for (int Row = 0; Row < 12; ++Row) Shown.push_back(Realise((I + Row) % kFonts));
      Most = std::max(Most, fontfiles::OpenFaceCount());
    }
  // The sixty-four most recently used fonts keep their faces open, and
  // sixteen faces let go of stay idle: not the hundred the rows went past.
  // (Before counts the faces idle from earlier tests.)
  EXPECT_LE(Most, Before + 64 + 16);
  EXPECT_LT(Most, kFonts);
  TRealizedFont::ForgetRecentFonts();
  EXPECT_LE(fontfiles::OpenFaceCount(), Before + 16);
}

}  // namespace
