// The input method's composition inside the edit: kept apart from Text,
// drawn at the caret with the underlines Japanese users know from Windows.

#include <algorithm>

#include "framework/stdctrls/Edit.h"

namespace {

bool IsTargetClause(BYTE Attribute) {
  return Attribute == caTargetConverted || Attribute == caTargetNotConverted;
}

}  // namespace

void TCustomEdit::WMImeStartComposition() {
  // Nothing shows in an edit that takes no typing; its commit is refused
  // like any typed character.
  if (FReadOnly) return;
  FComposing = true;
  FCompText.clear();
  FCompAttributes.clear();
  FCompCursor = 0;
  FCompX.clear();
  FLeadByte = -1;
}

void TCustomEdit::WMImeComposition() {
  if (FReadOnly) return;
  TCompositionString Composition;
  if (!HandleAllocated() || !ImmGetCompositionString(WindowHandle(), Composition)) {
    EndCompositionDisplay();
    return;
  }
  FComposing = true;
  FCompText = Composition.Text;
  FCompAttributes = Composition.Attributes;
  FCompAttributes.resize(FCompText.size(), caInput);
  FCompCursor = std::clamp(Composition.CursorPos, 0, int(FCompText.size()));
  FCompX.clear();
  ScrollToCaret();
  Invalidate();
  UpdateCaret();
}

void TCustomEdit::EndCompositionDisplay() {
  if (!FComposing) return;
  FComposing = false;
  FCompText.clear();
  FCompAttributes.clear();
  FCompCursor = 0;
  FCompX.clear();
  ScrollToCaret();
  Invalidate();
  UpdateCaret();
}

void TCustomEdit::CompleteComposition() {
  if (!FComposing || !HandleAllocated()) return;
  EndCompositionDisplay();
  // The input method hands the text over as typed characters.
  ImmNotifyIME(WindowHandle(), CPS_COMPLETE);
}

int TCustomEdit::ShownX(int Pos) const {
  Measure();
  if (!FComposing) return FCharX[std::size_t(Pos)];
  const int Start = SelStart();
  const int End = Start + SelLength();
  if (Pos <= Start) return FCharX[std::size_t(Pos)];
  const int CompWidth = FCompX.back();
  if (Pos < End) return FCharX[std::size_t(Start)] + CompWidth;
  return FCharX[std::size_t(Pos)] - FCharX[std::size_t(End)] + FCharX[std::size_t(Start)] +
         CompWidth;
}

int TCustomEdit::ShownWidth() const {
  Measure();
  if (!FComposing) return FCharX.back();
  const std::size_t Start = std::size_t(SelStart()), End = Start + std::size_t(SelLength());
  return FCharX.back() - (FCharX[End] - FCharX[Start]) + FCompX.back();
}

int TCustomEdit::ShownCaretX() const {
  Measure();
  if (!FComposing) return FCharX[std::size_t(FCaret)];
  return FCharX[std::size_t(SelStart())] + FCompX[std::size_t(FCompCursor)];
}

void TCustomEdit::PaintComposition(TCanvas& C, int Top, TColor TextColor) {
  const int Left = XFromChar(SelStart());
  C.Brush()->SetColor(Color());
  C.Font()->SetColor(TextColor);
  C.TextOut(Left, Top, FCompText);
  // Underlines just below the text line (inside the client area), one per
  // clause: a run of bytes with one kind of attribute.
  C.Brush()->SetColor(TextColor);
  const int Height = ClientHeight();
  std::size_t From = 0;
  while (From < FCompText.size()) {
    const bool Target = IsTargetClause(FCompAttributes[From]);
    std::size_t To = From + 1;
    while (To < FCompText.size() && FCompAttributes[To] == FCompAttributes[From]) ++To;
    const int Thickness = Target ? 2 : 1;
    const int Y = std::max(0, std::min(Top + LineHeight(), Height - Thickness));
    const int X0 = Left + FCompX[From];
    const int X1 = Left + FCompX[To] - 1;  // a pixel apart from the next clause
    if (X1 > X0) C.FillRect(TRect{X0, Y, X1, Y + Thickness});
    From = To;
  }
}
