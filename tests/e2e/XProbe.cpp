// What the end-to-end tests and the start-up benchmark ask the X server
// directly, where xdotool and xprop have no command for it:
//
//   scoutlane_xprobe pixel X Y [X Y ...]   the screen's colour at each point, RRGGBB
//   scoutlane_xprobe geometry WINDOW       the window's area on the screen: X Y W H
//   scoutlane_xprobe override WINDOW       1 when override-redirect, else 0
//   scoutlane_xprobe delete WINDOW         sends WM_DELETE_WINDOW, as a manager's close does
//   scoutlane_xprobe hog-clipboard SECONDS takes the CLIPBOARD and then answers no
//                                          request for that long (a hung owner)
//   scoutlane_xprobe pointer-grab          "grabbed" when another client holds the
//                                          pointer grabbed, else "free"
//   scoutlane_xprobe other-window X Y W H SECONDS
//                                          another program's window there, for that
//                                          long: prints "window <id>" once it is
//                                          mapped, then "press <x> <y>" for every
//                                          button press it gets
//   scoutlane_xprobe grab-key SECONDS     holds Ctrl+Alt+Space grabbed on the root
//                                          window for that long, as another
//                                          program's summon key: prints "grabbed"
//                                          once it holds it ("refused" when it
//                                          cannot)
//   scoutlane_xprobe map-keys TEXT         gives each character of TEXT (UTF-8) that
//                                          no key types a spare key of its own, so
//                                          that xdotool types it without changing
//                                          the keyboard map under the program's feet
//   scoutlane_xprobe bells SECONDS         listens for bells (XBell by any client)
//                                          for that long: prints "ready" once it
//                                          listens and "bell" for every one
//   scoutlane_xprobe launch CMD [ARG...]   starts CMD and reports, as key=value lines:
//       mapped_ms      from the start to the first top-level window mapped
//       frame_ms       to the program's "first-frame" line on standard error
//                      (when it prints one within the wait)
//       reported_ms    the milliseconds since its start that line reports
//       vmrss_kb vmhwm_kb  its resident memory then (and the peak)
//       rssanon_kb     the part of it that is the program's own memory, not
//                      pages of files (libraries, fonts) that others share
//     and ends CMD with SIGTERM.
//   scoutlane_xprobe launch --steps SCRIPT CMD [ARG...]
//       the same, and before ending CMD runs `bash SCRIPT` with PROBE_CHILD_PID
//       naming it; the script drives the program and prints key=value lines
//       of its own (memory after a search, say)
//   scoutlane_xprobe launch --pixel X Y RRGGBB CMD [ARG...]
//       the same, but the first frame is the moment the screen shows that
//       colour at X,Y (for programs that report no frame, such as the
//       Windows build under Wine); frame_ms is then that moment

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

int Fail(const char* What) {
  std::fprintf(stderr, "scoutlane_xprobe: %s\n", What);
  return 2;
}

unsigned Channel(unsigned long Pixel, unsigned long Mask) {
  if (!Mask) return 0;
  int Shift = 0;
  while (!((Mask >> Shift) & 1)) ++Shift;
  const unsigned long Max = Mask >> Shift;
  return unsigned(((Pixel & Mask) >> Shift) * 255 / Max);
}

int Pixels(Display* D, int Count, char** Args) {
  const Window Root = DefaultRootWindow(D);
  Visual* V = DefaultVisual(D, DefaultScreen(D));
  for (int I = 0; I + 1 < Count; I += 2) {
    XImage* Image =
        XGetImage(D, Root, std::atoi(Args[I]), std::atoi(Args[I + 1]), 1, 1, AllPlanes, ZPixmap);
    if (!Image) return Fail("cannot read the screen there");
    const unsigned long P = XGetPixel(Image, 0, 0);
    std::printf("%02X%02X%02X\n", Channel(P, V->red_mask), Channel(P, V->green_mask),
                Channel(P, V->blue_mask));
    XDestroyImage(Image);
  }
  return 0;
}

int Geometry(Display* D, Window W) {
  XWindowAttributes A;
  if (!XGetWindowAttributes(D, W, &A)) return Fail("no such window");
  int X = 0, Y = 0;
  Window Child;
  XTranslateCoordinates(D, W, A.root, 0, 0, &X, &Y, &Child);
  std::printf("%d %d %d %d\n", X, Y, A.width, A.height);
  return 0;
}

int Override(Display* D, Window W) {
  XWindowAttributes A;
  if (!XGetWindowAttributes(D, W, &A)) return Fail("no such window");
  std::printf("%d\n", A.override_redirect ? 1 : 0);
  return 0;
}

