// Counts the instructions of one frame of the main window's background, the
// figure that stays the same run after run whatever else the machine does:
// the gradient panel's 256 band fills on a 500 by 35 bitmap and ten lines of
// Japanese text on top. Run it under callgrind through frame_instructions.sh;
// only the measured frames are collected, never the start-up or the first
// font load.

#include <valgrind/callgrind.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "controls/gradient/Gradboxpaint.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Graphics.h"

namespace {

constexpr int kWidth = 500, kHeight = 35;

const char* const kLines[10] = {"検索",     "サイト",   "キーワード", "Google", "Yahoo!",
                                "天気予報", "ニュース", "辞書",       "地図",   "画像"};

void PaintFrame(TCanvas& Canvas, const TGradColors& Colors) {
  PaintGradientBands(Canvas, Colors, gsTopBottom, kWidth, kHeight);
  Canvas.Brush()->SetStyle(bsClear);
  for (int I = 0; I < 10; ++I) Canvas.TextOut(4 + 48 * I, 12, kLines[I]);
}

}  // namespace

int main(int Argc, char** Argv) {
  const int Frames = Argc > 1 ? std::atoi(Argv[1]) : 100;
  TBitmap Bitmap;
  Bitmap.SetPixelFormat(pf32bit);
  Bitmap.SetWidth(kWidth);
  Bitmap.SetHeight(kHeight);
  TCanvas& Canvas = *Bitmap.Canvas();
  Canvas.Font()->SetColor(clWhite);
  TGradColors Colors{};
  FillGradientColors(Colors, clWhite, TColor(16744448), gsTopBottom);
  PaintFrame(Canvas, Colors);  // loads the face and fills the glyph cache

  const auto Start = std::chrono::steady_clock::now();
  CALLGRIND_TOGGLE_COLLECT;
  for (int I = 0; I < Frames; ++I) PaintFrame(Canvas, Colors);
  CALLGRIND_TOGGLE_COLLECT;
  const auto Elapsed = std::chrono::steady_clock::now() - Start;
  std::printf("frames: %d, time per frame: %.1f us\n", Frames,
              std::chrono::duration<double, std::micro>(Elapsed).count() / Frames);
  return 0;
}
