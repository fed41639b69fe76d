#pragma once
// The main window on the headless screen, made from the program's own
// layout with stand-ins for the two combo boxes and a settings file in a
// directory of its own.

#include <string>

#include "AppTestSupport.h"
#include "app/Mainwindow1.h"
#include "controls/gradient/Gradbox.h"
#include "framework/HeadlessFixture.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/forms/ModalLoop.h"
#include "framework/menus/Menus.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/StdCtrls.h"
#include "platform/resources/Resources.h"

namespace apptest {

// The embedded layout, as the program reads it.
inline std::string ProgramLayout() { return std::string(FindResource("TMAINFORM1")); }

// The layout without the object Name (its lines up to its "end" at the same
// depth): the behaviour tests put stand-ins in place of the combo boxes.
inline std::string WithoutObject(std::string Layout, const std::string& Name) {
  const std::string Head = "  object " + Name + ":";
  const std::size_t Begin = Layout.find(Head);
  if (Begin == std::string::npos) return Layout;
  const std::size_t End = Layout.find("\n  end\n", Begin);
  return Layout.erase(Begin, End + 7 - Begin);
}

inline std::string LayoutWithoutComboBoxes() {
  return WithoutObject(WithoutObject(ProgramLayout(), "ComboBox1"), "HistoryComboBox1");
}

// Calls Fn(IdleKind, ModalWindow) whenever Window gets WM_ENTERIDLE, the
// moment a user would act on a shown box or menu.
inline void OnIdle(HWND Window, std::function<void(WPARAM, HWND)> Fn) {
  const WNDPROC Old = GetWindowProc(Window);
  SetWindowProc(Window, [Old, Fn](HWND W, UINT M, WPARAM WP, LPARAM LP) -> LRESULT {
    if (M == WM_ENTERIDLE) Fn(WP, reinterpret_cast<HWND>(LP));
    return CallWindowProc(Old, W, M, WP, LP);
  });
}

class MainWindowFixture : public THeadlessFixture {
protected:
  MainWindowFixture() {
    RegisterMainWindowClasses();
    App.SetTitle("Scoutlane' 2010");
  }

  // Makes the window as start-up does (layout, Loaded, FormCreate) and shows it.
  TMainForm1* Create(bool ShowIt = true) {
    TMainFormOptions Options;
    Options.SettingsPath = SettingsPath;
    Options.LayoutText = LayoutWithoutComboBoxes();
    Options.KeywordBox = &Keyword;
    Options.SitePicker = &Sites;
    Form = new TMainForm1(&App, Options);
    Form->AfterConstruction();
    if (ShowIt) {
      Form->Show();
      Pump();
    }
    return Form;
  }

  // Records every message box the window shows, then closes it with Enter.
  struct TShownBox {
    std::string Caption, Text;
    TRect Rect;
  };
  void RecordBoxes() {
    OnIdle(Form->Handle(), [this](WPARAM Kind, HWND Box) {
      if (Kind != kIdleDialog) return;
      TShownBox Shown;
      Shown.Caption = GetWindowText(Box);
      for (HWND C = GetWindow(Box, GW_CHILD); C; C = GetWindow(C, GW_HWNDNEXT))
        if (GetWindowLong(C, GWL_ID) == kMsgBoxTextId) Shown.Text = GetWindowText(C);
      GetWindowRect(Box, Shown.Rect);
      Boxes.push_back(Shown);
      Display.KeyPress(VK_RETURN);
    });
  }

  TTempDir Dir;
  std::string SettingsPath = Dir.File("Scoutlane.ini");
  TLog Log;
  TFakeKeywordBox Keyword{Log};
  TFakeSitePicker Sites;
  TRecordingShellOpener Shell;
  TShellOpenerGuard ShellGuard{Shell};
  TMainForm1* Form = nullptr;
  std::vector<TShownBox> Boxes;
};

}  // namespace apptest
