#include "framework/Buttons.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/ListBox.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "framework/StreamingRegistry.h"

void RegisterStockControls() {
  RegisterClass<TLabel>("TLabel");
  RegisterClass<TEdit>("TEdit");
  RegisterClass<TListBox>("TListBox");
  RegisterClass<TSpeedButton>("TSpeedButton");
  RegisterClass<TPopupMenu>("TPopupMenu");
  RegisterClass<TMenuItem>("TMenuItem");
  RegisterClass<TComboBox>("TComboBox");
}
