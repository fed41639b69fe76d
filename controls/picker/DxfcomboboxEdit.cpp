// TValueEdit: the editor inside the picker's face. It hands every key, click
// and drag to the picker and, on key release, does the picker's incremental
// search: first-letter selection in dcsDropDownList and completion from the
// items in dcsDropDown with AutoSearch.

#include "controls/picker/Dxfcombobox.h"
#include "controls/picker/Dxfpopup.h"
#include "platform/text/Cp932.h"

namespace {

// Whether Text starts with Prefix, letters folded with the locale's rules.
bool StartsWithIgnoringCase(const std::string& Text, const std::string& Prefix) {
  if (Text.size() < Prefix.size()) return false;
  return cp932::AnsiUpperCase(std::string_view(Text).substr(0, Prefix.size())) ==
         cp932::AnsiUpperCase(Prefix);
}

int FirstItemStartingWith(const TStrings& Items, const std::string& Prefix) {
  for (int I = 0; I < Items.Count(); ++I)
    if (StartsWithIgnoringCase(Items.Get(I), Prefix)) return I;
  return -1;
}

int FirstItemEqualTo(const TStrings& Items, const std::string& Text) {
  for (int I = 0; I < Items.Count(); ++I)
    if (Items.Get(I) == Text) return I;
  return -1;
}

}  // namespace

TValueEdit::TValueEdit(TComponent* AOwner)
    : TEdit(AOwner), FComboBox(dynamic_cast<TdxfCustomComboBox*>(AOwner)) {
  SetBorderStyle(bsNone);
  SetTop(2);
  SetLeft(2);
  SetParent(FComboBox);
  OnStartDrag = [this](TObject* Sender, TDragObject*& DragObject) {
    StartDrag(Sender, DragObject);
  };
  OnEndDrag = [this](TObject* Sender, TObject* Target, int X, int Y) {
    EndDrag(Sender, Target, X, Y);
  };
  OnChange = [this](TObject* Sender) { AChange(Sender); };
  LastText.clear();
}

void TValueEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KILLFOCUS:
      WMKillFocus(Message);
      break;
    default:
      TEdit::Dispatch(Message);
  }
}

void TValueEdit::WMKillFocus(TMessage& Message) {
  TEdit::Dispatch(Message);
  if (FComboBox && FComboBox->DroppedDown()) FComboBox->CloseUp();
}

void TValueEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (FComboBox) FComboBox->KeyDown(Key, Shift);
  // The picker decides what these do (open, close, select, hand to the
  // popup); the editor itself never acts on them.
  if (Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_UP || Key == VK_DOWN) Key = 0;
  TEdit::KeyDown(Key, Shift);
}

void TValueEdit::KeyPress(char& Key) {
  if (FComboBox) FComboBox->KeyPress(Key);
  if (Key == 13 || Key == 27) Key = 0;
  TEdit::KeyPress(Key);
}

void TValueEdit::KeyUp(WORD& Key, TShiftState Shift) {
  TEdit::KeyUp(Key, Shift);
  if (FComboBox) {
    FComboBox->KeyUp(Key, Shift);
    if (Key == VK_RETURN && !FComboBox->DroppedDown()) SetSelStart(int(Text().size()));
    SearchOnKeyUp(Key);
  }
  LastText = Text();
  LastSelLength = SelLength();
}

void TValueEdit::SearchOnKeyUp(WORD Key) {
  TdxfCustomComboBox& Box = *FComboBox;
  const TStrings& Items = *Box.Items();

  if (Box.Style() == dcsDropDownList) {
    // First-letter selection. Only letter and digit keys name a letter: the
    // codes of other keys (arrows, Shift) would match items that happen to
    // start with punctuation.
    const bool Letter = Key >= 'A' && Key <= 'Z';
    const bool Digit = Key >= '0' && Key <= '9';
    if (Letter || Digit) {
      const int Found = FirstItemStartingWith(Items, std::string(1, char(Key)));
      if (Found >= 0) {
        if (Box.DroppedDown() && Box.Popup())
          Box.Popup()->SetItemIndex(Box.ItemToPopupRow(Found));
        else
          Box.SetItemIndex(Found);
      }
    }
  }

  if (Text() == LastText || Box.Style() != dcsDropDown) return;
  std::string Typed = Box.GetText();

  if (!Box.AutoSearch()) {
    const int Found = FirstItemEqualTo(Items, Typed);
    Box.FItemIndex = Found;
    Box.FCurrentImageIndex = Found >= 0 ? Box.GetImageIndex(Found) : -1;
    Box.InvalidateImage();
    return;
  }

  if (Key == VK_BACK && LastSelLength > 0 && !Typed.empty()) {
    // The backspace took only the completed tail: one typed character goes
    // too, or the same completion would come straight back.
    Typed.erase(cp932::PrevCharPos(Typed, Typed.size()));
    Box.SetText(Typed);
  }
  int Found = Typed.empty() ? -1 : FirstItemStartingWith(Items, Typed);
  if (Key == VK_DELETE) Found = FirstItemEqualTo(Items, Typed);
  if (Found < 0) {
    Box.FItemIndex = -1;
    Box.FCurrentImageIndex = -1;
    Box.InvalidateImage();
    return;
  }
  if (Box.DroppedDown()) {
    if (Box.Popup()) Box.Popup()->SetItemIndex(Box.ItemToPopupRow(Found));
    return;
  }
  SetUpdateState(true);
  Box.SetItemIndex(Found);
  // Caret after the typed text, the completed tail selected.
  SetSel(int(Text().size()), int(Typed.size()));
  SetUpdateState(false);
}

void TValueEdit::SetUpdateState(bool Updating) {
  if (!HandleAllocated()) return;
  Perform(WM_SETREDRAW, Updating ? 0 : 1, 0);
  if (!Updating) Refresh();
}

void TValueEdit::Click() {
  TEdit::Click();
  if (FComboBox) FComboBox->Click();
}

void TValueEdit::DblClick() {
  TEdit::DblClick();
  if (FComboBox) FComboBox->DblClick();
}

void TValueEdit::AChange(TObject* /*Sender*/) {
  if (FComboBox && FComboBox->OnChange) FComboBox->OnChange(FComboBox);
}

void TValueEdit::StartDrag(TObject* /*Sender*/, TDragObject*& DragObject) {
  if (FComboBox && FComboBox->OnStartDrag) FComboBox->OnStartDrag(FComboBox, DragObject);
}

void TValueEdit::EndDrag(TObject* /*Sender*/, TObject* Target, int X, int Y) {
  if (!FComboBox) return;
  const TPoint P = FComboBox->ScreenToClient(ClientToScreen(TPoint{X, Y}));
  if (FComboBox->OnEndDrag) FComboBox->OnEndDrag(FComboBox, Target, P.X, P.Y);
}

void TValueEdit::DragOver(TObject* /*Source*/, int X, int Y, TDragState State, bool& Accept) {
  if (!FComboBox) return;
  const TPoint P = FComboBox->ScreenToClient(ClientToScreen(TPoint{X, Y}));
  // The picker is the source as well: to its handlers the drag is its own.
  FComboBox->DragOver(FComboBox, P.X, P.Y, State, Accept);
}

void TValueEdit::DragDrop(TObject* /*Source*/, int X, int Y) {
  if (!FComboBox) return;
  const TPoint P = FComboBox->ScreenToClient(ClientToScreen(TPoint{X, Y}));
  FComboBox->DragDrop(FComboBox, P.X, P.Y);
}
