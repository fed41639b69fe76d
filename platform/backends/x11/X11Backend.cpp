// The X11 backend: the connection, the native windows (creating, showing,
// moving, stacking, focusing) and presenting.

#include "platform/backends/x11/X11Backend.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/XShm.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/backends/x11/X11Icon.h"
#include "platform/backends/x11/X11Resources.h"
#include "platform/files/FileBytes.h"

using namespace x11;

namespace {

// _NET_WM_STATE client message actions.
constexpr long kStateRemove = 0;
constexpr long kStateAdd = 1;
// _NET_ACTIVE_WINDOW source indication: a request of the application.
constexpr long kSourceApplication = 1;

// A window without a manager's frame is a pop-up: a list, a menu, a hint.
// It is override-redirect whether or not the window system marked it as
// never activated, since a manager that focuses new windows would otherwise
// take the focus from the main window for a tooltip. The keyboard needs no
// X focus on it: keys reach the window system through the managed window
// that keeps the focus, and it routes them to its own focus window.
bool IsPopUp(const TNativeWindowParams& Params) { return !Params.Decorated; }

const char* ProgramShortName() {
  return program_invocation_short_name && *program_invocation_short_name
             ? program_invocation_short_name
             : "scoutlane";
}

// Milliseconds since this process started, as the kernel counts them (to
// the kernel's clock tick, 10 ms on most systems).
long MillisecondsSinceProcessStart() {
  const std::optional<std::string> Line = files::ReadFileBytes("/proc/self/stat");
  if (!Line) return -1;
  // The command name may hold spaces; fields are counted after its ')'.
  const std::size_t Close = Line->rfind(')');
  if (Close == std::string::npos) return -1;
  const char* Field = Line->c_str() + Close + 1;
  unsigned long long StartTicks = 0;
  // Field 3 (state) is the first after the name; start time is field 22.
  for (int Index = 3; Index <= 22; ++Index) {
    while (*Field == ' ') ++Field;
    if (!*Field) return -1;
    if (Index == 22) StartTicks = std::strtoull(Field, nullptr, 10);
    while (*Field && *Field != ' ') ++Field;
  }
  timespec Boot{};
  clock_gettime(CLOCK_BOOTTIME, &Boot);
  const long Ticks = sysconf(_SC_CLK_TCK);
  if (Ticks <= 0) return -1;
  const long long NowMs = (long long)Boot.tv_sec * 1000 + Boot.tv_nsec / 1000000;
  const long long StartMs = (long long)(StartTicks * 1000ull / (unsigned long long)Ticks);
  return long(NowMs - StartMs);
}

}  // namespace

// The input method needs the user's locale for its character set; a
// process still in the "C" locale gets the environment's, or C.UTF-8 when
// the environment names none that X supports.
void TX11Backend::ChooseInputLocale() {
  if (FInputLocaleChosen) return;
  FInputLocaleChosen = true;
  const char* Current = std::setlocale(LC_CTYPE, nullptr);
  if (Current && std::strcmp(Current, "C") != 0 && std::strcmp(Current, "POSIX") != 0) return;
  const char* FromEnvironment = std::setlocale(LC_CTYPE, "");
  const bool Plain = !FromEnvironment || std::strcmp(FromEnvironment, "C") == 0 ||
                     std::strcmp(FromEnvironment, "POSIX") == 0;
  if (!Plain && XSupportsLocale()) return;
  if (std::setlocale(LC_CTYPE, "C.UTF-8") && XSupportsLocale()) return;
  std::setlocale(LC_CTYPE, "C");
}

// ---- the beep

void TX11Backend::TBellBeeper::Beep(unsigned Type) {
  XBell(FDpy, 0);
  XFlush(FDpy);
}

// ---- life cycle

std::unique_ptr<TX11Backend> TX11Backend::Open(const char* DisplayName) {
  Display* Dpy = XOpenDisplay(DisplayName);
  if (!Dpy) return nullptr;
  return std::unique_ptr<TX11Backend>(new TX11Backend(Dpy));
}

