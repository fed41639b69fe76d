#include "platform/image/Bmp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using image::DecodeBmp;
using image::DecodeDib;
using image::EncodeBmp;
using image::TBmpImage;

namespace {

using TBytes = std::vector<std::uint8_t>;

void Put16(TBytes& Out, std::uint32_t V) {
  Out.push_back(V & 0xFF);
  Out.push_back((V >> 8) & 0xFF);
}
void Put32(TBytes& Out, std::uint32_t V) {
  Put16(Out, V & 0xFFFF);
  Put16(Out, V >> 16);
}

// Builds a packed DIB byte by byte, independent of the encoder under test.
struct TDib {
  std::uint32_t HeaderSize = 40;
  std::int32_t Width = 1, Height = 1;
  std::uint16_t Planes = 1, Bits = 24;
  std::uint32_t Compression = 0, ColorsUsed = 0;
  std::vector<std::uint32_t> HeaderMasks;    // written inside a V2+ header
  std::vector<std::uint32_t> TrailingMasks;  // written after a 40-byte header
  std::vector<std::uint32_t> Table;          // 0x00RRGGBB entries
  TBytes Pixels;

  TBytes Build() const {
    TBytes Out;
    Put32(Out, HeaderSize);
    if (HeaderSize == 12) {
      Put16(Out, static_cast<std::uint32_t>(Width));
      Put16(Out, static_cast<std::uint32_t>(Height));
      Put16(Out, Planes);
      Put16(Out, Bits);
      for (std::uint32_t C : Table) {
        Out.push_back(C & 0xFF);
        Out.push_back((C >> 8) & 0xFF);
        Out.push_back((C >> 16) & 0xFF);
      }
    } else {
      Put32(Out, static_cast<std::uint32_t>(Width));
      Put32(Out, static_cast<std::uint32_t>(Height));
      Put16(Out, Planes);
      Put16(Out, Bits);
      Put32(Out, Compression);
      Put32(Out, static_cast<std::uint32_t>(Pixels.size()));
      Put32(Out, 2835);
      Put32(Out, 2835);
      Put32(Out, ColorsUsed);
      Put32(Out, 0);
      for (std::uint32_t M : HeaderMasks) Put32(Out, M);
      while (Out.size() < HeaderSize) Out.push_back(0);
      for (std::uint32_t M : TrailingMasks) Put32(Out, M);
      for (std::uint32_t C : Table) Put32(Out, C);
    }
    Out.insert(Out.end(), Pixels.begin(), Pixels.end());
    return Out;
  }
};

// A .bmp file around a packed DIB; the pixels start right after it unless
// PixelOffset says otherwise.
TBytes AsFile(const TBytes& Dib, std::size_t PixelsSize, std::int64_t PixelOffset = -1) {
  TBytes Out{'B', 'M'};
  Put32(Out, static_cast<std::uint32_t>(14 + Dib.size()));
  Put32(Out, 0);
  if (PixelOffset < 0) PixelOffset = 14 + Dib.size() - PixelsSize;
  Put32(Out, static_cast<std::uint32_t>(PixelOffset));
  Out.insert(Out.end(), Dib.begin(), Dib.end());
  return Out;
}
TBytes AsFile(const TDib& D) { return AsFile(D.Build(), D.Pixels.size()); }

std::vector<std::string> Rows(const TBmpImage& Image) {
  std::vector<std::string> Out;
  for (int Y = 0; Y < Image.Height(); ++Y) {
    std::string Line;
    for (int X = 0; X < Image.Width(); ++X) {
      char Buf[8];
      std::snprintf(Buf, sizeof Buf, "%06X", Image.Surface.Row(Y)[X]);
      if (X) Line += ' ';
      Line += Buf;
    }
    Out.push_back(Line);
  }
  return Out;
}

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

TDib OneBit3x2() {
  TDib D;
  D.Bits = 1;
  D.Width = 3;
  D.Height = 2;
  D.Table = {kRed, kBlue};
  // Bottom row first: 1 0 1, then the top row 0 1 1; each padded to 4 bytes.
  D.Pixels = {0xA0, 0, 0, 0, 0x60, 0, 0, 0};
  return D;
}

}  // namespace

