#pragma once
// The one place where the program chooses its backend: on Linux the X11
// display the environment names (backends/x11), on Windows the desktop
// itself (backends/win32). Each desktop backend defines this function; the
// build links the one of its system (CMake target platform_desktop). There
// is no silent fallback: the headless backend shows nothing to a user and is
// for tests only.
//
//   std::string Problem;
//   auto Backend = CreateDefaultBackend(Problem);
//   if (!Backend) { fprintf(stderr, "%s\n", Problem.c_str()); return 1; }

#include <memory>
#include <string>

#include "platform/backends/Backend.h"

// The backend to run on, or nullptr with Problem set to a one-line
// explanation for the user (plain ASCII, for the terminal or a message box).
std::unique_ptr<TBackend> CreateDefaultBackend(std::string& Problem);
