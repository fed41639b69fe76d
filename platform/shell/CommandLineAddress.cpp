#include "platform/shell/CommandLineAddress.h"

namespace shelladdress {

std::u16string QuotesEncoded(std::u16string_view Address) {
  std::u16string Encoded;
  Encoded.reserve(Address.size());
  for (char16_t C : Address) {
    if (C == u'"')
      Encoded += u"%22";
    else
      Encoded += C;
  }
  return Encoded;
}

}  // namespace shelladdress
