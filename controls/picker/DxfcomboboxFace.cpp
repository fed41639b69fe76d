// The picker's closed face and its input: border, height rule, face
// rectangles, painting, mouse and keys, dropping the popup down and closing
// it, and the reactions to focus, enabled, colour, font and size changes.

#include "controls/picker/Dxfcombobox.h"
#include "controls/picker/Dxfpopup.h"
#include "framework/forms/Forms.h"
#include "framework/graphics/Bitmap.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/window/WindowDC.h"

namespace {

// Posted to the picker by CloseUp: the popups closed meanwhile are freed
// when it arrives, after the message that closed them has been handled.
constexpr UINT kDisposePopups = WM_APP + 0x0D0F;

}  // namespace

TdxfCustomComboBox::~TdxfCustomComboBox() {
  Destroying();
  // A picker destroyed while dropped down: its popup goes with its other
  // components below, and takes its mouse hook and the shown-popup pointer
  // with it. Nothing is hidden or focused on the way out.
  FDroppedDown = false;
  FPopup = nullptr;
  if (FImages) FImages->UnRegisterChanges(FImageChangeLink.get());
  FItems->OnChange = nullptr;
  // The editor and the popups are owned components; they go now, while the
  // lists they read are still there.
  DestroyComponents();
  FEdit = nullptr;
}

// ---- Window and geometry ------------------------------------------------------

void TdxfCustomComboBox::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (Ctl3D())
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  else
    Params.Style |= WS_BORDER;
}

void TdxfCustomComboBox::CreateWnd() {
  TCustomControl::CreateWnd();
  // Without this, a picker placed by code would ignore every resize and
  // font change and leave its editor where the editor was made.
  if (FLoading && !HasState(csLoading | csReading)) FinishLoading();
}

int TdxfCustomComboBox::FontTextHeight() {
  TWindowDC DC(nullptr);
  const TLogFont Saved = DC.Handle()->SetFont(Font()->LogFont());
  const int TextHeight = GetTextMetrics(*DC.Handle()).tmHeight;
  DC.Handle()->SetFont(Saved);
  return TextHeight;
}

// The window layer's client edge, both sides: 4 at 96 dpi, 8 at 192.
int TdxfCustomComboBox::EdgesWidth() { return 2 * GetScaledSystemMetrics(SM_CXEDGE); }

void TdxfCustomComboBox::AdjustHeight() {
  const int TextHeight = FontTextHeight();
  if (!FResizeHeight) SetHeight(TextHeight + Scaled(8 * GetSystemMetrics(SM_CYBORDER)));
}

void TdxfCustomComboBox::UpdateImageRect() {
  if (!FImages) {
    FImageRect = TRect{0, 0, 0, 0};
    return;
  }
  const int W = FImages->Width();
  const int H = FImages->Height();
  const int Edges = EdgesWidth();
  const int DrawHeight = std::min(Height() - Edges - 4, H);
  const int DrawWidth = int(double(DrawHeight) * W / H);
  const int Top = (Height() - Edges - DrawHeight) / 2;
  FImageRect = TRect{2, Top, DrawWidth + 2, Top + DrawHeight};
}

void TdxfCustomComboBox::UpdateEditBounds() {
  // The box's height less its edges and a line above: the field reaches
  // the client area's bottom.
  const int Edges = EdgesWidth();
  const int TextHeight = FontTextHeight() + Scaled(8 * GetSystemMetrics(SM_CYBORDER)) - Edges - 2;
  FEditRect.Top = (Height() - Edges - 2 - TextHeight) / 2 + 2;
  FEditRect.Bottom = FEditRect.Top + TextHeight;
  FEditRect.Right = Width() - FButtonWidth - Edges - 2;
  FEditRect.Left = FImages && FShowImage ? FImageRect.Right + 2 : 2;
  if (FStyle == dcsDropDown) {
    FEdit->SetBounds(FEditRect.Left, FEditRect.Top, FEditRect.Width(), FEditRect.Height());
    return;
  }
  if (FMultiLineText) {
    FEditRect.Top = 2;
    FEditRect.Bottom = Height() - Edges;
  }
  // The editor keeps the focus and the text but is not seen: the face
  // draws the text itself.
  FEdit->SetBounds(0, 0, 0, 0);
}

TRect TdxfCustomComboBox::ButtonRect() const {
  const int Edges = EdgesWidth();
  return TRect{(Width() - Edges) - FButtonWidth, 0, Width() - Edges, Height() - Edges};
}

namespace {
TRect TextAreaOf(const TRect& EditRect) {
  return TRect{EditRect.Left - 1, EditRect.Top - 1, EditRect.Right + 1, EditRect.Bottom + 1 - 2};
}
}  // namespace

