#include "platform/image/Bmp.h"

#include <iterator>
#include <limits>

#include "platform/files/FileBytes.h"
#include "platform/files/Path.h"

namespace image {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV2HeaderSize = 52;  // + red, green, blue masks
constexpr std::uint32_t kV3HeaderSize = 56;  // + alpha mask
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kV5HeaderSize = 124;

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;

// "sRGB" as the V4/V5 colour space tag stores it.
constexpr std::uint32_t kLcsSRgb = 0x73524742;
constexpr int kDefaultPelsPerMeter = 3780;  // 96 dots per inch

[[noreturn]] void Fail(const char* Reason) {
  throw EInvalidGraphic(FormatMessage(messages::kInvalidBitmap, {Reason}));
}

// Bounds-checked little-endian reads from the caller's buffer.
class TReader {
public:
  TReader(const std::uint8_t* Data, std::size_t Size) : FData(Data), FSize(Size) {}
  std::size_t Size() const { return FSize; }
  bool Has(std::size_t Offset, std::size_t Count) const {
    return Offset <= FSize && Count <= FSize - Offset;
  }
  void Need(std::size_t Offset, std::size_t Count, const char* What) const {
    if (!Has(Offset, Count)) Fail(What);
  }
  std::uint16_t U16(std::size_t Offset) const {
    Need(Offset, 2, "truncated header");
    return static_cast<std::uint16_t>(FData[Offset] | (FData[Offset + 1] << 8));
  }
  std::uint32_t U32(std::size_t Offset) const {
    Need(Offset, 4, "truncated header");
    return static_cast<std::uint32_t>(FData[Offset]) |
           (static_cast<std::uint32_t>(FData[Offset + 1]) << 8) |
           (static_cast<std::uint32_t>(FData[Offset + 2]) << 16) |
           (static_cast<std::uint32_t>(FData[Offset + 3]) << 24);
  }
  std::int32_t I32(std::size_t Offset) const { return static_cast<std::int32_t>(U32(Offset)); }
  const std::uint8_t* At(std::size_t Offset) const { return FData + Offset; }

private:
  const std::uint8_t* FData;
  std::size_t FSize;
};

// One colour channel of a bit-field pixel: where it sits and how wide it is.
struct TChannel {
  std::uint32_t Mask = 0;
  int Shift = 0;
  std::uint32_t Max = 0;  // largest value the field can hold

