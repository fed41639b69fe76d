// The site picker's model: initial state, the item data word, selection and
// text, how item changes move the selection, the recently-used list and the
// popup rows, the update bracket, the popup size rules and the image list
// link.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/picker/Dxfcombobox.h"
#include "controls/picker/Dxfres.h"
#include "framework/HeadlessFixture.h"

namespace {

class DxfcomboModel : public THeadlessFixture {
protected:
  DxfcomboModel() {
    Form = MakeForm<TForm>();
    Form->SetBounds(0, 0, 300, 200);
    Box = new TdxfComboBox(Form);
    Box->SetParent(Form);
  }

  void AddItems(std::initializer_list<const char*> Texts) {
    for (const char* Text : Texts) Box->Items()->Add(Text);
  }
  std::vector<int> MRU() const {
    std::vector<int> Result;
    for (int I = 0; I < Box->MRUList()->Count(); ++I) Result.push_back(int(Box->MRUList()->Get(I)));
    return Result;
  }

  TForm* Form = nullptr;
  TdxfComboBox* Box = nullptr;
};

TEST_F(DxfcomboModel, NewPickerStartsEmptyWithItsSizes) {
  EXPECT_EQ(Box->Items()->Count(), 0);
  EXPECT_EQ(Box->ItemIndex(), -1);
  EXPECT_EQ(Box->GetText(), "");
  EXPECT_EQ(Box->Width(), 145);
  EXPECT_EQ(Box->PopupWidth(), 145);
  EXPECT_EQ(Box->PopupHeight(), 150);
  EXPECT_EQ(Box->MinPopupWidth(), 100);
  EXPECT_EQ(Box->MinPopupHeight(), 100);
  EXPECT_TRUE(Box->ShowImage());
  EXPECT_TRUE(Box->ResizePopup());
  EXPECT_FALSE(Box->ResizeHeight());
  EXPECT_EQ(Box->CheckBoxStyle(), 0);
  EXPECT_EQ(Box->MRUListCount(), 0);
  EXPECT_EQ(Box->MRUListColor(), clWindow);
  EXPECT_EQ(Box->Color(), clWindow);
  EXPECT_FALSE(Box->ParentColor());
  EXPECT_EQ(Box->Style(), dcsDropDown);
  EXPECT_FALSE(Box->Edit()->ReadOnly());
  EXPECT_EQ(Box->MaxLength(), 0);
  EXPECT_EQ(Box->CurrentImageIndex(), -1);
  EXPECT_EQ(Box->ButtonWidth(), GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(Box->Images(), nullptr);
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(Box->Popup(), nullptr);
  EXPECT_TRUE(Box->IsLoading());
  EXPECT_EQ(Box->Edit()->Parent(), Box);
  EXPECT_EQ(Box->Edit()->ComboBox(), Box);
  EXPECT_EQ(Box->PopupWindowFont()->Name(), Box->Font()->Name());
  EXPECT_EQ(Box->PopupWindowFont()->Height(), Box->Font()->Height());
  const TControlStyle Style = Box->ControlStyle();
  EXPECT_TRUE(Style & csCaptureMouse);
  EXPECT_TRUE(Style & csClickEvents);
  EXPECT_TRUE(Style & csDoubleClicks);
  EXPECT_TRUE(Style & csFixedHeight);
  EXPECT_FALSE(Style & csOpaque);
  EXPECT_FALSE(Style & csAcceptsControls);
}

// ---- The data word

struct DataWordCase {
  const char* Name;
  std::function<void(TdxfComboBox&)> Act;
  std::intptr_t Word;
  int ImageIndex;
  bool Checked;
};

class DxfcomboDataWord : public DxfcomboModel, public testing::WithParamInterface<DataWordCase> {};

TEST_P(DxfcomboDataWord, PacksImageIndexAndTick) {
  Box->Items()->Add("Google");
  GetParam().Act(*Box);
  EXPECT_EQ(Box->Items()->GetObject(0), GetParam().Word);
  EXPECT_EQ(Box->GetImageIndex(0), GetParam().ImageIndex);
  EXPECT_EQ(Box->GetChecked(0), GetParam().Checked);
}

INSTANTIATE_TEST_SUITE_P(
    Words, DxfcomboDataWord,
    testing::Values(
        DataWordCase{"NoObject", [](TdxfComboBox&) {}, 0, -1, false},
        DataWordCase{"Ticked", [](TdxfComboBox& B) { B.SetChecked(0, true); }, 1, -1, true},
        DataWordCase{"TickedThenImage4",
                     [](TdxfComboBox& B) {
                       B.SetChecked(0, true);
                       B.SetImageIndex(0, 4);
                     },
                     11, 4, true},
        DataWordCase{"Image4ThenUnticked",
                     [](TdxfComboBox& B) {
                       B.SetImageIndex(0, 4);
                       B.SetChecked(0, true);
                       B.SetChecked(0, false);
                     },
                     10, 4, false},
        DataWordCase{"ImageZero", [](TdxfComboBox& B) { B.SetImageIndex(0, 0); }, 2, 0, false},
        DataWordCase{"NegativeWordReadsUnticked",
                     [](TdxfComboBox& B) { B.Items()->PutObject(0, -3); }, -3, -2, false}),
    [](const testing::TestParamInfo<DataWordCase>& Info) { return std::string(Info.param.Name); });

TEST_F(DxfcomboModel, OutOfRangeItemsReadAsNothingAndIgnoreWrites) {
  AddItems({"a", "b"});
  Box->SetChecked(-1, true);
  Box->SetChecked(2, true);
  Box->SetImageIndex(-1, 3);
  Box->SetImageIndex(2, 3);
  EXPECT_FALSE(Box->GetChecked(2));
  EXPECT_FALSE(Box->GetChecked(-1));
  EXPECT_EQ(Box->GetImageIndex(2), -1);
  EXPECT_EQ(Box->GetImageIndex(-1), -1);
  EXPECT_EQ(Box->Items()->GetObject(0), 0);
  EXPECT_EQ(Box->Items()->GetObject(1), 0);
}

// ---- Selection and text

TEST_F(DxfcomboModel, ItemIndexOutsideTheItemsIsIgnored) {
  AddItems({"Google", "bing"});
  Box->SetImageIndex(1, 7);
  Box->SetItemIndex(1);
  for (int Bad : {2, 3, -2, -100}) {
    Box->SetItemIndex(Bad);
    EXPECT_EQ(Box->ItemIndex(), 1) << Bad;
    EXPECT_EQ(Box->GetText(), "bing") << Bad;
    EXPECT_EQ(Box->CurrentImageIndex(), 7) << Bad;
  }
}

TEST_F(DxfcomboModel, ItemIndexSetsTextLastTextAndImage) {
  AddItems({"Google", "bing"});
  Box->SetImageIndex(0, 3);
  Box->SetItemIndex(0);
  EXPECT_EQ(Box->GetText(), "Google");
  EXPECT_EQ(Box->Edit()->LastText, "Google");
  EXPECT_EQ(Box->CurrentImageIndex(), 3);
  Box->SetItemIndex(-1);
  EXPECT_EQ(Box->ItemIndex(), -1);
  EXPECT_EQ(Box->GetText(), "");
  EXPECT_EQ(Box->Edit()->LastText, "Google");  // kept on purpose
  EXPECT_EQ(Box->CurrentImageIndex(), -1);
}

TEST_F(DxfcomboModel, ItemIndexWhileClosedLeavesTheRecentlyUsedList) {
  AddItems({"a", "b"});
  Box->SetItemIndex(1);
  EXPECT_TRUE(MRU().empty());
}

TEST_F(DxfcomboModel, TextSelectsAnItemIgnoringCaseAndShowsItsOwnText) {
  AddItems({"Google", "Yahoo! Japan", "bing"});
  Box->SetText("BING");
  EXPECT_EQ(Box->ItemIndex(), 2);
  EXPECT_EQ(Box->GetText(), "bing");
  Box->SetText("ニコニコ");
  EXPECT_EQ(Box->ItemIndex(), -1);
  EXPECT_EQ(Box->GetText(), "ニコニコ");
  EXPECT_EQ(Box->Edit()->LastText, "ニコニコ");
}

TEST_F(DxfcomboModel, ChangeFiresOnceForEachRealTextChange) {
  AddItems({"a", "b"});
  int Changes = 0;
  Box->OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, Box);
    ++Changes;
  };
  Box->SetItemIndex(0);
  Box->SetItemIndex(0);
  Box->SetItemIndex(1);
  EXPECT_EQ(Changes, 2);
}

