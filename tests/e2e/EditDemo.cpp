// The single-line edit on the real backend, for the end-to-end tests: a form
// with one TEdit that has the focus from the start. It writes lines to
// standard output (flushed at once), the edit's code page 932 text converted
// back to UTF-8, so that a test driving it from outside sees what the edit
// holds:
//
//   ready <x> <y> <w> <h>   the form is shown; the edit's client rectangle
//                           in the form's client coordinates (the window
//                           manager decides where the form itself goes)
//   text <utf8>             the text after every change (OnChange), and on
//                           request (F2)
//   sel <start> <length>    the selection in bytes, on request (F2)
//   exit 0                  the message loop ended

#include <cstdio>
#include <memory>
#include <string>

#include "framework/dialogs/Dialogs.h"
#include "framework/forms/Forms.h"
#include "framework/stdctrls/Edit.h"
#include "platform/backends/DefaultBackend.h"
#include "platform/text/Cp932.h"

namespace {

void Say(const std::string& Line) {
  std::fputs(Line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void SayText(TCustomEdit* Edit) { Say("text " + cp932::ToUtf8Lossy(Edit->Text())); }

class TEditDemoForm : public TForm {
public:
  explicit TEditDemoForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Scoutlane エディットデモ");
    SetBounds(40, 40, 420, 60);
    Edit1 = new TEdit(this);
    Edit1->SetParent(this);
    Edit1->SetBounds(10, 10, 300, 24);
    Edit1->OnChange = [this](TObject*) { SayText(Edit1); };
    Edit1->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) {
      if (Key != VK_F2) return;
      SayText(Edit1);
      Say("sel " + std::to_string(Edit1->SelStart()) + " " + std::to_string(Edit1->SelLength()));
      Key = 0;
    };
    SetActiveControl(Edit1);
  }

  TEdit* Edit1 = nullptr;
};

}  // namespace

int main() {
  std::string Problem;
  std::unique_ptr<TBackend> Backend = CreateDefaultBackend(Problem);
  if (!Backend) {
    std::fprintf(stderr, "scoutlane_edit_demo: %s\n", Problem.c_str());
    return 1;
  }
  TApplication App(std::move(Backend));
  InstallErrorBox(App);
  try {
    App.SetTitle("Scoutlane エディットデモ");
    TEditDemoForm* Form = nullptr;
    App.CreateForm(Form);
    Form->Show();
    App.ProcessMessages();
    const TPoint Origin = Form->ScreenToClient(Form->Edit1->ClientToScreen(TPoint{0, 0}));
    Say("ready " + std::to_string(Origin.X) + " " + std::to_string(Origin.Y) + " " +
        std::to_string(Form->Edit1->ClientWidth()) + " " +
        std::to_string(Form->Edit1->ClientHeight()));
    App.Run();
  } catch (...) {
    App.HandleException(nullptr);
  }
  Say("exit 0");
  return 0;
}
