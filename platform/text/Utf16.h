#pragma once
// Code page 932 text to and from UTF-16, the text of the Windows W calls
// (window titles, the clipboard, the input method, the registry). The
// conversion uses this system's own code page 932 tables (Cp932.h), never
// the process code page, so the result is the same on every system.
// UTF-16 is held in std::u16string here; a Windows caller views it as
// wchar_t, which is 16 bits wide there.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cp932 {

// CP932 -> UTF-16. Bytes that are no valid CP932 become U+FFFD, so a title
// or a pasted text is always shown.
std::u16string ToUtf16Lossy(std::string_view Text);

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

// UTF-16 -> CP932. A character that CP932 cannot hold is left out and
// counted, never turned into '?', so that the caller can refuse it audibly.
TFromUtf16 FromUtf16(std::u16string_view Text, TUtf16Controls Controls);

// The code point of a UTF-16 text made of exactly one character (a single
// unit or a surrogate pair), or 0 for anything else.
char32_t SingleCodePoint(std::u16string_view Text);

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
