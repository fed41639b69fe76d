// The table the Windows build converts with, against glibc's iconv, which
// the Linux build converts with: every byte, every lead and trail byte pair
// and every code point of the Basic Multilingual Plane must convert alike.
#include <gtest/gtest.h>

#include <string>

#include "platform/text/Cp932.h"
#include "platform/text/Cp932Table.h"
#include "platform/text/Utf.h"

namespace {

std::string Utf8Of(char32_t Code) {
  std::string Out;
  utf::AppendUtf8(Code, Out);
  return Out;
}

// What iconv makes of Bytes: the code point, or -1 when it refuses them.
long IconvDecode(const std::string& Bytes) {
  std::optional<std::string> Utf8 = cp932::ToUtf8(Bytes);
  if (!Utf8) return -1;
  std::size_t Pos = 0;
  const long Code = utf::NextUtf8(*Utf8, Pos);
  return Pos == Utf8->size() ? Code : -2;
}

}  // namespace

TEST(Cp932Table, DecodesEverySingleByteLikeIconv) {
  for (int Byte = 0; Byte < 0x100; ++Byte) {
    if (cp932::IsLeadByte(static_cast<unsigned char>(Byte))) continue;
    const std::string Bytes(1, static_cast<char>(Byte));
    EXPECT_EQ(cp932::table::Decode(Bytes, 0, 1), IconvDecode(Bytes)) << "byte " << Byte;
  }
}

TEST(Cp932Table, DecodesEveryBytePairLikeIconv) {
  int Characters = 0;
  for (int Lead = 0x81; Lead <= 0xFC; ++Lead) {
    if (!cp932::IsLeadByte(static_cast<unsigned char>(Lead))) continue;
    for (int Trail = 0; Trail < 0x100; ++Trail) {
      const std::string Bytes{static_cast<char>(Lead), static_cast<char>(Trail)};
      const long Expected = IconvDecode(Bytes);
      ASSERT_EQ(cp932::table::Decode(Bytes, 0, 2), Expected) << std::hex << Lead << " " << Trail;
      if (Expected >= 0) ++Characters;
    }
  }
  EXPECT_GT(Characters, 7000);  // the table is not empty where iconv is too
}

TEST(Cp932Table, EncodesEveryCodePointLikeIconv) {
  for (char32_t Code = 1; Code < 0x10000; ++Code) {
    if (Code >= 0xD800 && Code <= 0xDFFF) continue;
    std::string Bytes;
    const bool Encoded = cp932::table::Encode(Code, Bytes);
    const std::optional<std::string> Expected = cp932::FromUtf8(Utf8Of(Code));
    ASSERT_EQ(Encoded, Expected.has_value()) << std::hex << "U+" << static_cast<long>(Code);
    if (Encoded) {
      ASSERT_EQ(Bytes, *Expected) << std::hex << "U+" << static_cast<long>(Code);
    }
  }
}

TEST(Cp932Table, HoldsNothingBeyondThePlane) {
  std::string Bytes;
  EXPECT_FALSE(cp932::table::Encode(U'\U0001F600', Bytes));
  EXPECT_TRUE(Bytes.empty());
}
