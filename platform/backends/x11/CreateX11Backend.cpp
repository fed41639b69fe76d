#include "platform/backends/x11/CreateX11Backend.h"

#include "platform/backends/x11/X11Backend.h"

std::unique_ptr<TBackend> CreateX11Backend() { return TX11Backend::Open(nullptr); }