TX11Backend::TX11Backend(Display* Dpy)
    : FDpy(Dpy),
      FPreviousErrorHandler(InstallErrorHandler()),
      FScreen(DefaultScreen(Dpy)),
      FRoot(RootWindow(Dpy, DefaultScreen(Dpy))),
      FBeeper(Dpy) {
  // The program starts other programs (the browser); they must not keep
  // our connection to the server open.
  fcntl(ConnectionNumber(FDpy), F_SETFD, fcntl(ConnectionNumber(FDpy), F_GETFD) | FD_CLOEXEC);
  FAtoms.Intern(FDpy, FScreen);
  SelectVisual();
  // The desktop's scale, and its changes: xrdb and the desktops' settings
  // daemons rewrite the root window's resource database.
  XSelectInput(FDpy, FRoot, PropertyChangeMask);
  ReadDesktopScale();

  // Asked quietly first: the MIT-SHM calls complain on standard error when
  // the server lacks the extension.
  int Opcode = 0, FirstEvent = 0, FirstError = 0;
  int Major = 0, Minor = 0;
  Bool SharedPixmaps = False;
  if (XQueryExtension(FDpy, "MIT-SHM", &Opcode, &FirstEvent, &FirstError) &&
      XShmQueryVersion(FDpy, &Major, &Minor, &SharedPixmaps)) {
    FImageTarget.ShmUsable = true;
    FImageTarget.ShmCompletionEvent = XShmGetEventBase(FDpy) + ShmCompletion;
  }

  // The helper window owns our selections and receives what we ask other
  // programs for; its property changes also tell the server's time.
  XSetWindowAttributes Helper{};
  Helper.event_mask = PropertyChangeMask;
  FHelper = XCreateWindow(FDpy, FRoot, -10, -10, 1, 1, 0, 0, InputOnly, CopyFromParent, CWEventMask,
                          &Helper);

  // Without this, X reports an auto-repeated key as a release and a press.
  Bool Detectable = False;
  FDetectableRepeat = XkbSetDetectableAutoRepeat(FDpy, True, &Detectable) && Detectable;
  RefreshModifierMasks();
  XAddConnectionWatch(FDpy, WatchConnection, reinterpret_cast<XPointer>(this));

  // The input method is opened once the first frame is on the screen
  // (Present): Xlib's own parses the locale's whole Compose table, which
  // took four fifths of the start-up's work, and nothing can be typed into a
  // window that is not shown yet. Keys that come before it wait in the queue
  // and reach the input method, which sees every event before we do. Its
  // locale is chosen then too (OpenInputMethod): asking Xlib whether it
  // supports a locale reads its locale tables, a sixth of the work before
  // the first frame, and nothing else here depends on the locale.

  FIconData = NetWmIconData(LoadIconImages(ProgramIconNames()));
  const char* Report = std::getenv("SCOUTLANE_REPORT_FIRST_FRAME");
  FReportFirstFrame = Report && std::strcmp(Report, "1") == 0;
  FBeeperGuard = std::make_unique<TBeeperGuard>(FBeeper);
}

TX11Backend::~TX11Backend() {
  FBeeperGuard.reset();
  while (!FWindows.empty()) DestroyNativeWindow(FWindows.begin()->first);
  CloseInputMethod();
  if (FFontSet) XFreeFontSet(FDpy, FFontSet);
  for (const auto& [Shape, C] : FCursors) XFreeCursor(FDpy, C);
  if (FHelper) XDestroyWindow(FDpy, FHelper);
  if (FImageTarget.Gc) XFreeGC(FDpy, FImageTarget.Gc);
  if (FColormap) XFreeColormap(FDpy, FColormap);
  XRemoveConnectionWatch(FDpy, WatchConnection, reinterpret_cast<XPointer>(this));
  XCloseDisplay(FDpy);
  RestoreErrorHandler(FPreviousErrorHandler);
}

