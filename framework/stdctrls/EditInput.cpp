// The edit's keyboard and mouse handling. Like the window procedure of a
// Win32 edit, it runs where the framework hands on what the hooks and events
// did not consume: DefaultHandler.

#include <algorithm>

#include "framework/stdctrls/Edit.h"
#include "platform/shell/Beep.h"
#include "platform/text/Cp932.h"

void TCustomEdit::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN:
      EditKeyDown(WORD(Message.WParam), KeyDataToShiftState(Message.LParam));
      break;
    case WM_CHAR:
      EditChar(static_cast<unsigned char>(Message.WParam));
      break;
    case WM_LBUTTONDOWN:
      ButtonDown(Message.LParam, Message.WParam, false);
      break;
    case WM_LBUTTONDBLCLK:
      ButtonDown(Message.LParam, Message.WParam, true);
      break;
    case WM_MOUSEMOVE:
      PointerMove(Message.LParam);
      break;
    case WM_LBUTTONUP:
      ButtonUp();
      break;
    case WM_MBUTTONDOWN:
      MiddleButtonDown(Message.LParam);
      break;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      if (FSelecting) ButtonUp();
      break;
    case WM_IME_STARTCOMPOSITION:
      WMImeStartComposition();
      break;
    case WM_IME_COMPOSITION:
      WMImeComposition();
      break;
    case WM_IME_ENDCOMPOSITION:
      EndCompositionDisplay();
      break;
    default:
      break;
  }
  TCustomControl::DefaultHandler(Message);
}

// ---- keys ---------------------------------------------------------------------------------

void TCustomEdit::EditKeyDown(WORD Key, TShiftState Shift) {
  const bool Extend = (Shift & ssShift) != 0;
  const bool Ctrl = (Shift & ssCtrl) != 0;
  if (Shift & ssAlt) return;
  const int Length = int(Text().size());
  switch (Key) {
    case VK_LEFT:
    case VK_UP:  // a single line takes Up as Left, as a Win32 edit does
      if (!Extend && !Ctrl && FAnchor != FCaret)
        MoveCaret(SelStart(), false);  // the selection collapses to its start
      else
        MoveCaret(Ctrl ? PrevWordStart(FCaret)
                       : int(FCaret > 0 ? cp932::PrevCharPos(Text(), std::size_t(FCaret)) : 0),
                  Extend);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      if (!Extend && !Ctrl && FAnchor != FCaret)
        MoveCaret(SelStart() + SelLength(), false);
      else
        MoveCaret(
            Ctrl ? NextWordStart(FCaret) : int(cp932::NextCharPos(Text(), std::size_t(FCaret))),
            Extend);
      break;
    case VK_HOME:
      MoveCaret(0, Extend);
      break;
    case VK_END:
      MoveCaret(Length, Extend);
      break;
    case VK_DELETE:
      if (FReadOnly) break;
      if (Extend) {
        CutToClipboard();  // Shift+Delete
      } else if (FAnchor != FCaret) {
        ClearSelection();
      } else if (Ctrl) {
        DeleteRange(FCaret, NextWordStart(FCaret));
      } else if (FCaret < Length) {
        DeleteRange(FCaret, int(cp932::NextCharPos(Text(), std::size_t(FCaret))));
      }
      break;
    case VK_INSERT:
      if (Ctrl && !Extend)
        CopyToClipboard();
      else if (Extend && !Ctrl)
        PasteFromClipboard();
      break;
    default:
      break;
  }
}

void TCustomEdit::EditChar(unsigned char Char) {
  if (FLeadByte >= 0) {
    // The trail byte of a double-byte character typed a moment ago.
    const char Pair[2] = {char(FLeadByte), char(Char)};
    FLeadByte = -1;
    if (FReadOnly) return;
    const std::string Typed(Pair, 2);
    if (!cp932::ToUtf8(Typed)) {
      MessageBeep(MB_OK);
      return;
    }
    FTyping = true;
    InsertText(Typed);
    FTyping = false;
    return;
  }
  switch (Char) {
    case 0x01:  // Ctrl+A
      SelectAll();
      OfferPrimary();
      return;
    case 0x03:  // Ctrl+C
      CopyToClipboard();
      return;
    case 0x16:  // Ctrl+V
      PasteFromClipboard();
      return;
    case 0x18:  // Ctrl+X
      CutToClipboard();
      return;
    case 0x1A:  // Ctrl+Z
      Undo();
      return;
    case 0x08:  // Backspace
      if (FReadOnly) return;
      if (FAnchor != FCaret)
        ClearSelection();
      else if (FCaret > 0)
        DeleteRange(int(cp932::PrevCharPos(Text(), std::size_t(FCaret))), FCaret);
      return;
    case 0x7F:  // Ctrl+Backspace: the word before the caret
      if (FReadOnly) return;
      if (FAnchor != FCaret)
        ClearSelection();
      else
        DeleteRange(PrevWordStart(FCaret), FCaret);
      return;
    default:
      break;
  }
  if (Char < 0x20 || FReadOnly) return;
  if (cp932::IsLeadByte(Char)) {
    FLeadByte = Char;
    return;
  }
  const std::string Typed(1, char(Char));
  if (!cp932::ToUtf8(Typed)) {
    MessageBeep(MB_OK);
    return;
  }
  FTyping = true;
  InsertText(Typed);
  FTyping = false;
}

// ---- mouse --------------------------------------------------------------------------------

