#pragma once
// TCustomListBox: a single-selection list of text rows, plain or owner-drawn
// with rows of one height or each of its own, and TListBox, which publishes
// the usual properties for layouts.
//
// The split follows the Windows list box. The window's default procedure
// (DefWndProc, the window class procedure this control installs) is the list
// itself: it keeps the rows, the selection, the caret row, the top row and
// the horizontal offset, paints, scrolls, handles the mouse and the keys, and
// tells the parent window about changes (WM_COMMAND with LBN_SELCHANGE and
// LBN_DBLCLK, only with LBS_NOTIFY). The control around it is the framework
// side: Items, properties, the hooks and events, and the owner-draw dispatch.
// Because the list is the default procedure, a subclass can reach it past the
// framework's handling with CallWindowProc(DefWndProc(), ...), and the
// framework's handlers (MouseDown, KeyDown and the rest) run around it as
// they do for any window.
//
// Owner-drawn rows: the list asks the control to draw each row with
// CN_DRAWITEM (a DRAWITEMSTRUCT) and, for LBS_OWNERDRAWVARIABLE, to measure
// each row once, when it is added, with CN_MEASUREITEM. Rows added while the
// control has no window are measured when the window is made. The dispatch
// binds Canvas to the paint context, gives it the control's Font and a solid
// brush of its Color, and for a selected row the brush colour clHighlight
// and the font colour clHighlightText; it calls DrawItem; afterwards, when
// the row has the focus state, it inverts a focus rectangle on the row.
//
// The list behaves as the styles of its window say, so a subclass changes it
// by adding or removing WS_VSCROLL, WS_HSCROLL, LBS_NOTIFY,
// LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE, LBS_NOINTEGRALHEIGHT or
// LBS_DISABLENOSCROLL in CreateParams.
//
// Scrolling is by whole rows: TopIndex is the first row shown. The vertical
// scroll bar ranges over the rows, its page being the rows that fit whole
// at the end of the list: scrolled furthest, the last row shows whole with
// as many rows above it as fit whole (or is the top row when it is taller
// than the client area). The horizontal bar scrolls by pixels over
// ScrollWidth when the window has WS_HSCROLL.
//
// Keys: Up, Down, Page Up, Page Down, Home and End move the selection (the
// list scrolls to keep it in view), each change notified to the parent.
// With no row selected, Up and Down select the caret row (the row last
// selected, or the first). Page Down selects the last row fully shown; if it
// already was selected, the list first scrolls so that it becomes the top
// row. Page Up selects the top row; if it already was selected, the row
// that starts the page ending with it. KeyDown runs first and can consume
// any of them (Key = 0). Typing a character selects the next row that starts
// with it.
//
// Mouse: a left press selects the row under the pointer and takes the
// capture, and the focus unless the list already draws itself focused (a
// list told WM_SETFOCUS through its default procedure alone leaves the
// keyboard focus where it is); moving with the button down selects the row
// under the pointer (above or below the client area, one row further per
// move); the release gives the capture back and, as on Windows, notifies
// LBN_SELCHANGE after every press on a list with rows. A double click on a
// row notifies LBN_DBLCLK. The wheel scrolls three rows a notch.
//
// The list hands each notification to the control itself as CN_COMMAND
// after sending it to the parent window: LBN_SELCHANGE fires OnClick,
// LBN_DBLCLK OnDblClick (so a parent must not reflect the list's WM_COMMAND
// back to it). Setting ItemIndex in code fires neither and notifies
// nothing.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/StringList.h"
#include "framework/forms/Controls.h"
#include "framework/forms/Forms.h"

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

// The owner-draw state of a row: the ODS_ flags of the window system.
enum TOwnerDrawStateFlag : unsigned {
  odSelected = ODS_SELECTED,
  odGrayed = ODS_GRAYED,
  odDisabled = ODS_DISABLED,
  odChecked = ODS_CHECKED,
  odFocused = ODS_FOCUS,
  odDefault = ODS_DEFAULT,
  odHotLight = ODS_HOTLIGHT,
  odInactive = ODS_INACTIVE,
  odNoAccel = ODS_NOACCEL,
  odNoFocusRect = ODS_NOFOCUSRECT,
  odComboBoxEdit = ODS_COMBOBOXEDIT,
};
using TOwnerDrawState = unsigned;

// A control's border: bsNone or bsSingle (the sunken client edge).
using TBorderStyle = TFormBorderStyle;

// The list box's own owner-draw events (named apart from the events of
// controls that draw their items in other ways).
using TListDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, const TRect& Rect, TOwnerDrawState State)>;
using TListMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

class TCustomListBox : public TWinControl {
public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  // The rows' texts, each with a data word in its object slot. Changes go
  // straight to the list (measured, repainted, selection kept on its row).
  // Items()->BeginUpdate() .. EndUpdate() holds the repaint until the end.
  TStrings* Items() const;
  // Copies the texts and data words of Value.
  void SetItems(const TStrings* Value);
  int Count() const;
  // Removes every row; nothing is selected and the top row is 0.
  void Clear();

  // The selected row, -1 for none. Setting a row outside 0..Count-1 clears
  // the selection; setting a row scrolls it into view.
  int ItemIndex() const;
  void SetItemIndex(int Value);
  // The first row shown.
  int TopIndex() const;
  void SetTopIndex(int Value);

