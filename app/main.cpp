// Entry point of the search bar: the application object on the desktop's
// backend, the title, the main window from its layout, the message loop.
//
// An error that escapes start-up or the loop is shown in the error box and
// the program still ends with 0; when it happens while the window is made,
// the window is never shown. It ends with 1 when the keyword history could
// not be saved as the window went (the error box said so first).

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "app/Mainwindow1.h"
#include "controls/picker/Dxfres.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/forms/Forms.h"
#include "framework/forms/HintWindow.h"
#include "platform/backends/DefaultBackend.h"

namespace {

constexpr const char* kTitle = "Scoutlane' 2010";

void RunSearchBar(std::unique_ptr<TBackend> Backend) {
  TApplication App(std::move(Backend));
  InstallErrorBox(App);
  try {
    InstallHintWindow(App);
    App.SetTitle(kTitle);
    // The pickers' shared drawing resources, before any form exists.
    InitializeDxfres();
    RegisterMainWindowClasses();
    TMainForm1* MainForm1 = nullptr;
    App.CreateForm(MainForm1);
    App.Run();
  } catch (...) {
    App.HandleException(nullptr);
  }
  // The application object destroys the window here; the keyword box saves
  // its history as it goes.
}

}  // namespace

int main(int argc, char** argv) {
  // The one option: the version, printed without touching the display or
  // any file. Everything else on the command line is ignored, as ever.
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("Scoutlane %s\n", SCOUTLANE_VERSION);
    return 0;
  }

  std::string Problem;
  std::unique_ptr<TBackend> Backend = CreateDefaultBackend(Problem);
  if (!Backend) {
    // Without a display there is no error box to show it in.
    std::fprintf(stderr, "Scoutlane: %s\n", Problem.c_str());
    return 1;
  }
  RunSearchBar(std::move(Backend));
  // After the last form is gone.
  FinalizeDxfres();
  return ExitCode;
}