void TdxfCustomComboBox::InvalidateImage() {
  if (FImages && HandleAllocated()) InvalidateRect(WindowHandle(), &FImageRect, true);
}

void TdxfCustomComboBox::InvalidateEditRect() {
  if (!HandleAllocated()) return;
  const TRect Area = TextAreaOf(FEditRect);
  InvalidateRect(WindowHandle(), &Area, false);
}

void TdxfCustomComboBox::InvalidateValueStrip() {
  if (!HandleAllocated()) return;
  const TRect Strip{FImageRect.Right, 0, Width() - FButtonWidth, Height()};
  InvalidateRect(WindowHandle(), &Strip, true);
}

bool TdxfCustomComboBox::HasFocusInside() const { return Focused() || FEdit->Focused(); }

// ---- Painting -------------------------------------------------------------------

void TdxfCustomComboBox::Paint() {
  TCustomControl::Paint();
  TCanvas& C = *Canvas();

  unsigned State = DFCS_SCROLLCOMBOBOX;
  if (FButtonPressed) State |= DFCS_PUSHED | DFCS_FLAT;
  if (!Enabled()) State |= DFCS_INACTIVE;
  DrawFrameControl(*C.Handle(), ButtonRect(), DFC_SCROLL, State);

  if (FImages && FItemIndex != -1 && FShowImage) {
    if (FImageRect.Width() == FImages->Width() && FImageRect.Height() == FImages->Height()) {
      FImages->Draw(&C, FImageRect.Left, FImageRect.Top, FCurrentImageIndex, true);
    } else {
      // Scaled down: drawn once at its own size over the face colour, then
      // stretched, so the mask's transparent pixels show the face.
      TBitmap Cell;
      Cell.SetSize(FImages->Width(), FImages->Height());
      Cell.Canvas()->Brush()->SetColor(Color());
      Cell.Canvas()->FillRect(TRect{0, 0, FImages->Width(), FImages->Height()});
      FImages->Draw(Cell.Canvas(), 0, 0, FCurrentImageIndex, true);
      C.StretchDraw(FImageRect, &Cell);
    }
  }

  if (FStyle != dcsDropDownList) return;
  const bool Highlighted = HasFocusInside() && !FDroppedDown;
  C.SetFont(Font());
  C.Brush()->SetStyle(bsSolid);
  if (Highlighted) {
    C.Brush()->SetColor(clHighlight);
    C.Font()->SetColor(clHighlightText);
  } else {
    C.Brush()->SetColor(Color());
    C.Font()->SetColor(Font()->Color());
  }
  const TRect Area = TextAreaOf(FEditRect);
  const std::string Value = FEdit->Text();
  if (!FMultiLineText) {
    C.TextRect(Area, Area.Left + 1, Area.Top + 1, Value);
  } else {
    C.FillRect(Area);
    TRect Inner{Area.Left + 2, Area.Top + 2, Area.Right - 2, Area.Bottom - 2};
    C.Brush()->SetStyle(bsClear);
    C.DrawText(Value, Inner, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (Highlighted) C.DrawFocusRect(Area);
}

// ---- Mouse ----------------------------------------------------------------------

void TdxfCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (CanFocus()) SetFocus();
  if (Button != mbLeft) return;
  const bool OnButton = ButtonRect().Contains(X, Y);
  if (!OnButton && FStyle == dcsDropDown) return;
  if (OnButton) {
    FButtonPressed = true;
    const TRect R = ButtonRect();
    InvalidateRect(Handle(), &R, false);
    // The pushed look shows before the popup opens.
    UpdateWindow(Handle());
  }
  if (FDroppedDown)
    CloseUp();
  else
    DropDown();
}

void TdxfCustomComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FButtonPressed = false;
  if (HandleAllocated()) {
    const TRect R = ButtonRect();
    InvalidateRect(WindowHandle(), &R, false);
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TdxfCustomComboBox::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!FDroppedDown || !FPopup) return;
  const TPoint Screen = ClientToScreen(TPoint{X, Y});
  const TPoint Origin = FPopup->ClientOrigin();
  const TRect PopupArea{Origin.X, Origin.Y, Origin.X + FPopup->Width(),
                        Origin.Y + FPopup->Height()};
  if (!PopupArea.Contains(Screen.X, Screen.Y)) return;
  // A press on the face dragged onto the list: the popup takes over the
  // press, and its release chooses the row under the pointer.
  ReleaseCapture();
  SendMessage(FPopup->Handle(), WM_LBUTTONDOWN, 0, 0);
}