TEST(BmpDecode, OneBitRowsArePackedMostSignificantBitFirstAndBottomUp) {
  TBmpImage Image = DecodeBmp(AsFile(OneBit3x2()));
  EXPECT_EQ(Image.BitsPerPixel, 1);
  EXPECT_FALSE(Image.TopDown);
  EXPECT_EQ(Rows(Image),
            (std::vector<std::string>{"FF0000 0000FF 0000FF", "0000FF FF0000 0000FF"}));
  EXPECT_EQ(Image.Palette, (std::vector<std::uint32_t>{kRed, kBlue}));
  EXPECT_EQ(Image.IndexAt(0, 0), 0);
  EXPECT_EQ(Image.IndexAt(1, 0), 1);
  EXPECT_EQ(Image.IndexAt(0, 1), 1);
  EXPECT_FALSE(Image.HasAlpha());
}

TEST(BmpDecode, FourBitPixelsTakeTheHighNibbleFirst) {
  TDib D;
  D.Bits = 4;
  D.Width = 3;
  D.Height = 1;
  D.ColorsUsed = 3;
  D.Table = {kRed, kGreen, kBlue};
  D.Pixels = {0x21, 0x00, 0, 0};
  TBmpImage Image = DecodeBmp(AsFile(D));
  EXPECT_EQ(Rows(Image), (std::vector<std::string>{"0000FF 00FF00 FF0000"}));
  EXPECT_EQ(Image.Palette.size(), 3u);
}

TEST(BmpDecode, EightBitIndexPastTheDeclaredTableIsBlackButKeepsItsIndex) {
  TDib D;
  D.Bits = 8;
  D.Width = 2;
  D.Height = 1;
  D.ColorsUsed = 2;
  D.Table = {kGreen, 0xFF00FF};
  D.Pixels = {1, 200, 0, 0};
  TBmpImage Image = DecodeBmp(AsFile(D));
  EXPECT_EQ(Image.Surface.Row(0)[0], 0xFF00FFu);
  EXPECT_EQ(Image.Surface.Row(0)[1], 0u);
  EXPECT_EQ(Image.IndexAt(1, 0), 200);
}

TEST(BmpDecode, FullEightBitTableWhenColoursUsedIsZero) {
  TDib D;
  D.Bits = 8;
  D.Width = 1;
  D.Height = 1;
  for (std::uint32_t I = 0; I < 256; ++I) D.Table.push_back(I * 0x010101);
  D.Pixels = {0x7F, 0, 0, 0};
  TBmpImage Image = DecodeBmp(AsFile(D));
  EXPECT_EQ(Image.Palette.size(), 256u);
  EXPECT_EQ(Image.Surface.Row(0)[0], 0x7F7F7Fu);
}

TEST(BmpDecode, TopDownAndBottomUpGiveTheSameSurface) {
  TDib Up;
  Up.Width = 1;
  Up.Height = 2;
  // Rows of 3 bytes padded to 4; the padding bytes are junk and must be ignored.
  Up.Pixels = {0x03, 0x02, 0x01, 0xEE, 0x30, 0x20, 0x10, 0xEE};
  TDib Down = Up;
  Down.Height = -2;
  Down.Pixels = {0x30, 0x20, 0x10, 0xEE, 0x03, 0x02, 0x01, 0xEE};
  TBmpImage A = DecodeBmp(AsFile(Up));
  TBmpImage B = DecodeBmp(AsFile(Down));
  EXPECT_FALSE(A.TopDown);
  EXPECT_TRUE(B.TopDown);
  EXPECT_EQ(Rows(A), (std::vector<std::string>{"102030", "010203"}));
  EXPECT_EQ(Rows(B), Rows(A));
}

TEST(BmpDecode, ThirtyTwoBitRgbIgnoresTheFourthByte) {
  TDib D;
  D.Bits = 32;
  D.Width = 2;
  D.Pixels = {0x33, 0x22, 0x11, 0x80, 0x00, 0x00, 0xFF, 0x00};
  TBmpImage Image = DecodeBmp(AsFile(D));
  EXPECT_EQ(Rows(Image), (std::vector<std::string>{"112233 FF0000"}));
  EXPECT_FALSE(Image.HasAlpha());
}

