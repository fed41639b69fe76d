// The popup's rows on the headless screen: heights, the composed row (box,
// text, colours) compared pixel for pixel with the row drawn by hand, the
// selected row, the recently-used rows and their double line, wrapped
// text, the filler under the last row, and hot tracking near the strip.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/picker/Dxfcombobox.h"
#include "controls/picker/Dxfpopup.h"
#include "controls/picker/Dxfres.h"
#include "framework/HeadlessFixture.h"
#include "framework/graphics/Bitmap.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/Text.h"
#include "platform/gdi/TextLayout.h"

namespace {

constexpr TColor kMRUColor = 0x00E0FFFF;  // light yellow

class DxfpopupRows : public THeadlessFixture {
protected:
  void Place(int FormTop = 100, int Items = 10) {
    Form = MakeForm<TForm>();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(100, FormTop, 300, 60);
    Box = new TdxfComboBox(Form);
    Box->SetParent(Form);
    Box->SetBounds(10, 10, 145, 20);
    Box->SetStyle(dcsDropDownList);
    for (int I = 0; I < Items; ++I) Box->Items()->Add("Site" + std::to_string(I));
    Box->SetShowCheckBoxes(true);
    Box->SetCheckBoxStyle(10);
    Box->SetResizePopup(false);
    Box->SetPopupWidth(160);
    Box->SetPopupHeight(182);
    Form->Show();
    Pump();
  }
  TPopupWindow* Drop() {
    Box->DropDown();
    Pump();
    return Box->Popup();
  }
  int TextHeight(const std::string& Text) {
    TBitmap Probe(1, 1);
    Probe.Canvas()->SetFont(Box->Popup()->Font());
    return Probe.Canvas()->TextHeight(Text);
  }
  // The client area's pixel at (X, Y).
  std::uint32_t At(int X, int Y) {
    TPopupWindow* Popup = Box->Popup();
    const TPoint Origin = Popup->ClientOrigin();
    TRect Window;
    GetWindowRect(Popup->Handle(), Window);
    const TSurface* S = System.BackBufferOf(Popup->Handle());
    return S->Row(Origin.Y - Window.Top + Y)[Origin.X - Window.Left + X] & 0xFFFFFF;
  }

  // A row as it should look, drawn by hand: the content area in Back, the
  // style-10 cell with its magenta in Back, the text in TextColor.
  struct TLook {
    int Width, Height, Content;
    TColor Back, TextColor, Under;  // Under: the picker's colour below the content
    bool Checked;
    std::string Text;
  };
  std::unique_ptr<TBitmap> Expected(const TLook& L) {
    auto Row = std::make_unique<TBitmap>(L.Width, L.Height);
    TCanvas* C = Row->Canvas();
    C->Brush()->SetColor(L.Under);
    C->FillRect(TRect{0, 0, L.Width, L.Height});
    C->Brush()->SetColor(L.Back);
    C->FillRect(TRect{0, 0, L.Width, L.Content});
    const int D = (L.Content - 18) / 2;
    C->BrushCopy(TRect{3, D, 21, L.Content - D}, CBBmp(),
                 TRect{(36 + L.Checked) * 18, 0, (37 + L.Checked) * 18, L.Content - 2 * D},
                 CBBmp()->TransparentColor());
    C->Font()->Assign(Box->Popup()->Font());
    C->Font()->SetColor(L.TextColor);
    C->Handle()->SetBkMode(TRANSPARENT);
    C->TextOut(27, (L.Content - C->TextHeight(L.Text)) / 2, L.Text);
    return Row;
  }
  void ExpectRow(int Row, const TBitmap& Want) {
    const TRect R = Box->Popup()->ItemRect(Row);
    int Wrong = 0;
    for (int Y = 0; Y < Want.Height(); ++Y)
      for (int X = 0; X < Want.Width(); ++X) {
        const std::uint32_t W = Want.Image().Surface().Row(Y)[X] & 0xFFFFFF;
        const std::uint32_t G = At(R.Left + X, R.Top + Y);
        if (W != G && ++Wrong <= 5)
          ADD_FAILURE() << "row " << Row << " pixel " << X << "," << Y << ": " << std::hex << G
                        << " instead of " << W;
      }
    EXPECT_EQ(Wrong, 0);
  }

