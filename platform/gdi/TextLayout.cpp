#include "platform/gdi/TextLayout.h"

#include <algorithm>

#include "platform/text/Cp932.h"

namespace {

constexpr std::string_view kEllipsis = "...";

// The text as shown, with the characters that a prefix "&" marks.
struct TDisplayText {
  std::string Text;
  std::vector<std::size_t> Marks;  // byte positions in Text, ascending
};

// "&x" marks x to be underlined and is shown as "x"; "&&" is shown as one "&";
// a lone "&" at the very end is dropped.
TDisplayText StripPrefixes(std::string_view Text, bool Process) {
  TDisplayText Display;
  if (!Process) {
    Display.Text.assign(Text);
    return Display;
  }
  Display.Text.reserve(Text.size());
  for (std::size_t Pos = 0; Pos < Text.size();) {
    std::size_t Length = cp932::CharLength(Text, Pos);
    if (Text[Pos] == '&') {
      if (Pos + 1 < Text.size() && Text[Pos + 1] == '&') {
        Display.Text.push_back('&');
        Pos += 2;
        continue;
      }
      if (Pos + 1 < Text.size()) Display.Marks.push_back(Display.Text.size());
      Pos += 1;
      continue;
    }
    Display.Text.append(Text.substr(Pos, Length));
    Pos += Length;
  }
  return Display;
}

bool IsLineEnd(char C) { return C == '\r' || C == '\n'; }

class TLayouter {
public:
  TLayouter(const TTextLayoutRequest& Request, TTextMeasure& Measure)
      : FRequest(Request), FMeasure(Measure) {
    FExpandTabs = (Request.Format & DT_EXPANDTABS) != 0;
    FTabWidth = std::max(1, FExpandTabs ? Measure.TabWidth() : 1);
  }

  std::vector<TTextLine> Run(std::string_view Text) {
    const unsigned Format = FRequest.Format;
    FDisplay = StripPrefixes(Text, !(Format & DT_NOPREFIX));
    const std::string& D = FDisplay.Text;
    if (D.empty()) return {};
    const bool WordBreak = (Format & DT_WORDBREAK) && !(Format & DT_SINGLELINE);
    const bool Ellipsis = (Format & DT_END_ELLIPSIS) != 0;

    std::size_t Pos = 0;
    while (Pos < D.size() || FLines.empty()) {
      // One paragraph: up to the next line end (single-line text has none).
      std::size_t End = D.size();
      if (!(Format & DT_SINGLELINE))
        for (std::size_t I = Pos; I < D.size(); I = cp932::NextCharPos(D, I))
          if (IsLineEnd(D[I])) {
            End = I;
            break;
          }
      std::size_t After = End;
      if (After < D.size())
        After += (D[After] == '\r' && After + 1 < D.size() && D[After + 1] == '\n') ? 2 : 1;

      std::size_t LinePos = Pos;
      do {
        std::size_t LineEnd = End, Next = End;
        if (WordBreak) BreakLine(LinePos, End, LineEnd, Next);
        const bool TooWide = Ellipsis && LineWidth(LinePos, LineEnd) > FRequest.MaxWidth;
        // The last line there is room for ends the layout, in "..." when
        // more text follows it.
        if (FRequest.MaxLines > 0 && WordBreak && Ellipsis &&
            static_cast<int>(FLines.size()) + 1 >= FRequest.MaxLines) {
          FLines.push_back(
              MakeLine(LinePos, LineEnd, TooWide || HasTextAfter(Next < End ? Next : After)));
          return std::move(FLines);
        }
        FLines.push_back(MakeLine(LinePos, LineEnd, TooWide));
        LinePos = Next;
      } while (LinePos < End);
      Pos = After;
      // A line end that closes the text opens no further line.
      if (Pos >= D.size()) break;
    }
    return std::move(FLines);
  }

private:
  // The advance of the character at Pos for a pen at X: a tab goes to the
  // next tab stop when tabs are expanded.
  int AdvanceAt(const std::string& Text, std::size_t Pos, int X, std::size_t* Length) {
    if (FExpandTabs && Text[Pos] == '\t') {
      *Length = 1;
      return (X / FTabWidth + 1) * FTabWidth - X;
    }
    return FMeasure.Advance(Text, Pos, Length);
  }

  int LineWidth(std::size_t Begin, std::size_t End) {
    int X = 0;
    for (std::size_t Pos = Begin; Pos < End;) {
      std::size_t Length = 1;
      X += AdvanceAt(FDisplay.Text, Pos, X, &Length);
      Pos += Length;
    }
    return X;
  }

