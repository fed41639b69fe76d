#include "platform/backends/win32/CreateWin32Backend.h"

#include "platform/backends/win32/Win32Backend.h"

std::unique_ptr<TBackend> CreateWin32Backend() { return TWin32Backend::Open(); }
