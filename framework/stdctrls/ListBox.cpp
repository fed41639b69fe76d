// TCustomListBox: the control side (Items, properties, the owner-draw
// dispatch, hooks) and the row store. The list's window procedure (painting,
// scrolling, mouse and keys) is in ListBoxWindow.cpp.

#include "framework/stdctrls/ListBox.h"

#include <algorithm>

#include "framework/graphics/CanvasBinding.h"
#include "framework/streaming/StreamingProperties.h"
#include "platform/gdi/FrameControls.h"
#include "platform/window/WindowDC.h"

// ---- Items ---------------------------------------------------------------------

// The list box's rows seen as a TStrings: every change goes to the list at
// once, so it is measured, repainted and keeps its selection.
class TListBoxStrings : public TStrings {
public:
  explicit TListBoxStrings(TCustomListBox* ListBox) : FListBox(ListBox) {}

  int Count() const override { return int(FListBox->FRows.size()); }
  std::string Get(int Index) const override {
    Check(Index);
    return FListBox->FRows[std::size_t(Index)].Text;
  }
  // Keeps the row's data word and the selection; the row is measured anew,
  // since its text changed.
  void Put(int Index, const std::string& S) override {
    Check(Index);
    FListBox->FRows[std::size_t(Index)].Text = S;
    FListBox->FRows[std::size_t(Index)].Height = -1;
    if (FListBox->HandleAllocated()) FListBox->MeasureRow(Index);
    FListBox->RowsChanged();
  }
  std::intptr_t GetObject(int Index) const override {
    Check(Index);
    return FListBox->FRows[std::size_t(Index)].Data;
  }
  void PutObject(int Index, std::intptr_t AObject) override {
    Check(Index);
    FListBox->FRows[std::size_t(Index)].Data = AObject;
  }
  void InsertObject(int Index, const std::string& S, std::intptr_t AObject) override {
    if (Index < 0 || Index > Count()) IndexError(Index);
    FListBox->InsertRow(Index, S, AObject);
  }
  void Delete(int Index) override {
    Check(Index);
    FListBox->DeleteRow(Index);
  }
  void Clear() override { FListBox->ClearRows(); }

protected:
  void SetUpdateState(bool Updating) override { FListBox->SetRedraw(!Updating); }

private:
  void Check(int Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
  }
  TCustomListBox* FListBox;
};

// ---- construction ------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner),
      FItems(std::make_unique<TListBoxStrings>(this)),
      FCanvas(std::make_unique<TControlCanvas>(this)) {
  // The list takes its own clicks (LBN_SELCHANGE) and holds the capture
  // itself while a button is down.
  FControlStyle = csSetCaption | csDoubleClicks;
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() {
  // The window's procedure is this object's: the window goes while the
  // object is whole.
  Destroying();
  FCanvas->FreeHandle();
  DestroyHandle();
}

TStrings* TCustomListBox::Items() const { return FItems.get(); }

void TCustomListBox::SetItems(const TStrings* Value) { FItems->Assign(Value); }

int TCustomListBox::Count() const { return int(FRows.size()); }

void TCustomListBox::Clear() { FItems->Clear(); }

TCanvas* TCustomListBox::Canvas() const { return FCanvas.get(); }

// ---- window ---------------------------------------------------------------------

DWORD TCustomListBox::StyleBits() const {
  DWORD Style = WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_HASSTRINGS;
  if (!FIntegralHeight) Style |= LBS_NOINTEGRALHEIGHT;
  if (FStyle == lbOwnerDrawFixed) Style |= LBS_OWNERDRAWFIXED;
  if (FStyle == lbOwnerDrawVariable) Style |= LBS_OWNERDRAWVARIABLE;
  return Style;
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= StyleBits();
  if (FBorderStyle != bsNone) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
  Params.WindowClass.style |= CS_DBLCLKS;
  Params.WindowClass.hbrBackground = clWindow;
  Params.WindowClass.lpfnWndProc = [this](HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    return ListWndProc(Window, Msg, WParam, LParam);
  };
}

void TCustomListBox::CreateWnd() {
  FListReady = false;
  TWinControl::CreateWnd();
  // The rows the control kept without a window are added to the new one:
  // measured now, each once.
  for (int I = 0; I < Count(); ++I) FRows[std::size_t(I)].Height = -1;
  if (IsVariable())
    for (int I = 0; I < Count(); ++I) MeasureRow(I);
  FListReady = true;
  // The bars first: they take room from the client area.
  UpdateScrollBars();
  if (!(FListStyle & (LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWVARIABLE)))
    SetWindowPos(WindowHandle(), nullptr, 0, 0, Width(), Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (FItemIndex >= Count()) FItemIndex = -1;
  DoSetTopIndex(FTopIndex);
  MakeVisible(FItemIndex);
  UpdateScrollBars();
}

void TCustomListBox::DestroyWnd() {
  FCanvas->FreeHandle();
  FListReady = false;
  FListFocused = false;
  FTracking = false;
  TWinControl::DestroyWnd();
}

void TCustomListBox::Loaded() {
  TWinControl::Loaded();
  FStandardHeight = -1;
}

// ---- properties --------------------------------------------------------------------

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

int TCustomListBox::ItemHeight() const {
  return FStyle == lbStandard ? FixedRowHeight() : FItemHeight;
}

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0 || FItemHeight == Value) return;
  FItemHeight = Value;
  // Fixed rows take the new height at once; measured rows keep theirs.
  if (FStyle == lbOwnerDrawFixed) RowsChanged();
}

