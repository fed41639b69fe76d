#include "framework/stdctrls/ComboBoxList.h"

#include <algorithm>

#include "platform/gdi/SysColors.h"

TComboListBox::TComboListBox(TCustomComboBox& Box)
    : TCustomListBox(nullptr),
      FBox(Box),
      FOutside([this](HWND Window, const TPoint&) { return Inside(Window); },
               // A press elsewhere closes the list; the press itself goes on
               // to where it was aimed. Presses on the box are the box's own.
               [this] { FBox.CloseList(false, true); }, pmLetThrough) {
  // Shown and hidden by the box, never through the control's visibility.
  SetVisible(false);
  SetTabStop(false);
  SetBorderStyle(bsNone);
  SetStyle(lbOwnerDrawFixed);
}

TComboListBox::~TComboListBox() { FOutside.Remove(); }

void TComboListBox::CreateParams(TCreateParams& Params) {
  TCustomListBox::CreateParams(Params);
  Params.Style = (Params.Style & ~(WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS)) | WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  Params.WndParent = GetAncestor(FBox.Handle(), GA_ROOT);
}

bool TComboListBox::Inside(HWND Window) const {
  return Window && (Window == WindowHandle() || Window == FBox.WindowHandle());
}

int TComboListBox::VisibleRows() const {
  // An empty list still shows one empty row, as Windows does.
  return std::max(1, std::min(Count(), std::max(1, FBox.DropDownCount())));
}

void TComboListBox::CopyFromBox() {
  SetItemHeight(std::max(1, FBox.ItemHeight()));
  SetFont(FBox.Font());
  SetColor(FBox.Color());
  Items()->Assign(FBox.Items());
}

void TComboListBox::Place() {
  const int Width = FBox.Width();
  // The rows and the frame, a border line above and below at the window
  // layer's scale.
  const int Height = VisibleRows() * ItemHeight() + 2 * GetScaledSystemMetrics(SM_CYBORDER);
  const TPoint Origin = FBox.ClientToScreen(TPoint{0, 0});
  int Y = Origin.Y + FBox.Height();
  // Above the box when the screen ends below it and there is room above.
  if (Y + Height > GetSystemMetrics(SM_CYSCREEN) && Origin.Y - Height >= 0) Y = Origin.Y - Height;
  const int X = std::max(0, std::min(Origin.X, GetSystemMetrics(SM_CXSCREEN) - Width));
  SetWindowPos(WindowHandle(), HWND_TOPMOST, X, Y, Width, Height, SWP_NOACTIVATE);
}

void TComboListBox::Show(int Highlight) {
  HandleNeeded();
  if (!HandleAllocated()) return;
  CopyFromBox();
  Place();
  SetTopIndex(0);
  SetItemIndex(Highlight);
  ShowWindow(WindowHandle(), SW_SHOWNA);
  FShown = true;
  FOutside.Install();
  UpdateWindow(WindowHandle());
}

void TComboListBox::Hide() {
  FOutside.Remove();
  if (!FShown) return;
  FShown = false;
  if (HandleAllocated()) ShowWindow(WindowHandle(), SW_HIDE);
}

void TComboListBox::Destroy() {
  Hide();
  DestroyHandle();
}

void TComboListBox::ItemsChanged() {
  if (!FShown || !HandleAllocated()) return;
  const int Top = TopIndex();
  const int Highlight = ItemIndex();
  CopyFromBox();
  Place();
  SetItemIndex(Highlight);
  SetTopIndex(Top);
}

void TComboListBox::Wheel(int Delta) {
  if (HandleAllocated())
    CallWindowProc(DefWndProc(), WindowHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, Delta), 0);
}

void TComboListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState) {
  TCanvas& C = *Canvas();
  C.FillRect(Rect);
  if (Index < 0) return;
  C.Brush()->SetStyle(bsClear);
  // Two pixels (at the box's scale) in from the left and centred in the
  // row, however high the box makes its rows.
  const int TextHeight = C.TextHeight("Ag");
  C.TextRect(Rect, Rect.Left + FBox.Scaled(2), Rect.Top + (Rect.Height() - TextHeight) / 2,
             Items()->Get(Index));
}

void TComboListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
      Message.Result = MA_NOACTIVATE;
      return;
    case WM_MOUSEMOVE: {
      // The row under the pointer is highlighted, no button needed.
      const int Row = ItemAtPos(PointFromLParam(Message.LParam), true);
      if (Row >= 0) SetItemIndex(Row);
      Message.Result = 0;
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // Nothing is chosen before the release, and the list takes neither
      // the focus nor the capture.
      Message.Result = 0;
      return;
    case WM_LBUTTONUP: {
      const int Row = ItemAtPos(PointFromLParam(Message.LParam), true);
      Message.Result = 0;
      if (Row >= 0) FBox.ListChose(Row);
      return;
    }
    case WM_DESTROY:
      // Gone with its owner: the box must not think it still shows.
      FOutside.Remove();
      FShown = false;
      break;
    default:
      break;
  }
  TCustomListBox::Dispatch(Message);
}
