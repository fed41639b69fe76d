// The control gallery: its own set-up and main form; framework/ProgramMain.h runs it.

#include "controls/picker/Dxfres.h"
#include "framework/ProgramMain.h"
#include "gallery/GalleryForm1.h"
#include "platform/backends/DefaultBackend.h"

int main(int argc, char** argv) {
  TProgramSetup Setup;
  Setup.Name = "Gallery";
  Setup.Version = SCOUTLANE_VERSION;
  Setup.CreateBackend = CreateDefaultBackend;
  Setup.Title = "Scoutlane コントロールギャラリー";
  Setup.Startup = [] {
    InitializeDxfres();
    RegisterGalleryClasses();
  };
  Setup.CreateMainForm = [](TApplication& App) {
    TGalleryForm1* GalleryForm1 = nullptr;
    App.CreateForm(GalleryForm1);
  };
  Setup.Teardown = FinalizeDxfres;
  return RunProgram(argc, argv, Setup);
}
