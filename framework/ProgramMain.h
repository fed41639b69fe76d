#pragma once
// The start and end of a program built on the framework, the same for every
// program: the one command-line option (--version), the desktop's backend,
// the application object with its error box and hint window, the program's
// own set-up and main form, the message loop, and the teardown after the
// last form is gone.
//
// An error that escapes start-up or the loop is shown in the error box; when
// it happens while the main form is made, the form is never shown. The exit
// status is ExitCode (Forms.h): 0, or 1 when the user's data could not be
// kept, or when there was no display or error box to tell the user in.

#include <memory>
#include <string>

#include "framework/forms/Forms.h"

struct TProgramSetup {
  // For --version and for messages on standard error ("Scoutlane").
  const char* Name = "";
  const char* Version = "";
  // The application's title, the caption of its error and message boxes.
  const char* Title = "";
  // The backend to run on, or nullptr with Problem set to a line for the
  // user (CreateDefaultBackend, platform/backends/DefaultBackend.h, which
  // the program links).
  std::unique_ptr<TBackend> (*CreateBackend)(std::string& Problem) = nullptr;
  // Before any form exists: shared resources and the layout classes.
  void (*Startup)() = nullptr;
  // Makes the main form (TApplication::CreateForm).
  void (*CreateMainForm)(TApplication& App) = nullptr;
  // After the last form is gone: what Startup made.
  void (*Teardown)() = nullptr;
};

int RunProgram(int argc, char** argv, const TProgramSetup& Setup);
