// The picker's data: construction, items with their data words, the
// selection and text, the recently-used list, the update bracket, the
// property setters, the image list link and the layout properties.

#include "controls/picker/Dxfcombobox.h"
#include "controls/picker/Dxfres.h"
#include "framework/streaming/StreamingReader.h"
#include "framework/streaming/StreamingRegistry.h"
#include "framework/streaming/StreamingWriter.h"
#include "platform/gdi/SysColors.h"

// ---- TdxfRectsList ------------------------------------------------------------

TdxfRectsList::~TdxfRectsList() { TdxfRectsList::Clear(); }

void TdxfRectsList::SetRect(int Index, const TRect& Rect) {
  if (Index < 0) return;
  while (Index >= Count()) Add(reinterpret_cast<std::intptr_t>(new TRect(Rect)));
  *reinterpret_cast<TRect*>(Get(Index)) = Rect;
}

TRect TdxfRectsList::GetRect(int Index) const {
  if (Index < 0 || Index >= Count()) return TRect{0, 0, 0, 0};
  return *reinterpret_cast<const TRect*>(Get(Index));
}

void TdxfRectsList::Clear() {
  for (int I = 0; I < Count(); ++I) delete reinterpret_cast<TRect*>(Get(I));
  TList::Clear();
}

// ---- Construction -----------------------------------------------------------

TdxfCustomComboBox::TdxfCustomComboBox(TComponent* AOwner) : TCustomControl(AOwner) {
  // Not a container and not opaque: the framework erases under each paint.
  FControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks | csFixedHeight;
  SetParentColor(false);
  SetColor(clWindow);
  SetWidth(145);
  FEdit = new TValueEdit(this);
  FButtonWidth = GetSystemMetrics(SM_CXVSCROLL);
  FButtonPressed = false;
  FPopupHeight = 150;
  FPopupWidth = Width();
  FItems = std::make_unique<TStringList>();
  FItems->OnChange = [this](TObject* Sender) { ChangeItems(Sender); };
  FDroppedDown = false;
  FResizePopup = true;
  FMRUList = std::make_unique<TList>();
  SetItemIndex(-1);
  FMRUListColor = clWindow;
  FMRUListCount = 0;
  FResizeHeight = false;
  FLoading = true;
  FCheckBoxRects = std::make_unique<TdxfRectsList>();
  FMinPopupHeight = 100;
  FMinPopupWidth = 100;
  if (FPopupWidth < FMinPopupWidth) FPopupWidth = FMinPopupWidth;
  FShowImage = true;
  FMaxLength = FEdit->MaxLength();
  FStyle = dcsDropDown;
  FAutoSearch = false;
  FImageChangeLink = std::make_unique<TChangeLink>();
  FImageChangeLink->OnChange = [this](TObject* Sender) { ImageListChange(Sender); };
  FCheckBoxStyle = 0;
  FPopupWindowFont = std::make_unique<TFont>();
  FPopupWindowFont->Assign(Font());
}

// ---- Items ------------------------------------------------------------------

void TdxfCustomComboBox::SetItems(const TStrings* Value) { FItems->Assign(Value); }

void TdxfCustomComboBox::SetPopupRect(const TRect& Value) { FPopupRect = Value; }

bool TdxfCustomComboBox::GetChecked(int Index) const {
  if (Index < 0 || Index >= FItems->Count()) return false;
  return ItemDataChecked(FItems->GetObject(Index));
}

void TdxfCustomComboBox::SetChecked(int Index, bool Value) {
  if (Index < 0 || Index >= FItems->Count()) return;
  SetDataWord(Index, MakeItemData(GetImageIndex(Index), Value));
}

int TdxfCustomComboBox::GetImageIndex(int Index) const {
  if (Index < 0 || Index >= FItems->Count()) return -1;
  return ItemDataImageIndex(FItems->GetObject(Index));
}

void TdxfCustomComboBox::SetImageIndex(int Index, int Value) {
  if (Index < 0 || Index >= FItems->Count()) return;
  SetDataWord(Index, MakeItemData(Value, GetChecked(Index)));
}

void TdxfCustomComboBox::SetDataWord(int Index, std::intptr_t Data) {
  // Through the list's object setter, so the change handler runs.
  FItems->PutObject(Index, Data);
}

