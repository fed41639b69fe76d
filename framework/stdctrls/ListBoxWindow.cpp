// The list box's window procedure: the list itself, as the window's default
// procedure. It paints the rows (owner-drawn ones through CN_DRAWITEM),
// scrolls, follows the mouse and the keys, and tells the parent.

#include <algorithm>

#include "framework/graphics/CanvasBinding.h"
#include "framework/stdctrls/ListBox.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/Primitives.h"
#include "platform/text/Cp932.h"
#include "platform/window/PaintDC.h"

namespace {

// Rows scrolled per wheel notch, as the Windows default.
constexpr int kWheelRows = 3;

}  // namespace

LRESULT TCustomListBox::ListWndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_NCCREATE:
      if (const auto* Create = reinterpret_cast<const CREATESTRUCT*>(LParam))
        FListStyle = Create->style;
      break;
    case WM_PAINT: {
      TPaintDC DC(Window);
      PaintRows(DC);
      return 0;
    }
    case WM_WINDOWPOSCHANGING:
      if (auto* Pos = reinterpret_cast<WINDOWPOS*>(LParam); Pos && !(Pos->flags & SWP_NOSIZE))
        FitIntegralHeight(Pos->cy);
      break;
    case WM_SIZE:
      if (FListReady) {
        if (FTopIndex > MaxTopIndex()) DoSetTopIndex(MaxTopIndex());
        UpdateScrollBars();
      }
      break;
    case WM_SETFOCUS:
      ListFocus(true);
      return 0;
    case WM_KILLFOCUS:
      ListFocus(false);
      return 0;
    case WM_ENABLE:
      InvalidateList();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
      ListKeyDown(WORD(WParam));
      return 0;
    case WM_CHAR:
      ListChar(static_cast<unsigned char>(WParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ListMouseDown(PointFromLParam(LParam), Msg == WM_LBUTTONDBLCLK);
      return 0;
    case WM_MOUSEMOVE:
      ListMouseMove(PointFromLParam(LParam));
      return 0;
    case WM_LBUTTONUP:
      ListMouseUp();
      return 0;
    case WM_CAPTURECHANGED:
      // The press ends without a release here (another window took the
      // mouse): nothing more is selected or told.
      if (reinterpret_cast<HWND>(LParam) != Window) FTracking = false;
      return 0;
    case WM_MOUSEWHEEL:
      ListWheel(GET_WHEEL_DELTA_WPARAM(WParam));
      return 0;
    case WM_VSCROLL:
      ListVScroll(LOWORD(WParam));
      return 0;
    case WM_HSCROLL:
      ListHScroll(LOWORD(WParam));
      return 0;
    default:
      break;
  }
  return DefWindowProc(Window, Msg, WParam, LParam);
}

// Cuts a window height so that the client area holds whole rows, unless
// the list shows the space under its last row or has rows of their own
// heights.
void TCustomListBox::FitIntegralHeight(int& WindowHeight) const {
  if (FListStyle & (LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWVARIABLE)) return;
  TRect Window, Client;
  if (!GetWindowRect(WindowHandle(), Window) || !GetClientRect(WindowHandle(), Client)) return;
  const int Frame = Window.Height() - Client.Height();
  const int Row = FixedRowHeight();
  const int ClientHeight = WindowHeight - Frame;
  if (Row > 0 && ClientHeight > Row) WindowHeight -= ClientHeight % Row;
}

// ---- painting ---------------------------------------------------------------------

void TCustomListBox::PaintWindow(HDC DC) { PaintRows(DC); }

