#include "framework/ProgramMain.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "framework/dialogs/Dialogs.h"
#include "framework/forms/HintWindow.h"

namespace {

void RunMainForm(std::unique_ptr<TBackend> Backend, const TProgramSetup& Setup) {
  TApplication App(std::move(Backend));
  InstallErrorBox(App);
  try {
    InstallHintWindow(App);
    App.SetTitle(Setup.Title);
    if (Setup.Startup) Setup.Startup();
    Setup.CreateMainForm(App);
    App.Run();
  } catch (...) {
    App.HandleException(nullptr);
  }
  // The application object destroys the forms here; a control that keeps
  // data (the keyword history) saves it as it goes.
}

}  // namespace

int RunProgram(int argc, char** argv, const TProgramSetup& Setup) {
  // The one option: the version, printed without touching the display or
  // any file. Everything else on the command line is ignored, as ever.
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("%s %s\n", Setup.Name, Setup.Version);
    return 0;
  }
  std::string Problem;
  std::unique_ptr<TBackend> Backend = Setup.CreateBackend(Problem);
  if (!Backend) {
    // Without a display there is no error box to show it in.
    std::fprintf(stderr, "%s: %s\n", Setup.Name, Problem.c_str());
    return 1;
  }
  RunMainForm(std::move(Backend), Setup);
  if (Setup.Teardown) Setup.Teardown();
  return ExitCode;
}
