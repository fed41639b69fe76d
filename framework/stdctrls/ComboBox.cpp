// TCustomComboBox: items, the text and ItemIndex, the face, the keys and
// the mouse. The drop-down list is in ComboBoxList.cpp, the type-ahead in
// ComboBoxTypeAhead.cpp.

#include "framework/stdctrls/ComboBox.h"

#include <algorithm>

#include "framework/stdctrls/ComboBoxList.h"
#include "framework/stdctrls/Edit.h"
#include "platform/core/ScopeGuard.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/SysColors.h"
#include "platform/text/Cp932.h"

namespace {

constexpr int kEdge = 2;  // the sunken 3D edge around the face, in lines

}  // namespace

// ---- The edit field -----------------------------------------------------------------

// The box's edit field: a borderless TEdit whose key hooks are the box's,
// so the owner's handlers see the keys first and the type-ahead after them.
class TComboEdit : public TEdit {
public:
  explicit TComboEdit(TCustomComboBox& Box) : TEdit(&Box), FBox(Box) {
    SetBorderStyle(bsNone);
    SetTabStop(false);
    SetAutoSelect(true);
    // Hints are the box's: over the field the box's hint shows.
    SetParentShowHint(false);
    SetShowHint(false);
  }

  void Dispatch(TMessage& Message) override {
    switch (Message.Msg) {
      case WM_GETDLGCODE:
        TEdit::Dispatch(Message);
        // Enter and Escape close an open list instead of going to the form.
        if (Alive() && FBox.DroppedDown()) Message.Result |= DLGC_WANTALLKEYS;
        return;
      case WM_KILLFOCUS:
        TEdit::Dispatch(Message);
        if (Alive()) FBox.CloseList(false, true);
        return;
      case WM_MOUSEWHEEL:
        if (Alive() && FBox.DroppedDown()) {
          FBox.FList->Wheel(GET_WHEEL_DELTA_WPARAM(Message.WParam));
          return;
        }
        break;
      default:
        break;
    }
    TEdit::Dispatch(Message);
  }

  // The byte after a lead byte that went on to the field: it completes
  // that character and is never completed itself.
  bool TrailPending = false;
  // The owner consumed a lead byte: its trail byte is dropped too.
  bool DropTrail = false;
  // A key-down the box consumed (Enter or Escape on the open list): its
  // character is dropped.
  char SwallowChar = 0;

  using TCustomEdit::SetSel;

protected:
  void KeyDown(WORD& Key, TShiftState Shift) override {
    if (Alive()) FBox.EditKeyDown(Key, Shift);
  }
  void KeyPress(char& Key) override {
    if (Alive()) FBox.EditKeyPress(Key, *this);
  }
  void KeyUp(WORD& Key, TShiftState Shift) override {
    if (Alive()) FBox.EditKeyUp(Key, Shift);
  }
  void Change() override {
    TEdit::Change();
    if (Alive()) FBox.EditChanged();
  }
  void DoEnter() override {
    TEdit::DoEnter();
    if (Alive()) FBox.EditEnter();
  }
  void DoExit() override {
    TEdit::DoExit();
    if (Alive() && !(FBox.WindowHandle() && GetFocus() == FBox.WindowHandle())) FBox.EditExit();
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    // A click in the field closes the list, as the hook does for presses
    // elsewhere (the hook leaves presses on the box to the box).
    if (Alive()) FBox.CloseList(false, true);
    TEdit::MouseDown(Button, Shift, X, Y);
  }

private:
  bool Alive() const { return !FBox.HasState(csDestroying); }
  TCustomComboBox& FBox;
};

// ---- Construction ----------------------------------------------------------------------

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TStringList>()) {
  SetControlStyle(csCaptureMouse | csDoubleClicks | csFixedHeight | csOpaque | csReplicatable);
  FItems->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
  SetParentColor(false);
  SetColor(clWindow);
  SetTabStop(true);
  FEdit = new TComboEdit(*this);
  FEdit->SetParent(this);
  SetBounds(0, 0, 145, 21);
}

