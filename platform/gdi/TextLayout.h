#pragma once
// Where DrawText puts its text: the split into lines (hard line ends, word
// break, characters that do not fit), prefix characters, tab stops and the end
// ellipsis. Pure geometry over a measuring function, so the rules can be
// checked with made-up widths; drawing is TextDraw's business.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// DrawText format flags, with their Windows values.
enum TDrawTextFlag : unsigned {
  DT_TOP = 0x0,
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10,
  DT_SINGLELINE = 0x20,
  DT_EXPANDTABS = 0x40,
  DT_TABSTOP = 0x80,
  DT_NOCLIP = 0x100,
  DT_EXTERNALLEADING = 0x200,
  DT_CALCRECT = 0x400,
  DT_NOPREFIX = 0x800,
  DT_INTERNAL = 0x1000,
  DT_EDITCONTROL = 0x2000,
  DT_PATH_ELLIPSIS = 0x4000,
  DT_END_ELLIPSIS = 0x8000,
  DT_MODIFYSTRING = 0x10000,
  DT_RTLREADING = 0x20000,
  DT_WORD_ELLIPSIS = 0x40000,
  DT_NOFULLWIDTHCHARBREAK = 0x80000,
  DT_HIDEPREFIX = 0x100000,
  DT_PREFIXONLY = 0x200000,
};

// How wide characters are. Advance answers the pen advance of the character
// that starts at Pos of a code page 932 text and its length in bytes.
class TTextMeasure {
public:
  virtual ~TTextMeasure() = default;
  virtual int Advance(std::string_view Text, std::size_t Pos, std::size_t* Length) = 0;
  // The distance between tab stops.
  virtual int TabWidth() = 0;
};

// A piece of a line drawn with one text output: lines are cut at tabs, and
// each piece starts at its tab stop.
struct TTextSegment {
  std::size_t Offset = 0;  // into TTextLine::Text
  std::size_t Length = 0;
  int X = 0;  // from the line's start
  int Width = 0;
};

struct TTextLine {
  std::string Text;  // what is shown: prefix characters removed, ellipsis added
  int Width = 0;     // tabs expanded
  std::vector<TTextSegment> Segments;
  // The character marked by a prefix "&", to be underlined; -1 when none.
  int UnderlineX = -1;
  int UnderlineWidth = 0;
};

struct TTextLayoutRequest {
  unsigned Format = 0;
  // The room of a line; lines are broken and shortened to it where the
  // format asks for that.
  int MaxWidth = 0;
  // With DT_END_ELLIPSIS and DT_WORDBREAK, the lines that fit the rectangle:
  // the last of them ends in "..." when text follows it, and no more lines
  // are made. 0 means no limit (DT_CALCRECT, DT_NOCLIP).
  int MaxLines = 0;
};

// Lays Text out. Empty text gives no line.
std::vector<TTextLine> LayoutText(std::string_view Text, const TTextLayoutRequest& Request,
                                  TTextMeasure& Measure);
