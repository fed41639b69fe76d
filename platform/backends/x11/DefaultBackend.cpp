#include "platform/backends/DefaultBackend.h"

#include <cstdlib>

#include "platform/backends/x11/CreateX11Backend.h"
#include "platform/fonts/FaceCache.h"

std::unique_ptr<TBackend> CreateDefaultBackend(std::string& Problem) {
  const char* Display = std::getenv("DISPLAY");
  if (!Display || !*Display) {
    Problem = "cannot show a window: DISPLAY is not set (this program needs an X server)";
    return nullptr;
  }
  std::unique_ptr<TBackend> Backend = CreateX11Backend();
  // A program on the desktop remembers where its faces were found, so that
  // the next start needs no font configuration load.
  if (Backend) facecache::EnableForUser();
  if (!Backend) Problem = std::string("cannot open the X display \"") + Display + "\"";
  return Backend;
}
