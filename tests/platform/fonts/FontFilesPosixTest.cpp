// A font file shortened under an open face, as a copy over it or a package
// upgrade does part-way: the process keeps running, glyphs that can no
// longer be read are drawn as missing, and once the file is whole again the
// next request for the font reads it anew.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/fonts/FontResolver.h"
#include "platform/fonts/PrivateFonts.h"
#include "platform/fonts/RealizedFont.h"

namespace {

namespace fs = std::filesystem;

// True when a mapping of File is listed for this process.
bool IsMapped(const fs::path& File) {
  std::ifstream Maps("/proc/self/maps");
  std::string Line;
  while (std::getline(Maps, Line))
    if (Line.size() >= File.string().size() &&
        Line.compare(Line.size() - File.string().size(), std::string::npos, File.string()) == 0)
      return true;
  return false;
}

std::vector<std::vector<std::uint8_t>> CoverageOf(TRealizedFont& Font, const std::string& Text) {
  std::vector<std::vector<std::uint8_t>> Glyphs;
  for (std::size_t Pos = 0, Length = 0; Pos < Text.size(); Pos += Length)
    Glyphs.push_back(Font.Glyph(Text, Pos, &Length).Coverage);
  return Glyphs;
}

// The missing-glyph box: a one-pixel frame with nothing inside.
bool IsEmptyBox(const TGlyph& Glyph) {
  if (Glyph.Width < 3 || Glyph.Height < 3) return false;
  for (int Y = 0; Y < Glyph.Height; ++Y)
    for (int X = 0; X < Glyph.Width; ++X) {
      const bool Edge = Y == 0 || X == 0 || Y == Glyph.Height - 1 || X == Glyph.Width - 1;
      if (Glyph.Coverage[static_cast<std::size_t>(Y) * Glyph.Width + X] != (Edge ? 255 : 0))
        return false;
    }
  return true;
}

TEST(FontFileShortened, GlyphsBecomeMissingAndTheFileIsReadAnewOnceWhole) {
  TLogFont Request;
  Request.Face = "ＭＳ Ｐゴシック";
  Request.Height = -16;
  Request.Charset = SHIFTJIS_CHARSET;
  const fs::path Original = fontresolver::Resolve(Request).File.Path;
  ASSERT_FALSE(Original.empty());

  // A private copy of the face, the only font of a private configuration.
  const fs::path Dir = fs::path(::testing::TempDir()) / ("shortened-" + std::to_string(getpid()));
  fs::create_directories(Dir / "fonts");
  const fs::path Copy = Dir / "fonts" / Original.filename();
  fs::copy_file(Original, Copy);
  privatefonts::WriteConfig(Dir, {(Dir / "fonts").string()});
  const std::string OldConfig = privatefonts::Use(Dir / "fonts.conf");
  TRealizedFont::ForgetRecentFonts();
  ASSERT_EQ(fontresolver::Resolve(Request).File.Path, Copy.string());

  // Kanji from all over the file; the reference font draws them whole.
  const std::string Later = "鬱薔薇憂鬱麒麟檸檬";
  const auto Reference = CoverageOf(*TRealizedFont::Create(Request), Later);

  // Another font of the same face (its own glyph cache) has drawn only
  // other text when the file is cut to a fraction of its length in place.
  TLogFont Underlined = Request;
  Underlined.Underline = true;
  auto Font = TRealizedFont::Create(Underlined);
  CoverageOf(*Font, "検索サイト");
  EXPECT_FALSE(IsMapped(Copy)) << "the face reads its file, it does not map it";
  fs::resize_file(Copy, 64 * 1024);

  int Missing = 0;
  for (std::size_t Pos = 0, Length = 0; Pos < Later.size(); Pos += Length)
    Missing += IsEmptyBox(Font->Glyph(Later, Pos, &Length)) ? 1 : 0;
  EXPECT_EQ(Missing, static_cast<int>(Reference.size()));
  Font.reset();

  // Written whole again: the next request opens the file anew.
  fs::copy_file(Original, Copy, fs::copy_options::overwrite_existing);
  EXPECT_TRUE(CoverageOf(*TRealizedFont::Create(Underlined), Later) == Reference);

  TRealizedFont::ForgetRecentFonts();
  privatefonts::Restore(OldConfig);
  std::error_code Ignored;
  fs::remove_all(Dir, Ignored);
}

}  // namespace
