// Letting go of the font files' resident pages after start-up: the pages
// really leave the process, and glyphs drawn afterwards from the same file
// have exactly the pixels they had before.

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/fonts/FontFiles.h"
#include "platform/fonts/FontResolver.h"
#include "platform/fonts/RealizedFont.h"

namespace {

// Resident kilobytes of this process's mappings of File, or -1 when the file
// is not mapped at all.
long ResidentKilobytesOf(const std::string& File) {
  char Real[PATH_MAX];
  const std::string Path = realpath(File.c_str(), Real) ? std::string(Real) : File;
  std::ifstream Maps("/proc/self/smaps");
  std::string Line;
  bool InFile = false, Mapped = false;
  long Total = 0;
  while (std::getline(Maps, Line)) {
    std::istringstream Fields(Line);
    std::string First;
    Fields >> First;
    if (First.find('-') != std::string::npos && First.find(':') == std::string::npos) {
      std::string Perms, Offset, Device, Inode, Name;
      Fields >> Perms >> Offset >> Device >> Inode >> Name;
      InFile = Name == Path;
      Mapped = Mapped || InFile;
    } else if (InFile && First == "Rss:") {
      long Kilobytes = 0;
      Fields >> Kilobytes;
      Total += Kilobytes;
    }
  }
  return Mapped ? Total : -1;
}

struct TGlyphCopy {
  int Advance, Left, Top, Width, Height;
  std::vector<std::uint8_t> Coverage;
  bool operator==(const TGlyphCopy& O) const {
    return Advance == O.Advance && Left == O.Left && Top == O.Top && Width == O.Width &&
           Height == O.Height && Coverage == O.Coverage;
  }
};

std::vector<TGlyphCopy> GlyphsOf(TRealizedFont& Font, const std::string& Text) {
  std::vector<TGlyphCopy> Glyphs;
  for (std::size_t Pos = 0, Length = 0; Pos < Text.size(); Pos += Length) {
    const TGlyph& G = Font.Glyph(Text, Pos, &Length);
    Glyphs.push_back({G.Advance, G.Left, G.Top, G.Width, G.Height, G.Coverage});
  }
  return Glyphs;
}

struct TFaceCase {
  const char* Name;
  const char* Face;  // code page 932
  int Height;
  int Weight;
};

class FontFilePages : public testing::TestWithParam<TFaceCase> {};

TEST_P(FontFilePages, ReleasedPagesLeaveAndGlyphsKeepTheirPixels) {
  TLogFont Request;
  Request.Face = GetParam().Face;
  Request.Height = GetParam().Height;
  Request.Weight = GetParam().Weight;
  Request.Charset = SHIFTJIS_CHARSET;
  const std::string Text = "検索サイトの選択 Wg ｷｰﾜｰﾄﾞ ニコニコ動画 Yahoo!";

  auto Before = TRealizedFont::Create(Request);
  const std::vector<TGlyphCopy> Reference = GlyphsOf(*Before, Text);
  const std::string File = fontresolver::Resolve(Request).File.Path;
  ASSERT_GT(ResidentKilobytesOf(File), 0) << File << " should be mapped and read";

  fontfiles::ReleaseResidentPages();
  EXPECT_EQ(ResidentKilobytesOf(File), 0);

  // Another realised font of the same face and size has a cache of its own,
  // so its glyphs are drawn anew from the released file.
  Request.Underline = true;
  auto After = TRealizedFont::Create(Request);
  ASSERT_NE(After.get(), Before.get());
  EXPECT_TRUE(GlyphsOf(*After, Text) == Reference);
  EXPECT_GT(ResidentKilobytesOf(File), 0) << "the pages come back as they are read";
}

INSTANTIATE_TEST_SUITE_P(Faces, FontFilePages,
                         testing::Values(TFaceCase{"PGothic12", "ＭＳ Ｐゴシック", -12, 400},
                                         TFaceCase{"Gothic16Bold", "ＭＳ ゴシック", -16, 700},
                                         TFaceCase{"UiGothic9", "MS UI Gothic", -9, 400}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

}  // namespace
