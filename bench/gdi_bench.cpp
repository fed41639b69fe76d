// Software GDI figures for the main window's background: the gradient panel
// paints a 500 by 35 client area as 256 band fills, then the window's texts
// are drawn on it, and the finished frame is copied in one block. The frame
// as a whole has a budget of 0.3 ms.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "platform/gdi/Blit.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Primitives.h"
#include "platform/gdi/Region.h"
#include "platform/gdi/Text.h"

namespace {

constexpr int kWidth = 500, kHeight = 35;

// The panel's colour steps from white to blue, as it builds them: repeated
// subtraction of a per-channel step, truncated.
struct TGradient {
  TColor Steps[256];
  TGradient() {
    const TColor Start = RGB(255, 255, 255), End = RGB(0, 0, 255);
    long double R = GetRValue(Start), G = GetGValue(Start), B = GetBValue(Start);
    const long double DR = (R - GetRValue(End)) / 255, DG = (G - GetGValue(End)) / 255,
                      DB = (B - GetBValue(End)) / 255;
    Steps[0] = Start;
    for (int I = 1; I < 255; ++I) {
      R -= DR, G -= DG, B -= DB;
      Steps[I] = RGB(int(R) & 0xFF, int(G) & 0xFF, int(B) & 0xFF);
    }
    Steps[255] = End;
  }
};

// 256 horizontal bands laid from the top, each trunc(35 / 255 + 1) high.
void PaintBands(TDeviceContext& DC, const TGradient& Gradient) {
  const long double S = static_cast<long double>(kHeight) / 255;
  const int Band = static_cast<int>(S + 1);
  TRect R{0, 0, kWidth, 0};
  for (int I = 0; I < 256; ++I) {
    R.Bottom = R.Top + Band;
    FillRect(DC, R, SolidBrush(Gradient.Steps[I]));
    R.Top = static_cast<int>(I * S);
  }
}

void PaintTexts(TDeviceContext& DC) {
  TLogFont Font;
  Font.Face = "ＭＳ Ｐゴシック";
  Font.Height = -12;
  DC.SetFont(Font);
  DC.SetBkMode(TRANSPARENT);
  static const char* const kLines[10] = {"検索",     "サイト",   "キーワード", "Google", "Yahoo!",
                                         "天気予報", "ニュース", "辞書",       "地図",   "画像"};
  for (int I = 0; I < 10; ++I) TextOut(DC, 4 + 48 * I, 10, kLines[I]);
}

void BM_GradientBands(benchmark::State& State) {
  TSurface Surface(kWidth, kHeight);
  TDeviceContext DC(Surface);
  const TGradient Gradient;
  for (auto _ : State) {
    PaintBands(DC, Gradient);
    benchmark::DoNotOptimize(Surface.Data());
  }
}
BENCHMARK(BM_GradientBands);

void BM_GradientBandsAndTenTexts(benchmark::State& State) {
  TSurface Surface(kWidth, kHeight);
  TDeviceContext DC(Surface);
  const TGradient Gradient;
  PaintTexts(DC);  // the first use loads the face; the frames below reuse it
  for (auto _ : State) {
    PaintBands(DC, Gradient);
    PaintTexts(DC);
    benchmark::DoNotOptimize(Surface.Data());
  }
}
BENCHMARK(BM_GradientBandsAndTenTexts);

// Composing off screen and copying the frame to the window in one block.
void BM_FrameCopy(benchmark::State& State) {
  TDeviceBitmap Frame(kWidth, kHeight);
  TSurface Window(kWidth, kHeight);
  TDeviceContext FrameDC(Frame), WindowDC(Window);
  for (auto _ : State) {
    BitBlt(WindowDC, 0, 0, kWidth, kHeight, FrameDC, 0, 0, SRCCOPY);
    benchmark::DoNotOptimize(Window.Data());
  }
}
BENCHMARK(BM_FrameCopy);

// A clipped frame: the same bands with the picker's and the button's
// rectangles excluded, as a parent paint behind child windows would be.
void BM_GradientBandsClipped(benchmark::State& State) {
  TSurface Surface(kWidth, kHeight);
  TDeviceContext DC(Surface);
  DC.ExcludeClipRect(TRect{60, 8, 200, 28});
  DC.ExcludeClipRect(TRect{210, 8, 420, 28});
  DC.ExcludeClipRect(TRect{430, 6, 495, 30});
  const TGradient Gradient;
  for (auto _ : State) {
    PaintBands(DC, Gradient);
    benchmark::DoNotOptimize(Surface.Data());
  }
}
BENCHMARK(BM_GradientBandsClipped);

// The same frame painted through a child window's context: the window lies
// at (10, 5) on its top-level's back buffer, a sibling above covers a corner
// of it, and ten windowless parts are painted each in a saved state with its
// own origin and clip, as a parent paints the controls it holds. The visible
// rectangles are recomputed when a part clips and when its state is put
// back, never per primitive.
void BM_ChildWindowBandsWithSavedParts(benchmark::State& State) {
  TSurface Surface(kWidth + 20, kHeight + 10);
  TDeviceContext DC(Surface);
  DC.SetDeviceOrigin(10, 5);
  TRegion Visible(TRect{10, 5, 10 + kWidth, 5 + kHeight});
  Visible.Subtract(TRect{400, 0, 520, 20});
  DC.SetSystemClip(&Visible);
  const TGradient Gradient;
  for (auto _ : State) {
    PaintBands(DC, Gradient);
    for (int I = 0; I < 10; ++I) {
      TDCStateSaver Saver(DC);
      DC.SetViewportOrg(4 + 48 * I, 8);
      DC.IntersectClipRect(TRect{0, 0, 40, 20});
      FillRect(DC, TRect{0, 0, 40, 20}, SolidBrush(Gradient.Steps[I * 20]));
    }
    benchmark::DoNotOptimize(Surface.Data());
  }
}
BENCHMARK(BM_ChildWindowBandsWithSavedParts);

}  // namespace

BENCHMARK_MAIN();