void TdxfCustomComboBox::SetItemIndex(int Value) {
  // Values below -1 would be stored and then fail on every item lookup.
  if (Value >= FItems->Count() || Value < -1) return;
  FItemIndex = Value;
  if (Value == -1) {
    FEdit->SetText("");
  } else {
    const std::string ItemText = FItems->Get(Value);
    FEdit->SetText(ItemText);
    FEdit->LastText = ItemText;
    if (FDroppedDown) MoveToMRUFront(Value);
  }
  if (FStyle == dcsDropDownList) InvalidateEditRect();
  FCurrentImageIndex = GetImageIndex(FItemIndex);
  InvalidateImage();
}

std::string TdxfCustomComboBox::GetText() const { return FEdit->Text(); }

void TdxfCustomComboBox::SetText(const std::string& Value) {
  const int Found = FItems->IndexOf(Value);
  if (Found >= 0) {
    SetItemIndex(Found);
    return;
  }
  SetItemIndex(-1);
  FEdit->SetText(Value);
  FEdit->LastText = Value;
}

void TdxfCustomComboBox::SetSorted(bool Value) {
  FItems->SetSorted(Value);
  FSorted = Value;
}

void TdxfCustomComboBox::ChangeItems(TObject* /*Sender*/) {
  if (FItemIndex == -1) return;
  if (FItemIndex >= FItems->Count()) {
    SetItemIndex(-1);
    return;
  }
  // The selection is a position: it now shows whatever item is there.
  const int OldImageIndex = FCurrentImageIndex;
  const std::string OldText = FEdit->Text();
  FEdit->SetText(FItems->Get(FItemIndex));
  FEdit->LastText = FEdit->Text();
  FCurrentImageIndex = GetImageIndex(FItemIndex);
  if (FCurrentImageIndex != OldImageIndex) InvalidateImage();
  if (FEdit->Text() != OldText) InvalidateValueStrip();
}

void TdxfCustomComboBox::BeginUpdate() { FItems->OnChange = nullptr; }

void TdxfCustomComboBox::EndUpdate() {
  FItems->OnChange = [this](TObject* Sender) { ChangeItems(Sender); };
  ChangeItems(FItems.get());
}

// ---- Recently used ------------------------------------------------------------

void TdxfCustomComboBox::MoveToMRUFront(int Index) {
  FMRUList->Insert(0, Index);
  for (int I = 1; I < FMRUList->Count(); ++I)
    if (FMRUList->Get(I) == Index) {
      FMRUList->Delete(I);
      break;
    }
}

void TdxfCustomComboBox::TrimMRUList() {
  while (FMRUList->Count() > 0 && FMRUList->Count() > FMRUListCount)
    FMRUList->Delete(FMRUList->Count() - 1);
}

void TdxfCustomComboBox::InsertInMRUList(int Index) {
  if (Index >= FItems->Count() || Index < 0) return;
  MoveToMRUFront(Index);
  TrimMRUList();
}

void TdxfCustomComboBox::ClearMRUList() { FMRUList->Clear(); }

void TdxfCustomComboBox::SetMRUListCount(int Value) {
  if (Value != FMRUListCount) FMRUListCount = Value;
}

void TdxfCustomComboBox::SetMRUListColor(TColor Value) {
  if (Value != FMRUListColor) FMRUListColor = Value;
}

int TdxfCustomComboBox::PopupRowToItem(int Row) const {
  const int MRUCount = FMRUList->Count();
  if (Row < 0) return -1;
  if (Row < MRUCount) return int(FMRUList->Get(Row));
  const int Item = Row - MRUCount;
  return Item < FItems->Count() ? Item : -1;
}

int TdxfCustomComboBox::ItemToMRURow(int Index) const { return FMRUList->IndexOf(Index); }

// ---- Property setters ---------------------------------------------------------

void TdxfCustomComboBox::SetStyle(TdxfComboBoxStyle Value) {
  FStyle = Value;
  FEdit->SetReadOnly(Value == dcsDropDownList);
  UpdateEditBounds();
  InvalidateValueStrip();
}

