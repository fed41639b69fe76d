#pragma once
// The popup menu a control opens on a right click.

#include "framework/core/Classes.h"

// The framework's stock popup menu derives from this; controls only need to
// open it at a screen point.
class TPopupMenuBase : public TComponent {
public:
  explicit TPopupMenuBase(TComponent* AOwner) : TComponent(AOwner) {}
  // Shows the menu with its top-left corner at the screen point (X, Y).
  virtual void Popup(int X, int Y) = 0;
  // The control the menu was last opened for.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  // Whether a right click opens the menu by itself (default true).
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TComponent* FPopupComponent = nullptr;
  bool FAutoPopup = true;
};
