#pragma once
// TdxfComboBox: the site picker. A custom-drawn drop-down control whose closed
// face shows the selected item's image and text, with a text editor inside
// the face (TValueEdit) and a popup list (TPopupWindow, Dxfpopup.h) that shows
// a short recently-used section followed by every item, each item optionally
// with an image and a tick box.
//
// Each item keeps its image index and its tick together in the object slot of
// Items, as one data word (MakeItemData below), so sorting, moving and
// assigning the list carry them along with the text.
//
// Popup rows: row r stands for the item MRUList()[r] while r is below the
// MRUList count, and for item r - count otherwise (PopupRowToItem). Every
// mapping between rows and items goes through that rule.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/core/StringList.h"
#include "framework/forms/Controls.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageList.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/ListBox.h"

class TPopupWindow;  // Dxfpopup.h
class TReader;
class TWriter;
class TdxfCustomComboBox;

// ---- Enumerations ---------------------------------------------------------

enum TdxfComboBoxStyle : std::uint8_t {
  dcsDropDown,      // the editor is editable
  dcsDropDownList,  // the editor is read-only and zero-sized; the face draws the text
};
// Which corner of the popup carries the size grip.
enum TdxfCorner { coTopLeft, coTopRight, coBottomLeft, coBottomRight };
enum TdxfFontType { ftDevice, ftRaster, ftTrueType };
using TdxfFontTypes = std::uint8_t;  // bit 0 ftDevice, bit 1 ftRaster, bit 2 ftTrueType
enum TdxfColorType { ctStandardColors, ctSystemColors, ctColorNone };
using TdxfColorTypes = std::uint8_t;

// ---- Events -----------------------------------------------------------------

using TDropDownEvent = TNotifyEvent;
using TChangeEvent = TNotifyEvent;
// Value starts as the editor's text; what the handler leaves becomes the text.
using TCloseUpEvent = std::function<void(TObject* Sender, std::string& Value)>;
// Index is an item index, not a popup row.
using TMeasureItemEvent = std::function<void(TObject* Sender, int Index, bool ItemInMRUList,
                                             bool LastItemInMRUList, int& Height)>;
using TDrawItemEvent = std::function<void(
    TObject* Sender, int Index, bool ItemInMRUList, bool LastItemInMRUList, int& ImageIndex,
    bool& Checked, TOwnerDrawState State, std::string& AText, TCanvas* ACanvas, const TRect& ARect,
    TColor& AColor, TFont* AFont, bool& ADone)>;

// ---- The item data word -----------------------------------------------------

// (ImageIndex + 1) * 2, plus 1 when ticked. An item added without an object
// (0) has image index -1 and no tick; a negative word reads as unticked.
inline std::intptr_t MakeItemData(int ImageIndex, bool Checked) {
  return (std::intptr_t(ImageIndex) + 1) * 2 + (Checked ? 1 : 0);
}
inline int ItemDataImageIndex(std::intptr_t Data) { return int(Data / 2) - 1; }
inline bool ItemDataChecked(std::intptr_t Data) { return Data % 2 == 1; }

// ---- TdxfRectsList ------------------------------------------------------------

// One rectangle per popup row: where the popup drew the row's tick box.
class TdxfRectsList : public TList {
public:
  TdxfRectsList() = default;
  ~TdxfRectsList() override;
  // Grows the list to Index + 1 entries, each new one equal to Rect, then
  // stores Rect at Index. A negative Index is ignored.
  void SetRect(int Index, const TRect& Rect);
  // The rectangle at Index; the empty rectangle outside the list.
  TRect GetRect(int Index) const;
  void Clear() override;
};

// ---- TValueEdit -------------------------------------------------------------

// The single-line editor inside the picker's face. Every key, click and drag
// that reaches it is handed to the picker, so the picker acts as one control.
class TValueEdit : public TEdit {
public:
  // AOwner is the picker; it becomes the parent too.
  explicit TValueEdit(TComponent* AOwner);

  TdxfCustomComboBox* ComboBox() const { return FComboBox; }
  // The text as of the last key release, or as last set by the picker.
  std::string LastText;
  // The selection length as of the last key release.
  int LastSelLength = 0;

  // Redraw off (true) or on again (false) around a completion.
  void SetUpdateState(bool Updating);

  void Dispatch(TMessage& Message) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DragDrop(TObject* Source, int X, int Y) override;
  void Click() override;
  void DblClick() override;

protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void WMKillFocus(TMessage& Message);

private:
  void StartDrag(TObject* Sender, TDragObject*& DragObject);
  void EndDrag(TObject* Sender, TObject* Target, int X, int Y);
  void AChange(TObject* Sender);
  // Completion and first-letter search on key release.
  void SearchOnKeyUp(WORD Key);

