// Entry point of the control gallery: the application object on the
// desktop's backend, the gallery window from its layout, the message loop.
// An error is shown in the error box, as in the search bar; the program ends
// with 1 when the user's data could not be kept (a history that could not be
// saved as the window went), else with 0.

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "controls/picker/Dxfres.h"
#include "framework/dialogs/Dialogs.h"
#include "framework/forms/Forms.h"
#include "framework/forms/HintWindow.h"
#include "gallery/GalleryForm1.h"
#include "platform/backends/DefaultBackend.h"

namespace {

constexpr const char* kTitle = "Scoutlane コントロールギャラリー";

void RunGallery(std::unique_ptr<TBackend> Backend) {
  TApplication App(std::move(Backend));
  InstallErrorBox(App);
  try {
    InstallHintWindow(App);
    App.SetTitle(kTitle);
    InitializeDxfres();
    RegisterGalleryClasses();
    TGalleryForm1* GalleryForm1 = nullptr;
    App.CreateForm(GalleryForm1);
    App.Run();
  } catch (...) {
    App.HandleException(nullptr);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // The one option: the version, printed without touching the display or
  // any file. Everything else on the command line is ignored, as ever.
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("Gallery %s\n", SCOUTLANE_VERSION);
    return 0;
  }

  std::string Problem;
  std::unique_ptr<TBackend> Backend = CreateDefaultBackend(Problem);
  if (!Backend) {
    std::fprintf(stderr, "Gallery: %s\n", Problem.c_str());
    return 1;
  }
  RunGallery(std::move(Backend));
  FinalizeDxfres();
  return ExitCode;
}
