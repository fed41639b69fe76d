// TGradBox as a control: its defaults, which setters repaint, and what one
// paint puts on the device context it is handed (gradient, outline, caption,
// then OnPaint), checked on exact pixels.
//
// Gradient expectations are worked out here from the band and step rules in
// whole numbers, not with the panel's own code (see GradboxpaintTest.cpp for
// why the chosen colours and sizes make that exact).

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/gradient/Gradbox.h"
#include "platform/PixelAssert.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"

namespace {

constexpr TColor kDeepSky = 16744448;  // red 0, green 128, blue 255

int ExpectedChannel(int S, int E, int I) {
  if (I == 0) return S;
  if (I == 255) return E;
  return (255 * S - I * (S - E)) / 255;
}

TColor ExpectedEntry(TColor Start, TColor End, int I) {
  if (I == 0) return Start;
  if (I == 255) return End;
  return RGB(ExpectedChannel(GetRValue(Start), GetRValue(End), I),
             ExpectedChannel(GetGValue(Start), GetGValue(End), I),
             ExpectedChannel(GetBValue(Start), GetBValue(End), I));
}

// The last entry drawn over position P: entries 0 and 1 start at 0, entry
// k > 0 at (k - 1) * Extent / 255, every band Extent / 255 + 1 thick.
int EntryAt(int P, int Extent) {
  int Shown = -1;
  for (int K = 0; K < 256; ++K) {
    const int Start = K == 0 ? 0 : (K - 1) * Extent / 255;
    if (P >= Start && P < Start + Extent / 255 + 1) Shown = K;
  }
  return Shown;
}

// A panel that counts its repaint requests and can be painted directly.
class TProbeGradBox : public TGradBox {
public:
  using TGradBox::TGradBox;
  void Invalidate() override {
    ++Invalidations;
    TGradBox::Invalidate();
  }
  int Invalidations = 0;
};

// Paints the panel as its parent does: WM_PAINT with a device context whose
// origin is the panel's top-left corner.
void PaintPanel(TGradBox& Box, TSurface& Surface) {
  TDeviceContext DC(Surface);
  Box.Perform(WM_PAINT, reinterpret_cast<WPARAM>(&DC), 0);
}

std::uint32_t PixelAt(const TSurface& S, int X, int Y) { return S.Row(Y)[X] & 0xFFFFFF; }

// The main window's background panel.
void MakeSearchBarPanel(TGradBox& Box) {
  Box.SetBounds(0, 0, 500, 35);
  Box.SetTopColor(clWhite);
  Box.SetLastColor(kDeepSky);
  Box.SetOutLineColor(clBlue);
  Box.SetDrawOutLine(true);
  Box.SetFont3D(false);
}

// ---- Defaults ---------------------------------------------------------------

TEST(Gradbox, StartsWithItsDefaults) {
  TGradBox Box(nullptr);
  EXPECT_EQ(Box.Width(), 200);
  EXPECT_EQ(Box.Height(), 100);
  EXPECT_EQ(Box.CaptionLeft(), 10);
  EXPECT_EQ(Box.CaptionTop(), 10);
  EXPECT_EQ(Box.TopColor(), clGreen);
  EXPECT_EQ(Box.LastColor(), clLime);
  EXPECT_EQ(Box.OutLineColor(), clBlack);
  EXPECT_FALSE(Box.DrawOutLine());
  EXPECT_EQ(Box.GradStyle(), gsTopBottom);
  EXPECT_FALSE(Box.Font3D());
  EXPECT_EQ(Box.FontDepth(), 1);
  EXPECT_EQ(Box.Style3D(), fsRaise3D);
  EXPECT_EQ(Box.BackFont(), clYellow);
  EXPECT_EQ(Box.Caption(), "");
  // Replicatable, and not opaque: the parent's background shows through
  // whatever the panel leaves.
  EXPECT_TRUE(Box.ControlStyle() & csReplicatable);
  EXPECT_FALSE(Box.ControlStyle() & csOpaque);
}

// ---- Which setters repaint --------------------------------------------------

struct SetterCase {
  const char* Name;
  std::function<void(TGradBox&)> Prepare;  // before counting
  std::function<void(TGradBox&)> Change;
  std::function<bool(const TGradBox&)> Stored;  // the new value is held
  bool Repaints;
};

class GradboxSetter : public testing::TestWithParam<SetterCase> {};

TEST_P(GradboxSetter, RepaintsOnlyWhenItShould) {
  TProbeGradBox Box(nullptr);
  if (GetParam().Prepare) GetParam().Prepare(Box);
  Box.Invalidations = 0;
  GetParam().Change(Box);
  EXPECT_TRUE(GetParam().Stored(Box));
  EXPECT_EQ(Box.Invalidations, GetParam().Repaints ? 1 : 0);
  // The same value again never repaints.
  Box.Invalidations = 0;
  GetParam().Change(Box);
  EXPECT_EQ(Box.Invalidations, 0);
}

auto FontOn = [](TGradBox& B) { B.SetFont3D(true); };
auto OutlineOn = [](TGradBox& B) { B.SetDrawOutLine(true); };

INSTANTIATE_TEST_SUITE_P(
    Properties, GradboxSetter,
    testing::Values(SetterCase{"CaptionLeft", nullptr, [](TGradBox& B) { B.SetCaptionLeft(11); },
                               [](const TGradBox& B) { return B.CaptionLeft() == 11; }, true},
                    SetterCase{"CaptionTop", nullptr, [](TGradBox& B) { B.SetCaptionTop(-4); },
                               [](const TGradBox& B) { return B.CaptionTop() == -4; }, true},
                    SetterCase{"TopColor", nullptr, [](TGradBox& B) { B.SetTopColor(clBtnFace); },
                               [](const TGradBox& B) { return B.TopColor() == clBtnFace; }, true},
                    SetterCase{"LastColor", nullptr, [](TGradBox& B) { B.SetLastColor(kDeepSky); },
                               [](const TGradBox& B) { return B.LastColor() == kDeepSky; }, true},
                    SetterCase{"OutLineColorWithoutOutline", nullptr,
                               [](TGradBox& B) { B.SetOutLineColor(clBlue); },
                               [](const TGradBox& B) { return B.OutLineColor() == clBlue; }, false},
                    SetterCase{"OutLineColorWithOutline", OutlineOn,
                               [](TGradBox& B) { B.SetOutLineColor(clBlue); },
                               [](const TGradBox& B) { return B.OutLineColor() == clBlue; }, true},
                    SetterCase{"DrawOutLine", nullptr, [](TGradBox& B) { B.SetDrawOutLine(true); },
                               [](const TGradBox& B) { return B.DrawOutLine(); }, true},
                    SetterCase{"GradStyle", nullptr, [](TGradBox& B) { B.SetGradStyle(gsNone); },
                               [](const TGradBox& B) { return B.GradStyle() == gsNone; }, true},
                    SetterCase{"Font3D", nullptr, [](TGradBox& B) { B.SetFont3D(true); },
                               [](const TGradBox& B) { return B.Font3D(); }, true},
                    SetterCase{"FontDepthWithout3D", nullptr,
                               [](TGradBox& B) { B.SetFontDepth(3); },
                               [](const TGradBox& B) { return B.FontDepth() == 3; }, false},
                    SetterCase{"FontDepthWith3D", FontOn, [](TGradBox& B) { B.SetFontDepth(3); },
                               [](const TGradBox& B) { return B.FontDepth() == 3; }, true},
                    SetterCase{"Style3D", nullptr, [](TGradBox& B) { B.SetStyle3D(fsLowShadow); },
                               [](const TGradBox& B) { return B.Style3D() == fsLowShadow; }, true},
                    SetterCase{"BackFontWithout3D", nullptr,
                               [](TGradBox& B) { B.SetBackFont(clNavy); },
                               [](const TGradBox& B) { return B.BackFont() == clNavy; }, false},
                    SetterCase{"BackFontWith3D", FontOn, [](TGradBox& B) { B.SetBackFont(clNavy); },
                               [](const TGradBox& B) { return B.BackFont() == clNavy; }, true},
                    SetterCase{"Caption", nullptr, [](TGradBox& B) { B.SetCaption("検索"); },
                               [](const TGradBox& B) { return B.Caption() == "検索"; }, true}),
    [](const testing::TestParamInfo<SetterCase>& Info) { return std::string(Info.param.Name); });

// ---- Painting: the gradient -------------------------------------------------

TEST(GradboxPaint, SearchBarPanelRowsFollowTheBandRuleInsideItsBlueOutline) {
  TGradBox Box(nullptr);
  MakeSearchBarPanel(Box);
  TSurface Surface(500, 35, 0x000000);
  PaintPanel(Box, Surface);

  const std::uint32_t Blue = ColorToPixel(clBlue);
  for (int X = 0; X < 500; ++X) {
    ASSERT_EQ(PixelAt(Surface, X, 0), Blue) << "top edge at " << X;
    ASSERT_EQ(PixelAt(Surface, X, 34), Blue) << "bottom edge at " << X;
  }
  for (int Y = 1; Y < 34; ++Y) {
    ASSERT_EQ(PixelAt(Surface, 0, Y), Blue) << "left edge at " << Y;
    ASSERT_EQ(PixelAt(Surface, 499, Y), Blue) << "right edge at " << Y;
    const std::uint32_t Want = ColorToPixel(ExpectedEntry(clWhite, kDeepSky, EntryAt(Y, 35)));
    for (int X = 1; X < 499; ++X) ASSERT_EQ(PixelAt(Surface, X, Y), Want) << X << "," << Y;
  }
}

TEST(GradboxPaint, WithoutOutlineRowZeroIsEntryEightAndRowThirtyFourTheLastColour) {
  TGradBox Box(nullptr);
  MakeSearchBarPanel(Box);
  Box.SetDrawOutLine(false);
  TSurface Surface(500, 35, 0x000000);
  PaintPanel(Box, Surface);
  for (int X = 0; X < 500; ++X) {
    ASSERT_EQ(PixelAt(Surface, X, 0), 0xF7FBFFu) << X;   // (247, 251, 255)
    ASSERT_EQ(PixelAt(Surface, X, 34), 0x0080FFu) << X;  // 16744448 exactly
  }
}

TEST(GradboxPaint, LeftRightColumnsFollowTheBandRule) {
  for (TGradStyle Style : {gsLeftRight, gsRightLeft}) {
    TGradBox Box(nullptr);
    MakeSearchBarPanel(Box);
    Box.SetDrawOutLine(false);
    Box.SetGradStyle(Style);
    TSurface Surface(500, 35, 0x000000);
    PaintPanel(Box, Surface);
    const TColor Start = Style == gsLeftRight ? clWhite : kDeepSky;
    const TColor End = Style == gsLeftRight ? kDeepSky : clWhite;
    for (int X = 0; X < 500; ++X) {
      const std::uint32_t Want = ColorToPixel(ExpectedEntry(Start, End, EntryAt(X, 500)));
      for (int Y = 0; Y < 35; ++Y)
        ASSERT_EQ(PixelAt(Surface, X, Y), Want)
            << "style " << int(Style) << " at " << X << "," << Y;
    }
  }
}

TEST(GradboxPaint, EqualColoursFillTheWholePanelWithThatColour) {
  TGradBox Box(nullptr);
  Box.SetBounds(0, 0, 7, 5);
  Box.SetTopColor(clTeal);
  Box.SetLastColor(clTeal);
  TSurface Surface(7, 5, 0x000000);
  PaintPanel(Box, Surface);
  ExpectPixels(Surface, TPoint{0, 0}, {"ttttttt", "ttttttt", "ttttttt", "ttttttt", "ttttttt"},
               {{'t', clTeal}});
}

TEST(GradboxPaint, SystemTopColourIsKeptAsEntryZeroAndResolvedForTheSteps) {
  TGradBox Box(nullptr);
  Box.SetBounds(0, 0, 4, 35);
  Box.SetTopColor(clBtnFace);
  Box.SetLastColor(RGB(1, 1, 1));
  TSurface Surface(4, 35, 0x000000);
  PaintPanel(Box, Surface);
  EXPECT_EQ(Box.Colarray()[0], clBtnFace);
  const TColor Face = GetSysColor(COLOR_BTNFACE);
  for (int Y = 0; Y < 35; ++Y)
    EXPECT_EQ(PixelAt(Surface, 2, Y),
              ColorToPixel(ExpectedEntry(Face, RGB(1, 1, 1), EntryAt(Y, 35))))
        << "row " << Y;
}

TEST(GradboxPaint, NoneLeavesTheParentBackgroundAndStillDrawsOutlineCaptionAndOnPaint) {
  TGradBox Box(nullptr);
  Box.SetBounds(0, 0, 8, 5);
  Box.SetGradStyle(gsNone);
  Box.SetDrawOutLine(true);
  Box.SetOutLineColor(clRed);
  bool Painted = false;
  Box.OnPaint = [&Painted](TObject*) { Painted = true; };
  TSurface Surface(8, 5, ColorToPixel(clBtnFace));
  PaintPanel(Box, Surface);
  ExpectPixels(Surface, TPoint{0, 0},
               {"rrrrrrrr",  //
                "r......r",  //
                "r......r",  //
                "r......r",  //
                "rrrrrrrr"},
               {{'r', clRed}, {'.', clBtnFace}});
  EXPECT_TRUE(Painted);
}

// ---- Painting: the outline --------------------------------------------------

TEST(GradboxPaint, OutlineIsAOnePixelFrameOnTheEdge) {
  TGradBox Box(nullptr);
  Box.SetBounds(0, 0, 6, 4);
  Box.SetTopColor(clWhite);
  Box.SetLastColor(clWhite);
  Box.SetOutLineColor(clPurple);
  Box.SetDrawOutLine(true);
  TSurface Surface(6, 4, 0x000000);
  PaintPanel(Box, Surface);
  ExpectPixels(Surface, TPoint{0, 0},
               {"pppppp",  //
                "p....p",  //
                "p....p",  //
                "pppppp"},
               {{'p', clPurple}, {'.', clWhite}});
}

TEST(GradboxPaint, NoOutlineUnlessAskedFor) {
  TGradBox Box(nullptr);
  Box.SetBounds(0, 0, 6, 3);
  Box.SetTopColor(clWhite);
  Box.SetLastColor(clWhite);
  Box.SetOutLineColor(clPurple);
  TSurface Surface(6, 3, 0x000000);
  PaintPanel(Box, Surface);
  ExpectPixels(Surface, TPoint{0, 0}, {"......", "......", "......"}, {{'.', clWhite}});
}

TEST(GradboxPaint, WhileDesignedTheOutlineIsDashedEvenWhenTurnedOff) {
  TGradBox Box(nullptr);
  Box.SetBounds(0, 0, 60, 3);
  Box.SetTopColor(clWhite);
  Box.SetLastColor(clWhite);
  Box.SetOutLineColor(clPurple);
  Box.SetDesigning(true);
  TSurface Surface(60, 3, 0x000000);
  PaintPanel(Box, Surface);
  // GDI's dash, 18 on and 6 off, running clockwise from the top-left corner.
  ExpectPixels(Surface, TPoint{0, 0},
               {"pppppppppppppppppp......pppppppppppppppppp......pppppppppppp",  //
                "p..........................................................p",  //
                "p......pppppppppppppppppp......pppppppppppppppppp......ppppp"},
               {{'p', clPurple}, {'.', clWhite}});
}

// ---- Painting: the caption --------------------------------------------------

constexpr TColor kGround = clNavy;
constexpr TColor kFace = clRed;
constexpr TColor kBack = clYellow;

// A uniform panel in kGround with a bold 20-pixel caption in kFace.
void MakeCaptionPanel(TGradBox& Box, const std::string& Caption) {
  Box.SetBounds(0, 0, 100, 60);
  Box.SetTopColor(kGround);
  Box.SetLastColor(kGround);
  Box.SetCaptionLeft(10);
  Box.SetCaptionTop(8);
  Box.Font()->SetHeight(-20);
  Box.Font()->SetStyle(fsBold);
  Box.Font()->SetColor(kFace);
  Box.SetBackFont(kBack);
  Box.SetCaption(Caption);
}

struct Stamp {
  int DX, DY;
  TColor Color;
};

// The caption drawn straight with the GDI text output at the rectangle
// moved by each stamp's offset, in order: what the panel must show.
TSurface Reference(const std::string& Text, const TRect& Rect, const std::vector<Stamp>& Stamps) {
  TSurface Surface(100, 60, ColorToPixel(kGround));
  TDeviceContext DC(Surface);
  TLogFont Font;
  Font.Face = kDefaultFontName;
  Font.Height = -20;
  Font.Weight = FW_BOLD;
  Font.Charset = SHIFTJIS_CHARSET;
  DC.SetFont(Font);
  DC.SetBkMode(TRANSPARENT);
  for (const Stamp& S : Stamps) {
    DC.SetTextColor(S.Color);
    TRect R{Rect.Left + S.DX, Rect.Top + S.DY, Rect.Right + S.DX, Rect.Bottom + S.DY};
    DrawText(DC, Text, R, DT_WORDBREAK | DT_EXPANDTABS);
  }
  return Surface;
}

int DifferentPixels(const TSurface& A, const TSurface& B) {
  int N = 0;
  for (int Y = 0; Y < A.Height(); ++Y)
    for (int X = 0; X < A.Width(); ++X) N += PixelAt(A, X, Y) != PixelAt(B, X, Y);
  return N;
}

struct CaptionCase {
  const char* Name;
  std::function<void(TGradBox&)> Setup;
  std::vector<Stamp> Stamps;
};

class GradboxCaptionLook : public testing::TestWithParam<CaptionCase> {};

TEST_P(GradboxCaptionLook, DrawsWhatThePropertiesSay) {
  TGradBox Box(nullptr);
  MakeCaptionPanel(Box, "I&I\tII");
  GetParam().Setup(Box);
  TSurface Surface(100, 60, 0);
  PaintPanel(Box, Surface);
  const TSurface Want = Reference("I&I\tII", TRect{10, 8, 100, 60}, GetParam().Stamps);
  ASSERT_GT(DifferentPixels(Want, TSurface(100, 60, ColorToPixel(kGround))), 20)
      << "the layout face drew nothing; is the font installed?";
  EXPECT_EQ(DifferentPixels(Surface, Want), 0);
  EXPECT_EQ(Box.Font()->Color(), kFace);
}

INSTANTIATE_TEST_SUITE_P(
    Looks, GradboxCaptionLook,
    testing::Values(CaptionCase{"Flat", [](TGradBox& B) { B.SetFontDepth(3); }, {{0, 0, kFace}}},
                    CaptionCase{"Disabled",
                                [](TGradBox& B) {
                                  B.SetFont3D(true);
                                  B.SetEnabled(false);
                                },
                                {{1, 1, 0xFFFFFF}, {0, 0, 0x808080}}},
                    CaptionCase{"RaisedReliefDepth3",
                                [](TGradBox& B) {
                                  B.SetFont3D(true);
                                  B.SetFontDepth(3);
                                },
                                {{-1, -1, kBack}, {-2, -2, kBack}, {-3, -3, kBack}, {0, 0, kFace}}},
                    CaptionCase{"LowShadowDepth2",
                                [](TGradBox& B) {
                                  B.SetFont3D(true);
                                  B.SetStyle3D(fsLowShadow);
                                  B.SetFontDepth(2);
                                },
                                {{2, 2, kBack}, {0, 0, kFace}}},
                    CaptionCase{"Low3DDepth0",
                                [](TGradBox& B) {
                                  B.SetFont3D(true);
                                  B.SetStyle3D(fsLow3D);
                                  B.SetFontDepth(0);
                                },
                                {{0, 0, kFace}}}),
    [](const testing::TestParamInfo<CaptionCase>& Info) { return std::string(Info.param.Name); });

// Rows 8 to 60 of the caption area that have any ink below the first line.
bool InkBelowFirstLine(const TSurface& S) {
  for (int Y = 33; Y < S.Height(); ++Y)
    for (int X = 0; X < S.Width(); ++X)
      if (PixelAt(S, X, Y) != ColorToPixel(kGround)) return true;
  return false;
}

TEST(GradboxPaint, CaptionWrapsAtThePanelsRightEdgeInItsParent) {
  // Seen from the panel, the caption's right edge is Left + Width: at the
  // parent's origin the words wrap inside the panel, further right they run
  // on and are cut at the panel's edge.
  TGradBox AtOrigin(nullptr);
  MakeCaptionPanel(AtOrigin, "III III III III");
  TSurface Wrapped(100, 60, 0);
  PaintPanel(AtOrigin, Wrapped);
  EXPECT_TRUE(InkBelowFirstLine(Wrapped));

  TGradBox Moved(nullptr);
  MakeCaptionPanel(Moved, "III III III III");
  Moved.SetLeft(300);
  TSurface OneLine(100, 60, 0);
  PaintPanel(Moved, OneLine);
  EXPECT_FALSE(InkBelowFirstLine(OneLine));
}

TEST(GradboxPaint, EmptyCaptionLeavesTheGradientAlone) {
  TGradBox Box(nullptr);
  MakeCaptionPanel(Box, "");
  Box.SetFont3D(true);
  Box.SetFontDepth(3);
  TSurface Surface(100, 60, 0);
  PaintPanel(Box, Surface);
  EXPECT_EQ(DifferentPixels(Surface, TSurface(100, 60, ColorToPixel(kGround))), 0);
}

// ---- OnPaint ----------------------------------------------------------------

TEST(GradboxPaint, OnPaintComesLastWithTheCanvasStillBound) {
  TGradBox Box(nullptr);
  MakeCaptionPanel(Box, "I");
  Box.SetDrawOutLine(true);
  Box.SetOutLineColor(clLime);
  int Calls = 0;
  TObject* Sender = nullptr;
  std::uint32_t CornerSeen = 0;
  bool CaptionSeen = false;
  Box.OnPaint = [&](TObject* S) {
    ++Calls;
    Sender = S;
    // The outline and the caption are already there.
    CornerSeen = ColorToPixel(Box.Canvas()->Pixels(0, 0));
    for (int Y = 8; Y < 40 && !CaptionSeen; ++Y)
      for (int X = 10; X < 30; ++X)
        if (Box.Canvas()->Pixels(X, Y) == kFace) CaptionSeen = true;
    Box.Canvas()->SetPixels(50, 50, clFuchsia);
  };
  TSurface Surface(100, 60, 0);
  PaintPanel(Box, Surface);
  EXPECT_EQ(Calls, 1);
  EXPECT_EQ(Sender, &Box);
  EXPECT_EQ(CornerSeen, ColorToPixel(clLime));
  EXPECT_TRUE(CaptionSeen);
  EXPECT_EQ(PixelAt(Surface, 50, 50), ColorToPixel(clFuchsia));
}

}  // namespace
