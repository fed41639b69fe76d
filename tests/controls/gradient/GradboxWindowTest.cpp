// TGradBox on a real form of the headless screen: what the window shows
// after the parent's paint cycle, and which property changes make the window
// system repaint the panel's area.

#include <gtest/gtest.h>

#include "controls/gradient/Gradbox.h"
#include "framework/HeadlessFixture.h"
#include "platform/PixelAssert.h"

namespace {

constexpr TColor kDeepSky = 16744448;

class GradboxWindow : public THeadlessFixture {
protected:
  // A borderless form of the given client size in the button-face colour
  // with one panel at Bounds.
  TGradBox* Place(const TRect& Bounds, int ClientWidth, int ClientHeight) {
    Form = MakeForm<TForm>();
    Form->SetBorderStyle(bsNone);
    Form->SetClientWidth(ClientWidth);
    Form->SetClientHeight(ClientHeight);
    auto* Box = new TGradBox(Form);
    Box->SetParent(Form);
    Box->SetBoundsRect(Bounds);
    Form->Show();
    Pump();
    return Box;
  }
  const TSurface& Surface() { return *System.BackBufferOf(Form->Handle()); }
  // The part of the form's client area waiting to be repainted; empty when
  // nothing is.
  TRect Pending() {
    TRect R;
    return GetUpdateRect(Form->Handle(), &R, false) ? R : TRect{};
  }

  TForm* Form = nullptr;
};

TEST_F(GradboxWindow, SearchBarBackgroundAsTheWindowShowsIt) {
  TGradBox* Box = Place(TRect{0, 0, 500, 35}, 500, 35);
  Box->SetTopColor(clWhite);
  Box->SetLastColor(kDeepSky);
  Box->SetOutLineColor(clBlue);
  Box->SetDrawOutLine(true);
  Pump();
  // Corners and edges in the outline colour, the gradient inside: row 1
  // shows entry 15, the last whose band starts at trunc((k - 1) * 35 / 255)
  // = 1, and row 33 entry 248.
  EXPECT_EQ(Painted(Form, 0, 0), PixelOf(clBlue));
  EXPECT_EQ(Painted(Form, 499, 34), PixelOf(clBlue));
  EXPECT_EQ(Painted(Form, 250, 0), PixelOf(clBlue));
  EXPECT_EQ(Painted(Form, 250, 34), PixelOf(clBlue));
  EXPECT_EQ(Painted(Form, 250, 1), PixelOf(RGB(240, 247, 255)));  // entry 15
  EXPECT_EQ(Painted(Form, 250, 33), PixelOf(RGB(7, 131, 255)));   // entry 248
  EXPECT_EQ(Painted(Form, 1, 17), Painted(Form, 498, 17));
}

TEST_F(GradboxWindow, NoneShowsTheFormColourThroughThePanel) {
  TGradBox* Box = Place(TRect{2, 1, 8, 5}, 10, 6);
  Box->SetGradStyle(gsNone);
  Box->SetDrawOutLine(true);
  Box->SetOutLineColor(clRed);
  Pump();
  ExpectPixels(Surface(), TPoint{0, 0},
               {"..........",  //
                "..rrrrrr..",  //
                "..r....r..",  //
                "..r....r..",  //
                "..rrrrrr..",  //
                ".........."},
               {{'.', clBtnFace}, {'r', clRed}});
}

TEST_F(GradboxWindow, PanelAwayFromTheOriginPaintsOnlyItsOwnArea) {
  TGradBox* Box = Place(TRect{3, 2, 7, 4}, 10, 6);
  Box->SetTopColor(clTeal);
  Box->SetLastColor(clTeal);
  Pump();
  ExpectPixels(Surface(), TPoint{0, 0},
               {"..........",  //
                "..........",  //
                "...tttt...",  //
                "...tttt...",  //
                "..........",  //
                ".........."},
               {{'.', clBtnFace}, {'t', clTeal}});
}

struct RepaintCase {
  const char* Name;
  void (*Prepare)(TGradBox&);
  void (*Change)(TGradBox&);
  bool Repaints;
};

class GradboxWindowRepaint : public GradboxWindow,
                             public testing::WithParamInterface<RepaintCase> {};

TEST_P(GradboxWindowRepaint, InvalidatesThePanelAreaOnlyWhenItShould) {
  TGradBox* Box = Place(TRect{4, 3, 24, 13}, 40, 20);
  if (GetParam().Prepare) GetParam().Prepare(*Box);
  Pump();
  ASSERT_TRUE(Pending().IsEmpty());
  GetParam().Change(*Box);
  if (GetParam().Repaints)
    EXPECT_EQ(Pending(), (TRect{4, 3, 24, 13}));
  else
    EXPECT_TRUE(Pending().IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Properties, GradboxWindowRepaint,
    testing::Values(
        RepaintCase{"TopColor", nullptr, [](TGradBox& B) { B.SetTopColor(clRed); }, true},
        RepaintCase{"SameTopColor", nullptr, [](TGradBox& B) { B.SetTopColor(clGreen); }, false},
        RepaintCase{"OutLineColorHidden", nullptr, [](TGradBox& B) { B.SetOutLineColor(clRed); },
                    false},
        RepaintCase{"OutLineColorShown", [](TGradBox& B) { B.SetDrawOutLine(true); },
                    [](TGradBox& B) { B.SetOutLineColor(clRed); }, true},
        RepaintCase{"FontDepthFlat", nullptr, [](TGradBox& B) { B.SetFontDepth(4); }, false},
        RepaintCase{"FontDepth3D", [](TGradBox& B) { B.SetFont3D(true); },
                    [](TGradBox& B) { B.SetFontDepth(4); }, true},
        RepaintCase{"BackFontFlat", nullptr, [](TGradBox& B) { B.SetBackFont(clRed); }, false},
        RepaintCase{"BackFont3D", [](TGradBox& B) { B.SetFont3D(true); },
                    [](TGradBox& B) { B.SetBackFont(clRed); }, true},
        RepaintCase{"Caption", nullptr, [](TGradBox& B) { B.SetCaption("I"); }, true}),
    [](const testing::TestParamInfo<RepaintCase>& Info) { return std::string(Info.param.Name); });

TEST_F(GradboxWindow, AHiddenOutlineColourShowsAtTheNextPaint) {
  TGradBox* Box = Place(TRect{0, 0, 6, 4}, 6, 4);
  Box->SetTopColor(clWhite);
  Box->SetLastColor(clWhite);
  Pump();
  Box->SetOutLineColor(clRed);  // stored, nothing repainted
  Pump();
  EXPECT_EQ(Painted(Form, 0, 0), PixelOf(clWhite));
  Box->SetDrawOutLine(true);
  Pump();
  ExpectPixels(Surface(), TPoint{0, 0},
               {"rrrrrr",  //
                "r....r",  //
                "r....r",  //
                "rrrrrr"},
               {{'.', clWhite}, {'r', clRed}});
}

}  // namespace