TCustomComboBox::~TCustomComboBox() {
  Destroying();
  // The windows go while every part of the box is still here: the list,
  // then the box's own window with the field's.
  if (FList) FList->Destroy();
  DestroyHandle();
  delete FEdit;
  FEdit = nullptr;
  FList.reset();
}

// ---- Items, ItemIndex, text -------------------------------------------------------------

void TCustomComboBox::SetItems(const TStrings* Value) {
  if (Value) FItems->Assign(Value);
}

int TCustomComboBox::FindExact(const std::string& Value) const {
  for (int I = 0; I < FItems->Count(); ++I)
    if (cp932::AnsiSameText(FItems->Get(I), Value)) return I;
  return -1;
}

void TCustomComboBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  FItemIndex = Value;
  SetText(Value >= 0 ? FItems->Get(Value) : std::string());
  FItemIndex = Value;
  if (DroppedDown()) FList->SetItemIndex(Value);
}

void TCustomComboBox::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  FItems->SetSorted(Value);
}

void TCustomComboBox::SyncIndexToText() {
  const std::string Current = Text();
  if (FItemIndex >= 0 && FItemIndex < FItems->Count() && FItems->Get(FItemIndex) == Current) return;
  FItemIndex = FindExact(Current);
}

void TCustomComboBox::ItemsChanged(TObject*) {
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  SyncIndexToText();
  if (DroppedDown()) FList->ItemsChanged();
}

void TCustomComboBox::PushText(const std::string& Value) {
  TTemporaryChange<bool> Pushing(FPushingText, true);
  FEdit->SetText(Value);
}

void TCustomComboBox::WMSetText(TMessage& Message) {
  TControl::WMSetText(Message);
  if (FPushingText) return;
  // The program set the text: the field shows it and ItemIndex follows.
  PushText(Text());
  SyncIndexToText();
}

void TCustomComboBox::EditChanged() {
  if (FPushingText) return;
  // The user changed the field: the box's text follows and OnChange fires.
  const std::string Value = FEdit->Text();
  FPushingText = true;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
  FPushingText = false;
  Perform(CM_TEXTCHANGED, 0, 0);
  SyncIndexToText();
  Change();
}

// ---- The edit field's properties ----------------------------------------------------------

int TCustomComboBox::MaxLength() const { return FEdit->MaxLength(); }
void TCustomComboBox::SetMaxLength(int Value) { FEdit->SetMaxLength(std::max(0, Value)); }
int TCustomComboBox::SelStart() const { return FEdit->SelStart(); }
void TCustomComboBox::SetSelStart(int Value) { FEdit->SetSelStart(Value); }
int TCustomComboBox::SelLength() const { return FEdit->SelLength(); }
void TCustomComboBox::SetSelLength(int Value) { FEdit->SetSelLength(Value); }
std::string TCustomComboBox::SelText() const { return FEdit->SelText(); }
void TCustomComboBox::SelectAll() { FEdit->SelectAll(); }
TWinControl* TCustomComboBox::EditControl() const { return FEdit; }

// ---- The list ---------------------------------------------------------------------------

void TCustomComboBox::SetDropDownCount(int Value) {
  Value = std::max(1, Value);
  if (FDropDownCount == Value) return;
  FDropDownCount = Value;
  if (DroppedDown()) FList->ItemsChanged();
}

void TCustomComboBox::SetItemHeight(int Value) {
  Value = std::max(1, Value);
  if (FItemHeight == Value) return;
  FItemHeight = Value;
  if (DroppedDown()) FList->ItemsChanged();
}

bool TCustomComboBox::DroppedDown() const { return FList && FList->Shown(); }

void TCustomComboBox::SetDroppedDown(bool Value) {
  if (Value)
    OpenList();
  else
    CloseList(false, true);
}

HWND TCustomComboBox::ListHandle() const { return FList ? FList->WindowHandle() : nullptr; }

int TCustomComboBox::ListHighlight() const { return DroppedDown() ? FList->ItemIndex() : -1; }