  TdxfCustomComboBox* FComboBox;
};

// ---- TdxfCustomComboBox -----------------------------------------------------

class TdxfCustomComboBox : public TCustomControl {
public:
  explicit TdxfCustomComboBox(TComponent* AOwner);
  ~TdxfCustomComboBox() override;

  // ---- items
  TStringList* Items() const { return FItems.get(); }
  // Copies strings and data words.
  void SetItems(const TStrings* Value);
  // The tick and image index of an item; out-of-range indexes read as
  // unticked and -1, and writing them does nothing.
  bool GetChecked(int Index) const;
  void SetChecked(int Index, bool Value);
  int GetImageIndex(int Index) const;
  void SetImageIndex(int Index, int Value);

  // Selected item, -1 for none. Values at or beyond the count and below -1
  // are ignored.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  // The editor's text. Setting an item's text (ignoring case) selects it;
  // any other text clears the selection and is shown as given.
  std::string GetText() const;
  void SetText(const std::string& Value);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);

  // ---- recently used
  // Item indexes, most recent first.
  const TList* MRUList() const { return FMRUList.get(); }
  // Puts a valid Index in front, drops its older entry and trims to
  // MRUListCount.
  void InsertInMRUList(int Index);
  void ClearMRUList();
  int MRUListCount() const { return FMRUListCount; }
  void SetMRUListCount(int Value);
  TColor MRUListColor() const { return FMRUListColor; }
  void SetMRUListColor(TColor Value);

  // ---- popup rows: recently used first, then every item
  int PopupRowCount() const { return FMRUList->Count() + FItems->Count(); }
  // The item a row stands for; -1 outside the rows.
  int PopupRowToItem(int Row) const;
  // The row where the item is listed among all items.
  int ItemToPopupRow(int Index) const { return FMRUList->Count() + Index; }
  // The first recently-used row naming the item, or -1.
  int ItemToMRURow(int Index) const;

  // ---- update bracket: not counted; EndUpdate runs ChangeItems once
  void BeginUpdate();
  void EndUpdate();

  // ---- appearance and behaviour
  TdxfComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TdxfComboBoxStyle Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  bool ShowImage() const { return FShowImage; }
  void SetShowImage(bool Value);
  bool MultiLineText() const { return FMultiLineText; }
  void SetMultiLineText(bool Value);
  bool ShowCheckBoxes() const { return FShowCheckBoxes; }
  void SetShowCheckBoxes(bool Value);
  // 0: the system's tick box; 1 and up: a cell pair of the shared strip.
  int CheckBoxStyle() const { return FCheckBoxStyle; }
  void SetCheckBoxStyle(int Value);
  bool AutoSearch() const { return FAutoSearch; }
  void SetAutoSearch(bool Value) { FAutoSearch = Value; }
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool ResizeHeight() const { return FResizeHeight; }
  void SetResizeHeight(bool Value);

  // ---- popup size
  int PopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(int Value);
  int PopupHeight() const { return FPopupHeight; }
  void SetPopupHeight(int Value);
  int MinPopupWidth() const { return FMinPopupWidth; }
  void SetMinPopupWidth(int Value);
  int MinPopupHeight() const { return FMinPopupHeight; }
  void SetMinPopupHeight(int Value);
  bool ResizePopup() const { return FResizePopup; }
  void SetResizePopup(bool Value);
  TFont* PopupWindowFont() const { return FPopupWindowFont.get(); }
  // Copies Value and stops taking the picker's font for the popup.
  void SetPopupWindowFont(const TFont* Value);

  // ---- state the popup reads and writes
  TValueEdit* Edit() const { return FEdit; }
  TPopupWindow* Popup() const { return FPopup; }
  bool DroppedDown() const { return FDroppedDown; }
  bool ButtonPressed() const { return FButtonPressed; }
  void SetButtonPressed(bool Value) { FButtonPressed = Value; }
  int ButtonWidth() const { return FButtonWidth; }
  TdxfRectsList* CheckBoxRects() const { return FCheckBoxRects.get(); }
  const TRect& PopupRect() const { return FPopupRect; }
  const TRect& ImageRect() const { return FImageRect; }
  const TRect& EditRect() const { return FEditRect; }
  int CurrentImageIndex() const { return FCurrentImageIndex; }
  bool IsLoading() const { return FLoading; }

  // ---- drop-down
  void DropDown();
  void CloseUp();

  // ---- face
  static int EdgesWidth();
  void AdjustHeight();
  void UpdateImageRect();
  void UpdateEditBounds();
  void InvalidateImage();
  void InvalidateEditRect();
  // The drop button in client coordinates.
  TRect ButtonRect() const;

  void SetDragMode(TDragMode Value) override;
  void Loaded() override;
  // Besides its bounds and font: the drop button, the popup's sizes and
  // font. An open popup closes first; it opens again at the new size.
  void ChangeScale(const TScale& Scale) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

  // The base properties (Height never stored) and the picker's own.
  static const TPropList& PublishedProperties();

  TDropDownEvent OnDropDown;
  TCloseUpEvent OnCloseUp;
  TChangeEvent OnChange;
  TMeasureItemEvent OnMeasureItem;
  TDrawItemEvent OnDrawItem;

