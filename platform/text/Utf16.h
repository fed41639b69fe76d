#pragma once
// UTF-16 that comes from outside into the program (typed text, the input
// method's composition, pasted text, stored texts), as code page 932.
// Unlike the strict cp932::FromUtf16 (Cp932.h), which refuses a whole text,
// these leave out what code page 932 cannot hold, count it so that the
// caller can refuse it audibly, and keep the rest. Conversion uses the
// system's own code page 932 tables, never the process code page.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/Cp932.h"

namespace cp932 {

// What to do with control characters (below U+0020, and U+007F).
enum TUtf16Controls {
  // Typed text: Enter, Tab, Backspace and the control keys reach the program
  // as keys, so the input method's copy of them is dropped (no refusal).
  ucDrop,
  // Pasted and stored text keeps its tabs and line breaks.
  ucKeep
};

struct TFromUtf16 {
  std::string Text;  // code page 932
  int Refused = 0;   // characters left out: not in code page 932, or a lone surrogate
};

// UTF-16 -> CP932, leaving out (and counting) each character that CP932
// cannot hold; never turned into '?'.
TFromUtf16 FromUtf16LeavingOut(std::u16string_view Text, TUtf16Controls Controls);

// A text with one value per UTF-16 unit (the input method's clause
// attributes) and a caret as a unit index, turned into CP932 with one value
// per byte and the caret as a byte offset. A character CP932 cannot hold
// is shown as the geta mark, as Japanese systems show one; a surrogate pair
// takes the value of its first unit. A caret inside a pair or out of range
// is moved to the nearest character boundary.
struct TValuedText {
  std::string Text;
  std::vector<std::uint8_t> Values;
  int Caret = 0;
};
TValuedText FromUtf16WithValues(std::u16string_view Text, const std::vector<std::uint8_t>& Values,
                                int Caret);

}  // namespace cp932