void TCustomComboBox::OpenList() {
  if (DroppedDown() || !Enabled() || !Visible() || HasState(csDestroying)) return;
  DropDown();
  // A handler may have hidden or disabled the box, or dropped it itself.
  if (DroppedDown() || !Enabled() || !Showing()) return;
  FSavedText = Text();
  FSavedIndex = FItemIndex;
  if (!FList) FList = std::make_unique<TComboListBox>(*this);
  FList->Show(FItemIndex >= 0 ? FItemIndex : FindExact(Text()));
}

void TCustomComboBox::CloseList(bool Restore, bool Notify) {
  FTrackList = false;
  if (!DroppedDown()) return;
  FList->Hide();
  if (Restore) {
    const bool TextChanged = Text() != FSavedText;
    FItemIndex = FSavedIndex;
    if (TextChanged) {
      PushText(FSavedText);
      FPushingText = true;
      Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(FSavedText.c_str()));
      FPushingText = false;
      FItemIndex = FSavedIndex;
      FEdit->SelectAll();
      Change();
    }
  }
  if (Notify) CloseUp();
}

void TCustomComboBox::ChooseItem(int Index) {
  if (Index < 0 || Index >= FItems->Count()) return;
  const std::string Value = FItems->Get(Index);
  const bool TextChanged = Value != Text();
  const bool IndexChanged = Index != FItemIndex;
  FItemIndex = Index;
  if (TextChanged) {
    PushText(Value);
    FPushingText = true;
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
    FPushingText = false;
    FItemIndex = Index;
  }
  FEdit->SelectAll();
  if (DroppedDown()) FList->SetItemIndex(Index);
  if (TextChanged) Change();
  if (TextChanged || IndexChanged) {
    Click();
    Select();
  }
}

void TCustomComboBox::StepItem(int Delta) {
  const int Count = FItems->Count();
  if (Count == 0) return;
  int Current = DroppedDown() ? FList->ItemIndex() : FItemIndex;
  if (Current < 0) Current = FindExact(Text());
  const int Next = Current < 0 ? 0 : std::clamp(Current + Delta, 0, Count - 1);
  if (Next == Current && Next == FItemIndex) return;
  ChooseItem(Next);
}

void TCustomComboBox::ListChose(int Row) {
  ChooseItem(Row);
  CloseList(false, true);
}

// ---- Hooks ------------------------------------------------------------------------------

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

// ---- Keys -------------------------------------------------------------------------------

void TCustomComboBox::EditKeyDown(WORD& Key, TShiftState Shift) {
  FEdit->SwallowChar = 0;
  KeyDown(Key, Shift);
  if (Key == 0) return;
  if (ComboKeyDown(Key, Shift)) Key = 0;
}

bool TCustomComboBox::ComboKeyDown(WORD& Key, TShiftState Shift) {
  const bool Alt = (Shift & ssAlt) != 0;
  const bool Plain = (Shift & (ssAlt | ssCtrl | ssShift)) == 0;
  if ((Key == VK_F4 && !Alt) || (Alt && (Key == VK_DOWN || Key == VK_UP))) {
    if (DroppedDown())
      CloseList(false, true);
    else
      OpenList();
    return true;
  }
  if (!Plain) return false;
  switch (Key) {
    case VK_DOWN:
      StepItem(+1);
      return true;
    case VK_UP:
      StepItem(-1);
      return true;
    case VK_NEXT:
    case VK_PRIOR:
      if (!DroppedDown()) return false;
      StepItem(Key == VK_NEXT ? FDropDownCount - 1 : 1 - FDropDownCount);
      return true;
    case VK_RETURN:
    case VK_ESCAPE:
      if (!DroppedDown()) return false;
      CloseList(Key == VK_ESCAPE, true);
      FEdit->SwallowChar = Key == VK_RETURN ? '\r' : '\x1B';
      return true;
    default:
      return false;
  }
}

void TCustomComboBox::EditKeyUp(WORD& Key, TShiftState Shift) { KeyUp(Key, Shift); }