// ---- Item changes and the selection

TEST_F(DxfcomboModel, DeletingAfterTheSelectionKeepsIt) {
  AddItems({"a", "b", "c"});
  Box->SetItemIndex(1);
  Box->Items()->Delete(2);
  EXPECT_EQ(Box->ItemIndex(), 1);
  EXPECT_EQ(Box->GetText(), "b");
}

TEST_F(DxfcomboModel, DeletingBeforeTheSelectionShowsTheItemNowThere) {
  AddItems({"a", "b", "c"});
  Box->SetImageIndex(2, 5);
  Box->SetItemIndex(1);
  Box->Items()->Delete(0);
  EXPECT_EQ(Box->ItemIndex(), 1);
  EXPECT_EQ(Box->GetText(), "c");
  EXPECT_EQ(Box->Edit()->LastText, "c");
  EXPECT_EQ(Box->CurrentImageIndex(), 5);
}

TEST_F(DxfcomboModel, SelectionBeyondTheItemsIsCleared) {
  AddItems({"a", "b", "c"});
  Box->SetItemIndex(2);
  Box->Items()->Delete(2);
  EXPECT_EQ(Box->ItemIndex(), -1);
  EXPECT_EQ(Box->GetText(), "");
}

TEST_F(DxfcomboModel, SortingCarriesImageAndTickWithTheText) {
  AddItems({"c", "A", "b"});
  Box->SetImageIndex(0, 2);
  Box->SetChecked(0, true);
  Box->SetImageIndex(1, 0);
  Box->SetItemIndex(0);
  Box->SetSorted(true);
  EXPECT_TRUE(Box->Sorted());
  EXPECT_EQ(Box->Items()->Text(), "A\r\nb\r\nc\r\n");
  EXPECT_EQ(Box->GetImageIndex(2), 2);
  EXPECT_TRUE(Box->GetChecked(2));
  EXPECT_EQ(Box->GetImageIndex(0), 0);
  EXPECT_FALSE(Box->GetChecked(0));
  // The selection is a position: it now shows the first item.
  EXPECT_EQ(Box->ItemIndex(), 0);
  EXPECT_EQ(Box->GetText(), "A");
}

