// The site picker's popup list as the search bar opens it (ten sites with
// style-10 check boxes, 160 by 182): a full repaint of its rows, each
// composed on the shared row bitmap and copied in one transfer; a repaint of
// its frame strip with the close button; and one check-box cell drawn over a
// row's colour.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "controls/picker/Dxfcombobox.h"
#include "controls/picker/Dxfpopup.h"
#include "controls/picker/Dxfres.h"
#include "framework/Bitmap.h"
#include "framework/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WinUser.h"
#include "platform/window/WindowSystem.h"

namespace {

// A headless screen with a form holding the picker, dropped down.
struct TOpenPicker {
  TWindowSystem System{std::make_unique<THeadlessBackend>()};
  TApplication App;
  TForm* Form = nullptr;
  TdxfComboBox* Box = nullptr;

  TOpenPicker() {
    Form = new TForm(&App);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(100, 100, 500, 35);
    Box = new TdxfComboBox(Form);
    Box->SetParent(Form);
    Box->SetBounds(10, 8, 145, 20);
    Box->SetStyle(dcsDropDownList);
    for (int I = 0; I < 10; ++I) Box->Items()->Add("Site" + std::to_string(I));
    Box->SetShowCheckBoxes(true);
    Box->SetCheckBoxStyle(10);
    Box->SetResizePopup(false);
    Box->SetPopupWidth(160);
    Box->SetPopupHeight(182);
    Form->Show();
    App.ProcessMessages();
    Box->DropDown();
    App.ProcessMessages();
  }
  HWND Popup() const { return Box->Popup()->Handle(); }
};

void BM_PopupRowsRepaint(benchmark::State& State) {
  TOpenPicker Picker;
  const HWND Popup = Picker.Popup();
  for (auto _ : State) {
    InvalidateRect(Popup, nullptr, false);
    UpdateWindow(Popup);
  }
  State.SetItemsProcessed(State.iterations() * 10);  // rows
}
BENCHMARK(BM_PopupRowsRepaint);

void BM_PopupFrameRepaint(benchmark::State& State) {
  TOpenPicker Picker;
  const HWND Popup = Picker.Popup();
  for (auto _ : State) SendMessage(Popup, WM_NCPAINT, 1, 0);
}
BENCHMARK(BM_PopupFrameRepaint);

void BM_CheckBoxCell(benchmark::State& State) {
  TBitmap Row(158, 16);
  Row.Canvas()->Brush()->SetColor(clWindow);
  bool Checked = false;
  for (auto _ : State) {
    DrawCheckBox(Row.Canvas(), TRect{3, -1, 21, 17}, 10, Checked);
    Checked = !Checked;
  }
}
BENCHMARK(BM_CheckBoxCell);

}  // namespace

BENCHMARK_MAIN();
