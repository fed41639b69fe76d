#include "framework/stdctrls/Edit.h"

#include <algorithm>

#include "platform/shell/Beep.h"
#include "platform/text/Cp932.h"

namespace {

bool IsValidChar(std::string_view Char) { return cp932::ToUtf8(Char).has_value(); }

}  // namespace

// ---- construction -------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks | csFramed |
                  csOpaque | csReplicatable);
  SetBounds(Left(), Top(), 121, 21);
  SetParentColor(false);
  SetColor(clWindow);
  SetCursor(crIBeam);
  SetTabStop(true);
}

TCustomEdit::~TCustomEdit() {
  if (FCaretMade) DestroyCaret();
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle != bsNone) {
    // The sunken 3D edge of a Windows edit; without Ctl3D a flat line.
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TCustomEdit::CreateWnd() {
  TCustomControl::CreateWnd();
  FCharX.clear();
  ScrollToCaret();
}

void TCustomEdit::DestroyWnd() {
  FComposing = false;
  FCompText.clear();
  FCompAttributes.clear();
  FCompX.clear();
  if (FCaretMade) {
    DestroyCaret();
    FCaretMade = false;
    FCaretHidden = false;
  }
  TCustomControl::DestroyWnd();
}

// ---- properties ----------------------------------------------------------------------------

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (Value != bsNone) Value = bsSingle;
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomEdit::SetMaxLength(int Value) { FMaxLength = std::max(0, Value); }

void TCustomEdit::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  FLeadByte = -1;
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  if (FAnchor != FCaret) Invalidate();
}

// ---- selection ----------------------------------------------------------------------------

int TCustomEdit::Snap(int Pos) const {
  const std::string T = Text();
  Pos = std::clamp(Pos, 0, int(T.size()));
  return int(cp932::FloorCharBoundary(T, std::size_t(Pos)));
}

int TCustomEdit::SelStart() const { return std::min(FAnchor, FCaret); }

int TCustomEdit::SelLength() const { return std::abs(FCaret - FAnchor); }

void TCustomEdit::SetSelStart(int Value) { SetSel(Value, Value); }

void TCustomEdit::SetSelLength(int Value) {
  const int Start = SelStart();
  SetSel(Start, Start + std::max(0, Value));
}

std::string TCustomEdit::SelText() const {
  return Text().substr(std::size_t(SelStart()), std::size_t(SelLength()));
}

void TCustomEdit::SetSel(int Anchor, int CaretAt) {
  Anchor = Snap(Anchor);
  CaretAt = Snap(CaretAt);
  FTypingRun = false;
  if (Anchor == FAnchor && CaretAt == FCaret) return;
  const bool Shown = FAnchor != FCaret || Anchor != CaretAt;
  FAnchor = Anchor;
  FCaret = CaretAt;
  FLeadByte = -1;
  if (!ScrollToCaret() && Shown) Invalidate();
  UpdateCaret();
}

void TCustomEdit::SelectAll() { SetSel(0, int(Text().size())); }

void TCustomEdit::MoveCaret(int Pos, bool Extend) {
  SetSel(Extend ? FAnchor : Pos, Pos);
  if (Extend) OfferPrimary();
}

void TCustomEdit::OfferPrimary() {
  if (FAnchor != FCaret) SetClipboardText(SelText(), selPrimary);
}

void TCustomEdit::SetSelText(const std::string& Value) { InsertFiltered(Value, false); }

void TCustomEdit::ClearSelection() {
  if (FReadOnly || FAnchor == FCaret) return;
  DeleteRange(SelStart(), SelStart() + SelLength());
}

void TCustomEdit::Clear() {
  // A program action: the text goes whatever the read-only flag says.
  SetText(std::string());
}

void TCustomEdit::CopyToClipboard() {
  if (FAnchor != FCaret) SetClipboardText(SelText(), selClipboard);
}

void TCustomEdit::CutToClipboard() {
  if (FReadOnly || FAnchor == FCaret) return;
  CopyToClipboard();
  ClearSelection();
}

void TCustomEdit::PasteFromClipboard() {
  if (FReadOnly) return;
  const std::string Text = GetClipboardText(selClipboard);
  if (!Text.empty()) InsertText(Text);
}

// ---- changing the text ---------------------------------------------------------------------

