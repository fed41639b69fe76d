// Framework graphics figures for the two drawings that run most often:
// - a popup list row as the picker composes it: the row's font and fills on
//   the shared off-screen bitmap, a check-box cell brush-copied from the
//   strip, a font mark from the image list, the text, and one copy to the
//   list's canvas;
// - a shine button's state glyph: a 32-bit copy of a 24 by 24 glyph read and
//   written through its rows, turned into a transparent device bitmap and
//   drawn, plus the disabled look through a monochrome mask.
// And the cost of growing the shared row bitmap by one pixel, which it does
// whenever a wider row comes.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "platform/gdi/Blit.h"

namespace {

constexpr int kRowWidth = 160, kRowHeight = 18, kCell = 18;

// A check-box strip of 56 cells: a framed box on magenta.
std::unique_ptr<TBitmap> MakeStrip() {
  auto Strip = std::make_unique<TBitmap>(56 * kCell, kCell);
  TCanvas* C = Strip->Canvas();
  C->Brush()->SetColor(clFuchsia);
  C->FillRect(TRect{0, 0, Strip->Width(), kCell});
  C->Brush()->SetColor(clWhite);
  for (int I = 0; I < 56; ++I) C->Rectangle(I * kCell + 2, 2, I * kCell + 16, 16);
  return Strip;
}

std::unique_ptr<TImageList> MakeMarks() {
  auto List = std::make_unique<TImageList>(nullptr, 13, 13);
  TBitmap Mark(13, 13);
  Mark.Canvas()->Brush()->SetColor(clFuchsia);
  Mark.Canvas()->FillRect(TRect{0, 0, 13, 13});
  Mark.Canvas()->Brush()->SetColor(clBlack);
  Mark.Canvas()->FillRect(TRect{2, 2, 11, 4});
  Mark.Canvas()->FillRect(TRect{5, 4, 8, 12});
  List->AddMasked(&Mark, clDefault);
  List->AddMasked(&Mark, clDefault);
  return List;
}

void BM_PopupRow(benchmark::State& State) {
  std::unique_ptr<TBitmap> Strip = MakeStrip();
  std::unique_ptr<TImageList> Marks = MakeMarks();
  TBitmap DrawBmp;
  TBitmap List(kRowWidth, kRowHeight * 10);
  TFont ListFont;
  ListFont.SetColor(clBlue);
  int Row = 0;
  for (auto _ : State) {
    TCanvas* C = DrawBmp.Canvas();
    C->Font()->Assign(&ListFont);
    C->Brush()->SetColor(clWhite);
    C->FillRect(TRect{0, 0, kRowWidth, kRowHeight});
    if (DrawBmp.Width() < kRowWidth) DrawBmp.SetWidth(kRowWidth);
    if (DrawBmp.Height() < kRowHeight) DrawBmp.SetHeight(kRowHeight);
    C->Brush()->SetColor(Row % 2 ? clHighlight : clWhite);
    C->FillRect(TRect{0, 0, kRowWidth, kRowHeight});
    Marks->Draw(C, 1, 2, Row % 2, true);
    const int Cell = 36 + Row % 2;
    C->BrushCopy(TRect{16, 0, 16 + kCell, kCell}, Strip.get(),
                 TRect{Cell * kCell, 0, (Cell + 1) * kCell, kCell}, Strip->TransparentColor());
    C->Handle()->SetBkMode(TRANSPARENT);
    C->TextOut(40, 3, "Yahoo! Japan");
    BitBlt(*List.Canvas()->Handle(), 0, (Row % 10) * kRowHeight, kRowWidth, kRowHeight,
           *C->Handle(), 0, 0, SRCCOPY);
    ++Row;
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PopupRow);

void BM_ShineStateGlyph(benchmark::State& State) {
  TBitmap Glyph(24, 24);
  Glyph.Canvas()->Brush()->SetColor(clFuchsia);
  Glyph.Canvas()->FillRect(TRect{0, 0, 24, 24});
  Glyph.Canvas()->Brush()->SetColor(clGreen);
  Glyph.Canvas()->FillRect(TRect{4, 4, 20, 20});
  Glyph.SetPixelFormat(pf32bit);
  TBitmap Face(25, 25);
  const bool Disabled = State.range(0) != 0;
  for (auto _ : State) {
    TBitmap Image;
    Image.Assign(&Glyph);
    const std::uint32_t Key = Glyph.ScanLine(23)[0] & 0xFFFFFF;
    for (int Y = 0; Y < 24; ++Y) {
      std::uint32_t* Row = Image.ScanLine(Y);
      for (int X = 0; X < 24; ++X)
        if ((Row[X] & 0xFFFFFF) != Key) Row[X] = ((Row[X] & 0xFEFEFE) >> 1) + 0x7F7F00;
    }
    if (Disabled) {
      Image.SetMonochrome(true);
      TDeviceContext& DC = *Face.Canvas()->Handle();
      DC.SetTextColor(clBlack);
      DC.SetBkColor(clWhite);
      Face.Canvas()->Brush()->SetColor(clBtnShadow);
      BitBlt(*Face.Canvas()->Handle(), 1, 1, 24, 24, *Image.Canvas()->Handle(), 0, 0,
             ROP_MASKPAINT);
    } else {
      Image.SetHandleType(bmDDB);
      Image.SetTransparent(true);
      Image.SetTransparentColor(Image.Canvas()->Pixels(0, 23));
      Face.Canvas()->Brush()->SetStyle(bsClear);
      Face.Canvas()->Draw(1, 1, &Image);
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ShineStateGlyph)->Arg(0)->Arg(1)->ArgNames({"disabled"});

// Growing the shared row bitmap by one column keeps its pixels: one copy of
// the whole image.
void BM_GrowRowBitmap(benchmark::State& State) {
  TBitmap Bitmap(kRowWidth, kRowHeight);
  int Width = kRowWidth;
  for (auto _ : State) {
    Bitmap.SetWidth(++Width);
    if (Width > 2 * kRowWidth) {
      State.PauseTiming();
      Width = kRowWidth;
      Bitmap.SetWidth(Width);
      State.ResumeTiming();
    }
  }
}
BENCHMARK(BM_GrowRowBitmap);

}  // namespace

BENCHMARK_MAIN();
