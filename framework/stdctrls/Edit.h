#pragma once
// TCustomEdit and TEdit: the single-line text field.
//
// The text is code page 932, held as the control's Text; every position
// (SelStart, SelLength, MaxLength, the caret) is a byte offset that always
// lies on a character start: the caret, the selection, deletion and the
// length limit never split a double-byte character.
//
// Input follows the Win32 edit. Keys that move or delete (arrows, Home, End,
// Delete, Insert with Shift or Ctrl) act on WM_KEYDOWN; characters, Backspace
// and the Ctrl+A/C/V/X shortcuts act on WM_CHAR. Both act only when the key
// hooks (KeyDown, KeyPress and their events) leave the key alone: a hook
// that sets the key to 0 consumes it. Japanese text arrives as two WM_CHAR
// messages, lead byte first; the edit joins them before inserting, and
// refuses with a beep a character that code page 932 cannot hold.
//
// Every selection made by mouse or keys is offered as the PRIMARY selection
// (select to copy, middle click to paste, as X11 users expect); cut, copy and
// paste use the CLIPBOARD selection. A pasted text ends at its first line
// break, as in a single-line Win32 edit.
//
// The caret is the window system's (it blinks every GetCaretBlinkTime() ms
// and tells the input method where to compose); the edit makes it when it
// gets the focus and destroys it when it loses the focus. When the caret
// would leave the visible part of a long text, the text scrolls.
//
// OnChange (through the Change hook) fires once for every change of the
// text, typed, deleted, pasted or set, and never when the text is set to
// what it already holds.
//
// The redraw switch WM_SETREDRAW (WParam 0 = off) stops all painting while
// off; switching it on repaints the whole control.
//
// Japanese input: while an input method composes on the spot, the edit
// draws the composition at the caret in its own font, over the selection
// (which it will replace), with a thin underline under text still being
// typed or already converted and a thick one under the clause being
// converted; each clause's underline stops a pixel short of the next. The
// composition scrolls the text like typed text and the caret stands at the
// input method's cursor in it, but it is not part of Text and OnChange does
// not fire until the input method commits it (as WM_CHAR). Losing the focus
// drops it; a press in the edit commits it first.

#include <string>
#include <vector>

#include "framework/forms/Controls.h"
#include "framework/forms/Forms.h"

// A control's border: bsNone or bsSingle of the form border styles (a
// control treats every other style as bsSingle).
using TBorderStyle = TFormBorderStyle;

class TCustomEdit : public TCustomControl {
public:
  explicit TCustomEdit(TComponent* AOwner);
  ~TCustomEdit() override;

  // ---- properties. Setters compare first and repaint only on a change.
  // Selects the whole text when the focus arrives by keyboard (default on).
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  // bsSingle (default) draws the sunken 3D edge (a flat line without
  // Ctl3D); changing it re-creates the window.
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  // Maximum length of typed or pasted text in bytes; 0 = unlimited. Text
  // set by the program is not cut.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  // Refuses typing, deleting, cutting and pasting; selecting and copying
  // still work.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // The selection is shown only while the edit has the focus (default on).
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  // Set by every change the user makes; cleared when the program sets the
  // text.
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  // ---- selection. Positions are snapped down to a character start and
  // clamped to the text.
  // The start of the selection (the caret when nothing is selected).
  int SelStart() const;
  // Puts the caret at Value with nothing selected.
  void SetSelStart(int Value);
  int SelLength() const;
  // Selects Value bytes from SelStart on; the caret goes to the end.
  void SetSelLength(int Value);
  std::string SelText() const;
  // Replaces the selection with Value as a paste would (ReadOnly and
  // MaxLength do not apply: the program asks for it), fires OnChange when
  // the text changed and leaves the caret after the inserted text.
  void SetSelText(const std::string& Value);
  // Selects from Anchor to CaretAt (either order; the caret goes to CaretAt),
  // as EM_SETSEL does.
  void SetSel(int Anchor, int CaretAt);
  // Where the caret is: the moving end of the selection.
  int CaretPos() const { return FCaret; }
  // The fixed end of the selection.
  int SelAnchor() const { return FAnchor; }
  void SelectAll();
  // Deletes the selected text (nothing when ReadOnly).
  void ClearSelection();
  // Empties the text (program action: works when ReadOnly, fires OnChange).
  void Clear();
  // One level of undo, as in a Win32 edit: the last change the user made
  // (characters typed in a row count as one); undoing again redoes it.
  // Setting the text from the program forgets it.
  bool CanUndo() const { return FCanUndo; }
  void Undo();
  void ClearUndo();
  void CutToClipboard();
  void CopyToClipboard();
  void PasteFromClipboard();

  // ---- geometry (client coordinates)
  // The character start nearest X in the text as now scrolled.
  int CharFromX(int X) const;
  // The X of a position's left edge as now scrolled.
  int XFromChar(int Pos) const;
  // How far the text is scrolled to the left, in pixels.
  int ScrollOffset() const { return FScrollX; }

  // False between a WM_SETREDRAW off and the matching on.
  bool Redrawing() const { return FRedraw; }

