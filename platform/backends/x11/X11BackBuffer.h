#pragma once
// The back buffer of one native window: an XImage in the server's pixel
// format, in shared memory (MIT-SHM) when the server and this process share
// a machine, else in ordinary memory sent with XPutImage. Presenting copies
// the dirty rectangles of the window's surface into the image and puts just
// those rectangles on the window.
//
// A shared image is read by the server after XShmPutImage returns, so the
// buffer is not written again until the server reports the put complete.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <vector>

#include "platform/core/Types.h"
#include "platform/gdi/Surface.h"

namespace x11 {

// What every back buffer of a connection shares.
struct TX11ImageTarget {
  Display* Dpy = nullptr;
  Visual* Vis = nullptr;
  int Depth = 0;
  GC Gc = nullptr;
  // Cleared for good when a shared segment cannot be attached (a remote
  // display, or a server that refuses it): XPutImage from then on.
  bool ShmUsable = false;
  int ShmCompletionEvent = -1;  // event type of ShmCompletion
};

class TX11BackBuffer {
public:
  explicit TX11BackBuffer(TX11ImageTarget& Target) : FTarget(Target) {}
  ~TX11BackBuffer();
  TX11BackBuffer(const TX11BackBuffer&) = delete;
  TX11BackBuffer& operator=(const TX11BackBuffer&) = delete;

  // Shows the Dirty rectangles (window coordinates) of Surface on Window.
  void Present(Drawable Window, const TSurface& Surface, const std::vector<TRect>& Dirty);
  // The server finished reading a shared image; true when it was this one's.
  bool CompletionArrived(const XEvent& Event);
  bool UsesShm() const { return FShm; }

private:
  bool Ensure(int Width, int Height);
  void Release();
  bool CreateShared(int Width, int Height);
  bool CreatePlain(int Width, int Height);
  void WaitUntilRead();
  void CopyRect(const TSurface& Surface, const TRect& R);

  TX11ImageTarget& FTarget;
  XImage* FImage = nullptr;
  XShmSegmentInfo FSegment{};
  bool FShm = false;
  bool FPutPending = false;  // the server may still be reading FImage
};

}  // namespace x11