void TdxfCustomComboBox::SetShowImage(bool Value) {
  if (Value == FShowImage) return;
  FShowImage = Value;
  UpdateEditBounds();
  Invalidate();
}

void TdxfCustomComboBox::SetMultiLineText(bool Value) {
  if (Value == FMultiLineText) return;
  FMultiLineText = Value;
  UpdateEditBounds();
  InvalidateValueStrip();
}

void TdxfCustomComboBox::SetShowCheckBoxes(bool Value) {
  if (Value != FShowCheckBoxes) FShowCheckBoxes = Value;
}

void TdxfCustomComboBox::SetCheckBoxStyle(int Value) { FCheckBoxStyle = ClampCheckBoxStyle(Value); }

void TdxfCustomComboBox::SetMaxLength(int Value) {
  if (Value < 0) return;
  FMaxLength = Value;
  FEdit->SetMaxLength(Value);
}

void TdxfCustomComboBox::SetResizeHeight(bool Value) {
  FResizeHeight = Value;
  if (Value) return;
  AdjustHeight();
  UpdateEditBounds();
  Invalidate();
}

void TdxfCustomComboBox::ChangeScale(const TScale& Scale) {
  if (FDroppedDown) CloseUp();
  TCustomControl::ChangeScale(Scale);
  if (Scale.IsIdentity()) return;
  FButtonWidth = Scaled(GetSystemMetrics(SM_CXVSCROLL));
  // Minimums first: the setters keep the sizes at least the minimums.
  FMinPopupWidth = Scale.Apply(FMinPopupWidth);
  FMinPopupHeight = Scale.Apply(FMinPopupHeight);
  FPopupWidth = Scale.Apply(FPopupWidth);
  FPopupHeight = Scale.Apply(FPopupHeight);
  FPopupWindowFont->SetHeight(Scale.Apply(FPopupWindowFont->Height()));
  UpdateEditBounds();
  Invalidate();
}

void TdxfCustomComboBox::SetPopupWidth(int Value) {
  if (Value == FPopupWidth || Value < FMinPopupWidth) return;
  FPopupWidth = Value;
}

void TdxfCustomComboBox::SetPopupHeight(int Value) {
  if (Value == FPopupHeight || Value < FMinPopupHeight) return;
  FPopupHeight = Value;
}

void TdxfCustomComboBox::SetMinPopupWidth(int Value) {
  if (Value >= 0) FMinPopupWidth = Value;
  if (FMinPopupWidth > FPopupWidth) FPopupWidth = FMinPopupWidth;
}

void TdxfCustomComboBox::SetMinPopupHeight(int Value) {
  if (Value >= 0) FMinPopupHeight = Value;
  if (FMinPopupHeight > FPopupHeight) FPopupHeight = FMinPopupHeight;
}

void TdxfCustomComboBox::SetResizePopup(bool Value) {
  if (Value != FResizePopup) FResizePopup = Value;
}

void TdxfCustomComboBox::SetPopupWindowFont(const TFont* Value) {
  FPopupWindowFont->Assign(Value);
  SetParentFont(false);
}

void TdxfCustomComboBox::SetDragMode(TDragMode Value) {
  TCustomControl::SetDragMode(Value);
  FEdit->SetDragMode(Value);
}

// ---- Images -------------------------------------------------------------------

void TdxfCustomComboBox::SetImages(TImageList* Value) {
  if (FImages) {
    FImages->UnRegisterChanges(FImageChangeLink.get());
    if (FImages != Value) RemoveFreeNotification(FImages);
  }
  FImages = Value;
  if (FImages) {
    FImages->RegisterChanges(FImageChangeLink.get());
    FImages->FreeNotification(this);
  }
  if (!HasState(csLoading)) ImageListChange(this);
}

void TdxfCustomComboBox::ImageListChange(TObject* /*Sender*/) {
  UpdateImageRect();
  UpdateEditBounds();
  Invalidate();
}

void TdxfCustomComboBox::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr && AComponent == FImages) {
    // The list is told to us from its base destructor: it is no image list
    // any more and has already let go of our link, so it is not touched.
    FImages = nullptr;
    SetImages(nullptr);
    UpdateEditBounds();
    Invalidate();
  }
}

