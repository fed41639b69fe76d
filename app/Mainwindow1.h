#pragma once
// TMainForm1: the search bar's one window. A 500 by 35 tool window at 20, 20
// that stays on top: the gradient background, two labels, the site picker,
// the keyword box, the search button and a popup menu (delete the history,
// always on top, information, exit). Its controls come from the embedded
// layout "TMAINFORM1"; the members only refer to them.
//
// The search command and the settings reach the two combo boxes through
// TKeywordBox and TSitePicker (SearchCommand.h). A form built with
// TMainFormOptions can be given stand-ins for them and a layout and settings
// file of its own, which is how the tests build it.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/HotKeySetting.h"
#include "app/MainSettings.h"
#include "app/SearchCommand.h"
#include "app/SearchSites.h"
#include "framework/forms/Forms.h"

class TGradBox;
class TLabel;
class TSpeedButton;
class TPopupMenu;
class TMenuItem;
class TdxfComboBox;
class THistoryComboBox;
class THintWindow;
class TTimer;

namespace messages {
inline constexpr const char* kEnterKeyword = "キーワードを入力してください。";
}  // namespace messages

// The information page: the maker's base address, then "/info.php?pf=w&sn="
// and the executable's file name without directory and extension, unencoded.
inline constexpr const char* kInformationBase = "http://www.scoutlane.example";
std::string InformationPageAddress(std::string_view ExecutablePath);

struct TMainFormOptions {
  std::string SettingsPath;           // empty: Scoutlane.ini beside the executable
  std::string LayoutText;             // empty: the embedded layout
  TKeywordBox* KeywordBox = nullptr;  // null: HistoryComboBox1 of the layout
  TSitePicker* SitePicker = nullptr;  // null: ComboBox1 of the layout
};

class TMainForm1 : public TForm {
public:
  explicit TMainForm1(TComponent* AOwner);
  TMainForm1(TComponent* AOwner, TMainFormOptions Options);
  ~TMainForm1() override;

  // The controls, in declared order.
  TGradBox* GradBox1 = nullptr;
  TLabel* Label1 = nullptr;
  TdxfComboBox* ComboBox1 = nullptr;
  TLabel* Label2 = nullptr;
  TSpeedButton* Button1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* N4 = nullptr;
  TMenuItem* N5 = nullptr;
  TMenuItem* N6 = nullptr;
  TMenuItem* N7 = nullptr;
  THistoryComboBox* HistoryComboBox1 = nullptr;
  TMenuItem* N10 = nullptr;
  TMenuItem* N8 = nullptr;

  // Writes section "SET"; a refused write leaves the handler with the error,
  // so the window stays open and a later close tries again.
  void FormClose(TObject* Sender, TCloseAction& Action);
  // Always on top, on or off; the check mark follows.
  void N4Click(TObject* Sender);
  // Exit: the same close as the window's close button.
  void N7Click(TObject* Sender);
  // The search command.
  void Button1Click(TObject* Sender);
  // Opens the information page.
  void N6Click(TObject* Sender);
  // Enter with a keyword runs the search and consumes the key.
  void HistoryComboBox1KeyPress(TObject* Sender, char& Key);
  // Reads section "SET" and applies it.
  void FormCreate(TObject* Sender);
  // Deletes the search history, in the box and in the file, at once.
  void N8Click(TObject* Sender);

  void Dispatch(TMessage& Message) override;

  const std::string& SettingsPath() const { return FSettingsPath; }
  // The ten slots searched: the built-in sites with section "Sites" applied.
  const TSiteSlots& SiteSlots() const { return FSlots; }
  // The summon key as read, and whether the system gave it to us.
  const THotKeySetting& SummonKey() const { return FSummonKey; }
  bool SummonKeyRegistered() const { return FSummonKeyRegistered; }
  // What the start-up hint at the keyword box says (empty: none).
  std::string StartupNotice() const;
  // The summon key's press: brings the window forward with the keyword box
  // focused and its text selected; pressed while the keyword box has the
  // focus, hands the focus back to the program that had it.
  void Summon();
  // What the section holds now: the check of N4, the current site, the ticks.
  TMainSettings CurrentSettings() const;

private:
  void BindControls();
  // Binds ComboBox1 and HistoryComboBox1 and makes the adapters the search
  // and the settings use (Mainwindow1Combos.cpp).
  void BindComboBoxes();

  // Puts the slots' item texts in the picker (Mainwindow1Combos.cpp).
  void ApplySiteSlots();
  // Where the start-up hint goes: below the keyword box.
  TPoint NoticePoint();
  void RegisterSummonKey();
  void ShowStartupNotice();

  std::string FSettingsPath;
  TSiteSlots FSlots = BuiltInSiteSlots();
  std::vector<std::string> FSiteNotices;
  THotKeySetting FSummonKey;
  bool FSummonKeyRegistered = false;
  std::string FSummonKeyNotice;
  THintWindow* FNoticeWindow = nullptr;  // owned by the form
  TTimer* FNoticeTimer = nullptr;        // owned by the form
  std::unique_ptr<TKeywordBox> FOwnedKeywordBox;
  std::unique_ptr<TSitePicker> FOwnedSitePicker;
  TKeywordBox* FKeywordBox = nullptr;
  TSitePicker* FSitePicker = nullptr;
};

// Makes the main window's class and every class its layout names (the stock
// controls, the gradient panel, the two combo boxes) known to the layout
// reader. Calling it again does nothing.
void RegisterMainWindowClasses();
