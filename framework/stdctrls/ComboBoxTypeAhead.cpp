// The combo box's completion while typing, apart from any window so that it
// can be tested on its own.

#include <algorithm>

#include "framework/stdctrls/ComboBox.h"
#include "platform/text/Cp932.h"

namespace {

constexpr unsigned char kBackspace = 0x08;
constexpr unsigned char kTab = 0x09;
constexpr unsigned char kEscape = 0x1B;

// The selection clamped to the text and moved onto character starts.
void NormaliseSelection(const std::string& Text, int& Start, int& Length) {
  const int Size = int(Text.size());
  Start = std::clamp(Start, 0, Size);
  int End = std::clamp(Start + std::max(0, Length), Start, Size);
  Start = int(cp932::FloorCharBoundary(Text, std::size_t(Start)));
  End = int(cp932::FloorCharBoundary(Text, std::size_t(End)));
  Length = std::max(0, End - Start);
}

}  // namespace

TTypeAheadResult ComboTypeAhead(const TStrings& Items, const TTypeAheadEdit& Edit,
                                std::string_view Char, int MaxLength) {
  TTypeAheadResult Result;
  if (Char.empty()) return Result;
  const unsigned char First = static_cast<unsigned char>(Char.front());
  if (First == kEscape || First == kTab) return Result;

  int SelStart = Edit.SelStart;
  int SelLength = Edit.SelLength;
  NormaliseSelection(Edit.Text, SelStart, SelLength);

  if (First == kBackspace) {
    Result.Consumed = true;
    std::string Text = Edit.Text;
    int Caret = SelStart;
    if (SelLength > 0) {
      Text.erase(std::size_t(SelStart), std::size_t(SelLength));
    } else if (SelStart > 0) {
      // Both bytes of a double-byte character go together.
      Caret = int(cp932::PrevCharPos(Text, std::size_t(SelStart)));
      Text.erase(std::size_t(Caret), std::size_t(SelStart - Caret));
    } else {
      return Result;  // nothing before the caret
    }
    Result.Changed = true;
    Result.Edit = TTypeAheadEdit{std::move(Text), Caret, 0};
    return Result;
  }

  // Other control characters (Enter, Ctrl+letters) are commands, never
  // part of an item.
  if (First < 0x20 || First == 0x7F) return Result;

  std::string Candidate = SelLength > 0 ? Edit.Text.substr(0, std::size_t(SelStart)) : Edit.Text;
  Candidate.append(Char.data(), Char.size());
  for (int I = 0; I < Items.Count(); ++I) {
    const std::string Item = Items.Get(I);
    if (Item.size() < Candidate.size() || !cp932::AnsiStartsText(Candidate, Item)) continue;
    // The prefix test ignores case byte by byte on character starts, so the
    // rest begins on a character start of the item.
    std::string Text = Candidate + Item.substr(Candidate.size());
    if (MaxLength > 0 && int(Text.size()) > MaxLength) return Result;
    Result.Consumed = true;
    Result.Changed = true;
    Result.ItemIndex = I;
    const int Start = int(Candidate.size());
    const int Length = int(Text.size()) - Start;
    Result.Edit = TTypeAheadEdit{std::move(Text), Start, Length};
    return Result;
  }
  return Result;
}