TEST_F(DxfcomboModel, AssigningItemsCopiesDataWords) {
  TStringList Source;
  Source.AddObject("x", MakeItemData(3, true));
  Source.AddObject("y", MakeItemData(-1, false));
  Box->SetItems(&Source);
  ASSERT_EQ(Box->Items()->Count(), 2);
  EXPECT_EQ(Box->GetImageIndex(0), 3);
  EXPECT_TRUE(Box->GetChecked(0));
  EXPECT_EQ(Box->GetImageIndex(1), -1);
  Source.Clear();
  EXPECT_EQ(Box->Items()->Count(), 2);  // a copy, not the same list
}

TEST_F(DxfcomboModel, UpdateBracketRunsTheChangeHandlerOnceAtTheEnd) {
  AddItems({"a"});
  Box->SetItemIndex(0);
  int Changes = 0;
  Box->OnChange = [&](TObject*) { ++Changes; };
  Box->BeginUpdate();
  Box->Items()->Put(0, "b");
  for (int I = 0; I < 100; ++I) Box->Items()->Add("n");
  Box->Items()->Put(0, "c");
  EXPECT_EQ(Changes, 0);
  EXPECT_EQ(Box->GetText(), "a");
  Box->EndUpdate();
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Box->GetText(), "c");
}

TEST_F(DxfcomboModel, UpdateBracketIsNotCounted) {
  AddItems({"a"});
  Box->SetItemIndex(0);
  Box->BeginUpdate();
  Box->BeginUpdate();
  Box->EndUpdate();
  Box->Items()->Put(0, "z");  // the handler is back after one EndUpdate
  EXPECT_EQ(Box->GetText(), "z");
}

// ---- Recently used and popup rows

TEST_F(DxfcomboModel, InsertInMRUListMovesToFrontAndTrims) {
  AddItems({"0", "1", "2", "3", "4"});
  Box->SetMRUListCount(3);
  for (int Index : {1, 2, 1, 3, 4}) Box->InsertInMRUList(Index);
  EXPECT_EQ(MRU(), (std::vector<int>{4, 3, 1}));
  Box->InsertInMRUList(5);
  Box->InsertInMRUList(-1);
  EXPECT_EQ(MRU(), (std::vector<int>{4, 3, 1}));
  Box->ClearMRUList();
  EXPECT_TRUE(MRU().empty());
}

TEST_F(DxfcomboModel, InsertInMRUListWithCountZeroKeepsNothing) {
  AddItems({"0", "1"});
  Box->InsertInMRUList(1);
  EXPECT_TRUE(MRU().empty());
}