  TForm* Form = nullptr;
  TdxfComboBox* Box = nullptr;
};

TEST_F(DxfpopupRows, ASiteRowIsTheTextHeightPlusFourWithTheBoxAtThreeAndTheTextAfterIt) {
  Place();
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  const int H = TextHeight("Wg") + 4;
  for (int Row = 0; Row < 10; ++Row) EXPECT_EQ(Popup->RowHeight(Row), H) << Row;
  // The 18-pixel cell in a shorter row is cut at the top and the bottom;
  // its stored box reaches past the row on both sides.
  const int D = (H - 18) / 2;
  EXPECT_EQ(Box->CheckBoxRects()->GetRect(4), (TRect{3, 4 * H + D, 21, 5 * H - D}));
  const int W = Popup->ClientRect().Width();
  ExpectRow(4, *Expected({W, H, H, clWindow, clWindowText, clWindow, false, "Site4"}));
}

TEST_F(DxfpopupRows, TheSelectedRowIsHighlightedWithTheBoxOnTheHighlightAndNoFocusFrame) {
  Place();
  Box->SetChecked(2, true);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  const int H = Popup->RowHeight(0);
  MoveTo(Popup, 80, 2 * H + 3);
  ASSERT_EQ(Popup->ItemIndex(), 2);
  const int W = Popup->ClientRect().Width();
  ExpectRow(2, *Expected({W, H, H, clHighlight, clHighlightText, clHighlight, true, "Site2"}));
  ExpectRow(1, *Expected({W, H, H, clWindow, clWindowText, clWindow, false, "Site1"}));
}

TEST_F(DxfpopupRows, RecentlyUsedRowsTakeTheirColourAndEndInADoubleLine) {
  Place();
  Box->SetMRUListColor(kMRUColor);
  Box->SetMRUListCount(3);
  Box->InsertInMRUList(4);
  Box->InsertInMRUList(7);  // rows: Site7, Site4, then Site0 to Site9
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  ASSERT_EQ(Popup->Count(), 12);
  const int H = TextHeight("Wg") + 4;
  EXPECT_EQ(Popup->RowHeight(0), H);
  EXPECT_EQ(Popup->RowHeight(1), H + 3);
  EXPECT_EQ(Popup->RowHeight(2), H);
  const int W = Popup->ClientRect().Width();
  ExpectRow(0, *Expected({W, H, H, kMRUColor, clWindowText, clWindow, false, "Site7"}));
  auto Last = Expected({W, H + 3, H, kMRUColor, clWindowText, clWindow, false, "Site4"});
  for (int X = 0; X < W; ++X) {
    Last->Canvas()->SetPixels(X, H, clBlack);
    Last->Canvas()->SetPixels(X, H + 2, clBlack);
  }
  ExpectRow(1, *Last);
  ExpectRow(2, *Expected({W, H, H, clWindow, clWindowText, clWindow, false, "Site0"}));
}

TEST_F(DxfpopupRows, TickingAnItemInEitherOfItsRowsRepaintsBothBoxes) {
  Place();
  Box->SetMRUListCount(3);
  Box->InsertInMRUList(4);  // rows: Site4, then Site0 to Site9 (Site4 again at row 5)
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  const int W = Popup->ClientRect().Width(), H = TextHeight("Wg") + 4;
  const TRect MRUBox = Box->CheckBoxRects()->GetRect(0);
  ClickAt(Popup, (MRUBox.Left + MRUBox.Right) / 2, (MRUBox.Top + MRUBox.Bottom) / 2);
  ASSERT_TRUE(Box->DroppedDown());
  EXPECT_TRUE(Box->GetChecked(4));
  ExpectRow(5, *Expected({W, H, H, clWindow, clWindowText, clWindow, true, "Site4"}));

  const TRect RegularBox = Box->CheckBoxRects()->GetRect(5);
  ClickAt(Popup, (RegularBox.Left + RegularBox.Right) / 2,
          (RegularBox.Top + RegularBox.Bottom) / 2);
  ASSERT_TRUE(Box->DroppedDown());
  EXPECT_FALSE(Box->GetChecked(4));
  auto Top = Expected({W, H + 3, H, clWindow, clWindowText, clWindow, false, "Site4"});
  for (int X = 0; X < W; ++X) {
    Top->Canvas()->SetPixels(X, H, clBlack);
    Top->Canvas()->SetPixels(X, H + 2, clBlack);
  }
  ExpectRow(0, *Top);
}

TEST_F(DxfpopupRows, ALongTextWrapsInsideItsRowAndEndsWithAnEllipsis) {
  Place();
  const std::string Long =
      "Alpha Beta Gamma Delta Epsilon Zeta Eta Theta Iota Kappa Lambda Omicron";
  Box->Items()->Put(1, Long);
  Box->SetMultiLineText(true);
  Box->OnMeasureItem = [](TObject*, int, bool, bool, int& Height) { Height = 34; };
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  ASSERT_EQ(Popup->RowHeight(1), 34);
  const int W = Popup->ClientRect().Width();

  auto Want = Expected({W, 34, 34, clWindow, clWindowText, clWindow, false, ""});
  TCanvas* C = Want->Canvas();
  TRect TextRect{27, 2, W - 2, 32};
  C->DrawText(Long, TextRect, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_END_ELLIPSIS);
  ExpectRow(1, *Want);

  // Two lines of text (the second cut with an ellipsis: the text is longer
  // than two lines).
  const int Line = TextHeight("Wg");
  auto Inked = [&](int Top, int Bottom) {
    for (int Y = Top; Y < Bottom; ++Y)
      for (int X = 27; X < W - 2; ++X)
        if (At(X, 34 + Y) != PixelOf(clWindow)) return true;
    return false;
  };
  EXPECT_TRUE(Inked(2, 2 + Line));
  EXPECT_TRUE(Inked(2 + Line, 32));
  TBitmap Dots(60, 20);
  Dots.Canvas()->SetFont(Popup->Font());
  EXPECT_GT(Dots.Canvas()->TextWidth(Long), 2 * (W - 29)) << "the text must not fit two lines";
}

TEST_F(DxfpopupRows, TheSpaceUnderTheLastRowTakesThePickersColour) {
  Place();
  Box->SetColor(clAqua);
  Box->SetPopupHeight(250);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  const int Bottom = Popup->ItemRect(9).Bottom;
  const int ClientHeight = Popup->ClientRect().Height();
  ASSERT_GT(ClientHeight, Bottom + 10);
  for (int Y = Bottom; Y < ClientHeight; Y += 7) EXPECT_EQ(At(80, Y), PixelOf(clAqua)) << Y;
  EXPECT_EQ(At(80, ClientHeight - 1), PixelOf(clAqua));
}

struct TMeasureCase {
  const char* Name;
  bool CheckBoxes;
  int ImageHeight;  // 0: no image list
  int MRUEntries;
  int Row;
  int Extra;  // over the "Wg" height
};

class DxfpopupMeasure : public DxfpopupRows, public ::testing::WithParamInterface<TMeasureCase> {};

TEST_P(DxfpopupMeasure, RowHeight) {
  const TMeasureCase& C = GetParam();
  Place();
  Box->SetShowCheckBoxes(C.CheckBoxes);
  TImageList Images(nullptr, 16, C.ImageHeight > 0 ? C.ImageHeight : 16);
  if (C.ImageHeight) Box->SetImages(&Images);
  Box->SetMRUListCount(3);
  for (int I = 0; I < C.MRUEntries; ++I) Box->InsertInMRUList(I);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  const int Wg = TextHeight("Wg");
  const int Base =
      C.ImageHeight && C.ImageHeight + 2 > Wg + (C.CheckBoxes ? 4 : 0) ? C.ImageHeight + 2 - Wg : 0;
  EXPECT_EQ(Popup->RowHeight(C.Row) - Wg - Base, C.Extra);
  Box->CloseUp();
  Pump();
  Box->SetImages(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Rows, DxfpopupMeasure,
                         ::testing::Values(TMeasureCase{"Plain", false, 0, 0, 0, 0},
                                           TMeasureCase{"CheckBoxes", true, 0, 0, 0, 4},
                                           TMeasureCase{"TallImages", true, 24, 0, 0, 0},
                                           TMeasureCase{"LastRecent", true, 0, 2, 1, 7},
                                           TMeasureCase{"FirstRecent", true, 0, 2, 0, 4},
                                           TMeasureCase{"AfterRecent", false, 0, 2, 2, 0}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(DxfpopupRows, OnMeasureItemHearsTheItemAndHasTheLastWord) {
  Place();
  Box->SetMRUListCount(3);
  Box->InsertInMRUList(6);
  std::vector<std::string> Heard;
  Box->OnMeasureItem = [&](TObject* Sender, int Index, bool InMRU, bool LastInMRU, int& Height) {
    EXPECT_EQ(Sender, Box);
    Heard.push_back(std::to_string(Index) + (InMRU ? "m" : "") + (LastInMRU ? "l" : ""));
    Height = 20 + Index;
  };
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  ASSERT_GE(Heard.size(), 3u);
  EXPECT_EQ(Heard[0], "6ml");
  EXPECT_EQ(Heard[1], "0");
  EXPECT_EQ(Popup->RowHeight(0), 26);
  EXPECT_EQ(Popup->RowHeight(3), 22);
}

TEST_F(DxfpopupRows, WithTheStripOnTopTheRowsUnderItAreNotHotTracked) {
  Place(680);  // the list opens above the picker
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  ASSERT_EQ(Popup->Corner, coTopRight);
  const int H = Popup->RowHeight(0);
  MoveTo(Popup, 80, 3);
  EXPECT_EQ(Popup->ItemIndex(), -1);
  MoveTo(Popup, 80, H + 3);  // row 1 starts at 16, less than 19 below the top
  EXPECT_EQ(Popup->ItemIndex(), -1);
  MoveTo(Popup, 80, 2 * H + 3);
  EXPECT_EQ(Popup->ItemIndex(), 2);
}

TEST_F(DxfpopupRows, WithTheStripBelowARowCutOffAtTheBottomIsNotHotTracked) {
  Place(100, 12);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  const int H = Popup->RowHeight(0);
  const int ClientHeight = Popup->ClientRect().Height();
  ASSERT_LT(ClientHeight, 11 * H);
  const int Cut = ClientHeight / H;  // the first row that does not fit whole
  MoveTo(Popup, 60, (Cut - 1) * H + 3);
  EXPECT_EQ(Popup->ItemIndex(), Cut - 1);
  MoveTo(Popup, 60, Cut * H + 1);
  EXPECT_EQ(Popup->ItemIndex(), Cut - 1);
  EXPECT_EQ(Popup->TopIndex(), 0);
}

TEST_F(DxfpopupRows, EnterWithNoSelectedRowChangesNothing) {
  Place();
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  ASSERT_EQ(Popup->ItemIndex(), -1);
  Key(VK_RETURN);
  EXPECT_TRUE(Box->DroppedDown());
  EXPECT_EQ(Box->ItemIndex(), -1);
}

TEST_F(DxfpopupRows, TheRowBitmapOnlyGrows) {
  Place();
  Box->SetPopupWidth(220);
  ASSERT_NE(Drop(), nullptr);
  const int Wide = DrawBmp()->Width();
  EXPECT_GE(Wide, 218);
  Box->CloseUp();
  Pump();
  Box->SetPopupWidth(120);
  ASSERT_NE(Drop(), nullptr);
  EXPECT_EQ(DrawBmp()->Width(), Wide);
}

TEST_F(DxfpopupRows, WithParentColorTheRowsTakeThePopupsOwnColour) {
  Place();
  Form->SetColor(clTeal);
  Box->SetParentColor(true);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  ASSERT_TRUE(Popup->ParentColor());
  EXPECT_EQ(At(100, 2), PixelOf(Popup->Color()));
  EXPECT_EQ(At(100, 2), PixelOf(clTeal));
}

// A program whose strip did not load: every style clamps to 0 and the rows
// carry the system's 13-pixel check boxes.
class DxfpopupRowsWithoutStrip : public DxfpopupRows {
protected:
  void SetUp() override {
    FinalizeDxfres();
    TDxfResourceNames Names;
    Names.CheckBoxStrip = "NOSUCHSTRIP";
    InitializeDxfres(Names);
  }
  void TearDown() override { FinalizeDxfres(); }
};

TEST_F(DxfpopupRowsWithoutStrip, RowsShowTheSystemCheckBox) {
  Place();
  EXPECT_EQ(Box->CheckBoxStyle(), 0);
  Box->SetChecked(1, true);
  TPopupWindow* Popup = Drop();
  ASSERT_NE(Popup, nullptr);
  const int H = Popup->RowHeight(0);
  const int D = (H - 13) / 2;
  EXPECT_EQ(Box->CheckBoxRects()->GetRect(1), (TRect{3, H + D, 16, 2 * H - D}));
  TBitmap Glyph(13, 13);
  DrawFrameControl(*Glyph.Canvas()->Handle(), TRect{0, 0, 13, 13}, DFC_BUTTON,
                   DFCS_BUTTONCHECK | DFCS_CHECKED);
  for (int Y = 0; Y < 13; ++Y)
    for (int X = 0; X < 13; ++X)
      ASSERT_EQ(At(3 + X, H + D + Y), Glyph.Image().Surface().Row(Y)[X] & 0xFFFFFF)
          << X << "," << Y;
  // The text follows the narrower box.
  bool Ink = false;
  for (int Y = H; Y < 2 * H; ++Y) Ink |= At(13 + 9 + 1, Y) != PixelOf(clWindow);
  for (int Y = H; Y < 2 * H; ++Y) EXPECT_EQ(At(13 + 9 - 1, Y), PixelOf(clWindow)) << Y;
  EXPECT_TRUE(Ink);
}

}  // namespace
