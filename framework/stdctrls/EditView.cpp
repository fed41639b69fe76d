// How the edit measures and scrolls its text, paints it and shows its
// caret.

#include <algorithm>

#include "framework/graphics/CanvasBinding.h"
#include "framework/stdctrls/Edit.h"
#include "platform/text/Cp932.h"
#include "platform/window/WindowDC.h"

namespace {

// Room between the client edge and the text, left and right; the right one
// keeps the caret visible after the last character.
constexpr int kMargin = 1;

}  // namespace

// ---- measuring ------------------------------------------------------------------------------

void TCustomEdit::Measure() const {
  const std::string T = Text();
  if (FCharX.size() == T.size() + 1 && FLineHeight > 0 &&
      (!FComposing || FCompX.size() == FCompText.size() + 1))
    return;
  FCharX.assign(T.size() + 1, 0);
  FCompX.assign(FCompText.size() + 1, 0);
  FLineHeight = 0;
  // Measured on a screen context: the edit may have no window yet.
  TWindowDC DC(nullptr);
  if (!DC) return;
  {
    TCanvas Canvas;
    TCanvasBinding Bound(Canvas, DC);
    Canvas.SetFont(Font());
    FLineHeight = Canvas.TextHeight("0");
    // The right edge of every byte's character, from the text's start.
    auto MeasureInto = [&Canvas](const std::string& Line, std::vector<int>& Offsets) {
      int X = 0;
      std::size_t Pos = 0;
      while (Pos < Line.size()) {
        const std::size_t Length = cp932::CharLength(Line, Pos);
        X += Canvas.TextWidth(std::string_view(Line).substr(Pos, Length));
        for (std::size_t I = 1; I <= Length; ++I) Offsets[Pos + I] = X;
        Pos += Length;
      }
    };
    MeasureInto(T, FCharX);
    MeasureInto(FCompText, FCompX);
  }
}

int TCustomEdit::LineHeight() const {
  Measure();
  return FLineHeight;
}

int TCustomEdit::TextTop() const { return std::max(0, (ClientHeight() - LineHeight()) / 2); }

int TCustomEdit::TextWidth(int From, int To) const {
  Measure();
  return FCharX[std::size_t(To)] - FCharX[std::size_t(From)];
}

int TCustomEdit::XFromChar(int Pos) const {
  Measure();
  Pos = Snap(Pos);
  return kMargin + ShownX(Pos) - FScrollX;
}

int TCustomEdit::CharFromX(int X) const {
  Measure();
  const std::string T = Text();
  const int Target = X - kMargin + FScrollX;
  std::size_t Pos = 0;
  while (Pos < T.size()) {
    const std::size_t Next = cp932::NextCharPos(T, Pos);
    // Left of the middle of a character: the caret goes before it.
    if (Target < (FCharX[Pos] + FCharX[Next] + 1) / 2) return int(Pos);
    Pos = Next;
  }
  return int(T.size());
}

bool TCustomEdit::ScrollToCaret() {
  if (!HandleAllocated()) return false;
  Measure();
  const int Visible = std::max(1, ClientWidth() - 2 * kMargin);
  const int CaretX = ShownCaretX();
  const int Total = ShownWidth();
  int Scroll = FScrollX;
  // The caret needs one pixel beside its position; the text scrolls just
  // far enough to show it.
  if (CaretX - Scroll > Visible - 1) Scroll = CaretX - (Visible - 1);
  if (CaretX < Scroll) Scroll = CaretX;
  // No empty room on the right while text is hidden on the left.
  if (Total - Scroll < Visible - 1) Scroll = std::max(0, Total - (Visible - 1));
  if (Scroll == FScrollX) return false;
  FScrollX = Scroll;
  Invalidate();
  return true;
}

// ---- painting ------------------------------------------------------------------------------

void TCustomEdit::Invalidate() {
  if (FRedraw) TCustomControl::Invalidate();
}