TEST(BmpDecode, BitfieldMasksAfterAnInfoHeaderPlaceTheChannels) {
  TDib D;
  D.Bits = 32;
  D.Compression = 3;
  D.TrailingMasks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // red in the low byte
  D.Pixels = {0x11, 0x22, 0x33, 0x44};
  TBmpImage Image = DecodeBmp(AsFile(D));
  EXPECT_EQ(Image.Surface.Row(0)[0], 0x112233u);
  EXPECT_FALSE(Image.HasAlpha());
}

TEST(BmpDecode, VersionFiveHeaderWithAnAlphaMaskGivesAlpha) {
  TDib D;
  D.HeaderSize = 124;
  D.Bits = 32;
  D.Width = 2;
  D.Compression = 3;
  D.HeaderMasks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  D.Pixels = {0x30, 0x20, 0x10, 0x80, 0xFF, 0xFF, 0xFF, 0x00};
  TBmpImage Image = DecodeBmp(AsFile(D));
  ASSERT_TRUE(Image.HasAlpha());
  EXPECT_EQ(Image.Surface.Row(0)[0], 0x102030u);
  EXPECT_EQ(Image.AlphaAt(0, 0), 0x80);
  EXPECT_EQ(Image.AlphaAt(1, 0), 0);
}

TEST(BmpDecode, SixteenBitDefaultsTo555AndScalesToFullRange) {
  TDib D;
  D.Bits = 16;
  D.Width = 2;
  // 0x7FFF white; 0x4000 is red 16 of 31.
  D.Pixels = {0xFF, 0x7F, 0x00, 0x40};
  TBmpImage Image = DecodeBmp(AsFile(D));
  EXPECT_EQ(Rows(Image), (std::vector<std::string>{"FFFFFF 840000"}));
}

TEST(BmpDecode, SixteenBit565Bitfields) {
  TDib D;
  D.Bits = 16;
  D.Width = 1;
  D.Compression = 3;
  D.TrailingMasks = {0xF800, 0x07E0, 0x001F};
  D.Pixels = {0xE0, 0x07, 0, 0};  // green all ones
  EXPECT_EQ(DecodeBmp(AsFile(D)).Surface.Row(0)[0], 0x00FF00u);
}

TEST(BmpDecode, CoreHeaderUsesThreeByteTableEntries) {
  TDib D;
  D.HeaderSize = 12;
  D.Bits = 1;
  D.Width = 2;
  D.Height = 1;
  D.Table = {0x123456, 0xABCDEF};
  D.Pixels = {0x40, 0, 0, 0};
  TBmpImage Image = DecodeBmp(AsFile(D));
  EXPECT_EQ(Rows(Image), (std::vector<std::string>{"123456 ABCDEF"}));
}

TEST(BmpDecode, PackedDibHasItsPixelsRightAfterTheTable) {
  TBmpImage Image = DecodeDib(OneBit3x2().Build().data(), OneBit3x2().Build().size());
  EXPECT_EQ(Rows(Image), Rows(DecodeBmp(AsFile(OneBit3x2()))));
}

TEST(BmpDecode, PixelOffsetMayLeaveAGapAfterTheTable) {
  TDib D = OneBit3x2();
  TBytes Dib = D.Build();
  TBytes Gap(Dib.begin(), Dib.end() - D.Pixels.size());
  Gap.insert(Gap.end(), {0xDE, 0xAD, 0xBE, 0xEF});
  Gap.insert(Gap.end(), D.Pixels.begin(), D.Pixels.end());
  TBmpImage Image = DecodeBmp(AsFile(Gap, D.Pixels.size()));
  EXPECT_EQ(Rows(Image), Rows(DecodeBmp(AsFile(D))));
}