bool TX11Backend::ReadDesktopScale() {
  std::string Database;
  Atom Type = None;
  int Format = 0;
  unsigned long Count = 0, After = 0;
  unsigned char* Data = nullptr;
  if (XGetWindowProperty(FDpy, FRoot, XA_RESOURCE_MANAGER, 0, 1 << 20, False, XA_STRING, &Type,
                         &Format, &Count, &After, &Data) == Success &&
      Data) {
    if (Type == XA_STRING && Format == 8) Database.assign(reinterpret_cast<char*>(Data), Count);
    XFree(Data);
  }
  std::string Complaint;
  const double Dpi = XftDpiFromResources(Database, Complaint);
  // Said once, not at every change of an unrelated resource.
  if (!Complaint.empty() && Complaint != FDpiComplaint)
    std::fprintf(stderr, "Scoutlane: %s\n", Complaint.c_str());
  FDpiComplaint = Complaint;
  if (Dpi == FPixelsPerInch) return false;
  FPixelsPerInch = Dpi;
  return true;
}

void TX11Backend::SelectVisual() {
  Visual* Default = DefaultVisual(FDpy, FScreen);
  FImageTarget.Dpy = FDpy;
  FImageTarget.Vis = Default;
  FImageTarget.Depth = DefaultDepth(FDpy, FScreen);
  Drawable GcTarget = FRoot;
  Pixmap Scratch = 0;
  if (Default->c_class != TrueColor) {
    // Our pixels are direct RGB; a palette visual would need colour
    // allocation for every pixel, so use a TrueColor visual if the server
    // has one, with a colormap of its own.
    XVisualInfo Info;
    if (XMatchVisualInfo(FDpy, FScreen, 24, TrueColor, &Info) ||
        XMatchVisualInfo(FDpy, FScreen, 16, TrueColor, &Info)) {
      FImageTarget.Vis = Info.visual;
      FImageTarget.Depth = Info.depth;
      FColormap = XCreateColormap(FDpy, FRoot, Info.visual, AllocNone);
      Scratch = XCreatePixmap(FDpy, FRoot, 1, 1, unsigned(Info.depth));
      GcTarget = Scratch;
    }
  }
  XGCValues Values{};
  Values.graphics_exposures = False;
  FImageTarget.Gc = XCreateGC(FDpy, GcTarget, GCGraphicsExposures, &Values);
  if (Scratch) XFreePixmap(FDpy, Scratch);
}

int TX11Backend::ScreenWidth() const { return DisplayWidth(FDpy, FScreen); }

int TX11Backend::ScreenHeight() const { return DisplayHeight(FDpy, FScreen); }

std::uint32_t TX11Backend::Now() const {
  return std::uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now().time_since_epoch())
                           .count());
}

TX11Backend::TNative* TX11Backend::Find(Window Id) const {
  auto It = FWindows.find(Id);
  return It == FWindows.end() ? nullptr : It->second.get();
}

bool TX11Backend::HasWindowManager() const {
  // An ICCCM window manager owns WM_S<screen> while it runs.
  return XGetSelectionOwner(FDpy, FAtoms.WindowManagerSelection) != None;
}

// ---- windows

