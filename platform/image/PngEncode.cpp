#include "platform/image/PngEncode.h"

#include <algorithm>
#include <array>

namespace image {
namespace {

std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> Table{};
  for (std::uint32_t N = 0; N < 256; ++N) {
    std::uint32_t C = N;
    for (int K = 0; K < 8; ++K) C = C & 1 ? 0xEDB88320u ^ (C >> 1) : C >> 1;
    Table[N] = C;
  }
  return Table;
}

std::uint32_t Crc(const std::string& Bytes, std::size_t From) {
  static const std::array<std::uint32_t, 256> Table = MakeCrcTable();
  std::uint32_t C = 0xFFFFFFFFu;
  for (std::size_t I = From; I < Bytes.size(); ++I)
    C = Table[(C ^ static_cast<unsigned char>(Bytes[I])) & 0xFF] ^ (C >> 8);
  return C ^ 0xFFFFFFFFu;
}

void PutBigEndian(std::string& Out, std::uint32_t Value) {
  for (int Shift = 24; Shift >= 0; Shift -= 8) Out += static_cast<char>((Value >> Shift) & 0xFF);
}

void PutChunk(std::string& Out, const char* Type, const std::string& Data) {
  PutBigEndian(Out, static_cast<std::uint32_t>(Data.size()));
  const std::size_t Start = Out.size();
  Out += Type;
  Out += Data;
  PutBigEndian(Out, Crc(Out, Start));
}

// The zlib stream of Raw in stored blocks of at most 65535 bytes.
std::string StoredZlib(const std::string& Raw) {
  std::string Out("\x78\x01", 2);  // deflate, 32 KB window, no dictionary
  std::size_t Pos = 0;
  do {
    const std::size_t Length = std::min<std::size_t>(Raw.size() - Pos, 65535);
    const bool Last = Pos + Length == Raw.size();
    Out += static_cast<char>(Last ? 1 : 0);
    Out += static_cast<char>(Length & 0xFF);
    Out += static_cast<char>(Length >> 8);
    Out += static_cast<char>(~Length & 0xFF);
    Out += static_cast<char>((~Length >> 8) & 0xFF);
    Out.append(Raw, Pos, Length);
    Pos += Length;
  } while (Pos < Raw.size());
  std::uint32_t A = 1, B = 0;  // Adler-32
  for (unsigned char Byte : Raw) {
    A = (A + Byte) % 65521;
    B = (B + A) % 65521;
  }
  PutBigEndian(Out, (B << 16) | A);
  return Out;
}

}  // namespace

std::string EncodePng(const TSurface& Surface, const std::vector<std::uint8_t>* Alpha) {
  const int W = Surface.Width(), H = Surface.Height();
  std::string Header;
  PutBigEndian(Header, static_cast<std::uint32_t>(W));
  PutBigEndian(Header, static_cast<std::uint32_t>(H));
  Header += static_cast<char>(8);              // bits per channel
  Header += static_cast<char>(Alpha ? 6 : 2);  // RGBA or RGB
  Header += std::string(3, '\0');              // deflate, adaptive filters, no interlace

  // Surface pixels are 0x00RRGGBB words; each row starts with filter 0.
  std::string Raw;
  Raw.reserve(static_cast<std::size_t>(H) * (1 + W * 4));
  for (int Y = 0; Y < H; ++Y) {
    Raw += '\0';
    const std::uint32_t* In = Surface.Row(Y);
    for (int X = 0; X < W; ++X) {
      Raw += static_cast<char>(In[X] >> 16);
      Raw += static_cast<char>(In[X] >> 8);
      Raw += static_cast<char>(In[X]);
      if (Alpha) Raw += static_cast<char>((*Alpha)[static_cast<std::size_t>(Y) * W + X]);
    }
  }

  std::string Out("\x89PNG\r\n\x1A\n", 8);
  PutChunk(Out, "IHDR", Header);
  PutChunk(Out, "IDAT", StoredZlib(Raw));
  PutChunk(Out, "IEND", std::string());
  return Out;
}

}  // namespace image