  static TChannel FromMask(std::uint32_t Mask) {
    TChannel C;
    C.Mask = Mask;
    if (Mask == 0) return C;
    while (((Mask >> C.Shift) & 1u) == 0) ++C.Shift;
    C.Max = Mask >> C.Shift;
    // The field must be one run of ones; anything else has no meaning.
    if ((C.Max & (C.Max + 1)) != 0) Fail("bit field mask is not contiguous");
    return C;
  }
  // Scales the field to 0..255 with rounding (a 5-bit 31 is 255, 16 is 132).
  std::uint32_t Extract(std::uint32_t Pixel) const {
    if (Mask == 0) return 0;
    std::uint64_t V = (Pixel & Mask) >> Shift;
    return static_cast<std::uint32_t>((V * 255 + Max / 2) / Max);
  }
};

struct THeader {
  std::uint32_t Size = 0;
  std::int64_t Width = 0;
  std::int64_t Height = 0;  // negative: rows stored top-down
  int BitsPerPixel = 0;
  std::uint32_t Compression = kBiRgb;
  std::uint32_t ColorsUsed = 0;
  std::int32_t XPelsPerMeter = 0, YPelsPerMeter = 0;
  std::uint32_t Masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
  bool HasMasks = false;
  std::size_t MasksEnd = 0;  // offset after the header and any masks that follow it
};

THeader ReadHeader(const TReader& In, std::size_t Offset) {
  THeader H;
  H.Size = In.U32(Offset);
  if (H.Size == kCoreHeaderSize) {
    In.Need(Offset, kCoreHeaderSize, "truncated header");
    H.Width = In.U16(Offset + 4);
    H.Height = In.U16(Offset + 6);
    if (In.U16(Offset + 8) != 1) Fail("planes is not 1");
    H.BitsPerPixel = In.U16(Offset + 10);
    H.MasksEnd = Offset + kCoreHeaderSize;
    return H;
  }
  if (H.Size != kInfoHeaderSize && H.Size != kV2HeaderSize && H.Size != kV3HeaderSize &&
      H.Size != kV4HeaderSize && H.Size != kV5HeaderSize)
    Fail("unknown header size");
  In.Need(Offset, H.Size, "truncated header");
  H.Width = In.I32(Offset + 4);
  H.Height = In.I32(Offset + 8);
  if (In.U16(Offset + 12) != 1) Fail("planes is not 1");
  H.BitsPerPixel = In.U16(Offset + 14);
  H.Compression = In.U32(Offset + 16);
  H.XPelsPerMeter = In.I32(Offset + 24);
  H.YPelsPerMeter = In.I32(Offset + 28);
  H.ColorsUsed = In.U32(Offset + 32);
  H.MasksEnd = Offset + H.Size;

  if (H.Compression == kBiBitfields || H.Compression == kBiAlphaBitfields) {
    if (H.BitsPerPixel != 16 && H.BitsPerPixel != 32) Fail("bit fields need 16 or 32 bits");
    H.HasMasks = true;
    const int Count = H.Compression == kBiAlphaBitfields ? 4 : 3;
    if (H.Size == kInfoHeaderSize) {
      // The masks follow the plain info header.
      In.Need(H.MasksEnd, 4u * Count, "truncated bit field masks");
      for (int I = 0; I < Count; ++I) H.Masks[I] = In.U32(H.MasksEnd + 4u * I);
      H.MasksEnd += 4u * Count;
    } else {
      // Later headers carry the masks in their own body.
      const int InHeader = H.Size >= kV3HeaderSize ? 4 : 3;
      for (int I = 0; I < InHeader; ++I) H.Masks[I] = In.U32(Offset + 40 + 4u * I);
    }
  } else if (H.Compression != kBiRgb) {
    Fail("compressed bitmaps are not supported");
  }
  return H;
}

std::uint32_t DefaultMaskFor(int Bits, int Channel) {
  if (Bits == 16) {
    // X1R5G5B5
    static const std::uint32_t k555[4] = {0x7C00, 0x03E0, 0x001F, 0};
    return k555[Channel];
  }
  static const std::uint32_t k888[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0};
  return k888[Channel];
}

// Reads the colour table that follows the header (and the masks of a plain
// info header) into Image's palette; answers where the table ends.
std::size_t ReadColorTable(const TReader& In, const THeader& H, TBmpImage& Image) {
  const int Bits = H.BitsPerPixel;
  const std::size_t EntrySize = H.Size == kCoreHeaderSize ? 3 : 4;
  std::size_t TableEntries = 0;
  if (Bits <= 8) {
    const std::uint32_t Full = 1u << Bits;
    if (H.ColorsUsed > Full) Fail("colour table larger than the bit depth allows");
    TableEntries = H.ColorsUsed == 0 ? Full : H.ColorsUsed;
  } else {
    // Deeper images may carry an optional table for palette devices; skip it.
    TableEntries = H.ColorsUsed;
  }
  if (TableEntries > In.Size() / EntrySize) Fail("truncated colour table");
  const std::size_t TableBytes = TableEntries * EntrySize;
  In.Need(H.MasksEnd, TableBytes, "truncated colour table");
  const std::size_t TableEnd = H.MasksEnd + TableBytes;
  if (Bits <= 8) {
    Image.Palette.resize(TableEntries);
    for (std::size_t I = 0; I < TableEntries; ++I) {
      const std::uint8_t* E = In.At(H.MasksEnd + I * EntrySize);  // blue, green, red
      Image.Palette[I] = (std::uint32_t(E[2]) << 16) | (std::uint32_t(E[1]) << 8) | E[0];
    }
  }
  return TableEnd;
}

// Decodes the DIB whose header starts at HeaderOffset. PixelOffset is where
// the pixels begin, or 0 when they follow the colour table directly (a packed
// DIB).
TBmpImage Decode(const TReader& In, std::size_t HeaderOffset, std::size_t PixelOffset) {
  THeader H = ReadHeader(In, HeaderOffset);
  const int Bits = H.BitsPerPixel;
  if (Bits != 1 && Bits != 4 && Bits != 8 && Bits != 16 && Bits != 24 && Bits != 32)
    Fail("unsupported bit depth");
  if (H.Size == kCoreHeaderSize && (Bits == 16 || Bits == 32)) Fail("unsupported bit depth");
  if (H.Width <= 0) Fail("width is not positive");
  if (H.Height == 0) Fail("height is zero");
  const bool TopDown = H.Height < 0;
  const std::int64_t Height = TopDown ? -H.Height : H.Height;
  if (H.Width > std::numeric_limits<int>::max() || Height > std::numeric_limits<int>::max())
    Fail("too large");

  TBmpImage Image;
  Image.BitsPerPixel = Bits;
  Image.TopDown = TopDown;
  Image.XPelsPerMeter = H.XPelsPerMeter;
  Image.YPelsPerMeter = H.YPelsPerMeter;

  const std::size_t TableEnd = ReadColorTable(In, H, Image);

  if (PixelOffset == 0) {
    PixelOffset = TableEnd;
  } else if (PixelOffset < TableEnd) {
    Fail("pixel data overlaps the header");
  }

  const std::uint64_t Width = static_cast<std::uint64_t>(H.Width);
  const std::uint64_t Stride = ((Width * Bits + 31) / 32) * 4;
  const std::uint64_t Available = PixelOffset <= In.Size() ? In.Size() - PixelOffset : 0;
  if (PixelOffset > In.Size() || Stride > Available ||
      static_cast<std::uint64_t>(Height) > Available / Stride)
    Fail("truncated pixel data");

  const int W = static_cast<int>(H.Width);
  const int Hgt = static_cast<int>(Height);
  Image.Surface.Resize(W, Hgt);
  if (Bits <= 8) Image.Indices.resize(static_cast<std::size_t>(W) * Hgt);

  TChannel Channels[4];
  if (Bits == 16 || Bits == 32) {
    for (int C = 0; C < 4; ++C)
      Channels[C] = TChannel::FromMask(H.HasMasks ? H.Masks[C] : DefaultMaskFor(Bits, C));
    // Only a declared alpha field means transparency; BI_RGB's fourth byte is
    // padding that many writers leave as garbage.
    if (H.HasMasks && Channels[3].Mask != 0) Image.Alpha.resize(static_cast<std::size_t>(W) * Hgt);
  }

  const std::size_t PaletteSize = Image.Palette.size();
  for (int Y = 0; Y < Hgt; ++Y) {
    const std::uint8_t* Src = In.At(PixelOffset + static_cast<std::size_t>(Y) * Stride);
    const int DestY = TopDown ? Y : Hgt - 1 - Y;
    std::uint32_t* Dest = Image.Surface.Row(DestY);
    const std::size_t RowStart = static_cast<std::size_t>(DestY) * W;
    if (Bits <= 8) {
      const int PerByte = 8 / Bits;
      const std::uint8_t Mask = static_cast<std::uint8_t>((1u << Bits) - 1);
      for (int X = 0; X < W; ++X) {
        const int Shift = 8 - Bits * (X % PerByte + 1);
        const std::uint8_t Index = (Src[X / PerByte] >> Shift) & Mask;
        Image.Indices[RowStart + X] = Index;
        Dest[X] = Index < PaletteSize ? Image.Palette[Index] : 0;
      }
    } else if (Bits == 24) {
      for (int X = 0; X < W; ++X, Src += 3)
        Dest[X] = (std::uint32_t(Src[2]) << 16) | (std::uint32_t(Src[1]) << 8) | Src[0];
    } else {
      const int BytesPerPixel = Bits / 8;
      for (int X = 0; X < W; ++X, Src += BytesPerPixel) {
        std::uint32_t P = Src[0] | (std::uint32_t(Src[1]) << 8);
        if (BytesPerPixel == 4) P |= (std::uint32_t(Src[2]) << 16) | (std::uint32_t(Src[3]) << 24);
        Dest[X] =
            (Channels[0].Extract(P) << 16) | (Channels[1].Extract(P) << 8) | Channels[2].Extract(P);
        if (!Image.Alpha.empty())
          Image.Alpha[RowStart + X] = static_cast<std::uint8_t>(Channels[3].Extract(P));
      }
    }
  }
  return Image;
}

void Put16(std::vector<std::uint8_t>& Out, std::uint32_t V) {
  Out.push_back(static_cast<std::uint8_t>(V));
  Out.push_back(static_cast<std::uint8_t>(V >> 8));
}
void Put32(std::vector<std::uint8_t>& Out, std::uint32_t V) {
  Put16(Out, V & 0xFFFF);
  Put16(Out, V >> 16);
}

}  // namespace