void TCustomListBox::SetIntegralHeight(bool Value) {
  if (FIntegralHeight == Value) return;
  FIntegralHeight = Value;
  RecreateWnd();
}

void TCustomListBox::SetScrollWidth(int Value) {
  Value = std::max(0, Value);
  if (FScrollWidth == Value) return;
  FScrollWidth = Value;
  UpdateScrollBars();
  InvalidateList();
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value) {
  if (Value != bsNone) Value = bsSingle;
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

int TCustomListBox::ItemIndex() const { return FItemIndex; }

void TCustomListBox::SetItemIndex(int Value) {
  if (Value < 0 || Value >= Count()) Value = -1;
  if (Value != FItemIndex) {
    InvalidateRow(FItemIndex);
    InvalidateRow(FCaretIndex);
    FItemIndex = Value;
    if (Value >= 0) FCaretIndex = Value;
    InvalidateRow(FItemIndex);
    InvalidateRow(FCaretIndex);
  }
  if (Value >= 0) MakeVisible(Value);
}

int TCustomListBox::TopIndex() const { return FTopIndex; }

void TCustomListBox::SetTopIndex(int Value) { DoSetTopIndex(Value); }

// ---- rows ---------------------------------------------------------------------------

bool TCustomListBox::IsVariable() const { return (ListStyle() & LBS_OWNERDRAWVARIABLE) != 0; }

DWORD TCustomListBox::ListStyle() const {
  if (HandleAllocated()) return FListStyle;
  return StyleBits();
}

int TCustomListBox::FixedRowHeight() const {
  const DWORD Style = ListStyle();
  if (Style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) return FItemHeight;
  return FontHeight();
}

int TCustomListBox::FontHeight() const {
  if (FStandardHeight < 0) {
    // A plain row is as high as the font's text.
    TWindowDC DC(nullptr);
    // No window system to measure with (yet).
    if (!DC) return FItemHeight;
    TCanvas Measure;
    TCanvasBinding Bound(Measure, DC);
    Measure.SetFont(Font());
    FStandardHeight = std::max(1, Measure.TextHeight("Wg"));
  }
  return FStandardHeight;
}

int TCustomListBox::RowHeight(int Index) const {
  if (Index < 0 || Index >= Count()) return 0;
  if (IsVariable()) {
    const int H = FRows[std::size_t(Index)].Height;
    return H >= 0 ? H : FItemHeight;
  }
  return FixedRowHeight();
}

void TCustomListBox::MeasureRow(int Index) {
  TRow& Row = FRows[std::size_t(Index)];
  if (!IsVariable()) return;
  MEASUREITEMSTRUCT Measure;
  Measure.CtlType = ODT_LISTBOX;
  Measure.CtlID = UINT(GetWindowLong(WindowHandle(), GWL_ID));
  Measure.itemID = UINT(Index);
  Measure.itemWidth = UINT(std::max(0, ListClientWidth()));
  Measure.itemHeight = UINT(FItemHeight);
  Measure.itemData = std::uintptr_t(Row.Data);
  Perform(CN_MEASUREITEM, Measure.CtlID, reinterpret_cast<LPARAM>(&Measure));
  // A handler may have changed the rows meanwhile.
  if (Index < Count())
    FRows[std::size_t(Index)].Height = std::max(1, int(std::int32_t(Measure.itemHeight)));
}

void TCustomListBox::InsertRow(int Index, const std::string& S, std::intptr_t Data) {
  FRows.insert(FRows.begin() + Index, TRow{S, Data, -1});
  // The selection, the caret and the top row stay on their rows.
  if (FItemIndex >= Index) ++FItemIndex;
  if (FCaretIndex >= Index && Count() > 1) ++FCaretIndex;
  if (FTopIndex > Index) ++FTopIndex;
  if (HandleAllocated() && FListReady) MeasureRow(Index);
  RowsChanged();
}

void TCustomListBox::DeleteRow(int Index) {
  FRows.erase(FRows.begin() + Index);
  if (FItemIndex == Index)
    FItemIndex = -1;
  else if (FItemIndex > Index)
    --FItemIndex;
  if (FCaretIndex > Index) --FCaretIndex;
  FCaretIndex = std::clamp(FCaretIndex, 0, std::max(0, Count() - 1));
  if (FTopIndex > Index) --FTopIndex;
  RowsChanged();
}

void TCustomListBox::ClearRows() {
  FRows.clear();
  FItemIndex = -1;
  FCaretIndex = 0;
  FTopIndex = 0;
  FTracking = false;
  RowsChanged();
}

void TCustomListBox::RowsChanged() {
  if (!FRedraw) return;
  if (FTopIndex > MaxTopIndex()) FTopIndex = MaxTopIndex();
  UpdateScrollBars();
  InvalidateList();
}

void TCustomListBox::SetRedraw(bool Value) {
  if (FRedraw == Value) return;
  FRedraw = Value;
  if (Value) RowsChanged();
}

// ---- geometry -------------------------------------------------------------------------

int TCustomListBox::ListClientHeight() const { return ClientRect().Height(); }

int TCustomListBox::ListClientWidth() const { return ClientRect().Width(); }

int TCustomListBox::MaxTopIndex() const {
  const int N = Count();
  if (N == 0) return 0;
  const int H = ListClientHeight();
  int Sum = 0, I = N - 1;
  while (I >= 0 && Sum + RowHeight(I) <= H) Sum += RowHeight(I--);
  // A last row taller than the client area is shown from its top.
  return std::min(I + 1, N - 1);
}

int TCustomListBox::LastFullyVisible(int Top) const {
  const int N = Count();
  if (N == 0) return -1;
  const int H = ListClientHeight();
  int Y = 0, I = Top;
  while (I < N && Y + RowHeight(I) <= H) Y += RowHeight(I++);
  return std::max(Top, I - 1);
}

int TCustomListBox::TopForBottom(int Bottom) const {
  const int H = ListClientHeight();
  int Sum = RowHeight(Bottom), I = Bottom;
  while (I > 0 && Sum + RowHeight(I - 1) <= H) Sum += RowHeight(--I);
  return I;
}

TRect TCustomListBox::ItemRect(int Index) const {
  const int N = Count();
  const int Left = -FHorzPos;
  const int Right = Left + std::max(ListClientWidth(), FScrollWidth);
  if (Index == N) {
    if (N == 0) return TRect{Left, 0, Right, ItemHeight()};
    TRect R = ItemRect(N - 1);
    const int H = R.Height();
    R.Top += H;
    R.Bottom += H;
    return R;
  }
  if (Index < 0 || Index > N) return TRect{};
  int Top = 0;
  if (Index >= FTopIndex)
    for (int I = FTopIndex; I < Index; ++I) Top += RowHeight(I);
  else
    for (int I = Index; I < FTopIndex; ++I) Top -= RowHeight(I);
  return TRect{Left, Top, Right, Top + RowHeight(Index)};
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) const {
  const TRect Client{0, 0, ListClientWidth(), ListClientHeight()};
  if (!Client.Contains(Pos.X, Pos.Y)) return -1;
  const int N = Count();
  int Y = 0;
  for (int I = FTopIndex; I < N && Y < Client.Bottom; ++I) {
    const int H = RowHeight(I);
    if (Pos.Y >= Y && Pos.Y < Y + H) return I;
    Y += H;
  }
  return Existing ? -1 : N;
}

// ---- scrolling ---------------------------------------------------------------------------

void TCustomListBox::DoSetTopIndex(int Value) {
  Value = std::clamp(Value, 0, MaxTopIndex());
  if (Value == FTopIndex) return;
  FTopIndex = Value;
  if (!HandleAllocated() || !FRedraw) return;
  SetScrollPos(WindowHandle(), SB_VERT, FTopIndex, true);
  InvalidateList();
}

void TCustomListBox::MakeVisible(int Index) {
  if (Index < 0 || Index >= Count()) return;
  if (Index < FTopIndex)
    DoSetTopIndex(Index);
  else if (Index > LastFullyVisible(FTopIndex))
    DoSetTopIndex(TopForBottom(Index));
}

void TCustomListBox::UpdateScrollBars() {
  if (!HandleAllocated() || !FListReady || !FRedraw || FUpdatingBars) return;
  FUpdatingBars = true;
  struct TDone {
    bool& Flag;
    ~TDone() { Flag = false; }
  } Done{FUpdatingBars};
  const HWND Window = WindowHandle();
  // Each bar takes room from the other's direction: twice settles it.
  for (int Pass = 0; Pass < 2; ++Pass) {
    if (FListStyle & WS_VSCROLL) {
      SCROLLINFO Info;
      Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
      if (FListStyle & LBS_DISABLENOSCROLL) Info.fMask |= SIF_DISABLENOSCROLL;
      const int N = Count();
      FTopIndex = std::clamp(FTopIndex, 0, MaxTopIndex());
      Info.nMin = 0;
      Info.nMax = std::max(0, N - 1);
      Info.nPage = UINT(std::max(1, N - MaxTopIndex()));
      Info.nPos = FTopIndex;
      SetScrollInfo(Window, SB_VERT, Info, true);
    }
    if (FListStyle & WS_HSCROLL) {
      SCROLLINFO Info;
      Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
      if (FListStyle & LBS_DISABLENOSCROLL) Info.fMask |= SIF_DISABLENOSCROLL;
      const int Width = ListClientWidth();
      FHorzPos = std::clamp(FHorzPos, 0, std::max(0, FScrollWidth - Width));
      Info.nMin = 0;
      Info.nMax = std::max(0, FScrollWidth - 1);
      Info.nPage = UINT(std::max(0, Width));
      Info.nPos = FHorzPos;
      SetScrollInfo(Window, SB_HORZ, Info, true);
    }
  }
}

void TCustomListBox::ScrollHorz(int Pos) {
  Pos = std::clamp(Pos, 0, std::max(0, FScrollWidth - ListClientWidth()));
  if (Pos == FHorzPos) return;
  FHorzPos = Pos;
  if (!HandleAllocated()) return;
  SetScrollPos(WindowHandle(), SB_HORZ, FHorzPos, true);
  InvalidateList();
}

void TCustomListBox::InvalidateRow(int Index) {
  if (!HandleAllocated() || !FRedraw) return;
  if (Count() == 0) {
    InvalidateList();
    return;
  }
  if (Index < 0 || Index >= Count()) return;
  const TRect R = ItemRect(Index);
  if (R.Bottom <= 0 || R.Top >= ListClientHeight()) return;
  InvalidateRect(WindowHandle(), &R, true);
}

void TCustomListBox::InvalidateList() {
  if (HandleAllocated() && FRedraw) InvalidateRect(WindowHandle(), nullptr, true);
}

// ---- the owner-draw dispatch -----------------------------------------------------------

void TCustomListBox::PrepareCanvas(bool Selected) {
  FCanvas->SetFont(Font());
  FCanvas->Brush()->SetStyle(bsSolid);
  FCanvas->Brush()->SetColor(Color());
  if (Selected) {
    FCanvas->Brush()->SetColor(clHighlight);
    FCanvas->Font()->SetColor(clHighlightText);
  }
}

void TCustomListBox::CNDrawItem(TMessage& Message) {
  auto* Draw = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  if (!Draw || !Draw->hDC) return;
  const TOwnerDrawState State = TOwnerDrawState(Draw->itemState & 0xFFFF);
  const int Index = int(Draw->itemID);
  TCanvasBinding Bound(*FCanvas, Draw->hDC);
  PrepareCanvas(Index >= 0 && (State & odSelected));
  if (Index >= 0)
    DrawItem(Index, Draw->rcItem, State);
  else
    FCanvas->FillRect(Draw->rcItem);
  if (State & odFocused) ::DrawFocusRect(*Draw->hDC, Draw->rcItem);
  Message.Result = 1;
}

void TCustomListBox::CNMeasureItem(TMessage& Message) {
  auto* Measure = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  if (!Measure) return;
  int Height = int(Measure->itemHeight);
  if (FStyle == lbOwnerDrawVariable || IsVariable())
    MeasureItem(int(Measure->itemID), Height);
  else
    Height = FItemHeight;
  Measure->itemHeight = UINT(std::max(0, Height));
  Message.Result = 1;
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  FCanvas->FillRect(Rect);
  if (Index >= 0 && Index < Count())
    FCanvas->TextOut(Rect.Left + 2, Rect.Top, FRows[std::size_t(Index)].Text);
}

void TCustomListBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomListBox::CNCommand(TMessage& Message) {
  switch (HIWORD(Message.WParam)) {
    case LBN_SELCHANGE:
      Click();
      break;
    case LBN_DBLCLK:
      DblClick();
      break;
    default:
      break;
  }
}

// ---- notifications and messages -----------------------------------------------------------

void TCustomListBox::CMFontChanged(TMessage& Message) {
  TWinControl::CMFontChanged(Message);
  FStandardHeight = -1;
  RowsChanged();
}

void TCustomListBox::CMColorChanged(TMessage& Message) {
  TWinControl::CMColorChanged(Message);
  InvalidateList();
}

void TCustomListBox::WMSize(TMessage& Message) { TWinControl::WMSize(Message); }

void TCustomListBox::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TCustomListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_DRAWITEM:
      CNDrawItem(Message);
      break;
    case CN_MEASUREITEM:
      CNMeasureItem(Message);
      break;
    case CN_COMMAND:
      CNCommand(Message);
      break;
    case CM_FONTCHANGED:
      CMFontChanged(Message);
      break;
    case CM_COLORCHANGED:
      CMColorChanged(Message);
      break;
    case WM_SIZE:
      WMSize(Message);
      break;
    case WM_GETDLGCODE:
      WMGetDlgCode(Message);
      break;
    default:
      TWinControl::Dispatch(Message);
      break;
  }
}