namespace {

// A 1 by 1 32-bit BI_BITFIELDS bitmap with the given masks after its header.
TDib Bitfields32(std::vector<std::uint32_t> Masks) {
  TDib D;
  D.Bits = 32;
  D.Compression = 3;
  D.TrailingMasks = std::move(Masks);
  D.Pixels = TBytes(4);
  return D;
}

// Malformed input: each case edits a sound bitmap (OneBit3x2 unless the edit
// replaces it), may cut the file short or move its pixel offset, and must
// raise EInvalidGraphic without reading past the buffer (the sanitizer build
// checks that) or allocating for sizes the data cannot back.
constexpr std::size_t kWhole = SIZE_MAX;
struct TMalformedCase {
  const char* Name;
  void (*Edit)(TDib&);
  std::size_t Keep = kWhole;  // bytes of the file kept
  std::int64_t PixelOffset = -1;
  // Only the file header is wrong: the DIB after it is sound.
  bool FileHeaderFault = false;
};

void NoEdit(TDib&) {}

const TMalformedCase kMalformed[] = {
    {"Empty", NoEdit, 0},
    {"FileHeaderOnly", NoEdit, 14},
    {"HalfAnInfoHeader", NoEdit, 14 + 20},
    {"TableCutShort", NoEdit, 14 + 40 + 5},
    {"LastRowCutShort", NoEdit, 14 + 40 + 8 + 7},
    {"UnknownHeaderSize", [](TDib& D) { D.HeaderSize = 44; }},
    {"HeaderSizeBeyondFile", [](TDib& D) { D.HeaderSize = 124; }, 14 + 100},
    {"PlanesZero", [](TDib& D) { D.Planes = 0; }},
    {"ThreeBits", [](TDib& D) { D.Bits = 3; }},
    {"ZeroWidth", [](TDib& D) { D.Width = 0; }},
    {"NegativeWidth", [](TDib& D) { D.Width = -3; }},
    {"ZeroHeight", [](TDib& D) { D.Height = 0; }},
    {"MostNegativeHeight", [](TDib& D) { D.Height = INT32_MIN; }},
    {"HugeWidthSmallFile", [](TDib& D) { D.Width = 0x7FFFFFFF; }},
    {"HugeHeightSmallFile", [](TDib& D) { D.Height = 0x7FFFFFFF; }},
    {"HugeBothSmallFile",
     [](TDib& D) {
       D = Bitfields32({0xFF0000, 0xFF00, 0xFF});
       D.Width = D.Height = 0x10000;
     }},
    {"TableLargerThanDepth",
     [](TDib& D) {
       D.ColorsUsed = 3;
       D.Table.push_back(0);
     }},
    {"HugeOptionalTable",
     [](TDib& D) {
       D = TDib();
       D.ColorsUsed = 0xFFFFFFFF;
       D.Pixels = TBytes(4);
     }},
    {"RunLengthEncoded",
     [](TDib& D) {
       D.Bits = 8;
       D.Compression = 1;
     }},
    {"BitfieldsOn24Bits",
     [](TDib& D) {
       D = Bitfields32({0xFF, 0xFF00, 0xFF0000});
       D.Bits = 24;
     }},
    {"BitfieldMasksMissing",
     [](TDib& D) {
       D = Bitfields32({0xFF0000, 0xFF00, 0xFF});
     },
     14 + 40 + 6},
    {"MaskWithAHole",
     [](TDib& D) {
       D = Bitfields32({0xF0F00000, 0xFF00, 0xFF});
     }},
    {"PixelsInsideHeader", NoEdit, kWhole, 20, true},
    {"PixelsInsideTable", NoEdit, kWhole, 14 + 40 + 4, true},
    {"PixelsBeyondFile", NoEdit, kWhole, 0xFFFFFFF0, true},
};

}  // namespace

class BmpMalformed : public ::testing::TestWithParam<TMalformedCase> {};

