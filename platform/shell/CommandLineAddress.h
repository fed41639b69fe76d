#pragma once
// Windows hands an opened address to the browser on a command line: the
// shell puts it into the command the browser registered, most often
// `browser.exe "%1"` (Wine's is `winebrowser "%1"`). A double quote in the
// address would end that argument: the browser would get a cut or changed
// address (a search for `say "hi"` became a search for `say hi`). So double
// quotes are percent-encoded (%22), which a browser reads as the same
// character of a web address, and which no Windows file name can hold.
// Everything else is left as it is.

#include <string>
#include <string_view>

namespace shelladdress {

std::u16string QuotesEncoded(std::u16string_view Address);

}  // namespace shelladdress
