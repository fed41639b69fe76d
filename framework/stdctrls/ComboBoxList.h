#pragma once
// The drop-down list of TCustomComboBox: the framework's list box
// (TCustomListBox) shown on the desktop, so rows, scrolling, the wheel and
// the scroll bar are the list box's own. What makes it a drop-down is only
// what this class adds:
//
// - a pop-up window with a one-pixel frame, owned by the box's top-level
//   window, topmost and never activated, so the keys stay in the box's field;
// - rows of the box's ItemHeight in the box's font and colour, the text two
//   pixels in and centred in its row;
// - the row under the pointer is highlighted (the list's selection) without
//   a press, and the release over a row chooses it;
// - a press outside the list and the box closes the list and goes on to
//   where it was aimed.
//
// The window is made when the list first opens and kept hidden between
// openings, so a click that chooses a row never destroys the window whose
// procedure is running; it goes with the box's window.

#include "framework/forms/OutsidePress.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/ListBox.h"

class TComboListBox : public TCustomListBox {
public:
  explicit TComboListBox(TCustomComboBox& Box);
  ~TComboListBox() override;

  // Shows the list under (or above) the box with Highlight as the current
  // row, scrolled so that it shows.
  void Show(int Highlight);
  void Hide();
  // Hides the list and destroys its window (the box's window goes).
  void Destroy();
  bool Shown() const { return FShown; }

  // Scrolls by a wheel turn the box's field received.
  void Wheel(int Delta);
  // The box's items, font, colour or row height changed while the list
  // shows: new rows and size, the highlight and the top row kept where they
  // still exist.
  void ItemsChanged();

  void Dispatch(TMessage& Message) override;

protected:
  // A frame, no client edge; a pop-up window owned by the box's top-level
  // window, topmost, a tool window that is never activated.
  void CreateParams(TCreateParams& Params) override;
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;

private:
  // Takes the box's rows, row height, font and colour.
  void CopyFromBox();
  // Under the box, or above it when the screen ends first.
  void Place();
  int VisibleRows() const;
  bool Inside(HWND Window) const;

  TCustomComboBox& FBox;
  TOutsidePress FOutside;
  bool FShown = false;
};
