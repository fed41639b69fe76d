// The font-name picker: building its list from the installed fonts (this
// machine's, and a configuration of 1,000 faces), opening its popup with
// every name in its own face (200 names, each its own font file) up to the
// first painted frame, with the faces still open from the last time and
// with faces that must be read from their files again, and scrolling that
// list by a page.
//
// The 1,000 faces are bitmap fonts written as BDF text into a temporary
// directory with a fontconfig configuration of their own; fontconfig scans
// them once, before anything is measured.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "controls/picker/Dxffontnamecombobox.h"
#include "controls/picker/Dxfpopup.h"
#include "controls/picker/Dxfres.h"
#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/fonts/FontEnum.h"
#include "platform/fonts/FontFiles.h"
#include "platform/fonts/RealizedFont.h"
#include "platform/window/WinUser.h"
#include "platform/window/WindowSystem.h"
#include "tests/platform/fonts/PrivateFonts.h"

namespace {

namespace fs = std::filesystem;

constexpr int kManyFaces = 1000;

// The configuration of 1,000 faces, made on first use and removed at exit.
class TManyFaces {
public:
  static TManyFaces& Instance() {
    static TManyFaces Faces;
    return Faces;
  }
  void Use() { FOld = privatefonts::Use(FDir / "fonts.conf"); }
  void Restore() { privatefonts::Restore(FOld); }
  ~TManyFaces() {
    std::error_code Ignored;
    fs::remove_all(FDir, Ignored);
  }

private:
  TManyFaces() {
    FDir = fs::temp_directory_path() / ("fontpicker-bench-" + std::to_string(getpid()));
    fs::create_directories(FDir / "fonts");
    for (int I = 0; I < kManyFaces; ++I) {
      char Name[32];
      std::snprintf(Name, sizeof Name, "Bench Face %04d", I);
      privatefonts::WriteBdf(FDir / "fonts" / (std::to_string(I) + ".bdf"), Name);
    }
    privatefonts::WriteConfig(FDir, {(FDir / "fonts").string()});
    // The scan, once.
    Use();
    ListFonts();
    Restore();
  }
  fs::path FDir;
  std::string FOld;
};

struct TScreen {
  THeadlessBackend* Display = nullptr;
  TWindowSystem System{MakeBackend(&Display)};
  TApplication App;

  static std::unique_ptr<TBackend> MakeBackend(THeadlessBackend** Display) {
    auto Backend = std::make_unique<THeadlessBackend>();
    *Display = Backend.get();
    return Backend;
  }
};

void BM_LoadFontNamesThisMachine(benchmark::State& State) {
  TScreen Screen;
  TdxfFontNameComboBox Box(nullptr);
  for (auto _ : State) Box.LoadFontNames();
  State.counters["names"] = Box.Items()->Count();
}
BENCHMARK(BM_LoadFontNamesThisMachine)->Unit(benchmark::kMillisecond);

void BM_LoadFontNames1000Faces(benchmark::State& State) {
  TManyFaces::Instance().Use();
  {
    TScreen Screen;
    TdxfFontNameComboBox Box(nullptr);
    for (auto _ : State) Box.LoadFontNames();
    State.counters["names"] = Box.Items()->Count();
  }
  TManyFaces::Instance().Restore();
}
BENCHMARK(BM_LoadFontNames1000Faces)->Unit(benchmark::kMillisecond);

// 200 of the 1,000 faces in a picker with PreviewFont on, its popup as the
// gallery has it (300x260), focused, closed.
struct TPreviewPicker : TScreen {
  TForm* Form = nullptr;
  TdxfFontNameComboBox* Box = nullptr;
  TFontEnumerator Previous;

  TPreviewPicker() {
    TManyFaces::Instance().Use();
    std::vector<TEnumFontEntry> Faces = ListFonts();
    Faces.resize(200);
    Previous = SetFontEnumerator([Faces](const std::function<bool(const TEnumFontEntry&)>& Report) {
      for (const TEnumFontEntry& Face : Faces)
        if (!Report(Face)) return false;
      return true;
    });
    Form = new TForm(&App);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(40, 40, 520, 60);
    Box = new TdxfFontNameComboBox(Form);
    Box->SetParent(Form);
    Box->SetBounds(90, 10, 220, 20);
    Box->SetPopupWidth(300);
    Box->SetPopupHeight(260);
    Box->SetPreviewFont(true);
    Form->Show();
    App.ProcessMessages();
    Box->SetFocus();
    App.ProcessMessages();
  }
  ~TPreviewPicker() {
    SetFontEnumerator(std::move(Previous));
    TManyFaces::Instance().Restore();
  }
  void Key(WORD VirtualKey) {
    Display->KeyDown(VirtualKey);
    Display->KeyUp(VirtualKey);
    App.ProcessMessages();
  }
  bool ListPainted() const {
    return Box->DroppedDown() && Box->Popup() && IsWindowVisible(Box->Popup()->Handle()) &&
           !GetUpdateRect(Box->Popup()->Handle(), nullptr, false);
  }
  // Lets go of the faces the rows hold, and pushes the idle ones out with
  // faces from the far end of the list, so the next open reads its files.
  void Forget() {
    TRealizedFont::ForgetRecentFonts();
    for (int I = 0; I < 20; ++I) {
      TLogFont Request;
      Request.Face = Box->Items()->Get(Box->Items()->Count() - 1 - I);
      Request.Height = -12;
      TRealizedFont::Create(Request);
    }
    TRealizedFont::ForgetRecentFonts();
  }
};

void PopupOpen(benchmark::State& State, bool Cold) {
  TPreviewPicker Picker;
  for (auto _ : State) {
    Picker.Key(VK_F4);
    State.PauseTiming();
    if (!Picker.ListPainted()) State.SkipWithError("F4 did not open and paint the list");
    Picker.Key(VK_F4);
    if (Cold) Picker.Forget();
    State.ResumeTiming();
  }
  State.counters["open_faces"] = fontfiles::OpenFaceCount();
}
void BM_PreviewPopupOpen(benchmark::State& State) { PopupOpen(State, false); }
void BM_PreviewPopupOpenFacesFromFiles(benchmark::State& State) { PopupOpen(State, true); }
BENCHMARK(BM_PreviewPopupOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewPopupOpenFacesFromFiles)->Unit(benchmark::kMillisecond);

// Page Down through the open list, each to its painted frame; back to the
// top (unmeasured) at the end, so every page shows faces not shown just
// before.
void BM_PreviewPopupScrollPage(benchmark::State& State) {
  TPreviewPicker Picker;
  Picker.Key(VK_F4);
  if (!Picker.ListPainted()) State.SkipWithError("F4 did not open the list");
  int MostFaces = 0;
  for (auto _ : State) {
    Picker.Key(VK_NEXT);
    State.PauseTiming();
    MostFaces = std::max(MostFaces, fontfiles::OpenFaceCount());
    if (Picker.Box->Popup()->ItemIndex() >= Picker.Box->Items()->Count() - 1) {
      Picker.Key(VK_F4);
      Picker.Key(VK_F4);
    }
    State.ResumeTiming();
  }
  State.counters["most_open_faces"] = MostFaces;
}
BENCHMARK(BM_PreviewPopupScrollPage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
