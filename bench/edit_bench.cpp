// The single-line edit's answer to a keystroke: from the key press as a user
// gives it (the key-down, its character, the key-up) to the edit repainted
// and presented on the screen, all through the window system's message
// processing. Four cases: typing at the end of a short text and of a long one
// that is scrolled to show its end, in ASCII and in Japanese (a character
// committed by the input method, two WM_CHAR bytes).
//
// Each keystroke adds a character; after 16 of them the text is set back,
// outside the timing, so that every iteration types into the same text.
// The counters say what was done: presents_per_key is the number of frames
// presented per keystroke (1: every keystroke showed, once).

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "framework/forms/Forms.h"
#include "framework/stdctrls/Edit.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WinUser.h"
#include "platform/window/WindowSystem.h"

namespace {

// The key an input method reports while it commits text (Windows'
// VK_PROCESSKEY): the edit has no use for it, as a real one has none.
constexpr int kVkProcessKey = 0xE5;
constexpr int kKeysBeforeReset = 16;

// A headless screen with a form holding one focused edit, 300 pixels wide
// as the search bar's keyword field is about.
struct TFocusedEdit {
  THeadlessBackend* Display = nullptr;
  std::unique_ptr<TWindowSystem> System;
  TApplication App;
  TForm* Form = nullptr;
  TEdit* Edit = nullptr;

  TFocusedEdit() : System(MakeSystem(Display)) {
    Form = new TForm(&App);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(100, 100, 320, 44);
    Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(10, 10, 300, 24);
    Form->Show();
    App.ProcessMessages();
    Edit->SetFocus();
    App.ProcessMessages();
  }

  void Reset(const std::string& Text) {
    Edit->SetText(Text);
    Edit->SetSelStart(int(Text.size()));
    App.ProcessMessages();
  }

  int Presents() const {
    return Display->Native(System->NativeWindowOf(Form->Handle()))->PresentCount;
  }

private:
  static std::unique_ptr<TWindowSystem> MakeSystem(THeadlessBackend*& Out) {
    auto Backend = std::make_unique<THeadlessBackend>();
    Out = Backend.get();
    return std::make_unique<TWindowSystem>(std::move(Backend));
  }
};

// Args: the text's length in characters before typing; Japanese or ASCII.
void BM_KeystrokeToRepaint(benchmark::State& State) {
  const int Length = int(State.range(0));
  const bool Japanese = State.range(1) != 0;
  // Narrow literals are code page 932 bytes here.
  const std::string Char = Japanese ? "検" : "k";
  const int VirtualKey = Japanese ? kVkProcessKey : 'K';
  std::string Base;
  const char* const Word = Japanese ? "検索テスト" : "searchtest";
  const int WordChars = Japanese ? 5 : 10;
  for (int I = 0; I < Length; I += WordChars) Base += Word;

  std::string Full = Base;
  for (int I = 0; I < kKeysBeforeReset; ++I) Full += Char;

  TFocusedEdit Field;
  Field.Reset(Base);
  const int PresentsBefore = Field.Presents();
  int ResetPresents = 0;
  int Typed = 0;
  int Keys = 0;
  for (auto _ : State) {
    Field.Display->KeyDown(VirtualKey);
    Field.Display->TypeText(Char);
    Field.Display->KeyUp(VirtualKey);
    Field.App.ProcessMessages();
    ++Keys;
    if (++Typed == kKeysBeforeReset) {
      State.PauseTiming();
      if (Field.Edit->Text() != Full)
        State.SkipWithError("the typed characters did not arrive in the edit");
      const int BeforeReset = Field.Presents();
      Field.Reset(Base);
      ResetPresents += Field.Presents() - BeforeReset;
      Typed = 0;
      State.ResumeTiming();
    }
  }
  State.counters["presents_per_key"] =
      double(Field.Presents() - PresentsBefore - ResetPresents) / double(Keys ? Keys : 1);
  State.counters["scrolled_px"] = Field.Edit->ScrollOffset();
}
BENCHMARK(BM_KeystrokeToRepaint)
    ->ArgNames({"chars", "japanese"})
    ->Args({8, 0})
    ->Args({8, 1})
    ->Args({400, 0})
    ->Args({400, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
