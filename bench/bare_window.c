/* The floor of the start-up benchmark (bench/startup.sh): the least an X
 * program can do to put a window of the search bar's size on the screen.
 * It opens the display, maps a 500x35 window at 20,20, fills it once when
 * it is exposed and then waits until it is ended. No fonts, no toolkit, no
 * C++: whatever the search bar costs beyond this is its own.
 *
 * Like the search bar with SCOUTLANE_REPORT_FIRST_FRAME=1, it prints
 * "first-frame ms=<since the process started>" on standard error once the
 * server has the filled window, so the probe times both the same way.
 *
 *   cc -O2 -o bare_window bench/bare_window.c -lX11
 */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

/* Milliseconds since the kernel started this process (field 22 of
 * /proc/self/stat, in clock ticks since boot). */
static long MillisecondsSinceStart(void) {
  char Line[1024];
  FILE* Stat = fopen("/proc/self/stat", "r");
  if (!Stat) return -1;
  const size_t Got = fread(Line, 1, sizeof(Line) - 1, Stat);
  fclose(Stat);
  Line[Got] = 0;
  const char* Field = strrchr(Line, ')');
  if (!Field) return -1;
  ++Field;
  unsigned long long StartTicks = 0;
  for (int Index = 3; Index <= 22; ++Index) {
    while (*Field == ' ') ++Field;
    if (!*Field) return -1;
    if (Index == 22) StartTicks = strtoull(Field, NULL, 10);
    while (*Field && *Field != ' ') ++Field;
  }
  struct timespec Boot;
  clock_gettime(CLOCK_BOOTTIME, &Boot);
  const long Ticks = sysconf(_SC_CLK_TCK);
  if (Ticks <= 0) return -1;
  const long long NowMs = (long long)Boot.tv_sec * 1000 + Boot.tv_nsec / 1000000;
  return (long)(NowMs - (long long)(StartTicks * 1000ull / (unsigned long long)Ticks));
}

int main(void) {
  Display* Dpy = XOpenDisplay(NULL);
  if (!Dpy) {
    fputs("bare_window: cannot open the display\n", stderr);
    return 1;
  }
  const int Screen = DefaultScreen(Dpy);
  XSetWindowAttributes Attributes;
  memset(&Attributes, 0, sizeof(Attributes));
  Attributes.event_mask = ExposureMask;
  const Window W = XCreateWindow(Dpy, RootWindow(Dpy, Screen), 20, 20, 500, 35, 0, CopyFromParent,
                                 InputOutput, CopyFromParent, CWEventMask, &Attributes);
  XStoreName(Dpy, W, "bare_window");
  const GC Gc = XCreateGC(Dpy, W, 0, NULL);
  XSetForeground(Dpy, Gc, 0x3a6ea5);
  XMapWindow(Dpy, W);
  int Reported = 0;
  for (;;) {
    XEvent E;
    XNextEvent(Dpy, &E);
    if (E.type != Expose || E.xexpose.count != 0) continue;
    XFillRectangle(Dpy, W, Gc, 0, 0, 500, 35);
    if (!Reported) {
      /* The pixels are only on the screen once the server has handled
       * the fill. */
      XSync(Dpy, False);
      fprintf(stderr, "first-frame ms=%ld\n", MillisecondsSinceStart());
      fflush(stderr);
      Reported = 1;
    }
  }
}
