// The framework's demo form for the end-to-end tests: a form read from an
// embedded layout (DemoForm.layout) on the real backend, with the search
// bar's gradient background, two labels, a flat speed button and a popup
// menu with access keys, a separator and a checked item. It writes one line
// to standard output for each command, so that a test driving it from
// outside sees what reached it:
//
//   click Button1      the speed button was clicked
//   popup              the popup menu is about to open
//   menu N8            "検索履歴を削除する(&D)" was chosen
//   menu N4 <0|1>      "常に手前に表示(&S)": the check and always-on-top
//                      switched, to the state given
//   menu N6            "インフォメーション(&I)..." was chosen
//   menu N9            "エラーを表示する(&E)" was chosen; its handler fails,
//                      and the error box shows the failure
//   menu N7            "終了する(&X)" was chosen; the form closes
//   exit <code>        the message loop ended
//
// With SCOUTLANE_REPORT_FIRST_FRAME=1 the backend also reports its first
// presented frame on standard error (the start-up benchmark reads it).

#include <cstdio>
#include <memory>
#include <string>

#include "controls/gradient/Gradbox.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/forms/Forms.h"
#include "framework/forms/HintWindow.h"
#include "framework/menus/Menus.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/StdCtrls.h"
#include "framework/streaming/StreamingRegistry.h"
#include "platform/backends/DefaultBackend.h"

namespace {

constexpr const char* kTitle = "Scoutlane フォームデモ";

void Say(const char* Line) {
  std::fputs(Line, stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

class TDemoForm1 : public TForm {
public:
  explicit TDemoForm1(TComponent* AOwner) : TForm(AOwner) {
    FMethods.Add("Button1Click", this, &TDemoForm1::Button1Click);
    FMethods.Add("PopupMenu1Popup", this, &TDemoForm1::PopupMenu1Popup);
    FMethods.Add("N8Click", this, &TDemoForm1::N8Click);
    FMethods.Add("N4Click", this, &TDemoForm1::N4Click);
    FMethods.Add("N6Click", this, &TDemoForm1::N6Click);
    FMethods.Add("N9Click", this, &TDemoForm1::N9Click);
    FMethods.Add("N7Click", this, &TDemoForm1::N7Click);
    ReadLayout("DEMOFORM1");
    BindComponent(GradBox1, "GradBox1");
    BindComponent(Button1, "Button1");
    BindComponent(PopupMenu1, "PopupMenu1");
    BindComponent(N4, "N4");
  }

  TGradBox* GradBox1 = nullptr;
  TSpeedButton* Button1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* N4 = nullptr;

  void Button1Click(TObject* Sender) { Say("click Button1"); }
  void PopupMenu1Popup(TObject* Sender) { Say("popup"); }
  void N8Click(TObject* Sender) { Say("menu N8"); }
  // The always-on-top command of the search bar: the check follows the
  // form style; the framework does not check the item by itself.
  void N4Click(TObject* Sender) {
    const bool OnTop = !N4->Checked();
    N4->SetChecked(OnTop);
    SetFormStyle(OnTop ? fsStayOnTop : fsNormal);
    Say(OnTop ? "menu N4 1" : "menu N4 0");
  }
  void N6Click(TObject* Sender) { Say("menu N6"); }
  void N9Click(TObject* Sender) {
    Say("menu N9");
    throw Exception("デモのエラーです");
  }
  void N7Click(TObject* Sender) {
    Say("menu N7");
    Close();
  }
};

}  // namespace

int main() {
  std::string Problem;
  std::unique_ptr<TBackend> Backend = CreateDefaultBackend(Problem);
  if (!Backend) {
    std::fprintf(stderr, "scoutlane_demo_form: %s\n", Problem.c_str());
    return 1;
  }
  TApplication App(std::move(Backend));
  InstallErrorBox(App);
  try {
    InstallHintWindow(App);
    App.SetTitle(kTitle);
    RegisterStockControls();
    RegisterGradBox();
    RegisterClass<TDemoForm1>("TDemoForm1");
    TDemoForm1* DemoForm1 = nullptr;
    App.CreateForm(DemoForm1);
    App.Run();
  } catch (...) {
    App.HandleException(nullptr);
  }
  Say("exit 0");
  return 0;
}