void TCustomListBox::PaintRows(HDC DC) {
  if (!DC) return;
  const DWORD Style = ListStyle();
  const bool OwnerDraw = (Style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
  const int Height = ListClientHeight();
  const int N = Count();
  const HWND Window = WindowHandle();
  const UINT Id = UINT(GetWindowLong(Window, GWL_ID));
  const bool Disabled = Window && !IsWindowEnabled(Window);
  int Bottom = 0;
  auto DrawRow = [&](int Index, const TRect& Rect, UINT State) {
    TDCStateSaver Saver(*DC);
    if (!OwnerDraw) {
      DrawStandardRow(DC, Index, Rect, State);
      return;
    }
    DRAWITEMSTRUCT Draw;
    Draw.CtlType = ODT_LISTBOX;
    Draw.CtlID = Id;
    Draw.itemID = UINT(Index);
    Draw.itemAction = ODA_DRAWENTIRE;
    Draw.itemState = State;
    Draw.hwndItem = Window;
    Draw.hDC = DC;
    Draw.rcItem = Rect;
    Draw.itemData = Index >= 0 ? std::uintptr_t(FRows[std::size_t(Index)].Data) : 0;
    Perform(CN_DRAWITEM, Id, reinterpret_cast<LPARAM>(&Draw));
  };
  if (N == 0) {
    // An empty list still shows where the focus is.
    if (FListFocused) DrawRow(-1, ItemRect(0), ODS_FOCUS);
  } else {
    const TRect First = ItemRect(FTopIndex);
    Bottom = First.Top;
    for (int I = FTopIndex; I < N && Bottom < Height; ++I) {
      const TRect R{First.Left, Bottom, First.Right, Bottom + RowHeight(I)};
      UINT State = 0;
      if (I == FItemIndex) State |= ODS_SELECTED;
      if (FListFocused && I == FCaretIndex) State |= ODS_FOCUS;
      if (Disabled) State |= ODS_DISABLED;
      DrawRow(I, R, State);
      Bottom = R.Bottom;
    }
  }
  // Plain lists fill what no row covers; owner-drawn ones leave it to the
  // background (or to their owner).
  if (!OwnerDraw && Bottom < Height)
    FillRect(*DC, TRect{0, Bottom, ListClientWidth(), Height}, SolidBrush(Color()));
}

void TCustomListBox::DrawStandardRow(HDC DC, int Index, const TRect& Rect, UINT State) {
  TCanvasBinding Bound(*FCanvas, DC);
  PrepareCanvas(Index >= 0 && (State & ODS_SELECTED));
  if (State & ODS_DISABLED) FCanvas->Font()->SetColor(clGrayText);
  FCanvas->FillRect(Rect);
  if (Index >= 0) FCanvas->TextOut(Rect.Left + 2, Rect.Top, FRows[std::size_t(Index)].Text);
  if (State & ODS_FOCUS) ::DrawFocusRect(*DC, Rect);
}

// ---- selection and notifications ----------------------------------------------------

void TCustomListBox::Select(int Index) {
  if (Index < 0 || Index >= Count()) return;
  SetItemIndex(Index);
}

void TCustomListBox::Notify(WORD Code) {
  if (!(ListStyle() & LBS_NOTIFY)) return;
  const HWND Window = WindowHandle();
  if (!Window) return;
  const UINT Id = UINT(GetWindowLong(Window, GWL_ID));
  const WPARAM WParam = MAKEWPARAM(int(Id), Code);
  if (const HWND Parent = GetParent(Window))
    SendMessage(Parent, WM_COMMAND, WParam, reinterpret_cast<LPARAM>(Window));
  // The parent may have destroyed the list meanwhile.
  if (IsWindow(Window) && FindControl(Window) == this)
    Perform(CN_COMMAND, WParam, reinterpret_cast<LPARAM>(Window));
}

void TCustomListBox::ListFocus(bool Focused) {
  if (FListFocused == Focused) return;
  FListFocused = Focused;
  InvalidateRow(FCaretIndex);
  if (!Focused) FTracking = false;
}

// ---- keys --------------------------------------------------------------------------

void TCustomListBox::ListKeyDown(WORD Key) {
  const int N = Count();
  if (N == 0) return;
  const int Current = FItemIndex >= 0 ? FItemIndex : std::min(FCaretIndex, N - 1);
  const bool InView = Current >= FTopIndex && Current <= LastFullyVisible(FTopIndex);
  int Next;
  switch (Key) {
    case VK_UP:
    case VK_LEFT:
      Next = FItemIndex < 0 ? Current : std::max(0, Current - 1);
      break;
    case VK_DOWN:
    case VK_RIGHT:
      Next = FItemIndex < 0 ? Current : std::min(N - 1, Current + 1);
      break;
    case VK_HOME:
      Next = 0;
      break;
    case VK_END:
      Next = N - 1;
      break;
    case VK_NEXT: {
      // To the bottom of the page; from there, a page further.
      const int Last = LastFullyVisible(FTopIndex);
      if (InView && Current != Last) {
        Next = Last;
      } else {
        DoSetTopIndex(Current);
        Next = LastFullyVisible(FTopIndex);
        if (Next <= Current) Next = std::min(N - 1, Current + 1);
      }
      break;
    }
    case VK_PRIOR: {
      // To the top of the page; from there, a page further up.
      if (InView && Current != FTopIndex) {
        Next = FTopIndex;
      } else {
        Next = TopForBottom(Current);
        if (Next >= Current) Next = std::max(0, Current - 1);
      }
      break;
    }
    default:
      return;
  }
  const int Before = FItemIndex;
  Select(Next);
  if (FItemIndex != Before) Notify(LBN_SELCHANGE);
}

// Typing a character selects the next row whose text starts with it
// (ignoring the case of letters), going round from the selection, so that
// typing the same letter again steps through the rows it starts.
void TCustomListBox::ListChar(unsigned char Byte) {
  std::string Typed;
  if (FLeadByte) {
    Typed = {char(FLeadByte), char(Byte)};
    FLeadByte = 0;
  } else if (cp932::IsLeadByte(Byte)) {
    FLeadByte = Byte;  // the trail byte comes with the next message
    return;
  } else {
    if (Byte < 0x20) return;
    Typed = std::string(1, char(Byte));
  }
  const int N = Count();
  for (int Step = 1; Step <= N; ++Step) {
    const int I = ((FItemIndex < 0 ? -1 : FItemIndex) + Step + N) % N;
    if (!cp932::AnsiStartsText(Typed, FRows[std::size_t(I)].Text)) continue;
    const int Before = FItemIndex;
    Select(I);
    if (FItemIndex != Before) Notify(LBN_SELCHANGE);
    return;
  }
}

// ---- mouse -----------------------------------------------------------------------------

void TCustomListBox::ListMouseDown(const TPoint& P, bool Double) {
  const HWND Window = WindowHandle();
  if (!Window) return;
  // A press gives the list the focus, unless the list already draws itself
  // focused: a list told WM_SETFOCUS on its own (a drop-down list showing
  // its selection while the keyboard stays with its owner) leaves the
  // focus where it is.
  if (!FListFocused && IsWindowEnabled(Window)) ::SetFocus(Window);
  if (!IsWindow(Window) || FindControl(Window) != this) return;
  FTracking = true;
  SetCapture(Window);
  const int Index = ItemAtPos(P, true);
  Select(Index);
  if (Double && Index >= 0) Notify(LBN_DBLCLK);
}

void TCustomListBox::ListMouseMove(const TPoint& P) {
  const HWND Window = WindowHandle();
  if (!FTracking || GetCapture() != Window || Count() == 0) return;
  const int Height = ListClientHeight();
  int Index;
  if (P.Y < 0)
    // Above the list: one row further up per move.
    Index = std::max(0, FTopIndex - 1);
  else if (P.Y >= Height)
    Index = std::min(Count() - 1, LastFullyVisible(FTopIndex) + 1);
  else
    Index = ItemAtPos(TPoint{std::clamp(P.X, 0, std::max(0, ListClientWidth() - 1)), P.Y}, true);
  Select(Index);
}

void TCustomListBox::ListMouseUp() {
  if (!FTracking) return;
  FTracking = false;
  const HWND Window = WindowHandle();
  if (GetCapture() == Window) ReleaseCapture();
  if (Count() > 0) Notify(LBN_SELCHANGE);
}

void TCustomListBox::ListWheel(int Delta) {
  FWheelRest += Delta;
  const int Notches = FWheelRest / WHEEL_DELTA;
  FWheelRest -= Notches * WHEEL_DELTA;
  if (Notches) DoSetTopIndex(FTopIndex - Notches * kWheelRows);
}

// ---- scroll bars ---------------------------------------------------------------------------

void TCustomListBox::ListVScroll(UINT Code) {
  switch (Code) {
    case SB_LINEUP:
      DoSetTopIndex(FTopIndex - 1);
      break;
    case SB_LINEDOWN:
      DoSetTopIndex(FTopIndex + 1);
      break;
    case SB_PAGEUP:
      // The row above the page becomes its last row.
      if (FTopIndex > 0) DoSetTopIndex(TopForBottom(FTopIndex - 1));
      break;
    case SB_PAGEDOWN: {
      // The row below the page becomes its first row.
      const int Last = LastFullyVisible(FTopIndex);
      DoSetTopIndex(Last > FTopIndex ? Last + 1 : FTopIndex + 1);
      break;
    }
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO Info;
      Info.fMask = SIF_TRACKPOS;
      if (GetScrollInfo(WindowHandle(), SB_VERT, Info)) DoSetTopIndex(Info.nTrackPos);
      break;
    }
    case SB_TOP:
      DoSetTopIndex(0);
      break;
    case SB_BOTTOM:
      DoSetTopIndex(MaxTopIndex());
      break;
    default:
      break;
  }
}

void TCustomListBox::ListHScroll(UINT Code) {
  // A line is about a character: half the font's height.
  const int Line = std::max(1, FontHeight() / 2);
  const int Page = std::max(1, ListClientWidth());
  switch (Code) {
    case SB_LINELEFT:
      ScrollHorz(FHorzPos - Line);
      break;
    case SB_LINERIGHT:
      ScrollHorz(FHorzPos + Line);
      break;
    case SB_PAGELEFT:
      ScrollHorz(FHorzPos - Page);
      break;
    case SB_PAGERIGHT:
      ScrollHorz(FHorzPos + Page);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO Info;
      Info.fMask = SIF_TRACKPOS;
      if (GetScrollInfo(WindowHandle(), SB_HORZ, Info)) ScrollHorz(Info.nTrackPos);
      break;
    }
    case SB_LEFT:
      ScrollHorz(0);
      break;
    case SB_RIGHT:
      ScrollHorz(FScrollWidth);
      break;
    default:
      break;
  }
}
