#include "app/Mainwindow1.h"

#include "controls/gradient/Gradbox.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/menus/Menus.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/StdCtrls.h"
#include "framework/streaming/StreamingRegistry.h"
#include "platform/files/Path.h"
#include "platform/shell/Beep.h"

std::string InformationPageAddress(std::string_view ExecutablePath) {
  return std::string(kInformationBase) +
         "/info.php?pf=w&sn=" + files::RemoveFileExt(files::ExtractFileName(ExecutablePath));
}

TMainForm1::TMainForm1(TComponent* AOwner) : TMainForm1(AOwner, TMainFormOptions{}) {}

TMainForm1::TMainForm1(TComponent* AOwner, TMainFormOptions Options)
    : TForm(AOwner),
      FSettingsPath(Options.SettingsPath.empty() ? SettingsFilePath() : Options.SettingsPath) {
  FMethods.Add("FormClose", this, &TMainForm1::FormClose);
  FMethods.Add("N4Click", this, &TMainForm1::N4Click);
  FMethods.Add("N7Click", this, &TMainForm1::N7Click);
  FMethods.Add("Button1Click", this, &TMainForm1::Button1Click);
  FMethods.Add("N6Click", this, &TMainForm1::N6Click);
  FMethods.Add("HistoryComboBox1KeyPress", this, &TMainForm1::HistoryComboBox1KeyPress);
  FMethods.Add("FormCreate", this, &TMainForm1::FormCreate);
  FMethods.Add("N8Click", this, &TMainForm1::N8Click);
  if (Options.LayoutText.empty())
    ReadLayout("TMAINFORM1");
  else
    ReadLayoutText(Options.LayoutText);
  BindControls();
  FKeywordBox = Options.KeywordBox;
  FSitePicker = Options.SitePicker;
  if (!FKeywordBox || !FSitePicker) BindComboBoxes();
  if (!FKeywordBox) FKeywordBox = FOwnedKeywordBox.get();
  if (!FSitePicker) FSitePicker = FOwnedSitePicker.get();
}

TMainForm1::~TMainForm1() = default;

void TMainForm1::BindControls() {
  BindComponent(GradBox1, "GradBox1");
  BindComponent(Label1, "Label1");
  BindComponent(Label2, "Label2");
  BindComponent(Button1, "Button1");
  BindComponent(PopupMenu1, "PopupMenu1");
  BindComponent(N4, "N4");
  BindComponent(N5, "N5");
  BindComponent(N6, "N6");
  BindComponent(N7, "N7");
  BindComponent(N10, "N10");
  BindComponent(N8, "N8");
}

TMainSettings TMainForm1::CurrentSettings() const {
  TMainSettings Settings;
  Settings.StayOnTop = N4->Checked();
  Settings.CurrentSite = FSitePicker->ItemIndex();
  for (int Index = 0; Index < kSearchSiteCount; ++Index)
    Settings.Ticked[Index] = FSitePicker->GetChecked(Index);
  return Settings;
}

void TMainForm1::FormCreate(TObject* Sender) {
  // The controls' values from the layout are the defaults of every key.
  const TMainSettings Settings = ReadMainSettings(FSettingsPath, CurrentSettings());
  N4->SetChecked(Settings.StayOnTop);
  SetFormStyle(N4->Checked() ? fsStayOnTop : fsNormal);
  // Passed on unchecked: the picker itself ignores an index it does not have.
  FSitePicker->SetItemIndex(Settings.CurrentSite);
  for (int Index = 0; Index < kSearchSiteCount; ++Index)
    FSitePicker->SetChecked(Index, Settings.Ticked[Index]);
}

void TMainForm1::FormClose(TObject* Sender, TCloseAction& Action) {
  WriteMainSettings(FSettingsPath, CurrentSettings());
}

void TMainForm1::N4Click(TObject* Sender) {
  const bool StayOnTop = !N4->Checked();
  N4->SetChecked(StayOnTop);
  SetFormStyle(StayOnTop ? fsStayOnTop : fsNormal);
}

void TMainForm1::N7Click(TObject* Sender) { Close(); }

void TMainForm1::Button1Click(TObject* Sender) {
  if (RunSearch(*FKeywordBox, *FSitePicker, Handle()) != soEmptyKeyword) return;
  MessageBeep(MB_OK);
  // Above and left of the button, by the distances the layout's scale
  // makes of them; an axis that falls off the screen's top or left edge is
  // centred instead (MessageBoxPos).
  const TPoint At = Button1->ClientToScreen(TPoint{Button1->Scaled(-24), Button1->Scaled(-64)});
  MessageBoxPos(Handle(), messages::kEnterKeyword, Application ? Application->Title() : "", miNone,
                At.X, At.Y);
}

void TMainForm1::N6Click(TObject* Sender) {
  OpenAddress(Handle(), InformationPageAddress(files::ExecutablePath()));
}

void TMainForm1::HistoryComboBox1KeyPress(TObject* Sender, char& Key) {
  if (Key != '\r') return;
  // An empty box keeps its Enter: the box's own handling gets it.
  if (FKeywordBox->Text().empty()) return;
  Key = 0;
  Button1Click(this);
}

void TMainForm1::N8Click(TObject* Sender) { FKeywordBox->ClearHistory(); }