TEST_F(DxfcomboModel, PopupRowsListRecentlyUsedThenEveryItem) {
  AddItems({"a", "b", "c"});
  Box->SetMRUListCount(5);
  Box->InsertInMRUList(0);
  Box->InsertInMRUList(2);  // MRU: 2, 0
  EXPECT_EQ(Box->PopupRowCount(), 5);
  const std::vector<int> Expected{2, 0, 0, 1, 2};
  for (int Row = 0; Row < 5; ++Row) EXPECT_EQ(Box->PopupRowToItem(Row), Expected[Row]) << Row;
  EXPECT_EQ(Box->PopupRowToItem(5), -1);
  EXPECT_EQ(Box->PopupRowToItem(-1), -1);
  EXPECT_EQ(Box->ItemToPopupRow(1), 3);
  EXPECT_EQ(Box->ItemToMRURow(0), 1);
  EXPECT_EQ(Box->ItemToMRURow(1), -1);
}

// ---- Setters

TEST_F(DxfcomboModel, PopupSizesKeepTheirMinimum) {
  Box->SetPopupWidth(99);
  EXPECT_EQ(Box->PopupWidth(), 145);
  Box->SetPopupWidth(100);
  EXPECT_EQ(Box->PopupWidth(), 100);
  Box->SetMinPopupWidth(120);
  EXPECT_EQ(Box->MinPopupWidth(), 120);
  EXPECT_EQ(Box->PopupWidth(), 120);
  Box->SetMinPopupWidth(-5);
  EXPECT_EQ(Box->MinPopupWidth(), 120);
  Box->SetMinPopupWidth(0);
  EXPECT_EQ(Box->MinPopupWidth(), 0);
  EXPECT_EQ(Box->PopupWidth(), 120);

  Box->SetPopupHeight(50);
  EXPECT_EQ(Box->PopupHeight(), 150);
  Box->SetMinPopupHeight(182);
  EXPECT_EQ(Box->PopupHeight(), 182);
  Box->SetMinPopupHeight(-1);
  EXPECT_EQ(Box->MinPopupHeight(), 182);
  Box->SetPopupHeight(181);
  EXPECT_EQ(Box->PopupHeight(), 182);
}

TEST_F(DxfcomboModel, MaxLengthGoesToTheEditorAndRefusesNegatives) {
  Box->SetMaxLength(8);
  EXPECT_EQ(Box->Edit()->MaxLength(), 8);
  Box->SetMaxLength(-1);
  EXPECT_EQ(Box->MaxLength(), 8);
  EXPECT_EQ(Box->Edit()->MaxLength(), 8);
}

TEST_F(DxfcomboModel, StyleMakesTheEditorReadOnlyInListStyle) {
  Box->SetStyle(dcsDropDownList);
  EXPECT_TRUE(Box->Edit()->ReadOnly());
  Box->SetStyle(dcsDropDown);
  EXPECT_FALSE(Box->Edit()->ReadOnly());
}

TEST_F(DxfcomboModel, CheckBoxStyleIsClampedToTheStrip) {
  Box->SetCheckBoxStyle(-3);
  EXPECT_EQ(Box->CheckBoxStyle(), 0);
  Box->SetCheckBoxStyle(20);
  EXPECT_EQ(Box->CheckBoxStyle(), MaxCheckBoxStyle());
  Box->SetCheckBoxStyle(1);
  EXPECT_EQ(Box->CheckBoxStyle(), std::min(1, MaxCheckBoxStyle()));
}

TEST_F(DxfcomboModel, PopupWindowFontIsCopiedAndStopsTheParentFont) {
  TFont Blue;
  Blue.SetColor(clBlue);
  Blue.SetHeight(-16);
  Box->SetPopupWindowFont(&Blue);
  EXPECT_EQ(Box->PopupWindowFont()->Color(), clBlue);
  EXPECT_EQ(Box->PopupWindowFont()->Height(), -16);
  EXPECT_NE(Box->PopupWindowFont(), &Blue);
  EXPECT_FALSE(Box->ParentFont());
}

TEST_F(DxfcomboModel, DragModeReachesTheEditor) {
  Box->SetDragMode(dmAutomatic);
  EXPECT_EQ(Box->DragMode(), dmAutomatic);
  EXPECT_EQ(Box->Edit()->DragMode(), dmAutomatic);
}

