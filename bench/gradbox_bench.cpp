// The gradient caption panel's paint: the main window's 500 by 35 panel
// (white to red 0, green 128, blue 255, blue outline, no caption) rebuilds
// its 256 colour steps and issues 256 band fills through its canvas on every
// paint. The whole frame has a budget of 0.3 ms; the figures here say how
// much of it the panel takes, and what a relief caption adds.

#include <benchmark/benchmark.h>

#include "controls/gradient/Gradbox.h"
#include "controls/gradient/Gradboxpaint.h"
#include "framework/graphics/Canvas.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Surface.h"

namespace {

constexpr int kWidth = 500, kHeight = 35;
constexpr TColor kDeepSky = 16744448;

// A canvas on a 500 by 35 surface, as the panel's canvas is bound to the
// window's paint context.
struct TPanelTarget {
  TSurface Surface{kWidth, kHeight};
  TDeviceContext DC{Surface};
  TCanvas Canvas;
  TPanelTarget() { Canvas.SetHandle(&DC); }
};

void BM_GradboxColorSteps(benchmark::State& State) {
  TGradColors Colors{};
  for (auto _ : State) {
    FillGradientColors(Colors, clWhite, kDeepSky, gsTopBottom);
    benchmark::DoNotOptimize(Colors.data());
  }
}
BENCHMARK(BM_GradboxColorSteps);

// The panel as the search bar shows it: steps, 256 fills, the outline.
void BM_GradboxPanelPaint(benchmark::State& State) {
  TPanelTarget Target;
  TGradColors Colors{};
  TCanvas& C = Target.Canvas;
  for (auto _ : State) {
    FillGradientColors(Colors, clWhite, kDeepSky, gsTopBottom);
    PaintGradientBands(C, Colors, gsTopBottom, kWidth, kHeight);
    C.Brush()->SetStyle(bsClear);
    C.Pen()->SetColor(clBlue);
    C.Rectangle(0, 0, kWidth, kHeight);
    benchmark::DoNotOptimize(Target.Surface.Data());
  }
}
BENCHMARK(BM_GradboxPanelPaint);

// Vertical bands: 256 narrow fills of the full height.
void BM_GradboxPanelPaintLeftRight(benchmark::State& State) {
  TPanelTarget Target;
  TGradColors Colors{};
  for (auto _ : State) {
    FillGradientColors(Colors, clWhite, kDeepSky, gsLeftRight);
    PaintGradientBands(Target.Canvas, Colors, gsLeftRight, kWidth, kHeight);
    benchmark::DoNotOptimize(Target.Surface.Data());
  }
}
BENCHMARK(BM_GradboxPanelPaintLeftRight);

// The panel with a caption in a raised relief of depth 3: four text outputs.
void BM_GradboxPanelPaintReliefCaption(benchmark::State& State) {
  TPanelTarget Target;
  TGradColors Colors{};
  TFont Font;
  Font.SetColor(clWhite);
  TCaptionLook Look;
  Look.Font3D = true;
  Look.Depth = 3;
  Look.Style3D = fsRaise3D;
  Look.BackFont = clNavy;
  const TRect CaptionRect{10, 10, kWidth, kHeight};
  // The first text output loads the face; the frames below reuse it.
  DrawCaption(Target.Canvas, Font, "検索サイト", CaptionRect, Look);
  for (auto _ : State) {
    FillGradientColors(Colors, clWhite, kDeepSky, gsTopBottom);
    PaintGradientBands(Target.Canvas, Colors, gsTopBottom, kWidth, kHeight);
    DrawCaption(Target.Canvas, Font, "検索サイト", CaptionRect, Look);
    benchmark::DoNotOptimize(Target.Surface.Data());
  }
}
BENCHMARK(BM_GradboxPanelPaintReliefCaption);

// The control itself, painted the way its parent paints it: WM_PAINT with
// the paint context, which binds the canvas, paints, and unbinds it.
void BM_GradboxControlPaint(benchmark::State& State) {
  TSurface Surface(kWidth, kHeight);
  TDeviceContext DC(Surface);
  TGradBox Box(nullptr);
  Box.SetBounds(0, 0, kWidth, kHeight);
  Box.SetTopColor(clWhite);
  Box.SetLastColor(kDeepSky);
  Box.SetOutLineColor(clBlue);
  Box.SetDrawOutLine(true);
  for (auto _ : State) {
    Box.Perform(WM_PAINT, reinterpret_cast<WPARAM>(&DC), 0);
    benchmark::DoNotOptimize(Surface.Data());
  }
}
BENCHMARK(BM_GradboxControlPaint);

}  // namespace

BENCHMARK_MAIN();
