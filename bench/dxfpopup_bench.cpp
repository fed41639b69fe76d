// The site picker's popup list as the search bar opens it (its ten sites
// with style-10 check boxes, 160 by 182, blue 12-pixel text on white):
// opening it from the keyboard (F4) or by a press on the face, up to its
// first painted frame; a full repaint of its rows, each composed on the
// shared row bitmap and copied in one transfer; a repaint of its frame strip
// with the close button; and one check-box cell drawn over a row's colour.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "controls/picker/Dxfcombobox.h"
#include "controls/picker/Dxfpopup.h"
#include "controls/picker/Dxfres.h"
#include "framework/forms/Forms.h"
#include "framework/graphics/Bitmap.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WinUser.h"
#include "platform/window/WindowSystem.h"

namespace {

void SetBarFont(TFont* Font) {
  Font->SetCharset(SHIFTJIS_CHARSET);
  Font->SetColor(clBlue);
  Font->SetHeight(-12);
  Font->SetName("ＭＳ Ｐゴシック");
}

// A headless screen with a form holding the picker as the search bar's
// layout has it; dropped down unless asked not to.
struct TOpenPicker {
  THeadlessBackend* Display = nullptr;
  TWindowSystem System{MakeBackend(&Display)};
  TApplication App;
  TForm* Form = nullptr;
  TdxfComboBox* Box = nullptr;

  explicit TOpenPicker(bool Open = true) {
    Form = new TForm(&App);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(100, 100, 500, 35);
    Box = new TdxfComboBox(Form);
    Box->SetParent(Form);
    Box->SetBounds(66, 8, 160, 20);
    Box->SetColor(clWhite);
    SetBarFont(Box->Font());
    SetBarFont(Box->PopupWindowFont());
    Box->SetStyle(dcsDropDownList);
    for (const char* Site : {"Google", "Yahoo! Japan", "bing", "WikiPedia", "twitter",
                             "Google News", "Google Maps", "YouTube", "ニコニコ動画", "Amazon"})
      Box->Items()->Add(Site);
    Box->SetShowCheckBoxes(true);
    Box->SetCheckBoxStyle(10);
    Box->SetResizePopup(false);
    Box->SetPopupWidth(160);
    Box->SetPopupHeight(182);
    Box->SetMinPopupWidth(100);
    Box->SetMinPopupHeight(100);
    Form->Show();
    App.ProcessMessages();
    Box->SetFocus();
    App.ProcessMessages();
    if (Open) {
      Box->DropDown();
      App.ProcessMessages();
    }
  }
  HWND Popup() const { return Box->Popup()->Handle(); }
  // The list is up, shown and has nothing left to paint.
  bool ListPainted() const {
    return Box->DroppedDown() && Box->Popup() && IsWindowVisible(Popup()) &&
           !GetUpdateRect(Popup(), nullptr, false);
  }
  // Until the list is on the screen: the key or press is dispatched, the
  // popup shown, and its rows and frame painted and presented.
  void Settle() { App.ProcessMessages(); }

private:
  static std::unique_ptr<TBackend> MakeBackend(THeadlessBackend** Display) {
    auto Backend = std::make_unique<THeadlessBackend>();
    *Display = Backend.get();
    return Backend;
  }
};

// F4 on the focused picker, as a user presses it, to the list's first frame;
// F4 again closes it outside the measured time.
void BM_PopupOpenByF4(benchmark::State& State) {
  TOpenPicker Picker(false);
  for (auto _ : State) {
    Picker.Display->KeyDown(VK_F4);
    Picker.Display->KeyUp(VK_F4);
    Picker.Settle();
    State.PauseTiming();
    if (!Picker.ListPainted()) State.SkipWithError("F4 did not open and paint the list");
    Picker.Display->KeyDown(VK_F4);
    Picker.Display->KeyUp(VK_F4);
    Picker.Settle();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_PopupOpenByF4)->Unit(benchmark::kMicrosecond);

// A press and release on the picker's face to the list's first frame; a
// press on the form outside closes it again, unmeasured.
void BM_PopupOpenByPress(benchmark::State& State) {
  TOpenPicker Picker(false);
  const TPoint Face = Picker.Box->ClientToScreen(TPoint{80, 10});
  const TPoint Outside = Picker.Form->ClientToScreen(TPoint{400, 20});
  for (auto _ : State) {
    Picker.Display->MoveMouse(Face.X, Face.Y);
    Picker.Display->Click(mbLeft);
    Picker.Settle();
    State.PauseTiming();
    if (!Picker.ListPainted()) State.SkipWithError("the press did not open and paint the list");
    Picker.Display->MoveMouse(Outside.X, Outside.Y);
    Picker.Display->Click(mbLeft);
    Picker.Settle();
    Picker.Display->AdvanceTime(1000);  // no double click with the next press
    Picker.Settle();
    State.ResumeTiming();
  }
}
BENCHMARK(BM_PopupOpenByPress)->Unit(benchmark::kMicrosecond);

void BM_PopupRowsRepaint(benchmark::State& State) {
  TOpenPicker Picker;
  const HWND Popup = Picker.Popup();
  for (auto _ : State) {
    InvalidateRect(Popup, nullptr, false);
    UpdateWindow(Popup);
  }
  State.SetItemsProcessed(State.iterations() * 10);  // rows
}
BENCHMARK(BM_PopupRowsRepaint)->Unit(benchmark::kMicrosecond);

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