TEST_F(DxfcomboModel, LoadedSizesTheFaceFromTheFont) {
  Box->Font()->SetHeight(-12);
  Box->SetImeMode(imHira);
  Box->Loaded();
  EXPECT_FALSE(Box->IsLoading());
  EXPECT_EQ(Box->Height(), 20);
  EXPECT_EQ(Box->Edit()->ImeMode(), imHira);
  EXPECT_EQ(Box->EditRect().Top, 2);
  EXPECT_EQ(Box->EditRect().Bottom, 16);
  EXPECT_EQ(Box->EditRect().Left, 2);
  EXPECT_EQ(Box->EditRect().Right, 145 - Box->ButtonWidth() - 6);
  EXPECT_EQ(Box->Edit()->BoundsRect(), Box->EditRect());
}

TEST_F(DxfcomboModel, ResizeHeightOffRestoresTheFontHeight) {
  Box->Font()->SetHeight(-12);
  Box->Loaded();
  Box->SetResizeHeight(true);
  Box->SetHeight(40);
  EXPECT_EQ(Box->Height(), 40);
  Box->SetResizeHeight(false);
  EXPECT_EQ(Box->Height(), 20);
}

// ---- Images

class DxfcomboImages : public DxfcomboModel {
protected:
  DxfcomboImages() {
    Images = new TImageList(Form, 16, 16);
    Box->Font()->SetHeight(-12);
    Box->Loaded();
    AddItems({"a", "b"});
  }
  TImageList* Images = nullptr;
};

TEST_F(DxfcomboImages, SettingAListPlacesTheImageAndMovesTheText) {
  Box->SetImages(Images);
  // Height 20: the 16-pixel image is cut to 12, keeping its square shape.
  EXPECT_EQ(Box->ImageRect(), (TRect{2, 2, 14, 14}));
  EXPECT_EQ(Box->EditRect().Left, 16);
  Box->SetShowImage(false);
  EXPECT_EQ(Box->EditRect().Left, 2);
}

TEST_F(DxfcomboImages, ListChangesReachThePickerUntilItIsUnset) {
  Box->SetImages(Images);
  Images->SetSize(8, 8);
  EXPECT_EQ(Box->ImageRect(), (TRect{2, 4, 10, 12}));
  Box->SetImages(nullptr);
  EXPECT_EQ(Box->ImageRect(), (TRect{0, 0, 0, 0}));
  Images->SetSize(10, 10);
  EXPECT_EQ(Box->ImageRect(), (TRect{0, 0, 0, 0}));
}

TEST_F(DxfcomboImages, DestroyingTheListClearsImages) {
  Box->SetImages(Images);
  delete Images;
  EXPECT_EQ(Box->Images(), nullptr);
  EXPECT_EQ(Box->ImageRect(), (TRect{0, 0, 0, 0}));
  EXPECT_EQ(Box->EditRect().Left, 2);
}

TEST_F(DxfcomboImages, ListOutsideTheFormIsStillForgotten) {
  auto* Outside = new TImageList(&App, 16, 16);
  Box->SetImages(Outside);
  delete Outside;
  EXPECT_EQ(Box->Images(), nullptr);
}

TEST_F(DxfcomboModel, ImagesSetWhileLoadingWaitForLoaded) {
  auto* Images = new TImageList(Form, 16, 16);
  Box->Loading();
  Box->SetImages(Images);
  EXPECT_EQ(Box->ImageRect(), (TRect{0, 0, 0, 0}));
  Box->Font()->SetHeight(-12);
  Box->Loaded();
  EXPECT_EQ(Box->ImageRect(), (TRect{2, 2, 14, 14}));
}

// ---- Rectangles of popup rows

TEST(DxfcomboRects, GrowingFillsNewSlotsWithTheRectangle) {
  TdxfRectsList List;
  const TRect R{1, 2, 3, 4};
  List.SetRect(2, R);
  ASSERT_EQ(List.Count(), 3);
  for (int I = 0; I < 3; ++I) EXPECT_EQ(List.GetRect(I), R);
  List.SetRect(0, TRect{5, 6, 7, 8});
  EXPECT_EQ(List.GetRect(0), (TRect{5, 6, 7, 8}));
  EXPECT_EQ(List.GetRect(1), R);
  EXPECT_EQ(List.GetRect(3), (TRect{0, 0, 0, 0}));
  EXPECT_EQ(List.GetRect(-1), (TRect{0, 0, 0, 0}));
  List.Clear();
  EXPECT_EQ(List.Count(), 0);
}

}  // namespace
