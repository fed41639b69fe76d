#include "platform/shell/CommandLineAddress.h"

namespace shelladdress {

namespace {

bool IsHexDigit(char16_t C) {
  return (C >= u'0' && C <= u'9') || (C >= u'A' && C <= u'F') || (C >= u'a' && C <= u'f');
}

}  // namespace

std::u16string ForCommandLine(std::u16string_view Address) {
  std::u16string Encoded;
  Encoded.reserve(Address.size());
  for (std::size_t I = 0; I < Address.size(); ++I) {
    const char16_t C = Address[I];
    if (C == u'"') {
      Encoded += u"%22";
    } else if (C == u'%' && !(I + 2 < Address.size() && IsHexDigit(Address[I + 1]) &&
                              IsHexDigit(Address[I + 2]))) {
      Encoded += u"%25";
    } else {
      Encoded += C;
    }
  }
  return Encoded;
}

}  // namespace shelladdress