// ---- Loading ------------------------------------------------------------------

void TdxfCustomComboBox::Loaded() {
  TCustomControl::Loaded();
  FinishLoading();
}

void TdxfCustomComboBox::FinishLoading() {
  FLoading = false;
  if (!FResizeHeight) AdjustHeight();
  FEdit->SetImeMode(ImeMode());
  FEdit->SetImeName(ImeName());
  FEdit->SetParentColor(ParentColor());
  UpdateImageRect();
  UpdateEditBounds();
  FCurrentImageIndex = GetImageIndex(FItemIndex);
  InvalidateImage();
}

void TdxfCustomComboBox::ReadImageIndexes(TReader& Reader) {
  Reader.ReadListBegin();
  for (int I = 0; I < FItems->Count(); ++I) {
    if (Reader.EndOfList()) break;
    SetImageIndex(I, Reader.ReadInteger());
  }
  Reader.ReadListEnd();
}

void TdxfCustomComboBox::WriteImageIndexes(TWriter& Writer) {
  Writer.WriteListBegin();
  for (int I = 0; I < FItems->Count(); ++I) Writer.WriteInteger(GetImageIndex(I));
  Writer.WriteListEnd();
}

void TdxfCustomComboBox::ReadChecked(TReader& Reader) {
  Reader.ReadListBegin();
  for (int I = 0; I < FItems->Count(); ++I) {
    if (Reader.EndOfList()) break;
    SetChecked(I, Reader.ReadBoolean());
  }
  Reader.ReadListEnd();
}

void TdxfCustomComboBox::WriteChecked(TWriter& Writer) {
  Writer.WriteListBegin();
  for (int I = 0; I < FItems->Count(); ++I) Writer.WriteBoolean(GetChecked(I));
  Writer.WriteListEnd();
}

void TdxfCustomComboBox::ReadHeight(TReader& Reader) { SetHeight(Reader.ReadInteger()); }

void TdxfCustomComboBox::WriteHeight(TWriter& Writer) { Writer.WriteInteger(Height()); }

void TdxfComboBox::DefineProperties(TFiler* Filer) {
  TdxfCustomComboBox::DefineProperties(Filer);
  Filer->DefineProperty(
      "ImageIndexes", [this](TReader& R) { ReadImageIndexes(R); },
      [this](TWriter& W) { WriteImageIndexes(W); }, true);
  Filer->DefineProperty(
      "Checked", [this](TReader& R) { ReadChecked(R); }, [this](TWriter& W) { WriteChecked(W); },
      true);
  Filer->DefineProperty(
      "Height", [this](TReader& R) { ReadHeight(R); }, [this](TWriter& W) { WriteHeight(W); },
      true);
}

// ---- Published properties -----------------------------------------------------

namespace {
const std::vector<std::string> kImeModes = {"imDisable", "imClose",   "imOpen",     "imDontCare",
                                            "imSAlpha",  "imAlpha",   "imHira",     "imSKata",
                                            "imKata",    "imChinese", "imSHanguel", "imHanguel"};
}  // namespace