  // The row under a point of the client area: -1 outside the client area or
  // when no row is there; with Existing false a point under the last row
  // answers Count().
  int ItemAtPos(const TPoint& Pos, bool Existing) const;
  // A row's rectangle in client coordinates (rows above the top row lie
  // above the client area); Count() answers the last row's rectangle moved
  // down by its height, any other index outside the rows an empty rectangle.
  TRect ItemRect(int Index) const;
  // The height a row was measured (or is given) with.
  int RowHeight(int Index) const;

  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  // The height of every row for lbOwnerDrawFixed, and the height a variable
  // row starts with before MeasureItem. lbStandard rows take the font's
  // height.
  int ItemHeight() const;
  void SetItemHeight(int Value);
  // With IntegralHeight the control's height is cut to whole rows (fixed
  // heights only). Off by default: the space under the last row shows.
  bool IntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value);
  // The width the horizontal scroll bar scrolls over (0: no scrolling).
  int ScrollWidth() const { return FScrollWidth; }
  void SetScrollWidth(int Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

  // Bound to the paint context while rows are drawn; at other times it
  // draws on (and measures with) a context of the window.
  TCanvas* Canvas() const;

  void Dispatch(TMessage& Message) override;
  void Loaded() override;

  TListDrawItemEvent OnDrawItem;
  TListMeasureItemEvent OnMeasureItem;

protected:
  // WS_VSCROLL, WS_HSCROLL (only with a ScrollWidth), LBS_NOTIFY,
  // LBS_HASSTRINGS, LBS_NOINTEGRALHEIGHT unless IntegralHeight, the
  // owner-draw style of Style, WS_TABSTOP, WS_EX_CLIENTEDGE for bsSingle;
  // the class procedure is the list.
  void CreateParams(TCreateParams& Params) override;
  // Makes the window and measures the rows it has (each once).
  void CreateWnd() override;
  void DestroyWnd() override;
  // Paints the rows into a context given from outside (PaintTo).
  void PaintWindow(HDC DC) override;

  // Draws row Index in Rect; Canvas is prepared. The default fires
  // OnDrawItem, or fills Rect and writes the row's text 2 pixels in.
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  // Gives row Index its height; Height comes in as ItemHeight. The default
  // fires OnMeasureItem.
  virtual void MeasureItem(int Index, int& Height);

  // The owner-draw dispatch (see the header comment).
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);
  // The list's notifications: LBN_SELCHANGE fires Click, LBN_DBLCLK DblClick.
  void CNCommand(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);

  // The list's window procedure (the default procedure of the window).
  LRESULT ListWndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

private:
  friend class TListBoxStrings;
  struct TRow {
    std::string Text;
    std::intptr_t Data = 0;
    int Height = -1;  // -1: not measured yet
  };

  // ---- rows (the list)
  DWORD StyleBits() const;
  void InsertRow(int Index, const std::string& S, std::intptr_t Data);
  void DeleteRow(int Index);
  void ClearRows();
  void MeasureRow(int Index);
  // After rows changed: clamps the top row, sets the bars, repaints.
  void RowsChanged();
  void SetRedraw(bool Value);
  int FixedRowHeight() const;
  int FontHeight() const;  // the font's text height
  DWORD ListStyle() const;
  bool IsVariable() const;

  // ---- geometry and scrolling
  int ListClientHeight() const;
  int ListClientWidth() const;
  int MaxTopIndex() const;
  int LastFullyVisible(int Top) const;
  int TopForBottom(int Bottom) const;
  void DoSetTopIndex(int Value);
  void MakeVisible(int Index);
  void UpdateScrollBars();
  void ScrollHorz(int Pos);
  void FitIntegralHeight(int& WindowHeight) const;
  void InvalidateRow(int Index);
  void InvalidateList();

  // ---- drawing and input (the list)
  void PrepareCanvas(bool Selected);
  void PaintRows(HDC DC);
  void DrawStandardRow(HDC DC, int Index, const TRect& Rect, UINT State);
  void Select(int Index);
  void Notify(WORD Code);
  void ListKeyDown(WORD Key);
  void ListChar(unsigned char Byte);
  void ListVScroll(UINT Code);
  void ListHScroll(UINT Code);
  void ListMouseDown(const TPoint& P, bool Double);
  void ListMouseMove(const TPoint& P);
  void ListMouseUp();
  void ListWheel(int Delta);
  void ListFocus(bool Focused);

  std::unique_ptr<TStrings> FItems;
  std::unique_ptr<TControlCanvas> FCanvas;
  std::vector<TRow> FRows;
  TListBoxStyle FStyle = lbStandard;
  int FItemHeight = 16;
  bool FIntegralHeight = false;
  int FScrollWidth = 0;
  TBorderStyle FBorderStyle = bsSingle;
  int FItemIndex = -1;
  int FCaretIndex = 0;
  int FTopIndex = 0;
  int FHorzPos = 0;
  bool FListFocused = false;  // the list draws its caret row as focused
  bool FTracking = false;     // a left press is being followed
  bool FRedraw = true;
  int FWheelRest = 0;                // part of a notch not yet scrolled
  unsigned char FLeadByte = 0;       // first byte of a double-byte character typed
  DWORD FListStyle = 0;              // the window's style as it was made
  bool FListReady = false;           // the window is made and its rows measured
  bool FUpdatingBars = false;        // setting the bars (which resizes the client area)
  mutable int FStandardHeight = -1;  // a plain row's height (the font's), -1 unknown
};

class TListBox : public TCustomListBox {
public:
  explicit TListBox(TComponent* AOwner);

  // Align, BorderStyle, Color, Ctl3D, Enabled, Font, IntegralHeight,
  // ItemHeight, Items, ParentColor, ParentCtl3D, ParentFont, ParentShowHint,
  // PopupMenu, ScrollWidth, ShowHint, Style, TabOrder, TabStop, Visible and
  // the events OnClick, OnDblClick, OnDrawItem, OnEnter, OnExit, OnKeyDown,
  // OnKeyPress, OnKeyUp, OnMeasureItem, OnMouseDown, OnMouseMove, OnMouseUp.
  static const TPropList& PublishedProperties();
};
