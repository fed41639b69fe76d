// The search bar: its own set-up and main form; framework/ProgramMain.h runs it.

#include "app/Mainwindow1.h"
#include "controls/picker/Dxfres.h"
#include "framework/ProgramMain.h"
#include "platform/backends/DefaultBackend.h"

int main(int argc, char** argv) {
  TProgramSetup Setup;
  Setup.Name = "Scoutlane";
  Setup.Version = SCOUTLANE_VERSION;
  Setup.CreateBackend = CreateDefaultBackend;
  Setup.Title = "Scoutlane' 2010";
  Setup.Startup = [] {
    InitializeDxfres();
    RegisterMainWindowClasses();
  };
  Setup.CreateMainForm = [](TApplication& App) {
    TMainForm1* MainForm1 = nullptr;
    App.CreateForm(MainForm1);
  };
  Setup.Teardown = FinalizeDxfres;
  return RunProgram(argc, argv, Setup);
}