void TCustomEdit::ButtonDown(LPARAM Pos, WPARAM Keys, bool Double) {
  // The composition goes in where it is before the caret moves.
  CompleteComposition();
  if (!Focused() && HandleAllocated()) {
    FMouseFocus = true;
    struct TReset {
      bool& Flag;
      ~TReset() { Flag = false; }
    } Reset{FMouseFocus};
    ::SetFocus(WindowHandle());
  }
  const int At = CharFromX(GET_X_LPARAM(Pos));
  FLeadByte = -1;
  FSelecting = true;
  FWordSelect = Double;
  if (Double) {
    WordAt(At, FWordStart, FWordEnd);
    SetSel(FWordStart, FWordEnd);
    OfferPrimary();
    return;
  }
  MoveCaret(At, (Keys & MK_SHIFT) != 0);
}

void TCustomEdit::PointerMove(LPARAM Pos) {
  if (!FSelecting) return;
  const int At = CharFromX(GET_X_LPARAM(Pos));
  if (!FWordSelect) {
    SetSel(FAnchor, At);
    return;
  }
  // After a double click the selection grows by whole words, always
  // keeping the word first selected.
  int Start = 0, End = 0;
  WordAt(At, Start, End);
  if (At < FWordStart)
    SetSel(FWordEnd, Start);
  else
    SetSel(FWordStart, std::max(End, FWordEnd));
}

void TCustomEdit::ButtonUp() {
  if (!FSelecting) return;
  FSelecting = false;
  FWordSelect = false;
  OfferPrimary();
}

void TCustomEdit::MiddleButtonDown(LPARAM Pos) {
  // X11's paste of the PRIMARY selection at the pointer.
  if (FReadOnly) return;
  CompleteComposition();
  const std::string Primary = GetClipboardText(selPrimary);
  if (HandleAllocated() && !Focused()) {
    FMouseFocus = true;
    struct TReset {
      bool& Flag;
      ~TReset() { Flag = false; }
    } Reset{FMouseFocus};
    ::SetFocus(WindowHandle());
  }
  SetSel(CharFromX(GET_X_LPARAM(Pos)), CharFromX(GET_X_LPARAM(Pos)));
  if (!Primary.empty()) InsertText(Primary);
}

// ---- words ------------------------------------------------------------------------------------

namespace {

enum TCharClass { ccSpace, ccWord, ccPunct, ccHalfKana, ccHiragana, ccKatakana, ccKanji, ccWide };

TCharClass ClassAt(const std::string& T, std::size_t Pos) {
  const unsigned char B = static_cast<unsigned char>(T[Pos]);
  if (cp932::CharLength(T, Pos) == 2) {
    const unsigned Code = (unsigned(B) << 8) | static_cast<unsigned char>(T[Pos + 1]);
    if (Code == 0x8140) return ccSpace;                   // ideographic space
    if (Code >= 0x824F && Code <= 0x829A) return ccWord;  // full-width letters, digits
    if (Code >= 0x829F && Code <= 0x82F1) return ccHiragana;
    if ((Code >= 0x8340 && Code <= 0x8396) || Code == 0x815B) return ccKatakana;
    if (Code >= 0x889F) return ccKanji;
    return ccWide;
  }
  if (B == ' ' || B == '\t') return ccSpace;
  if ((B >= '0' && B <= '9') || (B >= 'A' && B <= 'Z') || (B >= 'a' && B <= 'z') || B == '_')
    return ccWord;
  if (B >= 0xA6 && B <= 0xDF) return ccHalfKana;
  return ccPunct;
}

}  // namespace

void TCustomEdit::WordAt(int Pos, int& Start, int& End) const {
  const std::string T = Text();
  Start = End = Pos;
  if (T.empty()) return;
  std::size_t P = std::size_t(Pos);
  // At the end (or before a blank after a word), the word before counts.
  if (P >= T.size() ||
      (P > 0 && ClassAt(T, P) == ccSpace && ClassAt(T, cp932::PrevCharPos(T, P)) != ccSpace))
    P = cp932::PrevCharPos(T, std::min(P, T.size()));
  const TCharClass Class = ClassAt(T, P);
  std::size_t S = P;
  while (S > 0) {
    const std::size_t Prev = cp932::PrevCharPos(T, S);
    if (ClassAt(T, Prev) != Class) break;
    S = Prev;
  }
  std::size_t E = P;
  while (E < T.size() && ClassAt(T, E) == Class) E = cp932::NextCharPos(T, E);
  Start = int(S);
  End = int(E);
}

int TCustomEdit::NextWordStart(int Pos) const {
  const std::string T = Text();
  std::size_t P = std::size_t(Pos);
  if (P >= T.size()) return int(T.size());
  const TCharClass Class = ClassAt(T, P);
  if (Class != ccSpace)
    while (P < T.size() && ClassAt(T, P) == Class) P = cp932::NextCharPos(T, P);
  while (P < T.size() && ClassAt(T, P) == ccSpace) P = cp932::NextCharPos(T, P);
  return int(P);
}

int TCustomEdit::PrevWordStart(int Pos) const {
  const std::string T = Text();
  std::size_t P = std::size_t(Pos);
  while (P > 0 && ClassAt(T, cp932::PrevCharPos(T, P)) == ccSpace) P = cp932::PrevCharPos(T, P);
  if (P == 0) return 0;
  const TCharClass Class = ClassAt(T, cp932::PrevCharPos(T, P));
  while (P > 0 && ClassAt(T, cp932::PrevCharPos(T, P)) == Class) P = cp932::PrevCharPos(T, P);
  return int(P);
}