protected:
  friend class TValueEdit;
  // The popup recomputes its placement whenever its frame is recalculated
  // and records it here, so PopupRect follows a picker that moved while the
  // list was down.
  friend class TPopupWindow;
  void SetPopupRect(const TRect& Value);

  // Runs after every change of Items outside the update bracket.
  void ChangeItems(TObject* Sender);
  void ImageListChange(TObject* Sender);
  // Repaints, with erase, the strip between the image and the drop button.
  void InvalidateValueStrip();

  void CreateParams(TCreateParams& Params) override;
  // A picker made in code is never told that loading ended: it ends when
  // its window is made outside a layout read.
  void CreateWnd() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;

  void WMSize(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMPapentColorChanged(TMessage& Message);
  void CMFocusChanged(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void CMCancelMode(TMessage& Message);

  // Reading and writing the extra layout properties.
  void ReadImageIndexes(TReader& Reader);
  void WriteImageIndexes(TWriter& Writer);
  void ReadChecked(TReader& Reader);
  void WriteChecked(TWriter& Writer);
  void ReadHeight(TReader& Reader);
  void WriteHeight(TWriter& Writer);

private:
  // The picker's own end of loading: sizes and lays out the face.
  void FinishLoading();
  // Text height of the picker's font, measured on a screen context.
  int FontTextHeight();
  void SetDataWord(int Index, std::intptr_t Data);
  void MoveToMRUFront(int Index);
  void TrimMRUList();
  // The popup is destroyed after the message that closed it has been
  // handled, since CloseUp may run from inside the popup's own handlers.
  void DisposePopup(TPopupWindow* Old);
  void FreeClosedPopups();
  bool HasFocusInside() const;

  TValueEdit* FEdit = nullptr;  // owned through the component tree
  TPopupWindow* FPopup = nullptr;
  int FButtonWidth = 0;
  bool FButtonPressed = false;
  int FPopupHeight = 0;
  int FPopupWidth = 0;
  bool FResizePopup = true;
  std::unique_ptr<TStringList> FItems;
  bool FDroppedDown = false;
  TImageList* FImages = nullptr;
  int FItemIndex = -1;
  bool FMultiLineText = false;
  int FMRUListCount = 0;
  TColor FMRUListColor = clWindow;
  std::unique_ptr<TList> FMRUList;
  TRect FImageRect{};
  bool FResizeHeight = false;
  bool FLoading = true;
  bool FShowCheckBoxes = false;
  std::unique_ptr<TdxfRectsList> FCheckBoxRects;
  int FMinPopupWidth = 0;
  int FMinPopupHeight = 0;
  bool FShowImage = false;
  int FMaxLength = 0;
  bool FSorted = false;
  TdxfComboBoxStyle FStyle = dcsDropDown;
  TRect FEditRect{};
  bool FAutoSearch = false;
  int FCurrentImageIndex = -1;
  std::unique_ptr<TChangeLink> FImageChangeLink;
  int FCheckBoxStyle = 0;
  std::unique_ptr<TFont> FPopupWindowFont;
  TRect FPopupRect{};
  // Closed popups waiting for the posted message that frees them.
  std::vector<TPopupWindow*> FClosedPopups;
};

// ---- TdxfComboBox -----------------------------------------------------------

// The picker as layouts place it: publishes the item properties and writes
// "ImageIndexes", "Checked" and "Height" after them.
class TdxfComboBox : public TdxfCustomComboBox {
public:
  explicit TdxfComboBox(TComponent* AOwner) : TdxfCustomComboBox(AOwner) {}

  void DefineProperties(TFiler* Filer) override;
  static const TPropList& PublishedProperties();
};

// Makes TdxfComboBox known to the layout reader and writer. Call once before
// reading a layout that places a picker; calling it again does nothing.
void RegisterDxfComboBox();