TNativeWindow TX11Backend::CreateNativeWindow(const TNativeWindowParams& Params) {
  auto Owned = std::make_unique<TNative>();
  TNative& N = *Owned;
  N.Params = Params;
  N.OverrideRedirect = IsPopUp(Params);
  N.EventMask = ExposureMask | StructureNotifyMask | FocusChangeMask | KeyPressMask |
                KeyReleaseMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                EnterWindowMask | LeaveWindowMask;

  XSetWindowAttributes A{};
  unsigned long Mask =
      CWBackPixmap | CWBorderPixel | CWBitGravity | CWOverrideRedirect | CWSaveUnder | CWEventMask;
  // No background: the back buffer covers every pixel, and a server-side
  // fill before each present would only flicker.
  A.background_pixmap = None;
  A.border_pixel = 0;
  A.bit_gravity = NorthWestGravity;
  A.override_redirect = N.OverrideRedirect ? True : False;
  // Pop-ups come and go over other windows: let the server keep what they
  // cover, so closing one repaints nothing underneath when it can.
  A.save_under = N.OverrideRedirect ? True : False;
  A.event_mask = N.EventMask;
  if (FColormap) {
    A.colormap = FColormap;
    Mask |= CWColormap;
  }
  N.Requested = WindowGeometry(Params.ScreenRect);
  N.Id = XCreateWindow(FDpy, FRoot, N.Requested.X, N.Requested.Y, N.Requested.Width,
                       N.Requested.Height, 0, FImageTarget.Depth, InputOutput, FImageTarget.Vis,
                       Mask, &A);
  if (!N.Id) return 0;

  Atom Protocols[] = {FAtoms.WmDeleteWindow, FAtoms.NetWmPing};
  XSetWMProtocols(FDpy, N.Id, Protocols, 2);
  XClassHint Class;
  Class.res_name = const_cast<char*>(ProgramShortName());
  Class.res_class = const_cast<char*>("Scoutlane");
  XSetClassHint(FDpy, N.Id, &Class);
  char Host[256] = {};
  if (gethostname(Host, sizeof(Host) - 1) == 0) {
    XTextProperty Machine;
    char* List[] = {Host};
    if (XStringListToTextProperty(List, 1, &Machine)) {
      XSetWMClientMachine(FDpy, N.Id, &Machine);
      XFree(Machine.value);
    }
    const unsigned long Pid = static_cast<unsigned long>(getpid());
    XChangeProperty(FDpy, N.Id, FAtoms.NetWmPid, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&Pid), 1);
  }
  ApplyName(N);
  ApplyHints(N);
  ApplyWindowType(N);
  ApplyStateProperty(N);
  ApplyIcon(N);
  XDefineCursor(FDpy, N.Id, CursorFor(crsArrow));
  N.Buffer = std::make_unique<TX11BackBuffer>(FImageTarget);
  CreateInputContext(N);
  const Window Id = N.Id;
  FWindows[Id] = std::move(Owned);
  return TNativeWindow(Id);
}

void TX11Backend::DestroyNativeWindow(TNativeWindow Window) {
  TNative* N = Find(::Window(Window));
  if (!N) return;
  DestroyInputContext(*N);
  N->Buffer.reset();
  PointerGrabWindowGone(N->Id, true);
  XDestroyWindow(FDpy, N->Id);
  if (FPointerWindow == N->Id) FPointerWindow = 0;
  FWindows.erase(N->Id);
  XFlush(FDpy);
  FHeapToTrim = true;
}

void TX11Backend::UpdateNativeWindow(TNativeWindow Window, const TNativeWindowParams& Params) {
  TNative* N = Find(::Window(Window));
  if (!N) return;
  const TNativeWindowParams Old = N->Params;
  N->Params = Params;
  // The position is the core's; SetNativeBounds follows with it when it
  // moved, and MoveResize ignores a request for where the window is.
  if (Old.Title != Params.Title) ApplyName(*N);

  const bool OverrideRedirect = IsPopUp(Params);
  if (OverrideRedirect != N->OverrideRedirect) {
    // The server takes this attribute only for an unmapped window.
    const bool WasMapped = N->MapRequested;
    if (WasMapped) {
      XUnmapWindow(FDpy, N->Id);
      N->MapRequested = N->Mapped = false;
    }
    XSetWindowAttributes A{};
    A.override_redirect = OverrideRedirect ? True : False;
    A.save_under = A.override_redirect;
    XChangeWindowAttributes(FDpy, N->Id, CWOverrideRedirect | CWSaveUnder, &A);
    N->OverrideRedirect = OverrideRedirect;
    if (OverrideRedirect)
      DestroyInputContext(*N);
    else
      CreateInputContext(*N);
  }
  ApplyHints(*N);
  if (Old.ToolWindow != Params.ToolWindow || Old.Owner != Params.Owner ||
      OverrideRedirect != IsPopUp(Old))
    ApplyWindowType(*N);
  if (Old.Topmost != Params.Topmost || Old.ToolWindow != Params.ToolWindow) {
    if (N->Mapped && !N->OverrideRedirect && HasWindowManager()) {
      if (Old.Topmost != Params.Topmost)
        SendStateChange(*N, Params.Topmost ? kStateAdd : kStateRemove, FAtoms.NetWmStateAbove,
                        None);
      if (Old.ToolWindow != Params.ToolWindow)
        SendStateChange(*N, Params.ToolWindow ? kStateAdd : kStateRemove,
                        FAtoms.NetWmStateSkipTaskbar, FAtoms.NetWmStateSkipPager);
    } else {
      // Before mapping the manager reads the property; with no manager it
      // is ours to keep.
      ApplyStateProperty(*N);
      if (Params.Topmost && N->MapRequested) XRaiseWindow(FDpy, N->Id);
    }
  }
  MoveResize(*N, Params.ScreenRect);
  UpdateMapping(*N);
  XFlush(FDpy);
}

