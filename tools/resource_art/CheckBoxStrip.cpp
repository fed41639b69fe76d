#include "tools/resource_art/CheckBoxStrip.h"

#include <stdexcept>

namespace art {
namespace {

// The box of the square styles: 14 by 14 at (2, 2), centred in the cell
// (centre 9.0, which is 18 in doubled coordinates).
constexpr int kL = 2, kT = 2, kR = 16, kB = 16;
constexpr int kMid2 = 18;

const TShape kBox = RectShape(kL, kT, kR, kB);
const TShape kRoundBox = RoundRectShape(kL, kT, kR, kB, 4);

// A bold tick, 10 by 9, three pixels thick, placed inside the box.
void Tick(TPixelCanvas& C, TRgb Colour) {
  C.Stamp(4, 4,
          {
              ".........#",
              "........##",
              ".......###",
              "#.....###.",
              "##...###..",
              "###.###...",
              ".#####....",
              "..###.....",
              "...#......",
          },
          {{'#', Colour}});
}

// A round dot of diameter 6 centred in the box.
void Dot(TPixelCanvas& C, TRgb Colour, TRgb Shine) {
  C.Fill(CircleShape(kMid2, kMid2, 6), Colour);
  C.Set(7, 7, Shine);
}

// Shades a disc from a light spot up and to the left of its centre: Shades run
// from the spot outwards, each taking an equal band of distance.
void ShadedDisc(TPixelCanvas& C, int CX2, int CY2, int R2, int SpotX2, int SpotY2,
                std::initializer_list<TRgb> Shades) {
  const int Count = static_cast<int>(Shades.size());
  // The farthest point of the disc from the spot.
  const int DX = CX2 - SpotX2, DY = CY2 - SpotY2;
  int Offset = 0;
  while (Offset * Offset < DX * DX + DY * DY) ++Offset;
  const int Far = R2 + Offset;
  C.Fill(CircleShape(CX2, CY2, R2), [&](int X, int Y) {
    const int D2 = Distance2Sq(X, Y, SpotX2, SpotY2);
    int D = 0;
    while ((D + 1) * (D + 1) <= D2) ++D;
    int Band = D * Count / Far;
    if (Band >= Count) Band = Count - 1;
    return *(Shades.begin() + Band);
  });
}

void Style1(TPixelCanvas& C, bool Ticked) {
  // White square box.
  C.Fill(kBox, kWhite);
  C.Outline(kBox, Rgb(112, 112, 112));
  // A faint inner line top and left gives the box some depth.
  C.Stamp(3, 3, {"############"}, {{'#', Rgb(226, 226, 226)}});
  for (int Y = 4; Y < 15; ++Y) C.Set(3, Y, Rgb(226, 226, 226));
  if (Ticked) Tick(C, Rgb(16, 72, 200));
}

void Style2(TPixelCanvas& C, bool Ticked) {
  // Grey rounded button.
  C.Fill(kRoundBox, Rgb(216, 216, 212));
  C.Outline(kRoundBox, Rgb(104, 104, 104));
  C.Bevel(kRoundBox, kWhite, Rgb(168, 168, 164));
  if (Ticked) Dot(C, Rgb(40, 40, 40), Rgb(112, 112, 112));
}

void Style3(TPixelCanvas& C, bool Ticked) {
  // Bright green square.
  C.Fill(kBox, Rgb(72, 228, 72));
  C.Outline(kBox, Rgb(0, 128, 0));
  C.Bevel(kBox, Rgb(176, 255, 176), Rgb(24, 184, 24));
  if (Ticked) Dot(C, Rgb(0, 72, 0), Rgb(40, 144, 40));
}

void Style4(TPixelCanvas& C, bool Ticked) {
  // Raised grey box: light top and left, dark bottom and right, two pixels each.
  C.Fill(kBox, Rgb(200, 200, 200));
  C.Fill(RectShape(kL, kT, kR - 1, kT + 1), Rgb(240, 240, 240));
  C.Fill(RectShape(kL, kT, kL + 1, kB - 1), Rgb(240, 240, 240));
  C.Fill(RectShape(kL, kB - 1, kR, kB), Rgb(64, 64, 64));
  C.Fill(RectShape(kR - 1, kT, kR, kB), Rgb(64, 64, 64));
  C.Fill(RectShape(kL + 1, kT + 1, kR - 2, kT + 2), kWhite);
  C.Fill(RectShape(kL + 1, kT + 1, kL + 2, kB - 2), kWhite);
  C.Fill(RectShape(kL + 1, kB - 2, kR - 1, kB - 1), Rgb(136, 136, 136));
  C.Fill(RectShape(kR - 2, kT + 1, kR - 1, kB - 1), Rgb(136, 136, 136));
  if (Ticked) Tick(C, kBlack);
}

void Style5(TPixelCanvas& C, bool Ticked) {
  // Grey box with a rounded black border.
  C.Fill(kRoundBox, Rgb(204, 204, 204));
  C.Outline(kRoundBox, kBlack);
  if (Ticked) Tick(C, kBlack);
}

void Style6(TPixelCanvas& C, bool Ticked) {
  // Grey box with a black border.
  C.Fill(kBox, Rgb(196, 196, 196));
  C.Outline(kBox, kBlack);
  if (Ticked) Tick(C, Rgb(255, 128, 0));
}

void Style7(TPixelCanvas& C, bool Ticked) {
  // Sunken grey box: dark top and left, light bottom and right.
  C.Fill(kBox, Rgb(192, 192, 192));
  C.Fill(RectShape(kL, kT, kR, kT + 1), Rgb(128, 128, 128));
  C.Fill(RectShape(kL, kT, kL + 1, kB), Rgb(128, 128, 128));
  C.Fill(RectShape(kL + 1, kB - 1, kR, kB), Rgb(244, 244, 244));
  C.Fill(RectShape(kR - 1, kT + 1, kR, kB), Rgb(244, 244, 244));
  C.Fill(RectShape(kL + 1, kT + 1, kR - 1, kT + 2), Rgb(64, 64, 64));
  C.Fill(RectShape(kL + 1, kT + 1, kL + 2, kB - 1), Rgb(64, 64, 64));
  C.Fill(RectShape(kL + 2, kB - 2, kR - 1, kB - 1), Rgb(216, 216, 216));
  C.Fill(RectShape(kR - 2, kT + 2, kR - 1, kB - 1), Rgb(216, 216, 216));
  if (Ticked) C.Fill(RectShape(6, 6, 12, 12), kBlack);
}

void Style8(TPixelCanvas& C, bool Ticked) {
  // Grey diamond.
  const TShape Diamond = DiamondShape(kMid2, kMid2, 15);
  C.Fill(Diamond, Rgb(192, 192, 192));
  C.Outline(Diamond, Rgb(72, 72, 72));
  C.Bevel(Diamond, kWhite, Rgb(136, 136, 136));
  if (Ticked) C.Fill(DiamondShape(kMid2, kMid2, 6), kBlack);
}

void Style9(TPixelCanvas& C, bool Ticked) {
  // Brown box.
  C.Fill(kBox, Rgb(168, 112, 56));
  C.Outline(kBox, Rgb(88, 52, 20));
  C.Bevel(kBox, Rgb(212, 160, 104), Rgb(128, 80, 36));
  if (Ticked) {
    // A bold cross: the two diagonals of the 8 by 8 square in the middle,
    // each with a dark seam on both sides.
    const TRgb Seam = Rgb(56, 32, 16);
    C.Fill([](int X, int Y) { return X >= 5 && X <= 12 && Y >= 5 && Y <= 12; },
           [&](int X, int Y) -> TRgb {
             const int Main = X - Y, Anti = X + Y - 17;
             if (Main == 0 || Anti == 0) return kBlack;
             if (Main == 1 || Main == -1 || Anti == 1 || Anti == -1) return Seam;
             return C.Get(X, Y);
           });
  }
}

// The search bar's own style: a white rounded square with a soft blue-grey
// edge and a faint top-to-bottom shade, and, ticked, a round blue light that
// glows into the white around it.
void Style10(TPixelCanvas& C, bool Ticked) {
  static const TRgb Face[] = {kWhite, Rgb(248, 250, 253), Rgb(240, 244, 250), Rgb(232, 238, 246)};
  C.Fill(kRoundBox, [](int, int Y) { return Face[(Y - kT - 1) < 0 ? 0 : (Y - kT - 1) / 3 % 4]; });
  C.Outline(kRoundBox, Rgb(112, 136, 172));
  // The rounded corners' inner pixels soften the edge towards the face.
  const TRgb Soft = Rgb(184, 198, 220);
  for (int Y = kT; Y < kB; ++Y)
    for (int X = kL; X < kR; ++X)
      if (kRoundBox(X, Y) &&
          !kRoundBox(X - 1, Y - 1) + !kRoundBox(X + 1, Y - 1) + !kRoundBox(X - 1, Y + 1) +
                  !kRoundBox(X + 1, Y + 1) ==
              1 &&
          kRoundBox(X - 1, Y) && kRoundBox(X + 1, Y) && kRoundBox(X, Y - 1) && kRoundBox(X, Y + 1))
        C.Set(X, Y, Soft);
  if (!Ticked) return;
  // Halo, then the lamp: bright at its heart, deep blue at its rim.
  C.Fill(Minus(CircleShape(kMid2, kMid2, 11), CircleShape(kMid2, kMid2, 9)), Rgb(206, 226, 252));
  C.Fill(Minus(CircleShape(kMid2, kMid2, 9), CircleShape(kMid2, kMid2, 7)), Rgb(150, 196, 248));
  C.Fill(CircleShape(kMid2, kMid2, 8), [](int X, int Y) {
    // The brightest spot is the 2 by 2 pixels just up and left of the centre.
    const int D = Distance2Sq(X, Y, kMid2 - 2, kMid2 - 2);
    if (D <= 2) return Rgb(240, 250, 255);
    if (D <= 10) return Rgb(150, 212, 255);
    if (D <= 26) return Rgb(64, 156, 250);
    if (D <= 45) return Rgb(24, 108, 236);
    return Rgb(10, 70, 200);
  });
}

void Style11(TPixelCanvas& C, bool Ticked) {
  if (!Ticked) {
    // Dark blue square.
    C.Fill(kBox, Rgb(0, 0, 128));
    C.Outline(kBox, Rgb(0, 0, 80));
    C.Bevel(kBox, Rgb(40, 40, 176), Rgb(0, 0, 104));
    return;
  }
  // Blue frame, light inside, grey square in the middle.
  C.Fill(kBox, Rgb(244, 244, 244));
  C.Fill(Minus(kBox, RectShape(kL + 2, kT + 2, kR - 2, kB - 2)), Rgb(24, 72, 232));
  C.Outline(kBox, Rgb(0, 32, 160));
  C.Fill(RectShape(6, 6, 12, 12), Rgb(128, 128, 128));
  C.Outline(RectShape(6, 6, 12, 12), Rgb(96, 96, 96));
}

void Style12(TPixelCanvas& C, bool Ticked) {
  // A sphere of radius 7 lit from the top left.
  if (!Ticked) {
    ShadedDisc(C, kMid2, kMid2, 14, kMid2 - 6, kMid2 - 6,
               {Rgb(232, 242, 255), Rgb(150, 190, 255), Rgb(90, 140, 245), Rgb(50, 100, 225),
                Rgb(30, 70, 190), Rgb(16, 40, 140)});
    return;
  }
  // A blue ring around a white sphere.
  ShadedDisc(C, kMid2, kMid2, 14, kMid2 - 6, kMid2 - 6,
             {Rgb(110, 160, 250), Rgb(70, 120, 236), Rgb(44, 88, 212), Rgb(28, 60, 172),
              Rgb(14, 34, 124)});
  ShadedDisc(C, kMid2, kMid2, 10, kMid2 - 4, kMid2 - 4,
             {kWhite, kWhite, Rgb(240, 240, 244), Rgb(220, 220, 228), Rgb(196, 196, 208)});
}

void Style13(TPixelCanvas& C, bool Ticked) {
  // Flat square sunk one pixel into the row.
  C.Fill(kBox, Rgb(250, 250, 250));
  C.Fill(RectShape(kL, kT, kR, kT + 1), Rgb(128, 128, 128));
  C.Fill(RectShape(kL, kT, kL + 1, kB), Rgb(128, 128, 128));
  C.Fill(RectShape(kL + 1, kB - 1, kR, kB), Rgb(212, 212, 212));
  C.Fill(RectShape(kR - 1, kT + 1, kR, kB), Rgb(212, 212, 212));
  if (!Ticked) return;
  // A glass bead: deep rim, clear body brighter at the bottom where the light
  // comes through, a white glint at the top left.
  const TShape Bead = CircleShape(kMid2, kMid2, 10);
  C.Fill(Bead, [](int X, int Y) {
    const int Lower = Distance2Sq(X, Y, kMid2 + 1, kMid2 + 5);
    if (Lower <= 10) return Rgb(120, 190, 255);
    if (Lower <= 26) return Rgb(60, 140, 244);
    if (Lower <= 50) return Rgb(32, 100, 220);
    return Rgb(20, 72, 196);
  });
  C.Outline(Bead, Rgb(8, 40, 132));
  C.Stamp(6, 6, {".##", "##", "#"}, {{'#', kWhite}});
}

void Style14(TPixelCanvas& C, bool Ticked) {
  // A push-pin seen from the side, point down.
  const std::initializer_list<std::pair<char, TRgb>> Legend = {
      {'k', Rgb(64, 0, 0)},      {'r', Rgb(216, 32, 32)},   {'R', Rgb(255, 136, 136)},
      {'d', Rgb(144, 16, 16)},   {'s', Rgb(224, 224, 232)}, {'g', Rgb(120, 120, 132)},
      {'h', Rgb(160, 160, 160)},
  };
  if (!Ticked) {
    // Head up, the needle free below it.
    C.Stamp(4, 1,
            {
                "..kkkkkk..",
                ".kRRrrrdk.",
                ".kRrrrrdk.",
                ".kRrrrrdk.",
                ".kRrrrrdk.",
                "..kRrrdk..",
                "..kRrrdk..",
                "kkkkkkkkkk",
                "kRRrrrrrdk",
                "kkkkkkkkkk",
                "....sg....",
                "....sg....",
                "....sg....",
                "....sg....",
                "....s.....",
            },
            Legend);
    return;
  }
  // Head pressed down: the needle is in the surface, only the head shows,
  // resting on its shadow.
  C.Stamp(4, 6,
          {
              "..kkkkkk..",
              ".kRRrrrdk.",
              ".kRrrrrdk.",
              ".kRrrrrdk.",
              "..kRrrdk..",
              "kkkkkkkkkk",
              "kRRrrrrrdk",
              "kkkkkkkkkk",
              "hhhhhhhhhhh",
          },
          Legend);
}

using TStyleArt = void (*)(TPixelCanvas&, bool);
const TStyleArt kStyles[kCheckStyles] = {Style1,  Style2,  Style3,  Style4, Style5,
                                         Style6,  Style7,  Style8,  Style9, Style10,
                                         Style11, Style12, Style13, Style14};

}  // namespace

TPixelCanvas DrawCheckBoxCell(int Style, bool Ticked) {
  if (Style < 1 || Style > kCheckStyles) throw std::out_of_range("check box style");
  TPixelCanvas Cell(kCheckCell, kCheckCell);
  kStyles[Style - 1](Cell, Ticked);
  return Cell;
}

TPixelCanvas GreyedCell(const TPixelCanvas& Cell) {
  TPixelCanvas Out = Cell;
  for (int Y = 0; Y < Cell.Height(); ++Y)
    for (int X = 0; X < Cell.Width(); ++X) {
      const TRgb C = Cell.Get(X, Y);
      if (C == kMagenta) continue;
      const int Luma =
          (299 * int(C >> 16) + 587 * int((C >> 8) & 0xFF) + 114 * int(C & 0xFF)) / 1000;
      // Squeezed into the light half, in steps of 8 so the strip keeps few
      // colours: black becomes 112, white 248.
      const int Grey = (112 + Luma * 136 / 255) / 8 * 8;
      Out.Set(X, Y, Rgb(Grey, Grey, Grey));
    }
  return Out;
}

TPixelCanvas DrawCheckBoxStrip() {
  TPixelCanvas Strip(kCheckCell * kCellsPerStyle * kCheckStyles, kCheckCell);
  for (int Style = 1; Style <= kCheckStyles; ++Style) {
    const TPixelCanvas Unticked = DrawCheckBoxCell(Style, false);
    const TPixelCanvas Ticked = DrawCheckBoxCell(Style, true);
    const int X = (Style - 1) * kCellsPerStyle * kCheckCell;
    Strip.Draw(X, 0, Unticked);
    Strip.Draw(X + kCheckCell, 0, Ticked);
    Strip.Draw(X + 2 * kCheckCell, 0, GreyedCell(Unticked));
    Strip.Draw(X + 3 * kCheckCell, 0, GreyedCell(Ticked));
  }
  return Strip;
}

}  // namespace art
