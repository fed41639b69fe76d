// What the tests under Wine ask Windows itself, where the X server cannot
// tell: Wine draws a tool window's caption and frame into the window's X
// window, so the client area has no X window of its own.
//
//   scoutlane_winprobe windows TITLE
//       one line per visible top-level window titled TITLE, topmost first:
//       "X Y W H topmost|normal tool|app" with X Y W H its client area on
//       the screen
//
// It runs in the test's own Wine prefix (the same wineserver as the
// program), and exits 1 when no such window is visible.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct TSearch {
  std::wstring Title;
  std::vector<std::string> Lines;
};

BOOL CALLBACK Visit(HWND Window, LPARAM Param) {
  TSearch& Search = *reinterpret_cast<TSearch*>(Param);
  if (!IsWindowVisible(Window)) return TRUE;
  wchar_t Title[256];
  const int Length = GetWindowTextW(Window, Title, 256);
  if (Search.Title != std::wstring(Title, Length)) return TRUE;
  RECT Client;
  if (!GetClientRect(Window, &Client)) return TRUE;
  POINT Origin{0, 0};
  ClientToScreen(Window, &Origin);
  const LONG_PTR ExStyle = GetWindowLongPtrW(Window, GWL_EXSTYLE);
  char Line[160];
  std::snprintf(Line, sizeof Line, "%ld %ld %ld %ld %s %s", long(Origin.x), long(Origin.y),
                long(Client.right - Client.left), long(Client.bottom - Client.top),
                (ExStyle & WS_EX_TOPMOST) ? "topmost" : "normal",
                (ExStyle & WS_EX_TOOLWINDOW) ? "tool" : "app");
  Search.Lines.push_back(Line);
  return TRUE;
}

}  // namespace

int main() {
  int Count = 0;
  wchar_t** Args = CommandLineToArgvW(GetCommandLineW(), &Count);
  if (!Args || Count != 3 || std::wcscmp(Args[1], L"windows") != 0) {
    std::fprintf(stderr, "usage: scoutlane_winprobe windows TITLE\n");
    return 2;
  }
  TSearch Search;
  Search.Title = Args[2];
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&Search));
  for (const std::string& Line : Search.Lines) std::printf("%s\n", Line.c_str());
  return Search.Lines.empty() ? 1 : 0;
}