  // Word break inside [Begin, End): the line may end after blanks (which are
  // dropped) and after any double-byte character; a line with no such place
  // that is too long is cut before the character that does not fit, keeping
  // at least one character.
  void BreakLine(std::size_t Begin, std::size_t End, std::size_t& LineEnd, std::size_t& Next) {
    const std::string& D = FDisplay.Text;
    const int MaxWidth = FRequest.MaxWidth;
    bool HaveBreak = false, InBlanks = false;
    std::size_t BreakEnd = 0, BreakNext = 0;
    int X = 0;
    for (std::size_t Pos = Begin; Pos < End;) {
      std::size_t Length = 1;
      int Width = AdvanceAt(D, Pos, X, &Length);
      if (D[Pos] == ' ') {
        // Blanks never push a line over; a break before them drops them.
        if (!InBlanks && Pos > Begin) {
          BreakEnd = Pos;
          HaveBreak = true;
        }
        InBlanks = true;
        BreakNext = Pos + 1;
        X += Width;
        Pos += Length;
        continue;
      }
      InBlanks = false;
      if (X + Width > MaxWidth) {
        if (HaveBreak) {
          LineEnd = BreakEnd;
          Next = BreakNext;
        } else {
          LineEnd = Next = Pos == Begin ? Pos + Length : Pos;
        }
        while (Next < End && D[Next] == ' ') ++Next;
        return;
      }
      X += Width;
      Pos += Length;
      if (Length == 2) {
        HaveBreak = true;
        BreakEnd = BreakNext = Pos;
      }
    }
    LineEnd = Next = End;
  }

  bool HasTextAfter(std::size_t Pos) const {
    const std::string& D = FDisplay.Text;
    for (; Pos < D.size(); ++Pos)
      if (D[Pos] != ' ' && !IsLineEnd(D[Pos])) return true;
    return false;
  }

  // The line of [Begin, End); with Shorten, cut at the end until it and "..."
  // fit the width.
  TTextLine MakeLine(std::size_t Begin, std::size_t End, bool Shorten) {
    const std::string& D = FDisplay.Text;
    std::string Text = D.substr(Begin, End - Begin);
    long Mark = -1;
    for (std::size_t M : FDisplay.Marks)
      if (M >= Begin && M < End) Mark = static_cast<long>(M - Begin);
    if (Shorten) {
      std::size_t EllipsisLength = 0;
      int EllipsisWidth = 0;
      for (std::size_t I = 0; I < kEllipsis.size(); I += EllipsisLength)
        EllipsisWidth += FMeasure.Advance(kEllipsis, I, &EllipsisLength);
      std::size_t Keep = 0;
      int X = 0;
      for (std::size_t Pos = 0; Pos < Text.size();) {
        std::size_t Length = 1;
        X += AdvanceAt(Text, Pos, X, &Length);
        if (X + EllipsisWidth > FRequest.MaxWidth) break;
        Pos += Length;
        Keep = Pos;
      }
      Text.resize(Keep);
      Text.append(kEllipsis);
      if (Mark >= static_cast<long>(Keep)) Mark = -1;
    }
    return BuildLine(std::move(Text), Mark);
  }

  TTextLine BuildLine(std::string Text, long Mark) {
    TTextLine Line;
    Line.Text = std::move(Text);
    TTextSegment Segment;
    int X = 0;
    for (std::size_t Pos = 0; Pos < Line.Text.size();) {
      std::size_t Length = 1;
      int Width = AdvanceAt(Line.Text, Pos, X, &Length);
      if (FExpandTabs && Line.Text[Pos] == '\t') {
        if (Segment.Length > 0) Line.Segments.push_back(Segment);
        Segment = TTextSegment{Pos + 1, 0, X + Width, 0};
      } else {
        if (static_cast<long>(Pos) == Mark) {
          Line.UnderlineX = X;
          Line.UnderlineWidth = Width;
        }
        Segment.Length += Length;
        Segment.Width += Width;
      }
      X += Width;
      Pos += Length;
    }
    if (Segment.Length > 0) Line.Segments.push_back(Segment);
    Line.Width = X;
    return Line;
  }

  const TTextLayoutRequest& FRequest;
  TTextMeasure& FMeasure;
  bool FExpandTabs = false;
  int FTabWidth = 1;
  TDisplayText FDisplay;
  std::vector<TTextLine> FLines;
};

}  // namespace

std::vector<TTextLine> LayoutText(std::string_view Text, const TTextLayoutRequest& Request,
                                  TTextMeasure& Measure) {
  return TLayouter(Request, Measure).Run(Text);
}
