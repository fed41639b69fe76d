// The main window's two combo boxes as the search and the settings see
// them: thin adapters from TKeywordBox and TSitePicker to the real
// THistoryComboBox and TdxfComboBox of the layout, and what the window does
// with them itself: the slots' item texts, the place of the start-up hint.

#include "app/Mainwindow1.h"

#include <algorithm>

#include "app/SiteSettings.h"
#include "controls/gradient/Gradbox.h"
#include "framework/stdctrls/StdCtrls.h"
#include "framework/streaming/StreamingRegistry.h"

#include "controls/history/Historycombobox.h"
#include "controls/picker/Dxfcombobox.h"
#include "platform/window/WinUser.h"

namespace {

class THistoryKeywordBox : public TKeywordBox {
public:
  explicit THistoryKeywordBox(THistoryComboBox* Box) : FBox(Box) {}
  std::string Text() const override { return FBox->Text(); }
  void AddText(const std::string& Keyword) override { FBox->AddText(Keyword); }
  void ClearHistory() override {
    FBox->Items()->Clear();
    FBox->SaveToFile();
  }
  bool HasFocus() const override {
    const HWND Focus = GetFocus();
    return Focus && (Focus == FBox->Handle() ||
                     (FBox->EditControl() && Focus == FBox->EditControl()->Handle()));
  }
  void FocusWithTextSelected() override {
    if (!FBox->CanFocus()) return;
    FBox->SetFocus();
    FBox->SelectAll();
  }

private:
  THistoryComboBox* FBox;
};

class TDxfSitePicker : public TSitePicker {
public:
  explicit TDxfSitePicker(TdxfComboBox* Box) : FBox(Box) {}
  int ItemIndex() const override { return FBox->ItemIndex(); }
  void SetItemIndex(int Index) override { FBox->SetItemIndex(Index); }
  bool GetChecked(int Index) const override { return FBox->GetChecked(Index); }
  void SetChecked(int Index, bool Checked) override { FBox->SetChecked(Index, Checked); }

private:
  TdxfComboBox* FBox;
};

}  // namespace

void TMainForm1::BindComboBoxes() {
  BindComponent(ComboBox1, "ComboBox1");
  BindComponent(HistoryComboBox1, "HistoryComboBox1");
  FOwnedKeywordBox = std::make_unique<THistoryKeywordBox>(HistoryComboBox1);
  FOwnedSitePicker = std::make_unique<TDxfSitePicker>(ComboBox1);
}

void TMainForm1::ApplySiteSlots() {
  if (!ComboBox1) return;
  // As much of a long name as the picker's face shows, and the rest cut
  // with an ellipsis instead of clipped in the middle of a character.
  TCanvas* Canvas = ComboBox1->Canvas();
  Canvas->SetFont(ComboBox1->Font());
  const int Width = std::max(1, ComboBox1->EditRect().Width() - 4);
  auto Measure = [Canvas](std::string_view Text) { return Canvas->TextWidth(Text); };
  TStrings* Items = ComboBox1->Items();
  for (int Index = 0; Index < kSearchSiteCount && Index < Items->Count(); ++Index) {
    const std::string Text = FitItemText(FSlots[Index].ItemText, Width, Measure);
    if (Items->Strings(Index) != Text) Items->Put(Index, Text);
  }
}

TPoint TMainForm1::NoticePoint() {
  // Just below the keyword box, where the user will look to type.
  if (HistoryComboBox1)
    return HistoryComboBox1->ClientToScreen(TPoint{0, HistoryComboBox1->Height() + 2});
  return ClientToScreen(TPoint{0, ClientHeight()});
}

void RegisterMainWindowClasses() {
  static bool Done = false;
  if (Done) return;
  Done = true;
  RegisterStockControls();
  RegisterGradBox();
  RegisterHistoryComboBox();
  RegisterDxfComboBox();
  RegisterClass<TMainForm1>("TMainForm1");
}
