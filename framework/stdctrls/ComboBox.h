#pragma once
// TCustomComboBox and TComboBox: the editable drop-down combo box (a
// one-line edit field with a drop button and a drop-down list of items).
//
// The face is the classic unthemed one: a sunken 3D edge, the edit field
// inside it and the scroll-down frame control at the right, drawn pushed
// while the left button holds it. The edit field is a child TEdit without a
// border; the combo's Text is always the field's text.
//
// The list drops down below the box (above it when the screen ends first),
// as wide as the box, with DropDownCount rows of ItemHeight pixels visible,
// a one-pixel frame and a vertical scroll bar when there are more items. It
// never takes the focus: the keys stay in the edit field.
//
// - Opening: a press on the drop button, Alt+Down, Alt+Up or F4 (the last
//   three also close it). OnDropDown fires before the list shows, so a
//   handler may still fill Items.
// - In the list the row under the pointer is highlighted; a click chooses it.
//   Pressing on the button and releasing over a row chooses that row too.
// - Up and Down (open or closed) step through the items: the text and
//   ItemIndex follow and OnChange and OnSelect fire. Enter closes the list
//   keeping the choice; Escape closes it and brings back the text and
//   ItemIndex it had when it opened.
// - A press anywhere outside the list and the box, or the focus leaving the
//   box, closes the list keeping the choice. OnCloseUp fires once it is gone.
//
// Type-ahead: a character typed into the field first goes to the key hooks
// (KeyPress and OnKeyPress, the owner's handler); when they leave it alone,
// ComboTypeAhead below decides whether it completes the text from the list.
//
// ItemIndex and Text agree: setting ItemIndex sets the text to that item (-1
// empties it); a text set by the program or typed by the user keeps
// ItemIndex while the item still equals it, and otherwise makes ItemIndex the
// first item equal to it ignoring case (FindExact), or -1.
//
// The box's window destruction (WM_DESTROY, also when the window is
// re-created) reaches the virtual WMDestroy through Dispatch while Items are
// still intact; derived classes may take a copy there. On the box's own
// deletion its C++ parts below TCustomComboBox are already gone when the
// window goes: only a window destroyed with its parent (the form) or by
// RecreateWnd reaches a derived WMDestroy.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "framework/core/StringList.h"
#include "framework/forms/Controls.h"

class TComboEdit;
class TComboListBox;

// Only the editable drop-down exists; the others are kept for layouts.
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// ---- Type-ahead -------------------------------------------------------------------

// The edit field as the type-ahead sees it: its text and selection (byte
// positions on character starts).
struct TTypeAheadEdit {
  std::string Text;
  int SelStart = 0;
  int SelLength = 0;
};

struct TTypeAheadResult {
  // The key goes no further (the field does not insert it).
  bool Consumed = false;
  // Edit holds a new text or selection to put in the field.
  bool Changed = false;
  TTypeAheadEdit Edit;
  // The item the text was completed from; -1 when none.
  int ItemIndex = -1;
};

// What a typed character does to the field before the field sees it:
//
// - Escape and Tab are left alone; so are other control characters, which
//   no item text should be completed with.
// - Backspace deletes the selection, or else the character before the caret
//   (both bytes of a double-byte character), and is consumed.
// - Any other character (Char: one byte, or both bytes of a double-byte
//   character) makes the candidate: the text before the selection followed
//   by the character when something is selected, else the whole text
//   followed by it. The first item that begins with the candidate ignoring
//   case becomes the current item, the text becomes the candidate followed
//   by the rest of that item, the rest is selected, and the key is consumed.
//   Without such an item the key passes on unchanged. A completion longer
//   than MaxLength (when not 0) is not made: the field's own limit applies.
TTypeAheadResult ComboTypeAhead(const TStrings& Items, const TTypeAheadEdit& Edit,
                                std::string_view Char, int MaxLength = 0);

// ---- The combo box ----------------------------------------------------------------

