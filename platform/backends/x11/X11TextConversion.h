#pragma once
// Text crossing the X11 edge. X speaks UTF-8 (input methods, selections) and
// Latin-1 (the STRING selection target); the system speaks code page 932.
// A character that code page 932 cannot hold is refused: it is left out and
// counted, so the caller can beep, and never turned into '?'. Pure functions,
// tested without a display.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace x11 {

// What to do with control characters (below U+0020, and U+007F).
enum TControlChars {
  // Typed text: Enter, Tab, Backspace and the control keys reach the program
  // as keys (TranslateMessage makes their characters), so an input method's
  // copy of them is dropped. Dropping them is no refusal.
  ccDrop,
  // Pasted text keeps its tabs and line breaks.
  ccKeep
};

struct TConvertedText {
  std::string Cp932;
  int Refused = 0;  // characters left out: not in code page 932, or bad UTF-8
};

// UTF-8 from the input method or a selection, to code page 932.
TConvertedText Utf8ToCp932(std::string_view Utf8, TControlChars Controls);

// Latin-1 (the STRING target) to UTF-8; every byte is a character.
std::string Latin1ToUtf8(std::string_view Latin1);

// UTF-8 to Latin-1 for the STRING target; nullopt when the text holds a
// character Latin-1 has not (the request is then refused rather than
// answered with question marks) or is no valid UTF-8.
std::optional<std::string> Utf8ToLatin1(std::string_view Utf8);

// The UTF-8 of the character a keysym types, for a keyboard without an
// input method: Latin-1 keysyms and the Unicode keysyms (0x01000000 + code
// point). Empty for any other keysym.
std::string KeysymToUtf8(unsigned long Keysym);

// An input method's composition (on the spot) as the window system wants
// it: code page 932 text, one attribute per byte (TCompositionAttribute)
// and the caret as a byte offset.
struct TComposedText {
  std::string Cp932;
  std::vector<std::uint8_t> Attributes;
  int Caret = 0;
};

// XIM's preedit feedback bits.
constexpr unsigned long kFeedbackReverse = 1;    // XIMReverse: the clause being converted
constexpr unsigned long kFeedbackUnderline = 2;  // XIMUnderline
constexpr unsigned long kFeedbackHighlight = 4;  // XIMHighlight: a converted clause

// Chars (code points) with their feedback (missing ones count as plain) and
// the caret as a character index. A composed character that code page 932
// cannot hold is shown as the geta mark, as Japanese systems show an
// unmappable character; it is only shown, never committed from here.
TComposedText ComposedToCp932(const std::u32string& Chars,
                              const std::vector<unsigned long>& Feedback, int Caret);

}  // namespace x11
