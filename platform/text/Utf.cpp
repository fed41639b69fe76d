#include "platform/text/Utf.h"

namespace utf {

void AppendUtf8(char32_t Code, std::string& Out) {
  if (Code < 0x80) {
    Out += static_cast<char>(Code);
  } else if (Code < 0x800) {
    Out += static_cast<char>(0xC0 | (Code >> 6));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  } else if (Code < 0x10000) {
    Out += static_cast<char>(0xE0 | (Code >> 12));
    Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  } else {
    Out += static_cast<char>(0xF0 | (Code >> 18));
    Out += static_cast<char>(0x80 | ((Code >> 12) & 0x3F));
    Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Code & 0x3F));
  }
}

long NextUtf8(std::string_view Text, std::size_t& Pos) {
  const unsigned char First = static_cast<unsigned char>(Text[Pos++]);
  if (First < 0x80) return First;
  int Count;
  long Code, Smallest;
  if ((First & 0xE0) == 0xC0) {
    Count = 1, Code = First & 0x1F, Smallest = 0x80;
  } else if ((First & 0xF0) == 0xE0) {
    Count = 2, Code = First & 0x0F, Smallest = 0x800;
  } else if ((First & 0xF8) == 0xF0) {
    Count = 3, Code = First & 0x07, Smallest = 0x10000;
  } else {
    return -1;
  }
  std::size_t Next = Pos;
  for (int Index = 0; Index < Count; ++Index, ++Next) {
    if (Next >= Text.size()) return -1;
    const unsigned char Byte = static_cast<unsigned char>(Text[Next]);
    if ((Byte & 0xC0) != 0x80) return -1;
    Code = (Code << 6) | (Byte & 0x3F);
  }
  if (Code < Smallest || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF)) return -1;
  Pos = Next;
  return Code;
}

void AppendUtf16(char32_t Code, std::u16string& Out) {
  if (Code < 0x10000) {
    Out += static_cast<char16_t>(Code);
    return;
  }
  Code -= 0x10000;
  Out += static_cast<char16_t>(0xD800 | (Code >> 10));
  Out += static_cast<char16_t>(0xDC00 | (Code & 0x3FF));
}

long NextUtf16(std::u16string_view Text, std::size_t& Pos) {
  const char16_t First = Text[Pos++];
  if (First < 0xD800 || First > 0xDFFF) return First;
  if (First >= 0xDC00 || Pos >= Text.size()) return -1;
  const char16_t Second = Text[Pos];
  if (Second < 0xDC00 || Second > 0xDFFF) return -1;
  ++Pos;
  return 0x10000 + ((static_cast<long>(First) - 0xD800) << 10) + (Second - 0xDC00);
}

}  // namespace utf