std::string TCustomEdit::Filter(const std::string& Value, bool& Refused) {
  // One line: a pasted text ends at its first line break, as in a Win32
  // single-line edit. Other control characters and what code page 932
  // cannot hold are left out.
  std::string Out;
  Refused = false;
  std::size_t Pos = 0;
  while (Pos < Value.size()) {
    const unsigned char B = static_cast<unsigned char>(Value[Pos]);
    if (B == '\r' || B == '\n') break;
    const std::size_t Length = cp932::CharLength(Value, Pos);
    const std::string_view Char(Value.data() + Pos, Length);
    if (B < 0x20 || B == 0x7F) {
      // dropped silently: tabs and the like have no place in one line
    } else if (IsValidChar(Char)) {
      // (a lead byte cut off at the end is one byte long and no character)
      Out.append(Char);
    } else {
      Refused = true;
    }
    Pos += Length;
  }
  return Out;
}

bool TCustomEdit::InsertText(const std::string& Text) {
  if (FReadOnly) return false;
  return InsertFiltered(Text, true);
}

bool TCustomEdit::InsertFiltered(const std::string& Value, bool Limit) {
  bool Refused = false;
  std::string Insert = Filter(Value, Refused);
  const std::string Current = Text();
  const int Start = SelStart();
  const int End = Start + SelLength();
  if (Limit && FMaxLength > 0) {
    const int Room = FMaxLength - int(Current.size()) + (End - Start);
    if (int(Insert.size()) > Room) {
      Insert.resize(cp932::FloorCharBoundary(Insert, std::size_t(std::max(0, Room))));
      Refused = true;
    }
  }
  if (Refused) MessageBeep(MB_OK);
  // Nothing that may go in: the selection stays as it is, so a refused
  // character does not eat the selected text.
  if (Insert.empty() && (Refused || Start == End)) return false;
  std::string NewText = Current.substr(0, std::size_t(Start));
  NewText += Insert;
  NewText += Current.substr(std::size_t(End));
  SaveUndo(FTyping);
  ReplaceText(NewText, Start + int(Insert.size()));
  FTypingRun = FTyping;
  return true;
}

void TCustomEdit::DeleteRange(int From, int To) {
  if (From >= To) return;
  std::string NewText = Text();
  NewText.erase(std::size_t(From), std::size_t(To - From));
  SaveUndo(false);
  ReplaceText(NewText, From);
  FTypingRun = false;
}

void TCustomEdit::SaveUndo(bool Typing) {
  // Characters typed one after the other are undone together.
  if (Typing && FTypingRun && FCanUndo) return;
  FUndoText = Text();
  FUndoAnchor = FAnchor;
  FUndoCaret = FCaret;
  FCanUndo = true;
}

void TCustomEdit::Undo() {
  if (!FCanUndo || FReadOnly) return;
  // As in a Win32 edit, undoing twice brings the change back.
  const std::string Undone = Text();
  const int Anchor = FAnchor, CaretAt = FCaret;
  ReplaceText(FUndoText, FUndoCaret);
  FAnchor = Snap(FUndoAnchor);
  if (FAnchor != FCaret) Invalidate();
  FUndoText = Undone;
  FUndoAnchor = Anchor;
  FUndoCaret = CaretAt;
  FTypingRun = false;
}

void TCustomEdit::ClearUndo() {
  FCanUndo = false;
  FUndoText.clear();
  FTypingRun = false;
}

void TCustomEdit::ReplaceText(const std::string& Value, int NewCaret) {
  const bool Changed = Value != Text();
  {
    FSettingText = true;
    struct TReset {
      bool& Flag;
      ~TReset() { Flag = false; }
    } Reset{FSettingText};
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
  }
  FCharX.clear();
  FAnchor = FCaret = Snap(NewCaret);
  FLeadByte = -1;
  ScrollToCaret();
  Invalidate();
  UpdateCaret();
  if (Changed) {
    FModified = true;
    Change();
  }
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::WMSetText(TMessage& Message) {
  if (FSettingText) {
    TCustomControl::Dispatch(Message);
    return;
  }
  // The program sets the text: the caret goes to the start with nothing
  // selected, as in a Win32 edit, and the change is announced only when the
  // text is really different.
  const std::string Old = Text();
  TCustomControl::Dispatch(Message);
  if (Text() == Old) return;
  FCharX.clear();
  FAnchor = FCaret = 0;
  FScrollX = 0;
  FLeadByte = -1;
  FModified = false;
  ClearUndo();
  Invalidate();
  UpdateCaret();
  Change();
}

void TCustomEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETTEXT:
      WMSetText(Message);
      break;
    case WM_SETFOCUS:
      WMSetFocus(Message);
      break;
    case WM_KILLFOCUS:
      WMKillFocus(Message);
      break;
    case WM_SETREDRAW:
      WMSetRedraw(Message);
      break;
    case WM_GETDLGCODE:
      WMGetDlgCode(Message);
      break;
    case WM_PAINT:
      if (!FRedraw) {
        // Redraw is off: what is shown stays as it is.
        PAINTSTRUCT PS;
        BeginPaint(WindowHandle(), PS);
        EndPaint(WindowHandle(), PS);
        Message.Result = 0;
        break;
      }
      TCustomControl::Dispatch(Message);
      break;
    case WM_ERASEBKGND:
      if (!FRedraw) {
        Message.Result = 1;
        break;
      }
      TCustomControl::Dispatch(Message);
      break;
    case WM_SIZE:
      TCustomControl::Dispatch(Message);
      ScrollToCaret();
      UpdateCaret();
      break;
    case CM_FONTCHANGED:
      CMFontChanged(Message);
      break;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged(Message);
      break;
    default:
      TCustomControl::Dispatch(Message);
      break;
  }
}