int Delete(Display* D, Window W) {
  XEvent E{};
  E.xclient.type = ClientMessage;
  E.xclient.window = W;
  E.xclient.message_type = XInternAtom(D, "WM_PROTOCOLS", False);
  E.xclient.format = 32;
  E.xclient.data.l[0] = long(XInternAtom(D, "WM_DELETE_WINDOW", False));
  E.xclient.data.l[1] = CurrentTime;
  XSendEvent(D, W, False, NoEventMask, &E);
  XSync(D, False);
  return 0;
}

// The X server tells XKB clients of every bell, sounded or not (Xvfb has no
// speaker): a program's beep can be counted.
int Bells(Display* D, int Seconds) {
  int Opcode = 0, Event = 0, Error = 0, Major = XkbMajorVersion, Minor = XkbMinorVersion;
  if (!XkbQueryExtension(D, &Opcode, &Event, &Error, &Major, &Minor)) return Fail("no XKB");
  if (!XkbSelectEvents(D, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask))
    return Fail("cannot listen for bells");
  XSync(D, False);
  std::printf("ready\n");
  std::fflush(stdout);
  const auto End = std::chrono::steady_clock::now() + std::chrono::seconds(Seconds);
  while (std::chrono::steady_clock::now() < End) {
    while (XPending(D) > 0) {
      XEvent E;
      XNextEvent(D, &E);
      if (E.type == Event && reinterpret_cast<XkbAnyEvent&>(E).xkb_type == XkbBellNotify) {
        std::printf("bell\n");
        std::fflush(stdout);
      }
    }
    pollfd P{ConnectionNumber(D), POLLIN, 0};
    poll(&P, 1, 50);
  }
  return 0;
}

int HogClipboard(Display* D, int Seconds) {
  const Window W = XCreateSimpleWindow(D, DefaultRootWindow(D), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(D, XInternAtom(D, "CLIPBOARD", False), W, CurrentTime);
  XSync(D, False);
  std::printf("owned\n");
  std::fflush(stdout);
  sleep(unsigned(Seconds));  // requests pile up unanswered
  return 0;
}

int PointerGrab(Display* D) {
  // Trying a grab of our own is the one way X tells whether another
  // client holds one; a successful try is given back at once.
  const int Result = XGrabPointer(D, DefaultRootWindow(D), False, ButtonPressMask, GrabModeAsync,
                                  GrabModeAsync, None, None, CurrentTime);
  if (Result == GrabSuccess) XUngrabPointer(D, CurrentTime);
  XSync(D, False);
  std::printf("%s\n", Result == AlreadyGrabbed || Result == GrabFrozen ? "grabbed" : "free");
  return 0;
}

// The keysym of a Unicode character: Latin-1 as itself, the rest in the
// Unicode keysym range.
KeySym KeysymOf(unsigned long CodePoint) {
  return CodePoint < 0x100 ? KeySym(CodePoint) : KeySym(0x1000000 + CodePoint);
}

int MapKeys(Display* D, const char* Utf8) {
  int Min = 0, Max = 0;
  XDisplayKeycodes(D, &Min, &Max);
  int PerCode = 0;
  KeySym* Map = XGetKeyboardMapping(D, KeyCode(Min), Max - Min + 1, &PerCode);
  if (!Map) return Fail("cannot read the keyboard map");
  auto Typed = [&](KeySym Sym) {
    for (int I = 0; I < (Max - Min + 1) * PerCode; ++I)
      if (Map[I] == Sym) return true;
    return false;
  };
  auto Spare = [&](int Code) {
    for (int J = 0; J < PerCode; ++J)
      if (Map[(Code - Min) * PerCode + J] != NoSymbol) return false;
    return true;
  };
  int Code = Max;
  const auto* P = reinterpret_cast<const unsigned char*>(Utf8);
  while (*P) {
    unsigned long C = *P;
    int More = C >= 0xF0 ? 3 : C >= 0xE0 ? 2 : C >= 0xC0 ? 1 : 0;
    if (More) C &= 0x3F >> More;
    ++P;
    for (; More > 0 && (*P & 0xC0) == 0x80; --More, ++P) C = (C << 6) | (*P & 0x3F);
    const KeySym Sym = KeysymOf(C);
    if (Typed(Sym)) continue;
    while (Code >= Min && !Spare(Code)) --Code;
    if (Code < Min) {
      XFree(Map);
      return Fail("no spare key left");
    }
    KeySym Both[2] = {Sym, Sym};
    XChangeKeyboardMapping(D, Code, 2, Both, 1);
    for (int J = 0; J < PerCode; ++J) Map[(Code - Min) * PerCode + J] = Sym;
  }
  XFree(Map);
  XSync(D, False);
  return 0;
}

int OtherWindow(Display* D, int X, int Y, int W, int H, int Seconds) {
  const Window Root = DefaultRootWindow(D);
  const Window Win = XCreateSimpleWindow(D, Root, X, Y, unsigned(W), unsigned(H), 0, 0,
                                         WhitePixel(D, DefaultScreen(D)));
  XSizeHints Hints{};
  Hints.flags = USPosition | USSize;
  Hints.x = X;
  Hints.y = Y;
  Hints.width = W;
  Hints.height = H;
  XSetWMNormalHints(D, Win, &Hints);
  XSelectInput(D, Win, ButtonPressMask | StructureNotifyMask);
  XMapWindow(D, Win);
  const auto Start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - Start < std::chrono::seconds(Seconds)) {
    while (XPending(D)) {
      XEvent E;
      XNextEvent(D, &E);
      if (E.type == MapNotify)
        std::printf("window %lu\n", static_cast<unsigned long>(Win));
      else if (E.type == ButtonPress)
        std::printf("press %d %d\n", E.xbutton.x, E.xbutton.y);
      std::fflush(stdout);
    }
    pollfd P{ConnectionNumber(D), POLLIN, 0};
    poll(&P, 1, 50);
  }
  return 0;
}