// ---- Keys -----------------------------------------------------------------------

void TdxfCustomComboBox::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const bool NoModifier = (Shift & (ssShift | ssAlt | ssCtrl)) == 0;
  if (((Shift & ssAlt) && (Key == VK_UP || Key == VK_DOWN)) || (Key == VK_F4 && NoModifier)) {
    Key = 0;
    if (!FDroppedDown)
      DropDown();
    else
      CloseUp();
  }
  if (Key == VK_ESCAPE && FDroppedDown) {
    CloseUp();
    Key = 0;
  }
  if (FDroppedDown && FPopup &&
      (Key == VK_RETURN || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN)) {
    SendMessage(FPopup->Handle(), WM_KEYDOWN, Key, 1);
    Key = 0;
  }
  if (!FDroppedDown) {
    if (Key == VK_DOWN && FItemIndex < FItems->Count() - 1) {
      SetItemIndex(FItemIndex + 1);
      Key = 0;
    }
    if (Key == VK_UP && FItemIndex > 0) {
      SetItemIndex(FItemIndex - 1);
      Key = 0;
    }
  }
  if (Key == VK_SPACE && NoModifier && FDroppedDown && FPopup && FStyle == dcsDropDownList) {
    const int Row = FPopup->ItemIndex();
    const int Item = PopupRowToItem(Row);
    if (Row != -1 && Item != -1) {
      SetChecked(Item, !GetChecked(Item));
      const int Twin = Row < FMRUList->Count() ? ItemToPopupRow(Item) : ItemToMRURow(Item);
      const TRect Box = FCheckBoxRects->GetRect(Row);
      InvalidateRect(FPopup->Handle(), &Box, false);
      if (Twin != -1) {
        const TRect TwinBox = FCheckBoxRects->GetRect(Twin);
        InvalidateRect(FPopup->Handle(), &TwinBox, false);
      }
    }
  }
}

// ---- Drop-down --------------------------------------------------------------------

void TdxfCustomComboBox::DropDown() {
  if (FDroppedDown) return;
  if (OnDropDown) OnDropDown(this);
  if (FEdit->CanFocus()) FEdit->SetFocus();
  // A handler may have closed or dropped the picker meanwhile.
  if (FDroppedDown) return;

  auto* NewPopup = new TPopupWindow(this);
  FPopup = NewPopup;
  FPopup->SetParent(GetTopLevelControl(this));
  FPopup->SetFont(ParentFont() ? Font() : FPopupWindowFont.get());
  FPopup->SetImeMode(ImeMode());
  FPopup->SetImeName(ImeName());
  FPopup->SetParentColor(ParentColor());

  // Entries that name no item (the items changed since) are dropped rather
  // than shown as rows that stand for nothing.
  TrimMRUList();
  for (int I = FMRUList->Count() - 1; I >= 0; --I) {
    const std::intptr_t Entry = FMRUList->Get(I);
    if (Entry < 0 || Entry >= FItems->Count()) FMRUList->Delete(I);
  }
  TStrings* Rows = FPopup->Items();
  Rows->BeginUpdate();
  Rows->Clear();
  for (int I = 0; I < FMRUList->Count(); ++I) {
    const int Item = int(FMRUList->Get(I));
    Rows->AddObject(FItems->Get(Item), FItems->GetObject(Item));
  }
  for (int I = 0; I < FItems->Count(); ++I) Rows->AddObject(FItems->Get(I), FItems->GetObject(I));
  Rows->EndUpdate();

  SetActivePopupWindow(FPopup);
  const TPoint Corner =
      Parent() ? Parent()->ClientToScreen(TPoint{Left(), Top()}) : ClientToScreen(TPoint{0, 0});
  FPopupRect = GetPopupRect(Corner, TRect{0, 0, FPopupWidth, FPopupHeight}, Height());
  FPopupWidth = FPopupRect.Width();
  FPopupHeight = FPopupRect.Height();
  FPopup->SetWidth(FPopupRect.Width());
  FPopup->SetHeight(FPopupRect.Height());
  FPopup->SetLeft(FPopupRect.Left);
  FPopup->SetTop(FPopupRect.Top);
  FPopup->Show();
  FDroppedDown = true;

  if (FItemIndex != -1) {
    const int MRURow = ItemToMRURow(FItemIndex);
    FPopup->SetItemIndex(MRURow != -1 ? MRURow : ItemToPopupRow(FItemIndex));
  }
  if (FStyle == dcsDropDownList) InvalidateEditRect();
}

