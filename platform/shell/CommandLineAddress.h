#pragma once
// Windows hands an opened address to the browser on a command line: the
// shell puts it into the command the browser registered, most often
// `browser.exe "%1"` (Wine's is `winebrowser "%1"`), and reads it as a web
// address on the way. Two characters of a search keyword do not survive
// that as they are, and are percent-encoded, which a browser reads as the
// same characters of a web address:
// - a double quote (%22) would end the argument: the browser would get a
//   cut or changed address (a search for `say "hi"` became one for `say hi`);
//   no Windows file name can hold one;
// - a "%" that does not start an escape (two hexadecimal digits) makes the
//   address unreadable as one, and the shell then takes it for a host name
//   (%25): "q=50% off" went out as "http://http://www...".
// Everything else is left as it is.

#include <string>
#include <string_view>

namespace shelladdress {

std::u16string ForCommandLine(std::u16string_view Address);

}  // namespace shelladdress