void TCustomComboBox::EditKeyPress(char& Key, TComboEdit& Edit) {
  if (Edit.SwallowChar != 0 && Key == Edit.SwallowChar) {
    Edit.SwallowChar = 0;
    Key = 0;
    return;
  }
  Edit.SwallowChar = 0;
  if (Edit.DropTrail) {
    Edit.DropTrail = false;
    Key = 0;
    return;
  }
  const bool Trail = Edit.TrailPending;
  Edit.TrailPending = false;

  // The owner's handler first; a key it consumes changes nothing.
  const bool Lead = !Trail && cp932::IsLeadByte(Key);
  KeyPress(Key);
  if (Key == 0) {
    Edit.DropTrail = Lead;
    return;
  }
  if (Trail) return;  // the second half of a character the field takes

  std::string Char(1, Key);
  const HWND Field = Edit.WindowHandle();
  if (cp932::IsLeadByte(Key)) {
    // Both bytes decide the completion; the trail byte is already queued.
    // (Input is only found without a window filter.)
    MSG Next;
    if (Field && PeekMessage(Next, nullptr, WM_CHAR, WM_CHAR, PM_NOREMOVE) && Next.hwnd == Field)
      Char.push_back(char(Next.wParam));
  }
  TTypeAheadEdit State{Text(), Edit.SelStart(), Edit.SelLength()};
  const TTypeAheadResult Result = ComboTypeAhead(*FItems, State, Char, Edit.MaxLength());
  if (!Result.Consumed) {
    Edit.TrailPending = Char.size() == 2 || cp932::IsLeadByte(Key);
    return;
  }
  Key = 0;
  if (Char.size() == 2) {
    MSG Next;
    PeekMessage(Next, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE);
  }
  if (!Result.Changed) return;
  const bool TextChanged = Result.Edit.Text != Text();
  PushText(Result.Edit.Text);
  Edit.SetSel(Result.Edit.SelStart, Result.Edit.SelStart + Result.Edit.SelLength);
  if (!TextChanged) return;
  Edit.SetModified(true);
  FPushingText = true;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Result.Edit.Text.c_str()));
  FPushingText = false;
  Perform(CM_TEXTCHANGED, 0, 0);
  if (Result.ItemIndex >= 0)
    FItemIndex = Result.ItemIndex;
  else
    SyncIndexToText();
  if (DroppedDown()) FList->SetItemIndex(FItemIndex);
  Change();
}

// ---- Focus ------------------------------------------------------------------------------

void TCustomComboBox::WMSetFocus(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  // The box hands the focus to its field, as a Windows combo box does.
  if (FEdit && FEdit->HandleAllocated() && FEdit->Showing()) ::SetFocus(FEdit->WindowHandle());
}

void TCustomComboBox::EditEnter() {
  if (FEntered) return;
  FEntered = true;
  DoEnter();
}

void TCustomComboBox::EditExit() {
  if (!FEntered) return;
  FEntered = false;
  DoExit();
}

void TCustomComboBox::CMEnter(TMessage&) { EditEnter(); }

void TCustomComboBox::CMExit(TMessage&) {
  // The focus only went on to the field.
  if (FEdit && FEdit->HandleAllocated() && GetFocus() == FEdit->WindowHandle()) return;
  EditExit();
}

// ---- Mouse ------------------------------------------------------------------------------

void TCustomComboBox::SetButtonDown(bool Value) {
  if (FButtonDown == Value) return;
  FButtonDown = Value;
  const TRect Button = ButtonRect();
  if (HandleAllocated()) InvalidateRect(WindowHandle(), &Button, false);
}

void TCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (FEdit->CanFocus() && GetFocus() != FEdit->WindowHandle()) FEdit->SetFocus();
    if (ButtonRect().Contains(X, Y) || !FEdit->BoundsRect().Contains(X, Y)) {
      if (DroppedDown()) {
        CloseList(false, true);
      } else {
        OpenList();
        FTrackList = DroppedDown();
      }
      SetButtonDown(true);
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomComboBox::MouseMove(TShiftState Shift, int X, int Y) {
  if (FTrackList && DroppedDown()) {
    // Dragging from the button into the list highlights the row there.
    TPoint P = ClientToScreen(TPoint{X, Y});
    ::ScreenToClient(FList->WindowHandle(), P);
    const int Row = FList->ItemAtPos(P, true);
    if (Row >= 0) FList->SetItemIndex(Row);
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    SetButtonDown(false);
    if (FTrackList && DroppedDown()) {
      FTrackList = false;
      TPoint P = ClientToScreen(TPoint{X, Y});
      ::ScreenToClient(FList->WindowHandle(), P);
      const int Row = FList->ItemAtPos(P, true);
      if (Row >= 0) ListChose(Row);
    }
    FTrackList = false;
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

// ---- Face -------------------------------------------------------------------------------

void TCustomComboBox::ChangeScale(const TScale& Scale) {
  if (DroppedDown()) SetDroppedDown(false);
  FItemHeight = std::max(1, Scale.Apply(FItemHeight));
  TCustomControl::ChangeScale(Scale);
  LayoutEdit();
}

TRect TCustomComboBox::ButtonRect() const {
  const int ButtonWidth = Scaled(GetSystemMetrics(SM_CXVSCROLL));
  const int Edge = kEdge * ScaledStroke(1);
  const int Right = Width() - Edge;
  return TRect{std::max(Edge, Right - ButtonWidth), Edge, Right, std::max(Edge, Height() - Edge)};
}

void TCustomComboBox::LayoutEdit() {
  if (!FEdit) return;
  const TRect Button = ButtonRect();
  // One line of the box's colour around the field, inside the edge.
  const int Line = ScaledStroke(1);
  const int Left = kEdge * Line + Line;
  const int Top = kEdge * Line + Line;
  FEdit->SetBounds(Left, Top, std::max(0, Button.Left - Line - Left),
                   std::max(0, Height() - kEdge * Line - Line - Top));
}

void TCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  LayoutEdit();
}

void TCustomComboBox::Paint() {
  TCanvas& C = *Canvas();
  TRect R = ClientRect();
  C.Brush()->SetStyle(bsSolid);
  C.Brush()->SetColor(Enabled() ? Color() : clBtnFace);
  C.FillRect(R);
  DrawEdge(*C.Handle(), R, EDGE_SUNKEN, BF_RECT, ScaledStroke(1));
  unsigned State = DFCS_SCROLLCOMBOBOX;
  if (FButtonDown) State |= DFCS_PUSHED | DFCS_FLAT;
  if (!Enabled()) State |= DFCS_INACTIVE;
  DrawFrameControl(*C.Handle(), ButtonRect(), DFC_SCROLL, State);
}

void TCustomComboBox::CMEnabledChanged(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  if (FEdit) FEdit->SetEnabled(Enabled());
  if (!Enabled()) CloseList(false, true);
  Invalidate();
}

void TCustomComboBox::CMFontChanged(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  if (DroppedDown()) FList->ItemsChanged();
}

// ---- Messages ---------------------------------------------------------------------------

void TCustomComboBox::WMDestroy(TMessage& Message) {
  // Closed without events: the window that would show it is going.
  FTrackList = false;
  FButtonDown = false;
  if (FList) FList->Destroy();
  DefaultHandler(Message);
}

void TCustomComboBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY:
      WMDestroy(Message);
      break;
    case WM_SETTEXT:
      WMSetText(Message);
      break;
    case WM_SETFOCUS:
      WMSetFocus(Message);
      break;
    case CM_ENTER:
      CMEnter(Message);
      break;
    case CM_EXIT:
      CMExit(Message);
      break;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged(Message);
      break;
    case CM_FONTCHANGED:
      CMFontChanged(Message);
      break;
    case CM_RECREATEWND: {
      // The field had the focus, not the box: it gets it back.
      const bool FieldFocused = FEdit && FEdit->Focused();
      TCustomControl::Dispatch(Message);
      if (FieldFocused && FEdit->HandleAllocated() && FEdit->Showing())
        ::SetFocus(FEdit->WindowHandle());
      break;
    }
    default:
      TCustomControl::Dispatch(Message);
      break;
  }
}

// ---- Layouts ----------------------------------------------------------------------------

