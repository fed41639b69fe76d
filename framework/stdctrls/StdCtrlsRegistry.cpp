#include "framework/menus/Menus.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/ListBox.h"
#include "framework/stdctrls/StdCtrls.h"
#include "framework/streaming/StreamingRegistry.h"

void RegisterStockControls() {
  RegisterClass<TLabel>("TLabel");
  RegisterClass<TEdit>("TEdit");
  RegisterClass<TListBox>("TListBox");
  RegisterClass<TSpeedButton>("TSpeedButton");
  RegisterClass<TPopupMenu>("TPopupMenu");
  RegisterClass<TMenuItem>("TMenuItem");
  RegisterClass<TComboBox>("TComboBox");
}