class TCustomComboBox : public TCustomControl {
public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  // ---- items
  TStrings* Items() const { return FItems.get(); }
  // Copies Value's strings and objects.
  void SetItems(const TStrings* Value);
  // The current item; -1 for none. Setting it sets the text (empties it for
  // -1); values out of range are taken as -1.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  // The first item equal to Value ignoring case, or -1.
  int FindExact(const std::string& Value) const;
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value) { FStyle = Value; }

  // ---- the edit field
  int MaxLength() const;
  void SetMaxLength(int Value);
  int SelStart() const;
  void SetSelStart(int Value);
  int SelLength() const;
  void SetSelLength(int Value);
  std::string SelText() const;
  void SelectAll();
  // The child edit field (for tests and derived classes).
  TWinControl* EditControl() const;

  // ---- the list
  // Rows visible at once (default 8).
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value);
  // Height of a row in pixels (default 16).
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  bool DroppedDown() const;
  void SetDroppedDown(bool Value);
  // The list window while it exists (for tests), else null.
  HWND ListHandle() const;
  // The row highlighted in the open list; -1 for none.
  int ListHighlight() const;
  // The drop button's rectangle in client coordinates.
  TRect ButtonRect() const;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Dispatch(TMessage& Message) override;
  // Besides bounds and font: the rows' height; the drop button follows.
  void ChangeScale(const TScale& Scale) override;

  // Align, Color, Ctl3D, DragCursor, DragMode, DropDownCount, Enabled, Font,
  // ImeMode, ImeName, ItemHeight, Items, MaxLength, ParentColor,
  // ParentCtl3D, ParentFont, ParentShowHint, PopupMenu, ShowHint, Sorted,
  // Style, TabOrder, TabStop, Text, Visible and the events.
  static const TPropList& PublishedProperties();

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

protected:
  // Hooks; the defaults fire the events.
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();
  // The native window is being destroyed (also on re-creation); Items are
  // intact. Closes the list, then passes the message on.
  virtual void WMDestroy(TMessage& Message);

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // The box's own key handling (list keys) after KeyDown's hooks.
  bool ComboKeyDown(WORD& Key, TShiftState Shift);

private:
  friend class TComboEdit;
  friend class TComboListBox;

  // From the edit field.
  void EditKeyDown(WORD& Key, TShiftState Shift);
  void EditKeyPress(char& Key, TComboEdit& Edit);
  void EditKeyUp(WORD& Key, TShiftState Shift);
  void EditChanged();
  void EditEnter();
  void EditExit();
  // From the list.
  void ListChose(int Row);

  void OpenList();
  // Hides the list; Restore brings back what was there when it opened.
  void CloseList(bool Restore, bool Notify);
  // Makes Index the current item with its text, as the user chose it.
  void ChooseItem(int Index);
  void StepItem(int Delta);
  // Puts Value into the edit field without announcing a user change.
  void PushText(const std::string& Value);
  // Makes ItemIndex agree with the text after it changed.
  void SyncIndexToText();
  void ItemsChanged(TObject* Sender);
  void LayoutEdit();
  void SetButtonDown(bool Value);
  void WMSetText(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void CMEnter(TMessage& Message);
  void CMExit(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);

  std::unique_ptr<TStringList> FItems;
  TComboEdit* FEdit = nullptr;  // owned as a component
  std::unique_ptr<TComboListBox> FList;
  int FItemIndex = -1;
  int FDropDownCount = 8;
  int FItemHeight = 16;
  bool FSorted = false;
  TComboBoxStyle FStyle = csDropDown;
  bool FButtonDown = false;   // the left button pressed the drop button
  bool FTrackList = false;    // that press opened the list: a release over it chooses
  bool FPushingText = false;  // the box itself puts text into the field
  bool FEntered = false;      // the focus is in the box (OnEnter fired)
  // What the list opened on, for Escape.
  std::string FSavedText;
  int FSavedIndex = -1;
};

class TComboBox : public TCustomComboBox {
public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};