void TX11Backend::MoveResize(TNative& N, const TRect& R) {
  const TXGeometry G = WindowGeometry(R);
  if (G == N.Requested) return;
  const bool Resized = G.Width != N.Requested.Width || G.Height != N.Requested.Height;
  // A window the user may not resize has min = max size; they move first.
  if (Resized && !N.Params.Resizable) ApplyHints(N);
  N.ConfigureSerial = NextRequest(FDpy);
  XMoveResizeWindow(FDpy, N.Id, G.X, G.Y, G.Width, G.Height);
  N.Requested = G;
}

void TX11Backend::SetNativeBounds(TNativeWindow Window, const TRect& ScreenRect) {
  TNative* N = Find(::Window(Window));
  if (!N) return;
  N->Params.ScreenRect = ScreenRect;
  MoveResize(*N, ScreenRect);
  UpdateMapping(*N);
  XFlush(FDpy);
}

void TX11Backend::UpdateMapping(TNative& N) {
  // An empty window has nothing to show, and X has no empty windows.
  const bool Should = N.WantShown && !N.Params.ScreenRect.IsEmpty();
  if (Should && !N.MapRequested) {
    if (!N.OverrideRedirect) {
      // A withdrawn window's state is gone from the manager's side: say
      // again how it should come up, and where.
      ApplyStateProperty(N);
      ApplyHints(N);
    }
    if (N.OverrideRedirect)
      XMapRaised(FDpy, N.Id);
    else
      XMapWindow(FDpy, N.Id);
    N.MapRequested = true;
  } else if (!Should && N.MapRequested) {
    if (N.OverrideRedirect)
      XUnmapWindow(FDpy, N.Id);
    else
      XWithdrawWindow(FDpy, N.Id, FScreen);
    N.MapRequested = false;
    N.Mapped = false;
    N.ActivateOnMap = false;
  }
}

void TX11Backend::ShowNativeWindow(TNativeWindow Window, bool Show) {
  TNative* N = Find(::Window(Window));
  if (!N) return;
  N->WantShown = Show;
  UpdateMapping(*N);
  XFlush(FDpy);
}

void TX11Backend::FocusWindow(TNative& N) {
  if (N.OverrideRedirect || N.Params.NoActivate) return;
  if (HasWindowManager()) {
    XEvent E{};
    E.xclient.type = ClientMessage;
    E.xclient.window = N.Id;
    E.xclient.message_type = FAtoms.NetActiveWindow;
    E.xclient.format = 32;
    E.xclient.data.l[0] = kSourceApplication;
    E.xclient.data.l[1] = long(FLastTime);
    E.xclient.data.l[2] = 0;
    XSendEvent(FDpy, FRoot, False, SubstructureRedirectMask | SubstructureNotifyMask, &E);
  } else {
    // Nobody else gives the focus: take it. A window that is not viewable
    // yet refuses it (BadMatch), which the error handler ignores.
    XSetInputFocus(FDpy, N.Id, RevertToParent, CurrentTime);
  }
  XFlush(FDpy);
}

