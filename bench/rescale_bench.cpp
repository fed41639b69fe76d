// A change of the desktop's scale under the running search bar: the whole
// bar (layout, fonts, pickers, history box) rescaled in place from 96 to
// 192 pixels per inch and back, painted, on the headless backend. Each
// iteration is two rescales.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/Mainwindow1.h"
#include "controls/picker/Dxfres.h"
#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"

namespace {

void BM_RescaleBar(benchmark::State& State) {
  auto Owned = std::make_unique<THeadlessBackend>();
  THeadlessBackend* Display = Owned.get();
  TApplication App(std::move(Owned));
  InitializeDxfres();
  RegisterMainWindowClasses();
  const std::string Dir = std::filesystem::temp_directory_path() / "scoutlane-rescale-bench";
  std::filesystem::create_directories(Dir);
  TMainFormOptions Options;
  Options.SettingsPath = Dir + "/Scoutlane.ini";
  auto* Form = new TMainForm1(&App, Options);
  Form->AfterConstruction();
  Form->Show();
  App.ProcessMessages();
  int Widest = 0;
  for (auto _ : State) {
    Display->SetPixelsPerInch(192);
    App.ProcessMessages();
    Widest = Form->ClientWidth();
    Display->SetPixelsPerInch(96);
    App.ProcessMessages();
  }
  if (Widest != 1000 || Form->ClientWidth() != 500)
    State.SkipWithError("the bar was not rescaled to 1000 and back to 500 wide");
  delete Form;
  FinalizeDxfres();
  std::filesystem::remove_all(Dir);
}
BENCHMARK(BM_RescaleBar)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
