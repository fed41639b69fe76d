#include "controls/picker/Dxfres.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/gdi/FrameControls.h"

namespace {

std::unique_ptr<TDxfResources>& Instance() {
  // Destroyed at exit when the program never called FinalizeDxfres.
  static std::unique_ptr<TDxfResources> Resources;
  return Resources;
}

}  // namespace

TDxfResources::TDxfResources(const TDxfResourceNames& Names) {
  DrawBmp = std::make_unique<TBitmap>();

  CBBmp = std::make_unique<TBitmap>();
  try {
    CBBmp->LoadFromResourceName(Names.CheckBoxStrip);
  } catch (const Exception&) {
    // Without the strip every picker draws the system's check boxes.
    CBBmp = std::make_unique<TBitmap>();
  }

  ImageList = std::make_unique<TImageList>(nullptr);
  TBitmap Mark;
  Mark.LoadFromResourceName(Names.TrueTypeMark);
  ImageList->SetSize(Mark.Width(), Mark.Height());
  ImageList->AddMasked(&Mark, Mark.TransparentColor());
  Mark.LoadFromResourceName(Names.DeviceFontMark);
  ImageList->AddMasked(&Mark, Mark.TransparentColor());

  // The system's check-box bitmap is a grid of 4 glyphs by 3.
  TDeviceBitmap System;
  LoadSystemBitmap(OBM_CHECKBOXES, System);
  SystemCheckWidth = System.Width() / 4;
  CheckWidth = System.Width() / 4;
  CheckHeight = System.Height() / 3;
  if (CBBmp->Width() > 0) {
    CheckWidth = CBBmp->Height();
    CheckHeight = CBBmp->Height();
  }
}

TDxfResources::~TDxfResources() {
  DrawBmp.reset();
  CBBmp.reset();
  ImageList.reset();
}

void InitializeDxfres(const TDxfResourceNames& Names) {
  if (!Instance()) Instance() = std::make_unique<TDxfResources>(Names);
}

void FinalizeDxfres() { Instance().reset(); }

bool DxfresInitialized() { return Instance() != nullptr; }

TDxfResources& DxfResources() {
  InitializeDxfres();
  return *Instance();
}

TBitmap* CBBmp() { return DxfResources().CBBmp.get(); }
TBitmap* DrawBmp() { return DxfResources().DrawBmp.get(); }
TImageList* ImageList() { return DxfResources().ImageList.get(); }
int SystemCheckWidth() { return DxfResources().SystemCheckWidth; }
int CheckWidth() { return DxfResources().CheckWidth; }
int CheckHeight() { return DxfResources().CheckHeight; }

const std::array<TColor, 16> StandardColors = {
    clBlack,  clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clGray,
    clSilver, clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
const std::array<TColor, 16> SystemColors = StandardColors;

int MaxCheckBoxStyle() {
  const TBitmap* Strip = CBBmp();
  if (Strip->Empty()) return 0;
  return Strip->Width() / (Strip->Height() * 4);
}

int ClampCheckBoxStyle(int Value) { return std::min(std::max(Value, 0), MaxCheckBoxStyle()); }

int CheckBoxCell(int Style, bool Checked) { return (Style - 1) * 4 + (Checked ? 1 : 0); }

TRect CheckBoxCellRect(int Style, bool Checked, int Width, int Height) {
  const int Cell = CheckBoxCell(Style, Checked);
  return TRect{Cell * Width, 0, (Cell + 1) * Width, Height};
}

int CheckBoxSize(int Style) { return Style == 0 ? SystemCheckWidth() : CheckWidth(); }

int CheckBoxFactor(double PixelsPerInch) {
  const int Factor = int(PixelsPerInch / 96.0 + 1e-9);
  return Factor < 1 ? 1 : Factor;
}

void DrawCheckBox(TCanvas* Canvas, const TRect& Box, int Style, bool Checked) {
  if (Style <= 0) {
    DrawFrameControl(*Canvas->Handle(), Box, DFC_BUTTON,
                     DFCS_BUTTONCHECK | (Checked ? DFCS_CHECKED : 0u));
    return;
  }
  const TBitmap* Strip = CBBmp();
  // A box a whole multiple of the cell is the cell's pixels enlarged, never
  // blended; any other box takes as much of the strip as it covers.
  const int W = Box.Right - Box.Left, H = Box.Bottom - Box.Top;
  const int Cell = CheckWidth();
  if (Cell > 0 && W > Cell && W % Cell == 0) {
    const int Factor = W / Cell;
    const TRect Source = CheckBoxCellRect(Style, Checked, Cell, H / Factor);
    const TRect Dest{Box.Left, Box.Top, Box.Right, Box.Top + H / Factor * Factor};
    Canvas->BrushCopy(Dest, Strip, Source, Strip->TransparentColor());
    return;
  }
  const TRect Source = CheckBoxCellRect(Style, Checked, W, H);
  Canvas->BrushCopy(Box, Strip, Source, Strip->TransparentColor());
}
