#include "platform/backends/x11/X11BackBuffer.h"

#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <cstring>

#include "platform/backends/x11/X11ErrorTrap.h"
#include "platform/backends/x11/X11Geometry.h"
#include "platform/backends/x11/X11PixelFormat.h"

namespace x11 {

namespace {

// How long a present waits for the server to finish reading the previous
// shared image before it stops trusting the completion event.
constexpr int kCompletionWaitMs = 1000;

bool HostIsLittleEndian() {
  const std::uint32_t One = 1;
  unsigned char First;
  std::memcpy(&First, &One, 1);
  return First == 1;
}

// The image holds our 0x00RRGGBB words exactly as they lie in memory.
bool SameLayoutAsSurface(const XImage* Image) {
  const int HostOrder = HostIsLittleEndian() ? LSBFirst : MSBFirst;
  return Image->bits_per_pixel == 32 && Image->byte_order == HostOrder &&
         Image->red_mask == 0xFF0000 && Image->green_mask == 0x00FF00 &&
         Image->blue_mask == 0x0000FF;
}

struct TCompletionMatch {
  int Type;
  ShmSeg Segment;
};

Bool IsCompletionOf(Display*, XEvent* Event, XPointer Arg) {
  const auto* M = reinterpret_cast<const TCompletionMatch*>(Arg);
  if (Event->type != M->Type) return False;
  return reinterpret_cast<const XShmCompletionEvent*>(Event)->shmseg == M->Segment ? True : False;
}

}  // namespace

TX11BackBuffer::~TX11BackBuffer() { Release(); }

void TX11BackBuffer::Release() {
  if (!FImage) return;
  if (FShm) {
    // The server must be done with the segment before it goes.
    XShmDetach(FTarget.Dpy, &FSegment);
    XSync(FTarget.Dpy, False);
    shmdt(FSegment.shmaddr);
    FImage->data = nullptr;
  }
  XDestroyImage(FImage);  // frees the plain image's pixels with free()
  FImage = nullptr;
  FShm = false;
  FPutPending = false;
}

bool TX11BackBuffer::CreateShared(int Width, int Height) {
  FImage = XShmCreateImage(FTarget.Dpy, FTarget.Vis, unsigned(FTarget.Depth), ZPixmap, nullptr,
                           &FSegment, unsigned(Width), unsigned(Height));
  if (!FImage) return false;
  const std::size_t Size = std::size_t(FImage->bytes_per_line) * std::size_t(FImage->height);
  FSegment.shmid = shmget(IPC_PRIVATE, Size, IPC_CREAT | 0600);
  if (FSegment.shmid < 0) {
    XDestroyImage(FImage);
    FImage = nullptr;
    return false;
  }
  FSegment.shmaddr = static_cast<char*>(shmat(FSegment.shmid, nullptr, 0));
  if (FSegment.shmaddr == reinterpret_cast<char*>(-1)) {
    shmctl(FSegment.shmid, IPC_RMID, nullptr);
    XDestroyImage(FImage);
    FImage = nullptr;
    return false;
  }
  FImage->data = FSegment.shmaddr;
  FSegment.readOnly = False;
  int Error;
  {
    TErrorTrap Trap(FTarget.Dpy);
    XShmAttach(FTarget.Dpy, &FSegment);
    Error = Trap.Check();
  }
  // Marked for removal at once: the segment goes when both sides detach,
  // even if this process dies without cleaning up.
  shmctl(FSegment.shmid, IPC_RMID, nullptr);
  if (Error != 0) {
    shmdt(FSegment.shmaddr);
    FImage->data = nullptr;
    XDestroyImage(FImage);
    FImage = nullptr;
    return false;
  }
  FShm = true;
  return true;
}

bool TX11BackBuffer::CreatePlain(int Width, int Height) {
  FImage = XCreateImage(FTarget.Dpy, FTarget.Vis, unsigned(FTarget.Depth), ZPixmap, 0, nullptr,
                        unsigned(Width), unsigned(Height), 32, 0);
  if (!FImage) return false;
  FImage->data =
      static_cast<char*>(std::calloc(std::size_t(FImage->bytes_per_line) * std::size_t(Height), 1));
  if (!FImage->data) {
    XDestroyImage(FImage);
    FImage = nullptr;
    return false;
  }
  FShm = false;
  return true;
}

bool TX11BackBuffer::Ensure(int Width, int Height) {
  if (FImage && FImage->width == Width && FImage->height == Height) return true;
  Release();
  if (FTarget.ShmUsable) {
    if (CreateShared(Width, Height)) return true;
    FTarget.ShmUsable = false;
  }
  return CreatePlain(Width, Height);
}

void TX11BackBuffer::WaitUntilRead() {
  if (!FPutPending) return;
  TCompletionMatch Match{FTarget.ShmCompletionEvent, FSegment.shmseg};
  XEvent Event;
  int Waited = 0;
  while (FPutPending) {
    if (XCheckIfEvent(FTarget.Dpy, &Event, IsCompletionOf, reinterpret_cast<XPointer>(&Match))) {
      FPutPending = false;
      break;
    }
    if (Waited >= kCompletionWaitMs) {
      // No completion came (the window went, say): a round trip proves the
      // server has handled the put, read or not.
      XSync(FTarget.Dpy, False);
      FPutPending = false;
      break;
    }
    XFlush(FTarget.Dpy);
    pollfd P{ConnectionNumber(FTarget.Dpy), POLLIN, 0};
    poll(&P, 1, 10);
    Waited += 10;
  }
}

void TX11BackBuffer::CopyRect(const TSurface& Surface, const TRect& R) {
  if (SameLayoutAsSurface(FImage)) {
    const std::size_t Bytes = std::size_t(R.Width()) * 4;
    for (int Y = R.Top; Y < R.Bottom; ++Y)
      std::memcpy(FImage->data + std::size_t(Y) * FImage->bytes_per_line + std::size_t(R.Left) * 4,
                  Surface.Row(Y) + R.Left, Bytes);
    return;
  }
  for (int Y = R.Top; Y < R.Bottom; ++Y) {
    const std::uint32_t* Row = Surface.Row(Y);
    for (int X = R.Left; X < R.Right; ++X) {
      XPutPixel(FImage, X, Y,
                ServerPixel(Row[X], FImage->red_mask, FImage->green_mask, FImage->blue_mask));
    }
  }
}

void TX11BackBuffer::Present(Drawable Window, const TSurface& Surface,
                             const std::vector<TRect>& Dirty) {
  const int Width = std::min(Surface.Width(), kMaxSize);
  const int Height = std::min(Surface.Height(), kMaxSize);
  if (Width <= 0 || Height <= 0) return;
  std::vector<TRect> Parts;
  for (const TRect& R : Dirty) {
    const TRect D = DrawableRect(R, Width, Height);
    if (!D.IsEmpty()) Parts.push_back(D);
  }
  if (Parts.empty()) return;
  WaitUntilRead();
  if (!Ensure(Width, Height)) return;
  for (const TRect& R : Parts) CopyRect(Surface, R);
  for (std::size_t I = 0; I < Parts.size(); ++I) {
    const TRect& R = Parts[I];
    if (FShm) {
      // Only the last put asks for a completion: the server handles the
      // puts in order, so its completion covers them all.
      const bool Last = I + 1 == Parts.size();
      XShmPutImage(FTarget.Dpy, Window, FTarget.Gc, FImage, R.Left, R.Top, R.Left, R.Top,
                   unsigned(R.Width()), unsigned(R.Height()), Last ? True : False);
    } else {
      XPutImage(FTarget.Dpy, Window, FTarget.Gc, FImage, R.Left, R.Top, R.Left, R.Top,
                unsigned(R.Width()), unsigned(R.Height()));
    }
  }
  if (FShm) FPutPending = true;
  XFlush(FTarget.Dpy);
}

bool TX11BackBuffer::CompletionArrived(const XEvent& Event) {
  if (!FShm || Event.type != FTarget.ShmCompletionEvent) return false;
  if (reinterpret_cast<const XShmCompletionEvent&>(Event).shmseg != FSegment.shmseg) return false;
  FPutPending = false;
  return true;
}

}  // namespace x11
