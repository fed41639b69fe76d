#pragma once
// The factory of the Windows backend: the only name of it the rest of the
// program sees.

#include <memory>

#include "platform/backends/Backend.h"

// Answers nullptr when Windows refuses to make our windows.
std::unique_ptr<TBackend> CreateWin32Backend();
