#pragma once
// The logical font: what a program asks the fonts layer for. Kept apart from
// the device context so that the fonts layer can name a request without
// depending on the rest of the GDI state.

#include <string>

// Font weights and character sets of a logical font.
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr int ANSI_CHARSET = 0;
constexpr int DEFAULT_CHARSET = 1;
constexpr int SHIFTJIS_CHARSET = 128;

// A font as requested, not yet resolved to a face: the fonts layer turns it
// into glyphs. Height follows GDI's sign convention: negative is the
// character height in pixels, positive the cell height, 0 the default size.
// An empty Face asks for the default user-interface face.
struct TLogFont {
  std::string Face;  // code page 932
  int Height = 0;
  int Weight = FW_NORMAL;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  int Charset = DEFAULT_CHARSET;
  bool operator==(const TLogFont& O) const {
    return Face == O.Face && Height == O.Height && Weight == O.Weight && Italic == O.Italic &&
           Underline == O.Underline && StrikeOut == O.StrikeOut && Charset == O.Charset;
  }
  bool operator!=(const TLogFont& O) const { return !(*this == O); }
};