const TPropList& TdxfCustomComboBox::PublishedProperties() {
  using C = TdxfCustomComboBox;
  static const TPropList List =
      TPropertyTable<C>(TCustomControl::PublishedProperties())
          // The height is written as the extra property "Height" instead.
          .Redeclare("Height", NeverStored())
          .Integer("MRUListCount", &C::MRUListCount, &C::SetMRUListCount)
          .Color("MRUListColor", &C::MRUListColor, &C::SetMRUListColor)
          .Integer("PopupWidth", &C::PopupWidth, &C::SetPopupWidth)
          .Integer("PopupHeight", &C::PopupHeight, &C::SetPopupHeight)
          .Integer("MinPopupWidth", &C::MinPopupWidth, &C::SetMinPopupWidth)
          .Integer("MinPopupHeight", &C::MinPopupHeight, &C::SetMinPopupHeight)
          .Boolean("ResizePopup", &C::ResizePopup, &C::SetResizePopup, DefaultIs(1))
          .Boolean("ResizeHeight", &C::ResizeHeight, &C::SetResizeHeight)
          .Object<TFont>("PopupWindowFont", &C::PopupWindowFont)
          .Object<TFont>("Font", &TControl::Font)
          .Color("Color", &TControl::Color, &TControl::SetColor, DefaultIs(clWindow))
          .Boolean("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D)
          .Integer("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor, DefaultIs(crDrag),
                   &CursorIdents())
          .Enum("DragMode", &TControl::DragMode, &C::SetDragMode, {"dmManual", "dmAutomatic"},
                DefaultIs(dmManual))
          .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled)
          .Enum("ImeMode", &TWinControl::ImeMode, &TWinControl::SetImeMode, kImeModes,
                DefaultIs(imDontCare))
          .String("ImeName", &TWinControl::ImeName, &TWinControl::SetImeName, AlwaysStored())
          .Integer("MaxLength", &C::MaxLength, &C::SetMaxLength)
          .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, DefaultIs(0))
          .Boolean("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D,
                   DefaultIs(1))
          .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, DefaultIs(1))
          .Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint,
                   DefaultIs(1))
          .Component("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
          .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
          .Enum("Style", &C::Style, &C::SetStyle, {"dcsDropDown", "dcsDropDownList"})
          .Enum("Align", &TControl::Align, &TControl::SetAlign,
                {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, DefaultIs(alNone))
          .Event("OnEnter", &TWinControl::OnEnter, EventSetter(&TWinControl::OnEnter))
          .Event("OnExit", &TWinControl::OnExit, EventSetter(&TWinControl::OnExit))
          .Event("OnKeyDown", &TWinControl::OnKeyDown, EventSetter(&TWinControl::OnKeyDown))
          .Event("OnKeyPress", &TWinControl::OnKeyPress, EventSetter(&TWinControl::OnKeyPress))
          .Event("OnKeyUp", &TWinControl::OnKeyUp, EventSetter(&TWinControl::OnKeyUp))
          .Event("OnClick", &TControl::OnClick, EventSetter(&TControl::OnClick))
          .Event("OnDblClick", &TControl::OnDblClick, EventSetter(&TControl::OnDblClick))
          .Event("OnDragDrop", &TControl::OnDragDrop, EventSetter(&TControl::OnDragDrop))
          .Event("OnDragOver", &TControl::OnDragOver, EventSetter(&TControl::OnDragOver))
          .Event("OnEndDrag", &TControl::OnEndDrag, EventSetter(&TControl::OnEndDrag))
          .Event("OnStartDrag", &TControl::OnStartDrag, EventSetter(&TControl::OnStartDrag))
          .Event("OnDropDown", &C::OnDropDown, EventSetter(&C::OnDropDown))
          .Event("OnCloseUp", &C::OnCloseUp, EventSetter(&C::OnCloseUp))
          .Event("OnChange", &C::OnChange, EventSetter(&C::OnChange))
          .Event("OnMeasureItem", &C::OnMeasureItem, EventSetter(&C::OnMeasureItem));
  return List;
}

const TPropList& TdxfComboBox::PublishedProperties() {
  using C = TdxfCustomComboBox;
  static const TPropList List =
      TPropertyTable<C>(TdxfCustomComboBox::PublishedProperties())
          .Boolean("ShowCheckBoxes", &C::ShowCheckBoxes, &C::SetShowCheckBoxes)
          .Strings("Items", &C::Items, &C::SetItems)
          .Component("Images", &C::Images, &C::SetImages)
          .Integer("ItemIndex", &C::ItemIndex, &C::SetItemIndex)
          .Boolean("MultiLineText", &C::MultiLineText, &C::SetMultiLineText)
          .Boolean("ShowImage", &C::ShowImage, &C::SetShowImage)
          .Boolean("AutoSearch", &C::AutoSearch, &C::SetAutoSearch)
          .Integer("CheckBoxStyle", &C::CheckBoxStyle, &C::SetCheckBoxStyle)
          .String("Text", &C::GetText, &C::SetText, AlwaysStored())
          .Boolean("Sorted", &C::Sorted, &C::SetSorted)
          .Event("OnDrawItem", &C::OnDrawItem, EventSetter(&C::OnDrawItem));
  return List;
}

void RegisterDxfComboBox() { RegisterClass<TdxfComboBox>("TdxfComboBox"); }
