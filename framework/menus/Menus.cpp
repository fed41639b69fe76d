#include "framework/menus/Menus.h"

#include <algorithm>

#include "framework/forms/Forms.h"
#include "framework/menus/MenuWindow.h"

// ---- TMenuItem ------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  if (FParent) FParent->Remove(this);
  const std::vector<TMenuItem*> Children = std::move(FItems);
  FItems.clear();
  for (TMenuItem* Child : Children) {
    Child->FParent = nullptr;
    if (!Child->Owner()) delete Child;
  }
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(FormatMessage(messages::kListIndexOutOfBounds, {std::to_string(Index)}));
  return FItems[std::size_t(Index)];
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto It = std::find(FItems.begin(), FItems.end(), Item);
  return It == FItems.end() ? -1 : int(It - FItems.begin());
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) throw EMenuError(messages::kMenuReinserted);
  for (const TMenuItem* Up = this; Up; Up = Up->FParent)
    if (Up == Item) throw EMenuError(messages::kMenuReinserted);
  if (Item->FParent) Item->FParent->Remove(Item);
  Index = std::clamp(Index, 0, Count());
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto It = std::find(FItems.begin(), FItems.end(), Item);
  if (It == FItems.end()) return;
  FItems.erase(It);
  Item->FParent = nullptr;
}

TPopupMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* Root = this;
  while (Root->FParent) Root = Root->FParent;
  return Root->FMenu;
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (FAutoCheck) SetChecked(!FChecked);
  if (OnClick) OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (!FParent) return nullptr;
  if (FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (auto* Menu = dynamic_cast<TPopupMenu*>(Value))
    Menu->Items()->Add(this);
  else if (auto* Item = dynamic_cast<TMenuItem*>(Value))
    Item->Add(this);
}

const TPropList& TMenuItem::PublishedProperties() {
  static const TPropList List =
      TPropertyTable<TMenuItem>(ComponentPublishedProperties())
          .Boolean("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck, DefaultIs(0))
          .String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
          .Boolean("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, DefaultIs(0))
          .Boolean("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, DefaultIs(1))
          .String("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
          .Boolean("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, DefaultIs(1))
          .Event("OnClick", &TMenuItem::OnClick, EventSetter(&TMenuItem::OnClick));
  return List;
}

// ---- TPopupMenu -----------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* AOwner)
    : TPopupMenuBase(AOwner),
      FItems(std::make_unique<TMenuItem>(nullptr)),
      FFont(std::make_unique<TFont>()) {
  FItems->FMenu = this;
}

TPopupMenu::~TPopupMenu() { *FAlive = false; }

std::vector<TMenuItem*> TPopupMenu::VisibleItems() const {
  std::vector<TMenuItem*> Shown;
  for (int I = 0; I < FItems->Count(); ++I)
    if (FItems->Items(I)->Visible()) Shown.push_back(FItems->Items(I));
  return Shown;
}

std::vector<TMenuRow> TPopupMenu::Rows() const {
  std::vector<TMenuRow> Rows;
  for (const TMenuItem* Item : VisibleItems())
    Rows.push_back(TMenuRow{Item->Caption(), Item->IsLine(), Item->Checked(), Item->Enabled()});
  return Rows;
}

void TPopupMenu::Popup(int X, int Y) {
  if (OnPopup) OnPopup(this);
  const std::vector<TMenuItem*> Shown = VisibleItems();
  if (Shown.empty()) return;
  if (Application) Application->CancelHint();
  HWND Owner = nullptr;
  if (auto* Control = dynamic_cast<TControl*>(PopupComponent()))
    if (TCustomForm* Form = GetParentForm(Control)) Owner = Form->Handle();
  if (!Owner) Owner = GetActiveWindow();
  const std::shared_ptr<bool> Alive = FAlive;
  const int Chosen = TrackMenu(Rows(), X, Y, Owner, *FFont);
  if (!*Alive) return;
  if (Chosen < 0 || Chosen >= int(Shown.size())) return;
  // The item may have gone while the menu was up (a handler run by a
  // timer destroyed the form): only an item still in the menu is clicked.
  TMenuItem* Item = Shown[std::size_t(Chosen)];
  if (FItems->IndexOf(Item) >= 0) Item->Click();
}

const TPropList& TPopupMenu::PublishedProperties() {
  static const TPropList List =
      TPropertyTable<TPopupMenu>(ComponentPublishedProperties())
          .Boolean("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, DefaultIs(1))
          .Event("OnPopup", &TPopupMenu::OnPopup, EventSetter(&TPopupMenu::OnPopup));
  return List;
}
