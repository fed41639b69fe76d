#pragma once
// The drop-down list window of TCustomComboBox: a pop-up that never takes
// the focus, with a one-pixel frame, rows of the box's items and a vertical
// scroll bar when not every row fits. While it shows, a mouse hook of the
// thread closes it on a press outside it and the box.
//
// The window is made when the list first opens and kept hidden between
// openings, so a click that chooses a row never destroys the window whose
// procedure is running; it goes with the box's window.

#include "framework/ComboBox.h"
#include "framework/Graphics.h"

class TComboListWindow {
public:
  explicit TComboListWindow(TCustomComboBox& Box) : FBox(Box) {}
  ~TComboListWindow() { Destroy(); }
  TComboListWindow(const TComboListWindow&) = delete;
  TComboListWindow& operator=(const TComboListWindow&) = delete;

  // Shows the list under (or above) the box with Highlight as the current
  // row, scrolled so that it shows.
  void Show(int Highlight);
  void Hide();
  void Destroy();
  bool Visible() const { return FVisible; }
  HWND Handle() const { return FWindow; }

  int Highlight() const { return FHighlight; }
  void SetHighlight(int Row);
  int TopRow() const { return FTopRow; }
  // The row at a point of the list's client area; -1 outside the rows.
  int RowAt(const TPoint& Client) const;
  // Scrolls by a wheel turn (WHEEL_DELTA 120 per notch, three rows each).
  void Wheel(int Delta);
  // The items changed while the list shows: new size and rows.
  void ItemsChanged();

private:
  int Count() const;
  int VisibleRows() const;
  void Place();
  void UpdateScrollBar();
  void ScrollTo(int TopRow);
  void MakeVisible(int Row);
  void Paint(HDC DC);
  void Unhook();
  LRESULT WindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
  LRESULT MouseHook(int Code, WPARAM WParam, LPARAM LParam);

  TCustomComboBox& FBox;
  HWND FWindow = nullptr;
  HHOOK FHook = nullptr;
  bool FVisible = false;
  int FHighlight = -1;
  int FTopRow = 0;
  int FWheelRest = 0;  // wheel turns that did not make a whole step yet
};