const TPropList& TCustomComboBox::PublishedProperties() {
  static const TPropList List =
      TPropertyTable<TCustomComboBox>(TWinControl::PublishedProperties())
          .Enum("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle,
                {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed",
                 "csOwnerDrawVariable"},
                DefaultIs(csDropDown))
          .Enum("Align", &TControl::Align, &TControl::SetAlign,
                {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, DefaultIs(alNone))
          .Color("Color", &TControl::Color, &TControl::SetColor, DefaultIs(clWindow))
          .StoredWhen([](TCustomComboBox& B) { return !B.ParentColor(); })
          .Boolean("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D, DefaultIs(1))
          .StoredWhen([](TCustomComboBox& B) { return !B.ParentCtl3D(); })
          .Integer("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor, DefaultIs(crDrag),
                   &CursorIdents())
          .Enum("DragMode", &TControl::DragMode, &TControl::SetDragMode,
                {"dmManual", "dmAutomatic"}, DefaultIs(dmManual))
          .Integer("DropDownCount", &TCustomComboBox::DropDownCount,
                   &TCustomComboBox::SetDropDownCount, DefaultIs(8))
          .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled, DefaultIs(1))
          .Object<TFont>("Font", &TControl::Font)
          .StoredWhen([](TCustomComboBox& B) { return !B.ParentFont(); })
          .Enum("ImeMode", &TWinControl::ImeMode, &TWinControl::SetImeMode,
                {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira",
                 "imSKata", "imKata", "imChinese", "imSHanguel", "imHanguel"},
                DefaultIs(imDontCare))
          .String("ImeName", &TWinControl::ImeName, &TWinControl::SetImeName)
          .Integer("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight,
                   DefaultIs(16))
          .Integer("MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength,
                   DefaultIs(0))
          .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, DefaultIs(0))
          .Boolean("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D,
                   DefaultIs(1))
          .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, DefaultIs(1))
          .Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint,
                   DefaultIs(1))
          .Component("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
          .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, DefaultIs(0))
          .StoredWhen([](TCustomComboBox& B) { return !B.ParentShowHint(); })
          .Boolean("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted, DefaultIs(0))
          .Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, DefaultIs(-1))
          .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, DefaultIs(1))
          .String("Text", &TControl::Text, &TControl::SetText)
          .Boolean("Visible", &TControl::Visible, &TControl::SetVisible, DefaultIs(1))
          .Event("OnChange", &TCustomComboBox::OnChange, EventSetter(&TCustomComboBox::OnChange))
          .Event("OnClick", &TControl::OnClick, EventSetter(&TControl::OnClick))
          .Event("OnCloseUp", &TCustomComboBox::OnCloseUp, EventSetter(&TCustomComboBox::OnCloseUp))
          .Event("OnDblClick", &TControl::OnDblClick, EventSetter(&TControl::OnDblClick))
          .Event("OnDragDrop", &TControl::OnDragDrop, EventSetter(&TControl::OnDragDrop))
          .Event("OnDragOver", &TControl::OnDragOver, EventSetter(&TControl::OnDragOver))
          .Event("OnDropDown", &TCustomComboBox::OnDropDown,
                 EventSetter(&TCustomComboBox::OnDropDown))
          .Event("OnEndDrag", &TControl::OnEndDrag, EventSetter(&TControl::OnEndDrag))
          .Event("OnEnter", &TWinControl::OnEnter, EventSetter(&TWinControl::OnEnter))
          .Event("OnExit", &TWinControl::OnExit, EventSetter(&TWinControl::OnExit))
          .Event("OnKeyDown", &TWinControl::OnKeyDown, EventSetter(&TWinControl::OnKeyDown))
          .Event("OnKeyPress", &TWinControl::OnKeyPress, EventSetter(&TWinControl::OnKeyPress))
          .Event("OnKeyUp", &TWinControl::OnKeyUp, EventSetter(&TWinControl::OnKeyUp))
          .Event("OnSelect", &TCustomComboBox::OnSelect, EventSetter(&TCustomComboBox::OnSelect))
          .Event("OnStartDrag", &TControl::OnStartDrag, EventSetter(&TControl::OnStartDrag))
          // Last, so that Text read before it cannot be undone by the items.
          .Strings("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems);
  return List;
}
