#include "platform/backends/DefaultBackend.h"
#include "platform/backends/win32/CreateWin32Backend.h"

std::unique_ptr<TBackend> CreateDefaultBackend(std::string& Problem) {
  std::unique_ptr<TBackend> Backend = CreateWin32Backend();
  if (!Backend) Problem = "cannot show a window: Windows refused to register the window class";
  return Backend;
}