TEST_P(BmpMalformed, RaisesInvalidGraphic) {
  const TMalformedCase& Case = GetParam();
  TDib D = OneBit3x2();
  Case.Edit(D);
  TBytes Bytes = AsFile(D.Build(), D.Pixels.size(), Case.PixelOffset);
  // A copy of exactly the kept bytes, so the sanitizer sees any read past it.
  if (Case.Keep != kWhole) Bytes.resize(Case.Keep);
  EXPECT_THROW(DecodeBmp(Bytes), EInvalidGraphic);
  // The same bytes without the file header, as a packed DIB.
  if (Bytes.size() <= 14) return;
  if (Case.FileHeaderFault) {
    EXPECT_NO_THROW(DecodeDib(Bytes.data() + 14, Bytes.size() - 14));
  } else {
    EXPECT_THROW(DecodeDib(Bytes.data() + 14, Bytes.size() - 14), EInvalidGraphic);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, BmpMalformed, ::testing::ValuesIn(kMalformed),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST(BmpCorruption, AFileThatDoesNotStartWithBmIsRefused) {
  TBytes Bytes = AsFile(OneBit3x2());
  Bytes[0] = 'X';
  EXPECT_THROW(DecodeBmp(Bytes), EInvalidGraphic);
}

TEST(BmpCorruption, EveryPrefixOfValidFilesIsRefused) {
  std::vector<TBytes> Files;
  Files.push_back(AsFile(OneBit3x2()));
  TDib V5;
  V5.HeaderSize = 124;
  V5.Bits = 32;
  V5.Width = 2;
  V5.Height = -2;
  V5.Compression = 3;
  V5.HeaderMasks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  V5.Pixels = TBytes(16, 0x5A);
  Files.push_back(AsFile(V5));
  for (const TBytes& File : Files) {
    ASSERT_NO_THROW(DecodeBmp(File));
    for (std::size_t Keep = 0; Keep < File.size(); ++Keep) {
      // A copy of exactly Keep bytes, so the sanitizer sees any read past it.
      TBytes Prefix(File.begin(), File.begin() + Keep);
      EXPECT_THROW(DecodeBmp(Prefix.data(), Prefix.size()), EInvalidGraphic) << Keep << " bytes";
    }
  }
}

TEST(BmpCorruption, RandomCorruptionEitherDecodesConsistentlyOrRaises) {
  TDib Eight;
  Eight.Bits = 8;
  Eight.Width = 3;
  Eight.Height = 3;
  Eight.ColorsUsed = 4;
  Eight.Table = {1, 2, 3, 4};
  Eight.Pixels = TBytes(12, 2);
  const TBytes Seeds[] = {AsFile(OneBit3x2()), AsFile(Eight)};
  std::uint32_t State = 12345;
  auto Next = [&State] { return State = State * 1664525u + 1013904223u; };
  int Decoded = 0, Refused = 0;
  for (const TBytes& Seed : Seeds) {
    for (int Round = 0; Round < 3000; ++Round) {
      TBytes B = Seed;
      const int Flips = 1 + Next() % 4;
      for (int I = 0; I < Flips; ++I)
        B[(Next() >> 8) % B.size()] = static_cast<std::uint8_t>(Next() >> 24);
      try {
        TBmpImage Image = DecodeBmp(B);
        ++Decoded;
        ASSERT_GT(Image.Width(), 0);
        ASSERT_GT(Image.Height(), 0);
        if (Image.BitsPerPixel <= 8) {
          ASSERT_EQ(Image.Indices.size(), static_cast<std::size_t>(Image.Width()) * Image.Height());
          ASSERT_LE(Image.Palette.size(), 1u << Image.BitsPerPixel);
        }
      } catch (const EInvalidGraphic&) {
        ++Refused;
      }
    }
  }
  // Both outcomes occur, so the corruption reaches the checks and the pixels.
  EXPECT_GT(Decoded, 0);
  EXPECT_GT(Refused, 0);
}

TEST(BmpEncode, WritesAnInfoHeaderBottomUpWithAFullPalette) {
  TBmpImage Image;
  Image.BitsPerPixel = 4;
  Image.Surface.Resize(3, 2);
  Image.Palette = {kRed, kGreen};
  Image.Indices = {0, 1, 1,   // top row
                   1, 0, 0};  // bottom row
  const TBytes B = EncodeBmp(Image);
  const std::size_t Offset = 14 + 40 + 16 * 4;
  ASSERT_EQ(B.size(), Offset + 2 * 4);
  EXPECT_EQ(B[0], 'B');
  EXPECT_EQ(B[1], 'M');
  EXPECT_EQ(B[2] | (B[3] << 8), static_cast<int>(B.size()));
  EXPECT_EQ(B[10] | (B[11] << 8), static_cast<int>(Offset));
  EXPECT_EQ(B[14], 40);
  EXPECT_EQ(B[22], 2);  // positive height: bottom-up
  EXPECT_EQ(B[28], 4);  // bits per pixel
  EXPECT_EQ(B[30], 0);  // BI_RGB
  // Table entries are blue, green, red, 0; unused entries black.
  EXPECT_EQ((TBytes{B[54], B[55], B[56], B[57]}), (TBytes{0, 0, 0xFF, 0}));
  EXPECT_EQ((TBytes{B[58], B[59], B[60], B[61]}), (TBytes{0, 0xFF, 0, 0}));
  EXPECT_EQ((TBytes{B[62], B[63], B[64], B[65]}), (TBytes{0, 0, 0, 0}));
  // The bottom row comes first.
  EXPECT_EQ((TBytes(B.begin() + Offset, B.end())), (TBytes{0x10, 0x00, 0, 0, 0x01, 0x10, 0, 0}));
}

TEST(BmpEncode, RoundTripsEveryDepth) {
  for (int Bits : {1, 4, 8, 24, 32}) {
    SCOPED_TRACE(Bits);
    TBmpImage Image;
    Image.BitsPerPixel = Bits;
    Image.Surface.Resize(5, 3);
    if (Bits <= 8) {
      const std::uint32_t Count = Bits == 1 ? 2 : 7;
      for (std::uint32_t I = 0; I < Count; ++I) Image.Palette.push_back(0x102030 * (I + 1));
      for (int I = 0; I < 15; ++I)
        Image.Indices.push_back(static_cast<std::uint8_t>(I * 3 % Count));
    } else {
      for (int Y = 0; Y < 3; ++Y)
        for (int X = 0; X < 5; ++X) Image.Surface.Row(Y)[X] = 0x010203u * (Y * 5 + X + 1);
    }
    TBmpImage Back = DecodeBmp(EncodeBmp(Image));
    EXPECT_EQ(Back.BitsPerPixel, Bits);
    if (Bits <= 8) {
      EXPECT_EQ(Back.Indices, Image.Indices);
      for (int I = 0; I < 15; ++I)
        EXPECT_EQ(Back.Surface.Data()[I], Image.Palette[Image.Indices[I]]);
    } else {
      EXPECT_EQ(Rows(Back), Rows(Image));
    }
  }
}

TEST(BmpEncode, AlphaGoesIntoAVersionFiveHeaderAndComesBack) {
  TBmpImage Image;
  Image.BitsPerPixel = 32;
  Image.Surface.Resize(2, 2, 0x336699);
  Image.Alpha = {0, 64, 128, 255};
  const TBytes B = EncodeBmp(Image);
  EXPECT_EQ(B[14], 124);
  EXPECT_EQ(B[30], 3);  // BI_BITFIELDS
  TBmpImage Back = DecodeBmp(B);
  EXPECT_EQ(Back.Alpha, Image.Alpha);
  EXPECT_EQ(Back.Surface.Row(1)[1], 0x336699u);
}

TEST(BmpEncode, RefusesInconsistentInput) {
  TBmpImage Image;
  Image.BitsPerPixel = 8;
  Image.Surface.Resize(2, 1);
  Image.Palette = {kRed};
  Image.Indices = {0, 1};  // 1 is past the table
  EXPECT_THROW(EncodeBmp(Image), EInvalidGraphic);
  Image.Indices = {0};  // too few
  EXPECT_THROW(EncodeBmp(Image), EInvalidGraphic);
  Image.BitsPerPixel = 16;
  EXPECT_THROW(EncodeBmp(Image), EInvalidGraphic);
}

TEST(BmpFile, LoadsAFileFromDiskAndRefusesAMissingOne) {
  const std::string Path = ::testing::TempDir() + "bmp_test_one_bit.bmp";
  const TBytes Bytes = AsFile(OneBit3x2());
  {
    std::ofstream Out(Path, std::ios::binary);
    Out.write(reinterpret_cast<const char*>(Bytes.data()),
              static_cast<std::streamsize>(Bytes.size()));
  }
  EXPECT_EQ(Rows(image::LoadBmpFile(Path)), Rows(DecodeBmp(Bytes)));
  std::remove(Path.c_str());
  EXPECT_THROW(image::LoadBmpFile(Path), EInvalidGraphic);
}