void TX11Backend::ActivateNativeWindow(TNativeWindow Window) {
  TNative* N = Find(::Window(Window));
  if (!N) return;
  if (N->Mapped)
    FocusWindow(*N);
  else
    N->ActivateOnMap = N->MapRequested || N->WantShown;
}

void TX11Backend::RestackNativeWindows(const std::vector<TNativeWindow>& TopToBottom) {
  std::vector<Window> Shown;
  for (TNativeWindow W : TopToBottom)
    if (TNative* N = Find(::Window(W)); N && N->MapRequested) Shown.push_back(N->Id);
  if (Shown.empty()) return;
  if (!HasWindowManager()) {
    // Ours go above everything else, in the window system's order.
    XRaiseWindow(FDpy, Shown.front());
    XRestackWindows(FDpy, Shown.data(), int(Shown.size()));
  } else {
    // The manager stacks managed windows (above-state, transients); the
    // pop-ups it does not see are raised here, the lowest first, so that
    // they end up in the window system's order above all of them.
    for (auto It = Shown.rbegin(); It != Shown.rend(); ++It)
      if (TNative* N = Find(*It); N->OverrideRedirect) XRaiseWindow(FDpy, N->Id);
  }
  XFlush(FDpy);
}

void TX11Backend::Present(TNativeWindow Window, const TSurface& Surface,
                          const std::vector<TRect>& Dirty) {
  TNative* N = Find(::Window(Window));
  // Drawing on an unmapped window is lost; the window's first Expose asks
  // for the whole of it again.
  if (!N || !N->Mapped) return;
  N->Buffer->Present(N->Id, Surface, Dirty);
  if (FReportFirstFrame) ReportFirstFrame();
  if (!FStartupMemoryReleased) {
    // The frame goes to the server before the input method is opened.
    XFlush(FDpy);
    OpenInputMethod();
    ReleaseStartupMemory();
  }
}

void TX11Backend::ReleaseStartupMemory() {
  FStartupMemoryReleased = true;
  // Starting parsed much that is not needed again: the font configuration,
  // the layouts and the Compose table. With the first frame sent, give the
  // heap they left back.
  XFlush(FDpy);
  malloc_trim(0);
}

void TX11Backend::ReleaseIdleMemory() {
  // After a window went, the free heap it left is given back going idle.
  if (FHeapToTrim) {
    FHeapToTrim = false;
    malloc_trim(0);
  }
}

void TX11Backend::ReportFirstFrame() {
  FReportFirstFrame = false;
  // The pixels are only on the screen once the server has handled the put.
  XSync(FDpy, False);
  timespec Mono{};
  clock_gettime(CLOCK_MONOTONIC, &Mono);
  std::fprintf(stderr, "first-frame ms=%ld monotonic_ns=%lld\n", MillisecondsSinceProcessStart(),
               (long long)Mono.tv_sec * 1000000000ll + Mono.tv_nsec);
  std::fflush(stderr);
}

bool TX11Backend::QueryPointer(TPoint& ScreenPos) {
  Window Root = None, Child = None;
  int RootX = 0, RootY = 0, WindowX = 0, WindowY = 0;
  unsigned Buttons = 0;
  // False when the pointer is on another screen of the display.
  if (!XQueryPointer(FDpy, FRoot, &Root, &Child, &RootX, &RootY, &WindowX, &WindowY, &Buttons))
    return false;
  ScreenPos = TPoint{RootX, RootY};
  return true;
}

void TX11Backend::WarpPointer(const TPoint& ScreenPos) {
  XWarpPointer(FDpy, None, FRoot, 0, 0, 0, 0, ClampCoord(ScreenPos.X), ClampCoord(ScreenPos.Y));
  XFlush(FDpy);
}
