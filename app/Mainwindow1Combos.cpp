// The main window's two combo boxes as the search and the settings see
// them: thin adapters from TKeywordBox and TSitePicker to the real
// THistoryComboBox and TdxfComboBox of the layout.
//
// The two controls are built in their own folders. Until both headers are
// in the tree this file still compiles, and the window then cannot be made:
// its layout names both classes, which the layout reader does not know yet.
// Nothing stands in for them in the program.

#include "app/Mainwindow1.h"

#include "controls/gradient/Gradbox.h"
#include "framework/StdCtrls.h"
#include "framework/StreamingRegistry.h"

#if __has_include("controls/history/Historycombobox.h") && \
                  __has_include("controls/picker/Dxfcombobox.h")
#define SCOUTLANE_MAIN_WINDOW_HAS_COMBO_BOXES 1
#include "controls/history/Historycombobox.h"
#include "controls/picker/Dxfcombobox.h"
#else
#define SCOUTLANE_MAIN_WINDOW_HAS_COMBO_BOXES 0
#endif

#if SCOUTLANE_MAIN_WINDOW_HAS_COMBO_BOXES

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

bool MainWindowHasComboBoxes() { return true; }

static void RegisterComboBoxes() {
  RegisterHistoryComboBox();
  RegisterDxfComboBox();
}

#else

void TMainForm1::BindComboBoxes() {
  throw EComponentError(FormatMessage(messages::kMissingComponent, {"ComboBox1"}));
}

bool MainWindowHasComboBoxes() { return false; }

static void RegisterComboBoxes() {}

#endif

void RegisterMainWindowClasses() {
  static bool Done = false;
  if (Done) return;
  Done = true;
  RegisterStockControls();
  RegisterGradBox();
  RegisterComboBoxes();
  RegisterClass<TMainForm1>("TMainForm1");
}