int ProbeErrorCode = 0;
int NoteProbeError(Display*, XErrorEvent* Event) {
  if (!ProbeErrorCode) ProbeErrorCode = Event->error_code;
  return 0;
}

int GrabKey(Display* D, int Seconds) {
  const Window Root = DefaultRootWindow(D);
  const KeyCode Space = XKeysymToKeycode(D, XK_space);
  XSetErrorHandler(NoteProbeError);
  XGrabKey(D, Space, ControlMask | Mod1Mask, Root, False, GrabModeAsync, GrabModeAsync);
  XSync(D, False);
  std::printf(ProbeErrorCode ? "refused\n" : "grabbed\n");
  std::fflush(stdout);
  if (ProbeErrorCode) return 1;
  const auto Start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - Start < std::chrono::seconds(Seconds)) {
    while (XPending(D)) {
      XEvent E;
      XNextEvent(D, &E);
    }
    pollfd P{ConnectionNumber(D), POLLIN, 0};
    poll(&P, 1, 50);
  }
  return 0;
}

double MillisecondsSince(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start)
      .count();
}

long StatusField(pid_t Pid, const char* Name) {
  std::ifstream File("/proc/" + std::to_string(Pid) + "/status");
  std::string Line;
  const std::size_t Length = std::strlen(Name);
  while (std::getline(File, Line))
    if (Line.compare(0, Length, Name) == 0 && Line.size() > Length && Line[Length] == ':')
      return std::atol(Line.c_str() + Length + 1);
  return -1;
}

// Runs `bash Script` with PROBE_CHILD_PID=Child and waits for it.
void RunSteps(const char* Script, pid_t Child) {
  std::fflush(stdout);
  const pid_t Steps = fork();
  if (Steps < 0) return;
  if (Steps == 0) {
    setenv("PROBE_CHILD_PID", std::to_string(Child).c_str(), 1);
    execlp("bash", "bash", Script, static_cast<char*>(nullptr));
    _exit(127);
  }
  int StepsExit = 0;
  waitpid(Steps, &StepsExit, 0);
}

// The screen's colour at X,Y as RRGGBB, as Pixels prints it.
unsigned long ScreenColour(Display* D, int X, int Y) {
  Visual* V = DefaultVisual(D, DefaultScreen(D));
  XImage* Image = XGetImage(D, DefaultRootWindow(D), X, Y, 1, 1, AllPlanes, ZPixmap);
  if (!Image) return ~0UL;
  const unsigned long P = XGetPixel(Image, 0, 0);
  XDestroyImage(Image);
  return (Channel(P, V->red_mask) << 16) | (Channel(P, V->green_mask) << 8) |
         Channel(P, V->blue_mask);
}

