#include "platform/backends/x11/DefaultBackend.h"

#include <cstdlib>

#include "platform/backends/x11/CreateX11Backend.h"

std::unique_ptr<TBackend> CreateDefaultBackend(std::string& Problem) {
  const char* Display = std::getenv("DISPLAY");
  if (!Display || !*Display) {
    Problem = "cannot show a window: DISPLAY is not set (this program needs an X server)";
    return nullptr;
  }
  std::unique_ptr<TBackend> Backend = CreateX11Backend();
  if (!Backend) Problem = std::string("cannot open the X display \"") + Display + "\"";
  return Backend;
}
