#pragma once
// The system's text is std::string holding code page 932 (Shift-JIS) bytes.
// Lengths and positions are byte counts; a character takes one or two bytes.
// Everything that needs to know where a character starts lives here.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace cp932 {

// A lead byte opens a double-byte character: 0x81-0x9F and 0xE0-0xFC.
inline bool IsLeadByte(unsigned char Byte) {
  return (Byte >= 0x81 && Byte <= 0x9F) || (Byte >= 0xE0 && Byte <= 0xFC);
}
inline bool IsLeadByte(char Byte) { return IsLeadByte(static_cast<unsigned char>(Byte)); }

// Bytes taken by the character that starts at Pos: 2 for a lead byte that has
// a byte after it, else 1 (a lead byte cut off at the end counts as one byte,
// so stepping never runs past the end).
std::size_t CharLength(std::string_view Text, std::size_t Pos);

// Start of the character after the one at Pos (Text.size() at the end).
std::size_t NextCharPos(std::string_view Text, std::size_t Pos);

// Start of the character before Pos. Pos must lie on a character boundary.
// Walks from the start because a trail byte can look like a lead byte.
std::size_t PrevCharPos(std::string_view Text, std::size_t Pos);

// True when Pos is the start of a character (or the end of the text).
bool IsCharBoundary(std::string_view Text, std::size_t Pos);

// The largest character boundary not above Pos: cutting there never splits a
// double-byte character.
std::size_t FloorCharBoundary(std::string_view Text, std::size_t Pos);

// Upper case with the Japanese locale's rules: ASCII a-z and full-width
// ａ-ｚ fold; kana, kanji and trail bytes are left as they are.
std::string AnsiUpperCase(std::string_view Text);

// Case-insensitive comparison with the same folding; <0, 0, >0 like strcmp.
// Compares by folded character, so "ｓ" and "Ｓ" are equal but "s" and "ｓ" not.
int AnsiCompareText(std::string_view A, std::string_view B);
inline bool AnsiSameText(std::string_view A, std::string_view B) {
  return AnsiCompareText(A, B) == 0;
}
// True when Text begins with Prefix, ignoring case as above. A prefix that
// ends inside a double-byte character of Text does not match.
bool AnsiStartsText(std::string_view Prefix, std::string_view Text);

// CP932 -> UTF-8 for display: bytes that are no valid CP932 become U+FFFD,
// so display never fails.
std::string ToUtf8Lossy(std::string_view Text);

// CP932 -> UTF-8, refusing invalid input (nullopt).
std::optional<std::string> ToUtf8(std::string_view Text);

// UTF-8 -> CP932, refusing text that CP932 cannot hold or that is no valid
// UTF-8 (nullopt). Input is refused, never turned into '?'.
std::optional<std::string> FromUtf8(std::string_view Utf8);

// CP932 <-> UTF-16, for the wide-character calls of Windows (file names, the
// shell, the clipboard, window text). Same rules as the UTF-8 conversions:
// ToUtf16 refuses invalid bytes, ToUtf16Lossy shows them as U+FFFD, and
// FromUtf16 refuses what CP932 cannot hold and unpaired surrogates.
std::optional<std::u16string> ToUtf16(std::string_view Text);
std::u16string ToUtf16Lossy(std::string_view Text);
std::optional<std::string> FromUtf16(std::u16string_view Utf16);

// The Unicode code point of the character at Pos (U+FFFD when invalid), and the
// number of bytes it takes. Used by glyph lookup.
char32_t DecodeChar(std::string_view Text, std::size_t Pos, std::size_t* Length);

}  // namespace cp932