// ---- TEdit ----------------------------------------------------------------------------------

TEdit::TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

const TPropList& TEdit::PublishedProperties() {
  static const TPropList List =
      TPropertyTable<TEdit>(TWinControl::PublishedProperties())
          .Boolean("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect,
                   DefaultIs(1))
          .Enum("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle,
                {"bsNone", "bsSingle"}, DefaultIs(bsSingle))
          .Color("Color", &TControl::Color, &TControl::SetColor, DefaultIs(clWindow))
          .StoredWhen([](TEdit& E) { return !E.ParentColor(); })
          .Boolean("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D, DefaultIs(1))
          .StoredWhen([](TEdit& E) { return !E.ParentCtl3D(); })
          .Integer("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor, DefaultIs(crDrag),
                   &CursorIdents())
          .Enum("DragMode", &TControl::DragMode, &TControl::SetDragMode,
                {"dmManual", "dmAutomatic"}, DefaultIs(dmManual))
          .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled, DefaultIs(1))
          .Object<TFont>("Font", &TControl::Font)
          .StoredWhen([](TEdit& E) { return !E.ParentFont(); })
          .Boolean("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection,
                   DefaultIs(1))
          .Enum("ImeMode", &TWinControl::ImeMode, &TWinControl::SetImeMode,
                {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira",
                 "imSKata", "imKata", "imChinese", "imSHanguel", "imHanguel"},
                DefaultIs(imDontCare))
          .String("ImeName", &TWinControl::ImeName, &TWinControl::SetImeName)
          .Integer("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength, DefaultIs(0))
          .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, DefaultIs(0))
          .Boolean("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D,
                   DefaultIs(1))
          .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, DefaultIs(1))
          .Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint,
                   DefaultIs(1))
          .Component("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
          .Boolean("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, DefaultIs(0))
          .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, DefaultIs(0))
          .StoredWhen([](TEdit& E) { return !E.ParentShowHint(); })
          .Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
          .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, DefaultIs(1))
          .String("Text", &TControl::Text, &TControl::SetText)
          .Boolean("Visible", &TControl::Visible, &TControl::SetVisible, DefaultIs(1))
          .Event("OnChange", &TCustomEdit::OnChange, EventSetter(&TCustomEdit::OnChange))
          .Event("OnClick", &TControl::OnClick, EventSetter(&TControl::OnClick))
          .Event("OnDblClick", &TControl::OnDblClick, EventSetter(&TControl::OnDblClick))
          .Event("OnDragDrop", &TControl::OnDragDrop, EventSetter(&TControl::OnDragDrop))
          .Event("OnDragOver", &TControl::OnDragOver, EventSetter(&TControl::OnDragOver))
          .Event("OnEndDrag", &TControl::OnEndDrag, EventSetter(&TControl::OnEndDrag))
          .Event("OnEnter", &TWinControl::OnEnter, EventSetter(&TWinControl::OnEnter))
          .Event("OnExit", &TWinControl::OnExit, EventSetter(&TWinControl::OnExit))
          .Event("OnKeyDown", &TWinControl::OnKeyDown, EventSetter(&TWinControl::OnKeyDown))
          .Event("OnKeyPress", &TWinControl::OnKeyPress, EventSetter(&TWinControl::OnKeyPress))
          .Event("OnKeyUp", &TWinControl::OnKeyUp, EventSetter(&TWinControl::OnKeyUp))
          .Event("OnMouseDown", &TControl::OnMouseDown, EventSetter(&TControl::OnMouseDown))
          .Event("OnMouseMove", &TControl::OnMouseMove, EventSetter(&TControl::OnMouseMove))
          .Event("OnMouseUp", &TControl::OnMouseUp, EventSetter(&TControl::OnMouseUp))
          .Event("OnStartDrag", &TControl::OnStartDrag, EventSetter(&TControl::OnStartDrag));
  return List;
}