int Launch(Display* D, char** Command) {
  const char* Steps = nullptr;
  if (std::strcmp(Command[0], "--steps") == 0 && Command[1] && Command[2]) {
    Steps = Command[1];
    Command += 2;
  }
  bool WatchPixel = false;
  int PixelX = 0, PixelY = 0;
  unsigned long PixelColour = 0;
  if (std::strcmp(Command[0], "--pixel") == 0 && Command[1] && Command[2] && Command[3] &&
      Command[4]) {
    WatchPixel = true;
    PixelX = std::atoi(Command[1]);
    PixelY = std::atoi(Command[2]);
    PixelColour = std::strtoul(Command[3], nullptr, 16);
    Command += 4;
  }
  const Window Root = DefaultRootWindow(D);
  XSelectInput(D, Root, SubstructureNotifyMask);
  XSync(D, False);
  int Err[2];
  if (pipe(Err) != 0) return Fail("no pipe");
  const auto Start = std::chrono::steady_clock::now();
  const pid_t Child = fork();
  if (Child < 0) return Fail("cannot fork");
  if (Child == 0) {
    dup2(Err[1], STDERR_FILENO);
    close(Err[0]);
    close(Err[1]);
    execvp(Command[0], Command);
    _exit(127);
  }
  close(Err[1]);
  fcntl(Err[0], F_SETFL, O_NONBLOCK);
  double Mapped = -1, Frame = -1;
  std::string Stderr;
  // Up to 10 seconds for the window, and for the first frame after it.
  while (MillisecondsSince(Start) < 10000 && (Mapped < 0 || Frame < 0)) {
    while (XPending(D)) {
      XEvent E;
      XNextEvent(D, &E);
      if (E.type == MapNotify && E.xmap.event == Root && Mapped < 0)
        Mapped = MillisecondsSince(Start);
    }
    char Buffer[512];
    ssize_t Got;
    while ((Got = read(Err[0], Buffer, sizeof(Buffer))) > 0) {
      Stderr.append(Buffer, std::size_t(Got));
      if (!WatchPixel && Frame < 0 && Stderr.find("first-frame") != std::string::npos)
        Frame = MillisecondsSince(Start);
    }
    if (WatchPixel) {
      if (Frame < 0 && ScreenColour(D, PixelX, PixelY) == PixelColour)
        Frame = MillisecondsSince(Start);
    } else if (Mapped >= 0 && Frame < 0 && MillisecondsSince(Start) > Mapped + 2000) {
      // A program that reports no frame is done once its window is up.
      break;
    }
    pollfd P[2] = {{ConnectionNumber(D), POLLIN, 0}, {Err[0], POLLIN, 0}};
    // The screen is read every millisecond while a pixel is awaited.
    poll(P, 2, WatchPixel ? 1 : 20);
  }
  // Let the program settle on what the first frame cost it.
  usleep(200 * 1000);
  std::printf("mapped_ms=%.1f\n", Mapped);
  std::printf("frame_ms=%.1f\n", Frame);
  const std::size_t Reported = Stderr.find("first-frame ms=");
  std::printf("reported_ms=%ld\n",
              Reported == std::string::npos ? -1L : std::atol(Stderr.c_str() + Reported + 15));
  std::printf("vmrss_kb=%ld\n", StatusField(Child, "VmRSS"));
  std::printf("vmhwm_kb=%ld\n", StatusField(Child, "VmHWM"));
  std::printf("rssanon_kb=%ld\n", StatusField(Child, "RssAnon"));
  if (Steps && Mapped >= 0) RunSteps(Steps, Child);
  kill(Child, SIGTERM);
  int ExitStatus = 0;
  waitpid(Child, &ExitStatus, 0);
  close(Err[0]);
  return Mapped >= 0 ? 0 : 1;
}

}  // namespace

int main(int Argc, char** Argv) {
  if (Argc < 2)
    return Fail(
        "usage: scoutlane_xprobe pixel|geometry|override|delete|hog-clipboard|pointer-grab|launch "
        "...");
  Display* D = XOpenDisplay(nullptr);
  if (!D) return Fail("cannot open the display");
  const std::string Command = Argv[1];
  int Result;
  if (Command == "pixel" && Argc >= 4)
    Result = Pixels(D, Argc - 2, Argv + 2);
  else if (Command == "geometry" && Argc == 3)
    Result = Geometry(D, Window(std::strtoul(Argv[2], nullptr, 0)));
  else if (Command == "override" && Argc == 3)
    Result = Override(D, Window(std::strtoul(Argv[2], nullptr, 0)));
  else if (Command == "delete" && Argc == 3)
    Result = Delete(D, Window(std::strtoul(Argv[2], nullptr, 0)));
  else if (Command == "hog-clipboard" && Argc == 3)
    Result = HogClipboard(D, std::atoi(Argv[2]));
  else if (Command == "pointer-grab" && Argc == 2)
    Result = PointerGrab(D);
  else if (Command == "other-window" && Argc == 7)
    Result = OtherWindow(D, std::atoi(Argv[2]), std::atoi(Argv[3]), std::atoi(Argv[4]),
                         std::atoi(Argv[5]), std::atoi(Argv[6]));
  else if (Command == "grab-key" && Argc == 3)
    Result = GrabKey(D, std::atoi(Argv[2]));
  else if (Command == "map-keys" && Argc == 3)
    Result = MapKeys(D, Argv[2]);
  else if (Command == "bells" && Argc == 3)
    Result = Bells(D, std::atoi(Argv[2]));
  else if (Command == "launch" && Argc >= 3)
    Result = Launch(D, Argv + 2);
  else
    Result = Fail("unknown command or wrong arguments");
  XCloseDisplay(D);
  return Result;
}
