#pragma once
// Starting the window system, running its loop and reading back what it
// painted. One TWindowSystem runs at a time (the newest one created is the
// one the API acts on; destroying it makes the previous one current again).
//
//   TWindowSystem System(CreateHeadlessBackend());   // tests
//   TWindowSystem System(CreateX11Backend());        // the program
//   ... CreateWindowEx(...) ...
//   System.Run();

#include <memory>

#include "platform/backends/Backend.h"
#include "platform/gdi/Surface.h"
#include "platform/window/WinDefs.h"

class TWindowCore;

class TWindowSystem {
public:
  explicit TWindowSystem(std::unique_ptr<TBackend> Backend);
  // Windows still alive are freed without further messages: their window
  // procedures may refer to objects that are already gone.
  ~TWindowSystem();
  TWindowSystem(const TWindowSystem&) = delete;
  TWindowSystem& operator=(const TWindowSystem&) = delete;

  TBackend& Backend();

  // Handles everything pending: queued input, posted messages, due timers,
  // then the paints of invalid windows, and presents what was painted.
  // Returns when nothing is left; false when WM_QUIT was retrieved (its exit
  // code is then ExitCode()).
  bool ProcessMessages();
  // The program's loop: GetMessage, TranslateMessage, DispatchMessage until
  // WM_QUIT (or until the backend can deliver no more input). Answers the
  // exit code.
  int Run();
  bool QuitReceived() const;
  int ExitCode() const;

  // The native window of a top-level window (0 for a child or a dead handle).
  TNativeWindow NativeWindowOf(HWND Window) const;
  // The back buffer of a top-level window, as painted (also what is not yet
  // presented); nullptr for a child or a dead handle.
  const TSurface* BackBufferOf(HWND Window) const;

private:
  std::unique_ptr<TWindowCore> FCore;
};