// ---- TListBox ------------------------------------------------------------------------------

TListBox::TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}

const TPropList& TListBox::PublishedProperties() {
  static const TPropList List =
      TPropertyTable<TListBox>(TWinControl::PublishedProperties())
          .Enum("Align", &TControl::Align, &TControl::SetAlign,
                {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, DefaultIs(alNone))
          .Enum("BorderStyle", &TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle,
                {"bsNone", "bsSingle"}, DefaultIs(bsSingle))
          .Color("Color", &TControl::Color, &TControl::SetColor, DefaultIs(clWindow))
          .StoredWhen([](TListBox& L) { return !L.ParentColor(); })
          .Boolean("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D, DefaultIs(1))
          .StoredWhen([](TListBox& L) { return !L.ParentCtl3D(); })
          .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled, DefaultIs(1))
          .Object<TFont>("Font", &TControl::Font)
          .StoredWhen([](TListBox& L) { return !L.ParentFont(); })
          .Boolean("IntegralHeight", &TCustomListBox::IntegralHeight,
                   &TCustomListBox::SetIntegralHeight, DefaultIs(0))
          .Integer("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight,
                   DefaultIs(16))
          .Strings("Items", &TCustomListBox::Items, &TCustomListBox::SetItems)
          .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, DefaultIs(0))
          .Boolean("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D,
                   DefaultIs(1))
          .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, DefaultIs(1))
          .Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint,
                   DefaultIs(1))
          .Component("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
          .Integer("ScrollWidth", &TCustomListBox::ScrollWidth, &TCustomListBox::SetScrollWidth,
                   DefaultIs(0))
          .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, DefaultIs(0))
          .StoredWhen([](TListBox& L) { return !L.ParentShowHint(); })
          .Enum("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle,
                {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"}, DefaultIs(lbStandard))
          .Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, DefaultIs(-1))
          .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, DefaultIs(1))
          .Boolean("Visible", &TControl::Visible, &TControl::SetVisible, DefaultIs(1))
          .Event("OnClick", &TControl::OnClick, EventSetter(&TControl::OnClick))
          .Event("OnDblClick", &TControl::OnDblClick, EventSetter(&TControl::OnDblClick))
          .Event("OnDrawItem", &TCustomListBox::OnDrawItem,
                 EventSetter(&TCustomListBox::OnDrawItem))
          .Event("OnEnter", &TWinControl::OnEnter, EventSetter(&TWinControl::OnEnter))
          .Event("OnExit", &TWinControl::OnExit, EventSetter(&TWinControl::OnExit))
          .Event("OnKeyDown", &TWinControl::OnKeyDown, EventSetter(&TWinControl::OnKeyDown))
          .Event("OnKeyPress", &TWinControl::OnKeyPress, EventSetter(&TWinControl::OnKeyPress))
          .Event("OnKeyUp", &TWinControl::OnKeyUp, EventSetter(&TWinControl::OnKeyUp))
          .Event("OnMeasureItem", &TCustomListBox::OnMeasureItem,
                 EventSetter(&TCustomListBox::OnMeasureItem))
          .Event("OnMouseDown", &TControl::OnMouseDown, EventSetter(&TControl::OnMouseDown))
          .Event("OnMouseMove", &TControl::OnMouseMove, EventSetter(&TControl::OnMouseMove))
          .Event("OnMouseUp", &TControl::OnMouseUp, EventSetter(&TControl::OnMouseUp));
  return List;
}
