// The text by which a face GDI gives the bytes of is named: it brings back
// the request that selects the face, and two requests leading to one face
// share its identity, so the face store opens it once.

#include <gtest/gtest.h>

#include "platform/fonts/GdiFonts.h"

namespace {

using gdifonts::TGdiRequest;

TGdiRequest Make(const std::string& Face, int Height, int Weight, bool Italic, int Charset,
                 int PitchAndFamily) {
  TGdiRequest Request;
  Request.Face = Face;
  Request.Height = Height;
  Request.Weight = Weight;
  Request.Italic = Italic;
  Request.Charset = Charset;
  Request.PitchAndFamily = PitchAndFamily;
  return Request;
}

class FaceLocatorRoundTrip : public testing::TestWithParam<TGdiRequest> {};

TEST_P(FaceLocatorRoundTrip, GivesBackTheRequest) {
  const TGdiRequest& Request = GetParam();
  const std::string Locator = gdifonts::EncodeFaceLocator("IPAPGothic|6235712", Request);
  EXPECT_EQ(gdifonts::LocatorIdentity(Locator), "gdi:IPAPGothic|6235712");
  TGdiRequest Back;
  ASSERT_TRUE(gdifonts::DecodeFaceLocator(Locator, &Back));
  EXPECT_EQ(Back.Face, Request.Face);
  EXPECT_EQ(Back.Height, Request.Height);
  EXPECT_EQ(Back.Weight, Request.Weight);
  EXPECT_EQ(Back.Italic, Request.Italic);
  EXPECT_EQ(Back.Charset, Request.Charset);
  EXPECT_EQ(Back.PitchAndFamily, Request.PitchAndFamily);
}

INSTANTIATE_TEST_SUITE_P(Requests, FaceLocatorRoundTrip,
                         testing::Values(Make("IPAPGothic", -12, 400, false, 128, 0),
                                         // Names with blanks, digits and separators of their own.
                                         Make(u8"IPA Pゴシック", 16, 700, true, 1, 0x31),
                                         Make("A|B 12", 0, 0, false, 0, 0x20),
                                         // An empty face: GDI's own choice for the request.
                                         Make("", -2147483647, 1000, true, 255, 0)));

TEST(FaceLocator, RequestsOfOneFaceShareItsIdentity) {
  const std::string Bold = gdifonts::EncodeFaceLocator(
      "IPAPGothic|6235712", Make("ＭＳ Ｐゴシック", -12, 700, false, 128, 0));
  const std::string Plain =
      gdifonts::EncodeFaceLocator("IPAPGothic|6235712", Make("IPAPGothic", -20, 400, false, 1, 0));
  EXPECT_NE(Bold, Plain);
  EXPECT_EQ(gdifonts::LocatorIdentity(Bold), gdifonts::LocatorIdentity(Plain));
}

TEST(FaceLocator, ALineBreakInTheIdentityCannotShiftTheRequest) {
  const TGdiRequest Request = Make("DejaVu Sans", -12, 400, false, 1, 0);
  const std::string Locator = gdifonts::EncodeFaceLocator("Odd\nName|10", Request);
  EXPECT_EQ(gdifonts::LocatorIdentity(Locator), "gdi:Odd Name|10");
  TGdiRequest Back;
  ASSERT_TRUE(gdifonts::DecodeFaceLocator(Locator, &Back));
  EXPECT_EQ(Back.Face, "DejaVu Sans");
  EXPECT_EQ(Back.Height, -12);
}

// A font file's path, or a damaged locator, is no request.
TEST(FaceLocator, OtherTextsAreNoLocator) {
  TGdiRequest Back;
  for (const char* Text : {"C:\\Windows\\Fonts\\sserife.fon", "", "gdi:", "gdi:X\n12\n400",
                           "gdi:X\n12\n400\n0\n1\nx\nFace", "gdi:X\n\n400\n0\n1\n0\nFace"})
    EXPECT_FALSE(gdifonts::DecodeFaceLocator(Text, &Back)) << Text;
  EXPECT_EQ(gdifonts::LocatorIdentity("C:\\Windows\\Fonts\\sserife.fon"),
            "C:\\Windows\\Fonts\\sserife.fon");
}

}  // namespace
