// Figures of the font layer: what the first font costs a starting program
// (fontconfig's configuration and cache, the match, opening the face), and
// what measuring and drawing the controls' texts costs once fonts are warm.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/fonts/FontEnum.h"
#include "platform/gdi/Text.h"

extern char** environ;

namespace {

constexpr const char* kFirstFontVariable = "SCOUTLANE_BENCH_FIRST_FONT";

TLogFont LayoutFont(int Height = -12) {
  TLogFont Font;
  Font.Face = "ＭＳ Ｐゴシック";
  Font.Height = Height;
  Font.Charset = SHIFTJIS_CHARSET;
  return Font;
}

// In the child: the first font of the process, timed from before anything of
// the font layer ran, or (Which "2") a second face after it, which shows what
// the one-time set-up costs; prints the nanoseconds.
int RunFirstFont(const std::string& Which) {
  if (Which == "2") benchmark::DoNotOptimize(TRealizedFont::Create(LayoutFont())->TextWidth("Wg"));
  TLogFont Request = LayoutFont();
  if (Which == "2") Request.Face = "ＭＳ 明朝";
  auto Start = std::chrono::steady_clock::now();
  auto Font = TRealizedFont::Create(Request);
  benchmark::DoNotOptimize(Font->TextWidth("Wg"));
  auto Elapsed = std::chrono::steady_clock::now() - Start;
  std::printf("%lld\n", static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(Elapsed).count()));
  return 0;
}

// A fresh process per iteration, so nothing is cached in memory; fontconfig's
// on-disk cache is warm, as it is on every start but the first after an
// install.
void FontOfAFreshProcess(benchmark::State& State, const char* Which) {
  std::string Self = "/proc/self/exe";
  for (auto _ : State) {
    int Pipe[2];
    if (pipe(Pipe) != 0) {
      State.SkipWithError("pipe");
      return;
    }
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_adddup2(&Actions, Pipe[1], 1);
    posix_spawn_file_actions_addclose(&Actions, Pipe[0]);
    std::string Variable = std::string(kFirstFontVariable) + "=" + Which;
    std::vector<char*> Env;
    for (char** E = environ; *E; ++E) Env.push_back(*E);
    Env.push_back(Variable.data());
    Env.push_back(nullptr);
    char* Args[] = {Self.data(), nullptr};
    pid_t Child = 0;
    int Spawned = posix_spawn(&Child, Self.c_str(), &Actions, nullptr, Args, Env.data());
    posix_spawn_file_actions_destroy(&Actions);
    close(Pipe[1]);
    char Buffer[64] = {};
    ssize_t Got = Spawned == 0 ? read(Pipe[0], Buffer, sizeof Buffer - 1) : -1;
    close(Pipe[0]);
    int Status = 0;
    if (Spawned == 0) waitpid(Child, &Status, 0);
    if (Got <= 0) {
      State.SkipWithError("child failed");
      return;
    }
    State.SetIterationTime(std::strtod(Buffer, nullptr) / 1e9);
  }
}
void BM_FirstFontOfAProcess(benchmark::State& State) { FontOfAFreshProcess(State, "1"); }
BENCHMARK(BM_FirstFontOfAProcess)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
void BM_SecondFaceOfAProcess(benchmark::State& State) { FontOfAFreshProcess(State, "2"); }
BENCHMARK(BM_SecondFaceOfAProcess)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_TextExtent(benchmark::State& State) {
  TSurface Surface(1, 1);
  TDeviceContext DC(Surface);
  DC.SetFont(LayoutFont());
  for (auto _ : State) benchmark::DoNotOptimize(GetTextExtentPoint(DC, "検索サイトの選択"));
}
BENCHMARK(BM_TextExtent);

// One row of the site picker's popup list.
void BM_DrawTextSingleLine(benchmark::State& State) {
  TSurface Surface(160, 20, 0xFFFFFF);
  TDeviceContext DC(Surface);
  DC.SetFont(LayoutFont());
  DC.SetBkMode(TRANSPARENT);
  for (auto _ : State) {
    TRect R{22, 2, 158, 18};
    DrawText(DC, "ニコニコ動画", R, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
}
BENCHMARK(BM_DrawTextSingleLine);

// A wrapped, ellipsised row (word break, tabs, no prefix, end ellipsis).
void BM_DrawTextWrapped(benchmark::State& State) {
  TSurface Surface(160, 40, 0xFFFFFF);
  TDeviceContext DC(Surface);
  DC.SetFont(LayoutFont());
  DC.SetBkMode(TRANSPARENT);
  for (auto _ : State) {
    TRect R{2, 2, 150, 38};
    DrawText(DC, "Google News と Google Maps と YouTube で検索する言葉を入力", R, 0x8850);
  }
}
BENCHMARK(BM_DrawTextWrapped);

// Glyphs never seen before: each iteration asks for another size, more
// sizes than the fonts kept in memory, so every glyph is rasterised anew.
void BM_GlyphsCold(benchmark::State& State) {
  TSurface Surface(400, 80, 0xFFFFFF);
  TDeviceContext DC(Surface);
  DC.SetBkMode(TRANSPARENT);
  int Size = 0;
  for (auto _ : State) {
    DC.SetFont(LayoutFont(-(13 + Size++ % 40)));
    TextOut(DC, 0, 0, "検索サイトの選択キーワード");
  }
  State.SetItemsProcessed(State.iterations() * 13);
}
BENCHMARK(BM_GlyphsCold)->Unit(benchmark::kMicrosecond);

void BM_EnumFonts(benchmark::State& State) {
  for (auto _ : State) benchmark::DoNotOptimize(ListFonts());
}
BENCHMARK(BM_EnumFonts)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int Argc, char** Argv) {
  if (const char* Which = std::getenv(kFirstFontVariable)) return RunFirstFont(Which);
  benchmark::Initialize(&Argc, Argv);
  if (benchmark::ReportUnrecognizedArguments(Argc, Argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
