// One paint of a shine button: 75 by 25, a 24 by 24 glyph, gradient face,
// normal frame, in every drawing state and with every hover and disabled
// effect. Each paint builds the state image anew, composes the face in an
// off-screen bitmap and copies it to the target, as the button does on the
// screen. The budget is 50 microseconds per paint.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "controls/shine/Shinespdbtn.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Surface.h"

namespace {

class TBenchButton : public TShineSpeedButton {
public:
  using TShineSpeedButton::TShineSpeedButton;
  void SetState(TShineDrawState State) { FDrawState = State; }
};

// A round glyph: a disc of two colours on a key background.
void MakeGlyph(TShineSpeedButton& B) {
  TBitmap Glyph;
  Glyph.SetPixelFormat(pf32bit);
  Glyph.SetSize(24, 24);
  for (int Y = 0; Y < 24; ++Y)
    for (int X = 0; X < 24; ++X) {
      const int DX = X - 12, DY = Y - 12, D = DX * DX + DY * DY;
      Glyph.ScanLine(Y)[X] = D < 49 ? 0xFFCC00u : D < 110 ? 0x2060C0u : 0xFF00FFu;
    }
  B.SetGlyph(&Glyph);
}

void PaintLoop(benchmark::State& State, TShineDrawState Look, int Effect, bool Caption) {
  TBenchButton B(nullptr);
  B.SetBounds(0, 0, 75, 25);
  B.Colors()->SetGradation(true);
  B.PressedColors()->SetGradation(true);
  B.PressedColors()->SetGradVertical(true);
  if (Look == sdDisabled)
    B.SetDisabledImage(TDisabledImageType(Effect));
  else
    B.SetActiveImage(TActiveImageType(Effect));
  MakeGlyph(B);
  if (Caption) B.SetCaption("&Search");
  B.SetState(Look);
  TSurface Surface(75, 25);
  TDeviceContext DC(Surface);
  for (auto _ : State) {
    B.Perform(WM_PAINT, reinterpret_cast<WPARAM>(&DC), 0);
    benchmark::DoNotOptimize(Surface.Data());
  }
}

// Arguments: drawing state, effect.
void BM_ShinePaint(benchmark::State& State) {
  PaintLoop(State, TShineDrawState(State.range(0)), int(State.range(1)), false);
}
BENCHMARK(BM_ShinePaint)
    ->ArgNames({"state", "effect"})
    ->ArgsProduct({{sdDownActive, sdUpActive},
                   benchmark::CreateDenseRange(aiNormal, aiMaskLight, 1)})
    ->Args({sdDown, 0})
    ->Args({sdUp, 0})
    ->ArgsProduct({{sdDisabled}, benchmark::CreateDenseRange(diDefault, diMaskTrans, 1)})
    ->Unit(benchmark::kMicrosecond);

// The same with a caption beside the glyph, hovered with the outline effect.
void BM_ShinePaintWithCaption(benchmark::State& State) {
  PaintLoop(State, TShineDrawState(State.range(0)), aiFrameLight, true);
}
BENCHMARK(BM_ShinePaintWithCaption)
    ->ArgNames({"state"})
    ->DenseRange(sdDownActive, sdUp, 1)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
