#pragma once
// A realised font: a font request bound to an installed face at a pixel size,
// with its metrics and its glyphs. This is what a font handle selected into a
// device context stands for. Text is code page 932; it is turned into Unicode
// here, at glyph lookup, and nowhere before.
//
// Glyphs are grey-level coverage maps, anti-aliased with FreeType's light
// hinting (vertical only) whatever fontconfig suggests, so a font file gives
// the same pixels on every run. A character the face lacks comes from the
// closest installed face that has it; one that no face has, and every invalid
// byte, is drawn from U+FFFD or, failing that, as an empty box.
//
// Everything here runs on the user-interface thread.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fonts/FontTypes.h"

struct TGlyph {
  int Advance = 0;  // pen advance in pixels
  int Left = 0;     // first bitmap column, from the pen position
  int Top = 0;      // bitmap rows above the baseline (the baseline is tmAscent below the cell top)
  int Width = 0, Height = 0;
  std::vector<std::uint8_t>
      Coverage;  // Width * Height values, 0 (none) to 255 (full), rows top-down
};

class TRealizedFont {
public:
  // The font for a request; equal requests share one realised font (and its
  // glyph cache) while it is in use or among the most recently asked for.
  // Never fails while any font is installed: an unknown face falls back to the
  // closest installed one.
  static std::shared_ptr<TRealizedFont> Create(const TLogFont& Request);
  // Lets go of the recently used fonts; those still held elsewhere live on.
  static void ForgetRecentFonts();

  ~TRealizedFont();
  TRealizedFont(const TRealizedFont&) = delete;
  TRealizedFont& operator=(const TRealizedFont&) = delete;

  const TLogFont& LogFont() const;
  const TTextMetric& TextMetric() const;
  // The family that was chosen (UTF-8, as fontconfig names it) and its em
  // height in pixels.
  const std::string& FamilyName() const;
  int EmHeight() const;
  // True when the face the request leads to could not be read or parsed,
  // and the default face of the same style stands in for it.
  bool IsStandIn() const;

  // The underline and strikeout strokes: first row below the cell top, and
  // thickness in rows. Both lie inside the cell.
  int UnderlineTop() const;
  int UnderlineThickness() const;
  int StrikeOutTop() const;
  int StrikeOutThickness() const;

  // Pen advance of the character that starts at Pos; *Length gets its bytes
  // (1 or 2). Measuring never rasterises.
  int CharAdvance(std::string_view Text, std::size_t Pos, std::size_t* Length = nullptr);
  // Sum of the advances of every character of Text.
  int TextWidth(std::string_view Text);
  // True when some glyph of Text covers a pixel. A face that opens but
  // whose glyphs are empty draws nothing at all.
  bool DrawsInk(std::string_view Text);

  // The glyph of the character at Pos. The reference stays valid until the
  // next call of Glyph on this font: the cache may be emptied to stay in its
  // memory bound.
  const TGlyph& Glyph(std::string_view Text, std::size_t Pos, std::size_t* Length = nullptr);

  // Bytes of coverage held by the glyph cache; it never grows past
  // kGlyphCacheLimit.
  std::size_t GlyphCacheBytes() const;
  static constexpr std::size_t kGlyphCacheLimit = 256 * 1024;

private:
  struct TImpl;
  explicit TRealizedFont(std::unique_ptr<TImpl> Impl);
  std::unique_ptr<TImpl> FImpl;
};
