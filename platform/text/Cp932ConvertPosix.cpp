#include "platform/text/Cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

// Conversion to and from UTF-8 through glibc's iconv "CP932", which maps
// like Windows.

namespace cp932 {
namespace {

// One converter per direction and thread, opened on first use: iconv_open
// reads gconv modules from disk, far too slow to repeat per string.
class TConverter {
public:
  TConverter(const char* To, const char* From) : FHandle(iconv_open(To, From)) {
    if (FHandle == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error("iconv cannot convert between CP932 and UTF-8");
  }
  ~TConverter() { iconv_close(FHandle); }
  TConverter(const TConverter&) = delete;
  TConverter& operator=(const TConverter&) = delete;

  // Converts the whole input; false at the first byte sequence that the
  // target cannot hold or that is invalid in the source.
  bool Convert(std::string_view In, std::string& Out, std::size_t* FailedAt = nullptr) {
    iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
    Out.clear();
    char* InPtr = const_cast<char*>(In.data());
    std::size_t InLeft = In.size();
    char Buffer[1024];
    while (InLeft > 0) {
      char* OutPtr = Buffer;
      std::size_t OutLeft = sizeof Buffer;
      std::size_t Result = iconv(FHandle, &InPtr, &InLeft, &OutPtr, &OutLeft);
      Out.append(Buffer, OutPtr - Buffer);
      if (Result == static_cast<std::size_t>(-1) && errno != E2BIG) {
        if (FailedAt) *FailedAt = In.size() - InLeft;
        return false;
      }
    }
    return true;
  }

private:
  iconv_t FHandle;
};

TConverter& ToUtf8Converter() {
  thread_local TConverter Converter("UTF-8", "CP932");
  return Converter;
}

TConverter& FromUtf8Converter() {
  thread_local TConverter Converter("CP932", "UTF-8");
  return Converter;
}

}  // namespace

std::optional<std::string> ToUtf8(std::string_view Text) {
  std::string Out;
  if (!ToUtf8Converter().Convert(Text, Out)) return std::nullopt;
  return Out;
}

std::string ToUtf8Lossy(std::string_view Text) {
  std::string Out, Piece;
  std::size_t Pos = 0;
  while (Pos < Text.size()) {
    std::size_t FailedAt = 0;
    if (ToUtf8Converter().Convert(Text.substr(Pos), Piece, &FailedAt)) {
      Out += Piece;
      break;
    }
    // Keep what converted, show one replacement for the bad character, and
    // go on after it.
    Out += Piece;
    Out += "\xEF\xBF\xBD";
    Pos += FailedAt;
    Pos += CharLength(Text, Pos);
  }
  return Out;
}

std::optional<std::string> FromUtf8(std::string_view Utf8) {
  std::string Out;
  if (!FromUtf8Converter().Convert(Utf8, Out)) return std::nullopt;
  return Out;
}

char32_t DecodeChar(std::string_view Text, std::size_t Pos, std::size_t* Length) {
  std::size_t Bytes = CharLength(Text, Pos);
  if (Length) *Length = Bytes;
  if (Bytes == 0) return 0;
  unsigned char First = static_cast<unsigned char>(Text[Pos]);
  if (Bytes == 1 && First < 0x80) return First;
  std::string Utf8;
  if (!ToUtf8Converter().Convert(Text.substr(Pos, Bytes), Utf8) || Utf8.empty()) return 0xFFFD;
  const unsigned char* U = reinterpret_cast<const unsigned char*>(Utf8.data());
  if (U[0] < 0x80) return U[0];
  if ((U[0] & 0xE0) == 0xC0 && Utf8.size() >= 2) return ((U[0] & 0x1F) << 6) | (U[1] & 0x3F);
  if ((U[0] & 0xF0) == 0xE0 && Utf8.size() >= 3)
    return ((U[0] & 0x0F) << 12) | ((U[1] & 0x3F) << 6) | (U[2] & 0x3F);
  return 0xFFFD;
}

}  // namespace cp932
