#include "app/Mainwindow1.h"

#include "app/SiteSettings.h"
#include "controls/gradient/Gradbox.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/forms/HintWindow.h"
#include "framework/menus/Menus.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/ExtCtrls.h"
#include "framework/stdctrls/StdCtrls.h"
#include "framework/streaming/StreamingRegistry.h"
#include "platform/files/Path.h"
#include "platform/shell/Beep.h"
#include "platform/window/WinUser.h"

namespace {

// The summon key's id among the window's hot keys.
constexpr int kSummonKeyId = 1;
// Posted to itself at creation: the start-up hint waits until the window
// is on the screen.
constexpr UINT kShowStartupNotice = WM_APP + 25;
// How long the start-up hint stays.
constexpr unsigned kNoticeMilliseconds = 15000;

}  // namespace

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

  TSitesReading Sites = ReadSiteSlots(FSettingsPath);
  FSlots = std::move(Sites.Slots);
  FSiteNotices = std::move(Sites.Notices);
  ApplySiteSlots();
  FSummonKey = ReadHotKeySetting(FSettingsPath);
  RegisterSummonKey();
  FSummonKeyNotice = HotKeyNotice(FSummonKey, FSummonKeyRegistered, FSettingsPath);
  if (!FSummonKeyNotice.empty()) {
    // Told now: the same value is not told about again.
    FSummonKey.HintShown = true;
    FSummonKey.HintShownFor = FSummonKey.Written;
  }
  if (!StartupNotice().empty()) PostMessage(Handle(), kShowStartupNotice, 0, 0);
}

void TMainForm1::RegisterSummonKey() {
  if (FSummonKey.Parse == hpOff) return;
  const THotKeyCombination& Key = FSummonKey.Combination;
  FSummonKeyRegistered = RegisterHotKey(Handle(), kSummonKeyId, Key.Modifiers, Key.VirtualKey);
}

std::string TMainForm1::StartupNotice() const {
  std::string Notice = FSummonKeyNotice;
  for (const std::string& Line : FSiteNotices) {
    if (!Notice.empty()) Notice += "\r\n";
    Notice += Line;
  }
  return Notice;
}

void TMainForm1::ShowStartupNotice() {
  const std::string Notice = StartupNotice();
  if (Notice.empty()) return;
  if (!FNoticeWindow) FNoticeWindow = new THintWindow(this);
  FNoticeWindow->ActivateHint(NoticePoint(), Notice);
  if (!FNoticeTimer) {
    FNoticeTimer = new TTimer(this);
    FNoticeTimer->SetInterval(kNoticeMilliseconds);
    FNoticeTimer->SetOnTimer([this](TObject*) {
      FNoticeTimer->SetEnabled(false);
      if (FNoticeWindow) FNoticeWindow->ActivateHint(TPoint{}, std::string());
    });
  }
  FNoticeTimer->SetEnabled(true);
}

void TMainForm1::Summon() {
  const bool Foreground = GetActiveWindow() == Handle();
  if (Foreground && FKeywordBox->HasFocus()) {
    // The second press: back to where the user came from.
    ReturnForeground();
    return;
  }
  SetForegroundWindow(Handle());
  FKeywordBox->FocusWithTextSelected();
}

void TMainForm1::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_HOTKEY:
      if (int(Message.WParam) == kSummonKeyId) Summon();
      break;
    case kShowStartupNotice:
      ShowStartupNotice();
      break;
    default:
      TForm::Dispatch(Message);
  }
}

void TMainForm1::FormClose(TObject* Sender, TCloseAction& Action) {
  WriteMainSettings(FSettingsPath, CurrentSettings());
  WriteHotKeySetting(FSettingsPath, FSummonKey);
}

void TMainForm1::N4Click(TObject* Sender) {
  const bool StayOnTop = !N4->Checked();
  N4->SetChecked(StayOnTop);
  SetFormStyle(StayOnTop ? fsStayOnTop : fsNormal);
}

void TMainForm1::N7Click(TObject* Sender) { Close(); }

void TMainForm1::Button1Click(TObject* Sender) {
  if (RunSearch(*FKeywordBox, *FSitePicker, Handle(), FSlots) != soEmptyKeyword) return;
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