TBmpImage DecodeBmp(const std::uint8_t* Data, std::size_t Size) {
  TReader In(Data, Size);
  In.Need(0, kFileHeaderSize, "truncated file header");
  if (Data[0] != 'B' || Data[1] != 'M') Fail("not a bitmap file");
  const std::uint32_t PixelOffset = In.U32(10);
  // The pixels cannot start inside the file header; the header decoder checks
  // them against the end of the colour table.
  if (PixelOffset < kFileHeaderSize) Fail("pixel data overlaps the header");
  return Decode(In, kFileHeaderSize, PixelOffset);
}

TBmpImage DecodeDib(const std::uint8_t* Data, std::size_t Size) {
  TReader In(Data, Size);
  return Decode(In, 0, 0);
}

TBmpImage LoadBmpFile(const std::string& Path) {
  const std::optional<std::string> Bytes = files::ReadFileBytes(files::ToFileSystem(Path));
  if (!Bytes) Fail("cannot read the file");
  return DecodeBmp(reinterpret_cast<const std::uint8_t*>(Bytes->data()), Bytes->size());
}

std::vector<std::uint8_t> EncodeBmp(const TBmpImage& Image) {
  const int Bits = Image.BitsPerPixel;
  const bool Paletted = Bits == 1 || Bits == 4 || Bits == 8;
  if (!Paletted && Bits != 24 && Bits != 32) Fail("unsupported bit depth");
  const int W = Image.Surface.Width(), H = Image.Surface.Height();
  if (W <= 0 || H <= 0) Fail("width is not positive");
  const std::size_t Pixels = static_cast<std::size_t>(W) * H;
  const bool WithAlpha = Bits == 32 && !Image.Alpha.empty();
  if (WithAlpha && Image.Alpha.size() != Pixels) Fail("alpha plane does not match the size");
  std::size_t TableEntries = 0;
  if (Paletted) {
    TableEntries = std::size_t(1) << Bits;
    if (Image.Indices.size() != Pixels) Fail("indices do not match the size");
    if (Image.Palette.size() > TableEntries) Fail("colour table larger than the bit depth allows");
    for (std::uint8_t Index : Image.Indices)
      if (Index >= Image.Palette.size()) Fail("index beyond the colour table");
  }

  const std::uint32_t HeaderSize = WithAlpha ? kV5HeaderSize : kInfoHeaderSize;
  const std::uint64_t Stride = ((static_cast<std::uint64_t>(W) * Bits + 31) / 32) * 4;
  const std::uint64_t ImageBytes = Stride * H;
  const std::uint64_t PixelOffset = kFileHeaderSize + HeaderSize + TableEntries * 4;
  const std::uint64_t FileSize = PixelOffset + ImageBytes;
  if (FileSize > std::numeric_limits<std::uint32_t>::max()) Fail("too large");

  std::vector<std::uint8_t> Out;
  Out.reserve(static_cast<std::size_t>(FileSize));
  // BITMAPFILEHEADER
  Out.push_back('B');
  Out.push_back('M');
  Put32(Out, static_cast<std::uint32_t>(FileSize));
  Put32(Out, 0);  // two reserved words
  Put32(Out, static_cast<std::uint32_t>(PixelOffset));
  // BITMAPINFOHEADER (the first 40 bytes of the V5 header too)
  Put32(Out, HeaderSize);
  Put32(Out, static_cast<std::uint32_t>(W));
  Put32(Out, static_cast<std::uint32_t>(H));  // positive: bottom-up rows
  Put16(Out, 1);
  Put16(Out, static_cast<std::uint32_t>(Bits));
  Put32(Out, WithAlpha ? kBiBitfields : kBiRgb);
  Put32(Out, static_cast<std::uint32_t>(ImageBytes));
  Put32(Out, static_cast<std::uint32_t>(Image.XPelsPerMeter ? Image.XPelsPerMeter
                                                            : kDefaultPelsPerMeter));
  Put32(Out, static_cast<std::uint32_t>(Image.YPelsPerMeter ? Image.YPelsPerMeter
                                                            : kDefaultPelsPerMeter));
  Put32(Out, 0);  // colours used: the full table
  Put32(Out, 0);  // colours important: all
  if (WithAlpha) {
    Put32(Out, 0x00FF0000);  // red
    Put32(Out, 0x0000FF00);  // green
    Put32(Out, 0x000000FF);  // blue
    Put32(Out, 0xFF000000);  // alpha
    Put32(Out, kLcsSRgb);
    for (int I = 0; I < 9 + 3; ++I) Put32(Out, 0);  // endpoints and gamma: unused for sRGB
    Put32(Out, 4);                                  // intent: LCS_GM_IMAGES
    Put32(Out, 0);                                  // profile data
    Put32(Out, 0);                                  // profile size
    Put32(Out, 0);                                  // reserved
  }
  for (std::size_t I = 0; I < TableEntries; ++I) {
    const std::uint32_t C = I < Image.Palette.size() ? Image.Palette[I] : 0;
    Out.push_back(static_cast<std::uint8_t>(C));
    Out.push_back(static_cast<std::uint8_t>(C >> 8));
    Out.push_back(static_cast<std::uint8_t>(C >> 16));
    Out.push_back(0);
  }

  for (int Y = H - 1; Y >= 0; --Y) {
    const std::size_t RowStart = Out.size();
    const std::uint32_t* Src = Image.Surface.Row(Y);
    const std::size_t IndexRow = static_cast<std::size_t>(Y) * W;
    if (Paletted) {
      const int PerByte = 8 / Bits;
      std::uint8_t Byte = 0;
      for (int X = 0; X < W; ++X) {
        Byte |= static_cast<std::uint8_t>(Image.Indices[IndexRow + X]
                                          << (8 - Bits * (X % PerByte + 1)));
        if (X % PerByte == PerByte - 1 || X == W - 1) {
          Out.push_back(Byte);
          Byte = 0;
        }
      }
    } else {
      for (int X = 0; X < W; ++X) {
        Out.push_back(static_cast<std::uint8_t>(Src[X]));
        Out.push_back(static_cast<std::uint8_t>(Src[X] >> 8));
        Out.push_back(static_cast<std::uint8_t>(Src[X] >> 16));
        if (Bits == 32) Out.push_back(WithAlpha ? Image.Alpha[IndexRow + X] : 0);
      }
    }
    while (Out.size() - RowStart < Stride) Out.push_back(0);
  }
  return Out;
}

}  // namespace image
