#pragma once
// The stock popup menu: TPopupMenu with its TMenuItem rows.
//
// A layout nests the items in the menu:
//   object PopupMenu1: TPopupMenu
//     object N4: TMenuItem
//       Caption = '常に手前に表示(&S)'
//       Checked = True
//       OnClick = N4Click
//     end
//   end
// Each item is owned by the form (its Owner) and listed by the menu's root
// item (Items()). A control whose PopupMenu is set opens it on a right click
// (TControl::ContextPopup); Popup(X, Y) shows it at a screen point, runs
// until it closes (MenuWindow.h tells how it answers the mouse and the
// keys) and then fires OnClick of the chosen item, after the menu window is
// gone.
//
// The menu window shows one level: items nested in an item are kept in the
// model (a layout may hold them) but are not shown as a submenu.

#include <memory>
#include <string>
#include <vector>

#include "framework/forms/Controls.h"
#include "framework/menus/MenuLook.h"

class TPopupMenu;

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* AOwner);
  // Leaves its parent item. Child items that have an owner stay with it
  // (the owner destroys them); ownerless ones are destroyed with the item.
  ~TMenuItem() override;

  // "-" makes the item a separator line; "&" marks the access key.
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value) { FCaption = Value; }
  bool IsLine() const { return FCaption == "-"; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value) { FChecked = Value; }
  // Clicking a checked item unchecks it and the reverse (default false).
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }

  // ---- the items below this one (not owned unless they have no owner)
  int Count() const { return int(FItems.size()); }
  // EListError outside 0..Count()-1.
  TMenuItem* Items(int Index) const;
  int IndexOf(const TMenuItem* Item) const;
  // Takes Item from the item it was in. EMenuError when Item is null, this
  // item itself or one of its parents.
  void Add(TMenuItem* Item) { Insert(Count(), Item); }
  void Insert(int Index, TMenuItem* Item);
  void Remove(TMenuItem* Item);
  TMenuItem* Parent() const { return FParent; }
  int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
  // The popup menu whose tree holds this item, or null.
  TPopupMenu* GetParentMenu() const;

  // What choosing the item does: AutoCheck, then OnClick. Nothing for a
  // disabled item.
  virtual void Click();
  TNotifyEvent OnClick;

  // Layout nesting: inside a TPopupMenu or another TMenuItem.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  // Caption, Checked, AutoCheck, Enabled, Hint, Visible, OnClick.
  static const TPropList& PublishedProperties();

private:
  friend class TPopupMenu;
  std::string FCaption;
  bool FChecked = false;
  bool FAutoCheck = false;
  bool FEnabled = true;
  bool FVisible = true;
  std::string FHint;
  TMenuItem* FParent = nullptr;
  TPopupMenu* FMenu = nullptr;  // set on the root item of a menu only
  std::vector<TMenuItem*> FItems;
};

// An impossible change of a menu's item tree.
class EMenuError : public Exception {
public:
  using Exception::Exception;
};

namespace messages {
inline constexpr const char* kMenuReinserted = "メニューが 2 回挿入されました";
}  // namespace messages

class TPopupMenu : public TPopupMenuBase {
public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  // The root item; the menu's rows are its visible children.
  TMenuItem* Items() const { return FItems.get(); }

  // Fires OnPopup, shows the visible items with the menu's top-left corner
  // at the screen point (moved to stay on the screen), waits until the menu
  // closes and fires OnClick of the chosen item. The window owning the menu
  // is the form of the popup component (else the active window).
  void Popup(int X, int Y) override;
  // The rows Popup shows, from the items as they are now.
  std::vector<TMenuRow> Rows() const;
  // The font of the captions (the framework's default font).
  TFont* Font() const { return FFont.get(); }

  TNotifyEvent OnPopup;

  // AutoPopup, OnPopup.
  static const TPropList& PublishedProperties();

private:
  std::vector<TMenuItem*> VisibleItems() const;
  std::unique_ptr<TMenuItem> FItems;
  std::unique_ptr<TFont> FFont;
  // False once the menu is destroyed: a Popup still running (the form went
  // while the menu was up) must not touch it afterwards.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};