void TCustomEdit::Paint() {
  TCanvas& C = *Canvas();
  const std::string T = Text();
  Measure();
  const TRect R = ClientRect();
  C.Brush()->SetColor(Color());
  C.Brush()->SetStyle(bsSolid);
  C.FillRect(R);
  C.SetFont(Font());
  const TColor TextColor = Enabled() ? Font()->Color() : clGrayText;
  const int Top = TextTop();
  // A composition covers the selection it will replace.
  const bool ShowSelection = FAnchor != FCaret && (Focused() || !FHideSelection) && !FComposing;
  const int S = ShowSelection ? SelStart() : int(T.size());
  const int E = ShowSelection ? S + SelLength() : int(T.size());
  // Three runs, each with its background cell; glyph advances add up, so
  // the runs meet where one text would have put them.
  const std::string_view View(T);
  auto RunAt = [&](int X, int From, int To, TColor Back, TColor Fore) {
    if (From >= To) return;
    C.Brush()->SetColor(Back);
    C.Font()->SetColor(Fore);
    C.TextOut(X, Top, View.substr(std::size_t(From), std::size_t(To - From)));
  };
  auto Run = [&](int From, int To, TColor Back, TColor Fore) {
    RunAt(XFromChar(From), From, To, Back, Fore);
  };
  if (FComposing) {
    // The text before the composition, the composition, then the rest
    // after it (the selection under it is not shown).
    Run(0, SelStart(), Color(), TextColor);
    PaintComposition(C, Top, TextColor);
    const int After = SelStart() + SelLength();
    RunAt(kMargin + ShownWidth() - (FCharX.back() - FCharX[std::size_t(After)]) - FScrollX, After,
          int(T.size()), Color(), TextColor);
    return;
  }
  Run(0, S, Color(), TextColor);
  Run(S, E, clHighlight, clHighlightText);
  Run(E, int(T.size()), Color(), TextColor);
}

// ---- caret ----------------------------------------------------------------------------------

void TCustomEdit::UpdateCaret() {
  if (!FCaretMade) return;
  SetCaretPos(kMargin + ShownCaretX() - FScrollX, TextTop());
}

void TCustomEdit::MakeCaret() {
  if (!HandleAllocated()) return;
  CreateCaret(WindowHandle(), 1, std::max(1, LineHeight()));
  FCaretMade = true;
  FCaretHidden = true;  // made hidden
  UpdateCaret();
  if (FRedraw) {
    ShowCaret(WindowHandle());
    FCaretHidden = false;
  }
}

void TCustomEdit::WMSetFocus(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  MakeCaret();
  // An input method that draws the composition itself draws it in ours.
  if (HandleAllocated()) ImmSetCompositionFont(WindowHandle(), Font()->LogFont());
  // The focus arriving by keyboard (or from the program) selects all, so
  // typing replaces the text; a click puts the caret where it clicked.
  if (FAutoSelect && !FMouseFocus)
    SelectAll();
  else if (FAnchor != FCaret)
    Invalidate();
}

void TCustomEdit::WMKillFocus(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  // A composition does not follow the focus: it is dropped, as on Windows,
  // also one the input method shows in a window of its own.
  if (HandleAllocated()) ImmNotifyIME(WindowHandle(), CPS_CANCEL);
  EndCompositionDisplay();
  if (FCaretMade) {
    DestroyCaret();
    FCaretMade = false;
    FCaretHidden = false;
  }
  FLeadByte = -1;
  FSelecting = false;
  if (FAnchor != FCaret) Invalidate();
}

void TCustomEdit::WMSetRedraw(TMessage& Message) {
  const bool On = Message.WParam != 0;
  Message.Result = 0;
  if (On == FRedraw) return;
  FRedraw = On;
  if (FCaretMade) {
    if (On && FCaretHidden) {
      UpdateCaret();
      ShowCaret(WindowHandle());
      FCaretHidden = false;
    } else if (!On && !FCaretHidden) {
      HideCaret(WindowHandle());
      FCaretHidden = true;
    }
  }
  if (On) Invalidate();
}

void TCustomEdit::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TCustomEdit::CMFontChanged(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  FCharX.clear();
  FCompX.clear();
  if (FCaretMade) {
    DestroyCaret();
    FCaretMade = false;
    MakeCaret();
    if (HandleAllocated()) ImmSetCompositionFont(WindowHandle(), Font()->LogFont());
  }
  ScrollToCaret();
  Invalidate();
}

void TCustomEdit::CMEnabledChanged(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  Invalidate();
}