  // Nothing is queued while the redraw switch is off.
  void Invalidate() override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  TNotifyEvent OnChange;

protected:
  // Fires OnChange; called after every change of the text.
  virtual void Change();
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Paint() override;

  // Editing that the key handling performs when the hooks let a key pass:
  // a key-down (arrows, Home, End, Delete, Insert) or a character byte.
  // Derived classes may call them to act as if the key was typed.
  void EditKeyDown(WORD Key, TShiftState Shift);
  void EditChar(unsigned char Char);

  // Replaces the selection with Text as typed or pasted: refuses (beep) what
  // code page 932 cannot hold, cuts at MaxLength on a character start (beep
  // when something was cut), and answers whether the text changed. Nothing
  // when ReadOnly.
  bool InsertText(const std::string& Text);

private:
  void WMSetText(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMSetRedraw(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  // The input method's composition (EditComposition.cpp).
  void WMImeStartComposition();
  void WMImeComposition();
  // Stops showing the composition (the input method ended or dropped it).
  void EndCompositionDisplay();
  // Commits the composition in progress (before a press moves the caret).
  void CompleteComposition();
  // The X of a text position from the text's start, as shown: positions
  // after the composition move right by its width, those under it stand at
  // its start.
  int ShownX(int Pos) const;
  int ShownCaretX() const;
  // The width of the text as shown, composition included.
  int ShownWidth() const;
  void PaintComposition(TCanvas& C, int Top, TColor TextColor);
  // The edit's own handling of mouse input (as the Win32 edit's window
  // procedure does it, before the mouse events fire).
  void ButtonDown(LPARAM Pos, WPARAM Keys, bool Double);
  void PointerMove(LPARAM Pos);
  void ButtonUp();
  void MiddleButtonDown(LPARAM Pos);

  // One line of Value, without control characters and without what code
  // page 932 cannot hold (Refused tells whether something was left out).
  static std::string Filter(const std::string& Value, bool& Refused);
  bool InsertFiltered(const std::string& Value, bool Limit);
  void DeleteRange(int From, int To);
  // Keeps the text and selection before a change for Undo.
  void SaveUndo(bool Typing);
  // Sets the text from an edit: stores it, puts the caret at NewCaret, sets
  // Modified and fires Change when it differs.
  void ReplaceText(const std::string& Value, int NewCaret);
  // Moves the caret (and the anchor unless Extend); an extended selection
  // is offered as PRIMARY.
  void MoveCaret(int Pos, bool Extend);
  void OfferPrimary();
  // Scrolls so that the caret shows; answers whether it scrolled.
  bool ScrollToCaret();
  void MakeCaret();
  void UpdateCaret();
  void Measure() const;
  int LineHeight() const;
  int TextTop() const;
  int TextWidth(int From, int To) const;
  int PrevWordStart(int Pos) const;
  int NextWordStart(int Pos) const;
  void WordAt(int Pos, int& Start, int& End) const;
  int Snap(int Pos) const;

  bool FAutoSelect = true;
  TBorderStyle FBorderStyle = bsSingle;
  int FMaxLength = 0;
  bool FReadOnly = false;
  bool FHideSelection = true;
  bool FModified = false;
  bool FRedraw = true;
  int FAnchor = 0;  // fixed end of the selection
  int FCaret = 0;   // moving end; where the caret is
  int FScrollX = 0;
  int FLeadByte = -1;        // a lead byte waiting for its trail byte
  bool FSelecting = false;   // the left button is down and drags a selection
  bool FWordSelect = false;  // the drag started with a double click: it selects words
  int FWordStart = 0;        // the word the double click selected
  int FWordEnd = 0;
  bool FMouseFocus = false;  // the focus is arriving by a click: no AutoSelect
  bool FCaretMade = false;
  bool FCaretHidden = false;
  bool FSettingText = false;  // the edit itself sets its text (no caret reset)
  bool FTyping = false;       // the change being made is a typed character
  bool FTypingRun = false;    // the last change was typing, and the caret stayed
  bool FCanUndo = false;
  std::string FUndoText;
  int FUndoAnchor = 0;
  int FUndoCaret = 0;
  // The X of every byte position from the text's start (trail bytes share
  // the next boundary's), and the line height; empty when to be measured.
  mutable std::vector<int> FCharX;
  mutable int FLineHeight = 0;
  // The composition shown at the caret: code page 932 text, one
  // TCompositionAttribute per byte, the input method's cursor in it, and
  // the X of every byte position from its start (measured with FCharX).
  bool FComposing = false;
  std::string FCompText;
  std::vector<BYTE> FCompAttributes;
  int FCompCursor = 0;
  mutable std::vector<int> FCompX;
};

class TEdit : public TCustomEdit {
public:
  explicit TEdit(TComponent* AOwner);

  // AutoSelect, BorderStyle, Color (while not ParentColor), Ctl3D,
  // DragCursor, DragMode, Enabled, Font (while not ParentFont), HideSelection,
  // ImeMode, ImeName, MaxLength, ParentColor, ParentCtl3D, ParentFont,
  // ParentShowHint, PopupMenu, ReadOnly, ShowHint, TabOrder, TabStop, Text,
  // Visible and the change, click, drag, enter/exit, key and mouse events.
  static const TPropList& PublishedProperties();
};
