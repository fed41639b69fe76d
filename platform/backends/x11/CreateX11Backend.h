#pragma once
// The factory of the X11 backend: the only name of it the rest of the
// program sees, so nothing outside this folder includes Xlib.

#include <memory>

#include "platform/backends/Backend.h"

// Connects to the display named by $DISPLAY. Answers nullptr when there is
// none or it cannot be opened.
std::unique_ptr<TBackend> CreateX11Backend();
