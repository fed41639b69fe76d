#include "platform/text/Cp932Table.h"

#include <algorithm>
#include <cstdint>

namespace cp932::table {
namespace {

struct TEncoding {
  char16_t Code;
  std::uint16_t Bytes;
};

#include "Cp932TableData.inc"

// Row of kDoubleByte for a lead byte: 0x81-0x9F, then 0xE0-0xFC.
int LeadRow(unsigned char Lead) {
  if (Lead >= 0x81 && Lead <= 0x9F) return Lead - 0x81;
  if (Lead >= 0xE0 && Lead <= 0xFC) return Lead - 0xE0 + (0x9F - 0x81 + 1);
  return -1;
}

}  // namespace

long Decode(std::string_view Text, std::size_t Pos, std::size_t Length) {
  const unsigned char First = static_cast<unsigned char>(Text[Pos]);
  if (Length == 1) {
    if (First == 0) return 0;
    return kSingleByte[First] ? kSingleByte[First] : -1;
  }
  const int Row = LeadRow(First);
  if (Row < 0) return -1;
  const char16_t Code = kDoubleByte[Row][static_cast<unsigned char>(Text[Pos + 1])];
  return Code ? Code : -1;
}

bool Encode(char32_t Code, std::string& Out) {
  if (Code < 0x80) {
    Out += static_cast<char>(Code);
    return true;
  }
  if (Code > 0xFFFF) return false;
  // The half-width katakana, the only single bytes above 0x7F.
  if (Code >= 0xFF61 && Code <= 0xFF9F) {
    Out += static_cast<char>(Code - 0xFF61 + 0xA1);
    return true;
  }
  const auto* End = kEncodings + sizeof kEncodings / sizeof kEncodings[0];
  const auto* Found =
      std::lower_bound(kEncodings, End, Code,
                       [](const TEncoding& Entry, char32_t Wanted) { return Entry.Code < Wanted; });
  if (Found == End || Found->Code != Code) return false;
  if (Found->Bytes > 0xFF) Out += static_cast<char>(Found->Bytes >> 8);
  Out += static_cast<char>(Found->Bytes & 0xFF);
  return true;
}

}  // namespace cp932::table