void TdxfCustomComboBox::CloseUp() {
  if (!FPopup || !FDroppedDown) return;
  FDroppedDown = false;
  TPopupWindow* Old = FPopup;
  FPopupWidth = Old->Width();
  FPopupHeight = Old->Height();
  Old->Hide();
  FPopup = nullptr;
  if (ActivePopupWindow() == Old) SetActivePopupWindow(nullptr);
  DisposePopup(Old);

  if (OnCloseUp) {
    std::string Value = FEdit->Text();
    OnCloseUp(this, Value);
    FEdit->SetText(Value);
    FEdit->LastText = Value;
  }
  if (FEdit->CanFocus()) FEdit->SetFocus();
  if (FStyle == dcsDropDownList) InvalidateEditRect();
  if (FButtonPressed) {
    FButtonPressed = false;
    if (HandleAllocated()) {
      const TRect R = ButtonRect();
      InvalidateRect(WindowHandle(), &R, false);
    }
  }
}

void TdxfCustomComboBox::DisposePopup(TPopupWindow* Old) {
  // CloseUp often runs inside one of the popup's own handlers (a chosen
  // row, its mouse hook): freeing it here would pull the object out from
  // under the code that called. It stays owned by the picker, hidden and
  // forgotten, until the posted message frees it; a picker destroyed before
  // then frees it with its other components.
  if (HasState(csDestroying)) return;
  FClosedPopups.push_back(Old);
  if (HandleAllocated() && PostMessage(WindowHandle(), kDisposePopups, 0, 0)) return;
  FClosedPopups.pop_back();
  // No window to post to: nothing of the popup can be running now that
  // could still need it (it is only shown from a picker with a window).
  delete Old;
}

// ---- Notifications ------------------------------------------------------------------

void TdxfCustomComboBox::FreeClosedPopups() {
  std::vector<TPopupWindow*> Closed;
  Closed.swap(FClosedPopups);
  for (TPopupWindow* Old : Closed) delete Old;
}

void TdxfCustomComboBox::Dispatch(TMessage& Message) {
  // While the picker goes, its parts may be gone already: only the
  // framework's own handling runs.
  if (HasState(csDestroying)) {
    TCustomControl::Dispatch(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_SIZE:
      WMSize(Message);
      break;
    case CM_FONTCHANGED:
      CMFontChanged(Message);
      break;
    case CM_COLORCHANGED:
      CMColorChanged(Message);
      break;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged(Message);
      break;
    case CM_PARENTCOLORCHANGED:
      CMPapentColorChanged(Message);
      break;
    case CM_FOCUSCHANGED:
      CMFocusChanged(Message);
      break;
    case WM_KILLFOCUS:
      WMKillFocus(Message);
      break;
    case CM_CANCELMODE:
      CMCancelMode(Message);
      break;
    case kDisposePopups:
      FreeClosedPopups();
      break;
    default:
      TCustomControl::Dispatch(Message);
  }
}

void TdxfCustomComboBox::WMSize(TMessage& Message) {
  // While the layout is read the size is not final yet; Loaded lays out.
  if (FLoading && !HasState(csDesigning)) return;
  TCustomControl::Dispatch(Message);
  if (!FResizeHeight) AdjustHeight();
  UpdateImageRect();
  UpdateEditBounds();
}

void TdxfCustomComboBox::CMFontChanged(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  if ((!FLoading || HasState(csDesigning)) && !FResizeHeight) AdjustHeight();
  Canvas()->SetFont(Font());
  if (FDroppedDown && FPopup) FPopup->SetFont(Font());
  UpdateEditBounds();
  Invalidate();
}

void TdxfCustomComboBox::CMColorChanged(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  FEdit->SetColor(Color());
}

void TdxfCustomComboBox::CMEnabledChanged(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  FEdit->SetEnabled(Enabled());
  if (HandleAllocated()) {
    const TRect R = ButtonRect();
    InvalidateRect(WindowHandle(), &R, false);
  }
}

void TdxfCustomComboBox::CMPapentColorChanged(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  FEdit->SetParentColor(ParentColor());
  if (FDroppedDown && FPopup) FPopup->SetParentColor(ParentColor());
}

void TdxfCustomComboBox::CMFocusChanged(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  if (FStyle == dcsDropDownList) InvalidateEditRect();
}

void TdxfCustomComboBox::WMKillFocus(TMessage& Message) {
  TCustomControl::Dispatch(Message);
  if (FDroppedDown) CloseUp();
}

void TdxfCustomComboBox::CMCancelMode(TMessage& Message) {
  auto* Sender = reinterpret_cast<TControl*>(Message.LParam);
  if (Sender != this && Sender != static_cast<TControl*>(FPopup)) CloseUp();
}
